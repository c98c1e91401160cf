#pragma once
// The dialog's controls, once for every host. The macro workbook's VBA form
// is built from this table; the LibreOffice dialog (packaging/office/
// dialogs/Tavo/TavoDialog.xdl) and its Basic handlers are held against it by
// the dialog_controls test. Code that reads, sets or fires a control takes
// its name from the constants below, never from a spelled string.
#include <span>
#include <string_view>

namespace tavo::host {

// The controls the handlers address. A control's event has the control's
// name, so these name both.
inline constexpr const char* kStartDateBox = "txtBDate";
inline constexpr const char* kEndDateBox = "txtEDate";
inline constexpr const char* kMondayFirstOption = "optYi";
inline constexpr const char* kSundayFirstOption = "optRi";
inline constexpr const char* kWithColorOption = "optYu";
inline constexpr const char* kNoColorOption = "optWu";
inline constexpr const char* kVerticalOption = "optShu";
inline constexpr const char* kHorizontalOption = "optHng";
inline constexpr const char* kStyle1Option = "optYS1";
inline constexpr const char* kStyle2Option = "optYS2";
inline constexpr const char* kHolidayMarksBox = "chkJia";  // marks days off and make-up days
inline constexpr const char* kSchoolCalendarButton = "cmdDoXL";
inline constexpr const char* kCalendarButton = "cmdDoRL";
inline constexpr const char* kInfoSheetButton = "cmdEdit";
inline constexpr const char* kHelpButton = "cmdHelp";
inline constexpr const char* kCloseButton = "cmdClose";

// The event the dialog itself raises once as it opens; no control has it.
inline constexpr const char* kInitializeEvent = "Initialize";

enum class DialogControlKind { kLabel, kTextBox, kOptionButton, kCheckBox, kCommandButton, kFrame };

// The dialogs a control is in, as bits.
enum DialogSet : unsigned {
  kInForm = 1,    // the VBA form of the macro workbook, which the COM server drives
  kInOffice = 2,  // the LibreOffice dialog
  kInBoth = kInForm | kInOffice,
};

// Where a control sits on the VBA form, in points, and its place in the
// form's tab order.
struct FormPlace {
  double left = 0, top = 0, width = 0, height = 0;
  int tab_index = 0;
};

struct DialogControl {
  const char* name;
  DialogControlKind kind;
  unsigned dialogs;          // DialogSet bits
  const char* event;         // what it sends to MyFun; nullptr when it sends nothing
  const char* group;         // option buttons: those of one group exclude each other
  const char* form_caption;  // "" where the control shows no text
  // LibreOffice's text: with the access key the office would otherwise pick
  // itself ("(~S)"), and shorter where its buttons are narrower.
  const char* office_caption;
  FormPlace form;  // only for controls in the form

  bool InForm() const { return (dialogs & kInForm) != 0; }
  bool InOffice() const { return (dialogs & kInOffice) != 0; }
};

// Every control of either dialog, in the form's site order (the order its
// streams list them), with the LibreOffice-only ones beside their neighbours.
std::span<const DialogControl> DialogControls();

// The control named exactly `name`, or nullptr.
const DialogControl* FindDialogControl(std::string_view name);

}  // namespace tavo::host
