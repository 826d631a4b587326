#include "calendar_dialog/calendar_model.h"

#include <cstdio>

#include "calendar/calendar_range.h"

namespace {

// Labels of months 1..11; 12 and 13 come from the two variants.
const char* const kMonthLabels[11] = {
    "prjq", "yjja", "pfjr", "gfo{", "ba nhqo", "mfma", "jyz{", "pfzh", "fmrl", "{bi", "ibz",
};

const uint8_t* LabelBytes(const char* text) { return reinterpret_cast<const uint8_t*>(text); }

// Copies the variant of months 12 and 13 that matches the leap flag into the table.
void InstallLastMonths(CalendarState* cal) {
  const MonthButton* variant = cal->Leap ? cal->LeapLast : cal->CommonLast;
  cal->Buttons[11] = variant[0];
  cal->Buttons[12] = variant[1];
}

// Stores month of year as the displayed month and shows it; a year change turns
// a month beyond the new year's last into 12 and adds redraw bits 0 and 2.
// Returns the redraw flags, or 0 (nothing changed) outside the sheet's range.
uint8_t ShowMonthOfYear(CalendarState* cal, int32_t month, int64_t year) {
  if (year < kFirstSupportedHebrewYear || year > kLastSupportedHebrewYear) return 0;
  const int32_t newYear = static_cast<int32_t>(year);
  uint8_t yearFlags = 0;
  if (newYear != cal->Displayed.year) {
    if (month > HebrewMonthsInYear(newYear)) month = 12;
    yearFlags = kRedrawMonthButtons | kRedrawYearRow;
  }
  if (!IsCalendarMonthShown(month, newYear)) return 0;
  cal->Displayed.month = month;
  cal->Displayed.year = newYear;
  cal->RedrawFlags |= yearFlags;
  return ShowCalendarMonth(cal);
}

}  // namespace

void ResetCalendarState(CalendarState* cal) {
  *cal = CalendarState{};
  for (int32_t k = 0; k < 11; ++k) cal->Buttons[k].Label = LabelBytes(kMonthLabels[k]);
  cal->CommonLast[0].Label = LabelBytes("yda");
  cal->LeapLast[0].Label = LabelBytes("'a yda");
  cal->LeapLast[1].Label = LabelBytes("'b");
  InstallLastMonths(cal);
}

bool IsCalendarMonthShown(int32_t month, int32_t year) {
  if (year < kFirstSupportedHebrewYear || year > kLastSupportedHebrewYear) return false;
  if (month < 1 || month > HebrewMonthsInYear(year)) return false;
  const AbsoluteDay first = HebrewToAbsolute(month, 1, year);
  const AbsoluteDay last = first + HebrewMonthLength(month, year) - 1;
  return last >= kFirstSupportedDay && first <= kLastSupportedDay;
}

bool IsCalendarDayShown(const CalendarState* cal, int32_t day) {
  if (day < 1 || day > cal->MonthLength) return false;
  return IsSupportedDay(static_cast<int64_t>(cal->Result) - cal->Displayed.day + day);
}

bool IsSelectionOnSheet(const CalendarState* cal) {
  return cal->Selected.year == cal->Displayed.year && cal->Selected.month == cal->Displayed.month;
}

void SetCalendarDate(CalendarState* cal, AbsoluteDay day, int32_t select) {
  int32_t previousLeap = cal->Leap;
  if (day == 0) {
    previousLeap = -1;  // no previous sheet: the variant is installed anew
    GregorianDate today;
    GetToday(&today);
    day = GregorianToAbsolute(today.month, today.day, today.year);
  }
  day = ClampToSupportedDay(day);

  cal->Result = day;
  AbsoluteToHebrew(day, &cal->Displayed);
  cal->FirstWeekday = static_cast<uint8_t>(WeekdayOf(day - cal->Displayed.day + 1));
  cal->Leap = IsHebrewLeapYear(cal->Displayed.year) ? 1 : 0;
  if (cal->Leap != previousLeap || select != 0) {
    InstallLastMonths(cal);
    cal->RedrawFlags |= kRedrawMonthButtons;
    if (select != 0) cal->Selected = cal->Displayed;
    if (cal->Leap) cal->RedrawFlags |= kRedrawSeam;
  }
  cal->MonthLength =
      static_cast<uint8_t>(HebrewMonthLength(cal->Displayed.month, cal->Displayed.year));
}

uint8_t ShowCalendarMonth(CalendarState* cal) {
  HebrewDate* shown = &cal->Displayed;
  AbsoluteDay day = cal->Result;  // a month the sheet cannot show: stay on Result's
  if (IsCalendarMonthShown(shown->month, shown->year)) {
    const int32_t length = HebrewMonthLength(shown->month, shown->year);
    if (shown->day > length) shown->day = length;  // day 30 of a 29-day month
    if (shown->day < 1) shown->day = 1;
    // In the first or last month, a carried day outside the range gives way
    // to the nearest day inside it.
    day = ClampToSupportedDay(HebrewToAbsolute(shown->month, shown->day, shown->year));
  }
  SetCalendarDate(cal, day, 0);
  cal->RedrawFlags |= kRedrawMonthButtons;
  return cal->RedrawFlags;
}

uint8_t ChooseCalendarMonth(CalendarState* cal, int32_t month) {
  if (month == cal->Displayed.month) return 0;
  return ShowMonthOfYear(cal, month, cal->Displayed.year);
}

uint8_t StepCalendarYear(CalendarState* cal, int32_t delta) {
  if (delta == 0) return 0;
  return ShowMonthOfYear(cal, cal->Displayed.month,
                         static_cast<int64_t>(cal->Displayed.year) + delta);
}

bool CanStepCalendarYear(const CalendarState* cal, int32_t delta) {
  CalendarState trial = *cal;
  return StepCalendarYear(&trial, delta) != 0;
}

bool IsCalendarKey(uint32_t key) { return key >= kKeyPageUp && key <= kKeyDown; }

uint8_t CalendarKey(CalendarState* cal, uint32_t key) {
  int32_t month = cal->Displayed.month;
  int32_t year = cal->Displayed.year;
  const int32_t last = HebrewMonthsInYear(year);
  switch (key) {
    case kKeyPageUp:
      return StepCalendarYear(cal, -1);
    case kKeyPageDown:
      return StepCalendarYear(cal, 1);
    case kKeyEnd:
      month = last;
      break;
    case kKeyHome:
      month = 1;
      break;
    case kKeyLeft:
    case kKeyDown:  // the next month; the year turns at month 7
      if (month >= last) {
        month = 1;
      } else if (++month == 7) {
        ++year;
      }
      break;
    case kKeyUp:
    case kKeyRight:  // the previous month; the year turns back at month 6
      if (month <= 1) {
        month = last;
      } else if (--month == 6) {
        --year;
      }
      break;
    default:
      return 0;
  }
  return ShowMonthOfYear(cal, month, year);
}

AbsoluteDay PickCalendarDay(CalendarState* cal, int32_t day) {
  if (!IsCalendarDayShown(cal, day)) return 0;
  cal->Result += day - cal->Displayed.day;
  cal->Displayed.day = day;
  cal->Selected = cal->Displayed;
  return cal->Result;
}

int32_t FormatCalendarYear(CalendarState* cal) {
  const int written = std::snprintf(reinterpret_cast<char*>(cal->Text), sizeof cal->Text, " %d ",
                                    static_cast<int>(cal->Displayed.year));
  if (written < 0) {
    cal->Text[0] = 0;
    return 0;
  }
  return written < kCalendarTextBytes ? written : kCalendarTextBytes - 1;
}

DayStudyState CalendarStudyState(const CalendarState* cal, AbsoluteDay day) {
  if (cal->Study.Record == nullptr) return kDayNotBegun;
  return DayStateOf(cal->Study.Record, cal->Study.Tracks, day, cal->Study.Today);
}

AbsoluteDay DisplayedMonthDay(const CalendarState* cal, int32_t day) {
  return cal->Result - cal->Displayed.day + day;
}
