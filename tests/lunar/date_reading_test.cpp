// The engine's quick reading of short-date texts must agree with the
// general date parser on every text, accepted or not.
#include "lunar/date_reading.h"

#include "lunar_test_support.h"

namespace tavo::lunar::testing {
namespace {

class DateReading : public ::testing::TestWithParam<const char*> {};

TEST_P(DateReading, AgreesWithTheDateParser) {
  const char* text = GetParam();
  const std::optional<Date> expected = ParseDate(text);
  if (expected) {
    EXPECT_EQ(ReadDateText(text), *expected) << text;
  } else {
    EXPECT_EQ(ErrorNumberOf([&] { ReadDateText(text); }), kTypeMismatch) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DateReading,
    ::testing::Values("2013-2-9", "2013-02-09", "2013-12-31", "1900-1-1", "2100-12-31", "2024-2-29", "0100-1-1",
                      "9999-12-31", "999-1-1", "2013/2/9", "2013年2月9日", " 2013-2-9", "2013-2-9 ",
                      // refused
                      "2023-2-29", "2024-13-1", "2024-0-1", "2024-1-0", "2024-1-32", "0099-1-1", "20130-2-9",
                      "2013-123-1", "2013-1-123", "2013-1-", "2013--1", "2013-1-1-", "2013-1-1x", "-2013-1-1", "",
                      "2013", "2013-1"));

}  // namespace
}  // namespace tavo::lunar::testing
