#include "calendar/day_names.h"

namespace {

const char* const kWeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[12] = {"January", "February", "March",     "April",
                                     "May",     "June",     "July",      "August",
                                     "September", "October", "November", "December"};

}  // namespace

const char* WeekdayName(int32_t weekday) {
  return weekday >= 0 && weekday < 7 ? kWeekdayNames[weekday] : "";
}

const char* GregorianMonthName(int32_t month) {
  return month >= 1 && month <= 12 ? kMonthNames[month - 1] : "";
}
