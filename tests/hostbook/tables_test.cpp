// The host workbook's tables held together: the settings columns, each built
// sheet's key cell and page-setup block, the dialog's buttons and the
// default content must agree, or a new kind or cell would overwrite another
// or never be reached.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "host/dialog_controls.h"
#include "hostbook/built_sheets.h"
#include "hostbook/default_content.h"
#include "hostbook/info_cells.h"
#include "hostbook/school_item_cells.h"
#include "hostbook/settings_table.h"

namespace tavo::hostbook {
namespace {

using namespace std::chrono;

// Which table claims each column of DTB's row 2 and of the page-setup table.
std::map<int, std::string> ClaimedColumns() {
  std::map<int, std::string> claimed;
  auto claim = [&](int column, const std::string& by) {
    const auto [it, fresh] = claimed.emplace(column, by);
    EXPECT_TRUE(fresh) << "column " << column << " claimed by " << it->second << " and " << by;
  };
  for (const settings::SettingsColumn& c : settings::kSettingsColumns) claim(c.column, c.label);
  for (const BuiltSheet& built : BuiltSheets()) {
    claim(built.key_column, std::string(built.sheet_name) + " key");
    for (int i = 0; i < settings::kPageSetupColumns; ++i)
      claim(built.setup_first_column + i, std::string(built.sheet_name) + " page setup");
  }
  return claimed;
}

TEST(HostWorkbookTables, EveryColumnOfDtbHasOneOwner) {
  const auto claimed = ClaimedColumns();
  EXPECT_EQ(claimed.begin()->first, 1);
  EXPECT_TRUE(claimed.count(settings::kHolidayMarksColumn));
}

TEST(HostWorkbookTables, EveryOptionDefaultIsAnAllowedValue) {
  for (const settings::SettingsColumn& c : settings::kSettingsColumns) {
    if (!c.default_value || c.allowed == std::array<int, 2>{0, 0}) continue;
    EXPECT_TRUE(*c.default_value == c.allowed[0] || *c.default_value == c.allowed[1]) << c.label;
  }
}

TEST(HostWorkbookTables, EveryBuiltSheetIsReachedFromTheDialogAndNamedOnce) {
  std::set<std::string> names, events, commands;
  for (const BuiltSheet& built : BuiltSheets()) {
    SCOPED_TRACE(built.sheet_name);
    EXPECT_TRUE(names.insert(built.sheet_name).second);
    EXPECT_TRUE(events.insert(built.event).second);
    EXPECT_TRUE(commands.insert(built.command).second);
    const host::DialogControl* button = host::FindDialogControl(built.event);
    ASSERT_NE(button, nullptr) << "no dialog control raises " << built.event;
    EXPECT_EQ(button->kind, host::DialogControlKind::kCommandButton);
    ASSERT_NE(button->event, nullptr);
    EXPECT_EQ(std::string(button->event), built.event);
    EXPECT_EQ(BuiltSheetOfEvent(built.event), &built);
    EXPECT_EQ(BuiltSheetNamed(built.sheet_name), &built);
    EXPECT_NE(std::string(built.progress_caption).find(built.sheet_name), std::string::npos);
  }
  EXPECT_EQ(BuiltSheetOfEvent(host::kHelpButton), nullptr);
  EXPECT_EQ(BuiltSheetNamed("DTB"), nullptr);
}

// What the default DTB holds in a cell, by (row, column).
std::map<std::pair<int, int>, host::Variant> CellsOf(const DefaultSheet& sheet) {
  std::map<std::pair<int, int>, host::Variant> cells;
  for (const DefaultCell& cell : sheet.cells) {
    const bool fresh = cells.emplace(std::pair{cell.row, cell.column}, cell.value).second;
    EXPECT_TRUE(fresh) << sheet.name << " writes " << cell.row << "," << cell.column << " twice";
  }
  return cells;
}

TEST(DefaultContent, DtbHoldsEveryDefaultAndEveryKindsBlock) {
  const std::vector<DefaultSheet> sheets = DefaultHostSheets(year{2026} / December / 10);
  ASSERT_EQ(sheets.size(), 4u);
  EXPECT_EQ(sheets[0].name, info::kSheetName);
  EXPECT_EQ(sheets[1].name, settings::kSheetName);
  EXPECT_EQ(sheets[2].name, settings::holidays::kSheetName);
  EXPECT_EQ(sheets[3].name, school_items::kSheetName);
  const auto dtb = CellsOf(sheets[1]);
  CellsOf(sheets[0]);
  CellsOf(sheets[2]);
  CellsOf(sheets[3]);
  for (const auto& [column, owner] : ClaimedColumns())
    EXPECT_TRUE(dtb.count({1, column})) << "no heading over " << owner;
  for (const settings::SettingsColumn& c : settings::kSettingsColumns) {
    if (c.default_value) {
      EXPECT_EQ(dtb.at({settings::kRow, c.column}), host::Variant(*c.default_value)) << c.label;
    }
  }
  for (const BuiltSheet& built : BuiltSheets()) {
    EXPECT_EQ(dtb.at({1, built.key_column}), host::Variant(std::string(built.sheet_name) + "页面键"));
    EXPECT_FALSE(dtb.count({settings::kRow, built.key_column})) << "a new workbook has applied no page setup";
    for (int key = settings::kFirstPageSetupRow; key <= settings::kLastPageSetupRow; ++key) {
      const auto& d = (*built.page_defaults)[static_cast<std::size_t>(key - settings::kFirstPageSetupRow)];
      EXPECT_EQ(dtb.at({key, built.setup_first_column + 5}), host::Variant(d.zoom)) << built.sheet_name << key;
    }
  }
}

TEST(DefaultContent, TheTermFollowsTheMonthTheWorkbookIsMadeIn) {
  struct Case {
    Date today;
    Date start, end;
    const char* title;
  };
  const Case cases[] = {
      {year{2026} / August / 1, year{2026} / September / 1, year{2027} / January / 31, "2026—2027学年第一学期校历"},
      {year{2027} / January / 31, year{2026} / September / 1, year{2027} / January / 31, "2026—2027学年第一学期校历"},
      {year{2027} / February / 1, year{2027} / March / 1, year{2027} / July / 31, "2026—2027学年第二学期校历"},
      {year{2027} / July / 31, year{2027} / March / 1, year{2027} / July / 31, "2026—2027学年第二学期校历"},
  };
  for (const Case& c : cases) {
    const std::vector<DefaultSheet> sheets = DefaultHostSheets(c.today);
    const auto info = CellsOf(sheets[0]);
    const auto dtb = CellsOf(sheets[1]);
    EXPECT_EQ(info.at({info::kTextRow, info::kTitleColumn}), host::Variant(c.title));
    EXPECT_EQ(dtb.at({settings::kRow, settings::kStartDateColumn}), host::Variant::Date(DateToSerial(c.start)));
    EXPECT_EQ(dtb.at({settings::kRow, settings::kEndDateColumn}), host::Variant::Date(DateToSerial(c.end)));
  }
}

}  // namespace
}  // namespace tavo::hostbook
