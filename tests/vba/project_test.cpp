// The dialog's VBA project and the macro workbook that carries it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cctype>
#include <set>
#include <sstream>

#include "common/error.h"
#include "workbook/vba/bytes.h"
#include "workbook/vba/dir_stream.h"
#include "workbook/vba/tavo_dialog.h"
#include "workbook/vba/vba_reader.h"
#include "workbook/xlsx/macro_workbook.h"
#include "workbook/xlsx/zip_package.h"

namespace tavo::vba {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

const std::vector<std::string> kSheets = {"Sheet1", "Sheet2", "Sheet3"};

TEST(TavoProject, EveryModuleSourceReadsBackExactly) {
  Project project = TavoProject(kSheets);
  ProjectContents back = ReadVbaProject(WriteVbaProject(project));
  ASSERT_EQ(back.dir.modules.size(), project.modules.size());
  EXPECT_EQ(back.dir.code_page, 936);
  EXPECT_EQ(back.dir.project_name, "VBAProject");
  for (const Module& m : project.modules) {
    EXPECT_EQ(back.sources.at(m.name), m.source) << m.name;
  }
  for (const DirModule& m : back.dir.modules) {
    EXPECT_EQ(m.procedural, m.name == kMacroModule) << m.name;
  }
  ASSERT_EQ(back.dir.references.size(), 2u);
  EXPECT_EQ(back.dir.references[0].name, "stdole");
  EXPECT_EQ(back.dir.references[1].name, "MSForms");
  // The form's storage sits beside the VBA storage, named as its module.
  for (const char* stream : {"frmTavo/f", "frmTavo/o", "frmTavo/\x03VBFrame", "frmTavo/\x01" "CompObj",
                             "PROJECTwm", "VBA/_VBA_PROJECT"}) {
    EXPECT_TRUE(back.file.streams.count(stream)) << stream;
  }
  // No compiled code: the version-dependent stream is its 7-byte header only.
  EXPECT_EQ(back.file.streams.at("VBA/_VBA_PROJECT").size(), 7u);
}

// The dir stream as the desktop program writes it for a project with a form.
TEST(TavoProject, DirStreamMatchesTheDesktopFiles) {
  ProjectContents back = ReadVbaProject(WriteVbaProject(TavoProject(kSheets)));
  const DirReference& stdole = back.dir.references.at(0);
  EXPECT_FALSE(stdole.control);
  EXPECT_EQ(stdole.libid.rfind("*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#", 0), 0u);
  // The forms library: a control reference with the all-zero twiddled
  // library and its name record inside.
  const DirReference& forms = back.dir.references.at(1);
  EXPECT_TRUE(forms.control);
  EXPECT_EQ(forms.libid.rfind("*\\G{0D452EE1-E08F-101A-852E-02608C4D0BB4}#2.0#0#", 0), 0u);
  EXPECT_EQ(forms.twiddled_libid, "*\\G{00000000-0000-0000-0000-000000000000}#0.0#0##");
  EXPECT_EQ(forms.extended_name, "MSForms");
  EXPECT_NE(forms.extended_libid.find("MSForms.exd"), std::string::npos);
  EXPECT_EQ(forms.original_guid, GuidBytes("{0D452EE1-E08F-101A-852E-02608C4D0BB4}"));
  // MODULEPRIVATE on the form module and on no other.
  for (const DirModule& m : back.dir.modules) {
    EXPECT_EQ(m.is_private, m.name == kDialogName) << m.name;
    EXPECT_FALSE(m.read_only) << m.name;
    EXPECT_EQ(m.text_offset, 0u) << m.name;
  }
}

// Records out of their place are refused rather than filed under the wrong
// module or reference.
TEST(DirRecords, RefuseRecordsOutOfPlace) {
  auto record = [](std::uint32_t id, const std::string& data) {
    std::string out;
    out.push_back(static_cast<char>(id & 0xFF));
    out.push_back(static_cast<char>(id >> 8));
    std::uint32_t n = static_cast<std::uint32_t>(data.size());
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>((n >> (8 * k)) & 0xFF));
    return out + data;
  };
  const std::string code_page = record(0x0003, std::string("\xA8\x03", 2));  // 936
  const std::string end = record(0x0010, "");
  const std::pair<const char*, std::string> cases[] = {
      {"module stream name before any module", record(0x001A, "x")},
      {"MODULEPRIVATE before any module", record(0x0028, "")},
      {"control reference before any reference", record(0x002F, std::string(10, '\0'))},
      {"extended part of a registered reference",
       record(0x0016, "stdole") + record(0x000D, std::string(10, '\0')) + record(0x0030, std::string(32, '\0'))},
      {"truncated record", record(0x0019, "frmTavo").substr(0, 8)},
  };
  for (const auto& [what, body] : cases) {
    EXPECT_THROW(ReadDirRecords(code_page + body + end), Error) << what;
  }
  EXPECT_NO_THROW(ReadDirRecords(code_page + end));
}

// Both copies of the help file path are MBCS, the second equal to the first.
TEST(TavoProject, HelpFilePathIsStoredTwiceInTheCodePage) {
  Project project = TavoProject(kSheets);
  project.help_file = "C:\\校历\\帮助.chm";
  ProjectContents back = ReadVbaProject(WriteVbaProject(project));
  EXPECT_EQ(back.dir.help_file, project.help_file);
  EXPECT_EQ(back.dir.help_file_copy, project.help_file);
  EXPECT_EQ(ReadVbaProject(WriteVbaProject(TavoProject(kSheets))).dir.help_file_copy, "");
}

// The form module's second line is its VB_Base: "0" and two GUIDs of its own.
TEST(TavoProject, FormModuleCarriesItsOwnBaseLine) {
  ProjectContents back = ReadVbaProject(WriteVbaProject(TavoProject(kSheets)));
  const std::string& source = back.sources.at(kDialogName);
  const std::string first = "Attribute VB_Name = \"frmTavo\"\r\n";
  ASSERT_EQ(source.rfind(first, 0), 0u);
  const std::string second = source.substr(first.size(), source.find("\r\n", first.size()) - first.size());
  // "0", then two "{8-4-4-4-12}" GUIDs in upper-case hex.
  auto is_guid = [](const std::string& g) {
    if (g.size() != 38 || g.front() != '{' || g.back() != '}') return false;
    for (size_t i = 1; i < 37; ++i) {
      const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
      if (dash != (g[i] == '-')) return false;
      if (!dash && !std::isxdigit(static_cast<unsigned char>(g[i]))) return false;
      if (!dash && std::islower(static_cast<unsigned char>(g[i]))) return false;
    }
    return true;
  };
  const std::string head = "Attribute VB_Base = \"0";
  ASSERT_EQ(second.rfind(head, 0), 0u) << second;
  ASSERT_EQ(second.size(), head.size() + 2 * 38 + 1) << second;
  ASSERT_EQ(second.back(), '"');
  const std::string first_guid = second.substr(head.size(), 38), second_guid = second.substr(head.size() + 38, 38);
  EXPECT_TRUE(is_guid(first_guid)) << first_guid;
  EXPECT_TRUE(is_guid(second_guid)) << second_guid;
  EXPECT_NE(first_guid, second_guid);
  // Not the host's document classes, which only document modules derive from.
  for (const auto& [name, text] : back.sources) {
    if (name == kDialogName) continue;
    EXPECT_EQ(text.find(first_guid), std::string::npos) << name;
    EXPECT_EQ(text.find(second_guid), std::string::npos) << name;
  }
  EXPECT_EQ(back.sources.at(kMacroModule).find("VB_Base"), std::string::npos);
}

TEST(TavoProject, ProjectStreamNamesEveryModuleByKind) {
  std::string text = ReadVbaProject(WriteVbaProject(TavoProject(kSheets))).project_text;
  for (const char* line : {"Document=ThisWorkbook/&H00000000\r\n", "Document=Sheet1/&H00000000\r\n",
                           "Document=Sheet3/&H00000000\r\n", "Module=modTavo\r\n", "BaseClass=frmTavo\r\n",
                           "Name=\"VBAProject\"\r\n", "[Host Extender Info]\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
}

TEST(TavoProject, FormFrameNamesTheDesignerAndCaption) {
  ProjectContents back = ReadVbaProject(WriteVbaProject(TavoProject(kSheets)));
  std::string frame = back.file.streams.at("frmTavo/\x03VBFrame");
  EXPECT_EQ(frame.rfind("VERSION 5.00\r\nBegin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} frmTavo ", 0), 0u);
  // The caption in the project's code page (GBK): 校 is C0 ED... decoded it reads as written.
  EXPECT_NE(frame.find("Caption         =   \"tavo "), std::string::npos);
}

TEST(TavoDialog, HasTheNamedControlsInPairsAndATabOrder) {
  FormSpec form = TavoDialog();
  std::set<int> tabs;
  std::map<std::string, const FormControlSpec*> by_name;
  for (const FormControlSpec& c : form.controls) {
    tabs.insert(c.tab_index);
    by_name[c.name] = &c;
    EXPECT_EQ(c.caption.find('&'), std::string::npos) << c.name;  // no accelerator marks
  }
  EXPECT_EQ(tabs.size(), form.controls.size());
  EXPECT_EQ(*tabs.begin(), 0);
  EXPECT_EQ(*tabs.rbegin(), static_cast<int>(form.controls.size()) - 1);
  const char* pairs[4][2] = {{"optYi", "optRi"}, {"optYu", "optWu"}, {"optShu", "optHng"}, {"optYS1", "optYS2"}};
  std::set<std::string> groups;
  for (auto& pair : pairs) {
    const FormControlSpec* a = by_name.at(pair[0]);
    const FormControlSpec* b = by_name.at(pair[1]);
    EXPECT_EQ(a->kind, ControlKind::kOptionButton);
    EXPECT_EQ(a->group_name, b->group_name) << pair[0];
    groups.insert(a->group_name);
  }
  EXPECT_EQ(groups.size(), 4u);  // each pair its own group
  const std::pair<const char*, const char*> buttons[] = {
      {"cmdDoXL", "生成校历表"}, {"cmdDoRL", "生成日历表"}, {"cmdEdit", "编辑信息表"}, {"cmdHelp", "帮助"}};
  for (auto& [name, caption] : buttons) {
    EXPECT_EQ(by_name.at(name)->kind, ControlKind::kCommandButton);
    EXPECT_EQ(by_name.at(name)->caption, caption);
  }
  EXPECT_EQ(by_name.at("txtBDate")->kind, ControlKind::kTextBox);
  EXPECT_EQ(by_name.at("txtEDate")->kind, ControlKind::kTextBox);
  // The date boxes come first in the tab order.
  EXPECT_EQ(by_name.at("txtBDate")->tab_index, 0);
  EXPECT_EQ(by_name.at("txtEDate")->tab_index, 1);
}

// docs/windows.md shows users the dialog code: it must be the code we write.
TEST(TavoDialog, DocumentedCodeIsTheGeneratedCode) {
  std::ifstream in(fs::path(TAVO_SOURCE_DIR) / "docs" / "windows.md");
  std::stringstream doc;
  doc << in.rdbuf();
  std::string text = doc.str();
  const std::string open = "```vb\n";
  size_t start = text.find(open);
  ASSERT_NE(start, std::string::npos);
  start += open.size();
  size_t end = text.find("```", start);
  std::string documented = text.substr(start, end - start);
  std::string generated;
  for (char c : DialogCode()) {
    if (c != '\r') generated.push_back(c);
  }
  EXPECT_EQ(documented, generated);
}

TEST(MacroWorkbook, CarriesTheProjectAndTheMacroContentType) {
  fs::path dir = fs::temp_directory_path() / ("tavo-vba-test-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string path = (dir / "校历.xlsm").string();
  xlsx::SaveMacroWorkbook(path, year{2024} / September / 2);
  auto package = xlsx::ZipPackage::OpenFile(path);
  std::string types = package->Read("[Content_Types].xml");
  EXPECT_NE(types.find("application/vnd.ms-excel.sheet.macroEnabled.main+xml"), std::string::npos);
  EXPECT_NE(types.find("application/vnd.ms-office.vbaProject"), std::string::npos);
  EXPECT_NE(package->Read("xl/_rels/workbook.xml.rels").find("relationships/vbaProject\" Target=\"vbaProject.bin\""),
            std::string::npos);
  std::string workbook = package->Read("xl/workbook.xml");
  EXPECT_NE(workbook.find("<workbookPr codeName=\"ThisWorkbook\"/>"), std::string::npos);
  size_t a = workbook.find("使用说明"), b = workbook.find("信息表"), c = workbook.find("\"DTB\"");
  EXPECT_TRUE(a < b && b < c);
  for (int i = 1; i <= 5; ++i) {
    std::string sheet = package->Read("xl/worksheets/sheet" + std::to_string(i) + ".xml");
    EXPECT_NE(sheet.find("codeName=\"Sheet" + std::to_string(i) + "\""), std::string::npos);
  }
  ProjectContents back = ReadVbaProject(package->Read("xl/vbaProject.bin"));
  EXPECT_EQ(back.sources.size(), 8u);  // ThisWorkbook, five sheets, the module, the form
  fs::remove_all(dir);
}

// The sheet button in one whole layout of the desktop files: the legacy
// drawing alone, with the macro on the shape.
TEST(MacroWorkbook, ButtonIsALegacyDrawingOnly) {
  fs::path dir = fs::temp_directory_path() / ("tavo-vba-button-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string path = (dir / "b.xlsm").string();
  xlsx::SaveMacroWorkbook(path, year{2024} / September / 2);
  auto package = xlsx::ZipPackage::OpenFile(path);
  std::string vml = package->Read("xl/drawings/vmlDrawing1.vml");
  EXPECT_NE(vml.find("<x:ClientData ObjectType=\"Button\">"), std::string::npos);
  EXPECT_NE(vml.find("<x:FmlaMacro>[0]!ShowTavoDialog</x:FmlaMacro>"), std::string::npos);
  EXPECT_NE(vml.find("打开校历对话框"), std::string::npos);
  int with_button = 0;
  for (int i = 1; i <= 4; ++i) {
    const std::string part = "xl/worksheets/sheet" + std::to_string(i) + ".xml";
    std::string sheet = package->Read(part);
    for (const char* absent : {"<controls", "x14", "mc:AlternateContent", "<drawing "}) {
      EXPECT_EQ(sheet.find(absent), std::string::npos) << part << " " << absent;
    }
    if (sheet.find("<legacyDrawing r:id=") == std::string::npos) continue;
    ++with_button;
    std::string rels = package->Read("xl/worksheets/_rels/sheet" + std::to_string(i) + ".xml.rels");
    EXPECT_NE(rels.find("relationships/vmlDrawing"), std::string::npos);
    EXPECT_EQ(rels.find("ctrlProp"), std::string::npos);
    EXPECT_EQ(rels.find("relationships/drawing\""), std::string::npos);
  }
  EXPECT_EQ(with_button, 1);
  for (const xlsx::ZipEntry& e : package->entries()) {
    EXPECT_EQ(e.name.find("ctrlProps/"), std::string::npos) << e.name;
    EXPECT_EQ(e.name.find("drawings/drawing"), std::string::npos) << e.name;
  }
  EXPECT_EQ(package->Read("[Content_Types].xml").find("controlproperties"), std::string::npos);
  fs::remove_all(dir);
}

TEST(MacroWorkbook, RefusesAMissingFolderOrAnotherExtensionAndWritesNothing) {
  fs::path dir = fs::temp_directory_path() / ("tavo-vba-missing-" + std::to_string(::getpid()));
  EXPECT_THROW(xlsx::SaveMacroWorkbook((dir / "x.xlsm").string(), year{2024} / March / 1), Error);
  EXPECT_FALSE(fs::exists(dir));
  fs::path here = fs::temp_directory_path() / ("tavo-vba-ext-" + std::to_string(::getpid()));
  fs::create_directories(here);
  for (const char* name : {"x.xlsx", "x", "x.xlsm.bak"}) {
    EXPECT_THROW(xlsx::SaveMacroWorkbook((here / name).string(), year{2024} / March / 1), Error) << name;
  }
  xlsx::SaveMacroWorkbook((here / "UPPER.XLSM").string(), year{2024} / March / 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(here), fs::directory_iterator()), 1);
  fs::remove_all(here);
}

}  // namespace
}  // namespace tavo::vba
