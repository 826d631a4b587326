// Moving the calendar's selected day with the keyboard (keys without Alt):
// the arrows a day or a week as the sheet is laid out (Sunday at the left), Page
// Up and Page Down a month, with Ctrl a year, Home and End the first and the
// last day of the month. Portable; the dialog paints and announces the move.
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"
#include "calendar_dialog/calendar_model.h"

// The AbsoluteDay of the selected date.
AbsoluteDay SelectedCalendarDay(const CalendarState* cal);

// Moves from the displayed date for key (virtual key; control: Ctrl held):
// Right +1 day, Left -1, Down +7, Up -7; Page Down / Page Up the same day of
// the next / previous month (a year with control), day 30 becoming 29 where
// the month is shorter; Home / End day 1 / the last day of the displayed
// month. The day reached, kept within the supported range, becomes the
// displayed and the selected date. Returns the redraw flags (never 0 for these
// keys), or 0 for any other key (nothing changed).
uint8_t MoveCalendarSelection(CalendarState* cal, uint32_t key, bool control);
