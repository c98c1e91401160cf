#pragma once
// A user form as the forms designer stores it: a storage named after the
// form's module with the "f" stream (the form and one site per control),
// the "o" stream (each control's own properties, in site order), the
// "\x03VBFrame" text (caption and client size) and "\x01CompObj".
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/vba/compound_file.h"

namespace tavo::vba {

enum class ControlKind { kLabel, kTextBox, kOptionButton, kCheckBox, kCommandButton };

struct FormControlSpec {
  ControlKind kind;
  std::string name;
  std::string caption;     // labels, option buttons, check boxes and command buttons
  std::string group_name;  // option buttons: buttons with the same name exclude each other
  double left = 0, top = 0, width = 0, height = 0;  // points
  int tab_index = 0;
};

struct FormSpec {
  std::string name;     // the designer module's name
  std::string caption;  // the window title
  double width = 0, height = 0;  // client area, points
  std::string font_name = "宋体";
  int font_points = 9;
  std::vector<FormControlSpec> controls;
};

// The form's storage. Text of the VBFrame and the form's font name are in
// the project's code page; control texts are stored in UTF-16 unless plain
// ASCII.
CfbNode WriteFormStorage(const FormSpec& form, int code_page);

// The class identifier of the forms designer, named by the VBFrame text.
inline constexpr const char* kFormDesignerClsid = "{C62A69F0-16DC-11CE-9E98-00AA00574A4F}";

// The cached class of each kind of control, as a site names it
// (ClsidCacheIndex of [MS-OFORMS] 2.2.10.12.3).
std::uint32_t ControlClassIndex(ControlKind kind);

// What every control's properties are written with.
inline constexpr std::uint32_t kTextBoxPropertyBits = 0x2C80481B;  // the default 0x2C80081B with fEditable
inline constexpr std::uint32_t kButtonFaceColor = 0x8000000F;      // system colour: button face
inline constexpr std::uint32_t kButtonTextColor = 0x80000012;      // system colour: button text
inline constexpr std::uint32_t kGb2312CharSet = 134;

}  // namespace tavo::vba
