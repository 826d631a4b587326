// What zelvan-cli tells about a day, ready for any of its output forms: the
// Gregorian and Hebrew dates, the weekday, the lesson day and the three
// lessons, text in UTF-8 and in reading order.
#pragma once
#include <cstdint>
#include <string>

#include "calendar/day_names.h"  // WeekdayName, for every output form
#include "calendar/hebrew_calendar.h"
#include "lessons/lesson_schedule.h"  // LessonTrack

struct DayFacts {
  AbsoluteDay Day;
  GregorianDate Gregorian;
  int32_t Weekday;               // 0..6, 0 = Sunday
  HebrewDate Hebrew;
  std::string HebrewText;        // the Hebrew date; empty if it has none
  int32_t LessonDay;             // 1..1017
  std::string Headings[kTrackCount];
  std::string Entries[kTrackCount];
};

// The date as YYYY-MM-DD (the year in at least four digits).
std::string IsoDate(const GregorianDate& date);

// Fills *facts for a day of the supported range; false with the lesson data's
// code 1..5 in *error when the day's lessons cannot be read.
bool ReadDayFacts(AbsoluteDay day, DayFacts* facts, int32_t* error);
