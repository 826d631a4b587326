// The encoder's compressor: whatever it packs reads back exactly through the
// program's decompressor, it uses back-references and space pairs, and the
// real lesson resources stay at most half their raw size.
#include "lessons/lesson_compressor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "lessons/lesson_decompressor.h"
#include "lessons/lesson_resources.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Packs input into a chunk; empty when packing fails.
Bytes Pack(const Bytes& input) {
  Bytes chunk(kLessonChunkHeaderSize + LessonCompressedBound(input.size()) + 8);
  size_t size = PackLessonChunk(input.data(), input.size(), chunk.data(), chunk.size());
  chunk.resize(size);
  return chunk;
}

// The bytes the program's decompressor reads out of chunk; empty on failure.
Bytes Unpack(const Bytes& chunk) {
  int32_t error = 0;
  uint8_t* output = UnpackChunk(chunk.data(), static_cast<uint32_t>(chunk.size()), &error);
  if (!output) return {};
  uint32_t total = (uint32_t{chunk[2]} << 8) | chunk[3];
  Bytes bytes(output, output + total);
  free(output);
  return bytes;
}

// Deterministic pseudo-random bytes below limit.
Bytes Noise(size_t size, uint32_t seed, uint32_t limit) {
  Bytes bytes(size);
  for (uint8_t& b : bytes) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<uint8_t>((seed >> 16) % limit);
  }
  return bytes;
}

Bytes FromText(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(LessonCompressor, RoundTripsThroughTheDecompressor) {
  struct Row {
    const char* what;
    Bytes input;
  };
  Bytes everyByte(256);
  for (size_t i = 0; i < everyByte.size(); ++i) everyByte[i] = static_cast<uint8_t>(i);
  Bytes window = Noise(3000, 7, 4);  // matches farther back than 2047 bytes exist
  const Row rows[] = {
      {"one plain byte", {0x61}},
      {"one byte that needs a literal run", {0x05}},
      {"a byte with the high bit", {0xC1}},
      {"every byte value", everyByte},
      {"a long run of one byte", Bytes(1000, 0x61)},
      {"a long run of spaces", Bytes(300, 0x20)},
      {"a space before a byte outside 0x40..0x7F", {0x20, 0x39, 0x20, 0x80, 0x20}},
      {"a trailing space", FromText("ab ")},
      {"Hebrew letters and spaces", FromText("xyu nfjm xyu nfjm zfvo eljf {ffwoe")},
      {"length-prefixed entries", {3, 0x61, 0x62, 0x63, 0, 3, 0x61, 0x62, 0x63, 1, 0x20}},
      {"repeats farther than the window", window},
      {"noise over all bytes", Noise(2000, 1, 256)},
      {"the largest chunk", Noise(65535, 3, 8)},
  };
  for (const Row& row : rows) {
    Bytes chunk = Pack(row.input);
    ASSERT_FALSE(chunk.empty()) << row.what;
    EXPECT_EQ(Unpack(chunk), row.input) << row.what;
  }
}

TEST(LessonCompressor, RoundTripsEverySizeOfNoise) {
  for (size_t size = 1; size <= 600; ++size) {
    for (uint32_t limit : {3u, 40u, 256u}) {
      Bytes input = Noise(size, static_cast<uint32_t>(size), limit);
      ASSERT_EQ(Unpack(Pack(input)), input) << size << " bytes below " << limit;
    }
  }
}

TEST(LessonCompressor, PicksTheShortestCodes) {
  struct Row {
    const char* what;
    Bytes input;
    Bytes expected;
  };
  const Row rows[] = {
      // Three literals and a back-reference beat one literal run.
      {"abcabc", FromText("abcabc"), {0x61, 0x62, 0x63, 0x80, 0x18}},
      // A space and a letter become one space pair.
      {"b a", FromText("b a"), {0x62, 0xE1}},
      // One literal, then distance 1 with length code 7.
      {"eleven a", Bytes(11, 0x61), {0x61, 0x80, 0x0F}},
      // Bytes 0x01..0x08 and 0x80.. only go in literal runs.
      {"control bytes", {0x01, 0x80}, {0x02, 0x01, 0x80}},
  };
  for (const Row& row : rows) {
    Bytes output(LessonCompressedBound(row.input.size()));
    size_t size = CompressLessonData(row.input.data(), row.input.size(), output.data(),
                                     output.size());
    output.resize(size);
    EXPECT_EQ(output, row.expected) << row.what;
  }
}

TEST(LessonCompressor, RefusesWhatDoesNotFit) {
  Bytes input = Noise(100, 5, 256);
  Bytes output(200);
  // Empty input: a chunk of U = 0 would be invalid.
  EXPECT_EQ(CompressLessonData(input.data(), 0, output.data(), output.size()), 0u);
  EXPECT_EQ(PackLessonChunk(input.data(), 0, output.data(), output.size()), 0u);
  // An output too small for the compressed data.
  EXPECT_EQ(CompressLessonData(input.data(), input.size(), output.data(), 10), 0u);
  EXPECT_EQ(PackLessonChunk(input.data(), input.size(), output.data(), 12), 0u);
  // More than U's 16 bits.
  Bytes huge(65536, 0x61);
  Bytes chunk(LessonCompressedBound(huge.size()) + 16);
  EXPECT_EQ(PackLessonChunk(huge.data(), huge.size(), chunk.data(), chunk.size()), 0u);
}

TEST(LessonCompressor, PadsATinyChunkToAUsableLength) {
  // "a": one code byte; L is padded to 5, which the decompressor accepts.
  Bytes chunk = Pack({0x61});
  ASSERT_EQ(chunk.size(), kLessonChunkHeaderSize + 5);
  EXPECT_EQ(chunk[1], 5);
  EXPECT_EQ(Unpack(chunk), Bytes{0x61});
}

// The shipped resources: every one reads back; together the compressed data
// are at most half the raw bytes, and each chunk is smaller than its text.
TEST(LessonCompressor, ShippedResourcesAreAtMostHalfTheirRawSize) {
  size_t raw = 0;
  size_t compressed = 0;
  const int32_t families[3][2] = {{1101, 1151}, {1301, 1317}, {1351, 1367}};
  for (const auto& family : families) {
    for (int32_t id = family[0]; id <= family[1]; ++id) {
      const uint8_t* bytes = nullptr;
      uint32_t size = 0;
      ASSERT_EQ(FindLessonResource(id, &bytes, &size), 0) << id;
      Bytes chunk(bytes, bytes + size);
      uint32_t length = (uint32_t{chunk[0]} << 8) | chunk[1];
      uint32_t total = (uint32_t{chunk[2]} << 8) | chunk[3];
      ASSERT_EQ(size, kLessonChunkHeaderSize + length) << "exactly one chunk in " << id;
      ASSERT_EQ(Unpack(chunk).size(), total) << id;
      EXPECT_LT(length, total) << id;
      raw += total;
      compressed += length;
    }
  }
  EXPECT_LE(compressed * 2, raw) << compressed << " of " << raw;
}

}  // namespace
