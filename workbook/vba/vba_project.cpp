#include "workbook/vba/vba_project.h"

#include <cstdio>

#include "common/error.h"
#include "workbook/vba/bytes.h"
#include "workbook/vba/code_page.h"
#include "workbook/vba/dir_stream.h"
#include "workbook/vba/ovba_compression.h"

namespace tavo::vba {
namespace {

// The class of the forms designer, named by the PROJECT stream's Package line.
constexpr const char* kFormsPackage = "{AC9F2F90-E877-11CE-9F68-00AA00574A4F}";

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[3];
  for (char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(c));
    out += buf;
  }
  return out;
}

std::string ProjectStream(const Project& p) {
  std::string t = "ID=\"" + p.id + "\"\r\n";
  for (const Module& m : p.modules) {
    switch (m.kind) {
      case ModuleKind::kDocument:
        t += "Document=" + m.name + "/&H00000000\r\n";
        break;
      case ModuleKind::kStandard:
        t += "Module=" + m.name + "\r\n";
        break;
      case ModuleKind::kDesigner:
        t += std::string("Package=") + kFormsPackage + "\r\nBaseClass=" + m.name + "\r\n";
        break;
    }
  }
  t += "Name=\"" + p.name + "\"\r\nHelpContextID=\"0\"\r\nVersionCompatible32=\"393222000\"\r\n";
  // Not protected, no password, visible; fixed seeds keep the file the same
  // from one run to the next.
  t += "CMG=\"" + EncryptProjectData(p.id, 0x3A, std::string(4, '\0')) + "\"\r\n";
  t += "DPB=\"" + EncryptProjectData(p.id, 0x5C, std::string(1, '\0')) + "\"\r\n";
  t += "GC=\"" + EncryptProjectData(p.id, 0x71, std::string(1, '\xFF')) + "\"\r\n";
  t += "\r\n[Host Extender Info]\r\n&H00000001={3832D640-CF90-11CF-8E43-00A0C911005A};VBE;&H00000000\r\n";
  return ToCodePage(t, p.code_page);
}

// Each module's name in the code page and in UTF-16, both zero-terminated.
std::string ProjectWmStream(const Project& p) {
  std::string out;
  for (const Module& m : p.modules) {
    out += ToCodePage(m.name, p.code_page);
    out.push_back('\0');
    out += Utf16le(m.name);
    PutU16(out, 0);
  }
  PutU16(out, 0);
  return out;
}

}  // namespace

std::string EncryptProjectData(const std::string& project_id, unsigned char seed, const std::string& data) {
  std::uint32_t key = 0;
  for (char c : project_id) key += static_cast<unsigned char>(c);
  const std::uint32_t version = 2;
  std::string out;
  std::uint32_t version_enc = seed ^ version;
  std::uint32_t key_enc = seed ^ (key & 0xFF);
  out.push_back(static_cast<char>(seed));
  out.push_back(static_cast<char>(version_enc));
  out.push_back(static_cast<char>(key_enc));
  std::uint32_t plain1 = key & 0xFF, enc1 = key_enc, enc2 = version_enc;
  auto put = [&](std::uint32_t byte) {
    std::uint32_t e = (byte ^ ((enc2 + plain1) & 0xFF)) & 0xFF;
    out.push_back(static_cast<char>(e));
    enc2 = enc1;
    enc1 = e;
    plain1 = byte;
  };
  for (unsigned k = 0; k < ((seed & 6u) >> 1); ++k) put(0);  // ignored bytes
  std::string length;
  PutU32(length, static_cast<std::uint32_t>(data.size()));
  for (char c : length) put(static_cast<unsigned char>(c));
  for (char c : data) put(static_cast<unsigned char>(c));
  return Hex(out);
}

std::string DecryptProjectData(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  }
  ByteReader in(bytes, "CMG/DPB/GC");
  std::uint32_t seed = in.U8();
  std::uint32_t version_enc = in.U8();
  std::uint32_t key_enc = in.U8();
  if ((seed ^ version_enc) != 2) in.Fail("加密版本错误 / bad obfuscation version");
  std::uint32_t plain1 = seed ^ key_enc, enc1 = key_enc, enc2 = version_enc;
  auto get = [&] {
    std::uint32_t e = in.U8();
    std::uint32_t b = (e ^ ((enc2 + plain1) & 0xFF)) & 0xFF;
    enc2 = enc1;
    enc1 = e;
    plain1 = b;
    return b;
  };
  for (unsigned k = 0; k < ((seed & 6u) >> 1); ++k) get();
  std::uint32_t length = 0;
  for (int k = 0; k < 4; ++k) length |= get() << (8 * k);
  std::string data;
  for (std::uint32_t k = 0; k < length; ++k) data.push_back(static_cast<char>(get()));
  if (!in.done()) in.Fail("多余数据 / trailing bytes");
  return data;
}

std::string WriteVbaProject(const Project& p) {
  std::vector<CfbNode> vba;
  // Version-dependent information without a performance cache: the host
  // finds no compiled code and compiles from the module source.
  vba.push_back(CfbNode::Stream("_VBA_PROJECT", std::string("\xCC\x61\xFF\xFF\x00\x01\x00", 7)));
  vba.push_back(CfbNode::Stream("dir", Compress(DirRecords(p))));
  for (const Module& m : p.modules) {
    vba.push_back(CfbNode::Stream(m.name, Compress(ToCodePage(m.source, p.code_page))));
  }
  CfbNode root = CfbNode::Storage("Root Entry");
  root.children.push_back(CfbNode::Storage("VBA", std::move(vba)));
  root.children.push_back(CfbNode::Stream("PROJECT", ProjectStream(p)));
  root.children.push_back(CfbNode::Stream("PROJECTwm", ProjectWmStream(p)));
  for (const Module& m : p.modules) {
    if (m.kind != ModuleKind::kDesigner) continue;
    bool found = false;
    for (const CfbNode& s : p.designer_storages) found = found || (s.is_storage && s.name == m.name);
    if (!found) RaiseInvalidArgument("窗体缺少控件存储 / designer without its storage: " + m.name);
  }
  for (const CfbNode& s : p.designer_storages) root.children.push_back(s);
  return WriteCompoundFile(root);
}

}  // namespace tavo::vba
