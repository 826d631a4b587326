// Scrolling arithmetic of a LessonView: page sizes, the clamped scroll target
// and where painting of the top row starts. Portable; the Win32 painter and
// the scroll handlers call these.
#pragma once
#include <cstdint>

#include "view/lesson_view.h"

// A page mode is 3 bits; the scroll bar's page area moves by mode 1, the
// rows painted less one.
constexpr uint32_t kPageModeMask = 7;
constexpr uint32_t kPageModeWhole = 1;

// Rows of a line: 2 when an empty row follows it (it ends a paragraph), else 1.
int32_t LineRows(const LineEntry& entry);

// Rows one page moves for a 3-bit page mode: rowsPainted / 2 for mode 2 or 4,
// else rowsPainted - 1; at least 1, so that a window of one row or none pages
// forward and back all the same.
int32_t PageAmount(uint32_t mode, int32_t rowsPainted);

// One notch of a mouse wheel, in the wheel's distance units.
constexpr int32_t kWheelNotch = 120;

// Rows that a wheel message of distance (positive: turned away from the user)
// scrolls: one row up per whole notch gathered from it and *remainder, the
// distance left over from earlier messages (below one notch, as small steps of
// a touchpad leave it), which then keeps the rest. A remainder of the other
// direction is dropped first. Positive rows scroll down.
int64_t WheelRows(int32_t* remainder, int32_t distance);

// Top row that a scroll by delta rows reaches, clamped: never below 0, no
// further downward movement once at or past the max top row, and a step past
// the row count lands on the max top row. Returns true if it differs from the
// view's top row.
bool ScrollTarget(const LessonView* view, int64_t delta, uint16_t* newTopRow);

// Brings a top row beyond the row count back to the max top row (after a
// layout that made the text shorter). A top row between the max top row and
// the row count stays, as End and Page Down leave it.
void KeepTopRowInText(LessonView* view);

// Where painting starts for the view's top row (or its first line of page).
struct PaintStart {
  const LineEntry* Entry;  // first entry to paint, or null when nothing is painted
  int32_t Offset;          // rows of this height start lower: the empty row after a paragraph
};

// Finds the paint start, after KeepTopRowInText (the only change made to the
// view).
PaintStart FindPaintStart(LessonView* view);

// Where the reader is, kept across a layout of the same text in other fonts or
// another width: the stored byte where reading of the line at the top row
// starts (its first; the last of its run in a reversed record), or, when the
// top row is the empty row after a paragraph, where reading of the line
// before it ends.
struct ReadingPosition {
  int32_t TextOffset;  // stream offset of that byte; -1 when no line is at the top row
  bool AfterLine;      // the top row is the empty row after that line
};
ReadingPosition TopReadingPosition(const LessonView* view);

// The top row that shows position in the view's current layout: the row of
// the line whose stored bytes hold the position's byte (the empty row after
// it, if that was the top and the line still ends a paragraph); 0 when no
// line holds it.
uint16_t RowOfReadingPosition(const LessonView* view, ReadingPosition position);
