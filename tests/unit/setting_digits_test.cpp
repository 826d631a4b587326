// The digit rule that turns a non-REG_DWORD registry value into an integer.
#include "common/setting_digits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Text = std::u16string;

// Parses the whole text (its size as the count) through a copy of exactly that
// many characters, so that reading past the count is caught by the sanitizer.
int32_t Parse(const Text& text) {
  std::vector<WideChar> copy(text.begin(), text.end());
  return ParseSettingDigits(copy.empty() ? nullptr : copy.data(), copy.size());
}

TEST(SettingDigits, Table) {
  struct Row {
    Text text;
    int32_t expected;
  };
  const Row rows[] = {
      {u"", 0},                      // empty text
      {u"0", 0},                     // zero
      {u"25", 25},                   // the gutter example
      {u"007", 7},                   // leading zeros
      {u"1488", 1488},               // the default code base spelt out
      {u"2147483647", INT32_MAX},    // largest positive
      {u"2147483648", INT32_MIN},    // wraps into the sign bit
      {u"3507748928", static_cast<int32_t>(0xD1140040u)},  // the default Flags
      {u"4294967295", -1},           // all 32 bits set
      {u"4294967296", 0},            // 2^32 wraps to zero
      {u"-5", -25},                  // no sign: '-' counts as -3, then * 10 + 5
      {u"+1", -49},                  // '+' counts as -5
      {u" 7", -153},                 // a space counts as -16
      {u"a", 0x31},                  // letters are not rejected: 'a' - '0'
      {u"12 ", 104},                 // trailing space: 12 * 10 - 16
      {Text(u"12\0" u"34", 5), 12},  // stops at the first zero character
      {Text(u"\0" u"9", 2), 0},      // a zero first gives 0
      {u"\uFFFF", 0xFFFF - 0x30},    // characters are unsigned 16-bit
      {u"\u05D0", 0x05D0 - 0x30},    // a Hebrew letter
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Parse(row.text), row.expected) << "text of " << row.text.size() << " units";
  }
}

TEST(SettingDigits, CountLimitsTheRead) {
  const WideChar digits[] = {u'1', u'2', u'3', u'4', u'5'};  // no terminator
  EXPECT_EQ(ParseSettingDigits(digits, 0), 0);
  EXPECT_EQ(ParseSettingDigits(digits, 3), 123);
  EXPECT_EQ(ParseSettingDigits(digits, 5), 12345);
  EXPECT_EQ(ParseSettingDigits(nullptr, 0), 0);
}

TEST(SettingDigits, EverySingleCharacter) {
  // One character ch gives ch - 0x30, with wrap-around below '0'.
  for (uint32_t ch = 1; ch <= 0xFFFF; ++ch) {
    Text text(1, static_cast<char16_t>(ch));
    ASSERT_EQ(static_cast<uint32_t>(Parse(text)), ch - 0x30u) << "character " << ch;
  }
}

TEST(SettingDigits, OnlyTheLast32CharactersCount) {
  // 10^32 is a multiple of 2^32: whatever precedes the last 32 characters
  // vanishes in the wrap-around. Sweep the prefix character and its length.
  const Text tail = u"98765432109876543210987654321098";  // 32 characters
  const int32_t expected = Parse(tail);
  for (char16_t prefix : {u'1', u'9', u'x', u'\uFFFF'}) {
    for (size_t length = 1; length <= 40; ++length) {
      ASSERT_EQ(Parse(Text(length, prefix) + tail), expected)
          << "prefix " << static_cast<int>(prefix) << " x " << length;
    }
  }
}

}  // namespace
