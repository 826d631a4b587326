#include "tools/day_facts.h"

#include <cstdio>
#include <cstdlib>

#include "calendar/hebrew_date_text.h"
#include "lessons/lesson_schedule.h"
#include "lessons/seven_bit_text.h"
#include "lessons/text_stream.h"

namespace {

// The Hebrew date text of hebrew in UTF-8, reading order; empty if it has none.
std::string HebrewDateUtf8(const HebrewDate& hebrew) {
  uint8_t text[kMaxHebrewDateText + 1];
  const int32_t length = FormatHebrewDate(&hebrew, text);
  std::string utf8;
  if (length <= 0 || !DisplayBytesToUtf8(text, static_cast<size_t>(length), &utf8, nullptr)) return "";
  return utf8;
}

}  // namespace

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
  StreamRecord record;
  for (const uint8_t* at = text; ReadRecord(at, &record); at = NextRecord(at)) {
    if (record.Flag == kHeadingRecordFlag && headings < kTrackCount) {
      DisplayBytesToUtf8(record.Text, record.Length, &facts->Headings[headings++], nullptr);
    } else if (record.Flag == kEntryRecordFlag && entries < kTrackCount) {
      DisplayBytesToUtf8(record.Text, record.Length, &facts->Entries[entries++], nullptr);
    }
  }
  std::free(text);
  return true;
}
