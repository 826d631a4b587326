// Scrolling arithmetic: page amounts, the clamped scroll target, paint start.
#include <gtest/gtest.h>

#include <vector>

#include "view/view_scroll.h"

namespace {

LessonView MakeView(uint16_t top, uint16_t maxTop, uint16_t rows) {
  LessonView view = {};
  view.TopRow = top;
  view.MaxTopRow = maxTop;
  view.RowCount = rows;
  return view;
}

TEST(PageAmount, HalfForModesTwoAndFourElseOneLessAtLeastOne) {
  struct Row { uint32_t mode; int32_t painted; int32_t amount; };
  const Row rows[] = {
      {1, 20, 19},  // the default mode: rows painted less one
      {2, 20, 10},  // half
      {4, 21, 10},  // half, truncated
      {0, 20, 19},
      {3, 20, 19},
      {7, 1, 1},    // a window of one row still pages, by one row
      {2, 1, 1},    // half of one row is one row too
      {1, 0, 1},    // no row painted: forward by one, never backward
  };
  for (const Row& r : rows) {
    EXPECT_EQ(PageAmount(r.mode, r.painted), r.amount) << "mode " << r.mode;
  }
}

TEST(ScrollTarget, ClampsAsTheKeysAndScrollBarExpect) {
  struct Row { uint16_t top, maxTop, rows; int64_t delta; bool changes; uint16_t target; };
  const Row cases[] = {
      {0, 10, 25, -19, false, 0},    // Home / Page Up at the top: nothing
      {0, 0, 12, 19, false, 0},      // End with max top row 0: nothing
      {0, 10, 25, 19, true, 19},     // Page Down past the max top row but within the rows stays there
      {19, 10, 25, 19, false, 19},   // and further downward steps do nothing
      {19, 10, 25, -1, true, 18},    // upward still works from there
      {5, 10, 25, 100, true, 10},    // past the row count: the max top row
      {5, 10, 25, 20, true, 25},     // exactly the row count is allowed
      {5, 10, 25, -100, true, 0},    // before the start: row 0
      {10, 10, 25, 0, false, 10},    // no movement
      {3, 10, 25, 4, true, 7},       // a thumb drag to row 7
      {3, 10, 25, INT64_MAX / 2, true, 10},  // absurd deltas stay within the rows
      {3, 10, 25, INT64_MIN / 2, true, 0},
  };
  for (const Row& c : cases) {
    LessonView view = MakeView(c.top, c.maxTop, c.rows);
    uint16_t target = c.top;
    EXPECT_EQ(ScrollTarget(&view, c.delta, &target), c.changes) << c.top << " + " << c.delta;
    EXPECT_EQ(target, c.target) << c.top << " + " << c.delta;
  }
}

TEST(WheelRows, WholeNotchesScrollAndTheRestIsKeptInOneDirection) {
  struct Row { int32_t remainder, distance; int64_t rows; int32_t left; };
  const Row cases[] = {
      {0, 120, -1, 0},      // a notch away from the user scrolls one row up
      {0, -240, 2, 0},      // two notches towards the user, two rows down
      {0, 60, 0, 60},       // a high-resolution step of +60 alone scrolls nothing
      {60, 60, -1, 0},      // the next one completes the notch
      {-90, -30, 1, 0},     // the fourth -30 of a touchpad completes a notch
      {-30, -100, 1, -10},  // the rest beyond a notch is kept
      {60, -30, 0, -30},    // a turn the other way drops the remainder
      {-110, 120, -1, 0},   // and counts from nothing
      {-50, 0, 0, -50},     // a message without distance changes nothing
      {0, -32768, 273, -8}, // the largest distance a message carries
  };
  for (const Row& c : cases) {
    int32_t remainder = c.remainder;
    EXPECT_EQ(WheelRows(&remainder, c.distance), c.rows) << c.remainder << " + " << c.distance;
    EXPECT_EQ(remainder, c.left) << c.remainder << " + " << c.distance;
  }
}

// Lines of the day's stream, one per record: heading 25 high, others 20;
// entries and rules end a paragraph, except the stream's last line.
std::vector<LineEntry> DayLines() {
  const uint8_t kHeading = 0x5C, kEntry = 0xD1, kRule = 0xC7;
  std::vector<LineEntry> lines;
  auto add = [&](uint8_t flags, uint16_t height) {
    LineEntry e = {};
    e.Flags = flags;
    e.Height = height;
    lines.push_back(e);
  };
  add(kHeading, 25); add(kEntry, 20); add(kRule, 20);
  add(kHeading, 25); add(kEntry, 20); add(kRule, 20);
  add(kHeading, 25); add(kEntry & 0x7F, 20);
  lines.push_back(LineEntry{});
  return lines;
}

TEST(FindPaintStart, WalksRowsIncludingParagraphEnds) {
  std::vector<LineEntry> lines = DayLines();
  struct Row { uint16_t top; int index; int32_t offset; };
  const Row cases[] = {
      {0, 0, 0},    // first line
      {1, 1, 0},    // the first entry
      {2, 2, 20},   // the empty row after the first entry: the rule, one row lower
      {3, 2, 0},    // the first rule itself
      {4, 3, 20},   // the empty row after the rule: the next heading one row lower
      {5, 3, 0},    // the second heading
  };
  for (const Row& c : cases) {
    LessonView view = MakeView(c.top, 8, 12);
    view.Lines = lines.data();
    PaintStart start = FindPaintStart(&view);
    ASSERT_NE(start.Entry, nullptr) << c.top;
    EXPECT_EQ(start.Entry - lines.data(), c.index) << c.top;
    EXPECT_EQ(start.Offset, c.offset) << c.top;
  }
}

TEST(FindPaintStart, TopRowPastTheRowsReturnsToTheMaxTopRow) {
  std::vector<LineEntry> lines = DayLines();
  LessonView view = MakeView(40, 8, 12);
  view.Lines = lines.data();
  PaintStart start = FindPaintStart(&view);
  EXPECT_EQ(view.TopRow, 8);
  ASSERT_NE(start.Entry, nullptr);
  EXPECT_EQ(start.Entry - lines.data(), 5);  // rows 0..7 cover the first five lines and their ends
}

TEST(FindPaintStart, PagedOutputStartsAtTheFirstLineOfPage) {
  std::vector<LineEntry> lines = DayLines();
  LessonView view = MakeView(0, 8, 12);
  view.Lines = lines.data();
  view.FirstLineOfPage = &lines[4];
  PaintStart start = FindPaintStart(&view);
  EXPECT_EQ(start.Entry, &lines[4]);
  EXPECT_EQ(start.Offset, 0);
}

TEST(FindPaintStart, NoTableOrNoLinesPaintsNothing) {
  LessonView view = MakeView(0, 0, 0);
  EXPECT_EQ(FindPaintStart(&view).Entry, nullptr);
  LineEntry terminator[1] = {};
  view.Lines = terminator;
  view.TopRow = 1;
  view.RowCount = 1;  // inconsistent table: the walk meets the terminator
  EXPECT_EQ(FindPaintStart(&view).Entry, nullptr);
}

// The same text laid out twice: one line per record, and with the reversed
// first entry broken into two lines (its first line shows the end of its run).
TEST(ReadingPosition, TheTopLineStaysAtTheTopInAnotherLayout) {
  const uint8_t kHeading = 0x5C, kEntry = 0xD1, kRule = 0xC7;
  LineEntry wide[] = {{2, 10, 0, 0, 0, 20, kHeading}, {14, 30, 0, 0, 0, 20, kEntry},
                      {46, 0, 0, 0, 0, 20, kRule},    {49, 10, 0, 0, 0, 20, kHeading}, {}};
  LineEntry narrow[] = {{2, 10, 0, 0, 0, 20, kHeading}, {29, 15, 0, 0, 0, 20, kEntry & 0x7F},
                        {14, 15, 0, 0, 0, 20, kEntry},  {46, 0, 0, 0, 0, 20, kRule},
                        {49, 10, 0, 0, 0, 20, kHeading}, {}};
  struct Row { LineEntry* from; uint16_t top; LineEntry* to; uint16_t kept; };
  const Row cases[] = {
      {wide, 0, narrow, 0},    // the heading
      {wide, 1, narrow, 1},    // the entry: the line where its reading starts
      {wide, 2, narrow, 3},    // the empty row after the entry
      {wide, 3, narrow, 4},    // the rule
      {wide, 5, narrow, 6},    // the second heading
      {narrow, 2, wide, 1},    // the entry's second line lies in its one wide line
      {wide, 40, narrow, 0},   // no line at the top row: the start
  };
  for (const Row& c : cases) {
    LessonView from = MakeView(c.top, 0, 6), to = MakeView(0, 0, 7);
    from.Lines = c.from;
    to.Lines = c.to;
    EXPECT_EQ(RowOfReadingPosition(&to, TopReadingPosition(&from)), c.kept) << c.top;
  }
}

}  // namespace
