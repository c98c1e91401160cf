#include "workbook/vba/tavo_dialog.h"

#include "workbook/vba/code_page.h"

namespace tavo::vba {
namespace {

// The host's own coclasses that document modules derive from.
constexpr const char* kWorkbookBase = "0{00020819-0000-0000-C000-000000000046}";
constexpr const char* kWorksheetBase = "0{00020820-0000-0000-C000-000000000046}";

constexpr const char* kProjectId = "{6B1F3C2A-9D4E-4A57-8C21-3E5F7A9B0D14}";

// The form class's own base line, "0" then two GUIDs of the form: the
// desktop program writes one in every form module, and rebuilds the form
// class from it when there is no compiled cache. Ours are fixed so the file
// is the same from one run to the next.
constexpr const char* kDialogBase = "0{AE4DE13C-5E9F-4431-9614-7BDC105660A3}{2721B7F7-04F4-4C72-875C-761B544B26B4}";

constexpr const char* kDialogCode =
    "' Code module of the dialog.\r\n"
    "Private calendarMaker As Object\r\n"
    "\r\n"
    "Private Sub Forward(ByVal eventName As String)\r\n"
    "    calendarMaker.MyFun Application, Me, eventName\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub UserForm_Initialize()\r\n"
    "    Set calendarMaker = CreateObject(\"tavo.myxl\")\r\n"
    "    Forward \"Initialize\"\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub cmdDoXL_Click()   ' build 校历表\r\n"
    "    Forward \"cmdDoXL\"\r\n"
    "End Sub\r\n"
    "Private Sub cmdDoRL_Click()   ' build 日历表\r\n"
    "    Forward \"cmdDoRL\"\r\n"
    "End Sub\r\n"
    "Private Sub cmdEdit_Click()   ' show 信息表\r\n"
    "    Forward \"cmdEdit\"\r\n"
    "End Sub\r\n"
    "Private Sub cmdHelp_Click()   ' open help.doc\r\n"
    "    Forward \"cmdHelp\"\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub txtBDate_AfterUpdate()\r\n"
    "    Forward \"txtBDate\"\r\n"
    "End Sub\r\n"
    "Private Sub txtEDate_AfterUpdate()\r\n"
    "    Forward \"txtEDate\"\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub optYi_Click()\r\n"
    "    Forward \"optYi\"\r\n"
    "End Sub\r\n"
    "Private Sub optRi_Click()\r\n"
    "    Forward \"optRi\"\r\n"
    "End Sub\r\n"
    "Private Sub optYu_Click()\r\n"
    "    Forward \"optYu\"\r\n"
    "End Sub\r\n"
    "Private Sub optWu_Click()\r\n"
    "    Forward \"optWu\"\r\n"
    "End Sub\r\n"
    "Private Sub optShu_Click()\r\n"
    "    Forward \"optShu\"\r\n"
    "End Sub\r\n"
    "Private Sub optHng_Click()\r\n"
    "    Forward \"optHng\"\r\n"
    "End Sub\r\n"
    "Private Sub optYS1_Click()\r\n"
    "    Forward \"optYS1\"\r\n"
    "End Sub\r\n"
    "Private Sub optYS2_Click()\r\n"
    "    Forward \"optYS2\"\r\n"
    "End Sub\r\n"
    "Private Sub chkJia_Click()   ' mark days off and make-up days\r\n"
    "    Forward \"chkJia\"\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Sub UserForm_Terminate()\r\n"
    "    Set calendarMaker = Nothing\r\n"
    "End Sub\r\n";

std::string Attr(const std::string& name, const std::string& value) {
  return "Attribute " + name + " = " + value + "\r\n";
}

std::string DocumentModule(const std::string& name, const char* base) {
  return Attr("VB_Name", "\"" + name + "\"") + Attr("VB_Base", std::string("\"") + base + "\"") +
         Attr("VB_GlobalNameSpace", "False") + Attr("VB_Creatable", "False") + Attr("VB_PredeclaredId", "True") +
         Attr("VB_Exposed", "True") + Attr("VB_TemplateDerived", "False") + Attr("VB_Customizable", "True");
}

FormControlSpec Label(const char* name, const char* caption, double left, double top, int tab) {
  return {ControlKind::kLabel, name, caption, "", left, top, 54, 15, tab};
}
FormControlSpec Box(const char* name, double top, int tab) {
  return {ControlKind::kTextBox, name, "", "", 72, top, 102, 18, tab};
}
FormControlSpec Option(const char* name, const char* caption, const char* group, double left, double top, int tab) {
  return {ControlKind::kOptionButton, name, caption, group, left, top, 54, 18, tab};
}
FormControlSpec Check(const char* name, const char* caption, double top, int tab) {
  return {ControlKind::kCheckBox, name, caption, "", 12, top, 162, 18, tab};
}
FormControlSpec Button(const char* name, const char* caption, double top, int tab) {
  return {ControlKind::kCommandButton, name, caption, "", 192, top, 96, 24, tab};
}

}  // namespace

FormSpec TavoDialog() {
  FormSpec form;
  form.name = kDialogName;
  form.caption = kDialogCaption;
  form.width = 300;
  form.height = 190;
  // Tab order: the two dates, the four option pairs top to bottom, the
  // holiday-marks box, then the buttons; the labels come last and only describe.
  form.controls = {
      Label("lblBDate", "开始日期", 12, 14, 15),
      Box("txtBDate", 12, 0),
      Label("lblEDate", "结束日期", 12, 40, 16),
      Box("txtEDate", 38, 1),
      Label("lblWeek", "每周起始", 12, 72, 17),
      Option("optYi", "周一", "grpWeekStart", 72, 70, 2),
      Option("optRi", "周日", "grpWeekStart", 126, 70, 3),
      Label("lblColor", "颜色", 12, 94, 18),
      Option("optYu", "有颜色", "grpColor", 72, 92, 4),
      Option("optWu", "无颜色", "grpColor", 126, 92, 5),
      Label("lblDirection", "排列方向", 12, 116, 19),
      Option("optShu", "竖排", "grpDirection", 72, 114, 6),
      Option("optHng", "横排", "grpDirection", 126, 114, 7),
      Label("lblStyle", "样式", 12, 138, 20),
      Option("optYS1", "样式一", "grpStyle", 72, 136, 8),
      Option("optYS2", "样式二", "grpStyle", 126, 136, 9),
      Check("chkJia", "标出放假与调休上班", 162, 10),
      Button("cmdDoXL", "生成校历表", 12, 11),
      Button("cmdDoRL", "生成日历表", 44, 12),
      Button("cmdEdit", "编辑信息表", 76, 13),
      Button("cmdHelp", "帮助", 108, 14),
  };
  return form;
}

std::string DialogCode() { return kDialogCode; }

std::string MacroCode() {
  return std::string("' The button on the sheet 使用说明 runs this macro: it opens the dialog.\r\n") +
         "Public Sub " + kDialogMacro + "()\r\n    " + kDialogName + ".Show\r\nEnd Sub\r\n";
}

Project TavoProject(const std::vector<std::string>& sheet_code_names) {
  Project p;
  p.id = kProjectId;
  p.code_page = kProjectCodePage;
  p.references = {
      {"stdole", "*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#C:\\Windows\\System32\\stdole2.tlb#OLE Automation",
       false, "", ""},
      // The forms designer's library, which a project with a user form must name.
      {"MSForms",
       "*\\G{0D452EE1-E08F-101A-852E-02608C4D0BB4}#2.0#0#C:\\Windows\\System32\\FM20.DLL#Microsoft Forms 2.0 Object "
       "Library",
       true,
       "*\\G{7F3A2B51-4C6D-4E8F-9A0B-1C2D3E4F5A6B}#2.0#0#MSForms.exd#Microsoft Forms 2.0 Object Library",
       "{0D452EE1-E08F-101A-852E-02608C4D0BB4}"},
  };
  p.modules.push_back({kWorkbookCodeName, ModuleKind::kDocument, DocumentModule(kWorkbookCodeName, kWorkbookBase)});
  for (const std::string& name : sheet_code_names) {
    p.modules.push_back({name, ModuleKind::kDocument, DocumentModule(name, kWorksheetBase)});
  }
  p.modules.push_back({kMacroModule, ModuleKind::kStandard, Attr("VB_Name", std::string("\"") + kMacroModule + "\"") + MacroCode()});
  std::string form_header = Attr("VB_Name", std::string("\"") + kDialogName + "\"") +
                            Attr("VB_Base", std::string("\"") + kDialogBase + "\"") +
                            Attr("VB_GlobalNameSpace", "False") + Attr("VB_Creatable", "False") +
                            Attr("VB_PredeclaredId", "True") + Attr("VB_Exposed", "False") +
                            Attr("VB_TemplateDerived", "False") + Attr("VB_Customizable", "False");
  p.modules.push_back({kDialogName, ModuleKind::kDesigner, form_header + DialogCode()});
  p.designer_storages.push_back(WriteFormStorage(TavoDialog(), p.code_page));
  return p;
}

}  // namespace tavo::vba
