#include "workbook/vba/form_streams.h"

#include <cmath>
#include <cstdint>

#include "workbook/vba/bytes.h"
#include "workbook/vba/code_page.h"

namespace tavo::vba {
namespace {

// Sizes and positions are stored in HIMETRIC (0.01 mm).
std::uint32_t Himetric(double points) { return static_cast<std::uint32_t>(std::lround(points * 2540.0 / 72.0)); }

// A string property: its size and compression flag go in the data block,
// its characters in the extra data block, padded to 4 bytes. Plain ASCII is
// stored one byte per character ("compressed"), anything else as UTF-16.
struct FmString {
  std::uint32_t count;
  std::string bytes;
};
FmString MakeString(const std::string& utf8) {
  bool ascii = true;
  for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return {static_cast<std::uint32_t>(utf8.size()) | 0x80000000u, utf8};
  std::string units = Utf16le(utf8);
  return {static_cast<std::uint32_t>(units.size()), units};
}

// The data block: each property aligned to its own size.
class Block {
 public:
  void U8(std::uint32_t v) { PutU8(s_, v); }
  void U16(std::uint32_t v) {
    PadTo(s_, 2);
    PutU16(s_, v);
  }
  void U32(std::uint32_t v) {
    PadTo(s_, 4);
    PutU32(s_, v);
  }
  void Raw(const std::string& bytes) {
    PadTo(s_, 4);
    s_ += bytes;
    PadTo(s_, 4);
  }
  std::string Done() {
    PadTo(s_, 4);
    return s_;
  }

 private:
  std::string s_;
};

// Version bytes, the size of mask + data + extra, then those three.
std::string Structure(std::uint32_t minor, std::uint32_t major, const std::string& mask, std::string data,
                      std::string extra) {
  std::string out;
  PutU8(out, minor);
  PutU8(out, major);
  std::string body = mask + data + extra;
  PutU16(out, static_cast<std::uint32_t>(body.size()));
  return out + body;
}
std::string Mask32(std::uint32_t m) {
  std::string s;
  PutU32(s, m);
  return s;
}
std::string Size(double w, double h) {
  std::string s;
  PutU32(s, Himetric(w));
  PutU32(s, Himetric(h));
  return s;
}

// The control's font: name, height in twips and the GB2312 character set.
std::string TextProps(const FormSpec& form) {
  FmString name = MakeString(form.font_name);
  Block data;
  data.U32(name.count);
  data.U32(static_cast<std::uint32_t>(form.font_points * 20));
  data.U8(134);
  Block extra;
  extra.Raw(name.bytes);
  return Structure(0, 2, Mask32(0x01 | 0x04 | 0x10), data.Done(), extra.Done());
}

// Labels and command buttons share the caption-and-size layout; their masks
// differ only in which bits mean caption (3) and size (5): the same here.
std::string CaptionControl(const FormControlSpec& c, const FormSpec& form) {
  FmString caption = MakeString(c.caption);
  Block data;
  data.U32(caption.count);
  Block extra;
  extra.Raw(caption.bytes);
  std::string out = Structure(0, 2, Mask32((1u << 3) | (1u << 5)), data.Done(), extra.Done() + Size(c.width, c.height));
  return out + TextProps(form);
}

// Text boxes and option buttons are both "morph data" controls; the display
// style tells them apart.
std::string MorphControl(const FormControlSpec& c, const FormSpec& form) {
  const bool option = c.kind == ControlKind::kOptionButton;
  std::uint64_t mask = 1ull << 8;  // size
  Block data;
  Block extra;
  std::string extra_text;
  if (option) {
    mask |= (1ull << 6) | (1ull << 23) | (1ull << 32);  // display style, caption, group name
    FmString caption = MakeString(c.caption), group = MakeString(c.group_name);
    data.U8(5);  // option button
    data.U32(caption.count);
    data.U32(group.count);
    extra.Raw(caption.bytes);
    extra.Raw(group.bytes);
    extra_text = extra.Done();
  }
  std::string m;
  PutU64(m, mask);
  std::string out = Structure(0, 2, m, option ? data.Done() : std::string(), Size(c.width, c.height) + extra_text);
  return out + TextProps(form);
}

// The cached class of each kind of control.
std::uint32_t ClassIndex(ControlKind k) {
  switch (k) {
    case ControlKind::kCommandButton: return 17;
    case ControlKind::kLabel: return 21;
    case ControlKind::kTextBox: return 23;
    case ControlKind::kOptionButton: return 27;
  }
  return 0x7FFF;
}

std::string Site(const FormControlSpec& c, std::uint32_t id, std::uint32_t object_size) {
  FmString name = MakeString(c.name);
  // name, ID, object stream size, tab index, class index, position
  std::uint32_t mask = (1u << 0) | (1u << 2) | (1u << 5) | (1u << 6) | (1u << 7) | (1u << 8);
  Block data;
  data.U32(name.count);
  data.U32(id);
  data.U32(object_size);
  data.U16(static_cast<std::uint32_t>(c.tab_index));
  data.U16(ClassIndex(c.kind));
  Block extra;
  extra.Raw(name.bytes);
  std::string position;
  PutU32(position, Himetric(c.left));
  PutU32(position, Himetric(c.top));
  std::string out;
  PutU16(out, 0);
  std::string body = Mask32(mask) + data.Done() + extra.Done() + position;
  PutU16(out, static_cast<std::uint32_t>(body.size()));
  return out + body;
}

std::string FormStream(const FormSpec& form, const std::vector<std::string>& objects) {
  const auto count = static_cast<std::uint32_t>(form.controls.size());
  // next ID, boolean properties, displayed and logical size, caption, draw
  // buffer. The caption is also in the VBFrame text; here it is Unicode,
  // which readers that decode the VBFrame in another code page prefer.
  std::uint32_t mask = (1u << 3) | (1u << 6) | (1u << 10) | (1u << 11) | (1u << 19) | (1u << 27);
  FmString caption = MakeString(form.caption);
  Block data;
  data.U32(count + 1);
  // Enabled; no class table, since every control is of a cached class.
  data.U32(0x00000004 | 0x00008000);
  data.U32(caption.count);
  data.U32(32000);
  Block caption_text;
  caption_text.Raw(caption.bytes);
  std::string extra = Size(form.width, form.height) + Size(form.width, form.height) + caption_text.Done();
  std::string out = Structure(0, 4, Mask32(mask), data.Done(), extra);

  std::string sites;
  for (std::uint32_t i = 0; i < count; ++i) {
    PutU8(sites, 0);  // depth: directly on the form
    PutU8(sites, 1);  // one site of the OLE site type
  }
  PadTo(sites, 4);
  for (std::uint32_t i = 0; i < count; ++i) {
    sites += Site(form.controls[i], i + 1, static_cast<std::uint32_t>(objects[i].size()));
  }
  PutU32(out, count);
  PutU32(out, static_cast<std::uint32_t>(sites.size()));
  return out + sites;
}

std::string LengthPrefixedAnsi(const std::string& s) {
  std::string out;
  PutU32(out, static_cast<std::uint32_t>(s.size() + 1));
  return out + s + std::string(1, '\0');
}
std::string LengthPrefixedUnicode(const std::string& s) {
  std::string out;
  PutU32(out, static_cast<std::uint32_t>(s.size() + 1));
  return out + Utf16le(s) + std::string(2, '\0');
}

std::string CompObj() {
  std::string out;
  PutU32(out, 0xFFFE0001);
  PutU32(out, 0x00000A03);
  PutU32(out, 0xFFFFFFFF);
  out += GuidBytes(kFormDesignerClsid);
  out += LengthPrefixedAnsi("Microsoft Forms 2.0 Form");
  out += LengthPrefixedAnsi("Embedded Object");
  out += LengthPrefixedAnsi("Forms.Form.1");
  PutU32(out, 0x71B239F4);
  out += LengthPrefixedUnicode("Microsoft Forms 2.0 Form");
  out += LengthPrefixedUnicode("Embedded Object");
  out += LengthPrefixedUnicode("Forms.Form.1");
  return out;
}

std::string VbFrame(const FormSpec& form, int code_page) {
  auto twips = [](double points) { return std::to_string(std::lround(points * 20)); };
  std::string t = "VERSION 5.00\r\nBegin " + std::string(kFormDesignerClsid) + " " + form.name + " \r\n";
  t += "   Caption         =   \"" + form.caption + "\"\r\n";
  t += "   ClientHeight    =   " + twips(form.height) + "\r\n";
  t += "   ClientLeft      =   45\r\n";
  t += "   ClientTop       =   375\r\n";
  t += "   ClientWidth     =   " + twips(form.width) + "\r\n";
  t += "   StartUpPosition =   1  'CenterOwner\r\n";
  t += "   TypeInfoVer     =   1\r\n";
  t += "End\r\n";
  return ToCodePage(t, code_page);
}

}  // namespace

CfbNode WriteFormStorage(const FormSpec& form, int code_page) {
  std::vector<std::string> objects;
  std::string o;
  for (const FormControlSpec& c : form.controls) {
    bool morph = c.kind == ControlKind::kTextBox || c.kind == ControlKind::kOptionButton;
    objects.push_back(morph ? MorphControl(c, form) : CaptionControl(c, form));
    o += objects.back();
  }
  CfbNode storage = CfbNode::Storage(form.name);
  storage.clsid = GuidBytes(kFormDesignerClsid);
  storage.children.push_back(CfbNode::Stream("\x01" "CompObj", CompObj()));
  storage.children.push_back(CfbNode::Stream("\x03" "VBFrame", VbFrame(form, code_page)));
  storage.children.push_back(CfbNode::Stream("f", FormStream(form, objects)));
  storage.children.push_back(CfbNode::Stream("o", o));
  return storage;
}

}  // namespace tavo::vba
