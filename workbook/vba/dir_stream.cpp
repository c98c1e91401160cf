// Every record of the dir stream has a writer of its own below, named after
// the record and marked with its clause of [MS-OVBA] (2.3.4.2), so each can
// be checked against the clause that lays it out.
#include "workbook/vba/dir_stream.h"

#include "workbook/vba/bytes.h"
#include "workbook/vba/code_page.h"

namespace tavo::vba {
namespace {

// Record ids.
namespace id {
constexpr std::uint16_t kSysKind = 0x0001;
constexpr std::uint16_t kLcid = 0x0002;
constexpr std::uint16_t kCodePage = 0x0003;
constexpr std::uint16_t kName = 0x0004;
constexpr std::uint16_t kDocString = 0x0005;
constexpr std::uint16_t kHelpFile = 0x0006;
constexpr std::uint16_t kHelpContext = 0x0007;
constexpr std::uint16_t kLibFlags = 0x0008;
constexpr std::uint16_t kVersion = 0x0009;
constexpr std::uint16_t kConstants = 0x000C;
constexpr std::uint16_t kReferenceRegistered = 0x000D;
constexpr std::uint16_t kModules = 0x000F;
constexpr std::uint16_t kTerminator = 0x0010;
constexpr std::uint16_t kProjectCookie = 0x0013;
constexpr std::uint16_t kLcidInvoke = 0x0014;
constexpr std::uint16_t kReferenceName = 0x0016;
constexpr std::uint16_t kModuleName = 0x0019;
constexpr std::uint16_t kModuleStreamName = 0x001A;
constexpr std::uint16_t kModuleDocString = 0x001C;
constexpr std::uint16_t kModuleHelpContext = 0x001E;
constexpr std::uint16_t kModuleProcedural = 0x0021;
constexpr std::uint16_t kModuleNonProcedural = 0x0022;
constexpr std::uint16_t kModuleReadOnly = 0x0025;
constexpr std::uint16_t kModulePrivate = 0x0028;
constexpr std::uint16_t kModuleTerminator = 0x002B;
constexpr std::uint16_t kModuleCookie = 0x002C;
constexpr std::uint16_t kReferenceControl = 0x002F;
constexpr std::uint16_t kReferenceControlExtended = 0x0030;
constexpr std::uint16_t kModuleOffset = 0x0031;
constexpr std::uint16_t kModuleStreamNameUnicode = 0x0032;
constexpr std::uint16_t kReferenceOriginal = 0x0033;
constexpr std::uint16_t kConstantsUnicode = 0x003C;
constexpr std::uint16_t kHelpFileCopy = 0x003D;
constexpr std::uint16_t kReferenceNameUnicode = 0x003E;
constexpr std::uint16_t kDocStringUnicode = 0x0040;
constexpr std::uint16_t kModuleNameUnicode = 0x0047;
constexpr std::uint16_t kModuleDocStringUnicode = 0x0048;
}  // namespace id

constexpr std::uint32_t kSysKindWin64 = 3;
constexpr std::uint32_t kLcidEnglishUs = 0x409;
constexpr std::uint32_t kNoCookie = 0xFFFF;

std::string U16(std::uint32_t v) {
  std::string s;
  PutU16(s, v);
  return s;
}
std::string U32(std::uint32_t v) {
  std::string s;
  PutU32(s, v);
  return s;
}
// A libid with its size in front and the two reserved fields after it, as
// the registered reference and both parts of a control reference keep it.
std::string SizedLibid(const std::string& libid) {
  return U32(static_cast<std::uint32_t>(libid.size())) + libid + U32(0) + U16(0);
}

class DirWriter {
 public:
  explicit DirWriter(int code_page) : cp_(code_page) {}
  std::string Done() { return std::move(out_); }

  // 2.3.4.2.1.1 PROJECTSYSKIND
  void SysKind() { Record(id::kSysKind, U32(kSysKindWin64)); }
  // 2.3.4.2.1.3 PROJECTLCID
  void Lcid() { Record(id::kLcid, U32(kLcidEnglishUs)); }
  // 2.3.4.2.1.4 PROJECTLCIDINVOKE
  void LcidInvoke() { Record(id::kLcidInvoke, U32(kLcidEnglishUs)); }
  // 2.3.4.2.1.5 PROJECTCODEPAGE
  void CodePage() { Record(id::kCodePage, U16(static_cast<std::uint32_t>(cp_))); }
  // 2.3.4.2.1.6 PROJECTNAME
  void Name(const std::string& name) { Record(id::kName, Mbcs(name)); }
  // 2.3.4.2.1.7 PROJECTDOCSTRING: the MBCS text, then its UTF-16 twin.
  void DocString(const std::string& text) {
    Record(id::kDocString, Mbcs(text));
    Record(id::kDocStringUnicode, Utf16le(text));
  }
  // 2.3.4.2.1.8 PROJECTHELPFILEPATH: two MBCS copies of the same path.
  void HelpFilePath(const std::string& path) {
    Record(id::kHelpFile, Mbcs(path));
    Record(id::kHelpFileCopy, Mbcs(path));
  }
  // 2.3.4.2.1.9 PROJECTHELPCONTEXT
  void HelpContext() { Record(id::kHelpContext, U32(0)); }
  // 2.3.4.2.1.10 PROJECTLIBFLAGS
  void LibFlags() { Record(id::kLibFlags, U32(0)); }
  // 2.3.4.2.1.11 PROJECTVERSION: its size field is a fixed reserved 4,
  // though major (4 bytes) and minor (2 bytes) follow.
  void Version(std::uint32_t major, std::uint32_t minor) {
    PutU16(out_, id::kVersion);
    PutU32(out_, 4);
    PutU32(out_, major);
    PutU16(out_, minor);
  }
  // 2.3.4.2.1.12 PROJECTCONSTANTS
  void Constants(const std::string& text) {
    Record(id::kConstants, Mbcs(text));
    Record(id::kConstantsUnicode, Utf16le(text));
  }
  // 2.3.4.2.2.2 REFERENCENAME
  void ReferenceName(const std::string& name) {
    Record(id::kReferenceName, Mbcs(name));
    Record(id::kReferenceNameUnicode, Utf16le(name));
  }
  // 2.3.4.2.2.5 REFERENCEREGISTERED
  void ReferenceRegistered(const std::string& libid) { Record(id::kReferenceRegistered, SizedLibid(Mbcs(libid))); }
  // 2.3.4.2.2.4 REFERENCEORIGINAL: the library a control reference extends.
  void ReferenceOriginal(const std::string& libid) { Record(id::kReferenceOriginal, Mbcs(libid)); }
  // 2.3.4.2.2.3 REFERENCECONTROL: the twiddled library, the reference's
  // name again (NameRecordExtended), then the extended library.
  void ReferenceControl(const Reference& r) {
    Record(id::kReferenceControl, SizedLibid(Mbcs(kTwiddledLibid)));
    ReferenceName(r.name);
    Record(id::kReferenceControlExtended,
           SizedLibid(Mbcs(r.extended_libid)) + GuidBytes(r.original_guid) + U32(0) /* cookie */);
  }
  // 2.3.4.2.3 PROJECTMODULES and 2.3.4.2.3.1 PROJECTCOOKIE
  void Modules(size_t count) {
    Record(id::kModules, U16(static_cast<std::uint32_t>(count)));
    Record(id::kProjectCookie, U16(kNoCookie));
  }
  // 2.3.4.2.3.2 MODULE, each part after its clause.
  void Module(const vba::Module& m) {
    Record(id::kModuleName, Mbcs(m.name));                      // .1 MODULENAME
    Record(id::kModuleNameUnicode, Utf16le(m.name));            // .2 MODULENAMEUNICODE
    Record(id::kModuleStreamName, Mbcs(m.name));                // .3 MODULESTREAMNAME
    Record(id::kModuleStreamNameUnicode, Utf16le(m.name));
    Record(id::kModuleDocString, "");                           // .4 MODULEDOCSTRING
    Record(id::kModuleDocStringUnicode, "");
    Record(id::kModuleOffset, U32(0));                          // .5 MODULEOFFSET: no compiled code first
    Record(id::kModuleHelpContext, U32(0));                     // .6 MODULEHELPCONTEXT
    Record(id::kModuleCookie, U16(kNoCookie));                  // .7 MODULECOOKIE
    Record(m.kind == ModuleKind::kStandard ? id::kModuleProcedural : id::kModuleNonProcedural, "");  // .8
    // .10 MODULEPRIVATE: the desktop program marks every form module so,
    // and no other kind.
    if (m.kind == ModuleKind::kDesigner) Record(id::kModulePrivate, "");
    Record(id::kModuleTerminator, "");
  }
  // 2.3.4.2 the dir stream's Terminator
  void Terminator() { Record(id::kTerminator, ""); }

 private:
  void Record(std::uint16_t record_id, const std::string& data) {
    PutU16(out_, record_id);
    PutU32(out_, static_cast<std::uint32_t>(data.size()));
    out_ += data;
  }
  std::string Mbcs(const std::string& utf8) const { return ToCodePage(utf8, cp_); }

  int cp_;
  std::string out_;
};

}  // namespace

std::string DirRecords(const Project& p) {
  DirWriter w(p.code_page);
  w.SysKind();
  w.Lcid();
  w.LcidInvoke();
  w.CodePage();
  w.Name(p.name);
  w.DocString("");
  w.HelpFilePath(p.help_file);
  w.HelpContext();
  w.LibFlags();
  w.Version(1, 0);
  w.Constants("");
  for (const Reference& r : p.references) {
    w.ReferenceName(r.name);
    if (r.control) {
      w.ReferenceOriginal(r.libid);
      w.ReferenceControl(r);
    } else {
      w.ReferenceRegistered(r.libid);
    }
  }
  w.Modules(p.modules.size());
  for (const Module& m : p.modules) w.Module(m);
  w.Terminator();
  return w.Done();
}

DirInfo ReadDirRecords(const std::string& records) {
  ByteReader in(records, "dir 流 / dir stream");
  DirInfo info;
  DirModule* module = nullptr;
  DirReference* reference = nullptr;
  // Inside a control reference: between its twiddled and extended parts a
  // name record belongs to it, not to a new reference.
  bool in_control = false;
  auto need_module = [&] {
    if (!module) in.Fail("模块记录顺序错误 / module record out of place");
  };
  auto need_control = [&] {
    if (!reference || !reference->control) in.Fail("引用记录顺序错误 / reference record out of place");
  };
  auto text = [&](const std::string& data) { return FromCodePage(data, info.code_page); };
  while (true) {
    std::uint32_t record_id = in.U16();
    if (record_id == id::kVersion) {
      in.Skip(10);
      continue;
    }
    std::string data(in.Bytes(in.U32()));
    ByteReader r(data, "dir 记录 / dir record");
    switch (record_id) {
      case id::kCodePage:
        info.code_page = static_cast<int>(r.U16());
        break;
      case id::kName:
        info.project_name = text(data);
        break;
      case id::kHelpFile:
        info.help_file = text(data);
        break;
      case id::kHelpFileCopy:
        info.help_file_copy = text(data);
        break;
      case id::kReferenceName:
        if (in_control) {
          reference->extended_name = text(data);
        } else {
          info.references.push_back({});
          reference = &info.references.back();
          reference->name = text(data);
        }
        break;
      case id::kReferenceRegistered:
        if (!reference) in.Fail("引用记录顺序错误 / reference record out of place");
        reference->libid = text(std::string(r.Bytes(r.U32())));
        break;
      case id::kReferenceOriginal:
        if (!reference) in.Fail("引用记录顺序错误 / reference record out of place");
        reference->control = true;
        reference->libid = text(data);
        break;
      case id::kReferenceControl:
        need_control();
        reference->twiddled_libid = text(std::string(r.Bytes(r.U32())));
        in_control = true;
        break;
      case id::kReferenceControlExtended:
        need_control();
        reference->extended_libid = text(std::string(r.Bytes(r.U32())));
        r.Skip(4 + 2);
        reference->original_guid = std::string(r.Bytes(16));
        in_control = false;
        break;
      case id::kModuleName:
        info.modules.push_back({});
        module = &info.modules.back();
        module->name = text(data);
        break;
      case id::kModuleStreamName:
        need_module();
        module->stream_name = text(data);
        break;
      case id::kModuleOffset:
        need_module();
        module->text_offset = r.U32();
        break;
      case id::kModuleNonProcedural:
        need_module();
        module->procedural = false;
        break;
      case id::kModulePrivate:
        need_module();
        module->is_private = true;
        break;
      case id::kModuleReadOnly:
        need_module();
        module->read_only = true;
        break;
      case id::kTerminator:
        return info;
      default:
        break;
    }
  }
}

}  // namespace tavo::vba
