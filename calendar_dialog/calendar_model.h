// The calendar dialog's state and month model: which Hebrew month the sheet
// shows, the month-button table, and moving between months and years by month
// button, year arrow and Alt key. Portable; the Win32 dialog paints what the
// redraw flags ask for after each step.
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"
#include "common/platform_types.h"
#include "study_log/study_progress.h"

// Bits of CalendarState::RedrawFlags: what a paint draws beyond the grid, the
// displayed month's button and the selected day.
enum : uint8_t {
  kRedrawMonthButtons = 0x1,  // all month buttons plain first
  kRedrawYearRow = 0x4,       // the year with its two arrows
  kRedrawSeam = 0x8,          // clear the seam of the split last button first
  kRedrawInitial = kRedrawMonthButtons | kRedrawYearRow,
};

// Virtual keys that move the sheet while Alt is held (kKeyPageUp..kKeyDown,
// with nothing between them).
enum : uint32_t {
  kKeyPageUp = 0x21,
  kKeyPageDown = 0x22,
  kKeyEnd = 0x23,
  kKeyHome = 0x24,
  kKeyLeft = 0x25,
  kKeyUp = 0x26,
  kKeyRight = 0x27,
  kKeyDown = 0x28,
};

// Month-button table: 13 month entries and the all-zero terminator.
constexpr int32_t kMonthButtonSlots = 14;
// Room for the year text " %d " of every year the sheet can show, and its zero.
constexpr int32_t kCalendarTextBytes = 8;

// One month button, in client pixels; edges belong to the button.
struct MonthButton {
  uint16_t Top;
  uint16_t Left;
  uint16_t Bottom;
  uint16_t Right;
  const uint8_t* Label;  // zero-terminated 7-bit Hebrew; null ends the table
};

// What the sheet marks on its days: each day's state in the study journal
// for the followed tracks.
struct CalendarStudyMarks {
  const StudyRecord* Record;  // the journal as loaded; null: no marks
  TrackSet Tracks;            // the followed tracks
  AbsoluteDay Today;          // the day the states are for
};

// The dialog's one record, reset each time the dialog opens. FontName is for
// the Win32 dialog, which makes its fonts from it (again at a DPI change); the
// core never reads it.
struct CalendarState {
  HebrewDate Displayed;              // month on the sheet; its day is carried between months
  HebrewDate Selected;               // opening date until a key moves it; marked on its sheet
  AbsoluteDay Result;                // AbsoluteDay of Displayed; handed back after a day click
  uint8_t Leap;                      // 1 when the displayed year has 13 months
  uint8_t FirstWeekday;              // weekday of day 1 of the displayed month, 0 = Sunday
  uint8_t WeekRows;                  // week rows of the last painted grid, 5 or 6 (0 before)
  uint8_t MonthLength;               // 29 or 30
  uint8_t Text[kCalendarTextBytes];  // year text or arrow text while it is drawn
  uint8_t RedrawFlags;               // kRedraw* bits
  DcHandle Dc;                       // the dialog's device context, held for its life
  FontHandle NormalFont;             // month labels
  FontHandle BoldFont;               // year row, weekday letters and day numbers
  int32_t ClientLeft, ClientTop, ClientRight, ClientBottom;  // at initialisation
  int32_t GridTop, CellWidth, CellHeight, GridWidth, GridLeft;
  int32_t YearRowTop, TextHeight;
  int32_t BackArrowLeft, ForwardArrowLeft, ArrowWidth;  // ArrowWidth 0: not placed
  int32_t Dpi;  // DPI of the dialog: the sheet's fonts, gaps and lines follow it (0: 96)
  const WideChar* FontName;  // face of both fonts (null or empty: the default); the caller's
  uint8_t Mirrored;  // 1 when the dialog is laid out from the right: x runs from the right edge
  MonthButton Buttons[kMonthButtonSlots];               // entry k - 1 is month k
  MonthButton CommonLast[2];  // months 12 and 13 of a common year (13 empty)
  MonthButton LeapLast[2];    // months 12 and 13 of a leap year (split button)
  CalendarStudyMarks Study;   // the day marks; Record null: none
};

// Clears the state to zeros and installs the month labels, with the
// common-year variant in entries 12 and 13.
void ResetCalendarState(CalendarState* cal);

// True if month (1..13) of year holds at least one day of the supported range
// (kFirstSupportedDay .. kLastSupportedDay): the sheet can show it, the first
// and the last month only in part; false for a month the year does not have.
bool IsCalendarMonthShown(int32_t month, int32_t year);

// True if day of the displayed month has a cell with its number: it lies in
// 1..MonthLength and in the supported range. The cells of other days stay
// empty and are not clickable.
bool IsCalendarDayShown(const CalendarState* cal, int32_t day);

// True if the selected date lies in the displayed month: only then is a day
// of the sheet marked as selected.
bool IsSelectionOnSheet(const CalendarState* cal);

// The month model: day (0 = today; brought into the supported range) becomes
// the displayed date and Result. A change of the leap flag, or select != 0,
// installs the matching variant of entries 12 and 13 (redraw bit 0, and bit 3
// for a leap year); select != 0 also makes the date the selected one.
void SetCalendarDate(CalendarState* cal, AbsoluteDay day, int32_t select);

// After the displayed month or year was stored: brings the carried day into
// the month (day 30 of a 29-day month becomes 29) and, in a partly shown
// month, into the supported range, recomputes the model and adds redraw bit 0;
// a month the sheet cannot show gives way to the month of Result. Returns the
// redraw flags; the caller paints.
uint8_t ShowCalendarMonth(CalendarState* cal);

// Shows month of the displayed year (a month-button hit). Returns the redraw
// flags, or 0 (nothing changed) when month is already displayed or is not
// IsCalendarMonthShown (the year has no such month, or it lies past either end
// of the supported range).
uint8_t ChooseCalendarMonth(CalendarState* cal, int32_t month);

// Shows the same month delta years away (the year arrows, Alt+Page Up/Down):
// month 13 becomes 12 in a common year. Returns the redraw flags (bits 0 and 2
// at least), or 0 (nothing changed) for delta 0 or when that month is not
// IsCalendarMonthShown.
uint8_t StepCalendarYear(CalendarState* cal, int32_t delta);

// True if StepCalendarYear(cal, delta) would show another sheet: the year
// arrow is drawn usable.
bool CanStepCalendarYear(const CalendarState* cal, int32_t delta);

// True for the eight keys that move the sheet while Alt is held.
bool IsCalendarKey(uint32_t key);

// Alt+key navigation (key: virtual key). Returns the redraw flags, or 0
// (nothing changed) when the key is not IsCalendarKey or the month it leads
// to is not IsCalendarMonthShown (the key is refused at an end of the range).
uint8_t CalendarKey(CalendarState* cal, uint32_t key);

// A click on a day of the displayed month: it becomes the displayed day, the
// selected date and Result. Returns Result, or 0 (nothing changed) for a day
// that is not IsCalendarDayShown.
AbsoluteDay PickCalendarDay(CalendarState* cal, int32_t day);

// The study state of day in the sheet's journal; kDayNotBegun without one.
DayStudyState CalendarStudyState(const CalendarState* cal, AbsoluteDay day);

// The AbsoluteDay of day (1..30) of the displayed month.
AbsoluteDay DisplayedMonthDay(const CalendarState* cal, int32_t day);

// Writes the year text " %d " of the displayed year, zero-terminated, into
// Text; returns its length in bytes.
int32_t FormatCalendarYear(CalendarState* cal);
