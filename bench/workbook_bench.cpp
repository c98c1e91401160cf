// The embedded workbook under the load of a 20-year calendar: about 2,100
// rows by 10 columns (weeks down) or 18 rows by 1,050 columns (weeks across),
// each cell formatted, every week's label merged.
#include <benchmark/benchmark.h>

#include "workbook/embedded_host.h"

namespace {

using tavo::host::Application;
using tavo::host::Sheet;

constexpr int kWeeks = 1050;

// What a vertical build asks of the host, cell by cell.
void FillVertical(Sheet& sheet) {
  sheet.Cells()->Font()->SetSize(12);
  sheet.Cells()->SetRowHeight(14.25);
  for (int c = 2; c <= 10; ++c) sheet.Cells(2, c)->SetValue("周");
  for (int week = 0; week < kWeeks; ++week) {
    int row = 3 + 2 * week;
    sheet.Cells(row, 2)->SetValue("第" + std::to_string(week + 1) + "周");
    for (int c = 3; c <= 9; ++c) {
      sheet.Cells(row, c)->SetValue(std::to_string(1 + (week * 7 + c) % 28));
      auto note = sheet.Cells(row + 1, c);
      note->SetValue("初二");
      note->Font()->SetColorIndex(10);
      note->Font()->SetBold(true);
      if (week % 8 < 4) {
        sheet.Cells(row, c)->Interior()->SetColorIndex(15);
        note->Interior()->SetColorIndex(15);
      }
    }
  }
  auto region = sheet.Cells(2, 2)->CurrentRegion();
  region->SetHorizontalAlignment(tavo::host::HAlign::kCenter);
  region->SetVerticalAlignment(tavo::host::VAlign::kCenter);
  region->Borders()->SetLineStyle(tavo::host::BorderLine::kContinuous);
  for (int week = 0; week < kWeeks; ++week) {
    int row = 3 + 2 * week;
    auto first = sheet.Cells(row, 3), last = sheet.Cells(row, 9);
    sheet.Range(*first, *last)->Borders()->Item(tavo::host::Edge::kBottom)->SetLineStyle(tavo::host::BorderLine::kNone);
    auto b1 = sheet.Cells(row, 2), b2 = sheet.Cells(row + 1, 2);
    sheet.Range(*b1, *b2)->Merge();
    auto j1 = sheet.Cells(row, 10), j2 = sheet.Cells(row + 1, 10);
    sheet.Range(*j1, *j2)->Merge();
  }
}

void FillHorizontal(Sheet& sheet) {
  sheet.Cells()->Font()->SetSize(12);
  for (int r = 3; r <= 17; r += 2) sheet.Cells(r, 2)->SetValue("一");
  for (int week = 0; week < kWeeks; ++week) {
    int column = 3 + week;
    sheet.Cells(4, column)->SetValue(week + 1);
    for (int r = 5; r <= 17; r += 2) {
      sheet.Cells(r, column)->SetValue(std::to_string(1 + (week * 7 + r) % 28));
      sheet.Cells(r + 1, column)->SetValue("初二");
      sheet.Cells(r + 1, column)->Font()->SetBold(true);
    }
  }
  for (int r = 5; r <= 17; r += 2) {
    auto a = sheet.Cells(r, 2), b = sheet.Cells(r + 1, 2);
    sheet.Range(*a, *b)->Merge();
  }
}

struct Book {
  std::shared_ptr<tavo::workbook::WorkbookModel> model = tavo::workbook::NewWorkbookModel();
  std::unique_ptr<Application> app = tavo::workbook::OpenEmbeddedApplication(model);
  std::unique_ptr<Sheet> sheet = app->ActiveSheet();
};

void BM_FillVerticalCalendarGrid(benchmark::State& state) {
  for (auto _ : state) {
    Book book;
    FillVertical(*book.sheet);
    benchmark::DoNotOptimize(book.model->sheets[0].cells.CellCount());
  }
}
BENCHMARK(BM_FillVerticalCalendarGrid)->Unit(benchmark::kMillisecond);

void BM_CurrentRegionVertical(benchmark::State& state) {
  Book book;
  FillVertical(*book.sheet);
  auto start = book.sheet->Cells(2, 2);
  for (auto _ : state) benchmark::DoNotOptimize(start->CurrentRegion()->Count());
}
BENCHMARK(BM_CurrentRegionVertical)->Unit(benchmark::kMicrosecond);

void BM_CurrentRegionHorizontal(benchmark::State& state) {
  Book book;
  FillHorizontal(*book.sheet);
  auto start = book.sheet->Cells(3, 2);
  for (auto _ : state) benchmark::DoNotOptimize(start->CurrentRegion()->Count());
}
BENCHMARK(BM_CurrentRegionHorizontal)->Unit(benchmark::kMicrosecond);

// Copy and insert column B of the vertical grid, then delete it again.
void BM_InsertCopiedColumnThenDelete(benchmark::State& state) {
  Book book;
  FillVertical(*book.sheet);
  for (auto _ : state) {
    book.sheet->Columns(2)->Copy();
    book.sheet->Columns(2)->Insert();
    book.sheet->Columns(2)->Delete();
  }
}
BENCHMARK(BM_InsertCopiedColumnThenDelete)->Unit(benchmark::kMicrosecond);

}  // namespace
