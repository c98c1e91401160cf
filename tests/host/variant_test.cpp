#include "sheets/host/variant.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tavo::host
