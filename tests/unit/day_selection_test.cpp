// Day selection: which AppState fields SelectDay changes, in which order its
// early returns come, and that every day count gives a defined state.
#include "lessons/day_selection.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "calendar/hebrew_date_text.h"
#include "common/app_state.h"
#include "lessons/lesson_schedule.h"

namespace {

// Today's AbsoluteDay from the clock.
AbsoluteDay Today() {
  GregorianDate today;
  GetToday(&today);
  return GregorianToAbsolute(today.month, today.day, today.year);
}

// App cleared, then given a stored state as LoadSettings leaves it.
void Store(AbsoluteDay day, uint32_t lesson, uint32_t flags, uint32_t lastPosition) {
  memset(&App, 0, sizeof App);
  App.Day = day;
  App.Lesson = lesson;
  App.Flags = flags;
  App.LastPosition = lastPosition;
  App.DateText[0] = 'q';  // a date text that only a real selection replaces
  App.DateTextLength = 1;
}

// Expects App to show day with its own Hebrew date, text and lesson day.
void ExpectSelected(AbsoluteDay day) {
  HebrewDate date;
  AbsoluteToHebrew(day, &date);
  uint8_t text[20] = {};
  int32_t length = FormatHebrewDate(&date, text);
  EXPECT_EQ(App.Day, day);
  EXPECT_EQ(App.DateRecord.year, date.year);
  EXPECT_EQ(App.DateRecord.month, date.month);
  EXPECT_EQ(App.DateRecord.day, date.day);
  EXPECT_EQ(App.DateTextLength, length);
  EXPECT_EQ(memcmp(App.DateText, text, length + 1), 0);
  EXPECT_EQ(App.Lesson, static_cast<uint32_t>(LessonDayFromAbsolute(day)));
}

constexpr AbsoluteDay kSomeDay = 732677;  // 1 January 2007, lesson day 147
constexpr uint32_t kFlags = kDefaultFlags;

TEST(SelectDay, StartWithAStoredFixedDayChangesNothing) {
  Store(kSomeDay, 500, kFlags | kFlagFixedDay, 33);
  AppState before;
  memcpy(&before, &App, sizeof App);
  SelectDay(0, 0);
  EXPECT_EQ(memcmp(&App, &before, sizeof App), 0);
}

TEST(SelectDay, StartWithoutAFixedDayMovesToToday) {
  AbsoluteDay today = Today();
  Store(today - 10, 500, kFlags, 33);
  SelectDay(0, 0);
  ExpectSelected(Today());
  EXPECT_EQ(App.Flags, kFlags);
  EXPECT_EQ(App.LastPosition, 0u);
}

TEST(SelectDay, StartOnTheStoredDayKeepsTheStoredLessonAndPosition) {
  struct Row {
    uint32_t lesson;
  };
  const Row rows[] = {
      {500},  // a stored lesson that does not belong to the day stays
      {0},    // even 0 stays (the first BuildLessonText then fails with code 3)
  };
  for (const Row& row : rows) {
    AbsoluteDay today = Today();
    Store(today, row.lesson, kFlags, 33);
    SelectDay(0, 0);
    EXPECT_EQ(App.Day, today);
    EXPECT_EQ(App.Lesson, row.lesson);
    EXPECT_EQ(App.LastPosition, 33u);
    EXPECT_EQ(App.DateText[0], 'q') << "nothing recomputed";
  }
}

TEST(SelectDay, TodayCommandOnTodayOnlyClearsTheFixedBit) {
  AbsoluteDay today = Today();
  Store(today, 500, kFlags | kFlagFixedDay, 33);
  SelectDay(0, 1);
  EXPECT_EQ(App.Flags, kFlags);
  EXPECT_EQ(App.Day, today);
  EXPECT_EQ(App.Lesson, 500u);
  EXPECT_EQ(App.LastPosition, 33u);
}

TEST(SelectDay, TodayCommandFromAFixedDayMovesToToday) {
  Store(kSomeDay, 147, kFlags | kFlagFixedDay, 33);
  SelectDay(0, 1);
  ExpectSelected(Today());
  EXPECT_EQ(App.Flags, kFlags);
  EXPECT_EQ(App.LastPosition, 33u) << "kept for the caller";
}

TEST(SelectDay, DaysByNumberSetTheFixedBit) {
  struct Row {
    AbsoluteDay from;
    AbsoluteDay to;
    int32_t keep;
    uint32_t lastPosition;  // expected afterwards
  };
  const Row rows[] = {
      {kSomeDay, kSomeDay + 1, 1, 33},  // Next day keeps the position
      {kSomeDay, kSomeDay - 1, 1, 33},  // Previous day
      {kSomeDay, 724395, 1, 33},        // a day from the calendar: lesson day 1
      {kSomeDay, kSomeDay + 1, 0, 0},   // going back after a failure resets it
  };
  for (const Row& row : rows) {
    Store(row.from, 147, kFlags, 33);
    SelectDay(row.to, row.keep);
    ExpectSelected(row.to);
    EXPECT_EQ(App.Flags, kFlags | kFlagFixedDay);
    EXPECT_EQ(App.LastPosition, row.lastPosition);
  }
}

TEST(SelectDay, NextDayRecomputesALessonFromTheRegistry) {
  Store(kSomeDay, 999, kFlags | kFlagFixedDay, 0);
  SelectDay(kSomeDay + 1, 1);
  EXPECT_EQ(App.Lesson, 148u);
}

TEST(SelectDay, TheSelectedDayAgainOnlySetsTheFixedBit) {
  // Also when going back (keep 0) to a day reached as today: the position stays.
  Store(kSomeDay, 500, kFlags, 33);
  SelectDay(kSomeDay, 0);
  EXPECT_EQ(App.Flags, kFlags | kFlagFixedDay);
  EXPECT_EQ(App.Lesson, 500u);
  EXPECT_EQ(App.LastPosition, 33u);
  EXPECT_EQ(App.DateText[0], 'q');
}

TEST(SelectDay, OtherFlagBitsAreKept) {
  Store(kSomeDay, 147, 0xFFFFFFFFu & ~uint32_t{kFlagFixedDay}, 0);
  SelectDay(kSomeDay + 5, 1);
  EXPECT_EQ(App.Flags, 0xFFFFFFFFu);
  SelectDay(0, 1);
  EXPECT_EQ(App.Flags, 0xFFFFFFFFu & ~uint32_t{kFlagFixedDay});
}

// Any day count, even far outside the calendar's years, leaves a lesson day of
// 1..1017 and a terminated date text that fits its 20 bytes.
TEST(SelectDay, EveryDayCountGivesADefinedState) {
  const AbsoluteDay days[] = {1, -1, 2, 3652059, 3652060, INT32_MAX, INT32_MIN, INT32_MIN + 1,
                              -1000000, 100000000};
  for (AbsoluteDay day : days) {
    Store(kSomeDay, 147, kFlags, 0);
    SelectDay(day, 1);
    EXPECT_EQ(App.Day, day);
    EXPECT_GE(App.Lesson, 1u) << day;
    EXPECT_LE(App.Lesson, 1017u) << day;
    ASSERT_GE(App.DateTextLength, 0) << day;
    ASSERT_LE(App.DateTextLength, kMaxHebrewDateText) << day;
    EXPECT_EQ(App.DateText[App.DateTextLength], 0) << day;
  }
}

}  // namespace
