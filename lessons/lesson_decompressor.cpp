#include "lessons/lesson_decompressor.h"

#include <cstdlib>

#include "lessons/buffer_error_alert.h"
#include "lessons/lesson_error.h"

namespace {

// Big-endian 16-bit number at bytes.
uint32_t ReadBigEndian16(const uint8_t* bytes) { return (uint32_t{bytes[0]} << 8) | bytes[1]; }

// Runs the codes of chunk into output (room for U bytes); returns the number
// of bytes produced, which is below U when the data run out or are corrupt.
uint32_t Expand(const LessonChunk* chunk, uint8_t* output) {
  const uint8_t* source = chunk->Data;
  const uint32_t compressed = chunk->CompressedLength;
  const uint32_t total = chunk->UncompressedLength;
  uint32_t o = 0;
  uint32_t s = 0;
  while (o < total && s < compressed) {
    uint32_t f = source[s++];
    if (f >= 1 && f <= 8) {
      while (f-- > 0 && o < total && s < compressed) output[o++] = source[s++];
    } else if (f < 0x80) {
      output[o++] = static_cast<uint8_t>(f);
    } else if (f >= 0xC0) {
      output[o++] = 0x20;
      if (o == total) break;
      output[o++] = static_cast<uint8_t>(f ^ 0x80);
    } else {
      if (s == compressed) break;
      uint32_t x = (f << 8) | source[s++];
      uint32_t distance = (x >> 3) & 0x7FF;
      uint32_t length = (x & 7) + 3;
      if (distance == 0 || distance > o) break;  // corrupt: nothing to copy from
      while (length-- > 0 && o < total) {
        output[o] = output[o - distance];
        ++o;
      }
    }
  }
  return o;
}

}  // namespace

uint8_t* UnCompress(const LessonChunk* chunk, int32_t* error) {
  const uint32_t total = chunk->UncompressedLength;
  if (total == 0) {
    SetLessonError(error, kLessonErrorEmptyChunk);
    return nullptr;
  }
  uint8_t* output = static_cast<uint8_t*>(malloc(size_t{total} + 2));
  if (!output) {
    SetLessonError(error, kLessonErrorCannotLoad);
    return nullptr;
  }
  if (Expand(chunk, output) != total) {
    free(output);
    ShowBufferErrorAlert();
    SetLessonError(error, kLessonErrorShortData);
    return nullptr;
  }
  output[total] = 0;
  output[total + 1] = 0;
  return output;
}

uint8_t* UnpackChunk(const uint8_t* bytes, uint32_t size, int32_t* error) {
  if (!bytes || size < kLessonChunkHeaderSize) {
    SetLessonError(error, kLessonErrorNoChunk);
    return nullptr;
  }
  LessonChunk chunk;
  chunk.Data = bytes + kLessonChunkHeaderSize;
  chunk.CompressedLength = ReadBigEndian16(bytes);
  chunk.UncompressedLength = ReadBigEndian16(bytes + 2);
  if (chunk.CompressedLength <= 4 || chunk.CompressedLength > size - kLessonChunkHeaderSize) {
    SetLessonError(error, kLessonErrorNoChunk);
    return nullptr;
  }
  return UnCompress(&chunk, error);
}
