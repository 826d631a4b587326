// Line layout against the deterministic text device: breaking, alignment,
// labels and continuations, reversed records, rows and the max top row, table
// growth, the 16-bit limits and the out-of-memory paths.
#include "view/line_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lessons/text_stream.h"
#include "tests/fakes/fake_text_device.h"
#include "tests/fakes/lesson_stream_builder.h"

namespace {

constexpr int32_t kCharWidth = 10;   // every byte, every style
constexpr int32_t kRowHeight = 20;   // every style but the heading
constexpr int32_t kHeadingHeight = 25;
constexpr uint32_t kHeadingKey = 0x1C;

// What a line entry is expected to hold; offsets relative to a record's text.
struct Line {
  int32_t offset;
  int32_t count;
  int32_t width;
};

class LineLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    dc_ = FakeDcCreate(kCharWidth, kRowHeight);
    FakeDcSetStyle(dc_, kHeadingKey, kCharWidth, kHeadingHeight);
    FontSettings font = {};
    font.FontSize = 12;
    font.FontAsciiBase = 0x5D0;
    view_ = NewLessonView(dc_, &font, 0, 0, 1000, 1000, 30);
    ASSERT_NE(view_, nullptr);
  }

  void TearDown() override {
    FakeAllocReset();
    DestroyLessonView(view_, true);
    EXPECT_EQ(FakeLiveFonts(dc_), 0);
    EXPECT_EQ(dc_->ContractViolations, 0);
    FakeDcDestroy(dc_);
  }

  // Lays builder's stream out in a text area width x height; the view owns it.
  int32_t Layout(const StreamBuilder& builder, int32_t width, int32_t height = 1000) {
    view_->Width = width;
    view_->Height = height;
    return LayoutText(view_, FinishStream(builder), true);
  }

  // The view's table is terminated at LineCount, counts its rows, and no
  // entry's run holds a zero byte.
  void ExpectConsistentTable() {
    ASSERT_NE(view_->Lines, nullptr);
    int32_t rows = 0;
    int32_t k = 0;
    for (; view_->Lines[k].Flags != 0; ++k) {
      const LineEntry& entry = view_->Lines[k];
      rows += (entry.Flags & 0x80) ? 2 : 1;
      for (int32_t b = 0; b < entry.Count; ++b)
        ASSERT_NE(view_->Text[entry.TextOffset + b], 0) << "line " << k;
    }
    EXPECT_EQ(k, view_->LineCount);
    EXPECT_EQ(rows, view_->RowCount);
    EXPECT_LE(view_->LineCount, view_->Capacity);
    if (k > 0) {
      EXPECT_EQ(view_->Lines[k - 1].Flags & 0x80, 0) << "the text ends with an empty row";
    }
  }

  // The entries of the single text record laid out from textOffset.
  void ExpectLines(size_t textOffset, const std::vector<Line>& lines, const std::string& what) {
    ASSERT_EQ(view_->LineCount, lines.size()) << what;
    for (size_t k = 0; k < lines.size(); ++k) {
      const LineEntry& entry = view_->Lines[k];
      EXPECT_EQ(entry.TextOffset, textOffset + lines[k].offset) << what << " line " << k;
      EXPECT_EQ(entry.Count, lines[k].count) << what << " line " << k;
      EXPECT_EQ(entry.Width, lines[k].width) << what << " line " << k;
    }
  }

  DcHandle dc_ = nullptr;
  LessonView* view_ = nullptr;
};

TEST_F(LineLayout, DayStreamInAWideAreaGivesEightLinesAndTwelveRows) {
  StreamBuilder builder = DayStream("abc def", "gh", "ijklm");
  ASSERT_EQ(Layout(builder, 1000), kViewDone);
  ExpectConsistentTable();
  EXPECT_EQ(view_->LineCount, 8);
  EXPECT_EQ(view_->RowCount, 12);
  EXPECT_EQ(view_->MaxTopRow, 0);
  struct Row {
    uint8_t flags;
    int32_t x;
    int32_t width;
    int32_t height;
    int32_t count;
  };
  const Row rows[] = {
      {0x5C, 435, 130, 25, 13},  // first heading, centred
      {0xD1, 465, 70, 20, 7},    // first entry, with its paragraph end
      {0xC7, 350, 300, 20, 0},   // rule: 30 % of 1000, at the entry's row height
      {0x5C, 445, 110, 25, 11},
      {0xD1, 490, 20, 20, 2},
      {0xC7, 350, 300, 20, 0},
      {0x5C, 450, 100, 25, 10},
      {0x51, 475, 50, 20, 5},    // the last entry's paragraph end is cleared
  };
  for (size_t k = 0; k < std::size(rows); ++k) {
    const LineEntry& entry = view_->Lines[k];
    EXPECT_EQ(entry.Flags, rows[k].flags) << k;
    EXPECT_EQ(entry.X, rows[k].x) << k;
    EXPECT_EQ(entry.Width, rows[k].width) << k;
    EXPECT_EQ(entry.Height, rows[k].height) << k;
    EXPECT_EQ(entry.Count, rows[k].count) << k;
    EXPECT_EQ(entry.LabelWidth, 0) << k;
  }
  // One line per reversed record: the run is the record's whole stored text.
  EXPECT_EQ(view_->Lines[0].TextOffset, 2);
  EXPECT_EQ(memcmp(view_->Text + view_->Lines[1].TextOffset, "abc def", 7), 0);
  EXPECT_EQ(memcmp(view_->Text + view_->Lines[7].TextOffset, "ijklm", 5), 0);
}

TEST_F(LineLayout, MaxTopRowForTextAreaHeights) {
  // Headings 25 high, every other row 20: 255 units of rows in all.
  ASSERT_EQ(Layout(DayStream("a", "b", "c"), 1000), kViewDone);
  ASSERT_EQ(view_->RowCount, 12);
  struct Row {
    int32_t height;
    int32_t maxTopRow;
  };
  const Row rows[] = {
      {100, 8},   // second rule, its empty row, third heading and entry fill 85
      {85, 8},    // exactly those
      {80, 9},    // the rule's empty row would overflow: the page starts on it
      {65, 9},
      {45, 10},   // third heading and entry
      {44, 11},
      {20, 11},   // the last line alone
      {19, 12},   // shorter than the last line: the row count
      {1, 12},
      {254, 1},   // all but the first heading
      {255, 0},   // everything
      {30000, 0},
  };
  for (const Row& row : rows) {
    ASSERT_EQ(ResizeView(view_, 1000, row.height), kViewDone);
    EXPECT_EQ(view_->MaxTopRow, row.maxTopRow) << "height " << row.height;
    EXPECT_EQ(ComputeMaxTopRow(view_), row.maxTopRow) << "height " << row.height;
  }
}

TEST_F(LineLayout, BreaksLinesAtSpacesHyphensOrTheFit) {
  struct Row {
    const char* text;
    int32_t width;
    std::vector<Line> lines;
  };
  const Row rows[] = {
      // a space before the fit: the space goes to the next line and is dropped
      {"abc def", 50, {{0, 3, 30}, {4, 3, 30}}},
      // the fit ends at a space: the line keeps what fits
      {"abcde fgh", 50, {{0, 5, 50}, {6, 3, 30}}},
      {"ab cd ef gh", 50, {{0, 5, 50}, {6, 5, 50}}},
      // a hyphen stays at the end of its line
      {"ab-cdef", 50, {{0, 3, 30}, {3, 4, 40}}},
      {"abcd-efg", 50, {{0, 5, 50}, {5, 3, 30}}},
      // a space right before the fit
      {"abcd efg", 50, {{0, 4, 40}, {5, 3, 30}}},
      // a word longer than the line is cut where it stops fitting
      {"abcdefgh", 50, {{0, 5, 50}, {5, 3, 30}}},
      {"abcdefghijkl", 50, {{0, 5, 50}, {5, 5, 50}, {10, 2, 20}}},
      // position 0 is never a break: a line starting with a hyphen is cut at the fit
      {"-abcdefg", 50, {{0, 5, 50}, {5, 3, 30}}},
      // spaces at the start of a line are dropped
      {"   abc", 50, {{3, 3, 30}}},
      // runs of spaces inside a fit stay on the line
      {"abc   def", 50, {{0, 5, 50}, {6, 3, 30}}},
      // not one character fits: one per line, at its own width
      {"abc", 5, {{0, 1, 10}, {1, 1, 10}, {2, 1, 10}}},
      {"a bc", 5, {{0, 1, 10}, {2, 1, 10}, {3, 1, 10}}},
      {"a-b", 15, {{0, 1, 10}, {1, 1, 10}, {2, 1, 10}}},
      // everything fits
      {"ab cd", 1000, {{0, 5, 50}}},
      // nothing but spaces: no line at all
      {"   ", 50, {}},
  };
  for (const Row& row : rows) {
    StreamBuilder builder;
    size_t offset = NextTextOffset(builder);
    AddRecord(&builder, 0x01, 0, row.text);
    dc_->MeasureCalls = 0;
    ASSERT_EQ(Layout(builder, row.width), kViewDone) << row.text;
    ExpectLines(offset, row.lines, row.text);
    ExpectConsistentTable();
    EXPECT_LE(dc_->MeasureCalls, 2 * static_cast<int32_t>(row.lines.size())) << row.text;
  }
}

TEST_F(LineLayout, EveryWidthCoversTheTextInOrder) {
  // Exhaustive over widths: lines take the text in order, skip only spaces,
  // never exceed the width unless one character is forced, and cost at most
  // two measurements each.
  const std::string text = "ab cde-fghij k lmnopqrstu-vw xyz  -q";
  for (int32_t width = 1; width <= 400; ++width) {
    StreamBuilder builder;
    size_t offset = NextTextOffset(builder);
    AddRecord(&builder, 0x81, 0, text);
    AddRecord(&builder, 0x01, 0, "z");
    dc_->MeasureCalls = 0;
    ASSERT_EQ(Layout(builder, width), kViewDone);
    ExpectConsistentTable();
    size_t next = 0;
    int32_t k = 0;
    for (; k + 1 < view_->LineCount; ++k) {
      const LineEntry& entry = view_->Lines[k];
      size_t start = entry.TextOffset - offset;
      ASSERT_GE(start, next) << width;
      for (size_t b = next; b < start; ++b) ASSERT_EQ(text[b], ' ') << width;
      ASSERT_GE(entry.Count, 1) << width;
      if (entry.Count > 1) {
        ASSERT_LE(entry.Width, width) << width;
      }
      ASSERT_EQ(entry.Width, entry.Count * kCharWidth) << width;
      bool last = start + entry.Count >= text.find_last_not_of(' ') + 1;
      ASSERT_EQ((entry.Flags & 0x80) != 0, last) << width << " line " << k;
      next = start + entry.Count;
    }
    EXPECT_EQ(next, text.size()) << width;
    EXPECT_LE(dc_->MeasureCalls, 2 * view_->LineCount) << width;
  }
}

TEST_F(LineLayout, ReversedRecordsBreakFromTheirLastByte) {
  struct Row {
    const char* stored;
    int32_t width;
    std::vector<Line> lines;  // top to bottom: the stored end comes first
  };
  const Row rows[] = {
      {"abc def", 50, {{4, 3, 30}, {0, 3, 30}}},
      {"abc def", 1000, {{0, 7, 70}}},
      {"abcdefgh", 50, {{3, 5, 50}, {0, 3, 30}}},
      {"ab-cdef", 50, {{2, 5, 50}, {0, 2, 20}}},   // copy "fedc-ba": hyphen kept on line 1
      {"abc   ", 50, {{0, 3, 30}}},                // trailing stored spaces lead the copy
  };
  for (const Row& row : rows) {
    StreamBuilder builder;
    size_t offset = NextTextOffset(builder);
    AddRecord(&builder, 0x11, 0, row.stored);
    ASSERT_EQ(Layout(builder, row.width), kViewDone) << row.stored;
    ExpectLines(offset, row.lines, row.stored);
    ExpectConsistentTable();
  }
}

TEST_F(LineLayout, AlignmentAndIndent) {
  struct Row {
    uint8_t flag;
    uint8_t param;
    int32_t areaWidth;
    int32_t x;
    int32_t width;
  };
  // Text area x 7; text "abc" is 30 wide; rules with parameter 50 are 50 long.
  const Row rows[] = {
      {0x01, 5, 100, 12, 30},   // left: x + indent
      {0x61, 5, 100, 12, 30},   // 0x60 is left as well
      {0x21, 5, 100, 72, 30},   // right: x + W - indent - width
      {0x41, 5, 100, 44, 30},   // centred: x + indent + (W - width - indent) / 2
      {0x41, 5, 101, 45, 30},   // the centring division truncates
      {0x01, 63, 50, 7, 30},    // an indent of W or more is ignored
      {0x01, 50, 50, 7, 30},
      {0x21, 49, 100, 28, 30},  // 7 + 100 - 49 - 30
      {0x07, 50, 100, 7, 50},   // rules: left
      {0x27, 50, 100, 57, 50},  // right
      {0x47, 50, 100, 32, 50},  // centred
      {0x67, 50, 100, 7, 50},
      {0x47, 255, 100, 7, 100}, // limited to the area
  };
  view_->X = 7;
  for (const Row& row : rows) {
    StreamBuilder builder;
    AddRecord(&builder, row.flag, row.param, "abc");
    ASSERT_EQ(Layout(builder, row.areaWidth), kViewDone);
    ASSERT_EQ(view_->LineCount, 1);
    EXPECT_EQ(view_->Lines[0].X, row.x) << int(row.flag) << " " << int(row.param);
    EXPECT_EQ(view_->Lines[0].Width, row.width) << int(row.flag) << " " << int(row.param);
  }
}

TEST_F(LineLayout, RulesTakeTheCurrentRowHeightAndWidthZeroDrawsNothing) {
  StreamBuilder builder;
  AddRecord(&builder, 0x87, 40, "ignored text");  // before any text: the starting style's height
  AddRecord(&builder, kHeadingFlag, 0, "ab");
  AddRecord(&builder, 0xC7, 0, "");               // width 0: no line, no row
  AddRecord(&builder, 0xC7, 175, "");
  AddRecord(&builder, 0x01, 0, "cd");
  ASSERT_EQ(Layout(builder, 500), kViewDone);
  ExpectConsistentTable();
  ASSERT_EQ(view_->LineCount, 4);
  EXPECT_EQ(view_->RowCount, 6);
  EXPECT_EQ(view_->Lines[0].Height, kRowHeight);
  EXPECT_EQ(view_->Lines[0].Width, 40);
  EXPECT_EQ(view_->Lines[0].Count, 0);
  EXPECT_EQ(view_->Lines[0].TextOffset, 2);  // the rule's text
  EXPECT_EQ(view_->Lines[2].Height, kHeadingHeight);
  EXPECT_EQ(view_->Lines[2].Width, 150);
  EXPECT_EQ(view_->Lines[2].Flags, 0xC7);
}

TEST_F(LineLayout, LabelsHangInTheirColumn) {
  // Maximum character width 10: label level k makes a column (k + 1) * 5 wide.
  struct Row {
    uint8_t flag;
    uint8_t param;
    const char* text;
    std::vector<Line> lines;
    std::vector<int32_t> x;
    std::vector<int32_t> labelWidth;
  };
  const Row rows[] = {
      // label "1.", body "abc def ghi" in 100 - 4 - 10 = 86; later lines indented by the column
      {0x01, 0x44, "1. abc def ghi", {{0, 7, 70}, {11, 3, 30}}, {14, 14}, {10, 0}},
      // level 3: a column of 20
      {0x01, 0xC4, "1. abc def ghi", {{0, 7, 70}, {11, 3, 30}}, {24, 24}, {20, 0}},
      // right-aligned: the column lies right of the body
      {0x21, 0x44, "1. abc def ghi", {{0, 7, 70}, {11, 3, 30}}, {16, 56}, {10, 0}},
      // reversed: the label is the stored text's last word, the body run before it
      {0x11, 0x44, "def abc 1.", {{0, 7, 70}}, {14}, {10}},
      // a label alone: a line with an empty body
      {0x01, 0x40, "  12.  ", {{2, 0, 0}}, {10}, {10}},
  };
  for (const Row& row : rows) {
    StreamBuilder builder;
    size_t offset = NextTextOffset(builder);
    AddRecord(&builder, row.flag, row.param, row.text);
    ASSERT_EQ(Layout(builder, 100), kViewDone) << row.text;
    ExpectLines(offset, row.lines, row.text);
    for (size_t k = 0; k < row.lines.size(); ++k) {
      EXPECT_EQ(view_->Lines[k].X, row.x[k]) << row.text << " line " << k;
      EXPECT_EQ(view_->Lines[k].LabelWidth, row.labelWidth[k]) << row.text << " line " << k;
    }
  }
}

TEST_F(LineLayout, ContinuationRecordsKeepTheRunningIndent) {
  StreamBuilder builder;
  AddRecord(&builder, 0x01, 0x40, " abc");    // first of the stream: a label, not a continuation
  AddRecord(&builder, 0x01, 0x44, "1. abc");  // label column 10 at indent 4: running indent 14
  AddRecord(&builder, 0x01, 0x44, " def");    // continuation, same indent: 14, no label
  AddRecord(&builder, 0x01, 0x46, " ghi");    // continuation, indent 2 more: 16
  AddRecord(&builder, 0x01, 0x45, "2. jkl");  // a new label: indent 5 + column 10
  AddRecord(&builder, 0x01, 0x00, " mno");    // level 0: never a continuation
  ASSERT_EQ(Layout(builder, 200), kViewDone);
  ExpectConsistentTable();
  struct Row {
    int32_t x;
    int32_t labelWidth;
    int32_t count;
  };
  const Row rows[] = {{10, 10, 0}, {14, 10, 3}, {14, 0, 3}, {16, 0, 3}, {15, 10, 3}, {0, 0, 3}};
  ASSERT_EQ(view_->LineCount, std::size(rows));
  for (size_t k = 0; k < std::size(rows); ++k) {
    EXPECT_EQ(view_->Lines[k].X, rows[k].x) << k;
    EXPECT_EQ(view_->Lines[k].LabelWidth, rows[k].labelWidth) << k;
    EXPECT_EQ(view_->Lines[k].Count, rows[k].count) << k;
  }
}

TEST_F(LineLayout, ContinuationNeverIndentsOutsideTheArea) {
  // With no label column, continuations can drive the running indent below
  // zero; it is then taken as 0, so no line grows wider than the area.
  FakeDcSetStyle(dc_, 0x01, kCharWidth, kRowHeight);
  dc_->Styles[FakeStyleSlot(0x01)].MaxCharWidth = 0;
  StreamBuilder builder;
  AddRecord(&builder, 0x01, 0x40, "1. a");       // indent 0
  AddRecord(&builder, 0x01, 0x7F, " b");         // +63: beyond W 50, taken as 0
  AddRecord(&builder, 0x01, 0x40, " cccccccc");  // -63: below 0, taken as 0
  ASSERT_EQ(Layout(builder, 50), kViewDone);
  ExpectConsistentTable();
  for (int32_t k = 0; k < view_->LineCount; ++k) {
    EXPECT_LE(view_->Lines[k].Width, 50) << k;
    EXPECT_EQ(view_->Lines[k].X, 0) << k;
  }
  EXPECT_EQ(view_->Lines[view_->LineCount - 2].Width, 50);
}

TEST_F(LineLayout, ParagraphEndsAndTrailingSpaces) {
  struct Row {
    std::vector<std::pair<uint8_t, std::string>> records;
    int32_t width;
    int32_t lines;
    int32_t rows;
  };
  const Row rows[] = {
      {{{0x81, "ab"}, {0x01, "cd"}}, 100, 2, 3},
      {{{0x81, "ab"}, {0x81, "cd"}}, 100, 2, 3},       // never an empty row at the end
      {{{0x81, "abcde "}, {0x01, "x"}}, 50, 2, 3},     // trailing space beyond the fit: still the last line
      {{{0x81, "abcde    "}, {0x01, "x"}}, 50, 2, 3},
      {{{0x91, " abcde"}, {0x01, "x"}}, 50, 2, 3},     // reversed: the stored leading space trails the copy
      {{{0x81, "abc def"}, {0x01, "x"}}, 50, 3, 4},    // only the record's last line carries the end
      {{{0x81, "   "}, {0x01, "x"}}, 50, 1, 1},        // a record without lines has no empty row
      {{{0x81, ""}, {0x01, "x"}}, 50, 0, 0},           // an empty first record: rejected
  };
  for (const Row& row : rows) {
    StreamBuilder builder;
    for (const auto& record : row.records) AddRecord(&builder, record.first, 0, record.second);
    int32_t result = Layout(builder, row.width);
    if (row.lines == 0) {
      EXPECT_EQ(result, kViewEmptyStream);
      continue;
    }
    ASSERT_EQ(result, kViewDone);
    ExpectConsistentTable();
    EXPECT_EQ(view_->LineCount, row.lines) << row.records[0].second;
    EXPECT_EQ(view_->RowCount, row.rows) << row.records[0].second;
  }
}

TEST_F(LineLayout, FlagWithoutLowBitsNeverEndsTheTable) {
  // Flag 0x80 would read as the terminator on a line without its paragraph end.
  StreamBuilder builder;
  AddRecord(&builder, 0x80, 0, "abc def");
  AddRecord(&builder, 0x80, 0, "gh");
  ASSERT_EQ(Layout(builder, 50), kViewDone);
  ExpectConsistentTable();
  ASSERT_EQ(view_->LineCount, 3);
  EXPECT_EQ(view_->Lines[0].Flags, 0x01);
  EXPECT_EQ(view_->Lines[1].Flags, 0x81);
  EXPECT_EQ(view_->Lines[2].Flags, 0x01);
  EXPECT_EQ(view_->RowCount, 4);
}

TEST_F(LineLayout, FontsSwitchOnlyWhenTheStyleKeyChanges) {
  void* before = dc_->Selected;
  ASSERT_EQ(Layout(DayStream("a", "b", "c"), 1000), kViewDone);
  // The starting style, then heading and entry styles alternating six times.
  EXPECT_EQ(dc_->SelectCalls, 7);
  EXPECT_EQ(dc_->FontsCreated, 3);  // keys 0x01, 0x1C and 0x11
  EXPECT_EQ(dc_->ColourSets, 0);    // layout never sets the text colour
  EXPECT_EQ(dc_->Selected, before); // the font before layout is selected again
  EXPECT_EQ(dc_->MeasureCalls, 6);  // one per text line: everything fits
  // Laying out again reuses the cached fonts.
  ASSERT_EQ(ResizeView(view_, 900, 500), kViewDone);
  EXPECT_EQ(dc_->FontsCreated, 3);
  EXPECT_EQ(dc_->Selected, before);
}

TEST_F(LineLayout, FailedFontsLeaveTheDeviceAsItWas) {
  dc_->FailFontCreation = true;
  ASSERT_EQ(Layout(DayStream("a", "b", "c"), 1000), kViewDone);
  ExpectConsistentTable();
  EXPECT_EQ(dc_->Selected, nullptr);
  EXPECT_EQ(view_->Lines[0].Height, kRowHeight);  // measured with the device's own font
}

TEST_F(LineLayout, ResultsOfAbsentEmptyAndOversizedStreams) {
  ASSERT_EQ(Layout(DayStream("a", "b", "c"), 1000, 100), kViewDone);
  uint8_t* text = view_->Text;
  const uint16_t lines = view_->LineCount;
  const uint16_t rows = view_->RowCount;
  const uint16_t maxTop = view_->MaxTopRow;

  // Not usable: the view stays as it was; a taken-over stream is released.
  StreamBuilder empty;
  AddRecord(&empty, 0x5C, 0, "");
  AddRecord(&empty, 0xD1, 0, "abc");
  EXPECT_EQ(Layout(empty, 1000, 100), kViewEmptyStream);
  uint8_t* kept = FinishStream(empty);
  EXPECT_EQ(LayoutText(view_, kept, false), kViewEmptyStream);
  free(kept);
  StreamBuilder nothing;
  EXPECT_EQ(Layout(nothing, 1000, 100), kViewEmptyStream);
  // One byte more than the 16-bit offsets can reach.
  StreamBuilder oversized;
  AddRecord(&oversized, 0x01, 0, std::string(kMaxStreamLength - 2, 'a'));
  EXPECT_EQ(Layout(oversized, 1000, 100), kViewEmptyStream);
  EXPECT_EQ(view_->Text, text);
  EXPECT_EQ(view_->LineCount, lines);
  EXPECT_EQ(view_->RowCount, rows);
  EXPECT_EQ(view_->MaxTopRow, maxTop);
  ExpectConsistentTable();

  // The current text laid out again with release: kept, not released.
  EXPECT_EQ(LayoutText(view_, view_->Text, true), kViewDone);
  EXPECT_EQ(view_->Text, text);
  ExpectConsistentTable();

  // Absent, kept: the counts are cleared, the text stays.
  EXPECT_EQ(LayoutText(view_, nullptr, false), kViewNoStream);
  EXPECT_EQ(view_->Text, text);
  EXPECT_EQ(view_->RowCount, 0);
  // Absent, released: no text and an empty table.
  EXPECT_EQ(LayoutText(view_, nullptr, true), kViewNoStream);
  EXPECT_EQ(view_->Text, nullptr);
  EXPECT_EQ(view_->LineCount, 0);
  EXPECT_EQ(view_->Lines[0].Flags, 0);
  EXPECT_EQ(ResizeView(view_, 500, 500), kViewNoStream);

  EXPECT_EQ(LayoutText(nullptr, nullptr, true), kViewNothing);
}

TEST_F(LineLayout, ResizeRejectsSizesThatAreNotPositive) {
  ASSERT_EQ(Layout(DayStream("abc", "def", "ghi"), 1000, 100), kViewDone);
  struct Row {
    int32_t width;
    int32_t height;
  };
  const Row rows[] = {{0, 100}, {100, 0}, {-1, 100}, {100, -1}, {INT32_MIN, INT32_MIN}};
  for (const Row& row : rows) {
    EXPECT_EQ(ResizeView(view_, row.width, row.height), kViewBadSize);
    EXPECT_EQ(view_->Width, 1000);
    EXPECT_EQ(view_->Height, 100);
    EXPECT_EQ(view_->LineCount, 8);
  }
  EXPECT_EQ(ResizeView(nullptr, 10, 10), kViewNothing);
  EXPECT_EQ(ResizeView(view_, 60, 100), kViewDone);
  EXPECT_EQ(view_->Width, 60);
  EXPECT_GT(view_->LineCount, 8);
  ExpectConsistentTable();
}

TEST_F(LineLayout, ComputeMaxTopRowWithoutTableRowsOrLines) {
  EXPECT_EQ(ComputeMaxTopRow(nullptr), kViewNothing);
  EXPECT_EQ(ComputeMaxTopRow(view_), kViewNothing);  // no text laid out yet: no rows
  EXPECT_EQ(view_->MaxTopRow, 0);
  LessonView bare = {};
  bare.RowCount = 5;
  bare.LineCount = 3;
  EXPECT_EQ(ComputeMaxTopRow(&bare), kViewNothing);  // no table
  EXPECT_EQ(bare.MaxTopRow, 0);
}

TEST_F(LineLayout, TableGrowsInStepsAndKeepsItsEntries) {
  StreamBuilder builder;
  size_t offset = NextTextOffset(builder);
  AddRecord(&builder, 0x01, 0, std::string(300, 'a'));
  ASSERT_EQ(Layout(builder, kCharWidth), kViewDone);
  ExpectConsistentTable();
  EXPECT_EQ(view_->LineCount, 300);
  EXPECT_EQ(view_->Capacity, 30 + 3 * 128);
  for (int32_t k = 0; k < 300; ++k) ASSERT_EQ(view_->Lines[k].TextOffset, offset + k);
  // The table is reused and never shrinks.
  ASSERT_EQ(ResizeView(view_, 1000, 1000), kViewDone);
  EXPECT_EQ(view_->LineCount, 3);
  EXPECT_EQ(view_->Capacity, 30 + 3 * 128);
}

TEST_F(LineLayout, ViewWithoutTableGetsOneOf128Lines) {
  // A printing view: zeroed record, borrowed text.
  uint8_t* text = FinishStream(DayStream("a", "b", "c"));
  LessonView printing = {};
  printing.Dc = dc_;
  printing.Width = 1000;
  printing.Height = 1000;
  ASSERT_EQ(LayoutText(&printing, text, false), kViewDone);
  EXPECT_EQ(printing.Capacity, 128);
  EXPECT_EQ(printing.LineCount, 8);
  printing.Text = nullptr;  // borrowed: survives the view
  DestroyLessonView(&printing, false);
  EXPECT_EQ(printing.Lines, nullptr);
  EXPECT_EQ(printing.Fonts, nullptr);
  EXPECT_EQ(text[2], 'n');
  free(text);
  DestroyLessonView(&printing, false);  // a destroyed record may be destroyed again
}

TEST_F(LineLayout, LargestStreamStaysWithinTheSixteenBitFields) {
  // One byte per line: 65532 lines from the longest stream layout accepts.
  StreamBuilder builder;
  AddRecord(&builder, 0x01, 0, std::string(kMaxStreamLength - 3, 'a'));
  ASSERT_EQ(builder.Bytes.size(), kMaxStreamLength);
  ASSERT_EQ(Layout(builder, kCharWidth, 100), kViewDone);
  ExpectConsistentTable();
  EXPECT_EQ(view_->LineCount, kMaxStreamLength - 3);
  EXPECT_EQ(view_->Capacity, kMaxLines);
  EXPECT_EQ(view_->Lines[view_->LineCount - 1].TextOffset, kMaxStreamLength - 2);
  EXPECT_EQ(view_->MaxTopRow, view_->RowCount - 5);

  // Rules with paragraph ends: the most rows per byte.
  StreamBuilder rules;
  while (rules.Bytes.size() + 3 <= kMaxStreamLength) AddRecord(&rules, 0x87, 1, "");
  ASSERT_EQ(Layout(rules, 100, 100), kViewDone);
  ExpectConsistentTable();
  EXPECT_EQ(view_->LineCount, kMaxStreamLength / 3);
  EXPECT_EQ(view_->RowCount, 2 * (kMaxStreamLength / 3) - 1);
}

TEST_F(LineLayout, NarrowAndAbsurdAreasStillAdvance) {
  struct Row {
    int32_t width;
    int32_t x;
  };
  const Row rows[] = {
      {0, 0},            // nothing fits anywhere
      {-500, 0},         // a negative area (margins wider than the page)
      {1, 0},
      {INT32_MAX, 0},    // everything fits; positions saturate
      {100, -70000},     // positions below 0 are held at 0
      {100, 70000},      // and above 16 bits at 65535
  };
  for (const Row& row : rows) {
    view_->X = row.x;
    ASSERT_EQ(Layout(DayStream("abc def", "g", "hi jk"), row.width), kViewDone) << row.width;
    ExpectConsistentTable();
    EXPECT_GE(view_->LineCount, 8);
    EXPECT_LE(view_->LineCount, 8 + 13 + 11 + 10 + 7 + 1 + 5);
  }
}

TEST_F(LineLayout, OutOfMemoryLeavesTheNewTextWithAnEmptyTable) {
  // Long reversed records in a narrow area: reversed copies and two growths.
  const std::string entry(200, 'a');
  StreamBuilder builder = DayStream(entry, entry + " b-c", entry);
  ASSERT_EQ(Layout(builder, 3 * kCharWidth, 200), kViewDone);
  std::vector<LineEntry> reference(view_->Lines, view_->Lines + view_->LineCount + 1);
  const uint16_t rows = view_->RowCount;
  const uint16_t maxTop = view_->MaxTopRow;
  ASSERT_GT(view_->LineCount, 30 + 128);

  bool succeeded = false;
  for (int32_t successes = 0; !succeeded; ++successes) {
    ASSERT_LT(successes, 100);
    DestroyLessonView(view_, true);
    FontSettings font = {};
    view_ = NewLessonView(dc_, &font, 0, 0, 3 * kCharWidth, 200, 30);
    ASSERT_NE(view_, nullptr);
    uint8_t* stream = FinishStream(builder);
    FakeAllocFailAfter(successes);
    int32_t result = LayoutText(view_, stream, true);
    FakeAllocReset();
    EXPECT_EQ(view_->Text, stream) << successes;
    if (result == kViewDone) {
      succeeded = true;
      break;
    }
    ASSERT_EQ(result, kViewOutOfMemory) << successes;
    EXPECT_EQ(view_->LineCount, 0);
    EXPECT_EQ(view_->RowCount, 0);
    EXPECT_EQ(view_->MaxTopRow, 0);
    ASSERT_NE(view_->Lines, nullptr);
    EXPECT_EQ(view_->Lines[0].Flags, 0);
    EXPECT_EQ(dc_->Selected, nullptr);
    // Once memory is back, the next resize lays the same text out in full.
    ASSERT_EQ(ResizeView(view_, 3 * kCharWidth, 200), kViewDone);
    ASSERT_EQ(view_->LineCount + 1u, reference.size());
    EXPECT_EQ(memcmp(view_->Lines, reference.data(), reference.size() * sizeof(LineEntry)), 0);
    EXPECT_EQ(view_->RowCount, rows);
    EXPECT_EQ(view_->MaxTopRow, maxTop);
  }
  EXPECT_TRUE(succeeded);
}

TEST_F(LineLayout, OutOfMemoryWithoutAnyTable) {
  LessonView bare = {};
  bare.Dc = dc_;
  bare.Width = 100;
  bare.Height = 100;
  uint8_t* stream = FinishStream(DayStream("a", "b", "c"));
  FakeAllocFailAfter(0);
  EXPECT_EQ(LayoutText(&bare, stream, true), kViewOutOfMemory);
  FakeAllocReset();
  EXPECT_EQ(bare.Lines, nullptr);
  EXPECT_EQ(bare.Text, stream);
  EXPECT_EQ(bare.LineCount, 0);
  DestroyLessonView(&bare, false);
  EXPECT_EQ(bare.Text, nullptr);
}

TEST_F(LineLayout, GrowLineTableFailureTerminatesAtTheIndex) {
  ASSERT_EQ(Layout(DayStream("a", "b", "c"), 1000), kViewDone);
  FakeAllocFailAfter(0);
  EXPECT_EQ(GrowLineTable(view_, 5), kViewOutOfMemory);
  FakeAllocReset();
  EXPECT_EQ(view_->Lines[5].Flags, 0);
  EXPECT_EQ(view_->Capacity, 30);
  EXPECT_EQ(GrowLineTable(view_, 5), kViewDone);
  EXPECT_EQ(view_->Capacity, 158);
  EXPECT_EQ(view_->Lines[3].Flags, 0x5C);  // kept
  EXPECT_EQ(view_->Lines[158].Flags, 0);   // the new terminator room is clear
  EXPECT_EQ(GrowLineTable(nullptr, 0), kViewNothing);
  view_->Capacity = kMaxLines;  // at the limit it cannot grow
  EXPECT_EQ(GrowLineTable(view_, 0), kViewOutOfMemory);
  view_->Capacity = 158;
}

TEST(LessonViewRecord, NewViewAndItsRelease) {
  DcHandle dc = FakeDcCreate(kCharWidth, kRowHeight);
  FontSettings font = {};
  font.FontSize = 14;
  font.FontAsciiBase = 224;
  LessonView* view = NewLessonView(dc, &font, 3, 4, 500, 600, 0);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Capacity, 128);
  EXPECT_EQ(view->Dc, dc);
  EXPECT_EQ(view->Font.FontSize, 14);
  EXPECT_EQ(view->Font.FontAsciiBase, 224);
  EXPECT_EQ(view->X, 3);
  EXPECT_EQ(view->Height, 600);
  EXPECT_EQ(view->Lines[0].Flags, 0);
  EXPECT_EQ(view->Text, nullptr);
  EXPECT_EQ(LayoutText(view, FinishStream(DayStream("a", "b", "c")), true), kViewDone);
  EXPECT_GT(FakeLiveFonts(dc), 0);
  DestroyLessonView(view, true);
  EXPECT_EQ(FakeLiveFonts(dc), 0);
  EXPECT_EQ(dc->ContractViolations, 0);
  DestroyLessonView(nullptr, true);

  // The record or its table cannot be had: no view, nothing kept.
  for (int32_t successes : {0, 1}) {
    FakeAllocFailAfter(successes);
    EXPECT_EQ(NewLessonView(dc, &font, 0, 0, 10, 10, 30), nullptr);
    FakeAllocReset();
  }
  FakeDcDestroy(dc);
}

}  // namespace
