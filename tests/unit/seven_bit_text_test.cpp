// The 7-bit display-order text and its UTF-8 in reading order.
#include "lessons/seven_bit_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// UTF-8 of display-order bytes given as a string; "<fail>" when refused.
std::string ToUtf8(const std::string& display) {
  std::vector<uint8_t> copy = Bytes(display);
  std::string utf8 = "unchanged";
  SevenBitFault fault{};
  if (!DisplayBytesToUtf8(copy.data(), copy.size(), &utf8, &fault)) {
    EXPECT_TRUE(utf8.empty());
    return "<fail>";
  }
  return utf8;
}

// Display-order bytes, as a string, of UTF-8 text; "<fail>" when refused.
std::string ToDisplay(const std::string& utf8) {
  std::vector<uint8_t> bytes = {1, 2, 3};
  SevenBitFault fault{};
  if (!Utf8ToDisplayBytes(utf8.data(), utf8.size(), &bytes, &fault)) {
    EXPECT_TRUE(bytes.empty());
    return "<fail>";
  }
  return std::string(bytes.begin(), bytes.end());
}

TEST(SevenBitText, Table) {
  struct Row {
    std::string display;
    std::string utf8;
  };
  const Row rows[] = {
      {"", ""},                                    // empty both ways
      {"a", "\xD7\x90"},                           // alef
      {"{", "\xD7\xAA"},                           // 0x7B is tav, not a brace
      {"ba", "\xD7\x90\xD7\x91"},                  // display order is reversed: alef is read first
      {"(ba)", "(\xD7\x90\xD7\x91)"},              // parentheses swap with their partners
      {"[a]", "[\xD7\x90]"},                       // square brackets too
      {")a(", ")\xD7\x90("},                       // so a lone bracket reads as its partner
      {"'e", "\xD7\x94'"},                         // the thousands mark follows the letter when read
      {"a b", "\xD7\x91 \xD7\x90"},                // words swap
      {"\"*,-.:", ":.-,*\""},                      // punctuation kept, order reversed
      {"on", "\xD7\x9D\xD7\x9E"},                  // final mem (0x6E) and mem (0x6F) stay apart
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ToUtf8(row.display), row.utf8) << row.display;
    EXPECT_EQ(ToDisplay(row.utf8), row.display) << row.display;
  }
}

TEST(SevenBitText, EveryByteEitherMapsAndRoundTripsOrIsRefused) {
  for (int b = 0; b < 256; ++b) {
    const uint8_t byte = static_cast<uint8_t>(b);
    const uint32_t c = SevenBitToCodePoint(byte);
    const bool letter = b >= 0x61 && b <= 0x7B;
    const bool punctuation = std::string(" \"'()*,-.:[]").find(static_cast<char>(b)) != std::string::npos;
    if (letter) {
      EXPECT_EQ(c, 0x05D0u + (b - 0x61)) << b;
    } else if (punctuation) {
      EXPECT_EQ(c, static_cast<uint32_t>(b)) << b;
    } else {
      EXPECT_EQ(c, 0u) << b;
      std::string utf8 = "x";
      SevenBitFault fault{};
      const uint8_t text[] = {0x61, byte, 0x62};
      EXPECT_FALSE(DisplayBytesToUtf8(text, 3, &utf8, &fault)) << b;
      EXPECT_TRUE(utf8.empty());
      EXPECT_EQ(fault.offset, 1u);
      EXPECT_EQ(fault.codePoint, static_cast<uint32_t>(b));
      continue;
    }
    EXPECT_EQ(CodePointToSevenBit(c), byte) << b;
  }
}

TEST(SevenBitText, EveryCodePointBelowTheSupplementaryPlanesMapsBackOnlyFromTheSet) {
  int mapped = 0;
  for (uint32_t c = 0; c < 0x10000; ++c) {
    const uint8_t byte = CodePointToSevenBit(c);
    if (byte == 0) continue;
    ++mapped;
    EXPECT_EQ(SevenBitToCodePoint(byte), c) << c;
  }
  EXPECT_EQ(mapped, 27 + 12);  // the letters and the punctuation
}

TEST(SevenBitText, AllPairsRoundTrip) {
  std::vector<uint8_t> set;
  for (int b = 1; b < 128; ++b)
    if (SevenBitToCodePoint(static_cast<uint8_t>(b)) != 0) set.push_back(static_cast<uint8_t>(b));
  for (uint8_t first : set) {
    for (uint8_t second : set) {
      const uint8_t text[] = {first, second};
      std::string utf8;
      std::vector<uint8_t> back;
      ASSERT_TRUE(DisplayBytesToUtf8(text, 2, &utf8, nullptr));
      ASSERT_TRUE(Utf8ToDisplayBytes(utf8.data(), utf8.size(), &back, nullptr));
      EXPECT_EQ(back, std::vector<uint8_t>(text, text + 2)) << int(first) << " " << int(second);
    }
  }
}

TEST(SevenBitText, Utf8Refusals) {
  struct Row {
    std::string utf8;
    size_t offset;
    uint32_t codePoint;
  };
  const Row rows[] = {
      {"A", 0, 'A'},                                     // Latin letter has no byte
      {"\xD7\x90" "1", 2, '1'},                          // nor a digit, after alef
      {"\xD7\x90{", 2, '{'},                             // nor a brace (0x7B is tav)
      {std::string("\xD7\x90\0", 3), 2, 0},              // nor a zero character
      {"\xD6\xBC", 0, 0x05BC},                           // a Hebrew point is not a letter
      {"\xD7\xAF", 0, 0x05EF},                           // just past tav
      {"\xD7\x8F", 0, 0x05CF},                           // just before alef
      {"\xEF\xBB\xBF", 0, 0xFEFF},                       // a byte order mark
      {"\xD7", 0, kMalformedUtf8},                       // truncated sequence
      {"\x90", 0, kMalformedUtf8},                       // stray continuation byte
      {"\xC0\xA0", 0, kMalformedUtf8},                   // overlong space
      {"\xE0\x80\xA0", 0, kMalformedUtf8},               // overlong three-byte space
      {"\xED\xA0\x80", 0, kMalformedUtf8},               // a surrogate
      {"\xF4\x90\x80\x80", 0, kMalformedUtf8},           // beyond U+10FFFF
      {"\xF0\x9F\x98\x80", 0, 0x1F600},                  // well-formed but unmapped
      {"\xD7\x90\xD7", 2, kMalformedUtf8},               // truncated at the end
      {"\xFF", 0, kMalformedUtf8},                       // never a UTF-8 byte
  };
  for (const Row& row : rows) {
    std::vector<uint8_t> bytes = {9};
    SevenBitFault fault{99, 99};
    EXPECT_FALSE(Utf8ToDisplayBytes(row.utf8.data(), row.utf8.size(), &bytes, &fault)) << row.utf8;
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(fault.offset, row.offset) << row.utf8;
    EXPECT_EQ(fault.codePoint, row.codePoint) << row.utf8;
  }
}

TEST(SevenBitText, LongTextReversesWhole) {
  std::vector<uint8_t> display;
  for (int i = 0; i < 1000; ++i) display.push_back(static_cast<uint8_t>(0x61 + i % 27));
  std::string utf8;
  ASSERT_TRUE(DisplayBytesToUtf8(display.data(), display.size(), &utf8, nullptr));
  ASSERT_EQ(utf8.size(), 2000u);
  // The last byte stored is read first.
  const uint32_t firstRead = 0x05D0 + (999 % 27);
  EXPECT_EQ(static_cast<uint8_t>(utf8[0]), 0xC0 | (firstRead >> 6));
  EXPECT_EQ(static_cast<uint8_t>(utf8[1]), 0x80 | (firstRead & 0x3F));
  std::vector<uint8_t> back;
  ASSERT_TRUE(Utf8ToDisplayBytes(utf8.data(), utf8.size(), &back, nullptr));
  EXPECT_EQ(back, display);
}

}  // namespace
