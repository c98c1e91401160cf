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

Outcome BuildKind(EventCall& c) {
  const sheets::BuildOutcome outcome =
      sheets::BuildSheet(*sheets::KindOfEvent(c.event), c.engine, c.ea, c.uf, c.platform);
  return outcome == sheets::BuildOutcome::kBuilt ? Outcome::kBuilt : Outcome::kStopped;
}
Outcome ShowInfoSheet(EventCall& c) {
  bridge::ShowInfoSheet(c.ea);
  return Outcome::kDone;
}
Outcome Initialize(EventCall& c) {
  OnInitialize(c.ea, c.uf, c.platform);
  return Outcome::kDone;
}
Outcome DateEntered(EventCall& c) {
  OnDateEntered(c.ea, c.uf, c.platform, c.event);
  return Outcome::kDone;
}
Outcome OptionChosen(EventCall& c) {
  StoreOption(c.ea, c.event);
  return Outcome::kDone;
}
Outcome HolidayMarksChosen(EventCall& c) {
  StoreHolidayMarks(c.ea, c.uf);
  return Outcome::kDone;
}
Outcome OpenHelp(EventCall& c) {
  OpenHelpDocument(c.ea, c.platform);  // the dialog stays untouched
  return Outcome::kDone;
}

struct EventRoute {
  std::string_view event;
  EventHandler handler;
};

// Compared in this order; the first match runs.
constexpr std::array<EventRoute, 14> kRoutes{{
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
  if (sheets::KindOfEvent(event) != nullptr) return BuildKind;
  for (const EventRoute& route : kRoutes)
    if (route.event == event) return route.handler;
  return nullptr;
}

}  // namespace tavo::bridge
