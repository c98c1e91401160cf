#include "workbook/vba/form_reader.h"

#include "common/error.h"
#include "workbook/vba/bytes.h"

namespace tavo::vba {
namespace {

using oforms::PropertyValues;

[[noreturn]] void Damaged(const std::string& why) {
  throw Error(kErrorSource, 321, "窗体流已损坏 / damaged form stream: " + why);
}

StdFontData ReadStdFont(ByteReader& in) {
  StdFontData f;
  f.version = in.U8();
  f.charset = in.U16();
  f.flags = in.U8();
  f.weight = in.U16();
  f.height = in.U32();
  f.face = std::string(in.Bytes(in.U8()));
  return f;
}

// Our forms stream only the form's font.
std::string NoStreamedProperty(ByteReader& in, unsigned bit) {
  in.Fail("不支持的图片或字体属性 / unsupported picture or font property, bit " + std::to_string(bit));
}

ControlKind KindOf(std::uint32_t class_index) {
  for (ControlKind k : {ControlKind::kLabel, ControlKind::kTextBox, ControlKind::kOptionButton,
                        ControlKind::kCheckBox, ControlKind::kCommandButton}) {
    if (ControlClassIndex(k) == class_index) return k;
  }
  Damaged("未知控件类 / unknown control class " + std::to_string(class_index));
}

const oforms::Layout& LayoutOf(ControlKind k) {
  switch (k) {
    case ControlKind::kLabel: return oforms::LabelLayout();
    case ControlKind::kCommandButton: return oforms::CommandButtonLayout();
    default: return oforms::MorphDataLayout();
  }
}

const std::string& Stream(const CfbContents& file, const std::string& path) {
  auto it = file.streams.find(path);
  if (it == file.streams.end()) Damaged("缺少流 / missing " + path);
  return it->second;
}

}  // namespace

std::string ReadFormControl::name() const {
  auto it = site.strings.find(oforms::site::kName);
  return it == site.strings.end() ? std::string() : it->second;
}

ReadForm ReadFormStorage(const CfbContents& file, const std::string& name) {
  namespace form = oforms::form;
  ReadForm out;
  ByteReader f(Stream(file, name + "/f"), "f");
  StdFontData font;
  out.properties = oforms::ReadProperties(f, oforms::FormLayout(), [&](ByteReader& in, unsigned bit) {
    if (bit != form::kFont) NoStreamedProperty(in, bit);
    std::string guid(in.Bytes(16));
    if (guid != GuidBytes("{0BE35203-8F91-11CE-9DE3-00AA004BB851}")) in.Fail("字体不是 StdFont / font is not a StdFont");
    font = ReadStdFont(in);
    return guid;
  });
  out.font = font;
  std::uint32_t flags =
      out.properties.numbers.count(form::kBooleanProperties) ? out.properties.numbers.at(form::kBooleanProperties)
                                                              : form::kFlagEnabled;
  out.has_class_table = (flags & form::kFlagDontSaveClassTable) == 0;
  if (out.has_class_table) {
    out.class_count = f.U16();
    if (out.class_count != 0) f.Fail("不支持类表项 / class table entries are not supported");
  }
  const std::uint32_t site_count = f.U32();
  const std::uint32_t site_bytes = f.U32();
  ByteReader sites(f.Bytes(site_bytes), "f sites");
  if (!f.done()) f.Fail("多余数据 / trailing bytes");
  // Depth and type of every site: a count bit (0x80) folds runs of equal ones.
  std::uint32_t described = 0;
  while (described < site_count) {
    std::uint32_t depth = sites.U8();
    std::uint32_t type_or_count = sites.U8();
    std::uint32_t n = 1;
    if (type_or_count & 0x80) {
      n = type_or_count & 0x7F;
      type_or_count = sites.U8();
    }
    if (depth != 0 || type_or_count != 1) sites.Fail("不支持的控件层次 / unsupported site depth or type");
    described += n;
  }
  while (sites.pos() % 4 != 0) sites.Skip(1);

  ByteReader objects(Stream(file, name + "/o"), "o");
  for (std::uint32_t i = 0; i < site_count; ++i) {
    ReadFormControl c;
    c.site = oforms::ReadProperties(sites, oforms::SiteLayout(), NoStreamedProperty);
    c.kind = KindOf(c.site.numbers.count(oforms::site::kClsidCacheIndex)
                        ? c.site.numbers.at(oforms::site::kClsidCacheIndex)
                        : 0x7FFF);
    const std::uint32_t size = c.site.numbers.count(oforms::site::kObjectStreamSize)
                                   ? c.site.numbers.at(oforms::site::kObjectStreamSize)
                                   : 0;
    ByteReader object(objects.Bytes(size), "o: " + c.name());
    c.properties = oforms::ReadProperties(object, LayoutOf(c.kind), NoStreamedProperty);
    c.text_props = oforms::ReadProperties(object, oforms::TextPropsLayout(), NoStreamedProperty);
    if (!object.done()) object.Fail("控件对象长度不符 / object size does not add up");
    out.controls.push_back(std::move(c));
  }
  if (!sites.done()) sites.Fail("多余数据 / trailing bytes");
  if (!objects.done()) objects.Fail("多余数据 / trailing bytes");
  return out;
}

}  // namespace tavo::vba
