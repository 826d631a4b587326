// The Hebrew date text: year, month name and day in Hebrew numerals, as 7-bit
// letter bytes in display order (lowest place first).
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"

// Longest text the tables produce, without the terminating zero.
constexpr int32_t kMaxHebrewDateText = 17;

// Writes the zero-terminated date text into buffer (room for 18 bytes); returns
// its length, or 0 (buffer untouched) for a month outside the year's 1..12/13.
int32_t FormatHebrewDate(const HebrewDate* date, uint8_t* buffer);
