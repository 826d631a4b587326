#include "calendar_dialog/calendar_keyboard.h"

#include "calendar/calendar_range.h"

AbsoluteDay SelectedCalendarDay(const CalendarState* cal) {
  return HebrewToAbsolute(cal->Selected.month, cal->Selected.day, cal->Selected.year);
}

int32_t MoveCalendarSelection(CalendarState* cal, uint32_t key, bool control) {
  const AbsoluteDay selected = SelectedCalendarDay(cal);
  const bool onSheet = IsSelectionOnSheet(cal);
  // On its own sheet the selection is where a key starts, also when the sheet
  // carries another day (30 clamped to 29 on the way through a shorter month).
  if (onSheet) SetCalendarDate(cal, selected, 0);
  const int32_t year = cal->Displayed.year;
  const int64_t monthFirst = static_cast<int64_t>(cal->Result) - cal->Displayed.day + 1;
  const int64_t monthLast = monthFirst + cal->MonthLength - 1;
  int64_t target = cal->Result;
  switch (key) {
    case kKeyRight: target += 1; break;
    case kKeyLeft: target -= 1; break;
    case kKeyDown: target += 7; break;
    case kKeyUp: target -= 7; break;
    case kKeyHome: target = monthFirst; break;
    case kKeyEnd: target = monthLast; break;
    case kKeyPageUp:
    case kKeyPageDown: {
      // The month and year steps of the sheet (Alt keys), which carry the day.
      const bool back = key == kKeyPageUp;
      const uint8_t stepped =
          control ? StepCalendarYear(cal, back ? -1 : 1) : CalendarKey(cal, back ? kKeyUp : kKeyDown);
      if (stepped == 0) return kCalendarKeyRefused;
      target = cal->Result;
      break;
    }
    default: return kCalendarKeyIgnored;
  }
  // The first arrow after a sheet change selects a day of the month on the sheet.
  const bool arrow = key == kKeyRight || key == kKeyLeft || key == kKeyDown || key == kKeyUp;
  if (arrow && !onSheet) {
    target = target < monthFirst ? monthFirst : (target > monthLast ? monthLast : target);
  }
  // Within the supported range (and never 0, which would stand for today).
  const AbsoluteDay reached = ClampToSupportedDay(target);
  if (reached != target && reached == selected) return kCalendarKeyRefused;
  SetCalendarDate(cal, reached, 1);
  if (cal->Displayed.year != year) cal->RedrawFlags |= kRedrawYearRow;
  return kCalendarKeyMoved;
}
