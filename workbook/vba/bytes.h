#pragma once
// Little-endian fields appended to and read from byte strings, the way every
// binary structure of the compound file and the VBA project lays them out.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavo::vba {

inline void PutU8(std::string& out, std::uint32_t v) { out.push_back(static_cast<char>(v & 0xFF)); }
inline void PutU16(std::string& out, std::uint32_t v) {
  PutU8(out, v);
  PutU8(out, v >> 8);
}
inline void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}
inline void PutU64(std::string& out, std::uint64_t v) {
  PutU32(out, static_cast<std::uint32_t>(v));
  PutU32(out, static_cast<std::uint32_t>(v >> 32));
}
// Zero bytes up to the next multiple of `n`.
inline void PadTo(std::string& out, size_t n) {
  while (out.size() % n != 0) out.push_back('\0');
}

// UTF-8 to UTF-16LE bytes. Raises tavo::Error on malformed UTF-8.
std::string Utf16le(std::string_view utf8);
// UTF-16LE bytes back to UTF-8. Raises on an odd length or a lone surrogate.
std::string Utf8FromUtf16le(std::string_view utf16);
// [MS-OLEDS] 2.1.4 LengthPrefixedAnsiString and 2.1.5
// LengthPrefixedUnicodeString: a 32-bit count of characters (bytes, or
// UTF-16 units) including the terminating NUL, then the characters and the
// NUL; an empty string is absent (count 0, nothing after it).
std::string LengthPrefixedAnsiString(std::string_view bytes);
std::string LengthPrefixedUnicodeString(std::string_view utf8);
// "{xxxxxxxx-xxxx-...}" to the 16 bytes a GUID is stored as.
std::string GuidBytes(std::string_view text);

// A bounded reader: every read past the end raises tavo::Error, so a damaged
// stream never reads outside its bytes.
class ByteReader {
 public:
  ByteReader(std::string_view data, std::string what) : data_(data), what_(std::move(what)) {}
  std::uint32_t U8();
  std::uint32_t U16();
  std::uint32_t U32();
  std::string_view Bytes(size_t n);
  void Skip(size_t n) { Bytes(n); }
  size_t pos() const { return pos_; }
  size_t left() const { return data_.size() - pos_; }
  bool done() const { return pos_ == data_.size(); }
  [[noreturn]] void Fail(const std::string& why) const;

 private:
  std::string_view data_;
  std::string what_;
  size_t pos_ = 0;
};

}  // namespace tavo::vba
