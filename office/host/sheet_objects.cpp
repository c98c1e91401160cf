// Worksheet and Worksheets objects over a LibreOffice document.
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>

#include "office/host/new_sheet.h"
#include "office/host/office_objects.h"
#include "office/host/page_style.h"
#include "host/a1_address.h"

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

Reference<css::container::XIndexAccess> SheetList(const ContextPtr& context) {
  return Reference<css::container::XIndexAccess>(context->document->getSheets(), UNO_QUERY_THROW);
}

class OfficeSheet : public host::Sheet {
 public:
  OfficeSheet(ContextPtr context, Reference<css::sheet::XSpreadsheet> sheet)
      : context_(std::move(context)), sheet_(std::move(sheet)) {}

  std::string Name() override { return Uno([&] { return FromUno(Named()->getName()); }); }
  void SetName(const std::string& name) override {
    Uno([&] {
      Named()->setName(ToUno(name));
      // LibreOffice refuses a name it cannot take without saying so.
      if (FromUno(Named()->getName()) != name) RaiseInvalidArgument("工作表名称 \"" + name + "\" 无效或已被使用");
    });
  }
  void Delete() override {
    context_->Flush();
    SelectChosenShapes(context_);
    Uno([&] {
      if (SheetList(context_)->getCount() <= 1) RaiseInvalidArgument("工作簿中至少要有一张可见的工作表");
      context_->document->getSheets()->removeByName(Named()->getName());
    });
  }
  void Activate() override {
    context_->Flush();
    SelectChosenShapes(context_);
    Uno([&] {
      if (!IsVisible()) RaiseInvalidArgument("不能激活隐藏的工作表");
      Reference<css::sheet::XSpreadsheetView>(Controller(context_), UNO_QUERY_THROW)->setActiveSheet(sheet_);
    });
  }
  // LibreOffice has no "very hidden": 2 hides the sheet like 0.
  host::Visibility Visible() override {
    return Uno([&] { return IsVisible() ? host::Visibility::kVisible : host::Visibility::kHidden; });
  }
  void SetVisible(host::Visibility chosen) override {
    const int visible = host::Number(chosen);
    if (visible != -1 && visible != 0 && visible != 2 && visible != 1)
      RaiseInvalidArgument("Visible 的值 " + std::to_string(visible) + " 无效");
    context_->Flush();
    Uno([&] { Properties()->setPropertyValue("IsVisible", Any(visible == -1 || visible == 1)); });
  }

  std::unique_ptr<host::CellRange> Cells() override { return Range(SheetArea(sheet_), CountAs::kCells); }
  std::unique_ptr<host::CellRange> Cells(std::int32_t row, std::int32_t column) override {
    return Range({0, column - 1, row - 1, column - 1, row - 1}, CountAs::kCells);
  }
  std::unique_ptr<host::CellRange> Range(host::CellRange& first, host::CellRange& last) override {
    const RangeRef* a = RangeRefOf(first);
    const RangeRef* b = RangeRefOf(last);
    if (!a || !b || a->context->document != context_->document) RaiseInvalidArgument("区域不属于这个工作簿");
    if (a->sheet != sheet_ || b->sheet != sheet_) RaiseInvalidArgument("区域的单元格不在这张工作表上");
    css::table::CellRangeAddress area{0, std::min(a->area.StartColumn, b->area.StartColumn),
                                      std::min(a->area.StartRow, b->area.StartRow),
                                      std::max(a->area.EndColumn, b->area.EndColumn),
                                      std::max(a->area.EndRow, b->area.EndRow)};
    return Range(area, CountAs::kCells);
  }
  std::unique_ptr<host::CellRange> Rows(std::int32_t row) override {
    css::table::CellRangeAddress area = SheetArea(sheet_);
    area.StartRow = area.EndRow = row - 1;
    return Range(area, CountAs::kRows);
  }
  std::unique_ptr<host::CellRange> Columns() override { return Range(SheetArea(sheet_), CountAs::kColumns); }
  std::unique_ptr<host::CellRange> Columns(std::int32_t column) override {
    css::table::CellRangeAddress area = SheetArea(sheet_);
    area.StartColumn = area.EndColumn = column - 1;
    return Range(area, CountAs::kColumns);
  }
  std::unique_ptr<host::CellRange> Columns(const std::string& address) override {
    css::table::CellRangeAddress area = SheetArea(sheet_);
    std::int32_t first = 0, last = 0;
    host::ParseColumnAddress(address, area.EndColumn + 1, first, last);
    area.StartColumn = first - 1;
    area.EndColumn = last - 1;
    return Range(area, CountAs::kColumns);
  }
  std::unique_ptr<host::PageLayout> PageSetup() override { return MakePageLayout(context_, sheet_); }
  std::unique_ptr<host::ShapeCollection> Shapes() override { return MakeShapes(context_, sheet_); }

 private:
  Reference<css::container::XNamed> Named() { return Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW); }
  Reference<css::beans::XPropertySet> Properties() {
    return Reference<css::beans::XPropertySet>(sheet_, UNO_QUERY_THROW);
  }
  bool IsVisible() {
    bool visible = true;
    Properties()->getPropertyValue("IsVisible") >>= visible;
    return visible;
  }
  std::unique_ptr<host::CellRange> Range(const css::table::CellRangeAddress& area, CountAs count_as) {
    return MakeRange(MakeRangeRef(context_, sheet_, area, count_as));
  }

  ContextPtr context_;
  Reference<css::sheet::XSpreadsheet> sheet_;
};

class OfficeSheets : public host::Sheets {
 public:
  explicit OfficeSheets(ContextPtr context) : context_(std::move(context)) {}

  std::int32_t Count() override { return Uno([&] { return SheetList(context_)->getCount(); }); }
  std::unique_ptr<host::Sheet> Item(std::int32_t index) override {
    return Uno([&] {
      Reference<css::container::XIndexAccess> sheets = SheetList(context_);
      if (index < 1 || index > sheets->getCount()) RaiseOutOfRange("工作表序号 " + std::to_string(index) + " 不存在");
      return MakeSheet(context_, Reference<css::sheet::XSpreadsheet>(sheets->getByIndex(index - 1), UNO_QUERY_THROW));
    });
  }
  // Sheet names compare without regard to case in LibreOffice too.
  std::unique_ptr<host::Sheet> Item(const std::string& name) override {
    return Uno([&] {
      Reference<css::sheet::XSpreadsheets> sheets = context_->document->getSheets();
      if (!sheets->hasByName(ToUno(name))) RaiseOutOfRange("找不到名为 \"" + name + "\" 的工作表");
      return MakeSheet(context_, Reference<css::sheet::XSpreadsheet>(sheets->getByName(ToUno(name)), UNO_QUERY_THROW));
    });
  }
  // A new sheet "SheetN" before the active one, made active, with a page
  // setup of its own and the host workbook's face.
  std::unique_ptr<host::Sheet> Add() override {
    context_->Flush();
    SelectChosenShapes(context_);
    return Uno([&] {
      Reference<css::sheet::XSpreadsheets> sheets = context_->document->getSheets();
      const std::int32_t count = SheetList(context_)->getCount();
      OUString name;
      for (std::int32_t n = count + 1;; ++n) {
        name = "Sheet" + OUString::number(n);
        if (!sheets->hasByName(name)) break;
      }
      const std::int16_t at = SheetArea(ActiveSheetOf(context_)).Sheet;
      sheets->insertNewByName(name, at);
      Reference<css::sheet::XSpreadsheet> sheet(sheets->getByName(name), UNO_QUERY_THROW);
      GiveOwnPageStyle(*context_, sheet);
      PrepareNewSheet(*context_, sheet);
      Reference<css::sheet::XSpreadsheetView>(Controller(context_), UNO_QUERY_THROW)->setActiveSheet(sheet);
      return MakeSheet(context_, sheet);
    });
  }

 private:
  ContextPtr context_;
};

}  // namespace

std::unique_ptr<host::Sheet> MakeSheet(const ContextPtr& context, Reference<css::sheet::XSpreadsheet> sheet) {
  return std::make_unique<OfficeSheet>(context, std::move(sheet));
}

std::unique_ptr<host::Sheets> MakeSheets(const ContextPtr& context) { return std::make_unique<OfficeSheets>(context); }

}  // namespace tavo::office
