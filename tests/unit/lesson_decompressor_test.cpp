// The lesson chunk decompressor: its codes, stopping exactly at U, and every
// kind of corrupt input failing with its code without reading or writing
// outside a buffer (the sanitizer builds catch any stray access).
#include "lessons/lesson_decompressor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "lessons/lesson_error.h"
#include "tests/fakes/buffer_error_alert_fake.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int32_t kUntouched = -99;

// Result of one decompression: the bytes (when it succeeded), the error slot
// and the number of messages shown.
struct Outcome {
  bool Ok;
  Bytes Output;
  int32_t Error;
  int32_t Alerts;
};

// UnCompress of source (held in a heap block of exactly its size) with U.
Outcome Decompress(const Bytes& source, uint32_t total) {
  uint8_t* exact = static_cast<uint8_t*>(malloc(source.size() + 1));
  memcpy(exact, source.data(), source.size());
  LessonChunk chunk{exact, static_cast<uint32_t>(source.size()), total};
  ResetBufferErrorAlertCount();
  Outcome outcome{false, {}, kUntouched, 0};
  uint8_t* output = UnCompress(&chunk, &outcome.Error);
  outcome.Alerts = BufferErrorAlertCount();
  if (output) {
    outcome.Ok = true;
    outcome.Output.assign(output, output + total);
    EXPECT_EQ(output[total], 0) << "zero byte after the U bytes";
    free(output);
  }
  free(exact);
  return outcome;
}

TEST(UnCompress, DecodesEachKindAndStopsExactlyAtU) {
  struct Row {
    Bytes source;
    uint32_t total;
    Bytes expected;
  };
  const Row rows[] = {
      // A run of three literals, then distance 3, length 3.
      {{0x03, 0x61, 0x62, 0x63, 0x80, 0x18}, 6, {0x61, 0x62, 0x63, 0x61, 0x62, 0x63}},
      // A plain literal, then a space pair.
      {{0x62, 0xE1}, 3, {0x62, 0x20, 0x61}},
      // Distance 1, length code 7: the last byte ten times more.
      {{0x61, 0x80, 0x0F}, 11, Bytes(11, 0x61)},
      // A distance shorter than the length repeats a pattern.
      {{0x61, 0x62, 0x80, 0x14}, 9, {0x61, 0x62, 0x61, 0x62, 0x61, 0x62, 0x61, 0x62, 0x61}},
      // A distance equal to the bytes produced reaches the first byte.
      {{0x61, 0x62, 0x80, 0x10}, 5, {0x61, 0x62, 0x61, 0x62, 0x61}},
      // The literal 0x00 and the literals 0x09 and 0x7F.
      {{0x00, 0x09, 0x7F}, 3, {0x00, 0x09, 0x7F}},
      // A literal run carries bytes that are codes of their own.
      {{0x04, 0x01, 0x08, 0x80, 0xFF}, 4, {0x01, 0x08, 0x80, 0xFF}},
      // Space pairs give 0x40 and 0x7F after the space.
      {{0xC0, 0xFF}, 4, {0x20, 0x40, 0x20, 0x7F}},
      // U reached inside a literal run.
      {{0x03, 0x61, 0x62, 0x63}, 2, {0x61, 0x62}},
      // U reached between the two bytes of a space pair.
      {{0x62, 0xE1}, 2, {0x62, 0x20}},
      // U reached inside a back-reference.
      {{0x61, 0x80, 0x0F}, 5, Bytes(5, 0x61)},
      // Source bytes after a full output are ignored, even a broken code.
      {{0x61, 0x62, 0x80}, 2, {0x61, 0x62}},
      // A literal run cut short by the end of the data still fills U.
      {{0x05, 0x61, 0x62}, 2, {0x61, 0x62}},
  };
  for (const Row& row : rows) {
    Outcome outcome = Decompress(row.source, row.total);
    ASSERT_TRUE(outcome.Ok) << "row with U " << row.total;
    EXPECT_EQ(outcome.Output, row.expected);
    EXPECT_EQ(outcome.Error, kUntouched) << "a success leaves the slot alone";
    EXPECT_EQ(outcome.Alerts, 0);
  }
}

TEST(UnCompress, CorruptOrShortDataFailsWithItsCode) {
  struct Row {
    Bytes source;
    uint32_t total;
    int32_t code;
    int32_t alerts;
  };
  const Row rows[] = {
      // U of 0 is an invalid chunk; nothing is shown.
      {{0x61}, 0, kLessonErrorEmptyChunk, 0},
      // The data run out one byte before U: one message, code 5.
      {{0x03, 0x61, 0x62, 0x63}, 4, kLessonErrorShortData, 1},
      // A literal run reaching past the end of the data.
      {{0x05, 0x61, 0x62}, 5, kLessonErrorShortData, 1},
      // A back-reference whose second byte lies past the end of the data.
      {{0x61, 0x80}, 4, kLessonErrorShortData, 1},
      // A back-reference of distance 0 (it would copy a byte not yet written).
      {{0x61, 0x80, 0x07}, 11, kLessonErrorShortData, 1},
      // A back-reference reaching before the start of the output.
      {{0x61, 0x80, 0x10}, 4, kLessonErrorShortData, 1},
      // The largest distance at the very start.
      {{0xBF, 0xFF}, 10, kLessonErrorShortData, 1},
      // A back-reference as the very first code.
      {{0x80, 0x08}, 3, kLessonErrorShortData, 1},
  };
  for (const Row& row : rows) {
    Outcome outcome = Decompress(row.source, row.total);
    EXPECT_FALSE(outcome.Ok) << "row with code " << row.code;
    EXPECT_EQ(outcome.Error, row.code);
    EXPECT_EQ(outcome.Alerts, row.alerts);
  }
}

TEST(UnCompress, WorksWithoutAnErrorSlot) {
  uint8_t source[] = {0x61};
  LessonChunk chunk{source, 1, 2};
  ResetBufferErrorAlertCount();
  EXPECT_EQ(UnCompress(&chunk, nullptr), nullptr);
  EXPECT_EQ(BufferErrorAlertCount(), 1);
}

// UnpackChunk of resource (an exact-size heap copy).
Outcome Unpack(const Bytes& resource) {
  uint8_t* exact = static_cast<uint8_t*>(malloc(resource.size() + 1));
  if (!resource.empty()) memcpy(exact, resource.data(), resource.size());
  ResetBufferErrorAlertCount();
  Outcome outcome{false, {}, kUntouched, 0};
  uint8_t* output = UnpackChunk(exact, static_cast<uint32_t>(resource.size()), &outcome.Error);
  outcome.Alerts = BufferErrorAlertCount();
  if (output) {
    outcome.Ok = true;
    uint32_t total = (uint32_t{resource[2]} << 8) | resource[3];
    outcome.Output.assign(output, output + total);
    free(output);
  }
  free(exact);
  return outcome;
}

TEST(UnpackChunk, ReadsTheHeaderAndChecksItAgainstTheResource) {
  struct Row {
    Bytes resource;
    int32_t code;  // 0: success
  };
  const Bytes body = {0x61, 0x62, 0x63, 0x64, 0x65};
  const Row rows[] = {
      // L 5, U 5: the smallest usable chunk.
      {{0x00, 0x05, 0x00, 0x05, 0x61, 0x62, 0x63, 0x64, 0x65}, 0},
      // Bytes after the chunk are allowed (the resource may be larger).
      {{0x00, 0x05, 0x00, 0x05, 0x61, 0x62, 0x63, 0x64, 0x65, 0xAA}, 0},
      // L of 4 or less is no usable chunk.
      {{0x00, 0x04, 0x00, 0x04, 0x61, 0x62, 0x63, 0x64}, kLessonErrorNoChunk},
      {{0x00, 0x00, 0x00, 0x05, 0x61, 0x62, 0x63, 0x64, 0x65}, kLessonErrorNoChunk},
      // L one larger than what follows the header in the resource.
      {{0x00, 0x06, 0x00, 0x05, 0x61, 0x62, 0x63, 0x64, 0x65}, kLessonErrorNoChunk},
      // L far beyond the resource (big-endian 0x0105).
      {{0x01, 0x05, 0x00, 0x05, 0x61, 0x62, 0x63, 0x64, 0x65}, kLessonErrorNoChunk},
      // A resource too short for the header.
      {{0x00, 0x05, 0x00}, kLessonErrorNoChunk},
      {{}, kLessonErrorNoChunk},
      // U of 0 in the header.
      {{0x00, 0x05, 0x00, 0x00, 0x61, 0x62, 0x63, 0x64, 0x65}, kLessonErrorEmptyChunk},
      // U larger than the data give.
      {{0x00, 0x05, 0x00, 0x06, 0x61, 0x62, 0x63, 0x64, 0x65}, kLessonErrorShortData},
  };
  for (const Row& row : rows) {
    Outcome outcome = Unpack(row.resource);
    if (row.code == 0) {
      ASSERT_TRUE(outcome.Ok);
      EXPECT_EQ(outcome.Output, body);
      EXPECT_EQ(outcome.Error, kUntouched);
    } else {
      EXPECT_FALSE(outcome.Ok) << "row with code " << row.code;
      EXPECT_EQ(outcome.Error, row.code);
    }
  }
  int32_t error = kUntouched;
  EXPECT_EQ(UnpackChunk(nullptr, 0, &error), nullptr);
  EXPECT_EQ(error, kLessonErrorNoChunk);
}

}  // namespace
