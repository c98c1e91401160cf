#include "workbook/vba/form_properties.h"

#include "common/error.h"

namespace tavo::vba::oforms {
namespace {

using F = Field;

size_t Width(Field f) { return f == F::kU8 ? 1 : f == F::kU16 || f == F::kStreamed ? 2 : 4; }
bool InDataBlock(Field f) { return f != F::kPair && f != F::kFlag; }

void Align(std::string& s, size_t n) {
  while (s.size() % n != 0) s.push_back('\0');
}

[[noreturn]] void Misuse(const Layout& layout, unsigned bit, const char* why) {
  throw Error(kErrorSource, kInvalidArgument,
              std::string("窗体属性写法错误 / form property misuse: ") + layout.name + " bit " + std::to_string(bit) +
                  ": " + why);
}

}  // namespace

const Layout& FormLayout() {
  static const Layout layout{
      "FormControl (2.2.10)", 4,
      {{form::kBackColor, F::kU32, "BackColor"},
       {form::kForeColor, F::kU32, "ForeColor"},
       {form::kNextAvailableId, F::kU32, "NextAvailableID"},
       {form::kBooleanProperties, F::kU32, "BooleanProperties"},
       {form::kBorderStyle, F::kU8, "BorderStyle"},
       {form::kMousePointer, F::kU8, "MousePointer"},
       {form::kScrollBars, F::kU8, "ScrollBars"},
       {form::kDisplayedSize, F::kPair, "DisplayedSize"},
       {form::kLogicalSize, F::kPair, "LogicalSize"},
       {form::kScrollPosition, F::kPair, "ScrollPosition"},
       {form::kGroupCount, F::kU32, "GroupCnt"},
       {form::kMouseIcon, F::kStreamed, "MouseIcon"},
       {form::kCycle, F::kU8, "Cycle"},
       {form::kSpecialEffect, F::kU8, "SpecialEffect"},
       {form::kBorderColor, F::kU32, "BorderColor"},
       {form::kCaption, F::kString, "Caption"},
       {form::kFont, F::kStreamed, "Font"},
       {form::kPicture, F::kStreamed, "Picture"},
       {form::kZoom, F::kU32, "Zoom"},
       {form::kPictureAlignment, F::kU8, "PictureAlignment"},
       {form::kPictureTiling, F::kFlag, "PictureTiling"},
       {form::kPictureSizeMode, F::kU8, "PictureSizeMode"},
       {form::kShapeCookie, F::kU32, "ShapeCookie"},
       {form::kDrawBuffer, F::kU32, "DrawBuffer"}}};
  return layout;
}

const Layout& SiteLayout() {
  static const Layout layout{"OleSiteConcrete (2.2.10.12)", 4,
                             {{site::kName, F::kString, "Name"},
                              {site::kTag, F::kString, "Tag"},
                              {site::kId, F::kU32, "ID"},
                              {site::kHelpContextId, F::kU32, "HelpContextID"},
                              {site::kBitFlags, F::kU32, "BitFlags"},
                              {site::kObjectStreamSize, F::kU32, "ObjectStreamSize"},
                              {site::kTabIndex, F::kU16, "TabIndex"},
                              {site::kClsidCacheIndex, F::kU16, "ClsidCacheIndex"},
                              {site::kPosition, F::kPair, "Position"},
                              {site::kGroupId, F::kU16, "GroupID"},
                              {site::kControlTipText, F::kString, "ControlTipText"},
                              {site::kRuntimeLicKey, F::kString, "RuntimeLicKey"},
                              {site::kControlSource, F::kString, "ControlSource"},
                              {site::kRowSource, F::kString, "RowSource"}}};
  return layout;
}

const Layout& CommandButtonLayout() {
  static const Layout layout{"CommandButtonControl (2.2.1)", 4,
                             {{command_button::kForeColor, F::kU32, "ForeColor"},
                              {command_button::kBackColor, F::kU32, "BackColor"},
                              {command_button::kVariousPropertyBits, F::kU32, "VariousPropertyBits"},
                              {command_button::kCaption, F::kString, "Caption"},
                              {command_button::kPicturePosition, F::kU32, "PicturePosition"},
                              {command_button::kSize, F::kPair, "Size"},
                              {command_button::kMousePointer, F::kU8, "MousePointer"},
                              {command_button::kPicture, F::kStreamed, "Picture"},
                              {command_button::kAccelerator, F::kU16, "Accelerator"},
                              {command_button::kTakeFocusOnClick, F::kFlag, "TakeFocusOnClick"},
                              {command_button::kMouseIcon, F::kStreamed, "MouseIcon"}}};
  return layout;
}

const Layout& LabelLayout() {
  static const Layout layout{"LabelControl (2.2.4)", 4,
                             {{label::kForeColor, F::kU32, "ForeColor"},
                              {label::kBackColor, F::kU32, "BackColor"},
                              {label::kVariousPropertyBits, F::kU32, "VariousPropertyBits"},
                              {label::kCaption, F::kString, "Caption"},
                              {label::kPicturePosition, F::kU32, "PicturePosition"},
                              {label::kSize, F::kPair, "Size"},
                              {label::kMousePointer, F::kU8, "MousePointer"},
                              {label::kBorderColor, F::kU32, "BorderColor"},
                              {label::kBorderStyle, F::kU16, "BorderStyle"},
                              {label::kSpecialEffect, F::kU16, "SpecialEffect"},
                              {label::kPicture, F::kStreamed, "Picture"},
                              {label::kAccelerator, F::kU16, "Accelerator"},
                              {label::kMouseIcon, F::kStreamed, "MouseIcon"}}};
  return layout;
}

const Layout& MorphDataLayout() {
  static const Layout layout{"MorphDataControl (2.2.5)", 8,
                             {{morph::kVariousPropertyBits, F::kU32, "VariousPropertyBits"},
                              {morph::kBackColor, F::kU32, "BackColor"},
                              {morph::kForeColor, F::kU32, "ForeColor"},
                              {morph::kMaxLength, F::kU32, "MaxLength"},
                              {morph::kBorderStyle, F::kU8, "BorderStyle"},
                              {morph::kScrollBars, F::kU8, "ScrollBars"},
                              {morph::kDisplayStyle, F::kU8, "DisplayStyle"},
                              {morph::kMousePointer, F::kU8, "MousePointer"},
                              {morph::kSize, F::kPair, "Size"},
                              {morph::kPasswordChar, F::kU16, "PasswordChar"},
                              {morph::kListWidth, F::kU32, "ListWidth"},
                              {morph::kBoundColumn, F::kU16, "BoundColumn"},
                              {morph::kTextColumn, F::kU16, "TextColumn"},
                              {morph::kColumnCount, F::kU16, "ColumnCount"},
                              {morph::kListRows, F::kU16, "ListRows"},
                              {morph::kColumnInfoCount, F::kU16, "cColumnInfo"},
                              {morph::kListStyle, F::kU8, "ListStyle"},
                              {morph::kMatchEntry, F::kU8, "MatchEntry"},
                              {morph::kListCursor, F::kU8, "ListCursor"},
                              {morph::kShowDropButtonWhen, F::kU8, "ShowDropButtonWhen"},
                              {morph::kDropButtonStyle, F::kU8, "DropButtonStyle"},
                              {morph::kMultiSelect, F::kU8, "MultiSelect"},
                              {morph::kValue, F::kString, "Value"},
                              {morph::kCaption, F::kString, "Caption"},
                              {morph::kPicturePosition, F::kU32, "PicturePosition"},
                              {morph::kBorderColor, F::kU32, "BorderColor"},
                              {morph::kSpecialEffect, F::kU32, "SpecialEffect"},
                              {morph::kMouseIcon, F::kStreamed, "MouseIcon"},
                              {morph::kPicture, F::kStreamed, "Picture"},
                              {morph::kAccelerator, F::kU16, "Accelerator"},
                              {morph::kReserved, F::kFlag, "Reserved"},
                              {morph::kGroupName, F::kString, "GroupName"}}};
  return layout;
}

const Layout& TextPropsLayout() {
  static const Layout layout{"TextProps", 4,
                             {{text_props::kFontName, F::kString, "FontName"},
                              {text_props::kFontEffects, F::kU32, "FontEffects"},
                              {text_props::kFontHeight, F::kU32, "FontHeight"},
                              {text_props::kFontCharSet, F::kU8, "FontCharSet"},
                              {text_props::kFontPitchAndFamily, F::kU8, "FontPitchAndFamily"},
                              {text_props::kParagraphAlign, F::kU8, "ParagraphAlign"},
                              {text_props::kFontWeight, F::kU16, "FontWeight"}}};
  return layout;
}

FmString MakeFmString(const std::string& utf8) {
  bool ascii = true;
  for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return {static_cast<std::uint32_t>(utf8.size()) | 0x80000000u, utf8};
  std::string units = Utf16le(utf8);
  return {static_cast<std::uint32_t>(units.size()), units};
}

const Property& PropertyWriter::Take(unsigned bit, Field field) {
  if (static_cast<int>(bit) <= last_bit_) Misuse(layout_, bit, "out of bit order");
  for (const Property& p : layout_.properties) {
    if (p.bit != bit) continue;
    if (p.field != field) Misuse(layout_, bit, "stored as another kind of field");
    mask_ |= std::uint64_t{1} << bit;
    last_bit_ = static_cast<int>(bit);
    return p;
  }
  Misuse(layout_, bit, "no such property");
}

void PropertyWriter::Put(unsigned bit, std::uint32_t value) {
  Field field = F::kU32;
  for (const Property& p : layout_.properties) {
    if (p.bit == bit) field = p.field;
  }
  if (field != F::kU8 && field != F::kU16 && field != F::kU32) Misuse(layout_, bit, "not a number");
  Take(bit, field);
  Align(data_, Width(field));
  if (field == F::kU8) {
    PutU8(data_, value);
  } else if (field == F::kU16) {
    PutU16(data_, value);
  } else {
    PutU32(data_, value);
  }
}

void PropertyWriter::PutString(unsigned bit, const std::string& utf8) {
  Take(bit, F::kString);
  FmString s = MakeFmString(utf8);
  Align(data_, 4);
  PutU32(data_, s.count);
  extra_ += s.bytes;
  Align(extra_, 4);
}

void PropertyWriter::PutPair(unsigned bit, std::uint32_t a, std::uint32_t b) {
  Take(bit, F::kPair);
  PutU32(extra_, a);
  PutU32(extra_, b);
}

void PropertyWriter::PutStreamed(unsigned bit, const std::string& object) {
  Take(bit, F::kStreamed);
  Align(data_, 2);
  PutU16(data_, 0xFFFF);
  stream_ += object;
}

void PropertyWriter::PutFlag(unsigned bit) { Take(bit, F::kFlag); }

std::string PropertyWriter::Done(std::uint32_t minor, std::uint32_t major) const {
  std::string mask;
  if (layout_.mask_bytes == 8) {
    PutU64(mask, mask_);
  } else {
    PutU32(mask, static_cast<std::uint32_t>(mask_));
  }
  std::string data = data_;
  Align(data, 4);
  std::string out;
  PutU8(out, minor);
  PutU8(out, major);
  PutU16(out, static_cast<std::uint32_t>(mask.size() + data.size() + extra_.size()));
  return out + mask + data + extra_ + stream_;
}

PropertyValues ReadProperties(ByteReader& in, const Layout& layout,
                              const std::function<std::string(ByteReader&, unsigned)>& read_streamed) {
  PropertyValues v;
  v.minor = in.U8();
  v.major = in.U8();
  const std::uint32_t size = in.U16();
  ByteReader block(in.Bytes(size), layout.name);
  v.mask = layout.mask_bytes == 8 ? (block.U32() | (std::uint64_t{block.U32()} << 32)) : block.U32();
  std::uint64_t known = 0;
  for (const Property& p : layout.properties) known |= std::uint64_t{1} << p.bit;
  if ((v.mask & ~known) != 0) block.Fail("未知属性位 / unknown property bits");

  // The data block: each field aligned to its width from the block's start.
  const size_t data_start = block.pos();
  std::map<unsigned, std::uint32_t> string_counts;
  for (const Property& p : layout.properties) {
    if (!v.Has(p.bit) || !InDataBlock(p.field)) continue;
    while ((block.pos() - data_start) % Width(p.field) != 0) block.Skip(1);
    std::uint32_t n = p.field == F::kU8 ? block.U8() : Width(p.field) == 2 ? block.U16() : block.U32();
    if (p.field == F::kString) {
      string_counts[p.bit] = n;
    } else if (p.field == F::kStreamed) {
      if (n != 0xFFFF) block.Fail(std::string("流属性占位错误 / bad placeholder of ") + p.name);
    } else {
      v.numbers[p.bit] = n;
    }
  }
  while ((block.pos() - data_start) % 4 != 0) block.Skip(1);
  // The extra data block: strings padded to 4 bytes, sizes and positions.
  for (const Property& p : layout.properties) {
    if (!v.Has(p.bit)) continue;
    if (p.field == F::kPair) {
      std::uint32_t a = block.U32();
      v.pairs[p.bit] = {a, block.U32()};
    } else if (p.field == F::kString) {
      const std::uint32_t count = string_counts[p.bit];
      std::string bytes(block.Bytes(count & 0x7FFFFFFFu));
      v.strings[p.bit] = (count & 0x80000000u) ? bytes : Utf8FromUtf16le(bytes);
      while ((block.pos() - data_start) % 4 != 0) block.Skip(1);
    }
  }
  if (!block.done()) block.Fail("属性块长度不符 / property block size does not add up");
  for (const Property& p : layout.properties) {
    if (v.Has(p.bit) && p.field == F::kStreamed) v.streamed[p.bit] = read_streamed(in, p.bit);
  }
  return v;
}

}  // namespace tavo::vba::oforms
