#pragma once
// A dialog stand-in for tests: control values by name, a caption, and a log
// of every value written, so tests can check what the handlers set.
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/error.h"
#include "host/dialog.h"

namespace tavo::testing {

class FakeDialog : public host::Dialog {
 public:
  host::Variant ControlValue(const std::string& control) override {
    auto it = values.find(control);
    return it == values.end() ? host::Variant() : it->second;
  }
  void SetControlValue(const std::string& control, const host::Variant& value) override {
    // A form made before a control existed refuses it, as the hosts do.
    if (missing.count(control)) throw Error("tavo", 438, "对象不支持该属性或方法: " + control);
    values[control] = value;
    writes.emplace_back(control, value);
  }
  std::string Caption() override { return caption; }

  std::map<std::string, host::Variant> values;
  std::set<std::string> missing;
  std::vector<std::pair<std::string, host::Variant>> writes;
  std::string caption = "校历表";
};

}  // namespace tavo::testing
