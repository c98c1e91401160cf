#include "workbook/vba/dir_stream.h"

#include "workbook/vba/bytes.h"
#include "workbook/vba/code_page.h"

namespace tavo::vba {
namespace {

void Record(std::string& out, std::uint32_t id, const std::string& data) {
  PutU16(out, id);
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  out += data;
}
std::string U32(std::uint32_t v) {
  std::string s;
  PutU32(s, v);
  return s;
}
std::string U16(std::uint32_t v) {
  std::string s;
  PutU16(s, v);
  return s;
}
// A text record followed by its Unicode twin, as names, doc strings and help
// files are stored.
void TextPair(std::string& out, std::uint32_t id, std::uint32_t unicode_id, const std::string& utf8, int cp) {
  Record(out, id, ToCodePage(utf8, cp));
  Record(out, unicode_id, Utf16le(utf8));
}

void References(std::string& out, const Project& p) {
  for (const Reference& r : p.references) {
    TextPair(out, 0x0016, 0x003E, r.name, p.code_page);
    std::string libid = ToCodePage(r.libid, p.code_page);
    if (!r.control) {
      std::string body = U32(static_cast<std::uint32_t>(libid.size())) + libid + U32(0) + U16(0);
      Record(out, 0x000D, body);
      continue;
    }
    // The original library, then the control record with the twiddled
    // library (the same one here) and the project's extended library.
    Record(out, 0x0033, libid);
    std::string twiddled = U32(static_cast<std::uint32_t>(libid.size())) + libid + U32(0) + U16(0);
    Record(out, 0x002F, twiddled);
    std::string extended = ToCodePage(r.extended_libid, p.code_page);
    std::string body = U32(static_cast<std::uint32_t>(extended.size())) + extended + U32(0) + U16(0) +
                       GuidBytes(r.original_guid) + U32(0);
    Record(out, 0x0030, body);
  }
}

}  // namespace

std::string DirRecords(const Project& p) {
  const int cp = p.code_page;
  std::string out;
  Record(out, 0x0001, U32(3));          // SysKind: 64-bit Windows
  Record(out, 0x0002, U32(0x409));      // LCID
  Record(out, 0x0014, U32(0x409));      // LCID for invoking
  Record(out, 0x0003, U16(static_cast<std::uint32_t>(cp)));
  Record(out, 0x0004, ToCodePage(p.name, cp));
  TextPair(out, 0x0005, 0x0040, "", cp);  // doc string
  TextPair(out, 0x0006, 0x003D, "", cp);  // help file
  Record(out, 0x0007, U32(0));          // help context
  Record(out, 0x0008, U32(0));          // library flags
  PutU16(out, 0x0009);                  // version: a fixed reserved size 4, then 4 + 2 bytes
  PutU32(out, 4);
  PutU32(out, 1);
  PutU16(out, 0);
  TextPair(out, 0x000C, 0x003C, "", cp);  // conditional compilation constants
  References(out, p);

  Record(out, 0x000F, U16(static_cast<std::uint32_t>(p.modules.size())));
  Record(out, 0x0013, U16(0xFFFF));
  for (const Module& m : p.modules) {
    Record(out, 0x0019, ToCodePage(m.name, cp));
    Record(out, 0x0047, Utf16le(m.name));
    TextPair(out, 0x001A, 0x0032, m.name, cp);  // stream name
    TextPair(out, 0x001C, 0x0048, "", cp);      // doc string
    Record(out, 0x0031, U32(0));                // source starts at 0: no compiled code before it
    Record(out, 0x001E, U32(0));
    Record(out, 0x002C, U16(0xFFFF));
    Record(out, m.kind == ModuleKind::kStandard ? 0x0021 : 0x0022, "");
    Record(out, 0x002B, "");
  }
  Record(out, 0x0010, "");
  return out;
}

DirInfo ReadDirRecords(const std::string& records) {
  ByteReader in(records, "dir 流 / dir stream");
  DirInfo info;
  DirModule* module = nullptr;
  std::string reference_name;
  while (true) {
    std::uint32_t id = in.U16();
    if (id == 0x0009) {
      in.Skip(10);
      continue;
    }
    std::string data(in.Bytes(in.U32()));
    auto u32 = [&] {
      ByteReader r(data, "dir 记录 / dir record");
      return r.U32();
    };
    switch (id) {
      case 0x0003: {
        ByteReader r(data, "dir 记录 / dir record");
        info.code_page = static_cast<int>(r.U16());
        break;
      }
      case 0x0004:
        info.project_name = FromCodePage(data, info.code_page);
        break;
      case 0x0016:
        info.reference_names.push_back(FromCodePage(data, info.code_page));
        break;
      case 0x0019:
        info.modules.push_back({});
        module = &info.modules.back();
        module->name = FromCodePage(data, info.code_page);
        break;
      case 0x001A:
        if (!module) in.Fail("模块记录顺序错误 / module record out of place");
        module->stream_name = FromCodePage(data, info.code_page);
        break;
      case 0x0031:
        if (!module) in.Fail("模块记录顺序错误 / module record out of place");
        module->text_offset = u32();
        break;
      case 0x0022:
        if (!module) in.Fail("模块记录顺序错误 / module record out of place");
        module->procedural = false;
        break;
      case 0x0010:
        return info;
      default:
        break;
    }
  }
}

}  // namespace tavo::vba
