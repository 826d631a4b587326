#include <time.h>

#include "calendar/hebrew_calendar.h"

GregorianDate* GetToday(GregorianDate* out) {
  const time_t now = time(nullptr);
  struct tm local = {};
  if (now == static_cast<time_t>(-1) || localtime_r(&now, &local) == nullptr) {
    // No clock: 1 January of year 1, the first day the program knows.
    out->month = 1;
    out->day = 1;
    out->year = 1;
    return out;
  }
  out->month = local.tm_mon + 1;
  out->day = local.tm_mday;
  out->year = local.tm_year + 1900;
  return out;
}
