// The range of days the program selects and shows: Gregorian years 1 to 9999.
#pragma once
#include "calendar/hebrew_calendar.h"

constexpr AbsoluteDay kFirstSupportedDay = 1;        // 1 January 1
constexpr AbsoluteDay kLastSupportedDay = 3652059;   // 31 December 9999

// The Gregorian and Hebrew years that hold the first and last supported day.
constexpr int32_t kFirstSupportedYear = 1;
constexpr int32_t kLastSupportedYear = 9999;
constexpr int32_t kFirstSupportedHebrewYear = 3761;   // 18 Tevet 3761
constexpr int32_t kLastSupportedHebrewYear = 13760;   // 28 Heshvan 13760

// True for a day within the supported range.
constexpr bool IsSupportedDay(int64_t day) {
  return day >= kFirstSupportedDay && day <= kLastSupportedDay;
}

// day brought into the supported range: the nearest supported day.
constexpr AbsoluteDay ClampToSupportedDay(int64_t day) {
  return static_cast<AbsoluteDay>(day < kFirstSupportedDay  ? kFirstSupportedDay
                                  : day > kLastSupportedDay ? kLastSupportedDay
                                                            : day);
}
