// The range of days the program selects and shows: Gregorian years 1 to 9999.
#pragma once
#include "calendar/hebrew_calendar.h"

constexpr AbsoluteDay kFirstSupportedDay = 1;        // 1 January 1
constexpr AbsoluteDay kLastSupportedDay = 3652059;   // 31 December 9999

// True for a day within the supported range.
constexpr bool IsSupportedDay(int64_t day) {
  return day >= kFirstSupportedDay && day <= kLastSupportedDay;
}
