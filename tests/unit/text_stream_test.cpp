// The LessonText record walk, rule lengths and the mapping of bytes to
// display characters (code bases, Reverse option, shared buffer).
#include "view/glyph_mapping.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "tests/fakes/fake_text_device.h"
#include "tests/fakes/lesson_stream_builder.h"

namespace {

// Keeps App's code base and flags as they were before each test.
class DisplayMapping : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = App;
    App.Font.FontAsciiBase = kDefaultAsciiBase;
    App.Flags = kDefaultFlags;
  }
  void TearDown() override {
    FakeAllocReset();
    App = saved_;
  }

  // Converts bytes with MapToDisplay into a vector (empty when null).
  static std::vector<uint32_t> Map(const std::vector<uint8_t>& bytes, bool measure = false) {
    std::vector<uint8_t> run = bytes;
    run.push_back(0);
    int32_t count = static_cast<int32_t>(bytes.size());
    const WideChar* chars = measure ? MapToDisplayForMeasure(run.data(), count)
                                    : MapToDisplay(run.data(), count);
    std::vector<uint32_t> out;
    if (!chars) return out;
    for (int32_t k = 0; chars[k] != 0; ++k) out.push_back(static_cast<uint16_t>(chars[k]));
    return out;
  }

  AppState saved_;
};

TEST_F(DisplayMapping, MapsEachByteForEachCodeBase) {
  struct Row {
    int32_t base;
    uint8_t byte;
    uint32_t expected;
  };
  const Row rows[] = {
      {0x5D0, 0x61, 0x5D0},  // first letter at the Unicode Hebrew block
      {0x5D0, 0x7B, 0x5EA},  // last letter
      {0x5D0, 0x6A, 0x5D9},  // a letter in between
      {224, 0x61, 0xE0},     // the 8-bit code page
      {224, 0x7B, 0xFA},
      {0x61, 0x61, 0x61},    // letters as themselves
      {0x61, 0x7B, 0x7B},
      {0x5D0, 0x7E, 0x7B},   // tilde shows as a brace
      {0x5D0, 0x7C, 0x7C},   // just above the letters: unchanged
      {0x5D0, 0x7D, 0x7D},
      {0x5D0, 0x60, 0x60},   // just below the letters: unchanged
      {0x5D0, 0x20, 0x20},
      {0x5D0, 0x2D, 0x2D},
      {0x5D0, 0x22, 0x22},
      {0x5D0, 0x01, 0x01},
      {0x5D0, 0xFF, 0xFF},   // bytes are unsigned
      {224, 0x7E, 0x7B},
  };
  for (const Row& row : rows) {
    App.Font.FontAsciiBase = row.base;
    EXPECT_EQ(Map({row.byte}), std::vector<uint32_t>{row.expected})
        << "base " << row.base << " byte " << int(row.byte);
  }
}

TEST_F(DisplayMapping, OddCodeBaseFallsBackToDefault) {
  struct Row {
    int32_t setting;
    int32_t effective;
  };
  const Row rows[] = {
      {0x5D0, 0x5D0},
      {0x61, 0x61},
      {1, 1},                 // smallest base that maps every letter above zero
      {0xFFFF - 26, 0xFFE5},  // the last letter lands on U+FFFF
      {0xFFFF - 25, 0x5D0},   // the last letter would leave the 16-bit range
      {0, 0x5D0},
      {-224, 0x5D0},
      {0x10000, 0x5D0},
      {INT32_MAX, 0x5D0},
      {INT32_MIN, 0x5D0},
  };
  for (const Row& row : rows) EXPECT_EQ(EffectiveCodeBase(row.setting), row.effective) << row.setting;
  App.Font.FontAsciiBase = -1;
  EXPECT_EQ(Map({0x61}), std::vector<uint32_t>{0x5D0});
}

TEST_F(DisplayMapping, ReverseOptionReversesAndMirrorsBrackets) {
  struct Row {
    int32_t base;
    bool reverse;
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> expected;
  };
  const Row rows[] = {
      // parentheses around two letters: reversed, both brackets swapped
      {0x5D0, true, {0x28, 0x61, 0x62, 0x29}, {0x28, 0x5D1, 0x5D0, 0x29}},
      // Reverse off: stored order
      {0x5D0, false, {0x28, 0x61, 0x62, 0x29}, {0x28, 0x5D0, 0x5D1, 0x29}},
      // base 0x61 disables the Reverse option
      {0x61, true, {0x28, 0x61, 0x62, 0x29}, {0x28, 0x61, 0x62, 0x29}},
      // the 8-bit code base is reversed too
      {224, true, {0x61, 0x62, 0x63}, {0xE2, 0xE1, 0xE0}},
      // square brackets
      {0x5D0, true, {0x5B, 0x61, 0x5D}, {0x5B, 0x5D0, 0x5D}},
      // braces: 0x7E shows as '{', 0x7D is '}'
      {0x5D0, true, {0x7E, 0x62, 0x7D, 0x20}, {0x20, 0x7B, 0x5D1, 0x7D}},
      // an odd count mirrors the middle bracket as well
      {0x5D0, true, {0x61, 0x28, 0x62}, {0x5D1, 0x29, 0x5D0}},
      {0x5D0, true, {0x29}, {0x28}},
      // the last letter 0x7B is a letter, not a brace
      {0x5D0, true, {0x7B, 0x61}, {0x5D0, 0x5EA}},
  };
  for (const Row& row : rows) {
    App.Font.FontAsciiBase = row.base;
    App.Flags = row.reverse ? (kDefaultFlags | kFlagReverse) : (kDefaultFlags & ~kFlagReverse);
    EXPECT_EQ(Map(row.bytes), row.expected) << "base " << row.base << " reverse " << row.reverse;
    // Measuring never reverses.
    App.Flags |= kFlagReverse;
    std::vector<uint32_t> stored;
    int32_t base = row.base;
    for (uint8_t b : row.bytes) stored.push_back(b >= 0x61 && b <= 0x7B ? base + b - 0x61 : (b == 0x7E ? 0x7B : b));
    EXPECT_EQ(Map(row.bytes, true), stored);
  }
}

TEST_F(DisplayMapping, ReverseOptionIsReadAtEachConversion) {
  App.Flags |= kFlagReverse;
  EXPECT_EQ(Map({0x61, 0x62}), (std::vector<uint32_t>{0x5D1, 0x5D0}));
  App.Flags &= ~kFlagReverse;
  EXPECT_EQ(Map({0x61, 0x62}), (std::vector<uint32_t>{0x5D0, 0x5D1}));
  App.Font.FontAsciiBase = 224;
  EXPECT_EQ(Map({0x61, 0x62}), (std::vector<uint32_t>{0xE0, 0xE1}));
}

TEST_F(DisplayMapping, ConversionStopsAtCountOrZeroByte) {
  const uint8_t run[] = {0x61, 0x62, 0, 0x63, 0};
  struct Row {
    const uint8_t* run;
    int32_t count;
    int32_t length;  // characters before the zero character
  };
  const Row rows[] = {
      {run, 1, 1},        // count ends the run
      {run, 2, 2},
      {run, 4, 2},        // a zero byte comes first
      {run, 0, 0},        // nothing: an empty run
      {run, -3, 0},       // a negative count converts nothing
      {nullptr, 5, 0},    // no run: empty
      {run + 2, 3, 0},
  };
  App.Flags |= kFlagReverse;
  for (const Row& row : rows) {
    const WideChar* chars = MapToDisplay(row.run, row.count);
    ASSERT_NE(chars, nullptr);
    EXPECT_EQ(LastDisplayLength(), row.length) << row.count;
    EXPECT_EQ(chars[row.length], 0) << row.count;
  }
}

TEST_F(DisplayMapping, SharedBufferGrowsAndSurvivesFailedGrowth) {
  std::vector<uint8_t> bytes(5000, 0x61);
  bytes.push_back(0);
  const WideChar* big = MapToDisplay(bytes.data(), 5000);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(LastDisplayLength(), 5000);
  EXPECT_EQ(big[4999], 0x5D0);
  // A smaller run reuses the buffer: no allocation at all.
  FakeAllocFailAfter(0);
  EXPECT_EQ(MapToDisplay(bytes.data(), 10), big);
  EXPECT_EQ(FakeAllocRequests(), 0);
  // Growing fails: no run, and the old buffer still serves smaller runs.
  std::vector<uint8_t> huge(100000, 0x62);
  huge.push_back(0);
  EXPECT_EQ(MapToDisplay(huge.data(), 100000), nullptr);
  EXPECT_EQ(MapToDisplayForMeasure(huge.data(), 100000), nullptr);
  const WideChar* again = MapToDisplay(huge.data(), 3);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again[0], 0x5D1);
  FakeAllocReset();
  EXPECT_NE(MapToDisplay(huge.data(), 100000), nullptr);
  EXPECT_EQ(LastDisplayLength(), 100000);
}

TEST(LessonTextRecords, WalksTheDayStream) {
  StreamBuilder builder = DayStream("abc", "de fg", "h");
  uint8_t* stream = FinishStream(builder);
  struct Expected {
    uint8_t flag;
    uint8_t param;
    std::string text;
    bool rule;
  };
  const Expected expected[] = {
      {0x5C, 0, "nfjm njxyu 'c", false}, {0xD1, 0, "abc", false}, {0xC7, 175, "", true},
      {0x5C, 0, "nfjm 'a xyu", false},   {0xD1, 0, "de fg", false}, {0xC7, 175, "", true},
      {0x5C, 0, "{ffwoe yur", false},    {0xD1, 0, "h", false},
  };
  const uint8_t* at = stream;
  StreamRecord record;
  size_t k = 0;
  for (; ReadRecord(at, &record); at = NextRecord(at), ++k) {
    ASSERT_LT(k, std::size(expected));
    EXPECT_EQ(record.Flag, expected[k].flag) << k;
    EXPECT_EQ(record.Param, expected[k].param) << k;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.Text), record.Length), expected[k].text);
    EXPECT_EQ(IsRuleRecord(record.Flag), expected[k].rule) << k;
  }
  EXPECT_EQ(k, std::size(expected));
  // Records take the three lengths plus 58 bytes, as the day's stream does.
  EXPECT_EQ(StreamLength(stream), 3u + 5u + 1u + 58u);
  EXPECT_EQ(static_cast<size_t>(at - stream), StreamLength(stream));
  free(stream);
}

TEST(LessonTextRecords, UsableStreams) {
  struct Row {
    std::vector<uint8_t> bytes;
    bool usable;
  };
  const Row rows[] = {
      {{0, 0, 0}, false},                      // nothing but the end
      {{0x5C, 0, 0, 0, 0, 0}, false},          // first record has empty text
      {{0x5C, 0, 0, 0x11, 0, 'a', 0, 0}, false},  // empty first record, text later: still rejected
      {{0xC7, 175, 0, 0, 0, 0}, true},         // a rule with empty text
      {{0xC7, 0, 0, 0, 0, 0}, true},           // even a rule that draws nothing
      {{0x11, 0, 'a', 0, 0, 0, 0}, true},      // one text byte
      {{0x11, 0, ' ', 0, 0, 0, 0}, true},      // a space is a text byte
      {{0x80, 0x40, 'a', 0, 0, 0, 0}, true},   // any non-zero flag
  };
  for (const Row& row : rows) EXPECT_EQ(IsUsableStream(row.bytes.data()), row.usable);
  EXPECT_FALSE(IsUsableStream(nullptr));
  EXPECT_EQ(StreamLength(nullptr), 0u);
  StreamRecord record = {};
  EXPECT_FALSE(ReadRecord(nullptr, &record));
}

TEST(LessonTextRecords, RuleLengths) {
  struct Row {
    uint8_t param;
    int32_t width;
    int32_t length;
  };
  const Row rows[] = {
      {0, 500, 0},        // draws nothing
      {1, 500, 1},        // device units up to 160
      {160, 500, 160},
      {160, 100, 100},    // limited to the area
      {161, 500, 10},     // 2 percent
      {175, 500, 150},    // the day's rules: 30 percent
      {175, 333, 99},     // truncated: 30 * 333 / 100
      {210, 500, 500},    // 100 percent
      {255, 500, 500},    // 190 percent, limited to the area
      {175, 0, 0},
      {100, -20, 0},      // an absurd area gives no length
      {255, INT32_MAX, INT32_MAX},  // no overflow on a huge area
  };
  for (const Row& row : rows)
    EXPECT_EQ(RuleLength(row.param, row.width), row.length) << int(row.param) << " " << row.width;
}

TEST(LessonTextRecords, ReadingMarks) {
  struct Row {
    uint32_t previous;
    uint32_t current;
    uint32_t reading;
  };
  const Row rows[] = {
      {0x05D4, '\'', kGeresh},     // he' : a thousands mark after a letter
      {0x05DB, '"', kGershayim},   // kaf" : the mark before a numeral's last letter
      {0x05EA, '"', kGershayim},   // tav, the last letter, still counts
      {0x05D0, '\'', kGeresh},     // alef, the first
      {0x05CF, '\'', '\''},        // just below the letters: not a letter
      {0x05EB, '"', '"'},          // just above them
      {' ', '\'', '\''},           // a mark after a space stays ASCII
      {'"', '"', '"'},             // after another mark
      {0x05D0, 0x05D1, 0x05D1},    // letters are themselves
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ReadingMark(row.previous, row.current), row.reading) << std::hex << row.previous;
  }
}

}  // namespace
