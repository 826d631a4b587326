// The lesson chunk format and its decompressor (LZ77 of the PalmDoc kind:
// literals, literal runs of 1..8 bytes, two-byte back-references of 3..10
// bytes up to 2047 bytes back, and one-byte space pairs).
#pragma once
#include <cstdint>

// A chunk header is two big-endian 16-bit numbers: L (compressed bytes after
// the header), then U (exact decompressed bytes).
constexpr uint32_t kLessonChunkHeaderSize = 4;

// One compressed chunk: Data points at CompressedLength (L) readable bytes that
// decompress to exactly UncompressedLength (U) bytes.
struct LessonChunk {
  const uint8_t* Data;
  uint32_t CompressedLength;
  uint32_t UncompressedLength;
};

// Decompresses chunk into a new buffer of U + 2 bytes (the U bytes, then
// zeros); the caller owns it (free). Null on failure: code 4 when U is 0,
// 2 when memory is exhausted, 5 (after the "UnCompress() buffer error!"
// message) when the data run out before U bytes or hold a back-reference of
// distance 0 or reaching before the start of the output. Reads only the L
// bytes of Data and writes only inside the buffer.
uint8_t* UnCompress(const LessonChunk* chunk, int32_t* error);

// Decompresses the chunk at the start of a resource of size bytes; the caller
// owns the buffer (free). Null on failure: code 3 for no bytes, when the
// header does not fit in size, when L <= 4 or when the header and L bytes do
// not fit in size; otherwise UnCompress's codes.
uint8_t* UnpackChunk(const uint8_t* bytes, uint32_t size, int32_t* error);
