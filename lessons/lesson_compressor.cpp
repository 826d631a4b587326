#include "lessons/lesson_compressor.h"

#include <cstdlib>
#include <cstring>

#include "lessons/lesson_decompressor.h"

namespace {

constexpr size_t kMaxDistance = 2047;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 10;
constexpr size_t kMaxRun = 8;
constexpr size_t kMinCompressedLength = 5;  // the decompressor rejects L <= 4

enum : uint8_t { kCodeLiteral, kCodeSpacePair, kCodeMatch, kCodeRun };

// The code chosen at one input position of the parse.
struct ParseStep {
  uint32_t Cost;      // compressed bytes from this position to the end
  uint16_t Distance;  // back-reference distance (kCodeMatch)
  uint8_t Kind;
  uint8_t Length;     // input bytes consumed
};

// True if b can stand alone as a one-byte literal code.
bool IsPlainLiteral(uint8_t b) { return b == 0 || (b >= 0x09 && b < 0x80); }

// True if input[i], input[i + 1] form a space pair (0x20 then 0x40..0x7F).
bool IsSpacePair(const uint8_t* input, size_t size, size_t i) {
  return i + 1 < size && input[i] == 0x20 && input[i + 1] >= 0x40 && input[i + 1] < 0x80;
}

constexpr size_t kHashSize = 4096;
constexpr int32_t kNone = -1;

// Hash of the three bytes at p.
size_t Hash3(const uint8_t* p) { return ((p[0] << 8) ^ (p[1] << 4) ^ p[2]) & (kHashSize - 1); }

// Links every position that has three bytes left to the previous position
// with the same hash (kNone when there is none): the match candidates.
void LinkPositions(const uint8_t* input, size_t size, int32_t* previous, int32_t* heads) {
  for (size_t h = 0; h < kHashSize; ++h) heads[h] = kNone;
  for (size_t i = 0; i < size; ++i) {
    previous[i] = kNone;
    if (i + kMinMatch > size) continue;
    size_t h = Hash3(input + i);
    previous[i] = heads[h];
    heads[h] = static_cast<int32_t>(i);
  }
}

// Longest match (up to kMaxMatch) of input at i with an earlier position at
// most kMaxDistance back; stores its distance. Overlapping matches are
// allowed, as in the decoder.
size_t LongestMatch(const uint8_t* input, size_t size, size_t i, const int32_t* previous,
                    uint16_t* distance) {
  size_t limit = size - i < kMaxMatch ? size - i : kMaxMatch;
  size_t best = 0;
  for (int32_t j = previous[i]; j != kNone && i - j <= kMaxDistance && best < limit;
       j = previous[j]) {
    size_t n = 0;
    while (n < limit && input[i + n] == input[j + n]) ++n;
    if (n > best) {
      best = n;
      *distance = static_cast<uint16_t>(i - j);
    }
  }
  return best;
}

// Fills steps[0..size] from the end backwards with the cheapest codes.
void Parse(const uint8_t* input, size_t size, const int32_t* previous, ParseStep* steps) {
  steps[size] = ParseStep{0, 0, kCodeLiteral, 0};
  for (size_t i = size; i-- > 0;) {
    ParseStep best{UINT32_MAX, 0, kCodeRun, 1};
    for (size_t n = 1; n <= kMaxRun && i + n <= size; ++n) {
      uint32_t cost = static_cast<uint32_t>(1 + n) + steps[i + n].Cost;
      if (cost < best.Cost) best = ParseStep{cost, 0, kCodeRun, static_cast<uint8_t>(n)};
    }
    if (IsPlainLiteral(input[i]) && 1 + steps[i + 1].Cost <= best.Cost) {
      best = ParseStep{1 + steps[i + 1].Cost, 0, kCodeLiteral, 1};
    }
    if (IsSpacePair(input, size, i) && 1 + steps[i + 2].Cost <= best.Cost) {
      best = ParseStep{1 + steps[i + 2].Cost, 0, kCodeSpacePair, 2};
    }
    uint16_t distance = 0;
    size_t longest = LongestMatch(input, size, i, previous, &distance);
    for (size_t n = kMinMatch; n <= longest; ++n) {
      uint32_t cost = 2 + steps[i + n].Cost;
      if (cost <= best.Cost) best = ParseStep{cost, distance, kCodeMatch, static_cast<uint8_t>(n)};
    }
    steps[i] = best;
  }
}

// Writes the codes of the parse into output; returns the bytes written.
size_t Emit(const uint8_t* input, size_t size, const ParseStep* steps, uint8_t* output) {
  size_t o = 0;
  for (size_t i = 0; i < size; i += steps[i].Length) {
    const ParseStep& step = steps[i];
    switch (step.Kind) {
      case kCodeLiteral:
        output[o++] = input[i];
        break;
      case kCodeSpacePair:
        output[o++] = static_cast<uint8_t>(input[i + 1] ^ 0x80);
        break;
      case kCodeMatch: {
        uint32_t x = 0x8000u | (uint32_t{step.Distance} << 3) | (step.Length - kMinMatch);
        output[o++] = static_cast<uint8_t>(x >> 8);
        output[o++] = static_cast<uint8_t>(x & 0xFF);
        break;
      }
      default:
        output[o++] = step.Length;
        memcpy(output + o, input + i, step.Length);
        o += step.Length;
        break;
    }
  }
  return o;
}

}  // namespace

size_t LessonCompressedBound(size_t size) { return size + (size + kMaxRun - 1) / kMaxRun; }

size_t CompressLessonData(const uint8_t* input, size_t size, uint8_t* output, size_t capacity) {
  if (size == 0) return 0;
  ParseStep* steps = static_cast<ParseStep*>(malloc((size + 1) * sizeof(ParseStep)));
  int32_t* previous = static_cast<int32_t*>(malloc(size * sizeof(int32_t)));
  int32_t* heads = static_cast<int32_t*>(malloc(kHashSize * sizeof(int32_t)));
  size_t written = 0;
  if (steps && previous && heads) {
    LinkPositions(input, size, previous, heads);
    Parse(input, size, previous, steps);
    if (steps[0].Cost <= capacity) written = Emit(input, size, steps, output);
  }
  free(heads);
  free(previous);
  free(steps);
  return written;
}

size_t PackLessonChunk(const uint8_t* input, size_t size, uint8_t* output, size_t capacity) {
  if (size == 0 || size > 0xFFFF || capacity < kLessonChunkHeaderSize + kMinCompressedLength) {
    return 0;
  }
  size_t room = capacity - kLessonChunkHeaderSize;
  size_t length = CompressLessonData(input, size, output + kLessonChunkHeaderSize, room);
  if (length == 0 || length > 0xFFFF) return 0;
  // Bytes after the last code are never read: the output is full by then.
  while (length < kMinCompressedLength) output[kLessonChunkHeaderSize + length++] = 0;
  output[0] = static_cast<uint8_t>(length >> 8);
  output[1] = static_cast<uint8_t>(length & 0xFF);
  output[2] = static_cast<uint8_t>(size >> 8);
  output[3] = static_cast<uint8_t>(size & 0xFF);
  return kLessonChunkHeaderSize + length;
}
