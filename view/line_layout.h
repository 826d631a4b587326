// Line layout: breaks a LessonText into the view's line table (one entry per
// displayed line or rule) with the view's style fonts, and keeps the row
// counts that scrolling works with. Measures only through view/text_device.h.
//
// Ownership: a LessonView made by NewLessonView is one malloc'd block, released
// by DestroyLessonView(view, true). A view record of the caller's own (the
// printing view: zeroed, on the stack) is released with DestroyLessonView(view,
// false). Either way the view owns its line table and its fonts, and owns its
// text unless the caller clears Text before destroying it (a borrowed text).
#pragma once
#include <cstdint>

#include "common/app_state.h"
#include "common/platform_types.h"
#include "view/lesson_view.h"

// Results of the view operations.
enum : int32_t {
  kViewDone = 0,
  kViewNoStream = 2,        // LayoutText: no stream given
  kViewNothing = -1,        // no view, or nothing to work on
  kViewOutOfMemory = -2,    // 0xFFFE as 16 bits
  kViewEmptyStream = -4,    // 0xFFFC as 16 bits: the stream is not usable
  kViewBadSize = -5,        // ResizeView: width or height not positive
};

constexpr uint16_t kLineTableStep = 128;  // growth of the line table, in entries
constexpr uint16_t kMaxLines = 0xFFFF;    // most usable entries of a line table

// A new zeroed view on dc with font settings copied from font, the text area
// x, y, width, height (device units) and a line table of capacity usable
// entries (kLineTableStep when 0). Null if memory runs out. The caller owns it
// and releases it with DestroyLessonView(view, true).
LessonView* NewLessonView(DcHandle dc, const FontSettings* font, int32_t x, int32_t y,
                          int32_t width, int32_t height, uint16_t capacity);

// Lays stream out into view for its text area width. Returns kViewDone;
// kViewNoStream for a null stream (then with releaseOld the view's text is
// released and its table emptied); kViewEmptyStream for a stream that is not
// usable or longer than kMaxStreamLength (the view is left as it was);
// kViewOutOfMemory (the view then holds stream with an empty table);
// kViewNothing without a view.
// With releaseOld the view takes over stream whatever the result: its previous
// text is released, and a rejected stream is released at once. Without it the
// view borrows stream (or keeps its own, when stream is its current text).
int32_t LayoutText(LessonView* view, uint8_t* stream, bool releaseOld);

// Sets the text area's width and height and lays the current text out again.
// kViewNothing without a view, kViewBadSize (nothing changed) if either is not
// positive, otherwise LayoutText's result.
int32_t ResizeView(LessonView* view, int32_t width, int32_t height);

// Recomputes MaxTopRow, the top row at which the last line ends the page, from
// the table and the text area height, and returns it; kViewNothing (MaxTopRow
// 0) when there is no table, no row or no line.
int32_t ComputeMaxTopRow(LessonView* view);

// Adds kLineTableStep usable entries to the line table (at most kMaxLines),
// keeping the entries so far. Returns kViewDone, or kViewOutOfMemory after
// clearing the entry at index (0..Capacity) so the table stays terminated.
int32_t GrowLineTable(LessonView* view, int32_t index);

// Releases the view's text, line table and style fonts, then the record itself
// if releaseRecord; a kept record is left empty and may be destroyed again.
void DestroyLessonView(LessonView* view, bool releaseRecord);
