// Date arithmetic: the running day count, the proleptic Gregorian calendar and
// the fixed Hebrew calendar. Every operation pivots on AbsoluteDay and is
// defined for every int32 argument: before Gregorian and Hebrew year 1 both
// calendars run on backwards (year 0 precedes year 1), and results beyond the
// int32 range are clamped to it.
#pragma once
#include <cstdint>

#include "common/date_types.h"

// True if Hebrew year has 13 months: (7*year + 1) mod 19 < 7.
bool IsHebrewLeapYear(int32_t year);
// 13 in a leap year, else 12.
int32_t HebrewMonthsInYear(int32_t year);
// Day of 1 Tishrei of year in the calendar's own count (year 1 -> 1).
int32_t HebrewYearElapsedDays(int32_t year);
// Days in Hebrew year: 353-355 or 383-385.
int32_t HebrewYearLength(int32_t year);
// Heshvan has 30 days (a complete year).
bool IsLongHeshvan(int32_t year);
// Kislev has 29 days (a deficient year).
bool IsShortKislev(int32_t year);
// Days in Hebrew month 1..13 of year: 29 or 30 (30 for other month numbers).
int32_t HebrewMonthLength(int32_t month, int32_t year);
// AbsoluteDay of a Hebrew date (month 1..13, day 1..30); other months and days
// count on from the year's months as the calendar orders them.
AbsoluteDay HebrewToAbsolute(int32_t month, int32_t day, int32_t year);
// Hebrew date of an AbsoluteDay; writes *out and returns out.
HebrewDate* AbsoluteToHebrew(AbsoluteDay day, HebrewDate* out);

// Days in Gregorian month 1..12 of year (any year): 28..31; 0 for other month numbers.
int32_t GregorianMonthLength(int32_t month, int32_t year);
// Day of the year, 1..366, of a Gregorian date.
int32_t GregorianDayOfYear(int32_t month, int32_t day, int32_t year);
// AbsoluteDay of a Gregorian date.
AbsoluteDay GregorianToAbsolute(int32_t month, int32_t day, int32_t year);
// Gregorian date of an AbsoluteDay; writes *out and returns out.
GregorianDate* AbsoluteToGregorian(AbsoluteDay day, GregorianDate* out);
// Today's local date from the system clock; writes *out and returns out.
GregorianDate* GetToday(GregorianDate* out);
// Weekday 0..6, 0 = Sunday.
int32_t WeekdayOf(AbsoluteDay day);
