// Worksheet and Worksheets objects of the embedded host.
#include "common/error.h"
#include "workbook/embedded_objects.h"
#include "workbook/sheet_rules.h"

namespace tavo::workbook {

namespace {

class EmbeddedSheet : public host::Sheet {
 public:
  EmbeddedSheet(ModelPtr model, std::uint64_t id) : model_(std::move(model)), id_(id) {}

  std::string Name() override { return Self().name; }
  void SetName(const std::string& name) override {
    Worksheet& sheet = Self();
    CheckSheetName(*model_, name, id_);
    sheet.name = name;
    sheet.modified = true;
  }
  void Delete() override { DeleteSheet(*model_, id_); }
  void Activate() override { ActivateSheet(*model_, id_); }
  host::Visibility Visible() override { return host::Visibility{Self().visible}; }
  void SetVisible(host::Visibility visible) override { SetSheetVisibility(*model_, id_, host::Number(visible)); }

  std::unique_ptr<host::CellRange> Cells() override {
    return Range({1, 1, kMaxRows, model_->column_count}, CountAs::kCells);
  }
  std::unique_ptr<host::CellRange> Cells(std::int32_t row, std::int32_t column) override {
    return Range({row, column, row, column}, CountAs::kCells);
  }
  std::unique_ptr<host::CellRange> Range(host::CellRange& first, host::CellRange& last) override {
    const RangeRef* a = RangeRefOf(first);
    const RangeRef* b = RangeRefOf(last);
    if (!a || !b || a->model != model_ || b->model != model_)
      RaiseInvalidArgument("区域不属于这个工作簿");
    if (a->sheet_id != id_ || b->sheet_id != id_) RaiseInvalidArgument("区域的单元格不在这张工作表上");
    Area area{std::min(a->area.top, b->area.top), std::min(a->area.left, b->area.left),
              std::max(a->area.bottom, b->area.bottom), std::max(a->area.right, b->area.right)};
    return Range(area, CountAs::kCells);
  }
  std::unique_ptr<host::CellRange> Rows(std::int32_t row) override {
    return Range({row, 1, row, model_->column_count}, CountAs::kRows);
  }
  std::unique_ptr<host::CellRange> Columns() override {
    return Range({1, 1, kMaxRows, model_->column_count}, CountAs::kColumns);
  }
  std::unique_ptr<host::CellRange> Columns(std::int32_t column) override {
    return Range({1, column, kMaxRows, column}, CountAs::kColumns);
  }
  std::unique_ptr<host::CellRange> Columns(const std::string& address) override {
    std::int32_t first = 0, last = 0;
    ParseColumnAddress(address, model_->column_count, first, last);
    return Range({1, first, kMaxRows, last}, CountAs::kColumns);
  }
  std::unique_ptr<host::PageLayout> PageSetup() override {
    Self();
    return MakePageLayout(model_, id_);
  }
  std::unique_ptr<host::ShapeCollection> Shapes() override {
    Self();
    return MakeShapes(model_, id_);
  }

 private:
  Worksheet& Self() { return ResolveSheet(*model_, id_); }
  std::unique_ptr<host::CellRange> Range(const Area& area, CountAs count_as) {
    Self();
    return MakeRange(MakeRangeRef(model_, id_, area, count_as));
  }

  ModelPtr model_;
  std::uint64_t id_;
};

class EmbeddedSheets : public host::Sheets {
 public:
  explicit EmbeddedSheets(ModelPtr model) : model_(std::move(model)) {}

  std::int32_t Count() override { return static_cast<std::int32_t>(model_->sheets.size()); }
  std::unique_ptr<host::Sheet> Item(std::int32_t index) override {
    if (index < 1 || index > Count())
      RaiseOutOfRange("工作表序号 " + std::to_string(index) + " 不存在");
    return MakeSheet(model_, model_->sheets[index - 1].id);
  }
  std::unique_ptr<host::Sheet> Item(const std::string& name) override {
    int index = FindSheetByName(*model_, name);
    if (index < 0) RaiseOutOfRange("找不到名为 \"" + name + "\" 的工作表");
    return MakeSheet(model_, model_->sheets[index].id);
  }
  std::unique_ptr<host::Sheet> Add() override {
    return MakeSheet(model_, AddSheetBeforeActive(*model_).id);
  }

 private:
  ModelPtr model_;
};

}  // namespace

std::unique_ptr<host::Sheet> MakeSheet(ModelPtr model, std::uint64_t sheet_id) {
  return std::make_unique<EmbeddedSheet>(std::move(model), sheet_id);
}

std::unique_ptr<host::Sheets> MakeSheets(ModelPtr model) {
  return std::make_unique<EmbeddedSheets>(std::move(model));
}

}  // namespace tavo::workbook
