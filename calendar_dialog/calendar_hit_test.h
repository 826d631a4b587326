// Mouse handling of the calendar dialog: what a left click at a client point
// hits (month button, year arrow, day cell) and what it changes.
#pragma once
#include <cstdint>

#include "calendar_dialog/calendar_model.h"

// What a point hits, in the order the tests run.
enum : int32_t {
  kCalendarHitNothing = 0,
  kCalendarHitMonth = 1,        // a month button; Value is the month 1..13
  kCalendarHitYearBack = 2,     // the back arrow
  kCalendarHitYearForward = 3,  // the forward arrow
  kCalendarHitDay = 4,          // a day cell; Value is a day IsCalendarDayShown
};

struct CalendarHit {
  int32_t Kind;   // kCalendarHit*
  int32_t Value;  // month or day; 0 otherwise
};

// Tests a client point (x, y as the mouse message delivers them, 0..65535):
// month buttons in month order (edges included, so a shared edge goes to the
// lower month), then the arrows (once placed; the year text and the gaps are no
// hit), then the day cells of the displayed month (the grid's right border and
// empty cells are no hit). Pure: changes nothing.
CalendarHit HitTestCalendar(const CalendarState* cal, int32_t x, int32_t y);

// What the dialog does after a click.
enum : int32_t {
  kCalendarClickIgnored = 0,  // nothing to draw
  kCalendarClickRepaint = 1,  // the sheet changed: paint as the redraw flags say
  kCalendarClickPicked = 2,   // a day was picked: end the dialog with Result
  kCalendarClickRefused = 3,  // a month button or arrow past an end of the range: nothing changed
};

struct CalendarClick {
  int32_t Action;     // kCalendarClick*
  int32_t PlainDay;   // Picked: the former displayed day, to be drawn plain
  int32_t PickedDay;  // Picked: the clicked day, to be drawn highlighted
};

// Hit-tests the point and applies what it hit: shows the month of a button,
// steps the year by an arrow, or picks a day (which sets Result).
CalendarClick ApplyCalendarClick(CalendarState* cal, int32_t x, int32_t y);
