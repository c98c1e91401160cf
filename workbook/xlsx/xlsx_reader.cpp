#include <filesystem>

#include "hostbook/built_sheets.h"
#include "workbook/xlsx/number_formats.h"
#include "workbook/xlsx/opc_names.h"
#include "workbook/xlsx/package_layout.h"
#include "workbook/xlsx/palette.h"
#include "workbook/xlsx/xlsx_original.h"
#include "workbook/xlsx/xml_part.h"

namespace tavo::xlsx {

XlsxOriginal::XlsxOriginal(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
XlsxOriginal::~XlsxOriginal() = default;

namespace {

bool ReadsCells(const std::string& name) {
  return name == kSettingsSheet || name == kInfoSheet || name == kHolidaySheet || name == kSchoolItemsSheet;
}
bool ReadsPageSetup(const std::string& name) {
  return hostbook::BuiltSheetNamed(name) != nullptr;
}

LoadedWorkbook Load(std::unique_ptr<ZipPackage> package) {
  const std::string file = package->label();
  auto impl = std::make_unique<XlsxOriginal::Impl>();
  PackageEdit view(package.get());
  PackageLayout layout = ReadPackageLayout(view, file);

  LoadedWorkbook loaded;
  workbook::WorkbookModel& model = loaded.model;
  CellContext context;
  if (!layout.styles_part.empty() && view.Exists(layout.styles_part)) {
    pugi::xml_document styles;
    ParseXmlPart(styles, view.Read(layout.styles_part), file, layout.styles_part);
    model.palette = ReadPalette(styles, model.palette);
    for (pugi::xml_node xf : Child(styles.document_element(), "cellXfs").children()) {
      if (xf.type() == pugi::node_element) {
        context.quote_prefix.push_back(xf.attribute("quotePrefix").as_bool());
      }
    }
    context.date_style = DateStyles(styles);
  }
  impl->palette_as_loaded = model.palette;

  bool strings_read = false;
  for (size_t i = 0; i < layout.sheets.size(); ++i) {
    const SheetEntry& entry = layout.sheets[i];
    if (!entry.is_worksheet) continue;
    if (static_cast<int>(i) == layout.active_tab) model.active_sheet = model.sheets.size();
    workbook::Worksheet& sheet = model.AppendSheet(entry.name);
    sheet.visible = entry.visible;
    sheet.source_part = entry.part;
    if (!ReadsCells(entry.name) && !ReadsPageSetup(entry.name)) continue;

    pugi::xml_document doc;
    ParseXmlPart(doc, view.Read(entry.part), file, entry.part);
    if (ReadsPageSetup(entry.name)) sheet.page_setup = ReadPageSetup(doc);
    if (!ReadsCells(entry.name)) continue;
    if (!strings_read && !layout.shared_strings_part.empty() &&
        view.Exists(layout.shared_strings_part)) {
      pugi::xml_document strings;
      ParseXmlPart(strings, view.Read(layout.shared_strings_part), file,
                   layout.shared_strings_part);
      context.shared_strings = ReadSharedStrings(strings);
      strings_read = true;
    }
    std::vector<CellValue> cells = ReadCellValues(doc, context, file);
    for (const CellValue& cell : cells) {
      workbook::CellFormat format;
      format.source_style = cell.style;
      if (cell.value.IsDate()) format.number_format = workbook::kShortDateFormat;
      sheet.cells.SetValue(cell.row, cell.column, cell.value, cell.quote_prefix, format);
    }
    impl->loaded_cells[entry.part] = std::move(cells);
    sheet.modified = false;
  }
  for (workbook::Worksheet& sheet : model.sheets) sheet.modified = false;
  impl->package = std::move(package);
  loaded.original = std::make_unique<XlsxOriginal>(std::move(impl));
  return loaded;
}

}  // namespace

LoadedWorkbook LoadXlsx(const std::string& path) {
  LoadedWorkbook loaded = Load(ZipPackage::OpenFile(path));
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  loaded.model.path = ec ? std::string() : absolute.parent_path().string();
  return loaded;
}

LoadedWorkbook LoadXlsxBytes(std::string bytes, const std::string& label) {
  return Load(ZipPackage::OpenBytes(std::move(bytes), label));
}

}  // namespace tavo::xlsx
