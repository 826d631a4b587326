#include "lessons/seven_bit_text.h"

#include <algorithm>

#include "lessons/text_stream.h"

namespace {

// True for the punctuation bytes that stand for the same character.
bool IsPassThrough(uint32_t c) {
  switch (c) {
    case 0x20: case 0x22: case 0x27: case 0x28: case 0x29: case 0x2A:
    case 0x2C: case 0x2D: case 0x2E: case 0x3A: case 0x5B: case 0x5D:
      return true;
    default:
      return false;
  }
}

// The partner of a bracket (a mirrored glyph in right-to-left text), else c.
uint32_t MirrorBracket(uint32_t c) {
  switch (c) {
    case '(': return ')';
    case ')': return '(';
    case '[': return ']';
    case ']': return '[';
    default: return c;
  }
}

// Appends the UTF-8 of code point c (below U+0800, which is all that 7-bit
// text produces) to *out.
void AppendUtf8(uint32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Decodes one well-formed UTF-8 character at s[0..length) into *c; returns its
// length in bytes, or 0 when the bytes there are ill-formed (truncated, stray
// continuation, overlong, surrogate or beyond U+10FFFF).
size_t DecodeUtf8(const unsigned char* s, size_t length, uint32_t* c) {
  unsigned char lead = s[0];
  if (lead < 0x80) {
    *c = lead;
    return 1;
  }
  size_t size;
  uint32_t value;
  uint32_t least;
  if (lead >= 0xC2 && lead <= 0xDF) {
    size = 2; value = lead & 0x1F; least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    size = 3; value = lead & 0x0F; least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    size = 4; value = lead & 0x07; least = 0x10000;
  } else {
    return 0;
  }
  if (length < size) return 0;
  for (size_t i = 1; i < size; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    value = (value << 6) | (s[i] & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *c = value;
  return size;
}

}  // namespace

uint32_t SevenBitToCodePoint(uint8_t byte) {
  if (IsLetterByte(byte)) return kCodeBaseUnicode + (byte - kFirstLetterByte);
  return IsPassThrough(byte) ? byte : 0;
}

uint8_t CodePointToSevenBit(uint32_t codePoint) {
  const uint32_t place = codePoint - kCodeBaseUnicode;  // wraps below the Hebrew block
  if (place < static_cast<uint32_t>(kLetterCount)) return static_cast<uint8_t>(kFirstLetterByte + place);
  return IsPassThrough(codePoint) ? static_cast<uint8_t>(codePoint) : 0;
}

bool DisplayBytesToUtf8(const uint8_t* bytes, size_t count, std::string* utf8,
                        SevenBitFault* fault) {
  utf8->clear();
  for (size_t i = 0; i < count; ++i) {
    if (SevenBitToCodePoint(bytes[i]) == 0) {
      if (fault) *fault = SevenBitFault{i, bytes[i]};
      return false;
    }
  }
  utf8->reserve(2 * count);
  for (size_t i = count; i > 0; --i) AppendUtf8(MirrorBracket(SevenBitToCodePoint(bytes[i - 1])), utf8);
  return true;
}

bool Utf8ToDisplayBytes(const char* utf8, size_t length, std::vector<uint8_t>* bytes,
                        SevenBitFault* fault) {
  bytes->clear();
  const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8);
  size_t offset = 0;
  while (offset < length) {
    uint32_t c = 0;
    size_t size = DecodeUtf8(s + offset, length - offset, &c);
    uint8_t byte = size == 0 ? 0 : CodePointToSevenBit(c);
    if (byte == 0) {
      if (fault) *fault = SevenBitFault{offset, size == 0 ? kMalformedUtf8 : c};
      bytes->clear();
      return false;
    }
    bytes->push_back(static_cast<uint8_t>(MirrorBracket(byte)));
    offset += size;
  }
  // Logical order reads right to left on the display: the first character read
  // is the last byte.
  std::reverse(bytes->begin(), bytes->end());
  return true;
}
