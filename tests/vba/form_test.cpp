// The dialog's form storage read back structure by structure (the "f" and
// "o" streams, CompObj), against what every desktop-saved form has.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/error.h"
#include "workbook/vba/bytes.h"
#include "workbook/vba/code_page.h"
#include "workbook/vba/form_properties.h"
#include "workbook/vba/form_reader.h"
#include "workbook/vba/tavo_dialog.h"
#include "workbook/vba/vba_reader.h"

namespace tavo::vba {
namespace {

namespace form = oforms::form;
namespace site = oforms::site;
namespace morph = oforms::morph;
namespace label = oforms::label;
namespace command_button = oforms::command_button;
namespace text_props = oforms::text_props;

const CfbContents& Written() {
  static const CfbContents file = ReadVbaProject(WriteVbaProject(TavoProject({"Sheet1", "Sheet2"}))).file;
  return file;
}

std::uint32_t Himetric(double points) { return static_cast<std::uint32_t>(std::lround(points * 2540.0 / 72.0)); }

TEST(FormStorage, HasNoClassAndTheDesktopCompObj) {
  EXPECT_EQ(Written().storage_clsids.at("frmTavo/"), std::string(16, '\0'));
  const std::string& compobj = Written().streams.at("frmTavo/\x01" "CompObj");
  ASSERT_EQ(compobj.size(), 97u);
  std::string expected = std::string("\x01\x00\xFE\xFF\x03\x0A\x00\x00\xFF\xFF\xFF\xFF", 12) + std::string(16, '\0') +
                         LengthPrefixedAnsiString("Microsoft Forms 2.0 Form") +
                         LengthPrefixedAnsiString("Embedded Object") + std::string(4, '\0') +
                         std::string("\xF4\x39\xB2\x71", 4) + std::string(12, '\0');
  EXPECT_EQ(compobj, expected);
}

TEST(FormStream, KeepsTheCaptionOutAndCarriesTheClassTableCountAndAStdFont) {
  ReadForm f = ReadFormStorage(Written(), "frmTavo");
  const FormSpec spec = TavoDialog();
  EXPECT_EQ(f.properties.major, form::kMajorVersion);
  EXPECT_FALSE(f.properties.Has(form::kCaption));
  EXPECT_TRUE(f.has_class_table);
  EXPECT_EQ(f.class_count, 0u);
  EXPECT_EQ(f.properties.numbers.at(form::kNextAvailableId), spec.controls.size() + 1);
  const std::pair<std::uint32_t, std::uint32_t> size{Himetric(spec.width), Himetric(spec.height)};
  EXPECT_EQ(f.properties.pairs.at(form::kDisplayedSize), size);
  EXPECT_EQ(f.properties.pairs.at(form::kLogicalSize), size);
  ASSERT_TRUE(f.properties.Has(form::kFont));
  EXPECT_EQ(f.font.version, 1u);
  EXPECT_EQ(f.font.charset, kGb2312CharSet);
  EXPECT_EQ(f.font.weight, 400u);
  EXPECT_EQ(f.font.height, 90000u);  // 9 points in 1/10000 point
  EXPECT_EQ(FromCodePage(f.font.face, kProjectCodePage), "宋体");
  // The caption is the VBFrame's.
  EXPECT_NE(FromCodePage(Written().streams.at("frmTavo/\x03VBFrame"), kProjectCodePage).find("tavo 校历工具"),
            std::string::npos);
}

// Every control: its site in "f", its own structure and TextProps in "o".
TEST(FormStream, EveryControlReadsBackAsTheDesktopWritesItsKind) {
  ReadForm f = ReadFormStorage(Written(), "frmTavo");
  const FormSpec spec = TavoDialog();
  ASSERT_EQ(f.controls.size(), spec.controls.size());
  for (size_t i = 0; i < spec.controls.size(); ++i) {
    const FormControlSpec& want = spec.controls[i];
    const ReadFormControl& got = f.controls[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.name(), want.name);
    EXPECT_EQ(got.site.numbers.at(site::kId), i + 1);
    EXPECT_EQ(got.site.numbers.at(site::kTabIndex), static_cast<std::uint32_t>(want.tab_index));
    EXPECT_EQ(got.site.pairs.at(site::kPosition),
              (std::pair<std::uint32_t, std::uint32_t>{Himetric(want.left), Himetric(want.top)}));
    const std::pair<std::uint32_t, std::uint32_t> size{Himetric(want.width), Himetric(want.height)};
    const oforms::PropertyValues& p = got.properties;
    EXPECT_EQ(got.text_props.strings.at(text_props::kFontName), "宋体");
    EXPECT_EQ(got.text_props.numbers.at(text_props::kFontCharSet), kGb2312CharSet);
    switch (want.kind) {
      case ControlKind::kTextBox:
        EXPECT_TRUE(p.Has(morph::kReserved));
        EXPECT_EQ(p.numbers.at(morph::kVariousPropertyBits), 0x2C80481Bu);  // with fEditable
        EXPECT_EQ(p.numbers.at(morph::kVariousPropertyBits) & 0x4000u, 0x4000u);
        EXPECT_FALSE(p.Has(morph::kDisplayStyle));  // a text box is the default
        EXPECT_EQ(p.pairs.at(morph::kSize), size);
        break;
      case ControlKind::kOptionButton:
      case ControlKind::kCheckBox:
        EXPECT_TRUE(p.Has(morph::kReserved));
        EXPECT_EQ(p.numbers.at(morph::kBackColor), 0x8000000Fu);
        EXPECT_EQ(p.numbers.at(morph::kForeColor), 0x80000012u);
        EXPECT_EQ(p.numbers.at(morph::kDisplayStyle), want.kind == ControlKind::kOptionButton ? 5u : 4u);
        EXPECT_EQ(p.strings.at(morph::kValue), "0");
        EXPECT_EQ(p.strings.at(morph::kCaption), want.caption);
        EXPECT_EQ(p.pairs.at(morph::kSize), size);
        if (!want.group_name.empty()) {
          EXPECT_EQ(p.strings.at(morph::kGroupName), want.group_name);
        }
        break;
      case ControlKind::kCommandButton:
        EXPECT_EQ(p.strings.at(command_button::kCaption), want.caption);
        EXPECT_EQ(p.pairs.at(command_button::kSize), size);
        EXPECT_EQ(got.text_props.numbers.at(text_props::kParagraphAlign), text_props::kAlignCenter);
        break;
      case ControlKind::kLabel:
        EXPECT_EQ(p.strings.at(label::kCaption), want.caption);
        EXPECT_EQ(p.pairs.at(label::kSize), size);
        EXPECT_FALSE(got.text_props.Has(text_props::kParagraphAlign));
        break;
    }
  }
}

// A cut anywhere in "f" or "o" is reported, never read past or half taken.
TEST(FormStream, RefusesEveryTruncation) {
  for (const char* stream : {"frmTavo/f", "frmTavo/o"}) {
    const std::string whole = Written().streams.at(stream);
    for (size_t cut = 0; cut < whole.size(); cut += 7) {
      CfbContents damaged = Written();
      damaged.streams[stream] = whole.substr(0, cut);
      EXPECT_THROW(ReadFormStorage(damaged, "frmTavo"), Error) << stream << " cut at " << cut;
    }
  }
  CfbContents missing = Written();
  missing.streams.erase("frmTavo/o");
  EXPECT_THROW(ReadFormStorage(missing, "frmTavo"), Error);
}

// A check box (the next control the dialog may get) goes through the same writer.
TEST(FormStream, ACheckBoxIsAMorphDataControlOfItsOwnStyle) {
  FormSpec spec = TavoDialog();
  spec.controls.push_back({ControlKind::kCheckBox, "chkMarks", "节假日标记", "", 12, 150, 90, 18, 20});
  CfbNode root = CfbNode::Storage("", {WriteFormStorage(spec, kProjectCodePage)});
  ReadForm f = ReadFormStorage(ReadCompoundFile(WriteCompoundFile(root)), "frmTavo");
  const ReadFormControl& box = f.controls.back();
  EXPECT_EQ(box.kind, ControlKind::kCheckBox);
  EXPECT_EQ(box.name(), "chkMarks");
  EXPECT_EQ(box.properties.numbers.at(morph::kDisplayStyle), morph::kDisplayCheckBox);
  EXPECT_EQ(box.properties.strings.at(morph::kCaption), "节假日标记");
  EXPECT_FALSE(box.properties.Has(morph::kGroupName));
}

// A property is marked exactly when written: out of order, of the wrong
// kind or unknown to the structure, the writer refuses.
TEST(PropertyWriter, RefusesWhatItsStructureDoesNotLayOut) {
  struct Misuse {
    const char* what;
    void (*write)(oforms::PropertyWriter&);
  };
  const Misuse cases[] = {
      {"out of bit order", [](oforms::PropertyWriter& w) { w.PutPair(morph::kSize, 1, 1); w.Put(morph::kBackColor, 0); }},
      {"the same bit twice", [](oforms::PropertyWriter& w) { w.PutFlag(morph::kReserved); w.PutFlag(morph::kReserved); }},
      {"a string as a number", [](oforms::PropertyWriter& w) { w.Put(morph::kCaption, 1); }},
      {"a number as a pair", [](oforms::PropertyWriter& w) { w.PutPair(morph::kBackColor, 1, 2); }},
      {"an unused bit", [](oforms::PropertyWriter& w) { w.PutFlag(30); }},
  };
  for (const Misuse& m : cases) {
    oforms::PropertyWriter w(oforms::MorphDataLayout());
    EXPECT_THROW(m.write(w), Error) << m.what;
  }
}

// Masks, padding and sizes as laid out: a data block aligned field by
// field, strings padded to 4 bytes, the size covering mask, data and extra.
TEST(PropertyWriter, LaysOutAMorphDataControlByteForByte) {
  oforms::PropertyWriter w(oforms::MorphDataLayout());
  w.Put(morph::kDisplayStyle, 5);
  w.PutPair(morph::kSize, 0x11, 0x22);
  w.PutString(morph::kCaption, "ab");
  w.PutFlag(morph::kReserved);
  std::string want = std::string("\x00\x02\x1C\x00", 4) +
                     std::string("\x40\x01\x80\x80\x00\x00\x00\x00", 8) +      // bits 6, 8, 23, 31
                     std::string("\x05\x00\x00\x00\x02\x00\x00\x80", 8) +      // style, padding, caption count
                     std::string("\x11\x00\x00\x00\x22\x00\x00\x00", 8) + "ab" + std::string(2, '\0');
  EXPECT_EQ(w.Done(0, 2), want);
  ByteReader in(want, "test");
  oforms::PropertyValues back = oforms::ReadProperties(in, oforms::MorphDataLayout(), nullptr);
  EXPECT_EQ(back.numbers.at(morph::kDisplayStyle), 5u);
  EXPECT_EQ(back.strings.at(morph::kCaption), "ab");
  EXPECT_TRUE(back.Has(morph::kReserved));
  EXPECT_TRUE(in.done());
}

}  // namespace
}  // namespace tavo::vba
