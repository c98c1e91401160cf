#include "sheets/host/variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "common/error.h"

namespace tavo::host {

std::string NumberToText(double n) {
  if (n == 0) return "0";
  char buf[40];
  // Whole numbers print in full ("10", not the shorter "1e+01").
  if (n == std::trunc(n) && std::fabs(n) < 1e15) {
    std::snprintf(buf, sizeof buf, "%.0f", n);
    return buf;
  }
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, n);
    if (std::strtod(buf, nullptr) == n) break;
  }
  return buf;
}

bool TextToNumber(const std::string& text, double& out) {
  std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return false;
  std::size_t e = text.find_last_not_of(" \t");
  std::string s = text.substr(b, e - b + 1);
  // Only plain decimal notation: no hex, no inf/nan, no leading '+' tricks.
  for (char c : s) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  }
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

std::string Variant::ToText() const {
  if (IsEmpty()) return {};
  if (IsNumber()) return NumberToText(Number());
  if (IsBool()) return Bool() ? "True" : "False";
  return Text();
}

double Variant::ToNumber() const {
  if (IsEmpty()) return 0;
  if (IsNumber()) return Number();
  if (IsBool()) return Bool() ? -1 : 0;
  double v = 0;
  if (!TextToNumber(Text(), v)) RaiseTypeMismatch("\"" + Text() + "\" 不是数字");
  return v;
}

std::int32_t Variant::ToInt32() const {
  double v = std::nearbyint(ToNumber());  // default rounding mode: half to even
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    RaiseOverflow(NumberToText(v));
  return static_cast<std::int32_t>(v);
}

bool Variant::ToBool() const {
  if (IsBool()) return Bool();
  if (IsText()) {
    if (Text() == "True" || Text() == "true") return true;
    if (Text() == "False" || Text() == "false") return false;
  }
  return ToNumber() != 0;
}

}  // namespace tavo::host
