#include "cli/workbook_session.h"

#include <filesystem>

#include "workbook/embedded_host.h"
#include "workbook/xlsx/host_workbook.h"

namespace tavo::cli {

WorkbookSession::WorkbookSession(const std::string& path, host::Platform& platform)
    : platform_(platform), component_(platform_) {
  if (path.empty()) {
    model_ = std::make_shared<workbook::WorkbookModel>(xlsx::MakeHostWorkbook());
    model_->path = std::filesystem::current_path().string();
  } else {
    auto loaded = xlsx::LoadXlsx(path);
    model_ = std::make_shared<workbook::WorkbookModel>(std::move(loaded.model));
    original_ = std::move(loaded.original);
  }
  application_ = workbook::OpenEmbeddedApplication(model_);
}

WorkbookSession::~WorkbookSession() = default;

bridge::Outcome WorkbookSession::Fire(const std::string& event) { return component_.Run(*application_, dialog_, event); }

bridge::Outcome WorkbookSession::EnterDate(const std::string& box, const std::string& text) {
  dialog_.SetControlValue(box, host::Variant(text));
  return Fire(box);
}

bridge::Outcome WorkbookSession::Tick(const std::string& box, bool ticked) {
  dialog_.SetControlValue(box, host::Variant(ticked));
  return Fire(box);
}

void WorkbookSession::Save(const std::string& path) const {
  xlsx::SaveXlsx(*model_, original_.get(), path);
}

void WorkbookSession::SaveSingleSheet(const std::string& sheet_name, const std::string& path) const {
  workbook::WorkbookModel printed;
  printed.palette = model_->palette;
  printed.palette_modified = true;
  printed.column_count = model_->column_count;
  for (const auto& sheet : model_->sheets) {
    if (sheet.name != sheet_name) continue;
    workbook::Worksheet copy = sheet;
    copy.id = printed.NewSheetId();
    copy.source_part.clear();
    copy.modified = true;
    printed.sheets.push_back(std::move(copy));
  }
  xlsx::SaveXlsx(printed, nullptr, path);
}

OpenedWorkbook OpenWorkbook(const std::string& path, host::Platform& platform) {
  namespace fs = std::filesystem;
  OpenedWorkbook opened;
  if (!path.empty() && NeedsConversion(path)) {
    opened.converted = std::make_unique<ConvertedWorkbook>(path);
    opened.session = std::make_unique<WorkbookSession>(opened.converted->xlsx().string(), platform);
    opened.session->model().path = fs::absolute(path).parent_path().string();
  } else {
    opened.session = std::make_unique<WorkbookSession>(path, platform);
  }
  return opened;
}

}  // namespace tavo::cli
