// The update page and home page addresses handed to the shell.
#include "common/update_address.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/wide_text.h"

namespace {

// A wide text as WideChar units with a zero.
std::vector<WideChar> Wide(const std::u16string& text) {
  std::vector<WideChar> units(text.begin(), text.end());
  units.push_back(0);
  return units;
}

// The zero-terminated wide text as a u16string.
std::u16string Text(const WideChar* text) {
  std::u16string result;
  for (size_t i = 0; text[i] != 0; ++i) result.push_back(static_cast<char16_t>(text[i]));
  return result;
}

const char16_t kExpectedUpdateAddress[] =
    u"https://www.thalvane.example/cgi-bin/upgrade?p=windows/Thalvane/Zelvan%2DQuenterbil%2DHebrew&v=1.84a";

TEST(UpdateAddress, TheProgramsAddress) {
  WideChar buffer[kUpdateAddressCapacity];
  size_t length = BuildUpdateAddress(buffer, kUpdateAddressCapacity);
  EXPECT_EQ(Text(buffer), kExpectedUpdateAddress);
  EXPECT_EQ(length, std::u16string(kExpectedUpdateAddress).size());
  // The rest of the 200 characters stays zero.
  for (size_t i = length; i < kUpdateAddressCapacity; ++i) ASSERT_EQ(buffer[i], 0) << i;
}

TEST(UpdateAddress, HomePageAndHostName) {
  WideChar buffer[kUpdateAddressCapacity];
  EXPECT_EQ(BuildHomePageAddress(buffer, kUpdateAddressCapacity), 28u);
  EXPECT_EQ(Text(buffer), u"https://www.thalvane.example");
  // The host of the web address is the link text of the About dialog.
  EXPECT_NE(std::string(kVendorWebAddress).find(kVendorHostName), std::string::npos);
}

TEST(UpdateAddress, EscapingOfThePath) {
  struct Row {
    std::u16string path;
    std::u16string expected;
  };
  const Row rows[] = {
      {u"", u""},                                   // nothing to escape
      {u"AZaz09./", u"AZaz09./"},                   // kept: letters, digits, full stop, slash
      {u"a b", u"a+b"},                             // a space becomes +
      {u"  ", u"++"},                               // each space on its own
      {u"-", u"%2D"},                               // the product path's hyphen
      {u"+", u"%2B"},                               // a real plus is escaped, unlike a space
      {u"%", u"%25"},                               // the escape character itself
      {u"&=?#", u"%26%3D%3F%23"},                   // query syntax
      {u"_~", u"%5F%7E"},                           // not in the kept set either
      {u"\u0001", u"%01"},                          // at least two digits
      {u"\u007F", u"%7F"},
      {u"\u00E9", u"%E9"},                          // the largest two-digit codes
      {u"\u00FF", u"%FF"},
      {u"\u0100", u"%100"},                         // above 0xFF: three digits
      {u"\u05D0", u"%5D0"},                         // a Hebrew letter
      {u"\u0FFF", u"%FFF"},
      {u"\u1000", u"%1000"},                        // four digits
      {u"\uFFFF", u"%FFFF"},                        // the largest unit
      {u"a-b c\u05D0", u"a%2Db+c%5D0"},             // mixed
  };
  for (const Row& row : rows) {
    WideChar buffer[kUpdateAddressCapacity];
    std::vector<WideChar> path = Wide(row.path);
    std::vector<WideChar> base = Wide(u"x?p=");
    std::vector<WideChar> suffix = Wide(u"&v=1");
    size_t length = BuildEscapedAddress(buffer, kUpdateAddressCapacity, base.data(), path.data(), suffix.data());
    std::u16string expected = u"x?p=" + row.expected + u"&v=1";
    EXPECT_EQ(Text(buffer), expected) << "path of " << row.path.size() << " units";
    EXPECT_EQ(length, expected.size());
  }
}

TEST(UpdateAddress, BaseAndVersionAreNotEscaped) {
  WideChar buffer[kUpdateAddressCapacity];
  std::vector<WideChar> base = Wide(u"a b-");
  std::vector<WideChar> path = Wide(u"-");
  std::vector<WideChar> suffix = Wide(u"&v=1.84a -");
  BuildEscapedAddress(buffer, kUpdateAddressCapacity, base.data(), path.data(), suffix.data());
  EXPECT_EQ(Text(buffer), u"a b-%2D&v=1.84a -");
}

TEST(UpdateAddress, NullPiecesAreEmpty) {
  WideChar buffer[8] = {1, 1, 1, 1, 1, 1, 1, 1};
  EXPECT_EQ(BuildEscapedAddress(buffer, 8, nullptr, nullptr, nullptr), 0u);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(BuildEscapedAddress(nullptr, 8, nullptr, nullptr, nullptr), 0u);
  EXPECT_EQ(BuildEscapedAddress(buffer, 0, nullptr, nullptr, nullptr), 0u);
  EXPECT_EQ(buffer[1], 0);  // capacity 0 writes nothing; buffer[1] was cleared by the first call
}

TEST(UpdateAddress, EveryCapacityFitsWholeOrGivesNothing) {
  // A sweep of capacities around the address's length, with guard units
  // behind the buffer: an address either fits with its zero or the buffer
  // stays all zero; nothing is written past the capacity.
  const size_t fullLength = std::u16string(kExpectedUpdateAddress).size();
  const WideChar kGuard = 0x7777;
  for (size_t capacity = 0; capacity <= fullLength + 2; ++capacity) {
    std::vector<WideChar> buffer(capacity + 4, kGuard);
    size_t length = BuildUpdateAddress(buffer.data(), capacity);
    for (size_t i = capacity; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], kGuard) << capacity;
    if (capacity > fullLength) {
      ASSERT_EQ(length, fullLength) << capacity;
      ASSERT_EQ(Text(buffer.data()), kExpectedUpdateAddress) << capacity;
    } else {
      ASSERT_EQ(length, 0u) << capacity;
      for (size_t i = 0; i < capacity; ++i) ASSERT_EQ(buffer[i], 0) << capacity;
    }
  }
}

TEST(UpdateAddress, EscapesThatCrossTheEndDoNotFit) {
  // A path of escapes whose last escape would end exactly one character past
  // the room: cut escapes ("%2") never appear.
  std::u16string path(66, u'-');  // 198 characters escaped
  std::vector<WideChar> wide = Wide(path);
  WideChar buffer[kUpdateAddressCapacity];
  EXPECT_EQ(BuildEscapedAddress(buffer, kUpdateAddressCapacity, nullptr, wide.data(), nullptr), 198u);
  std::vector<WideChar> base = Wide(u"ab");
  EXPECT_EQ(BuildEscapedAddress(buffer, kUpdateAddressCapacity, base.data(), wide.data(), nullptr), 0u);
  EXPECT_EQ(buffer[0], 0);
}

TEST(UpdateAddress, WidenAscii) {
  WideChar buffer[4];
  EXPECT_EQ(WidenAscii(buffer, 4, "abc"), 3u);
  EXPECT_EQ(Text(buffer), u"abc");
  EXPECT_EQ(WidenAscii(buffer, 3, "abc"), 0u);  // no room for the zero
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(WidenAscii(buffer, 4, nullptr), 0u);
}

}  // namespace
