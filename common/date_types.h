// The date values every layer passes around: the running day count and the
// Gregorian and Hebrew dates; their arithmetic is the calendar's.
#pragma once
#include <cstdint>

// Day 1 is Monday, 1 January of year 1 (proleptic Gregorian); 0 = none/today.
using AbsoluteDay = int32_t;

// Hebrew months: 1 Nisan .. 12 Adar (Adar I in a leap year), 13 Adar II;
// the year number changes at month 7 (Tishrei).
struct HebrewDate {
  int32_t month;
  int32_t day;
  int32_t year;
};

struct GregorianDate {
  int32_t month;
  int32_t day;
  int32_t year;
};
