// English names of the weekdays and of the Gregorian months, as the program
// says a day in words (the command-line tool, the text for screen readers).
#pragma once
#include <cstdint>

// Name of weekday 0 (Sunday) .. 6 (Saturday), as WeekdayOf counts; "" outside.
const char* WeekdayName(int32_t weekday);

// Name of Gregorian month 1 (January) .. 12 (December); "" outside.
const char* GregorianMonthName(int32_t month);
