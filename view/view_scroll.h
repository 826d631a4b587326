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

// Rows one page moves for a 3-bit page mode: rowsPainted / 2 for mode 2 or 4,
// else rowsPainted - 1; at least 1, so that a window of one row or none pages
// forward and back all the same.
int32_t PageAmount(uint32_t mode, int32_t rowsPainted);

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
