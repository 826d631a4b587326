#include <windows.h>

#include "calendar/hebrew_calendar.h"

GregorianDate* GetToday(GregorianDate* out) {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  out->month = now.wMonth;
  out->day = now.wDay;
  out->year = now.wYear;
  return out;
}
