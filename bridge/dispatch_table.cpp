#include "bridge/dispatch_table.h"

#include <array>

#include "bridge/date_and_option_entry.h"
#include "bridge/dialog_setup.h"
#include "bridge/info_and_help.h"
#include "bridge/settings_sheet.h"
#include "host/dialog_controls.h"
#include "sheets/build_commands.h"

namespace tavo::bridge {
namespace {

void BuildSchoolCalendar(EventCall& c) {
  sheets::BuildSchoolCalendar(c.engine, c.ea, c.uf, c.platform);
}
void BuildCalendar(EventCall& c) { sheets::BuildCalendar(c.engine, c.ea, c.uf, c.platform); }
void ShowInfoSheet(EventCall& c) { bridge::ShowInfoSheet(c.ea); }
void Initialize(EventCall& c) { OnInitialize(c.ea, c.uf, c.platform); }
void DateEntered(EventCall& c) { OnDateEntered(c.ea, c.uf, c.platform, c.event); }
void OptionChosen(EventCall& c) { StoreOption(c.ea, c.event); }
void HolidayMarksChosen(EventCall& c) { StoreHolidayMarks(c.ea, c.uf); }
void OpenHelp(EventCall& c) { OpenHelpDocument(c.ea, c.platform); }  // the dialog stays untouched

struct EventRoute {
  std::string_view event;
  EventHandler handler;
};

// Compared in this order; the first match runs.
constexpr std::array<EventRoute, 16> kRoutes{{
    {host::kSchoolCalendarButton, BuildSchoolCalendar},
    {host::kCalendarButton, BuildCalendar},
    {host::kInfoSheetButton, ShowInfoSheet},
    {host::kInitializeEvent, Initialize},
    {host::kStartDateBox, DateEntered},
    {host::kEndDateBox, DateEntered},
    {host::kMondayFirstOption, OptionChosen},
    {host::kSundayFirstOption, OptionChosen},
    {host::kWithColorOption, OptionChosen},
    {host::kNoColorOption, OptionChosen},
    {host::kVerticalOption, OptionChosen},
    {host::kHorizontalOption, OptionChosen},
    {host::kStyle1Option, OptionChosen},
    {host::kStyle2Option, OptionChosen},
    {host::kHelpButton, OpenHelp},
    {host::kHolidayMarksBox, HolidayMarksChosen},
}};

}  // namespace

EventHandler FindHandler(std::string_view event) {
  for (const EventRoute& route : kRoutes)
    if (route.event == event) return route.handler;
  return nullptr;
}

}  // namespace tavo::bridge
