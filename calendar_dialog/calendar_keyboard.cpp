#include "calendar_dialog/calendar_keyboard.h"

#include "calendar/calendar_range.h"

AbsoluteDay SelectedCalendarDay(const CalendarState* cal) {
  return HebrewToAbsolute(cal->Selected.month, cal->Selected.day, cal->Selected.year);
}

uint8_t MoveCalendarSelection(CalendarState* cal, uint32_t key, bool control) {
  const int32_t year = cal->Displayed.year;
  int64_t target = cal->Result;
  switch (key) {
    case kKeyRight: target += 1; break;
    case kKeyLeft: target -= 1; break;
    case kKeyDown: target += 7; break;
    case kKeyUp: target -= 7; break;
    case kKeyHome: target -= cal->Displayed.day - 1; break;
    case kKeyEnd: target += cal->MonthLength - cal->Displayed.day; break;
    case kKeyPageUp:
    case kKeyPageDown: {
      // The month and year steps of the sheet (Alt keys), which carry the day;
      // at the end of the range they leave the displayed date as it was.
      const bool back = key == kKeyPageUp;
      if (control) {
        StepCalendarYear(cal, back ? -1 : 1);
      } else {
        CalendarKey(cal, back ? kKeyUp : kKeyDown);
      }
      target = cal->Result;
      break;
    }
    default: return 0;
  }
  // Within the supported range (and never 0, which would stand for today).
  SetCalendarDate(cal, ClampToSupportedDay(target), 1);
  if (cal->Displayed.year != year) cal->RedrawFlags |= kRedrawYearRow;
  return cal->RedrawFlags;
}
