#include "calendar/hebrew_calendar.h"

// Every operation is total over int32 arguments. Intermediate values are 64-bit
// and divisions floor, which for Gregorian year 1 and Hebrew year 1 onwards is
// the same as truncation; before them both calendars run on backwards
// (astronomical year numbering: year 0 precedes year 1). Results that do not
// fit in 32 bits are clamped to INT32_MIN..INT32_MAX.

namespace {

constexpr int64_t kHebrewEpoch = -1373429;  // AbsoluteDay = elapsed days + day of year + this
constexpr int64_t kPartsPerHour = 1080;
constexpr int64_t kPartsPerDay = 24 * kPartsPerHour;
constexpr int64_t kPartsPerMonth = 29 * kPartsPerDay + 12 * kPartsPerHour + 793;  // 765433

// Days in each Gregorian month; row 1 is a leap year, index 0 is unused.
constexpr int32_t GregorianMonthDays[2][13] = {
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// Quotient of a / b rounded toward minus infinity; b > 0.
constexpr int64_t FloorDiv(int64_t a, int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Remainder of a / b in 0..b-1; b > 0.
constexpr int64_t FloorMod(int64_t a, int64_t b) {
  return a - b * FloorDiv(a, b);
}

// v clamped to the range of int32_t.
constexpr int32_t Clamp32(int64_t v) {
  return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
}

// True if Hebrew year y (any value) has 13 months.
constexpr bool IsLeap64(int64_t y) { return FloorMod(7 * y + 1, 19) < 7; }

// Parts from the start of day 0 of the calendar's own count to the molad of
// Tishrei of the year before which monthsBefore months have elapsed: day 1,
// 5 hours and 204 parts, then 765433 parts a month.
constexpr int64_t MoladParts(int64_t monthsBefore) {
  return kPartsPerDay + 5 * kPartsPerHour + 204 + monthsBefore * kPartsPerMonth;
}

// Months elapsed before Tishrei of Hebrew year y: 235 in each 19-year cycle.
constexpr int64_t MonthsBefore(int64_t y) { return FloorDiv(235 * (y - 1) + 1, 19); }

// Day of 1 Tishrei in the calendar's own count, from the molad of Tishrei in
// parts: the molad's day, moved by the four postponement rules.
int64_t PostponedNewYear(int64_t moladParts, bool leap, bool previousLeap) {
  int64_t day = FloorDiv(moladParts, kPartsPerDay);
  const int64_t fraction = moladParts - day * kPartsPerDay;
  int32_t weekday = static_cast<int32_t>(FloorMod(day, 7));
  if (fraction >= 19440 ||                                  // molad at or after noon
      (weekday == 2 && fraction >= 9924 && !leap) ||        // Tuesday, common year
      (weekday == 1 && fraction >= 16789 && previousLeap)) {  // Monday after a leap year
    ++day;
    weekday = (weekday + 1) % 7;
  }
  if (weekday == 0 || weekday == 3 || weekday == 5) ++day;  // never Sunday, Wednesday or Friday
  return day;
}

// Day of 1 Tishrei of Hebrew year y in the calendar's own count (year 1 -> 1).
int64_t ElapsedDays64(int64_t y) {
  return PostponedNewYear(MoladParts(MonthsBefore(y)), IsLeap64(y), IsLeap64(y - 1));
}

// AbsoluteDay of 1 Tishrei of Hebrew year y.
int64_t NewYearDay(int64_t y) { return ElapsedDays64(y) + kHebrewEpoch + 1; }

// Bit r set when the year at place r (0..18) of its 19-year cycle, counted
// from year 1, is a leap year: places 2, 5, 7, 10, 13, 16 and 18.
constexpr uint32_t kLeapPlaces = (1u << 2) | (1u << 5) | (1u << 7) | (1u << 10) | (1u << 13) |
                                 (1u << 16) | (1u << 18);

// True if the year at place r (0..18) of its cycle is a leap year.
constexpr bool IsLeapPlace(int64_t r) { return (kLeapPlaces >> r) & 1u; }

static_assert(IsLeapPlace(2) == IsLeap64(3) && !IsLeapPlace(3) && IsLeapPlace(18) == IsLeap64(19),
              "leap places");

// AbsoluteDays of 1 Tishrei of Hebrew years y and y + 1, sharing the molad.
void NewYearDays(int64_t y, int64_t* start, int64_t* next) {
  const int64_t q = FloorDiv(y - 1, 19);
  const int64_t r = y - 1 - 19 * q;
  const int64_t months = 235 * q + 12 * r + (7 * r + 1) / 19;
  const bool previousLeap = IsLeapPlace(r == 0 ? 18 : r - 1);
  const bool leap = IsLeapPlace(r);
  const bool nextLeap = IsLeapPlace(r == 18 ? 0 : r + 1);
  *start = PostponedNewYear(MoladParts(months), leap, previousLeap) + kHebrewEpoch + 1;
  *next = PostponedNewYear(MoladParts(months + (leap ? 13 : 12)), nextLeap, leap) + kHebrewEpoch + 1;
}

// Index 0..5 of a year of 353, 354, 355, 383, 384 or 385 days.
constexpr int32_t YearKind(int64_t length) {
  return static_cast<int32_t>((length > 355 ? 3 : 0) + length % 10 - 3);
}

// Days from 1 Tishrei to the first of each month of one kind of year, counted
// as the calendar does: month m >= 7 after the months 7..m-1, month m <= 6
// after the whole run 7..last month and then the months 1..m-1. Index m is
// 1..14; index 14 is past month 13 (used for months beyond 13).
struct MonthStarts {
  int32_t offset[15];
};

// Length of month m in a year of the given kind, by the calendar's rules.
constexpr int32_t KindMonthLength(int32_t kind, int32_t m) {
  if (m == 2 || m == 4 || m == 6 || m == 10 || m == 13) return 29;
  if (m == 12 && kind < 3) return 29;
  if (m == 8 && kind % 3 != 2) return 29;
  if (m == 9 && kind % 3 == 0) return 29;
  return 30;
}

// The month starts of a year of the given kind (0..5).
constexpr MonthStarts MakeMonthStarts(int32_t kind) {
  MonthStarts s{};
  const int32_t lastMonth = kind < 3 ? 12 : 13;
  int32_t n = 0;
  for (int32_t m = 7; m <= 14; ++m) {
    s.offset[m] = n;
    n += KindMonthLength(kind, m);
  }
  int32_t toNisan = 0;
  for (int32_t m = 7; m <= lastMonth; ++m) toNisan += KindMonthLength(kind, m);
  for (int32_t m = 1; m <= 6; ++m) {
    s.offset[m] = toNisan;
    toNisan += KindMonthLength(kind, m);
  }
  return s;
}

constexpr MonthStarts kMonthStarts[6] = {
    MakeMonthStarts(0), MakeMonthStarts(1), MakeMonthStarts(2),
    MakeMonthStarts(3), MakeMonthStarts(4), MakeMonthStarts(5),
};

// The months of one kind of year in their order from Tishrei, with the day of
// the year (from 0) on which each begins; entry [count] holds the year length.
struct YearOrder {
  int32_t count;
  int32_t month[13];
  int32_t start[14];
};

// The month order of a year of the given kind (0..5).
constexpr YearOrder MakeYearOrder(int32_t kind) {
  YearOrder o{};
  o.count = kind < 3 ? 12 : 13;
  int32_t n = 0;
  int32_t m = 7;
  for (int32_t i = 0; i < o.count; ++i) {
    o.month[i] = m;
    o.start[i] = n;
    n += KindMonthLength(kind, m);
    m = m % o.count + 1;
  }
  o.start[o.count] = n;
  return o;
}

constexpr YearOrder kYearOrder[6] = {
    MakeYearOrder(0), MakeYearOrder(1), MakeYearOrder(2),
    MakeYearOrder(3), MakeYearOrder(4), MakeYearOrder(5),
};

static_assert(kYearOrder[0].start[12] == 353 && kYearOrder[2].start[12] == 355, "common years");
static_assert(kYearOrder[3].start[13] == 383 && kYearOrder[5].start[13] == 385, "leap years");

// Days from 1 Tishrei to the first of month m (any value) in a year of that kind.
int64_t MonthOffset(int32_t kind, int64_t m) {
  const MonthStarts& s = kMonthStarts[kind];
  if (m < 1) return s.offset[1];
  if (m <= 14) return s.offset[m];
  return s.offset[14] + 30 * (m - 14);  // months past 13 count 30 days each
}

// True for a Gregorian leap year (any value).
constexpr bool IsGregorianLeap(int64_t y) {
  return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

}  // namespace

bool IsHebrewLeapYear(int32_t year) { return IsLeap64(year); }

int32_t HebrewMonthsInYear(int32_t year) { return IsLeap64(year) ? 13 : 12; }

int32_t HebrewYearElapsedDays(int32_t year) { return Clamp32(ElapsedDays64(year)); }

int32_t HebrewYearLength(int32_t year) {
  return static_cast<int32_t>(ElapsedDays64(int64_t{year} + 1) - ElapsedDays64(year));
}

bool IsLongHeshvan(int32_t year) { return HebrewYearLength(year) % 10 == 5; }

bool IsShortKislev(int32_t year) { return HebrewYearLength(year) % 10 == 3; }

int32_t HebrewMonthLength(int32_t month, int32_t year) {
  if (month == 2 || month == 4 || month == 6 || month == 10 || month == 13) return 29;
  if (month == 12 && !IsHebrewLeapYear(year)) return 29;
  if (month == 8 && !IsLongHeshvan(year)) return 29;
  if (month == 9 && IsShortKislev(year)) return 29;
  return 30;
}

AbsoluteDay HebrewToAbsolute(int32_t month, int32_t day, int32_t year) {
  int64_t start;
  int64_t offset;
  if (month == 7 || month == 8) {  // no month of variable length before them
    start = NewYearDay(year);
    offset = month == 7 ? 0 : 30;
  } else {
    int64_t next;
    NewYearDays(year, &start, &next);
    offset = MonthOffset(YearKind(next - start), month);
  }
  return Clamp32(start + offset + day - 1);
}

HebrewDate* AbsoluteToHebrew(AbsoluteDay day, HebrewDate* out) {
  const int64_t a = day;
  // The months whose molad falls on or before the day, and the year in which
  // the last of them is Tishrei or a later month. The new year comes at most
  // two days after its molad, so the day may still belong to the year before.
  const int64_t ownDay = a - kHebrewEpoch - 1;  // the day in the calendar's own count
  const int64_t months = FloorDiv((ownDay + 1) * kPartsPerDay - MoladParts(0) - 1, kPartsPerMonth);
  int64_t y = FloorDiv(19 * months + 17, 235) + 1;
  int64_t start;
  int64_t next;
  NewYearDays(y, &start, &next);
  if (a < start) {
    --y;
    next = start;
    start = NewYearDay(y);
  }
  const YearOrder& order = kYearOrder[YearKind(next - start)];
  const int32_t dayOfYear = static_cast<int32_t>(a - start);  // 0..384
  int32_t i = dayOfYear / 30;  // never past the month that holds the day
  while (dayOfYear >= order.start[i + 1]) ++i;
  out->month = order.month[i];
  out->day = dayOfYear - order.start[i] + 1;
  out->year = static_cast<int32_t>(y);
  return out;
}

int32_t GregorianMonthLength(int32_t month, int32_t year) {
  if (month < 1 || month > 12) return 0;
  return GregorianMonthDays[IsGregorianLeap(year) ? 1 : 0][month];
}

int32_t GregorianDayOfYear(int32_t month, int32_t day, int32_t year) {
  int64_t n = int64_t{day} + 31 * (int64_t{month} - 1);
  if (month > 2) {
    n -= (4 * int64_t{month} + 23) / 10;
    if (IsGregorianLeap(year)) ++n;
  }
  return Clamp32(n);
}

AbsoluteDay GregorianToAbsolute(int32_t month, int32_t day, int32_t year) {
  const int64_t before = int64_t{year} - 1;  // completed years
  return Clamp32(GregorianDayOfYear(month, day, year) + 365 * before + FloorDiv(before, 4) -
                 FloorDiv(before, 100) + FloorDiv(before, 400));
}

GregorianDate* AbsoluteToGregorian(AbsoluteDay day, GregorianDate* out) {
  const int64_t d = int64_t{day} - 1;
  const int64_t k400 = FloorDiv(d, 146097);
  const int32_t b = static_cast<int32_t>(d - 146097 * k400);
  const int32_t k100 = b / 36524;
  const int32_t r = b % 36524;
  const int32_t k4 = r / 1461;
  const int32_t rest = r % 1461;
  const int32_t k1 = rest / 365;
  int32_t dayOfYear = rest % 365 + 1;
  const int32_t completed = static_cast<int32_t>(400 * k400) + 100 * k100 + 4 * k4 + k1;
  if (k100 == 4 || k1 == 4) {  // the last day of a leap year
    out->month = 12;
    out->day = 31;
    out->year = completed;
    return out;
  }
  const int32_t year = completed + 1;
  const int32_t* lengths = GregorianMonthDays[IsGregorianLeap(year) ? 1 : 0];
  int32_t month = 1;
  while (lengths[month] < dayOfYear) {
    dayOfYear -= lengths[month];
    ++month;
  }
  out->month = month;
  out->day = dayOfYear;
  out->year = year;
  return out;
}

int32_t WeekdayOf(AbsoluteDay day) { return static_cast<int32_t>(FloorMod(day, 7)); }
