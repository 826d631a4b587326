// The lessons of a day's text one by one, as screen readers are given them.
#include "view/reading_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "calendar/calendar_range.h"
#include "calendar/hebrew_calendar.h"
#include "resources/resource.h"
#include "tests/fakes/lesson_stream_builder.h"

namespace {

// The string-table entries the day in words reads, as the English table has
// them, with the pattern of Pattern.
const char16_t* Pattern = u"%1, %2 %3 %4, %5";
const WideChar* StandInText(uint32_t id) {
  const char16_t* text = u"";
  if (id == IDS_DAY_IN_WORDS) text = Pattern;
  if (id == IDS_WEEKDAY_FIRST + 3) text = u"Wednesday";
  if (id == IDS_MONTH_FIRST + 0) text = u"January";
  return reinterpret_cast<const WideChar*>(text);
}

TEST(ReadingText, DayInWords) {
  const AbsoluteDay day = GregorianToAbsolute(1, 1, 2025);  // a Wednesday
  struct Row {
    const char16_t* pattern;
    std::u16string expected;
  };
  WideChar* date = HebrewDateText(day);  // 1 Tevet 5785, in reading order
  ASSERT_NE(date, nullptr);
  const std::u16string hebrew(reinterpret_cast<const char16_t*>(date));
  free(date);
  const Row rows[] = {
      {u"%1, %2 %3 %4, %5", u"Wednesday, 1 January 2025, " + hebrew},  // the English pattern
      {u"%5 (%2.%4)", hebrew + u" (1.2025)"},                           // a translation's own order
  };
  for (const Row& row : rows) {
    Pattern = row.pattern;
    WideChar* text = DayNameText(day, StandInText);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), row.expected);
    free(text);
  }
  EXPECT_EQ(DayNameText(kLastSupportedDay + 1, StandInText), nullptr);  // outside the range
}

TEST(ReadingText, LessonParts) {
  // The second lesson has a heading but an empty entry, as a damaged entry could be.
  uint8_t* text = FinishStream(DayStream("ab", "", "c"));
  struct Row {
    int32_t lesson;
    LessonPart part;
    const char16_t* expected;  // null: no text
  };
  const Row rows[] = {
      {1, LessonPart::Entry, u"\u05D1\u05D0"},  // reading order: the stored bytes reversed
      {2, LessonPart::Entry, u""},              // an empty entry: an empty text, not none
      // the third lesson's heading, in reading order
      {3, LessonPart::Heading, u"\u05E1\u05E4\u05E8 \u05D4\u05DE\u05E6\u05D5\u05D5\u05EA"},
      {4, LessonPart::Heading, nullptr},        // no such lesson
  };
  for (const Row& row : rows) {
    WideChar* part = LessonPartText(text, row.lesson, row.part);
    ASSERT_EQ(part != nullptr, row.expected != nullptr) << row.lesson;
    if (part == nullptr) continue;
    std::u16string units;
    for (size_t i = 0; part[i] != 0; ++i) units.push_back(static_cast<char16_t>(part[i]));
    EXPECT_EQ(units, row.expected) << row.lesson;
    free(part);
  }
  free(text);
}

}  // namespace
