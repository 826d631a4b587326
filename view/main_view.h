// The main window's LessonView: its creation with the day's text, the
// geometry on every resize, scrolling with the scroll bar in step, paging on
// a click, new font settings and the loading of another day.
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"
#include "common/app_state.h"
#include "common/platform_types.h"
#include "view/lesson_view.h"
#include "view/view_scroll.h"

// Creates App.View on a device context of main kept for the window's life,
// with the date band, and lays out the text of App.Lesson. 0; 1 if the view
// record cannot be allocated; the message box's result if the text is missing.
int32_t CreateLessonView(WindowHandle main);

// Geometry of the text area and the date band for a client area of
// clientWidth x clientHeight (gutters at App.Dpi): the band and the toolbar
// follow every size but a minimised window's; the view is laid out again when
// its size changes to one with room (width and height positive), keeping its
// top row unless that passes the row count, and always after a change of DPI
// (newDpi), which also moves the text area for the new gutter and toolbar.
void ResizeMainView(int32_t clientWidth, int32_t clientHeight, bool newDpi);

// Follows a change of App.Dpi (the toolbar already made for it): the date
// band's font and height, the view's fonts, gutters and layout for the
// window's client area, with reading (taken before the change) at the top.
void RescaleMainView(WindowHandle window, ReadingPosition reading);

// Moves the top row by delta rows, clamped as ScrollTarget says. repaintMode
// 1 repaints when the top row changed, another non-zero mode always, 0 never.
// Returns PaintText's result when it repainted, else 3 if the top row changed
// and 1 if not.
int32_t ScrollBy(LessonView* view, int64_t delta, int32_t repaintMode);

// Rows one page moves for the 3-bit page mode of App.Flags at shift
// (kFlagKeyPageShift or kFlagClickPageShift) and the view's rows painted.
int32_t FlagsPageAmount(uint32_t shift, const LessonView* view);

// Sets the vertical scroll bar of window from App.View: range 0..max top row,
// position the top row (only with a scroll bar and a view).
void UpdateScrollBar(WindowHandle window);

// PaintMainWindow (flags as it takes them) through a GetDC context of window
// (null: the main window), then UpdateScrollBar.
void RepaintMainWindow(WindowHandle window, uint32_t flags);

// Applies new font settings: re-creates the style fonts, re-lays out and
// repaints, then updates the main window's scroll bar. -1 without a view; 1
// if layout failed; else PaintText's result.
int32_t SetViewFont(LessonView* view, const FontSettings* settings);

// Pages the view for a left click at x, y in the text area (or its gutter)
// by the click's page amount, back in the upper (or left) half and forward in
// the other, and updates window's scroll bar; returns 1 if it took the click,
// 0 if the click was not for the text area or click paging is off.
int32_t ClickScroll(WindowHandle window, LessonView* view, int32_t x, int32_t y);

// Shows day (0 = today): selects it, builds and lays out its text, repaints
// from the top and calls the day-shown hook; on failure selects the previous
// day again and warns. Nothing without a view.
void ShowSelectedDay(WindowHandle window, AbsoluteDay day);

// Called with the main window each time ShowSelectedDay has shown another day;
// the frame sets it (to tell screen readers). Null, the start value: none.
using DayShownHook = void (*)(WindowHandle window);
void SetDayShownHook(DayShownHook hook);
