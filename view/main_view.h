// The main window's LessonView: its creation with the day's text, the
// geometry on every resize, scrolling, paging on a click, new font settings
// and the loading of another day.
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"
#include "shell/app_state.h"
#include "shell/platform_types.h"
#include "view/lesson_view.h"
#include "view/view_scroll.h"

// Creates App.View on a device context of main kept for the window's life,
// with the date band, and lays out the text of App.Lesson. 0; 1 if the view
// record cannot be allocated; the message box's result if the text is missing.
int32_t CreateLessonView(WindowHandle main);

// Geometry of the text area and the date band for a client area of
// clientWidth x clientHeight (gutters at App.Dpi); re-lays out the view when
// its size changes, and always after a change of DPI (newDpi), which also
// moves the text area for the new gutter and toolbar.
void ResizeMainView(int32_t clientWidth, int32_t clientHeight, bool newDpi);

// Follows a change of App.Dpi (the toolbar already made for it): the date
// band's font and height, the view's fonts, gutters and layout for the
// window's client area, with reading (taken before the change) at the top.
void RescaleMainView(WindowHandle window, ReadingPosition reading);

// Height of the toolbar window, 0 without a toolbar.
int32_t ToolbarHeight();

// Moves the top row by delta rows, clamped. repaintMode 1 repaints when the top
// row changed, another non-zero mode always, 0 never. Returns PaintText's
// result when it repainted, else 3 if the top row changed and 1 if not.
int32_t ScrollBy(LessonView* view, int64_t delta, int32_t repaintMode, int32_t clamp);

// Sets the vertical scroll bar of window from the view (only with a scroll bar).
void UpdateScrollBar(WindowHandle window);

// Applies new font settings: re-creates the style fonts, re-lays out and
// repaints. -1 without a view; 1 if layout failed; else PaintText's result.
int32_t SetViewFont(LessonView* view, const FontSettings* settings);

// Pages the view for a left click at x, y in the text area (or its gutter);
// returns 1 if the click paged, 0 if it was not for the text area.
int32_t ClickScroll(WindowHandle window, LessonView* view, int32_t x, int32_t y);

// Shows day (0 = today): selects it, builds and lays out its text and repaints
// from the top; on failure selects the previous day again and warns.
void ShowSelectedDay(WindowHandle window, AbsoluteDay day);
