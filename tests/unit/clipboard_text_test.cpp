// The clipboard's UTF-16 text of a day: records to lines, code bases and the
// Reverse option, buffer sizing and overflow, and the plain-text Append.
#include "output/clipboard_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "lessons/text_stream.h"
#include "tests/fakes/fake_text_device.h"
#include "tests/fakes/lesson_stream_builder.h"

namespace {

using Units = std::u16string;

// Keeps App's code base and flags as they were before each test.
class ClipboardText : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = App;
    App.Font.FontAsciiBase = kDefaultAsciiBase;
    App.Flags = kDefaultFlags & ~kFlagReverse;
  }
  void TearDown() override {
    FakeAllocReset();
    App = saved_;
  }
  static void SetReverse(bool on) { App.Flags = on ? (App.Flags | kFlagReverse) : (App.Flags & ~kFlagReverse); }

 private:
  AppState saved_;
};

// The zero-terminated text as units.
Units ToUnits(const WideChar* text) {
  Units units;
  for (size_t i = 0; text && text[i] != 0; ++i) units.push_back(static_cast<char16_t>(text[i]));
  return units;
}

// LessonTextToUnicode of a built stream into a buffer of the computed size.
Units Convert(const StreamBuilder& builder, int32_t* result = nullptr) {
  uint8_t* stream = FinishStream(builder);
  size_t bytes = UnicodeBufferBytes(stream);
  std::vector<WideChar> buffer(bytes / 2 + 1, 0x7777);
  int32_t got = LessonTextToUnicode(stream, buffer.data(), bytes);
  EXPECT_EQ(buffer[bytes / 2], 0x7777);  // nothing past the buffer
  if (result) *result = got;
  free(stream);
  return ToUnits(buffer.data());
}

// A stream of one record.
StreamBuilder One(uint8_t flag, uint8_t param, const std::string& text) {
  StreamBuilder builder;
  AddRecord(&builder, flag, param, text);
  return builder;
}

TEST_F(ClipboardText, RecordsToLines) {
  struct Row {
    int32_t base;
    bool reverse;
    StreamBuilder stream;
    Units expected;
  };
  const Row rows[] = {
      {97, false, One(0x01, 0, "ab"), u"ab\r\n"},                       // the letters themselves
      {97, true, One(0x01, 0, "ab"), u"ab\r\n"},                        // base 97 never reverses
      {224, false, One(0x01, 0, "a{"), u"\u00E0\u00FA\r\n"},           // the 8-bit code page
      {224, true, One(0x01, 0, "ab"), u"\u00E1\u00E0\r\n"},             // reversed
      {1488, false, One(0x01, 0, "ab"), u"\u05D0\u05D1\r\n"},           // Unicode Hebrew
      {1488, true, One(0x01, 0, "(ab)"), u"(\u05D1\u05D0)\r\n"},        // reversed, brackets mirrored
      {1488, false, One(0x01, 0, "~|}"), u"{|}\r\n"},                   // 0x7E is a brace
      {1488, false, One(0x01, 0x45, "ab"), u"\u05D0\u05D1     \r\n"},  // indent 5: five trailing blanks
      {1488, false, One(0x01, 0xC0, "ab"), u"\u05D0\u05D1\r\n"},        // label bits add nothing
      {1488, false, One(0x01, 0x3F, ""), Units(63, u' ') + u"\r\n"},    // empty text, 63 blanks
      {1488, false, One(0x81, 0, "a"), u"\u05D0\r\n\r\n"},              // paragraph end: one more line end
      {1488, false, One(0xC7, 200, ""), Units(80, u'-') + u"\r\n\r\n"},  // rule 200: 80 characters
      {1488, false, One(0x07, 40, "ignored"), Units(40, u'-') + u"\r\n"},  // rule 40; its text ignored
      {1488, false, One(0x07, 0, ""), u"\r\n"},                         // rule 0: an empty line
      {1488, false, One(0xFF, 160, ""), Units(160, u'-') + u"\r\n\r\n"},  // largest plain count
      {1488, false, One(0x07, 161, ""), u"--\r\n"},                     // 2 * (161 - 160)
      {1488, false, One(0x07, 255, ""), Units(190, u'-') + u"\r\n"},    // 2 * (255 - 160)
      {1488, false, StreamBuilder(), u""},                              // empty stream
  };
  for (const Row& row : rows) {
    App.Font.FontAsciiBase = row.base;
    SetReverse(row.reverse);
    int32_t result = -1;
    EXPECT_EQ(Convert(row.stream, &result), row.expected) << "base " << row.base << " reverse " << row.reverse;
    EXPECT_EQ(result, kUnicodeFitted);
  }
}

TEST_F(ClipboardText, TheDaysStream) {
  StreamBuilder day = DayStream("ab", "c", "d");
  Units text = Convert(day);
  const Units rule = Units(30, u'-');  // parameter 175: 2 * 15
  // The headings' text comes out as stored (Reverse off, no inversion here).
  EXPECT_EQ(text.substr(text.size() - 5), u"\u05D3\r\n\r\n");
  EXPECT_NE(text.find(u"\u05D0\u05D1\r\n\r\n" + rule + u"\r\n\r\n"), Units::npos);
  // Buffer size: B = 0, L = 60, E = 8 records + 5 paragraph ends.
  uint8_t* stream = FinishStream(day);
  size_t s = day.Bytes.size();
  EXPECT_EQ(UnicodeBufferBytes(stream), 2 * (s + s / 2 + 60 + 2 * 13) + 2);
  free(stream);
}

TEST_F(ClipboardText, BufferSizeOfEmptyAndNull) {
  EXPECT_EQ(UnicodeBufferBytes(nullptr), 2u);
  const uint8_t empty[] = {0, 0, 0};
  EXPECT_EQ(UnicodeBufferBytes(empty), 2u);
  WideChar unit = 0x7777;
  EXPECT_EQ(LessonTextToUnicode(empty, &unit, 2), kUnicodeFitted);
  EXPECT_EQ(unit, 0);
}

TEST_F(ClipboardText, ComputedSizeAlwaysFits) {
  // Streams of random records (every kind, parameter and text length, bytes
  // of every value) fit the computed buffer, with every code base.
  uint32_t seed = 12345;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int trial = 0; trial < 2000; ++trial) {
    StreamBuilder builder;
    int records = 1 + next() % 12;
    for (int r = 0; r < records; ++r) {
      uint8_t flag = static_cast<uint8_t>(1 + next() % 255);
      uint8_t param = static_cast<uint8_t>(next() % 256);
      std::string text(next() % 40, ' ');
      for (char& c : text) c = static_cast<char>(1 + next() % 255);
      AddRecord(&builder, flag, param, text);
    }
    const int32_t bases[] = {97, 224, 1488};
    App.Font.FontAsciiBase = bases[trial % 3];
    SetReverse(trial % 2 == 0);
    int32_t result = -1;
    Convert(builder, &result);
    ASSERT_EQ(result, kUnicodeFitted) << "trial " << trial;
  }
}

TEST_F(ClipboardText, EveryTooSmallBufferOverflowsSafely) {
  StreamBuilder day = DayStream("abc def", "g", "hi");
  uint8_t* stream = FinishStream(day);
  Units whole = Convert(day);
  const size_t needed = 2 * (whole.size() + 1);  // bytes with the terminator
  const WideChar kGuard = 0x7777;
  for (size_t bytes = 0; bytes <= needed + 3; ++bytes) {
    std::vector<WideChar> buffer(bytes / 2 + 2, kGuard);
    int32_t result = LessonTextToUnicode(stream, buffer.data(), bytes);
    ASSERT_EQ(buffer[bytes / 2], kGuard) << bytes;  // an odd last byte is not used either
    ASSERT_EQ(buffer[bytes / 2 + 1], kGuard) << bytes;
    if (bytes >= needed) {
      ASSERT_EQ(result, kUnicodeFitted) << bytes;
      ASSERT_EQ(ToUnits(buffer.data()), whole) << bytes;
    } else {
      ASSERT_EQ(result, kUnicodeOverflow) << bytes;
      if (bytes >= 2) {
        // A cut prefix of the text, terminated inside the buffer.
        ASSERT_EQ(buffer[bytes / 2 - 1], 0) << bytes;
        Units prefix = ToUnits(buffer.data());
        ASSERT_EQ(whole.compare(0, prefix.size(), prefix), 0) << bytes;
      }
    }
  }
  free(stream);
}

TEST_F(ClipboardText, DayTextReversalByCodeBaseAndOption) {
  // Rich Text (code base above 256) always gets reading order, the stored
  // display order reversed, whatever the option; plain text follows the
  // option with 224 and is never reversed with 97.
  struct Row {
    int32_t base;
    bool reverse;
    Units expected;
  };
  const Row rows[] = {
      {1488, false, u"\u05D1\u05D0\r\n"},  // Rich Text: reversed into reading order
      {1488, true, u"\u05D1\u05D0\r\n"},   // the same with the option on
      {224, false, u"\u00E0\u00E1\r\n"},   // plain text: as the option says
      {224, true, u"\u00E1\u00E0\r\n"},
      {97, false, u"ab\r\n"},
      {97, true, u"ab\r\n"},
      {0, false, u"\u05D1\u05D0\r\n"},      // a damaged setting maps as 0x5D0: Rich Text
      {0, true, u"\u05D1\u05D0\r\n"},
  };
  for (const Row& row : rows) {
    App.Font.FontAsciiBase = row.base;
    SetReverse(row.reverse);
    const uint32_t flags = App.Flags;
    uint8_t* stream = FinishStream(One(0x01, 0, "ab"));
    int32_t result = -1;
    WideChar* text = DayTextToUnicode(stream, &result);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(result, kUnicodeFitted);
    EXPECT_EQ(ToUnits(text), row.expected) << "base " << row.base << " reverse " << row.reverse;
    EXPECT_EQ(App.Flags, flags) << "the option is restored";
    free(text);
    free(stream);
  }
}

TEST_F(ClipboardText, FormatByCodeBase) {
  struct Row {
    int32_t base;
    bool rich;
  };
  const Row rows[] = {
      {97, false},      // the letters themselves: plain text
      {224, false},     // 8-bit code page: plain text
      {256, false},     // the limit itself
      {257, true},      // above it: Rich Text
      {1488, true},     // Unicode Hebrew
      {0, true},        // damaged settings map as 0x5D0
      {-5, true},
      {0xFFFF, true},   // letters would leave the 16 bits: 0x5D0
  };
  for (const Row& row : rows) EXPECT_EQ(UsesRichText(row.base), row.rich) << row.base;
}

TEST_F(ClipboardText, ConversionBufferFailure) {
  // A record longer than any converted before needs a larger conversion
  // buffer; when it cannot be had nothing is put on the clipboard.
  StreamBuilder builder = One(0x01, 0, std::string(200000, 'a'));
  uint8_t* stream = FinishStream(builder);
  SetReverse(true);
  const uint32_t flags = App.Flags;
  FakeAllocFailAfter(0);
  int32_t result = -1;
  EXPECT_EQ(DayTextToUnicode(stream, &result), nullptr);
  EXPECT_EQ(result, kUnicodeNoMemory);
  EXPECT_EQ(App.Flags, flags);
  FakeAllocReset();
  free(stream);
  // The shared buffer is left as it was (other tests rely on its size); a
  // short record converts again.
  stream = FinishStream(One(0x01, 0, "ab"));
  WideChar* text = DayTextToUnicode(stream, &result);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(UnicodeUnits(text), 4u);
  free(text);
  free(stream);
  EXPECT_EQ(DayTextToUnicode(nullptr, &result), nullptr);
  EXPECT_EQ(result, kUnicodeNoMemory);
}

TEST(ClipboardData, Length) {
  struct Row {
    std::string block;  // the whole global block, exactly this size
    bool unicode;
    size_t expected;
  };
  const Row rows[] = {
      {std::string("a\0b\0\0\0", 6), true, 4},     // two units and the terminator
      {std::string("a\0b\0c", 5), true, 4},         // odd size, no terminator: the odd byte is dropped
      {std::string("a\0b\0", 4), true, 4},          // no terminator at all
      {std::string("a", 1), true, 0},               // one byte: no whole unit
      {std::string("", 0), true, 0},                // empty block
      {std::string("\0\0a\0", 4), true, 0},         // the terminator first
      {std::string("\0a\0\0", 4), true, 2},         // U+6100: a zero byte inside a unit is not the end
      {std::string("abc", 3), false, 3},            // no zero byte: the block's size
      {std::string("ab\0c", 4), false, 2},          // up to the first zero byte
      {std::string("\0", 1), false, 0},
  };
  for (const Row& row : rows) {
    std::vector<uint8_t> block(row.block.begin(), row.block.end());
    EXPECT_EQ(ClipboardDataLength(block.data(), block.size(), row.unicode), row.expected)
        << row.block.size() << " bytes, unicode " << row.unicode;
  }
  EXPECT_EQ(ClipboardDataLength(nullptr, 10, true), 0u);
}

TEST(ClipboardData, UnicodeAppend) {
  struct Row {
    std::string old;  // old clipboard bytes as read (no terminator)
    Units text;
    Units expected;
  };
  const Row rows[] = {
      {"", u"\u05D0\r\n", u"\u05D0\r\n"},                                     // nothing before: like Copy
      {std::string("a\0\r\0\n\0", 6), u"b\r\n", u"a\r\nb\r\n"},               // directly behind, no separator
      {std::string("a\0b", 3), u"c", u"ac"},                                  // an odd length is rounded down
      {std::string("a\0", 2), u"", u"a"},                                     // nothing new
  };
  for (const Row& row : rows) {
    std::vector<uint8_t> old(row.old.begin(), row.old.end());
    std::vector<WideChar> text(row.text.begin(), row.text.end());
    text.push_back(0);
    size_t bytes = AppendedUnicodeBytes(old.size(), text.data());
    EXPECT_EQ(bytes, (old.size() & ~size_t{1}) + 2 * row.text.size() + 2);
    std::vector<uint8_t> block(bytes);
    EXPECT_EQ(WriteAppendedUnicode(block.data(), old.empty() ? nullptr : old.data(), old.size(), text.data()), bytes);
    std::vector<WideChar> result(bytes / 2);
    memcpy(result.data(), block.data(), bytes);
    EXPECT_EQ(result.back(), 0);
    EXPECT_EQ(ToUnits(result.data()), row.expected);
  }
  // A size that cannot be addressed is refused.
  EXPECT_EQ(AppendedUnicodeBytes(SIZE_MAX, nullptr), 0u);
}

}  // namespace
