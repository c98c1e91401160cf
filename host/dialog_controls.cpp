#include "host/dialog_controls.h"

#include <array>

namespace tavo::host {
namespace {

using K = DialogControlKind;

constexpr const char* kWeekStart = "grpWeekStart";
constexpr const char* kColor = "grpColor";
constexpr const char* kDirection = "grpDirection";
constexpr const char* kStyle = "grpStyle";

// The form lays out labels 54 x 15 at the left, the boxes and option buttons
// beside them, the buttons in a column at the right. Its tab order: the two
// dates, the four option pairs top to bottom, the holiday-marks box, then the
// buttons; the labels come last and only describe. LibreOffice keeps its own
// places in its .xdl.
constexpr auto kControls = std::to_array<DialogControl>({
    // name, kind, dialogs, event, group, form caption, LibreOffice caption, form place
    {"lblBDate", K::kLabel, kInBoth, nullptr, nullptr, "开始日期", "开始日期(~S)", {12, 14, 54, 15, 15}},
    {kStartDateBox, K::kTextBox, kInBoth, kStartDateBox, nullptr, "", "", {72, 12, 102, 18, 0}},
    {"lblEDate", K::kLabel, kInBoth, nullptr, nullptr, "结束日期", "结束日期(~E)", {12, 40, 54, 15, 16}},
    {kEndDateBox, K::kTextBox, kInBoth, kEndDateBox, nullptr, "", "", {72, 38, 102, 18, 1}},
    // An example date beside the boxes; on the form the buttons stand there.
    {"lblHint", K::kLabel, kInOffice, nullptr, nullptr, "", "如 2024-9-1", {}},

    // Each pair of option buttons: the form names it with a label at its
    // left, LibreOffice frames it in a titled box (box1-box4).
    {"lblWeek", K::kLabel, kInForm, nullptr, nullptr, "每周起始", "", {12, 72, 54, 15, 17}},
    {"box1", K::kFrame, kInOffice, nullptr, nullptr, "", "周起始", {}},
    {kMondayFirstOption, K::kOptionButton, kInBoth, kMondayFirstOption, kWeekStart, "周一", "周一(~M)",
     {72, 70, 54, 18, 2}},
    {kSundayFirstOption, K::kOptionButton, kInBoth, kSundayFirstOption, kWeekStart, "周日", "周日(~U)",
     {126, 70, 54, 18, 3}},
    {"lblColor", K::kLabel, kInForm, nullptr, nullptr, "颜色", "", {12, 94, 54, 15, 18}},
    {"box2", K::kFrame, kInOffice, nullptr, nullptr, "", "颜色", {}},
    {kWithColorOption, K::kOptionButton, kInBoth, kWithColorOption, kColor, "有颜色", "有颜色(~C)",
     {72, 92, 54, 18, 4}},
    {kNoColorOption, K::kOptionButton, kInBoth, kNoColorOption, kColor, "无颜色", "无颜色(~N)", {126, 92, 54, 18, 5}},
    {"lblDirection", K::kLabel, kInForm, nullptr, nullptr, "排列方向", "", {12, 116, 54, 15, 19}},
    {"box3", K::kFrame, kInOffice, nullptr, nullptr, "", "方向", {}},
    {kVerticalOption, K::kOptionButton, kInBoth, kVerticalOption, kDirection, "竖排", "竖排(~V)",
     {72, 114, 54, 18, 6}},
    {kHorizontalOption, K::kOptionButton, kInBoth, kHorizontalOption, kDirection, "横排", "横排(~H)",
     {126, 114, 54, 18, 7}},
    {"lblStyle", K::kLabel, kInForm, nullptr, nullptr, "样式", "", {12, 138, 54, 15, 20}},
    {"box4", K::kFrame, kInOffice, nullptr, nullptr, "", "样式", {}},
    {kStyle1Option, K::kOptionButton, kInBoth, kStyle1Option, kStyle, "样式一", "样式一(~1)", {72, 136, 54, 18, 8}},
    {kStyle2Option, K::kOptionButton, kInBoth, kStyle2Option, kStyle, "样式二", "样式二(~2)", {126, 136, 54, 18, 9}},

    {kHolidayMarksBox, K::kCheckBox, kInBoth, kHolidayMarksBox, nullptr, "标出放假与调休上班",
     "标出放假与调休上班(~J)", {12, 162, 162, 18, 10}},
    // LibreOffice's buttons sit in one row, narrower: the build buttons drop 表.
    {kSchoolCalendarButton, K::kCommandButton, kInBoth, kSchoolCalendarButton, nullptr, "生成校历表", "生成校历(~X)",
     {192, 12, 96, 24, 11}},
    {kCalendarButton, K::kCommandButton, kInBoth, kCalendarButton, nullptr, "生成日历表", "生成日历(~R)",
     {192, 44, 96, 24, 12}},
    {kInfoSheetButton, K::kCommandButton, kInBoth, kInfoSheetButton, nullptr, "编辑信息表", "编辑信息表(~I)",
     {192, 76, 96, 24, 13}},
    {kHelpButton, K::kCommandButton, kInBoth, kHelpButton, nullptr, "帮助", "帮助(~B)", {192, 108, 96, 24, 14}},
    // LibreOffice's dialog is a tool window that stays open beside the sheet,
    // so it has a button to put it away; the form is modal and closes from
    // its title bar. The dialog's own Basic closes it: MyFun never hears.
    {kCloseButton, K::kCommandButton, kInOffice, nullptr, nullptr, "", "关闭(~G)", {}},
});

}  // namespace

std::span<const DialogControl> DialogControls() { return kControls; }

const DialogControl* FindDialogControl(std::string_view name) {
  for (const DialogControl& control : kControls)
    if (name == control.name) return &control;
  return nullptr;
}

}  // namespace tavo::host
