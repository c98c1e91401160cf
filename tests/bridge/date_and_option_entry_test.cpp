// The date boxes and option buttons: what reaches "DTB" and what the user is
// told when a date is refused.
#include "bridge/date_and_option_entry.h"

#include <gtest/gtest.h>

#include "bridge/settings_sheet.h"
#include "common/dates.h"
#include "bridge/test_workbook.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_platform.h"

namespace tavo::testing {
namespace {

// A typed date as the host stores it in a cell: a date value.
host::Variant StoredDate(const char* typed) {
  return host::Variant::Date(DateToSerial(*ParseDate(typed)));
}

const host::Variant kEarlier = StoredDate("2000-1-1");  // what B2 and C2 hold before each case

struct DateCase {
  const char* control;  // the name passed to the handler
  const char* typed;    // the text in the box that name selects
  const char* notice;   // the box shown, "" for none (the text is then stored)
};

const DateCase kDateCases[] = {
    // The ends of the accepted range and the days just outside.
    {"txtBDate", "1901-01-01", ""},
    {"txtEDate", "2100-12-31", ""},
    {"txtBDate", "1900-12-31", "开始日期 应在1901-2100年之间！"},
    {"txtEDate", "1900-12-31", "结束日期 应在1901-2100年之间！"},
    {"txtBDate", "2101-01-01", "开始日期 应在1901-2100年之间！"},
    {"txtEDate", "2101-01-01", "结束日期 应在1901-2100年之间！"},
    {"txtEDate", "999-1-1", "结束日期 应在1901-2100年之间！"},
    // Dates are compared, not texts: "2100-9-1" sorts after "2100-12-31".
    {"txtBDate", "2100-9-1", ""},
    // Other notations are stored as the same date.
    {"txtBDate", "2013/9/1", ""},
    {"txtEDate", "2014.07.15", ""},
    {"txtBDate", "2013年9月1日", ""},
    {"txtEDate", " 2014-7-15 ", ""},
    // Texts that are no date.
    {"txtBDate", "", "开始日期 格式不正确，请重新输入！"},
    {"txtEDate", "", "结束日期 格式不正确，请重新输入！"},
    {"txtBDate", "2013-2-29", "开始日期 格式不正确，请重新输入！"},
    {"txtEDate", "20130901", "结束日期 格式不正确，请重新输入！"},
    {"txtEDate", "'2013-9-1", "结束日期 格式不正确，请重新输入！"},
    // Any name but "txtBDate" means the end box.
    {"txtbdate", "2013-9-1", ""},
    {"", "1800-1-1", "结束日期 应在1901-2100年之间！"},
};

TEST(DateEntry, AcceptedDatesAreStoredAsDatesAndRefusedOnesLeaveTheCell) {
  for (const DateCase& c : kDateCases) {
    SCOPED_TRACE(std::string(c.control) + " \"" + c.typed + "\"");
    TestWorkbook book;
    book.SetDtb(2, kEarlier);
    book.SetDtb(3, kEarlier);
    FakeDialog uf;
    FakePlatform platform;
    const bool is_start = std::string(c.control) == "txtBDate";
    uf.values[is_start ? "txtBDate" : "txtEDate"] = c.typed;
    uf.values[is_start ? "txtEDate" : "txtBDate"] = "1700-1-1";  // never read

    bridge::OnDateEntered(book.ea, uf, platform, c.control);

    const int written = is_start ? 2 : 3;
    if (*c.notice) {
      EXPECT_EQ(platform.boxes, (std::vector<ShownBox>{{c.notice, "提示", 48}}));
      EXPECT_EQ(book.Dtb(written), kEarlier);
    } else {
      EXPECT_TRUE(platform.boxes.empty());
      EXPECT_EQ(book.Dtb(written), StoredDate(c.typed));
    }
    EXPECT_EQ(book.Dtb(is_start ? 3 : 2), kEarlier);
    EXPECT_TRUE(uf.writes.empty());  // the box keeps what was typed
  }
}

// Leaving a box with the date the cell holds, in any notation, writes
// nothing (the workbook stays unchanged); another date is written.
TEST(DateEntry, TheDateTheCellHoldsIsNotWrittenAgain) {
  struct Case {
    host::Variant held;
    const char* typed;
    bool written;
  };
  const Case cases[] = {
      {StoredDate("2024-9-1"), "2024/9/1", false},
      {StoredDate("2024-9-1"), "2024年9月1日", false},
      {StoredDate("2024-9-1"), "2024-9-2", true},
      {host::Variant(), "2024-9-1", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    TestWorkbook book;
    book.SetDtb(2, c.held);
    FakeDialog uf;
    FakePlatform platform;
    uf.values["txtBDate"] = c.typed;
    for (auto& sheet : book.model->sheets) sheet.modified = false;  // as a workbook just opened
    bridge::OnDateEntered(book.ea, uf, platform, "txtBDate");
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(book.Dtb(2), c.written ? StoredDate(c.typed) : c.held);
    bool modified = false;
    for (const auto& sheet : book.model->sheets) modified |= sheet.modified;
    EXPECT_EQ(modified, c.written);
  }
}

TEST(DateEntry, ARefusedDateNeverLooksForTheSettingsSheet) {
  TestWorkbook book;
  book.Sheet("DTB")->Delete();
  FakeDialog uf;
  FakePlatform platform;
  uf.values["txtBDate"] = "1900-1-1";
  bridge::OnDateEntered(book.ea, uf, platform, "txtBDate");
  EXPECT_EQ(platform.boxes.size(), 1u);
  EXPECT_TRUE(book.ea.log.empty());
}

TEST(DateEntry, ABoxHoldingANumberIsReadAsItsText) {
  TestWorkbook book;
  FakeDialog uf;
  FakePlatform platform;
  uf.values["txtBDate"] = 41518.0;  // a date serial is no date text
  bridge::OnDateEntered(book.ea, uf, platform, "txtBDate");
  EXPECT_EQ(platform.boxes,
            (std::vector<ShownBox>{{"开始日期 格式不正确，请重新输入！", "提示", 48}}));
}

TEST(OptionEntry, EachButtonStoresItsNumberInItsCell) {
  struct Case {
    const char* button;
    int column;
    double value;
  };
  const Case cases[] = {
      {"optYi", 4, 1},  {"optRi", 4, 2},  {"optYu", 5, 1},  {"optWu", 5, 2},
      {"optShu", 6, 1}, {"optHng", 6, 3}, {"optYS1", 7, 1}, {"optYS2", 7, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    TestWorkbook book;
    bridge::StoreOption(book.ea, c.button);
    for (int column = 2; column <= 9; ++column) {
      const host::Variant stored = book.Dtb(column);
      if (column == c.column)
        EXPECT_EQ(stored, host::Variant(c.value));  // a number, not a text
      else
        EXPECT_TRUE(stored.IsEmpty()) << column;
    }
  }
}

TEST(OptionEntry, OtherNamesStoreNothing) {
  for (const char* button : {"", "opthng", "OPTYI", "optHng ", "optYS3", "txtBDate"}) {
    SCOPED_TRACE(button);
    TestWorkbook book;
    bridge::StoreOption(book.ea, button);
    EXPECT_TRUE(book.ea.log.empty());
  }
}

TEST(OptionEntry, HorizontalThenStyle2SelectsTheLastPageSetupRow) {
  TestWorkbook book;
  bridge::StoreOption(book.ea, "optHng");
  bridge::StoreOption(book.ea, "optYS2");
  EXPECT_EQ(bridge::PageSetupKey(book.Dtb(7).ToInt32(), book.Dtb(6).ToInt32()), 5);
}

}  // namespace
}  // namespace tavo::testing
