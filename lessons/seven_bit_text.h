// The program's 7-bit Hebrew text and UTF-8. The 7-bit bytes are stored in
// display order (left to right as seen, so the byte read first is the last
// byte); UTF-8 is in logical reading order. Letters 0x61..0x7B are the 27
// letters U+05D0..U+05EA in block order (final forms are letters of their own);
// the space and the bytes " ' ( ) * , - . : [ ] stand for themselves.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Code point reported for input that is not well-formed UTF-8.
constexpr uint32_t kMalformedUtf8 = 0xFFFFFFFFu;

// Where a conversion stopped: the offset of the offending byte or character in
// the input (bytes) and its code point (the byte value for 7-bit input,
// kMalformedUtf8 for ill-formed UTF-8).
struct SevenBitFault {
  size_t offset;
  uint32_t codePoint;
};

// The code point of a 7-bit byte, or 0 when the byte has none.
uint32_t SevenBitToCodePoint(uint8_t byte);
// The 7-bit byte of a code point, or 0 when the code point has none.
uint8_t CodePointToSevenBit(uint32_t codePoint);

// Replaces *utf8 with the logical-order UTF-8 of count display-order bytes
// (reversed, brackets swapped with their partners). False, with *utf8 empty and
// *fault (when given) at the first byte that has no character, on failure.
bool DisplayBytesToUtf8(const uint8_t* bytes, size_t count, std::string* utf8,
                        SevenBitFault* fault);

// Replaces *bytes with the display-order 7-bit bytes of length bytes of
// logical-order UTF-8. False, with *bytes empty and *fault (when given) at the
// first character that has no 7-bit byte or is ill-formed, on failure.
bool Utf8ToDisplayBytes(const char* utf8, size_t length, std::vector<uint8_t>* bytes,
                        SevenBitFault* fault);
