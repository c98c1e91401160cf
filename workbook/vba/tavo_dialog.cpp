#include "workbook/vba/tavo_dialog.h"

#include "common/error.h"
#include "host/dialog_controls.h"
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

ControlKind FormKind(const host::DialogControl& control) {
  switch (control.kind) {
    case host::DialogControlKind::kLabel: return ControlKind::kLabel;
    case host::DialogControlKind::kTextBox: return ControlKind::kTextBox;
    case host::DialogControlKind::kOptionButton: return ControlKind::kOptionButton;
    case host::DialogControlKind::kCheckBox: return ControlKind::kCheckBox;
    case host::DialogControlKind::kCommandButton: return ControlKind::kCommandButton;
    case host::DialogControlKind::kFrame: break;
  }
  RaiseInvalidArgument(std::string("the form has no frames: ") + control.name);
}

}  // namespace

FormSpec TavoDialog() {
  FormSpec form;
  form.name = kDialogName;
  form.caption = kDialogCaption;
  form.width = 300;
  form.height = 190;
  // The table's form controls, in its order: the order of the form's sites.
  for (const host::DialogControl& c : host::DialogControls()) {
    if (!c.InForm()) continue;
    form.controls.push_back({FormKind(c), c.name, c.form_caption, c.group ? c.group : "", c.form.left, c.form.top,
                             c.form.width, c.form.height, c.form.tab_index});
  }
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
