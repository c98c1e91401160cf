#pragma once
// A value crossing the host boundary: empty, number, text or boolean, the
// four kinds a cell, a control or a page-setup property can hold.
#include <cstdint>
#include <string>
#include <variant>

namespace tavo::host {

class Variant {
 public:
  Variant() = default;
  Variant(double n) : v_(n) {}
  Variant(int n) : v_(static_cast<double>(n)) {}
  Variant(std::int64_t n) : v_(static_cast<double>(n)) {}
  Variant(bool b) : v_(b) {}
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(const char* s) : v_(std::string(s)) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
  bool IsNumber() const { return std::holds_alternative<double>(v_); }
  bool IsText() const { return std::holds_alternative<std::string>(v_); }
  bool IsBool() const { return std::holds_alternative<bool>(v_); }

  // Raw access; calling the wrong one is a programming error (throws bad_variant_access).
  double Number() const { return std::get<double>(v_); }
  const std::string& Text() const { return std::get<std::string>(v_); }
  bool Bool() const { return std::get<bool>(v_); }

  // Conversions as the host makes them. Empty is "" / 0 / False; numbers
  // print in their shortest form ("15", "3.1"); booleans are "True"/"False"
  // as text and -1/0 as numbers. A text that is not a number raises the
  // type-mismatch error in ToNumber/ToInt32/ToBool.
  std::string ToText() const;
  double ToNumber() const;
  std::int32_t ToInt32() const;  // rounds half to even, like the host
  bool ToBool() const;

  bool operator==(const Variant& other) const { return v_ == other.v_; }

 private:
  std::variant<std::monostate, double, std::string, bool> v_;
};

// Shortest decimal text of a number that reads back as the same number.
std::string NumberToText(double n);

// Reads a whole text as a number ("15", " 3.1 ", "-2", "1e3"); nullopt-like
// false when it is not one.
bool TextToNumber(const std::string& text, double& out);

}  // namespace tavo::host
