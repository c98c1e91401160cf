// The dialog's control table held against every dialog made from it or
// beside it: the LibreOffice dialog and its Basic handlers, the VBA form
// and its code, and the events the bridge dispatches.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "bridge/dispatch_table.h"
#include "dialog_controls/office_dialog_files.h"
#include "host/dialog_controls.h"
#include "workbook/vba/tavo_dialog.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using host::DialogControl;
using host::DialogControlKind;
using office_files::OfficeDialog;

const fs::path kOffice = fs::path(TAVO_SOURCE_DIR) / "packaging" / "office";

const OfficeDialog& Xdl() {
  static const OfficeDialog dialog = [] {
    std::string error;
    OfficeDialog read = office_files::ReadOfficeDialog((kOffice / "dialogs/Tavo/TavoDialog.xdl").string(), error);
    EXPECT_EQ(error, "");
    return read;
  }();
  return dialog;
}

const std::map<std::string, std::string>& Subs() {
  static const std::map<std::string, std::string> subs = [] {
    std::string error;
    const std::string basic = office_files::ReadBasicModule((kOffice / "basic/Tavo/Dialog.xba").string(), error);
    EXPECT_EQ(error, "");
    return office_files::BasicSubs(basic);
  }();
  return subs;
}

std::vector<const DialogControl*> Controls(bool (DialogControl::*in)() const) {
  std::vector<const DialogControl*> found;
  for (const DialogControl& c : host::DialogControls())
    if ((c.*in)()) found.push_back(&c);
  return found;
}

std::vector<std::string> Expected(const char* event) {
  if (!event) return {};
  return {event};
}

TEST(DialogControls, TableNamesEachControlOnceInSomeDialog) {
  std::set<std::string> names;
  for (const DialogControl& c : host::DialogControls()) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(names.insert(c.name).second) << "named twice";
    EXPECT_NE(c.dialogs & host::kInBoth, 0u) << "in no dialog";
    // Only option buttons exclude each other; a group elsewhere means nothing.
    EXPECT_EQ(c.group != nullptr, c.kind == DialogControlKind::kOptionButton);
    EXPECT_NE(host::FindDialogControl(c.name), nullptr);
  }
  EXPECT_EQ(host::FindDialogControl("txtbdate"), nullptr);  // names match exactly
}

TEST(DialogControls, OfficeDialogHasTheTablesControlsWithTheirKindAndCaption) {
  ASSERT_FALSE(Xdl().controls.empty());
  for (const DialogControl* c : Controls(&DialogControl::InOffice)) {
    SCOPED_TRACE(c->name);
    auto it = Xdl().controls.find(c->name);
    ASSERT_NE(it, Xdl().controls.end()) << "missing from TavoDialog.xdl";
    EXPECT_EQ(it->second.kind, c->kind) << it->second.element;
    EXPECT_EQ(it->second.caption, c->office_caption);
  }
}

TEST(DialogControls, EveryControlOfTheOfficeDialogIsInTheTableForIt) {
  for (const auto& [name, control] : Xdl().controls) {
    SCOPED_TRACE(name);
    const DialogControl* c = host::FindDialogControl(name);
    ASSERT_NE(c, nullptr) << "not in host/dialog_controls.cpp";
    EXPECT_TRUE(c->InOffice()) << "the table keeps it for the form only";
    EXPECT_TRUE(control.kind.has_value()) << control.element;
  }
}

// The control's events reach MyFun exactly once, with the table's event;
// a control without one sends nothing.
TEST(DialogControls, OfficeHandlersSendTheTablesEvents) {
  for (const DialogControl* c : Controls(&DialogControl::InOffice)) {
    SCOPED_TRACE(c->name);
    auto it = Xdl().controls.find(c->name);
    if (it == Xdl().controls.end()) continue;  // reported above
    std::vector<std::string> sent;
    for (const std::string& handler : it->second.handlers) {
      auto sub = Subs().find(handler);
      if (sub == Subs().end()) {
        ADD_FAILURE() << "binds " << handler << ", which Dialog.xba has no Sub for";
        continue;
      }
      for (const std::string& event : office_files::FiredEvents(sub->second, c->name)) sent.push_back(event);
    }
    EXPECT_EQ(sent, Expected(c->event));
  }
}

TEST(DialogControls, OfficeOptionGroupsAreTheTablesGroups) {
  std::map<std::string, std::set<std::string>> by_group;
  for (const DialogControl* c : Controls(&DialogControl::InOffice))
    if (c->kind == DialogControlKind::kOptionButton) by_group[c->group].insert(c->name);
  std::set<std::set<std::string>> table, xdl;
  for (const auto& [group, names] : by_group) table.insert(names);
  for (const std::vector<std::string>& group : Xdl().radio_groups) xdl.insert({group.begin(), group.end()});
  EXPECT_EQ(xdl, table);
}

vba::ControlKind FormKindOf(DialogControlKind kind) {
  switch (kind) {
    case DialogControlKind::kLabel: return vba::ControlKind::kLabel;
    case DialogControlKind::kTextBox: return vba::ControlKind::kTextBox;
    case DialogControlKind::kOptionButton: return vba::ControlKind::kOptionButton;
    case DialogControlKind::kCheckBox: return vba::ControlKind::kCheckBox;
    case DialogControlKind::kCommandButton: return vba::ControlKind::kCommandButton;
    case DialogControlKind::kFrame: break;
  }
  ADD_FAILURE() << "the form has no frames";
  return vba::ControlKind::kLabel;
}

TEST(DialogControls, FormHasTheTablesFormControlsInItsOrder) {
  const vba::FormSpec form = vba::TavoDialog();
  const std::vector<const DialogControl*> want = Controls(&DialogControl::InForm);
  ASSERT_EQ(form.controls.size(), want.size());
  std::set<int> tabs;
  for (size_t i = 0; i < want.size(); ++i) {
    const DialogControl& c = *want[i];
    const vba::FormControlSpec& got = form.controls[i];
    SCOPED_TRACE(c.name);
    EXPECT_EQ(got.name, c.name);
    EXPECT_EQ(got.kind, FormKindOf(c.kind));
    EXPECT_EQ(got.caption, c.form_caption);
    EXPECT_EQ(got.group_name, c.group ? c.group : "");
    EXPECT_EQ(got.left, c.form.left);
    EXPECT_EQ(got.top, c.form.top);
    EXPECT_EQ(got.width, c.form.width);
    EXPECT_EQ(got.height, c.form.height);
    EXPECT_EQ(got.tab_index, c.form.tab_index);
    tabs.insert(c.form.tab_index);
  }
  // One tab stop each, 0 to n - 1.
  EXPECT_EQ(tabs.size(), want.size());
  EXPECT_EQ(*tabs.rbegin(), static_cast<int>(want.size()) - 1);
}

// The form's code: each event-raising control forwards its event from the
// event procedure of its kind, and nothing else is forwarded.
TEST(DialogControls, FormCodeForwardsTheTablesEvents) {
  const std::string code = vba::DialogCode();
  std::set<std::string> want{host::kInitializeEvent};
  for (const DialogControl* c : Controls(&DialogControl::InForm)) {
    if (!c->event) continue;
    SCOPED_TRACE(c->name);
    want.insert(c->event);
    const std::string procedure = c->kind == DialogControlKind::kTextBox ? "_AfterUpdate" : "_Click";
    const std::regex sub("Private Sub " + std::string(c->name) + procedure + "\\(\\)[^\r]*\r\n    Forward \"" +
                         c->event + "\"\r\n");
    EXPECT_TRUE(std::regex_search(code, sub)) << code;
  }
  std::set<std::string> forwarded;
  const std::regex forward("Forward \"([^\"]*)\"");
  for (auto it = std::sregex_iterator(code.begin(), code.end(), forward); it != std::sregex_iterator(); ++it)
    forwarded.insert((*it)[1]);
  EXPECT_EQ(forwarded, want);
}

TEST(DialogControls, BridgeHandlesEveryEventAndNoSilentControl) {
  EXPECT_NE(bridge::FindHandler(host::kInitializeEvent), nullptr);
  for (const DialogControl& c : host::DialogControls()) {
    SCOPED_TRACE(c.name);
    if (c.event) {
      EXPECT_NE(bridge::FindHandler(c.event), nullptr);
    } else {
      EXPECT_EQ(bridge::FindHandler(c.name), nullptr);
    }
  }
}

// The readers of the two files, on the forms the handlers take.
TEST(DialogControls, BasicReaderFindsWhatEachSubFires) {
  const auto subs = office_files::BasicSubs(
      "Sub A_Click : Fire(\"A\") : End Sub\n"
      "Sub B_Click : CloseDialog : End Sub\n"
      "\tSub C(oEvent As Object)\n"
      "\tIf oEvent.Source.Model.State = 1 Then Fire(oEvent.Source.Model.Name)\n"
      "End Sub\n"
      "Sub D : Fire \"D\" : End Sub\n"
      "Sub E : gTavoMyxl.MyFun(gTavoDoc, gTavoDlg, \"E\") : End Sub\n"
      "Sub Fire(sFlag As String)\n"
      "\tgTavoFired = sFlag\n"
      "End Sub\n");
  const struct {
    const char* sub;
    std::vector<std::string> fired;
  } cases[] = {
      {"A_Click", {"A"}},
      {"B_Click", {}},
      {"C", {"optX"}},
      {"D", {"?Fire without parentheses"}},
      {"E", {"?MyFun"}},
      {"Fire", {}},
  };
  EXPECT_EQ(subs.size(), std::size(cases));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sub);
    ASSERT_TRUE(subs.contains(c.sub));
    EXPECT_EQ(office_files::FiredEvents(subs.at(c.sub), "optX"), c.fired);
  }
}

}  // namespace
}  // namespace tavo
