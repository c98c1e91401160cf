#pragma once
// A dialog held in memory: control values by name and a caption. The command
// line fills it from its arguments and hands it to the bridge.
#include <map>
#include <string>

#include "host/dialog.h"

namespace tavo::workbook {

class MemoryDialog : public host::Dialog {
 public:
  explicit MemoryDialog(std::string caption = {}) : caption_(std::move(caption)) {}

  // Empty for a control never set, as an untouched text box reads.
  host::Variant ControlValue(const std::string& control) override;
  void SetControlValue(const std::string& control, const host::Variant& value) override;
  std::string Caption() override { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }

  const std::map<std::string, host::Variant>& Values() const { return values_; }

 private:
  std::string caption_;
  std::map<std::string, host::Variant> values_;
};

}  // namespace tavo::workbook
