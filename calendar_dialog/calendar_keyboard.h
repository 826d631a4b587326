// Moving the calendar's selected day with the keyboard (keys without Alt):
// the arrows a day or a week as the sheet is laid out (Sunday at the left), Page
// Up and Page Down a month, with Ctrl a year, Home and End the first and the
// last day of the month. Portable; the dialog paints and announces the move.
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"
#include "calendar_dialog/calendar_model.h"

// What a key did to the selection.
enum : int32_t {
  kCalendarKeyIgnored = 0,  // not a key that moves the selection
  kCalendarKeyMoved = 1,    // a day was selected; paint as the redraw flags say
  kCalendarKeyRefused = 2,  // an end of the range: nothing changed
};

// The AbsoluteDay of the selected date.
AbsoluteDay SelectedCalendarDay(const CalendarState* cal);

// Moves the selection for key (virtual key; control: Ctrl held): Right +1
// day, Left -1, Down +7, Up -7; Page Down / Page Up the same day of the next /
// previous month (a year with control), day 30 becoming 29 where the month is
// shorter; Home / End day 1 / the last day of the displayed month. A key
// starts from the selected day while IsSelectionOnSheet; after a sheet change
// (Alt key, month button, year arrow) it starts from the day the sheet
// carries, and an arrow then stops at the first or last day of that month. The
// day reached, kept within the supported range, becomes the displayed and the
// selected date. Returns kCalendarKey*: Refused when the range left nothing to
// move to (Left on its first day, a month or year step past its end).
int32_t MoveCalendarSelection(CalendarState* cal, uint32_t key, bool control);
