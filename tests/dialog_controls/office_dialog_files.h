#pragma once
// The LibreOffice dialog as its two files give it: the controls of the
// .xdl with the Basic Subs their events call, and what each Sub of the
// dialog's Basic module sends to MyFun.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/dialog_controls.h"

namespace tavo::office_files {

struct OfficeControl {
  std::string element;                          // "dlg:radio", ...
  std::optional<host::DialogControlKind> kind;  // nullopt: an element the table has no kind for
  std::string caption;                          // dlg:value, or a titled box's title
  // The Subs of the Basic library "Tavo", module "Dialog", that its events
  // call; a macro elsewhere is kept whole, so it matches no Sub.
  std::vector<std::string> handlers;
};

struct OfficeDialog {
  std::map<std::string, OfficeControl> controls;  // by dlg:id
  // The option buttons of each dlg:radiogroup; buttons outside one come
  // each in a group of its own.
  std::vector<std::vector<std::string>> radio_groups;
};

// Reads an .xdl; the error text is empty when it could be read.
OfficeDialog ReadOfficeDialog(const std::string& path, std::string& error);

// The Basic text of a .xba module.
std::string ReadBasicModule(const std::string& path, std::string& error);

// The Subs of a Basic module by name, each with the text between its
// header and its "End Sub".
std::map<std::string, std::string> BasicSubs(const std::string& basic);

// What a Sub's body sends to MyFun through Fire, in order: a quoted name
// as written, the raising control's own name for oEvent.Source.Model.Name,
// anything else as "?" and the argument.
std::vector<std::string> FiredEvents(const std::string& body, const std::string& control);

}  // namespace tavo::office_files
