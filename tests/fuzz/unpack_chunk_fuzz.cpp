// Feeds the lesson chunk reader arbitrary bytes: as a whole resource
// (UnpackChunk, CopyChunkEntry) and as bare compressed data with a chosen U
// (UnCompress). Nothing may be read or written outside a buffer, a failure
// must carry a code 3..5 (one message exactly for 5), and a success must hold
// exactly U bytes and a zero. The bytes are also packed by the encoder's
// compressor and must read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lessons/lesson_compressor.h"
#include "lessons/lesson_decompressor.h"
#include "lessons/lesson_entry.h"
#include "lessons/lesson_error.h"
#include "tests/fakes/buffer_error_alert_fake.h"

namespace {

// An exact-size heap copy of size bytes: a read past its end is an error.
uint8_t* ExactCopy(const uint8_t* data, size_t size) {
  uint8_t* copy = static_cast<uint8_t*>(malloc(size ? size : 1));
  if (size) memcpy(copy, data, size);
  return copy;
}

// Checks one outcome: a result and its error slot, and the messages shown.
void CheckOutcome(const uint8_t* result, int32_t error, uint32_t total) {
  int32_t alerts = BufferErrorAlertCount();
  ResetBufferErrorAlertCount();
  if (result) {
    if (error != 0 || alerts != 0 || result[total] != 0) abort();
    return;
  }
  if (error < kLessonErrorNoChunk || error > kLessonErrorShortData) abort();
  if (alerts != (error == kLessonErrorShortData ? 1 : 0)) abort();
}

// The whole input as a resource: the chunk, then one entry of it.
void FuzzResource(const uint8_t* data, size_t size) {
  uint8_t* resource = ExactCopy(data, size);
  uint32_t total = size >= 4 ? (uint32_t{data[2]} << 8) | data[3] : 0;
  int32_t error = 0;
  uint8_t* chunk = UnpackChunk(resource, static_cast<uint32_t>(size), &error);
  CheckOutcome(chunk, error, total);
  free(chunk);

  int32_t index = size > 0 ? data[size - 1] % 24 - 2 : 0;
  error = 0;
  uint8_t* entry = CopyChunkEntry(resource, static_cast<uint32_t>(size), index, &error);
  if (entry) {
    if (error != 0 || strlen(reinterpret_cast<char*>(entry)) > 255) abort();
    ResetBufferErrorAlertCount();
  } else {
    CheckOutcome(nullptr, error, 0);
  }
  free(entry);
  free(resource);
}

// The first two bytes as U, the rest as compressed data.
void FuzzData(const uint8_t* data, size_t size) {
  if (size < 2) return;
  uint32_t total = (uint32_t{data[0]} << 8) | data[1];
  uint8_t* source = ExactCopy(data + 2, size - 2);
  LessonChunk chunk{source, static_cast<uint32_t>(size - 2), total};
  int32_t error = 0;
  uint8_t* output = UnCompress(&chunk, &error);
  if (output) {
    CheckOutcome(output, error, total);
  } else if (error == kLessonErrorEmptyChunk) {
    if (total != 0) abort();
    CheckOutcome(nullptr, error, 0);
  } else {
    CheckOutcome(nullptr, error, 0);
  }
  free(output);
  free(source);
}

// Packs the input with the compressor; it must read back unchanged.
void FuzzRoundTrip(const uint8_t* data, size_t size) {
  if (size == 0 || size > 4096) return;
  size_t capacity = kLessonChunkHeaderSize + LessonCompressedBound(size) + 8;
  uint8_t* packed = static_cast<uint8_t*>(malloc(capacity));
  size_t length = PackLessonChunk(data, size, packed, capacity);
  if (length == 0) abort();
  uint8_t* resource = ExactCopy(packed, length);
  int32_t error = 0;
  uint8_t* output = UnpackChunk(resource, static_cast<uint32_t>(length), &error);
  if (!output || memcmp(output, data, size) != 0 || output[size] != 0) abort();
  free(output);
  free(resource);
  free(packed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetBufferErrorAlertCount();
  FuzzResource(data, size);
  FuzzData(data, size);
  FuzzRoundTrip(data, size);
  return 0;
}
