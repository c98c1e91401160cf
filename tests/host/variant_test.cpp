#include "host/variant.h"

#include <gtest/gtest.h>

#include "common/dates.h"
#include "common/error.h"

namespace tavo::host {
namespace {

TEST(Variant, TextOfEachKind) {
  EXPECT_EQ(Variant().ToText(), "");
  EXPECT_EQ(Variant(15).ToText(), "15");
  EXPECT_EQ(Variant(10).ToText(), "10");
  EXPECT_EQ(Variant(100).ToText(), "100");
  EXPECT_EQ(Variant(2000000).ToText(), "2000000");
  EXPECT_EQ(Variant(-30).ToText(), "-30");
  EXPECT_EQ(Variant(123.5).ToText(), "123.5");
  EXPECT_EQ(Variant(3.1).ToText(), "3.1");
  EXPECT_EQ(Variant(0.38).ToText(), "0.38");
  EXPECT_EQ(Variant(-4142).ToText(), "-4142");
  EXPECT_EQ(Variant(true).ToText(), "True");
  EXPECT_EQ(Variant("第1周").ToText(), "第1周");
}

TEST(Variant, IntegersRoundHalfToEvenAndRefuseText) {
  EXPECT_EQ(Variant().ToInt32(), 0);
  EXPECT_EQ(Variant(2.5).ToInt32(), 2);
  EXPECT_EQ(Variant(3.5).ToInt32(), 4);
  EXPECT_EQ(Variant(" 3 ").ToInt32(), 3);
  EXPECT_EQ(Variant(true).ToInt32(), -1);
  EXPECT_THROW(Variant("abc").ToInt32(), Error);
  EXPECT_THROW(Variant("0x10").ToInt32(), Error);
  EXPECT_THROW(Variant(1e12).ToInt32(), Error);
  try {
    Variant("横").ToInt32();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 13);
  }
}

TEST(Variant, DatesAsTheHostShowsThem) {
  struct Case {
    double serial;
    const char* text;
  };
  const Case cases[] = {
      {45536, "2024/9/1"},           // a plain day
      {61, "1900/3/1"},              // the first day both serial systems agree on
      {2, "1900/1/1"},               // automation serial of the first day of 1900
      {73050, "2099/12/31"},         //
      {45536.354166666664, "2024/9/1 8:30:00"},
      {45536.99999999, "2024/9/2"},  // rounds to the next midnight
      {0.75, "18:00:00"},            // a time of day alone
      {-1.25, "1899/12/29 6:00:00"},  // before the epoch the time still runs forward
  };
  for (const Case& c : cases) {
    const Variant v = Variant::Date(c.serial);
    EXPECT_TRUE(v.IsDate());
    EXPECT_EQ(v.ToText(), c.text) << c.serial;
    EXPECT_EQ(v.ToNumber(), c.serial);
  }
  EXPECT_EQ(DateToSerial(Date{std::chrono::year{2024} / 9 / 1}), 45536);
  EXPECT_EQ(SerialToDate(45536.9), (Date{std::chrono::year{2024} / 9 / 1}));
  // The text reads back as the same day, so a date box filled from a date cell works.
  EXPECT_EQ(ParseDate(Variant::Date(45537).ToText()), (Date{std::chrono::year{2024} / 9 / 2}));
  EXPECT_FALSE(Variant::Date(45537) == Variant(45537));
}

TEST(Variant, ErrorValuesKeepTheirCodeAndAreNoNumber) {
  const std::pair<CellError, const char*> names[] = {
      {CellError::Null, "#NULL!"}, {CellError::Div0, "#DIV/0!"}, {CellError::Value, "#VALUE!"},
      {CellError::Ref, "#REF!"},   {CellError::Name, "#NAME?"},  {CellError::Num, "#NUM!"},
      {CellError::NA, "#N/A"}};
  for (auto [code, text] : names) {
    EXPECT_STREQ(CellErrorText(static_cast<std::int32_t>(code)), text);
    std::int32_t back = 0;
    EXPECT_TRUE(CellErrorFromText(text, back));
    EXPECT_EQ(back, static_cast<std::int32_t>(code));
  }
  std::int32_t unused = 0;
  EXPECT_FALSE(CellErrorFromText("#n/a", unused));
  EXPECT_EQ(CellErrorText(2001), nullptr);
  const Variant na = Variant::Error(CellError::NA);
  EXPECT_TRUE(na.IsError());
  EXPECT_EQ(na.ErrorCode(), 2042);
  EXPECT_EQ(na.ToText(), "Error 2042");
  EXPECT_THROW(na.ToNumber(), Error);
  EXPECT_THROW(na.ToBool(), Error);
}

}  // namespace
}  // namespace tavo::host
