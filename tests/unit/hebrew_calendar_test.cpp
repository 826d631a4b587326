// The calendar engine: Gregorian and Hebrew conversions through the day count.
#include "calendar/hebrew_calendar.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "calendar/calendar_range.h"

namespace {

// A straightforward transcription of the calendar's procedures for years from
// 1 on (32-bit arithmetic, divisions truncating), kept as the reference that
// the engine must match day for day.
namespace literal {

bool IsLeap(int32_t y) { return (7 * y + 1) % 19 < 7; }

int32_t ElapsedDays(int32_t y) {
  int32_t r = (y - 1) % 19;
  int32_t q = (y - 1) / 19;
  int32_t m = 235 * q + 12 * r + (7 * r + 1) / 19;
  int32_t p = 204 + 793 * (m % 1080);
  int32_t h = 5 + 12 * m + 793 * (m / 1080) + p / 1080;
  int32_t d = 1 + 29 * m + h / 24;
  int32_t f = 1080 * (h % 24) + p % 1080;
  if (f >= 19440 || (d % 7 == 2 && f >= 9924 && !IsLeap(y)) ||
      (d % 7 == 1 && f >= 16789 && (7 * y - 6) % 19 < 7)) {
    d += 1;
  }
  if (d % 7 == 0 || d % 7 == 3 || d % 7 == 5) d += 1;
  return d;
}

int32_t YearLength(int32_t y) { return ElapsedDays(y + 1) - ElapsedDays(y); }

int32_t MonthLength(int32_t m, int32_t y) {
  if (m == 2 || m == 4 || m == 6 || m == 10 || m == 13) return 29;
  if (m == 12 && !IsLeap(y)) return 29;
  if (m == 8 && YearLength(y) % 10 != 5) return 29;
  if (m == 9 && YearLength(y) % 10 == 3) return 29;
  return 30;
}

int32_t MonthsInYear(int32_t y) { return IsLeap(y) ? 13 : 12; }

int32_t HebrewToAbsolute(int32_t m, int32_t d, int32_t y) {
  int32_t n = d;
  if (m >= 7) {
    for (int32_t i = 7; i <= m - 1; ++i) n += MonthLength(i, y);
  } else {
    for (int32_t i = 7; i <= MonthsInYear(y); ++i) n += MonthLength(i, y);
    for (int32_t i = 1; i <= m - 1; ++i) n += MonthLength(i, y);
  }
  return ElapsedDays(y) + n - 1373429;
}

constexpr int32_t FirstMonthGuess[13] = {0, 9, 10, 11, 12, 1, 2, 3, 4, 7, 7, 7, 8};

// The conversion with the search starting from FirstMonthGuess; where that
// month begins after the day, from month 7 instead (*fromTishrei is then set).
HebrewDate AbsoluteToHebrew(int32_t a, bool* fromTishrei) {
  GregorianDate g;
  AbsoluteToGregorian(a, &g);
  int32_t m = FirstMonthGuess[g.month];
  int32_t y = g.year + 3761;
  if (a < HebrewToAbsolute(7, 1, y)) {
    y = g.year + 3760;
  } else {
    while (a >= HebrewToAbsolute(7, 1, y + 1)) ++y;
  }
  *fromTishrei = a < HebrewToAbsolute(m, 1, y);
  if (*fromTishrei) m = 7;
  while (a > HebrewToAbsolute(m, MonthLength(m, y), y)) m = m % MonthsInYear(y) + 1;
  return HebrewDate{m, a - HebrewToAbsolute(m, 1, y) + 1, y};
}

}  // namespace literal

// The day of 1 Tishrei in the calendar's own count, from the molad counted in
// parts since the epoch (an independent formulation of the same rules).
int64_t MoladNewYear(int64_t y) {
  auto floorDiv = [](int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  auto isLeap = [&](int64_t year) { return (7 * year + 1) - 19 * floorDiv(7 * year + 1, 19) < 7; };
  const int64_t cycles = floorDiv(y - 1, 19);
  int64_t months = 235 * cycles;
  for (int64_t k = 19 * cycles + 1; k < y; ++k) months += isLeap(k) ? 13 : 12;
  const int64_t parts = 25920 + 5 * 1080 + 204 + months * 765433;  // day 1, 5 hours, 204 parts
  int64_t day = floorDiv(parts, 25920);
  const int64_t fraction = parts - day * 25920;
  const int64_t weekday = day - 7 * floorDiv(day, 7);
  if (fraction >= 18 * 1080 || (weekday == 2 && fraction >= 9 * 1080 + 204 && !isLeap(y)) ||
      (weekday == 1 && fraction >= 15 * 1080 + 589 && isLeap(y - 1))) {
    ++day;
  }
  const int64_t w = day - 7 * floorDiv(day, 7);
  if (w == 0 || w == 3 || w == 5) ++day;
  return day;
}

// Days since 1970-01-01 of a proleptic Gregorian date (an independent
// era-based formulation).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

constexpr int64_t kUnixEpochDay = 719163;  // AbsoluteDay of 1970-01-01

bool IsGregorianLeap(int32_t y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

int32_t GregorianLength(int32_t month, int32_t year) {
  static const int32_t lengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsGregorianLeap(year) ? 29 : lengths[month];
}

HebrewDate ToHebrew(AbsoluteDay a) {
  HebrewDate h{-1, -1, -1};
  EXPECT_EQ(AbsoluteToHebrew(a, &h), &h);
  return h;
}

GregorianDate ToGregorian(AbsoluteDay a) {
  GregorianDate g{-1, -1, -1};
  EXPECT_EQ(AbsoluteToGregorian(a, &g), &g);
  return g;
}

TEST(HebrewCalendar, LeapYears) {
  struct Row {
    int32_t year;
    bool leap;
  };
  const Row rows[] = {
      {5765, true},   // leap
      {5766, false},  // common
      {5767, false},  // common
      {5768, true},   // leap
      {5769, false},  // common
      {5784, true},   // year 0 of its cycle
      {1, false},     // first year
      {3, true},      // first leap year of the first cycle
      {19, true},     // last year of a cycle
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsHebrewLeapYear(row.year), row.leap) << row.year;
    EXPECT_EQ(HebrewMonthsInYear(row.year), row.leap ? 13 : 12) << row.year;
  }
  // Seven leap years in every cycle of 19, at 3, 6, 8, 11, 14, 17 and 0.
  for (int32_t y = 1; y <= 19 * 800; ++y) {
    const int32_t place = y % 19;
    const bool expected = place == 3 || place == 6 || place == 8 || place == 11 || place == 14 ||
                          place == 17 || place == 0;
    ASSERT_EQ(IsHebrewLeapYear(y), expected) << y;
  }
}

TEST(HebrewCalendar, YearLengthsAndMonths) {
  struct Row {
    int32_t year;
    int32_t length;
    int32_t heshvan;
    int32_t kislev;
  };
  const Row rows[] = {
      {5764, 355, 30, 30},  // complete common year
      {5765, 383, 29, 29},  // deficient leap year
      {5766, 354, 29, 30},  // regular common year
      {5767, 355, 30, 30},  // complete common year
      {5768, 383, 29, 29},  // deficient leap year
      {5771, 385, 30, 30},  // complete leap year
  };
  for (const Row& row : rows) {
    EXPECT_EQ(HebrewYearLength(row.year), row.length) << row.year;
    EXPECT_EQ(HebrewMonthLength(8, row.year), row.heshvan) << row.year;
    EXPECT_EQ(HebrewMonthLength(9, row.year), row.kislev) << row.year;
    EXPECT_EQ(IsLongHeshvan(row.year), row.heshvan == 30) << row.year;
    EXPECT_EQ(IsShortKislev(row.year), row.kislev == 29) << row.year;
  }
  EXPECT_EQ(HebrewMonthLength(12, 5767), 29);  // Adar of a common year
  EXPECT_EQ(HebrewMonthLength(12, 5768), 30);  // first Adar of a leap year
  EXPECT_EQ(HebrewMonthLength(13, 5768), 29);  // second Adar
  EXPECT_EQ(HebrewMonthLength(13, 5767), 29);  // month 13 is 29 days in any year
}

TEST(HebrewCalendar, ElapsedDays) {
  EXPECT_EQ(HebrewYearElapsedDays(1), 1);
  EXPECT_EQ(HebrewYearElapsedDays(2), 356);
  EXPECT_EQ(HebrewYearElapsedDays(5768), 2106360);
}

TEST(HebrewCalendar, EveryYearAgainstTheReferenceAndTheMolad) {
  for (int32_t y = 1; y <= 14000; ++y) {
    const int32_t elapsed = HebrewYearElapsedDays(y);
    ASSERT_EQ(elapsed, literal::ElapsedDays(y)) << y;
    ASSERT_EQ(elapsed, MoladNewYear(y)) << y;
    const int32_t length = HebrewYearLength(y);
    ASSERT_EQ(length, literal::YearLength(y)) << y;
    if (IsHebrewLeapYear(y)) {
      ASSERT_TRUE(length >= 383 && length <= 385) << y;
    } else {
      ASSERT_TRUE(length >= 353 && length <= 355) << y;
    }
    const int32_t weekday = WeekdayOf(HebrewToAbsolute(7, 1, y));
    ASSERT_TRUE(weekday != 0 && weekday != 3 && weekday != 5) << y;
    ASSERT_EQ(weekday, elapsed % 7) << y;
    int32_t sum = 0;
    for (int32_t m = 1; m <= HebrewMonthsInYear(y); ++m) sum += HebrewMonthLength(m, y);
    ASSERT_EQ(sum, length) << y;
  }
}

TEST(HebrewCalendar, KnownDays) {
  struct Row {
    GregorianDate gregorian;
    HebrewDate hebrew;
    AbsoluteDay day;     // 0 where not checked
    int32_t weekday;
  };
  const Row rows[] = {
      {{1, 1, 1}, {10, 18, 3761}, 1, 1},              // day 1, a Monday
      {{1, 1, 2007}, {10, 11, 5767}, 732677, 1},       // the count's own example
      {{9, 23, 2006}, {7, 1, 5767}, 732577, 6},        // new year 5767, a Saturday
      {{3, 20, 2007}, {1, 1, 5767}, 0, 2},             // 1 Nisan 5767
      {{9, 13, 2007}, {7, 1, 5768}, 732932, 4},        // new year 5768, a Thursday
      {{9, 12, 2007}, {6, 29, 5767}, 732931, 3},       // the day before: last of Elul
      {{5, 14, 1948}, {2, 5, 5708}, 0, 5},             // 5 Iyar 5708
      {{9, 11, 1999}, {7, 1, 5760}, 0, 6},             // new year 5760
      {{1, 1, 2000}, {10, 23, 5760}, 730120, 6},       // the turn of 2000
      {{9, 30, 2000}, {7, 1, 5761}, 0, 6},             // new year 5761
      {{9, 16, 2023}, {7, 1, 5784}, 0, 6},             // new year 5784
      {{12, 8, 2023}, {9, 25, 5784}, 0, 5},            // 25 Kislev 5784
      {{3, 24, 2024}, {13, 14, 5784}, 0, 0},           // 14 of second Adar 5784
      {{4, 23, 2024}, {1, 15, 5784}, 0, 2},            // 15 Nisan 5784
      {{10, 3, 2024}, {7, 1, 5785}, 0, 4},             // new year 5785
      {{9, 23, 2025}, {7, 1, 5786}, 0, 2},             // new year 5786
      {{12, 31, 9999}, {8, 28, 13760}, kLastSupportedDay, 5},   // last supported day
  };
  for (const Row& row : rows) {
    const GregorianDate& g = row.gregorian;
    const AbsoluteDay a = GregorianToAbsolute(g.month, g.day, g.year);
    if (row.day != 0) {
      EXPECT_EQ(a, row.day) << g.year << "-" << g.month << "-" << g.day;
    }
    EXPECT_EQ(WeekdayOf(a), row.weekday) << a;
    const HebrewDate h = ToHebrew(a);
    EXPECT_EQ(h.month, row.hebrew.month) << a;
    EXPECT_EQ(h.day, row.hebrew.day) << a;
    EXPECT_EQ(h.year, row.hebrew.year) << a;
    EXPECT_EQ(HebrewToAbsolute(row.hebrew.month, row.hebrew.day, row.hebrew.year), a) << a;
  }
  EXPECT_EQ(HebrewToAbsolute(7, 1, 1), -1373427);  // 1 Tishrei of year 1
}

TEST(HebrewCalendar, MonthAndYearBoundaries) {
  // The day before 1 Tishrei is the last day of month 6 of the year before.
  for (int32_t y = 5700; y <= 5800; ++y) {
    const HebrewDate h = ToHebrew(HebrewToAbsolute(7, 1, y) - 1);
    EXPECT_EQ(h.month, 6);
    EXPECT_EQ(h.day, 29);
    EXPECT_EQ(h.year, y - 1);
  }
  // After the last day of month 12: 1 Nisan in a common year, 1 of month 13 in
  // a leap year.
  const HebrewDate common = ToHebrew(HebrewToAbsolute(12, 29, 5767) + 1);
  EXPECT_EQ(common.month, 1);
  EXPECT_EQ(common.day, 1);
  EXPECT_EQ(common.year, 5767);
  const HebrewDate leap = ToHebrew(HebrewToAbsolute(12, 30, 5768) + 1);
  EXPECT_EQ(leap.month, 13);
  EXPECT_EQ(leap.day, 1);
  EXPECT_EQ(leap.year, 5768);
}

TEST(GregorianCalendar, DayOfYear) {
  struct Row {
    int32_t month, day, year, expected;
  };
  const Row rows[] = {
      {3, 1, 2000, 61},     // after 29 February of a leap year
      {3, 1, 1900, 60},     // 1900 is no leap year
      {12, 31, 2000, 366},  // last day of a leap year
      {12, 31, 1999, 365},  // last day of a common year
      {1, 1, 1, 1},         // first day of the count
      {2, 29, 2004, 60},    // leap day
  };
  for (const Row& row : rows)
    EXPECT_EQ(GregorianDayOfYear(row.month, row.day, row.year), row.expected) << row.year;
}

TEST(GregorianCalendar, YearEnds) {
  struct Row {
    int32_t year;  // 31 December of this year
  };
  const Row rows[] = {
      {2000},  // the 400-year cycle's last day (k100 = 4)
      {2004},  // a 4-year cycle's last day (k1 = 4)
      {1999},  // through the month loop
      {1600},  // the first 400-year cycle end after year 1
      {1},     // the first year
      {9999},  // the last supported year
  };
  for (const Row& row : rows) {
    const AbsoluteDay a = GregorianToAbsolute(12, 31, row.year);
    const GregorianDate g = ToGregorian(a);
    EXPECT_EQ(g.month, 12) << row.year;
    EXPECT_EQ(g.day, 31) << row.year;
    EXPECT_EQ(g.year, row.year) << row.year;
    const GregorianDate next = ToGregorian(a + 1);
    EXPECT_EQ(next.month, 1) << row.year;
    EXPECT_EQ(next.day, 1) << row.year;
    EXPECT_EQ(next.year, row.year + 1) << row.year;
  }
  EXPECT_EQ(GregorianToAbsolute(1, 1, 1), 1);
  EXPECT_EQ(WeekdayOf(1), 1);
  EXPECT_EQ(GregorianToAbsolute(12, 31, kLastSupportedYear), kLastSupportedDay);
  EXPECT_EQ(ToGregorian(kFirstSupportedDay).year, kFirstSupportedYear);
  EXPECT_EQ(ToHebrew(kFirstSupportedDay).year, kFirstSupportedHebrewYear);
  EXPECT_EQ(ToHebrew(kLastSupportedDay).year, kLastSupportedHebrewYear);
}

// Every day of Gregorian years 1 to 9999: the Gregorian date round-trips,
// agrees with an independent formulation and advances by exactly one day;
// every month's length is where its last day ends it.
TEST(GregorianCalendar, EverySupportedDay) {
  GregorianDate previous = ToGregorian(kFirstSupportedDay - 1);
  EXPECT_EQ(previous.month, 12);
  EXPECT_EQ(previous.day, 31);
  EXPECT_EQ(previous.year, 0);
  for (AbsoluteDay a = kFirstSupportedDay; a <= kLastSupportedDay; ++a) {
    GregorianDate g;
    AbsoluteToGregorian(a, &g);
    ASSERT_EQ(GregorianToAbsolute(g.month, g.day, g.year), a);
    ASSERT_EQ(DaysFromCivil(g.year, g.month, g.day) + kUnixEpochDay, a);
    const bool sameMonth = g.year == previous.year && g.month == previous.month && g.day == previous.day + 1;
    const bool nextMonth = g.year == previous.year && g.month == previous.month + 1 && g.day == 1 &&
                           previous.day == GregorianLength(previous.month, previous.year);
    const bool nextYear = g.year == previous.year + 1 && g.month == 1 && g.day == 1 &&
                          previous.month == 12 && previous.day == 31;
    ASSERT_TRUE(sameMonth || nextMonth || nextYear) << a;
    if (g.day == 1) {
      ASSERT_EQ(GregorianMonthLength(previous.month, previous.year), previous.day) << a;
    }
    ASSERT_EQ(WeekdayOf(a), (WeekdayOf(a - 1) + 1) % 7) << a;
    previous = g;
  }
  EXPECT_EQ(previous.year, 9999);
}

// Every day of Gregorian years 1 to 9999: the engine gives the reference
// procedure's date, that date round-trips both ways, and each next day
// advances the Hebrew date by exactly one. On the way: the month guess alone
// is right for every day of Gregorian years 874 to 6773; before, it starts too
// late only on the last days of August (already in the new year); from 6774
// on, first in May, and later in other months as well.
TEST(HebrewCalendar, EverySupportedDay) {
  HebrewDate previous = ToHebrew(kFirstSupportedDay - 1);
  int32_t firstLateYear = 0;
  int32_t firstLateMonth = 0;
  for (AbsoluteDay a = kFirstSupportedDay; a <= kLastSupportedDay; ++a) {
    HebrewDate h;
    AbsoluteToHebrew(a, &h);
    bool restarted = false;
    const HebrewDate expected = literal::AbsoluteToHebrew(a, &restarted);
    ASSERT_EQ(h.month, expected.month) << a;
    ASSERT_EQ(h.day, expected.day) << a;
    ASSERT_EQ(h.year, expected.year) << a;
    ASSERT_EQ(HebrewToAbsolute(h.month, h.day, h.year), a) << a;
    ASSERT_EQ(literal::HebrewToAbsolute(h.month, h.day, h.year), a) << a;
    const int32_t previousLength = HebrewMonthLength(previous.month, previous.year);
    if (previous.day < previousLength) {
      ASSERT_TRUE(h.month == previous.month && h.year == previous.year && h.day == previous.day + 1) << a;
    } else {
      ASSERT_EQ(previous.day, previousLength) << a;
      const int32_t month = previous.month % HebrewMonthsInYear(previous.year) + 1;
      ASSERT_EQ(h.month, month) << a;
      ASSERT_EQ(h.day, 1) << a;
      ASSERT_EQ(h.year, month == 7 ? previous.year + 1 : previous.year) << a;
    }
    previous = h;
    if (restarted) {
      const GregorianDate g = ToGregorian(a);
      if (g.year <= 873) {
        ASSERT_EQ(g.month, 8) << a;
        ASSERT_EQ(h.month, 7) << a;
      } else {
        ASSERT_GE(g.year, 6774) << a;
        if (firstLateYear == 0) {
          firstLateYear = g.year;
          firstLateMonth = g.month;
        }
      }
    }
  }
  EXPECT_EQ(firstLateYear, 6774);
  EXPECT_EQ(firstLateMonth, 5);
}

// Every month number, also outside 1..13, and days outside 1..30 give the
// reference procedure's count.
TEST(HebrewCalendar, HebrewToAbsoluteAnyMonthAndDay) {
  const int32_t days[] = {-40, 0, 1, 15, 29, 30, 31, 400};
  for (int32_t y = 1; y <= 14000; y += 7) {
    for (int32_t m = -3; m <= 40; ++m) {
      for (int32_t d : days) {
        ASSERT_EQ(HebrewToAbsolute(m, d, y), literal::HebrewToAbsolute(m, d, y))
            << m << " " << d << " " << y;
      }
    }
  }
}

// Days before year 1 and at the ends of the 32-bit count get a date that
// converts back to the same day, with no overflow on the way.
TEST(Calendar, TotalOverTheWholeCount) {
  const AbsoluteDay samples[] = {INT32_MIN, INT32_MIN + 1, -2000000000, -1373428, -1373427, -1,
                                 0,         1,             2000000000,  INT32_MAX - 1, INT32_MAX};
  for (AbsoluteDay a : samples) {
    const HebrewDate h = ToHebrew(a);
    EXPECT_TRUE(h.month >= 1 && h.month <= HebrewMonthsInYear(h.year)) << a;
    EXPECT_TRUE(h.day >= 1 && h.day <= HebrewMonthLength(h.month, h.year)) << a;
    EXPECT_EQ(HebrewToAbsolute(h.month, h.day, h.year), a) << a;
    const GregorianDate g = ToGregorian(a);
    EXPECT_TRUE(g.month >= 1 && g.month <= 12) << a;
    EXPECT_TRUE(g.day >= 1 && g.day <= GregorianLength(g.month, g.year)) << a;
    EXPECT_EQ(GregorianToAbsolute(g.month, g.day, g.year), a) << a;
    EXPECT_EQ(DaysFromCivil(g.year, g.month, g.day) + kUnixEpochDay, a) << a;
    const int32_t w = WeekdayOf(a);
    EXPECT_TRUE(w >= 0 && w <= 6) << a;
  }
  EXPECT_EQ(WeekdayOf(0), 0);
  EXPECT_EQ(WeekdayOf(-1), 6);
  EXPECT_EQ(WeekdayOf(INT32_MIN), 5);  // -2^31 = 7 * -306783379 + 5
  // 1 Tishrei of year 1 is a Monday; year 0 precedes it.
  const HebrewDate first = ToHebrew(-1373427);
  EXPECT_EQ(first.month, 7);
  EXPECT_EQ(first.day, 1);
  EXPECT_EQ(first.year, 1);
  const HebrewDate before = ToHebrew(-1373428);
  EXPECT_EQ(before.month, 6);
  EXPECT_EQ(before.year, 0);
}

TEST(Calendar, SparseSweepOverTheWholeCount) {
  HebrewDate h;
  GregorianDate g;
  for (int64_t a = INT32_MIN; a <= INT32_MAX; a += 9973) {
    const AbsoluteDay day = static_cast<AbsoluteDay>(a);
    AbsoluteToHebrew(day, &h);
    ASSERT_EQ(HebrewToAbsolute(h.month, h.day, h.year), day);
    AbsoluteToGregorian(day, &g);
    ASSERT_EQ(GregorianToAbsolute(g.month, g.day, g.year), day);
  }
}

// Proleptic years before 1 follow the same rules, so the round trips and the
// one-day steps hold there as well.
TEST(Calendar, DaysBeforeYearOne) {
  HebrewDate previous = ToHebrew(-1500001);
  for (AbsoluteDay a = -1500000; a <= 0; ++a) {
    HebrewDate h;
    AbsoluteToHebrew(a, &h);
    ASSERT_EQ(HebrewToAbsolute(h.month, h.day, h.year), a);
    GregorianDate g;
    AbsoluteToGregorian(a, &g);
    ASSERT_EQ(GregorianToAbsolute(g.month, g.day, g.year), a);
    ASSERT_EQ(DaysFromCivil(g.year, g.month, g.day) + kUnixEpochDay, a);
    if (h.month == previous.month) ASSERT_EQ(h.day, previous.day + 1) << a;
    else ASSERT_EQ(h.day, 1) << a;
    previous = h;
  }
  for (int32_t y = -3000; y <= 0; ++y) {
    ASSERT_EQ(HebrewYearElapsedDays(y), MoladNewYear(y)) << y;
    const int32_t length = HebrewYearLength(y);
    ASSERT_TRUE((length >= 353 && length <= 355) || (length >= 383 && length <= 385)) << y;
  }
}

// Absurd arguments give a defined value and return at once.
TEST(Calendar, ExtremeArguments) {
  const int32_t values[] = {INT32_MIN, -1000000, -1, 0, 1, 13, 14, 1000000, INT32_MAX};
  for (int32_t y : values) {
    const int32_t length = HebrewYearLength(y);
    EXPECT_TRUE((length >= 353 && length <= 355) || (length >= 383 && length <= 385)) << y;
    for (int32_t m : values) {
      const int32_t monthLength = HebrewMonthLength(m, y);
      EXPECT_TRUE(monthLength == 29 || monthLength == 30);
      const int32_t gregorianLength = GregorianMonthLength(m, y);
      EXPECT_TRUE(m >= 1 && m <= 12 ? gregorianLength >= 28 && gregorianLength <= 31
                                    : gregorianLength == 0);
      for (int32_t d : values) {
        HebrewToAbsolute(m, d, y);
        GregorianDayOfYear(m, d, y);
        GregorianToAbsolute(m, d, y);
      }
    }
  }
  EXPECT_EQ(HebrewYearElapsedDays(INT32_MAX), INT32_MAX);  // clamped
  EXPECT_EQ(HebrewYearElapsedDays(INT32_MIN), INT32_MIN);  // clamped
  EXPECT_EQ(HebrewToAbsolute(INT32_MAX, INT32_MAX, 5767), INT32_MAX);
  EXPECT_EQ(GregorianToAbsolute(12, 31, INT32_MAX), INT32_MAX);
  EXPECT_EQ(GregorianToAbsolute(1, 1, INT32_MIN), INT32_MIN);
}

TEST(Calendar, TodayIsARealDate) {
  GregorianDate today{0, 0, 0};
  EXPECT_EQ(GetToday(&today), &today);
  EXPECT_GE(today.year, 2000);
  EXPECT_LE(today.year, 9999);
  EXPECT_TRUE(today.month >= 1 && today.month <= 12);
  EXPECT_TRUE(today.day >= 1 && today.day <= GregorianLength(today.month, today.year));
}

}  // namespace
