// Drawing of the calendar dialog: the year between its two arrows, the month
// buttons and the month grid, into the device context the dialog holds for its
// life, with the dialog's normal and bold fonts.
#pragma once
#include <cstdint>

#include "calendar_dialog/calendar_model.h"
#include "common/platform_types.h"

// Most characters DrawAsciiText draws: the year text " %d " of a five-digit year.
constexpr int32_t kAsciiTextLimit = 7;

// The whole paint: the month buttons and the year row as the redraw flags ask,
// always the grid, the displayed month's button inverted, the selected day
// highlighted on its own sheet and the arrows (whether one can be used changes
// with the month); then clears the redraw flags. Lines and frames are
// CalendarLineWidth thick.
void PaintCalendar(CalendarState* cal);

// Draws the inside of day's cell (one that IsCalendarDayShown) with its number
// in the bold font and its study mark, highlighted (on) or plain: the one
// drawing of a day, which the grid uses too. Other days draw nothing.
void HighlightDayCell(CalendarState* cal, int32_t day, bool on);

// Draws the button of month (1..12, 13 in a leap year) inverted (on) or plain,
// grey when the month lies past an end of the range (not
// IsCalendarMonthShown); other months draw nothing.
void DrawMonthButton(CalendarState* cal, int32_t month, bool on);

// Draws the grid of the displayed month: outlines, weekday letters, the
// numbers of the days IsCalendarDayShown with their study marks (a check for
// a day learned, a dot for a day behind); clears a sixth week row that the
// previous sheet left.
void DrawMonthGrid(CalendarState* cal);

// Draws the year text centred in its frame and the two arrow boxes, placing
// the arrows the first time; an arrow that cannot be used (not
// CanStepCalendarYear) is grey.
void DrawYearRow(CalendarState* cal);

// Draws count bytes (up to a zero byte, at most kAsciiTextLimit), widened by
// WidenBytes, centred in the box x, y, w, h with the DC's font and colours. Returns
// DrawTextW's result, 0 when nothing was drawn.
int32_t DrawAsciiText(DcHandle dc, const uint8_t* text, int32_t count, int32_t x, int32_t y,
                      int32_t w, int32_t h);

// DrawAsciiText in the given text and background colours; the DC's colours
// are restored afterwards.
int32_t DrawAsciiTextColoured(DcHandle dc, const uint8_t* text, int32_t count, int32_t x,
                              int32_t y, int32_t w, int32_t h, uint32_t textColour,
                              uint32_t backColour);
