// English names of the weekdays and of the Gregorian months, as the
// command-line tool writes a day (the window program reads its names, in the
// interface's language, from its string table).
#pragma once
#include <cstdint>

// Name of weekday 0 (Sunday) .. 6 (Saturday), as WeekdayOf counts; "" outside.
const char* WeekdayName(int32_t weekday);

// Name of Gregorian month 1 (January) .. 12 (December); "" outside.
const char* GregorianMonthName(int32_t month);
