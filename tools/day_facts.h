// What zelvan-cli tells about a day, ready for any of its output forms: the
// Gregorian and Hebrew dates, the weekday, the lesson day and the three
// lessons, text in UTF-8 and in reading order.
#pragma once
#include <cstdint>
#include <string>

#include "calendar/hebrew_calendar.h"

// The three tracks, numbered in the order of the day's text.
enum LessonTrack : int32_t {
  kTrackThreeChapters = 0,
  kTrackOneChapter = 1,
  kTrackCommandments = 2,
  kTrackCount = 3,
};

// The name of each track on the command line, in the JSON and in event ids.
extern const char* const kTrackNames[kTrackCount];

// Tracks chosen for an export: bit (1 << track) for each LessonTrack.
using TrackSet = uint32_t;
constexpr TrackSet kAllTracks = (1u << kTrackCount) - 1;

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

// The English name of weekday 0..6 (0 = Sunday).
const char* WeekdayName(int32_t weekday);

// The date as YYYY-MM-DD (the year in at least four digits).
std::string IsoDate(const GregorianDate& date);

// Fills *facts for a day of the supported range; false with the lesson data's
// code 1..5 in *error when the day's lessons cannot be read.
bool ReadDayFacts(AbsoluteDay day, DayFacts* facts, int32_t* error);
