// The block compressor of stored bitmap data: one pass of literals, back copies and runs over
// blocks of at most KitBlockSize bytes, each block on its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The largest block; positions and lengths inside a block fit in 16 bits.
inline constexpr std::size_t KitBlockSize = 32781;

// Compresses Block, at most KitBlockSize bytes, and appends the result to Out: the compressed
// form, or the stored form (one byte more than Block) when compressing would not make it
// shorter. Returns the number of bytes appended.
std::size_t KitCompressBlock(std::string_view Block, std::string& Out);

// Appends the bytes that one compressed block stands for to Out. Returns false, with Out as it
// was, for a block that is malformed or stands for more than KitBlockSize bytes.
bool KitDecompressBlock(std::string_view Block, std::string& Out);
