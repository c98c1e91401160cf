// The page setup kept per sheet kind and per style and direction: saved from
// the sheet being replaced when its key matches, applied to the new one,
// with the fixed part on top; refusals skipped step by step.
#include "sheets/page_setup.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "sheet_test_support.h"

namespace tavo::testing {
namespace {

using host::PageSetupMember;

struct Combination {
  int style, direction, key;
};
const Combination kCombinations[] = {{1, 1, 2}, {2, 1, 3}, {1, 3, 4}, {2, 3, 5}};

const PageSetupMember kKept[] = {PageSetupMember::TopMargin,    PageSetupMember::BottomMargin,
                                 PageSetupMember::FooterMargin, PageSetupMember::Orientation,
                                 PageSetupMember::PaperSize,    PageSetupMember::Zoom};

std::vector<host::Variant> Expected(const TableRow& t) {
  return {t.top, t.bottom, t.footer, t.orientation, t.paper, t.zoom};
}

class PageSetupTest : public SheetBuildTest {
 protected:
  std::vector<host::Variant> Kept(Kind kind) {
    auto layout = Sheet(SheetName(kind))->PageSetup();
    std::vector<host::Variant> values;
    for (auto member : kKept) values.push_back(layout->Get(member));
    return values;
  }
  std::vector<host::Variant> TableRowOf(int key, bool school) {
    auto dtb = Sheet("DTB");
    std::vector<host::Variant> values;
    for (int i = 0; i < 6; ++i)
      values.push_back(dtb->Cells(key, FirstTableColumn(school) + i)->Value());
    return values;
  }
  void ChangeByHand(Kind kind) {
    auto layout = Sheet(SheetName(kind))->PageSetup();
    layout->Set(PageSetupMember::TopMargin, 99);
    layout->Set(PageSetupMember::Orientation, 2);
    layout->Set(PageSetupMember::Zoom, 60);
    layout->Set(PageSetupMember::LeftMargin, 40);
    layout->Set(PageSetupMember::CenterFooter, "");
  }
};

TEST_F(PageSetupTest, HandMadeSetupSurvivesARebuildWithTheSameKey) {
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    const bool school = kind == Kind::kSchool;
    for (const Combination& c : kCombinations) {
      SCOPED_TRACE(std::string(KindName(kind)) + " key " + std::to_string(c.key));
      Build(kind, "2024-3-13", "2024-3-31", {.direction = c.direction, .style = c.style});
      EXPECT_EQ(Kept(kind), Expected(TableValues(c.key, school)));

      ChangeByHand(kind);
      const auto other_block = TableRowOf(c.key, !school);
      Build(kind);
      const std::vector<host::Variant> hand_made = {
          99.0, TableValues(c.key, school).bottom, TableValues(c.key, school).footer,
          2,    TableValues(c.key, school).paper,  60};
      EXPECT_EQ(TableRowOf(c.key, school), hand_made);
      EXPECT_EQ(TableRowOf(c.key, !school), other_block);
      EXPECT_EQ(Kept(kind), hand_made);
    }
  }
}

TEST_F(PageSetupTest, ChangedDirectionNeitherSavesNorOverwrites) {
  Build(Kind::kCalendar, "2024-3-13", "2024-3-31", {.direction = 1, .style = 1});
  ChangeByHand(Kind::kCalendar);
  Build(Kind::kCalendar, "2024-3-13", "2024-3-31", {.direction = 3, .style = 1});
  EXPECT_EQ(TableRowOf(2, false), Expected(TableValues(2, false)));
  EXPECT_EQ(TableRowOf(4, false), Expected(TableValues(4, false)));
  EXPECT_EQ(Kept(Kind::kCalendar), Expected(TableValues(4, false)));
}

TEST_F(PageSetupTest, FitToPageZoomTravelsAsFalse) {
  Build(Kind::kSchool, "2024-3-13", "2024-3-31", {});
  Sheet("校历表")->PageSetup()->Set(PageSetupMember::Zoom, false);
  Build(Kind::kSchool);
  EXPECT_EQ(Sheet("DTB")->Cells(2, 16)->Value(), host::Variant(false));
  EXPECT_EQ(Sheet("校历表")->PageSetup()->Get(PageSetupMember::Zoom), host::Variant(false));
}

TEST_F(PageSetupTest, FixedPartIsSetAtEveryBuild) {
  for (Kind kind : {Kind::kSchool, Kind::kCalendar}) {
    for (int direction : {1, 3}) {
      SCOPED_TRACE(Describe(kind, {.direction = direction}));
      Build(kind, "2024-3-13", "2024-3-31", {.direction = direction});
      ChangeByHand(kind);
      Build(kind);
      auto layout = Sheet(SheetName(kind))->PageSetup();
      EXPECT_EQ(layout->Get(PageSetupMember::CenterFooter),
                host::Variant(kind == Kind::kSchool ? "" : "&P"));
      EXPECT_EQ(layout->Get(PageSetupMember::HeaderMargin), host::Variant(5));
      EXPECT_EQ(layout->Get(PageSetupMember::LeftMargin), host::Variant(5));
      EXPECT_EQ(layout->Get(PageSetupMember::RightMargin), host::Variant(5));
      EXPECT_EQ(layout->Get(PageSetupMember::CenterHorizontally), host::Variant(true));
      EXPECT_EQ(layout->Get(PageSetupMember::PrintTitleRows), host::Variant("$1:$2"));
    }
  }
}

TEST_F(PageSetupTest, RefusedTableValueIsSkippedAndTheRestApplied) {
  Sheet("DTB")->Cells(2, 14)->SetValue("横向");  // orientation of key 2, school block
  Sheet("DTB")->Cells(2, 15)->SetValue(-3);      // no such paper size
  Build(Kind::kSchool, "2024-3-13", "2024-3-31", {});
  const auto kept = Kept(Kind::kSchool);
  EXPECT_EQ(kept[0], host::Variant(TableValues(2, true).top));
  EXPECT_EQ(kept[3], host::Variant(1));  // the new sheet's own orientation
  EXPECT_EQ(kept[4], host::Variant(9));  // and paper size
  EXPECT_EQ(kept[5], host::Variant(TableValues(2, true).zoom));
  EXPECT_EQ(platform.beeps.size(), 1u);
}

// Options outside the stored values give keys outside rows 2..5; the
// table's heading row and the rows under it are left alone.
TEST_F(PageSetupTest, KeysOutsideTheTableTouchNoRow) {
  for (const Options& o :
       {Options{.direction = 1, .style = 0}, Options{.direction = 3, .style = 4}}) {
    const int key = o.direction + o.style;
    SCOPED_TRACE(key);
    Build(Kind::kSchool, "2024-3-13", "2024-3-31", o);
    ChangeByHand(Kind::kSchool);
    Build(Kind::kSchool);
    EXPECT_EQ(Sheet("DTB")->Cells(2, 8)->Value(), host::Variant(key));
    EXPECT_EQ(Sheet("DTB")->Cells(1, 11)->Value(), host::Variant("TopMargin"));
    for (int column = 11; column <= 16; ++column) {
      if (key != 1 || column != 11) {
        EXPECT_TRUE(Sheet("DTB")->Cells(key, column)->Value().IsEmpty()) << column;
      }
    }
    EXPECT_EQ(Sheet("校历表")->PageSetup()->Get(PageSetupMember::LeftMargin), host::Variant(5));
  }
}

TEST_F(PageSetupTest, KeyCellHoldingTextMatchesNoKey) {
  Build(Kind::kSchool, "2024-3-13", "2024-3-31", {});
  ChangeByHand(Kind::kSchool);
  Sheet("DTB")->Cells(2, 8)->SetValue("上次");
  Build(Kind::kSchool);
  EXPECT_EQ(TableRowOf(2, true), Expected(TableValues(2, true)));
  EXPECT_EQ(platform.beeps.size(), 2u);
}

// A sheet whose every member the host refuses.
class RefusingSheet : public host::Sheet {
 public:
  [[noreturn]] static void Refuse() { throw Error("tavo", 1004, "应用程序定义或对象定义错误"); }
  std::string Name() override { Refuse(); }
  void SetName(const std::string&) override { Refuse(); }
  void Delete() override { Refuse(); }
  void Activate() override { Refuse(); }
  host::Visibility Visible() override { Refuse(); }
  void SetVisible(host::Visibility) override { Refuse(); }
  std::unique_ptr<host::CellRange> Cells() override { Refuse(); }
  std::unique_ptr<host::CellRange> Cells(std::int32_t, std::int32_t) override { Refuse(); }
  std::unique_ptr<host::CellRange> Range(host::CellRange&, host::CellRange&) override { Refuse(); }
  std::unique_ptr<host::CellRange> Rows(std::int32_t) override { Refuse(); }
  std::unique_ptr<host::CellRange> Columns() override { Refuse(); }
  std::unique_ptr<host::CellRange> Columns(std::int32_t) override { Refuse(); }
  std::unique_ptr<host::CellRange> Columns(const std::string&) override { Refuse(); }
  std::unique_ptr<host::PageLayout> PageSetup() override { Refuse(); }
  std::unique_ptr<host::ShapeCollection> Shapes() override { Refuse(); }
};

TEST_F(PageSetupTest, RefusedPageSetupObjectIsNoFailure) {
  RefusingSheet refusing;
  auto dtb = Sheet("DTB");
  for (bool school : {true, false}) {
    const hostbook::BuiltSheet& book = *(school ? sheets::kSchoolCalendar : sheets::kCalendar).book;
    EXPECT_NO_THROW(sheets::SavePageSetup(refusing, *dtb, 2, book.setup_first_column));
    EXPECT_NO_THROW(sheets::ApplyPageSetup(refusing, *dtb, 2, book.setup_first_column, !school));
    EXPECT_EQ(TableRowOf(2, school), Expected(TableValues(2, school)));
  }
  // A settings sheet that refuses everything leaves the sheet's kept part alone.
  Build(Kind::kCalendar, "2024-3-13", "2024-3-31", {});
  auto calendar = Sheet("日历表");
  calendar->PageSetup()->Set(PageSetupMember::TopMargin, 77);
  const int first = sheets::kCalendar.book->setup_first_column;
  EXPECT_NO_THROW(sheets::ApplyPageSetup(*calendar, refusing, 2, first, true));
  EXPECT_NO_THROW(sheets::SavePageSetup(*calendar, refusing, 2, first));
  EXPECT_EQ(calendar->PageSetup()->Get(PageSetupMember::TopMargin), host::Variant(77));
  EXPECT_EQ(calendar->PageSetup()->Get(PageSetupMember::RightMargin), host::Variant(5));
}

}  // namespace
}  // namespace tavo::testing
