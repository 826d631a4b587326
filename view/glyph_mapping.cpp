// Mapping LessonText bytes to display characters through one conversion buffer.
#include "view/glyph_mapping.h"

#include <cstdlib>
#include <cstring>

#include "common/app_state.h"

namespace {

// The one conversion buffer of the program: Capacity characters plus the zero.
struct ConversionBuffer {
  WideChar* Chars;
  size_t Capacity;
  int32_t Length;  // characters of the last conversion
};

ConversionBuffer Conversion = {nullptr, 0, 0};
TextReallocFn Allocator = nullptr;

// The partner of a character that a right-to-left paragraph draws mirrored,
// or the character itself.
WideChar MirroredPartner(WideChar c) {
  switch (c) {
    case 0x28: return 0x29;  // ( )
    case 0x29: return 0x28;
    case 0x3C: return 0x3E;  // < >
    case 0x3E: return 0x3C;
    case 0x5B: return 0x5D;  // [ ]
    case 0x5D: return 0x5B;
    case 0x7B: return 0x7D;  // { }
    case 0x7D: return 0x7B;
    default: return c;
  }
}

// Reverses length characters in place, swapping each mirrored character with
// its partner.
void ReverseMirrored(WideChar* chars, int32_t length) {
  int32_t low = 0;
  int32_t high = length - 1;
  while (low < high) {
    WideChar first = chars[low];
    chars[low] = MirroredPartner(chars[high]);
    chars[high] = MirroredPartner(first);
    ++low;
    --high;
  }
  if (low == high) chars[low] = MirroredPartner(chars[low]);
}

// Makes room for count characters plus the zero; false if that cannot be had.
// A larger buffer replaces the old one, whose contents are not kept.
bool ReserveConversion(size_t count) {
  if (Conversion.Chars && count <= Conversion.Capacity) return true;
  if (count > (SIZE_MAX / sizeof(WideChar)) - 1) return false;
  auto* grown = static_cast<WideChar*>(TextRealloc(nullptr, (count + 1) * sizeof(WideChar)));
  if (!grown) return false;
  free(Conversion.Chars);
  Conversion.Chars = grown;
  Conversion.Capacity = count;
  return true;
}

// Converts up to count bytes of run into the shared buffer with the code base
// setting baseSetting, reversing when asked. Returns the buffer or null.
const WideChar* ConvertRun(const uint8_t* run, int32_t count, int32_t baseSetting, bool reverse) {
  size_t wanted = count > 0 ? static_cast<size_t>(count) : 0;
  if (!ReserveConversion(wanted)) return nullptr;
  int32_t base = EffectiveCodeBase(baseSetting);
  int32_t length = 0;
  if (run) {
    while (static_cast<size_t>(length) < wanted && run[length] != 0) {
      Conversion.Chars[length] = DisplayChar(run[length], base);
      ++length;
    }
  }
  Conversion.Chars[length] = 0;
  Conversion.Length = length;
  if (reverse) ReverseMirrored(Conversion.Chars, length);
  return Conversion.Chars;
}

}  // namespace

WideChar DisplayChar(uint8_t byte, int32_t codeBase) {
  if (IsLetterByte(byte)) return static_cast<WideChar>(codeBase + (byte - kFirstLetterByte));
  if (byte == 0x7E) return static_cast<WideChar>(0x7B);
  return static_cast<WideChar>(byte);
}

int32_t EffectiveCodeBase(int32_t setting) {
  if (setting < 1 || setting > 0xFFFF - (kLastLetterByte - kFirstLetterByte)) return kDefaultAsciiBase;
  return setting;
}

bool DrawsInReadingOrder(int32_t codeBaseSetting, uint32_t flags) {
  return (flags & kFlagReverse) != 0 && EffectiveCodeBase(codeBaseSetting) != kCodeBaseLetters;
}

const WideChar* MapToDisplay(const uint8_t* run, int32_t count) {
  return ConvertRun(run, count, App.Font.FontAsciiBase,
                    DrawsInReadingOrder(App.Font.FontAsciiBase, App.Flags));
}

const WideChar* MapToDisplayForMeasure(const uint8_t* run, int32_t count) {
  return ConvertRun(run, count, App.Font.FontAsciiBase, false);
}

const WideChar* MapToReading(const uint8_t* run, int32_t count) {
  if (ConvertRun(run, count, kCodeBaseUnicode, true) == nullptr) return nullptr;
  for (int32_t i = 1; i < Conversion.Length; ++i) {
    Conversion.Chars[i] = static_cast<WideChar>(ReadingMark(Conversion.Chars[i - 1], Conversion.Chars[i]));
  }
  return Conversion.Chars;
}

int32_t LastDisplayLength() { return Conversion.Length; }

void SetTextAllocator(TextReallocFn allocator) { Allocator = allocator; }

void* TextRealloc(void* block, size_t bytes) {
  if (Allocator) return Allocator(block, bytes);
  return realloc(block, bytes);
}
