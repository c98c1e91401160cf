#pragma once
// Calendar dates as the system passes them around: std::chrono calendar
// types inside, and `DateText` (the short-date form "2013-2-9": year, month
// and day without leading zeros, joined by hyphens) wherever a date travels
// as text. Every DateText comes from DateToText, so texts of the same day
// always compare equal.
#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

using Date = std::chrono::year_month_day;
using DateText = std::string;

// Reads a text as a date, as the host's date recognition does for the
// notations we accept: yyyy-m-d, yyyy/m/d, yyyy.m.d and yyyy年m月d日, with or
// without leading zeros and surrounding blanks, years 100..9999. Impossible
// dates, empty text and anything else give nullopt.
std::optional<Date> ParseDate(std::string_view text);

// Like ParseDate, but a text that is not a date raises the type-mismatch error.
Date DateFromText(std::string_view text);

// The short-date text of a date: "2013-2-9".
DateText DateToText(Date d);

// "2013-02-09", the fixed-width form used in command output.
std::string DateToIso(Date d);

// Weekday 1..7 counted from `first` (Sunday = 1 when first is Sunday).
int WeekdayNumber(Date d, std::chrono::weekday first = std::chrono::Sunday);

// Whole days from `from` to `to` (negative when `to` is earlier).
long DaysBetween(Date from, Date to);

Date AddDays(Date d, long days);

// The host's date serial of a day: whole days since 1899-12-30 (the
// automation date, so 1900-03-01 is 61), and the day of a serial, whose
// fraction (the time of day) is dropped.
double DateToSerial(Date d);
Date SerialToDate(double serial);

// Now, or SOURCE_DATE_EPOCH (seconds since 1970) when it is set, so that the
// same command can write the same bytes twice (a packager, the fixtures).
std::time_t NowOrSourceDateEpoch();
// Today's date where the user is, by the same clock.
Date LocalToday();

}  // namespace tavo
