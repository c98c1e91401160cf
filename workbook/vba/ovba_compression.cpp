#include "workbook/vba/ovba_compression.h"

#include <algorithm>
#include <cstdint>

#include "common/error.h"
#include "workbook/vba/bytes.h"

namespace tavo::vba {
namespace {

constexpr size_t kChunk = 4096;

// The split of a copy token between offset and length bits depends on how
// far into the chunk the token stands: the offset gets just enough bits to
// reach the chunk's start, at least 4.
struct TokenShape {
  unsigned offset_bits;
  std::uint32_t length_mask;
  size_t max_length;
};
TokenShape ShapeAt(size_t position_in_chunk) {
  unsigned bits = 4;
  while ((size_t{1} << bits) < position_in_chunk) ++bits;
  std::uint32_t mask = 0xFFFFu >> bits;
  return {bits, mask, static_cast<size_t>(mask) + 3};
}

std::string CompressChunk(std::string_view chunk) {
  std::string out;
  size_t pos = 0;
  while (pos < chunk.size()) {
    size_t flag_at = out.size();
    out.push_back('\0');
    std::uint32_t flags = 0;
    for (int bit = 0; bit < 8 && pos < chunk.size(); ++bit) {
      TokenShape shape = ShapeAt(pos);
      size_t best_len = 0, best_offset = 0;
      size_t max_offset = std::min(pos, size_t{1} << shape.offset_bits);
      for (size_t offset = 1; offset <= max_offset; ++offset) {
        size_t len = 0;
        size_t limit = std::min(shape.max_length, chunk.size() - pos);
        while (len < limit && chunk[pos - offset + len] == chunk[pos + len]) ++len;
        if (len > best_len) {
          best_len = len;
          best_offset = offset;
        }
      }
      if (best_len >= 3) {
        std::uint32_t token = (static_cast<std::uint32_t>(best_offset - 1) << (16 - shape.offset_bits)) |
                              static_cast<std::uint32_t>(best_len - 3);
        PutU16(out, token);
        flags |= 1u << bit;
        pos += best_len;
      } else {
        out.push_back(chunk[pos++]);
      }
    }
    out[flag_at] = static_cast<char>(flags);
  }
  return out;
}

}  // namespace

std::string Compress(std::string_view data) {
  std::string out(1, '\x01');
  for (size_t start = 0; start < data.size(); start += kChunk) {
    std::string_view chunk = data.substr(start, kChunk);
    std::string packed = CompressChunk(chunk);
    if (packed.size() > kChunk) {
      // Stored raw: the header says 4096 bytes follow as they are. Only a
      // full chunk can be stored so; a shorter one never packs this badly
      // unless it is near-random, which no source text is.
      if (chunk.size() != kChunk) {
        throw Error(kErrorSource, kInvalidArgument, "VBA 压缩: 数据无法压缩 / VBA compression: incompressible tail");
      }
      PutU16(out, 0x3000 | (kChunk - 1));
      out.append(chunk);
    } else {
      // Header: size of the chunk minus 3, signature 0b011, compressed flag.
      PutU16(out, 0x8000 | 0x3000 | static_cast<std::uint32_t>(packed.size() + 2 - 3));
      out.append(packed);
    }
  }
  return out;
}

std::string Decompress(std::string_view container) {
  ByteReader in(container, "VBA 压缩数据 / VBA compressed data");
  if (in.U8() != 0x01) in.Fail("签名错误 / bad signature");
  std::string out;
  while (!in.done()) {
    std::uint32_t header = in.U16();
    size_t size = (header & 0x0FFF) + 3;
    if (((header >> 12) & 0x7) != 0x3) in.Fail("块头错误 / bad chunk header");
    std::string_view body = in.Bytes(size - 2);
    size_t chunk_start = out.size();
    if ((header & 0x8000) == 0) {
      if (body.size() != kChunk) in.Fail("未压缩块长度错误 / bad raw chunk size");
      out.append(body);
      continue;
    }
    ByteReader chunk(body, "VBA 压缩块 / VBA compressed chunk");
    while (!chunk.done()) {
      std::uint32_t flags = chunk.U8();
      for (int bit = 0; bit < 8 && !chunk.done(); ++bit) {
        if ((flags & (1u << bit)) == 0) {
          out.push_back(chunk.Bytes(1)[0]);
          continue;
        }
        TokenShape shape = ShapeAt(out.size() - chunk_start);
        std::uint32_t token = chunk.U16();
        size_t length = (token & shape.length_mask) + 3;
        size_t offset = (token >> (16 - shape.offset_bits)) + 1;
        if (offset > out.size() - chunk_start) chunk.Fail("复制标记越界 / copy token before chunk start");
        for (size_t k = 0; k < length; ++k) out.push_back(out[out.size() - offset]);
      }
      if (out.size() - chunk_start > kChunk) chunk.Fail("块过长 / chunk longer than 4096 bytes");
    }
  }
  return out;
}

}  // namespace tavo::vba
