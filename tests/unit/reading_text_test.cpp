// A day's text as screen readers are given it: whole, lesson by lesson, and
// its date.
#include "view/reading_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/fakes/lesson_stream_builder.h"

namespace {

// The units of a text from the builders, released; "<none>" for null.
std::u16string Taken(WideChar* text) {
  if (text == nullptr) return u"<none>";
  std::u16string units;
  for (size_t i = 0; text[i] != 0; ++i) units.push_back(static_cast<char16_t>(text[i]));
  free(text);
  return units;
}

TEST(ReadingText, WholeDayAndDate) {
  // Entries in display order as stored: 29 with its gershayim, an empty entry,
  // a mark that follows no letter and one that follows a letter.
  uint8_t* day = FinishStream(DayStream("i\"l", "", "'c"));
  StreamBuilder ruleOnly;
  AddRecord(&ruleOnly, kRuleFlag, kRuleParam, "");
  uint8_t* rule = FinishStream(ruleOnly);
  const AbsoluteDay kislev29 = GregorianToAbsolute(12, 9, 2026);
  struct Row {
    WideChar* text;
    const char16_t* expected;
  };
  const Row rows[] = {
      // a line per heading and entry: no rules, no empty rows or entries, marks
      // after letters as geresh and gershayim, none after the last line
      {DayReadingText(day),
       u"\u05D2\u05F3 \u05E4\u05E8\u05E7\u05D9\u05DD \u05DC\u05D9\u05D5\u05DD\r\n"
       u"\u05DB\u05F4\u05D8\r\n"
       u"\u05E4\u05E8\u05E7 \u05D0\u05F3 \u05DC\u05D9\u05D5\u05DD\r\n"
       u"\u05E1\u05E4\u05E8 \u05D4\u05DE\u05E6\u05D5\u05D5\u05EA\r\n"
       u"\u05D2\u05F3"},
      {DayReadingText(rule), u""},         // only a rule: nothing to read
      {DayReadingText(nullptr), u"<none>"},  // no day shown
      // the date gets the marks its display leaves out: 29 Kislev 5787
      {HebrewDateText(kislev29),
       u"\u05DB\u05F4\u05D8 \u05DB\u05E1\u05DC\u05D5 \u05D4\u05F3\u05EA\u05E9\u05E4\u05F4\u05D6"},
      {DayNameText(kislev29),
       u"Wednesday, 9 December 2026, "
       u"\u05DB\u05F4\u05D8 \u05DB\u05E1\u05DC\u05D5 \u05D4\u05F3\u05EA\u05E9\u05E4\u05F4\u05D6"},
      {HebrewDateText(0), u"<none>"},  // outside the supported range
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    EXPECT_EQ(Taken(rows[i].text), rows[i].expected) << "row " << i;
  }
  free(day);
  free(rule);
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
