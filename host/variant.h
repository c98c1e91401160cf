#pragma once
// A value crossing the host boundary: empty, number, text, boolean, date or
// error value, the kinds a cell, a control or a page-setup property can hold.
#include <cstdint>
#include <string>
#include <variant>

namespace tavo::host {

// The host's cell error values by their automation codes (VT_ERROR).
enum class CellError : std::int32_t {
  Null = 2000,   // #NULL!
  Div0 = 2007,   // #DIV/0!
  Value = 2015,  // #VALUE!
  Ref = 2023,    // #REF!
  Name = 2029,   // #NAME?
  Num = 2036,    // #NUM!
  NA = 2042,     // #N/A
};

// "#N/A" for CellError::NA; nullptr for a code that is not one of the seven.
const char* CellErrorText(std::int32_t code);
// The code of "#N/A" and the others; false when the text is not one of them.
bool CellErrorFromText(const std::string& text, std::int32_t& code);

// A date value: the host's serial number (days since 1899-12-30, the
// fraction the time of day).
struct DateValue {
  double serial = 0;
  bool operator==(const DateValue&) const = default;
};

// An error value by its code (2000..2042 for the cell errors).
struct ErrorValue {
  std::int32_t code = 0;
  bool operator==(const ErrorValue&) const = default;
};

class Variant {
 public:
  Variant() = default;
  Variant(double n) : v_(n) {}
  Variant(int n) : v_(static_cast<double>(n)) {}
  Variant(std::int64_t n) : v_(static_cast<double>(n)) {}
  Variant(bool b) : v_(b) {}
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(const char* s) : v_(std::string(s)) {}
  Variant(DateValue d) : v_(d) {}
  Variant(ErrorValue e) : v_(e) {}
  static Variant Date(double serial) { return Variant(DateValue{serial}); }
  static Variant Error(CellError e) { return Variant(ErrorValue{static_cast<std::int32_t>(e)}); }

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
  bool IsNumber() const { return std::holds_alternative<double>(v_); }
  bool IsText() const { return std::holds_alternative<std::string>(v_); }
  bool IsBool() const { return std::holds_alternative<bool>(v_); }
  bool IsDate() const { return std::holds_alternative<DateValue>(v_); }
  bool IsError() const { return std::holds_alternative<ErrorValue>(v_); }

  // Raw access; calling the wrong one is a programming error (throws bad_variant_access).
  double Number() const { return std::get<double>(v_); }
  const std::string& Text() const { return std::get<std::string>(v_); }
  bool Bool() const { return std::get<bool>(v_); }
  double DateSerial() const { return std::get<DateValue>(v_).serial; }
  std::int32_t ErrorCode() const { return std::get<ErrorValue>(v_).code; }

  // Conversions as the host makes them. Empty is "" / 0 / False; numbers
  // print in their shortest form ("15", "3.1"); booleans are "True"/"False"
  // as text and -1/0 as numbers. A date's text is the short-date form of a
  // Chinese locale, "2024/9/1", with " 8:30:00" when it has a time of day
  // ("8:30:00" alone for a pure time); as a number it is its serial. An
  // error value's text is "Error 2042", as the host's CStr writes it; it is
  // no number. A text that is not a number, or an error value, raises the
  // type-mismatch error in ToNumber/ToInt32/ToBool.
  std::string ToText() const;
  double ToNumber() const;
  std::int32_t ToInt32() const;  // rounds half to even, like the host
  bool ToBool() const;

  bool operator==(const Variant& other) const { return v_ == other.v_; }

 private:
  std::variant<std::monostate, double, std::string, bool, DateValue, ErrorValue> v_;
};

// Shortest decimal text of a number that reads back as the same number.
std::string NumberToText(double n);

// Reads a whole text as a number ("15", " 3.1 ", "-2", "1e3"); nullopt-like
// false when it is not one.
bool TextToNumber(const std::string& text, double& out);

// The short-date text of a serial as the host shows a date value in a
// Chinese locale: "2024/9/1", "2024/9/1 8:30:00", "8:30:00".
std::string SerialToDateText(double serial);

}  // namespace tavo::host
