#include "tools/day_facts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calendar/hebrew_date_text.h"
#include "lessons/lesson_schedule.h"
#include "lessons/seven_bit_text.h"

namespace {

// Flag bytes of the heading and entry records of a day's LessonText.
constexpr uint8_t kHeadingFlag = 0x5C;
constexpr uint8_t kEntryFlag = 0xD1;

const char* const kWeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};

// The Hebrew date text of hebrew in UTF-8, reading order; empty if it has none.
std::string HebrewDateUtf8(const HebrewDate& hebrew) {
  uint8_t text[kMaxHebrewDateText + 1];
  const int32_t length = FormatHebrewDate(&hebrew, text);
  std::string utf8;
  if (length <= 0 || !DisplayBytesToUtf8(text, static_cast<size_t>(length), &utf8, nullptr)) return "";
  return utf8;
}

}  // namespace

const char* const kTrackNames[kTrackCount] = {"3", "1", "commandments"};

const char* WeekdayName(int32_t weekday) { return kWeekdayNames[weekday]; }

std::string IsoDate(const GregorianDate& date) {
  char text[24];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(date.year),
                static_cast<int>(date.month), static_cast<int>(date.day));
  return text;
}

bool ReadDayFacts(AbsoluteDay day, DayFacts* facts, int32_t* error) {
  facts->Day = day;
  AbsoluteToGregorian(day, &facts->Gregorian);
  facts->Weekday = WeekdayOf(day);
  AbsoluteToHebrew(day, &facts->Hebrew);
  facts->HebrewText = HebrewDateUtf8(facts->Hebrew);
  facts->LessonDay = LessonDayFromAbsolute(day);
  uint8_t* text = BuildLessonText(facts->LessonDay, error);
  if (!text) return false;
  // The records in the order of the text: heading, entry and rule of each track.
  for (int32_t track = 0; track < kTrackCount; ++track) {
    facts->Headings[track].clear();
    facts->Entries[track].clear();
  }
  int32_t headings = 0;
  int32_t entries = 0;
  for (const uint8_t* record = text; record[0] != 0;) {
    const uint8_t* body = record + 2;
    const size_t length = std::strlen(reinterpret_cast<const char*>(body));
    if (record[0] == kHeadingFlag && headings < kTrackCount) {
      DisplayBytesToUtf8(body, length, &facts->Headings[headings++], nullptr);
    } else if (record[0] == kEntryFlag && entries < kTrackCount) {
      DisplayBytesToUtf8(body, length, &facts->Entries[entries++], nullptr);
    }
    record = body + length + 1;
  }
  std::free(text);
  return true;
}
