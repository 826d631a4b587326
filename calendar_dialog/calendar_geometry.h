// Geometry of the calendar dialog in client pixels: the year row, the month
// buttons, the month grid, the arrows around the year, and the cell of each
// day of the displayed month.
#pragma once
#include <cstdint>

#include "calendar_dialog/calendar_model.h"

// A rectangle as GDI takes it: right and bottom exclusive.
struct CalendarRect {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};

// Stores the client rectangle and computes the grid, the year row (textHeight:
// tmHeight of the bold font) and the month buttons of both variants of the
// last months, with gaps and the grid's lines scaled to cal->Dpi; a leap
// year's split button goes into the table. The buttons read from the right on
// the screen also in a mirrored sheet (cal->Mirrored), whose grid and arrows
// the mirroring turns. Coordinates are first brought into -32767..32767 and
// textHeight into 0..32767, and negative sizes of a tiny client area become 0,
// so every later step stays defined.
void LayoutCalendar(CalendarState* cal, const CalendarRect* client, int32_t textHeight);

// Thickness in pixels of the sheet's grid lines and frames at cal->Dpi, as
// of the text's rules: 1 at 96 DPI, 2 at 192.
int32_t CalendarLineWidth(const CalendarState* cal);

// Left edge of a year text textWidth pixels wide, centred in the client width.
int32_t CenterYearText(const CalendarState* cal, int32_t textWidth);

// Places the arrows the first time: the back arrow ends 10 pixels (at 96 DPI,
// scaled to cal->Dpi) before the year text box (yearLeft, yearWidth), the
// forward arrow starts as far after it, both arrowWidth wide. Once placed they
// stay; arrowWidth <= 0 places none.
void PlaceCalendarArrows(CalendarState* cal, int32_t yearLeft, int32_t yearWidth,
                         int32_t arrowWidth);

// Week rows of a month sheet: 6 for a 30-day month from a Saturday (6), else 5.
int32_t CalendarWeekRows(int32_t firstWeekday, int32_t monthLength);

// Stores the week rows of the displayed month; true when the last painted
// sheet had 6 and this one has 5, so the sixth row must be cleared.
bool UpdateCalendarWeekRows(CalendarState* cal);

// Row (1..6; row 0 is the weekday header) and column (0..6, Sunday at the
// left; on the screen at the right in a mirrored sheet) of day of the
// displayed month; false for a day that is not IsCalendarDayShown, whose cell
// stays empty.
bool CalendarDayCell(const CalendarState* cal, int32_t day, int32_t* row, int32_t* column);

// Outline of grid cell (row, column), lines CalendarLineWidth thick:
// neighbouring cells share their outline, so the right and bottom lines are
// the next cell's left and top.
CalendarRect CalendarCellRect(const CalendarState* cal, int32_t row, int32_t column);
