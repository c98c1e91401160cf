#include "workbook/vba/bytes.h"

#include <cctype>

#include "common/error.h"

namespace tavo::vba {

std::string Utf16le(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    std::uint32_t cp = 0;
    size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) RaiseInvalidArgument("UTF-8 文本无效 / malformed UTF-8");
    cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < len; ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      if ((c >> 6) != 2) RaiseInvalidArgument("UTF-8 文本无效 / malformed UTF-8");
      cp = (cp << 6) | (c & 0x3F);
    }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      PutU16(out, 0xD800 + (cp >> 10));
      PutU16(out, 0xDC00 + (cp & 0x3FF));
    } else {
      PutU16(out, cp);
    }
  }
  return out;
}

std::string Utf8FromUtf16le(std::string_view s) {
  if (s.size() % 2 != 0) RaiseInvalidArgument("UTF-16 文本长度为奇数 / odd UTF-16 length");
  std::string out;
  auto unit = [&](size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[i])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(s[i + 1])) << 8);
  };
  for (size_t i = 0; i < s.size(); i += 2) {
    std::uint32_t cp = unit(i);
    if (cp >= 0xD800 && cp < 0xDC00) {
      if (i + 2 >= s.size() || unit(i + 2) < 0xDC00 || unit(i + 2) >= 0xE000) {
        RaiseInvalidArgument("UTF-16 代理项不成对 / lone UTF-16 surrogate");
      }
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (cp >= 0xDC00 && cp < 0xE000) {
      RaiseInvalidArgument("UTF-16 代理项不成对 / lone UTF-16 surrogate");
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string LengthPrefixedAnsiString(std::string_view bytes) {
  std::string out;
  if (bytes.empty()) {
    PutU32(out, 0);
    return out;
  }
  PutU32(out, static_cast<std::uint32_t>(bytes.size() + 1));
  out += bytes;
  out.push_back('\0');
  return out;
}

std::string LengthPrefixedUnicodeString(std::string_view utf8) {
  std::string out;
  if (utf8.empty()) {
    PutU32(out, 0);
    return out;
  }
  std::string units = Utf16le(utf8);
  PutU32(out, static_cast<std::uint32_t>(units.size() / 2 + 1));
  out += units;
  out.append(2, '\0');
  return out;
}

std::string GuidBytes(std::string_view text) {
  // Data1 (4 bytes), Data2 and Data3 (2 each) little-endian, then 8 bytes in order.
  std::string hex;
  for (char c : text) {
    if (std::isxdigit(static_cast<unsigned char>(c))) hex.push_back(c);
  }
  if (hex.size() != 32) RaiseInvalidArgument("GUID 无效 / bad GUID " + std::string(text));
  auto byte = [&](size_t i) { return static_cast<std::uint32_t>(std::stoul(hex.substr(i * 2, 2), nullptr, 16)); };
  std::string out;
  PutU32(out, (byte(0) << 24) | (byte(1) << 16) | (byte(2) << 8) | byte(3));
  PutU16(out, (byte(4) << 8) | byte(5));
  PutU16(out, (byte(6) << 8) | byte(7));
  for (size_t i = 8; i < 16; ++i) PutU8(out, byte(i));
  return out;
}

std::uint32_t ByteReader::U8() { return static_cast<unsigned char>(Bytes(1)[0]); }
std::uint32_t ByteReader::U16() {
  std::uint32_t lo = U8();
  return lo | (U8() << 8);
}
std::uint32_t ByteReader::U32() {
  std::uint32_t lo = U16();
  return lo | (U16() << 16);
}
std::string_view ByteReader::Bytes(size_t n) {
  if (n > left()) Fail("数据意外结束 / unexpected end of data");
  std::string_view v = data_.substr(pos_, n);
  pos_ += n;
  return v;
}
void ByteReader::Fail(const std::string& why) const {
  throw Error(kErrorSource, 321, what_ + ": " + why + " (offset " + std::to_string(pos_) + ")");
}

}  // namespace tavo::vba
