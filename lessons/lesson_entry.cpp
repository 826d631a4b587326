#include "lessons/lesson_entry.h"

#include <cstdlib>
#include <cstring>

#include "lessons/lesson_decompressor.h"
#include "lessons/lesson_error.h"
#include "lessons/lesson_resources.h"

namespace {

// Offset of entry index's length byte in a chunk of total bytes, or -1 when
// the chunk has no such entry.
int64_t FindEntry(const uint8_t* chunk, uint32_t total, int32_t index) {
  if (index < 0) return -1;
  uint32_t position = 0;
  for (int32_t i = 0; i < index; ++i) {
    if (position >= total) return -1;
    position += 1 + uint32_t{chunk[position]};
  }
  if (position >= total || position + 1 + uint32_t{chunk[position]} > total) return -1;
  return position;
}

}  // namespace

uint8_t* CopyChunkEntry(const uint8_t* bytes, uint32_t size, int32_t index, int32_t* error) {
  uint8_t* chunk = UnpackChunk(bytes, size, error);
  if (!chunk) return nullptr;
  uint32_t total = (uint32_t{bytes[2]} << 8) | bytes[3];
  uint8_t* copy = nullptr;
  int64_t position = FindEntry(chunk, total, index);
  if (position < 0) {
    SetLessonError(error, kLessonErrorNoChunk);
  } else {
    size_t length = chunk[position];
    copy = static_cast<uint8_t*>(malloc(length + 1));
    if (copy) {
      memcpy(copy, chunk + position + 1, length);
      copy[length] = 0;
    } else {
      SetLessonError(error, kLessonErrorCannotLoad);
    }
  }
  free(chunk);
  return copy;
}

uint8_t* LoadLessonEntry(int32_t id, int32_t index, int32_t* error) {
  const uint8_t* bytes = nullptr;
  uint32_t size = 0;
  int32_t found = FindLessonResource(id, &bytes, &size);
  if (found != 0) {
    SetLessonError(error, found);
    return nullptr;
  }
  return CopyChunkEntry(bytes, size, index, error);
}
