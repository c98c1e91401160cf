#pragma once
// The run-length compression of VBA project streams: the dir stream and the
// source text of every module are stored compressed, in chunks of up to
// 4096 bytes, each a mix of literal bytes and copy tokens that point back
// into the same chunk.
#include <string>
#include <string_view>

namespace tavo::vba {

std::string Compress(std::string_view data);
// Raises tavo::Error (321) for a container that is not well formed: a bad
// signature, a chunk header or a copy token pointing outside what was
// decompressed so far.
std::string Decompress(std::string_view container);

}  // namespace tavo::vba
