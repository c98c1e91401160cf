#include "workbook/sheet_rules.h"

#include <algorithm>
#include <cctype>

#include "common/error.h"

namespace tavo::workbook {

namespace {

std::size_t CharacterCount(const std::string& text) {
  std::size_t n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

int VisibleCount(const WorkbookModel& model) {
  return static_cast<int>(std::count_if(model.sheets.begin(), model.sheets.end(),
                                        [](const Worksheet& s) { return s.visible == -1; }));
}

// The nearest visible sheet from `index` on, else before it.
std::size_t NearestVisible(const WorkbookModel& model, std::size_t index) {
  for (std::size_t i = index; i < model.sheets.size(); ++i)
    if (model.sheets[i].visible == -1) return i;
  for (std::size_t i = std::min(index, model.sheets.size()); i-- > 0;)
    if (model.sheets[i].visible == -1) return i;
  return 0;
}

int IndexOrRaise(const WorkbookModel& model, std::uint64_t sheet_id) {
  int index = model.IndexOf(sheet_id);
  if (index < 0) RaiseOutOfRange("工作表已被删除");
  return index;
}

}  // namespace

bool SameSheetName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

int FindSheetByName(const WorkbookModel& model, const std::string& name) {
  for (std::size_t i = 0; i < model.sheets.size(); ++i)
    if (SameSheetName(model.sheets[i].name, name)) return static_cast<int>(i);
  return -1;
}

void CheckSheetName(const WorkbookModel& model, const std::string& name, std::uint64_t sheet_id) {
  std::size_t length = CharacterCount(name);
  if (length == 0 || length > 31) RaiseInvalidArgument("工作表名称须为 1 到 31 个字符");
  if (name.find_first_of(":\\/?*[]") != std::string::npos)
    RaiseInvalidArgument("工作表名称不能含有 : \\ / ? * [ ]");
  if (name.front() == '\'' || name.back() == '\'')
    RaiseInvalidArgument("工作表名称不能以单引号开头或结尾");
  if (SameSheetName(name, "History")) RaiseInvalidArgument("History 是保留的工作表名称");
  int other = FindSheetByName(model, name);
  if (other >= 0 && model.sheets[other].id != sheet_id)
    RaiseInvalidArgument("已有名为 \"" + name + "\" 的工作表");
}

Worksheet& AddSheetBeforeActive(WorkbookModel& model) {
  std::string name;
  for (std::size_t n = model.sheets.size() + 1;; ++n) {
    name = "Sheet" + std::to_string(n);
    if (FindSheetByName(model, name) < 0) break;
  }
  Worksheet sheet;
  sheet.id = model.NewSheetId();
  sheet.name = name;
  sheet.modified = true;
  std::size_t at = std::min(model.active_sheet, model.sheets.size());
  model.sheets.insert(model.sheets.begin() + at, std::move(sheet));
  model.active_sheet = at;
  return model.sheets[at];
}

void DeleteSheet(WorkbookModel& model, std::uint64_t sheet_id) {
  std::size_t index = IndexOrRaise(model, sheet_id);
  if (model.sheets[index].visible == -1 && VisibleCount(model) == 1)
    RaiseInvalidArgument("工作簿中至少要有一张可见的工作表");
  model.sheets.erase(model.sheets.begin() + index);
  if (model.clipboard.sheet_id == sheet_id) model.clipboard = {};
  if (model.selection.sheet_id == sheet_id) model.selection = {};
  if (index < model.active_sheet) {
    --model.active_sheet;
  } else if (index == model.active_sheet) {
    model.active_sheet = NearestVisible(model, std::min(index, model.sheets.size() - 1));
  }
}

void SetSheetVisibility(WorkbookModel& model, std::uint64_t sheet_id, int visible) {
  if (visible == 1) visible = -1;  // True as a number
  if (visible != -1 && visible != 0 && visible != 2)
    RaiseInvalidArgument("Visible 的值 " + std::to_string(visible) + " 无效");
  std::size_t index = IndexOrRaise(model, sheet_id);
  Worksheet& sheet = model.sheets[index];
  if (sheet.visible == visible) return;
  if (visible != -1 && sheet.visible == -1 && VisibleCount(model) == 1)
    RaiseInvalidArgument("工作簿中至少要有一张可见的工作表");
  sheet.visible = visible;
  sheet.modified = true;
  if (visible != -1 && index == model.active_sheet) model.active_sheet = NearestVisible(model, index);
}

void ActivateSheet(WorkbookModel& model, std::uint64_t sheet_id) {
  std::size_t index = IndexOrRaise(model, sheet_id);
  if (model.sheets[index].visible != -1) RaiseInvalidArgument("不能激活隐藏的工作表");
  model.active_sheet = index;
}

}  // namespace tavo::workbook
