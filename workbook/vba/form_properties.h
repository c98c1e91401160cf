#pragma once
// The property blocks of the forms designer's binary structures
// ([MS-OFORMS] 2.2 and 2.3): a version, a size, a mask with one bit per
// property that differs from its default, then those properties in bit
// order, small ones in a data block, larger ones in an extra data block,
// pictures and fonts after both. Each structure's properties are listed
// once below with the field each is stored as; the writer and the reader go
// by these lists, so a mask bit is set exactly when its property is written.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "workbook/vba/bytes.h"

namespace tavo::vba::oforms {

enum class Field {
  kU8,
  kU16,
  kU32,
  kString,    // size and compression flag in the data block, characters in the extra data block
  kPair,      // 8 bytes in the extra data block: a size or a position
  kStreamed,  // 0xFFFF in the data block, the font or picture after the extra data block
  kFlag,      // a bit without data
};

struct Property {
  unsigned bit;
  Field field;
  const char* name;
};

struct Layout {
  const char* name;  // the structure and its clause
  unsigned mask_bytes;
  std::vector<Property> properties;  // in bit order
};

// 2.2.10.2 FormPropMask, 2.2.10.3 FormDataBlock, 2.2.10.4 FormExtraDataBlock
namespace form {
enum Bit : unsigned {
  kBackColor = 1, kForeColor = 2, kNextAvailableId = 3, kBooleanProperties = 6, kBorderStyle = 7,
  kMousePointer = 8, kScrollBars = 9, kDisplayedSize = 10, kLogicalSize = 11, kScrollPosition = 12,
  kGroupCount = 13, kMouseIcon = 15, kCycle = 16, kSpecialEffect = 17, kBorderColor = 18, kCaption = 19,
  kFont = 20, kPicture = 21, kZoom = 22, kPictureAlignment = 23, kPictureTiling = 24, kPictureSizeMode = 25,
  kShapeCookie = 26, kDrawBuffer = 27,
};
// 2.2.10.1 FormControl: version 0.4.
inline constexpr std::uint32_t kMajorVersion = 4;
// FormFlags, the bits of BooleanProperties (default: enabled only).
inline constexpr std::uint32_t kFlagEnabled = 0x00000004;
inline constexpr std::uint32_t kFlagDontSaveClassTable = 0x00008000;
}  // namespace form
const Layout& FormLayout();

// 2.2.10.12.2 SitePropMask, .3 SiteDataBlock, .4 SiteExtraDataBlock (OleSiteConcrete)
namespace site {
enum Bit : unsigned {
  kName = 0, kTag = 1, kId = 2, kHelpContextId = 3, kBitFlags = 4, kObjectStreamSize = 5, kTabIndex = 6,
  kClsidCacheIndex = 7, kPosition = 8, kGroupId = 9, kControlTipText = 11, kRuntimeLicKey = 12,
  kControlSource = 13, kRowSource = 14,
};
}  // namespace site
const Layout& SiteLayout();

// 2.2.1.2 CommandButtonPropMask
namespace command_button {
enum Bit : unsigned {
  kForeColor = 0, kBackColor = 1, kVariousPropertyBits = 2, kCaption = 3, kPicturePosition = 4, kSize = 5,
  kMousePointer = 6, kPicture = 7, kAccelerator = 8, kTakeFocusOnClick = 9, kMouseIcon = 10,
};
}  // namespace command_button
const Layout& CommandButtonLayout();

// 2.2.4.2 LabelPropMask
namespace label {
enum Bit : unsigned {
  kForeColor = 0, kBackColor = 1, kVariousPropertyBits = 2, kCaption = 3, kPicturePosition = 4, kSize = 5,
  kMousePointer = 6, kBorderColor = 7, kBorderStyle = 8, kSpecialEffect = 9, kPicture = 10, kAccelerator = 11,
  kMouseIcon = 12,
};
}  // namespace label
const Layout& LabelLayout();

// 2.2.5.2 MorphDataPropMask (text boxes, option buttons and the other
// "morph data" controls)
namespace morph {
enum Bit : unsigned {
  kVariousPropertyBits = 0, kBackColor = 1, kForeColor = 2, kMaxLength = 3, kBorderStyle = 4, kScrollBars = 5,
  kDisplayStyle = 6, kMousePointer = 7, kSize = 8, kPasswordChar = 9, kListWidth = 10, kBoundColumn = 11,
  kTextColumn = 12, kColumnCount = 13, kListRows = 14, kColumnInfoCount = 15, kListStyle = 16, kMatchEntry = 17,
  kListCursor = 18, kShowDropButtonWhen = 19, kDropButtonStyle = 20, kMultiSelect = 21, kValue = 22,
  kCaption = 23, kPicturePosition = 24, kBorderColor = 25, kSpecialEffect = 26, kMouseIcon = 27, kPicture = 28,
  kAccelerator = 29,
  // Reserved: the desktop program sets it on every morph-data control it saves.
  kReserved = 31,
  kGroupName = 32,
};
// DisplayStyle values (fmDisplayStyle).
inline constexpr std::uint32_t kDisplayText = 1;
inline constexpr std::uint32_t kDisplayCheckBox = 4;
inline constexpr std::uint32_t kDisplayOptionButton = 5;
}  // namespace morph
const Layout& MorphDataLayout();

// TextPropsPropMask, of the TextProps every control with text carries
namespace text_props {
enum Bit : unsigned {
  kFontName = 0, kFontEffects = 1, kFontHeight = 2, kFontCharSet = 4, kFontPitchAndFamily = 5,
  kParagraphAlign = 6, kFontWeight = 7,
};
// ParagraphAlign values: 1 left, 2 right, 3 centre.
inline constexpr std::uint32_t kAlignCenter = 3;
}  // namespace text_props
const Layout& TextPropsLayout();

// Writes one structure's properties. Each Put names its bit; the bit must
// belong to the layout with that kind of field and come after the previous
// one, else tavo::Error: a property can neither go unmarked nor be marked
// without being written.
class PropertyWriter {
 public:
  explicit PropertyWriter(const Layout& layout) : layout_(layout) {}
  void Put(unsigned bit, std::uint32_t value);                     // kU8, kU16, kU32
  void PutString(unsigned bit, const std::string& utf8);           // kString
  void PutPair(unsigned bit, std::uint32_t a, std::uint32_t b);    // kPair
  void PutStreamed(unsigned bit, const std::string& object);       // kStreamed
  void PutFlag(unsigned bit);                                      // kFlag
  // Version bytes, the size of mask + data + extra, those three, then the
  // streamed objects.
  std::string Done(std::uint32_t minor, std::uint32_t major) const;

 private:
  const Property& Take(unsigned bit, Field field);

  const Layout& layout_;
  std::uint64_t mask_ = 0;
  int last_bit_ = -1;
  std::string data_, extra_, stream_;
};

// One structure read back: which bits were set and each property's value.
struct PropertyValues {
  std::uint32_t minor = 0, major = 0;
  std::uint64_t mask = 0;
  std::map<unsigned, std::uint32_t> numbers;
  std::map<unsigned, std::string> strings;  // UTF-8
  std::map<unsigned, std::pair<std::uint32_t, std::uint32_t>> pairs;
  std::map<unsigned, std::string> streamed;  // the objects' bytes
  bool Has(unsigned bit) const { return (mask >> bit) & 1; }
};

// Reads one structure at `in`'s position. `read_streamed` reads one streamed
// object of the given bit and returns its bytes. Raises tavo::Error (321)
// for a bit the layout lacks, a size that does not add up or a bad string.
PropertyValues ReadProperties(ByteReader& in, const Layout& layout,
                              const std::function<std::string(ByteReader&, unsigned)>& read_streamed);

// fmString text: plain ASCII one byte a character ("compressed"), anything
// else UTF-16. The count word carries the byte count and that flag.
struct FmString {
  std::uint32_t count;
  std::string bytes;
};
FmString MakeFmString(const std::string& utf8);

}  // namespace tavo::vba::oforms
