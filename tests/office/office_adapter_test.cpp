// The adapter's conversions that need no running office: footer codes,
// the stored palette, paper sizes and the desktop's units.
#include <gtest/gtest.h>

#include "office/host/footer_text.h"
#include "office/host/palette.h"
#include "office/host/paper_sizes.h"
#include "office/host/units.h"
#include "office/host/view_data.h"
#include "host/host.h"
#include "host/host_defaults.h"

namespace tavo::office {
namespace {

TEST(FooterCodes, ReadAndWrittenBack) {
  struct Case {
    const char* codes;
    std::vector<FooterPiece> pieces;
  };
  const Case cases[] = {
      {"&P", {{"", 'P'}}},
      {"第&P页，共&N页", {{"第", 0}, {"", 'P'}, {"页，共", 0}, {"", 'N'}, {"页", 0}}},
      {"A&&B", {{"A&B", 0}}},
      {"&Z&", {{"&Z&", 0}}},  // unknown codes and a lone ampersand stay text
      {"", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseFooterCodes(c.codes), c.pieces) << c.codes;
  }
  EXPECT_EQ(FooterCodes(ParseFooterCodes("第&P页 & &A")), "第&P页 && &A");
}

// What Calc gave after freezing the horizontal layout beside its
// two-pixel column A (one column fixed, the scrolling pane from D), and a
// row freeze; each must come out fixed on whole cells from A1.
TEST(ViewData, FrozenSplitOpensAtTheFirstCell) {
  struct Case {
    const char* given;
    std::int32_t sheet, columns, rows;
    std::optional<std::string> wanted;
  };
  const char* three = "100/60/0;1;tw:1218;0/0/0/0/0/0/2/0/0/0/0;0/0/2/0/1/16/2/0/3/0/0;5/9/0/0/0/0/2/4/4/7/7";
  const Case cases[] = {
      {three, 1, 2, 0,
       "100/60/0;1;tw:1218;0/0/0/0/0/0/2/0/0/0/0;0/0/2/0/2/0/2/0/2/0/0;5/9/0/0/0/0/2/4/4/7/7"},
      {three, 2, 0, 2,  // the cursor stays where it was
       "100/60/0;1;tw:1218;0/0/0/0/0/0/2/0/0/0/0;0/0/2/0/1/16/2/0/3/0/0;5/9/0/2/0/2/2/0/0/0/2"},
      {three, 0, 2, 3,
       "100/60/0;1;tw:1218;0/0/2/2/2/3/2/0/2/0/3;0/0/2/0/1/16/2/0/3/0/0;5/9/0/0/0/0/2/4/4/7/7"},
      {"100/60/0;0;tw:1218;0/0/0/0/0/0/2/0/0/0/0/+/0/0", 0, 2, 0,  // later fields kept
       "100/60/0;0;tw:1218;0/0/2/0/2/0/2/0/2/0/0/+/0/0"},
      {three, 3, 2, 0, std::nullopt},   // no such sheet
      {three, -1, 2, 0, std::nullopt},
      {"100/60/0;0;tw:1218;0/0/2/0", 0, 2, 0, std::nullopt},  // too short
      {"100/60/0;0;tw:1218;0/0/x/0/0/0/2/0/0/0/0", 0, 2, 0, std::nullopt},
      {"", 0, 2, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FrozenViewData(c.given, c.sheet, c.columns, c.rows), c.wanted)
        << c.given << " sheet " << c.sheet << " at " << c.columns << "," << c.rows;
  }
}

// The frozen split as the entry keeps it: what a freeze gave in a Chinese UI,
// where the split's own getters read one row more.
TEST(ViewData, FrozenSplitIsReadFromTheEntry) {
  struct Case {
    const char* given;
    std::int32_t sheet;
    std::optional<FrozenSplit> wanted;
  };
  const char* zh = "100/60/0;0;tw:738;0/0/0/2/0/2/0/0/0/0/2;0/0/2/0/2/0/2/0/2/0/0;0/0/2/2/2/3/2/0/2/0/3";
  const Case cases[] = {
      {zh, 0, FrozenSplit{0, 2}},  // rows 1..2 fixed; the column position is no split
      {zh, 1, FrozenSplit{2, 0}},
      {zh, 2, FrozenSplit{2, 3}},
      {"100/60/0;0;tw:738;0/0/0/0/33/20/2/0/0/0/0", 0, FrozenSplit{0, 0}},  // pixels of no split
      {"100/60/0;0;tw:738;0/0/1/1/120/40/2/0/0/0/0", 0, FrozenSplit{0, 0}},  // a split, not frozen
      {zh, 3, std::nullopt},
      {zh, -1, std::nullopt},
      {"100/60/0;0;tw:738;0/0/2/2/99999999999/2/2/0/0/0/0", 0, FrozenSplit{0, 2}},
      {"100/60/0;0;tw:738;0/0/2", 0, std::nullopt},
      {"", 0, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FrozenSplitOf(c.given, c.sheet), c.wanted) << c.given << " sheet " << c.sheet;
  // What FrozenViewData writes reads back as what it was given.
  for (std::int32_t columns : {0, 2})
    for (std::int32_t rows : {0, 2, 3}) {
      const auto written = FrozenViewData(zh, 1, columns, rows);
      ASSERT_TRUE(written);
      EXPECT_EQ(FrozenSplitOf(*written, 1), (FrozenSplit{columns, rows}));
    }
}

TEST(PaletteProperty, RoundTripsAndRefusesDamage) {
  const Palette classic = host::ClassicPalette();
  Palette read{};
  ASSERT_TRUE(ParsePaletteText(PaletteText(classic), read));
  EXPECT_EQ(read, classic);
  EXPECT_EQ(PaletteText(classic).substr(0, 13), "000000 FFFFFF");
  for (const char* damaged : {"", "000000", "GG0000 FFFFFF", "0000000 FFFFFF"}) {
    Palette untouched = classic;
    EXPECT_FALSE(ParsePaletteText(damaged, untouched)) << damaged;
    EXPECT_EQ(untouched, classic);
  }
  std::string too_long = PaletteText(classic) + " 123456";
  EXPECT_FALSE(ParsePaletteText(too_long, read));
}

TEST(PaletteProperty, NearestEntry) {
  Palette palette = host::ClassicPalette();
  palette[14] = host::Rgb(221, 221, 221);
  EXPECT_EQ(NearestIndex(palette, HostToUnoColour(host::Rgb(221, 221, 221))), 15);
  EXPECT_EQ(NearestIndex(palette, 0xFF0000), 3);  // red
  EXPECT_EQ(NearestIndex(palette, 0xFE0101), 3);  // near red
  EXPECT_EQ(HostToUnoColour(host::Rgb(0x12, 0x34, 0x56)), 0x123456);
}

TEST(PaperSizes, CodesAndSizes) {
  PaperSize a4{};
  ASSERT_TRUE(PaperOfCode(9, a4));
  EXPECT_EQ(a4.width, 21000);
  EXPECT_EQ(CodeOfPaper(21001, 29700), 9);   // as LibreOffice reads A4 back
  EXPECT_EQ(CodeOfPaper(29700, 21000), 9);   // landscape
  EXPECT_EQ(CodeOfPaper(29700, 42000), 8);
  EXPECT_EQ(CodeOfPaper(10000, 10000), 256);  // custom
  PaperSize none{};
  EXPECT_FALSE(PaperOfCode(0, none));
}

TEST(Units, PointsAndCharacters) {
  struct Case {
    double points;
    std::int32_t mm100;
  };
  for (const Case c : {Case{14.25, 503}, Case{5, 176}, Case{54, 1905}, Case{21.6, 762}}) {
    EXPECT_EQ(PointsToMm100(c.points), c.mm100);
    EXPECT_DOUBLE_EQ(Mm100ToPoints(c.mm100), c.points);
  }
  struct Width {
    double characters;
    std::int32_t pixels;
  };
  for (const Width w : {Width{7, 54}, Width{8.43, 64}, Width{0.2, 2}, Width{0.38, 5}, Width{1, 12}, Width{0, 0}}) {
    EXPECT_EQ(ColumnPixels(w.characters), w.pixels) << w.characters;
  }
  EXPECT_DOUBLE_EQ(Mm100ToCharacters(CharactersToMm100(7)), 7);
  EXPECT_DOUBLE_EQ(Mm100ToCharacters(CharactersToMm100(0.2)), 0.17);  // 2 pixels
}

// The widths Calc 7.4 gave the columns of a command-made .xlsx, read back
// in 1/100 mm: with 宋体 drawn as Noto Serif CJK SC (123-twip digits) and as
// DejaVu Sans (140). A width set through the adapter must come out the same,
// and read back as the width the builder set.
TEST(OfficeUnits, ColumnWidthsAsCalcReadsTheCommandsFile) {
  struct Case {
    double characters;
    double digit_twips;
    std::int32_t calc_mm100;
  };
  for (const Case c : {Case{8, 123, 1889}, Case{7, 123, 1672}, Case{18, 123, 4059}, Case{0.38, 123, 153},
                       Case{0.2, 123, 62}, Case{8, 140, 2152}, Case{7, 140, 1905}, Case{18, 140, 4621},
                       Case{0.38, 140, 176}, Case{0.2, 140, 71}}) {
    EXPECT_EQ(CharactersToMm100(c.characters, c.digit_twips), c.calc_mm100) << c.characters << " @" << c.digit_twips;
  }
  for (const double digit : {105.0, 111.0, 123.0, 140.0}) {
    for (const double width : {1.0, 6.0, 7.0, 8.0, 11.0, 18.0, 100.0}) {
      EXPECT_DOUBLE_EQ(Mm100ToCharacters(CharactersToMm100(width, digit), digit), width) << width << " @" << digit;
    }
    EXPECT_EQ(Mm100ToCharacters(0, digit), 0);
  }
}

}  // namespace
}  // namespace tavo::office
