// The form's streams as the desktop program saves a user form: each control
// property through the writer of its structure (form_properties.h), so the
// masks say exactly what is written.
#include "workbook/vba/form_streams.h"

#include <cmath>

#include "workbook/vba/bytes.h"
#include "workbook/vba/code_page.h"
#include "workbook/vba/form_properties.h"

namespace tavo::vba {
namespace {

using oforms::PropertyWriter;
namespace form = oforms::form;
namespace site = oforms::site;
namespace label = oforms::label;
namespace command_button = oforms::command_button;
namespace morph = oforms::morph;
namespace text_props = oforms::text_props;

// The version every control structure and TextProps is written with: 0.2.
constexpr std::uint32_t kControlMajorVersion = 2;
// The standard OLE font object, the form's Font property.
constexpr const char* kStdFontClsid = "{0BE35203-8F91-11CE-9DE3-00AA004BB851}";
constexpr std::uint32_t kFontWeightNormal = 400;
// Bytes the form keeps for drawing, as the designer writes it.
constexpr std::uint32_t kDrawBuffer = 32000;

// Sizes and positions are stored in HIMETRIC (0.01 mm).
std::uint32_t Himetric(double points) { return static_cast<std::uint32_t>(std::lround(points * 2540.0 / 72.0)); }

// TextProps: the font of a control's text; command buttons centre it.
std::string TextProps(const FormSpec& form, bool centred) {
  PropertyWriter w(oforms::TextPropsLayout());
  w.PutString(text_props::kFontName, form.font_name);
  w.Put(text_props::kFontHeight, static_cast<std::uint32_t>(form.font_points * 20));  // twips
  w.Put(text_props::kFontCharSet, kGb2312CharSet);
  if (centred) w.Put(text_props::kParagraphAlign, text_props::kAlignCenter);
  return w.Done(0, kControlMajorVersion);
}

// 2.2.4 LabelControl
std::string LabelObject(const FormControlSpec& c, const FormSpec& form) {
  PropertyWriter w(oforms::LabelLayout());
  w.PutString(label::kCaption, c.caption);
  w.PutPair(label::kSize, Himetric(c.width), Himetric(c.height));
  return w.Done(0, kControlMajorVersion) + TextProps(form, false);
}

// 2.2.1 CommandButtonControl
std::string CommandButtonObject(const FormControlSpec& c, const FormSpec& form) {
  PropertyWriter w(oforms::CommandButtonLayout());
  w.PutString(command_button::kCaption, c.caption);
  w.PutPair(command_button::kSize, Himetric(c.width), Himetric(c.height));
  return w.Done(0, kControlMajorVersion) + TextProps(form, true);
}

// 2.2.5 MorphDataControl: text boxes, option buttons and check boxes, told
// apart by DisplayStyle (a text box is the default).
std::string MorphObject(const FormControlSpec& c, const FormSpec& form) {
  PropertyWriter w(oforms::MorphDataLayout());
  if (c.kind == ControlKind::kTextBox) {
    w.Put(morph::kVariousPropertyBits, kTextBoxPropertyBits);
    w.PutPair(morph::kSize, Himetric(c.width), Himetric(c.height));
  } else {
    w.Put(morph::kBackColor, kButtonFaceColor);
    w.Put(morph::kForeColor, kButtonTextColor);
    w.Put(morph::kDisplayStyle,
          c.kind == ControlKind::kOptionButton ? morph::kDisplayOptionButton : morph::kDisplayCheckBox);
    w.PutPair(morph::kSize, Himetric(c.width), Himetric(c.height));
    w.PutString(morph::kValue, "0");  // not chosen
    w.PutString(morph::kCaption, c.caption);
  }
  w.PutFlag(morph::kReserved);
  if (!c.group_name.empty()) w.PutString(morph::kGroupName, c.group_name);
  return w.Done(0, kControlMajorVersion) + TextProps(form, false);
}

std::string ControlObject(const FormControlSpec& c, const FormSpec& form) {
  switch (c.kind) {
    case ControlKind::kLabel: return LabelObject(c, form);
    case ControlKind::kCommandButton: return CommandButtonObject(c, form);
    case ControlKind::kTextBox:
    case ControlKind::kOptionButton:
    case ControlKind::kCheckBox: return MorphObject(c, form);
  }
  return {};
}

// 2.2.10.12 OleSiteConcrete: where a control sits and which object is its.
std::string Site(const FormControlSpec& c, std::uint32_t id, std::uint32_t object_size) {
  PropertyWriter w(oforms::SiteLayout());
  w.PutString(site::kName, c.name);
  w.Put(site::kId, id);
  w.Put(site::kObjectStreamSize, object_size);
  w.Put(site::kTabIndex, static_cast<std::uint32_t>(c.tab_index));
  w.Put(site::kClsidCacheIndex, ControlClassIndex(c.kind));
  w.PutPair(site::kPosition, Himetric(c.left), Himetric(c.top));
  return w.Done(0, 0);  // a site's version is one 16-bit zero
}

// The standard font object (GuidAndFont with StdFont): version 1, character
// set, flags, weight, height in 1/10000 point, then the face name in the
// project's code page.
std::string StdFontObject(const FormSpec& form, int code_page) {
  std::string face = ToCodePage(form.font_name, code_page);
  std::string out = GuidBytes(kStdFontClsid);
  PutU8(out, 1);
  PutU16(out, kGb2312CharSet);
  PutU8(out, 0);
  PutU16(out, kFontWeightNormal);
  PutU32(out, static_cast<std::uint32_t>(form.font_points) * 10000);
  PutU8(out, static_cast<std::uint32_t>(face.size()));
  return out + face;
}

// 2.2.10.1 FormControl: the form's own properties, its font, the class
// table (empty: every control is of a cached class) and one site per
// control. The caption lives in the VBFrame text only.
std::string FormStream(const FormSpec& f, const std::vector<std::string>& objects, int code_page) {
  const auto count = static_cast<std::uint32_t>(f.controls.size());
  PropertyWriter w(oforms::FormLayout());
  w.Put(form::kNextAvailableId, count + 1);
  w.Put(form::kBooleanProperties, form::kFlagEnabled);
  w.PutPair(form::kDisplayedSize, Himetric(f.width), Himetric(f.height));
  w.PutPair(form::kLogicalSize, Himetric(f.width), Himetric(f.height));
  w.PutStreamed(form::kFont, StdFontObject(f, code_page));
  w.Put(form::kDrawBuffer, kDrawBuffer);
  std::string out = w.Done(0, form::kMajorVersion);
  PutU16(out, 0);  // CountOfSiteClassInfo

  std::string sites;
  for (std::uint32_t i = 0; i < count; ++i) {
    PutU8(sites, 0);  // depth: directly on the form
    PutU8(sites, 1);  // one site of the OLE site type
  }
  PadTo(sites, 4);
  for (std::uint32_t i = 0; i < count; ++i) {
    sites += Site(f.controls[i], i + 1, static_cast<std::uint32_t>(objects[i].size()));
  }
  PutU32(out, count);
  PutU32(out, static_cast<std::uint32_t>(sites.size()));
  return out + sites;
}

// [MS-OLEDS] 2.3.8 CompObjStream as the desktop program writes it for a
// form: no class, the user type and clipboard format, no ProgID and no
// Unicode strings.
std::string CompObj() {
  std::string out;
  PutU32(out, 0xFFFE0001);  // reserved, byte order
  PutU32(out, 0x00000A03);  // version
  PutU32(out, 0xFFFFFFFF);  // reserved
  out.append(16, '\0');     // CLSID: none
  out += LengthPrefixedAnsiString("Microsoft Forms 2.0 Form");
  out += LengthPrefixedAnsiString("Embedded Object");
  out += LengthPrefixedAnsiString("");  // ProgID
  PutU32(out, 0x71B239F4);        // the Unicode marker
  out += LengthPrefixedUnicodeString("");
  out += LengthPrefixedUnicodeString("");
  out += LengthPrefixedUnicodeString("");
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

std::uint32_t ControlClassIndex(ControlKind k) {
  switch (k) {
    case ControlKind::kCommandButton: return 17;
    case ControlKind::kLabel: return 21;
    case ControlKind::kTextBox: return 23;
    case ControlKind::kCheckBox: return 26;
    case ControlKind::kOptionButton: return 27;
  }
  return 0x7FFF;
}

CfbNode WriteFormStorage(const FormSpec& form, int code_page) {
  std::vector<std::string> objects;
  std::string o;
  for (const FormControlSpec& c : form.controls) {
    objects.push_back(ControlObject(c, form));
    o += objects.back();
  }
  // The storage's own CLSID stays zero: the class is named by the VBFrame.
  CfbNode storage = CfbNode::Storage(form.name);
  storage.children.push_back(CfbNode::Stream("\x01" "CompObj", CompObj()));
  storage.children.push_back(CfbNode::Stream("\x03" "VBFrame", VbFrame(form, code_page)));
  storage.children.push_back(CfbNode::Stream("f", FormStream(form, objects, code_page)));
  storage.children.push_back(CfbNode::Stream("o", o));
  return storage;
}

}  // namespace tavo::vba
