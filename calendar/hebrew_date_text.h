// The Hebrew date text: year, month name and day in Hebrew numerals, as 7-bit
// letter bytes in display order (lowest place first).
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"

// Longest text written, without the terminating zero: 18 bytes, reached by a
// year of 11,000 to 13,999 with a five-letter rest, Adar I and a two-letter
// day; below 10,000 a text has at most 17.
constexpr int32_t kMaxHebrewDateText = 18;

// How the numbers of a date text are written.
enum class DateNumerals {
  Plain,   // letters alone, as the date band shows them
  Marked,  // the day and the year's places with their numeral marks
           // (MarkedNumeralLetters), the form a reader is given
};

// Longest marked text: the plain one and the marks of the day and the year.
constexpr int32_t kMaxMarkedHebrewDateText = kMaxHebrewDateText + 2;

// Writes the zero-terminated date text into buffer (room for
// kMaxHebrewDateText + 1 bytes, kMaxMarkedHebrewDateText + 1 when marked): the
// year's last three places (a whole thousand as the previous thousand and
// 1000), the thousands mark and the count of thousands (13 for the year
// 13,760), the month name and the day, each number in Hebrew numerals written
// as numerals says. Returns its length, or 0 (buffer untouched) for a month
// outside the year's 1..12/13, a day outside 1..30, a year below 1, or a
// plain text longer than kMaxHebrewDateText (years far beyond the supported
// ones; their marked text is refused alike).
int32_t FormatHebrewDate(const HebrewDate* date, uint8_t* buffer,
                         DateNumerals numerals = DateNumerals::Plain);
