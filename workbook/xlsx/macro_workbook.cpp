// SaveMacroWorkbook: the workbook is first written by SaveXlsx like every
// host workbook, then turned into a macro workbook: the macro-enabled
// content type, the VBA project part and its relationship, code names in
// the workbook and every sheet, and the instruction sheet's button.
#include "workbook/xlsx/macro_workbook.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/dates.h"
#include "workbook/vba/tavo_dialog.h"
#include "workbook/xlsx/content_types.h"
#include "workbook/xlsx/host_workbook.h"
#include "workbook/xlsx/macro_parts.h"
#include "workbook/xlsx/opc_names.h"
#include "workbook/xlsx/package_edit.h"
#include "workbook/xlsx/package_layout.h"
#include "workbook/xlsx/xlsx.h"
#include "workbook/xlsx/xlsx_error.h"
#include "workbook/xlsx/xml_part.h"

namespace tavo::xlsx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMacroWorkbookType = "application/vnd.ms-excel.sheet.macroEnabled.main+xml";
constexpr const char* kVbaProjectType = "application/vnd.ms-office.vbaProject";
constexpr const char* kVmlType = "application/vnd.openxmlformats-officedocument.vmlDrawing";
constexpr const char* kVbaProjectRel = "http://schemas.microsoft.com/office/2006/relationships/vbaProject";
constexpr const char* kVmlRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/vmlDrawing";
constexpr const char* kButtonCaption = "打开校历对话框";
constexpr int kButtonShapeId = 1025;

void Put(workbook::Worksheet& sheet, int row, const std::string& text, bool bold = false) {
  workbook::CellFormat format;
  format.bold = bold;
  sheet.cells.SetValue(row, 1, text, false, format);
}

void FillInstructions(workbook::Worksheet& sheet) {
  Put(sheet, 1, "tavo 校历工具：使用说明", true);
  Put(sheet, 3, "1. 先安装 tavo：tavo-版本号-user.msi 只为自己安装，无需管理员；tavo-版本号.msi 为本机所有用户安装。它注册校历组件 tavo.myxl。");
  Put(sheet, 4, "2. 打开本工作簿时，在安全警告栏点“启用内容”，允许运行宏。若提示宏已被阻止：关闭工作簿，右键文件 → 属性 → 勾选“解除锁定” → 确定，再打开。");
  Put(sheet, 5, "3. 点下面的“打开校历对话框”按钮，输入开始日期和结束日期，选择每周起始、颜色、方向和样式。");
  Put(sheet, 6, "4. 点“生成校历表”或“生成日历表”，工作表“校历表”或“日历表”随即重新生成。");
  Put(sheet, 7, "5. 校历的标题、说明和各周备注在“信息表”中编辑；设置保存在“DTB”中，请勿删除这两张工作表。");
  Put(sheet, 8, "“帮助”按钮打开与本工作簿同一文件夹中的 help.doc。");
  sheet.column_widths[1] = 100;
}

// A folder of our own for the first stage, removed whatever happens.
class StageFolder {
 public:
  StageFolder() {
    std::string pattern = (fs::temp_directory_path() / "tavo-xlsm-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      RaiseFileError(kPathFileAccess, "无法创建临时文件夹", "cannot create a temporary folder", pattern);
    }
    path_ = pattern;
  }
  ~StageFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  StageFolder(const StageFolder&) = delete;
  StageFolder& operator=(const StageFolder&) = delete;
  fs::path path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  if (!in) RaiseFileError(kPathFileAccess, "无法读取临时文件", "cannot read the temporary file", path.string());
  return out.str();
}

struct Xml {
  pugi::xml_document doc;
  std::string part;
  Xml(const PackageEdit& edit, std::string name, const std::string& file) : part(std::move(name)) {
    ParseXmlPart(doc, edit.Read(part), file, part);
  }
  pugi::xml_node root() { return doc.document_element(); }
  void Store(PackageEdit& edit) { edit.Put(part, SaveXmlPart(doc)); }
};

pugi::xml_node AddRel(pugi::xml_node rels, const std::string& id, const char* type, const std::string& target) {
  pugi::xml_node r = rels.append_child("Relationship");
  r.append_attribute("Id") = id.c_str();
  r.append_attribute("Type") = type;
  r.append_attribute("Target") = target.c_str();
  return r;
}

std::string FreeRelId(pugi::xml_node rels) {
  for (int n = 1;; ++n) {
    std::string id = "rId" + std::to_string(n);
    bool used = false;
    for (pugi::xml_node r : rels.children()) used = used || id == r.attribute("Id").value();
    if (!used) return id;
  }
}

// The first child of `parent` whose local name is one of `names`.
pugi::xml_node FirstOf(pugi::xml_node parent, std::initializer_list<const char*> names) {
  for (pugi::xml_node n : parent.children()) {
    for (const char* name : names) {
      if (n.type() == pugi::node_element && std::strcmp(LocalName(n.name()), name) == 0) return n;
    }
  }
  return {};
}

void SetCodeName(pugi::xml_node worksheet, const std::string& code_name) {
  pugi::xml_node pr = Child(worksheet, "sheetPr");
  if (!pr) pr = worksheet.prepend_child("sheetPr");
  pr.remove_attribute("codeName");
  pr.append_attribute("codeName") = code_name.c_str();
}

// The button as the 2007 desktop program lays it out, and as current ones
// open it: one legacy (VML) drawing with the button shape and its macro,
// named by <legacyDrawing> where the worksheet's element order has it,
// before header/footer pictures, OLE objects, controls, web items, tables
// and extensions. No DrawingML shape, <controls> or control-properties part:
// the later layout needs all three together, and half of it is a file no
// desktop program writes.
void AddButton(PackageEdit& edit, Xml& sheet, const std::string& file) {
  const std::string vml_part = "xl/drawings/vmlDrawing1.vml";
  const std::string rels_part = RelsPartFor(sheet.part);
  pugi::xml_document rels;
  if (edit.Exists(rels_part)) {
    ParseXmlPart(rels, edit.Read(rels_part), file, rels_part);
  } else {
    NewXmlDocument(rels);
    rels.append_child("Relationships").append_attribute("xmlns") = ns::kPackageRel;
  }
  pugi::xml_node rels_root = rels.document_element();
  const std::string vml_id = FreeRelId(rels_root);
  AddRel(rels_root, vml_id, kVmlRel, RelativeTarget(sheet.part, vml_part));
  edit.Put(rels_part, SaveXmlPart(rels));

  ButtonPlace place;
  place.column = 0;
  place.row = 9;
  place.left_px = 16;
  place.top_px = 4;
  place.width_px = 200;
  place.height_px = 40;
  // The host writes a macro of this workbook as "[0]!name".
  const std::string macro = std::string("[0]!") + vba::kDialogMacro;
  edit.Put(vml_part, ButtonVml(place, kButtonCaption, macro, kButtonShapeId));

  pugi::xml_node ws = sheet.root();
  pugi::xml_node before = FirstOf(ws, {"legacyDrawingHF", "drawingHF", "picture", "oleObjects", "controls",
                                       "webPublishItems", "tableParts", "extLst"});
  pugi::xml_node legacy = before ? ws.insert_child_before("legacyDrawing", before) : ws.append_child("legacyDrawing");
  legacy.append_attribute("r:id") = vml_id.c_str();
}

}  // namespace

void SaveMacroWorkbook(const std::string& path, Date today) {
  // The host opens a macro workbook only under the .xlsm extension; under
  // any other it refuses the file as damaged.
  std::string ext = fs::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext != ".xlsm") {
    RaiseFileError(kBadFileFormat, "带宏的工作簿须以 .xlsm 为扩展名", "a macro workbook must be named .xlsm", path);
  }
  CheckOutputPath(path);
  workbook::WorkbookModel model = MakeHostWorkbook(today);
  FillInstructions(model.AppendSheet(kInstructionSheet));
  model.sheets.back().modified = true;
  std::rotate(model.sheets.begin(), model.sheets.end() - 1, model.sheets.end());
  model.active_sheet = 0;

  StageFolder stage;
  const fs::path staged = stage.path() / "stage.xlsx";
  SaveXlsx(model, nullptr, staged.string());
  auto package = ZipPackage::OpenBytes(ReadWhole(staged), path);
  PackageEdit edit(package.get());
  PackageLayout layout = ReadPackageLayout(edit, path);

  // Code names: the workbook's, and Sheet1... in tab order.
  std::vector<std::string> code_names;
  for (size_t i = 0; i < layout.sheets.size(); ++i) {
    const std::string code_name = "Sheet" + std::to_string(i + 1);
    code_names.push_back(code_name);
    Xml sheet(edit, layout.sheets[i].part, path);
    SetCodeName(sheet.root(), code_name);
    if (layout.sheets[i].name == kInstructionSheet) AddButton(edit, sheet, path);
    sheet.Store(edit);
  }
  Xml workbook(edit, layout.workbook_part, path);
  pugi::xml_node wb = workbook.root();
  pugi::xml_node pr = Child(wb, "workbookPr");
  if (!pr) {
    pugi::xml_node after = FirstOf(wb, {"fileSharing", "fileVersion"});
    pr = after ? wb.insert_child_after("workbookPr", after) : wb.prepend_child("workbookPr");
  }
  pr.remove_attribute("codeName");
  pr.append_attribute("codeName") = vba::kWorkbookCodeName;
  workbook.Store(edit);

  const std::string vba_part = "xl/vbaProject.bin";
  edit.Put(vba_part, vba::WriteVbaProject(vba::TavoProject(code_names)));
  Xml rels(edit, RelsPartFor(layout.workbook_part), path);
  AddRel(rels.root(), FreeRelId(rels.root()), kVbaProjectRel, RelativeTarget(layout.workbook_part, vba_part));
  rels.Store(edit);

  Xml types(edit, "[Content_Types].xml", path);
  ContentTypes content_types(types.doc);
  content_types.AddOverride(layout.workbook_part, kMacroWorkbookType);
  content_types.EnsureDefault("bin", kVbaProjectType);
  content_types.EnsureDefault("vml", kVmlType);
  types.Store(edit);

  edit.Save(path);
}

void SaveMacroWorkbook(const std::string& path) { SaveMacroWorkbook(path, LocalToday()); }

}  // namespace tavo::xlsx
