// A day's text as screen readers are given it: whole, lesson by lesson, and
// its date.
#include "view/reading_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "calendar/calendar_range.h"
#include "resources/resource.h"
#include "tests/fakes/lesson_stream_builder.h"

namespace {

// The string-table entries the day in words reads for 1 January 2025, as the
// English table has them; MovedText has a translation's own order.
const WideChar* EnglishText(uint32_t id) {
  const char16_t* text = u"";
  if (id == IDS_DAY_IN_WORDS) text = u"%1, %2 %3 %4, %5";
  if (id == IDS_WEEKDAY_FIRST + 3) text = u"Wednesday";
  if (id == IDS_MONTH_FIRST + 0) text = u"January";
  return reinterpret_cast<const WideChar*>(text);
}
const WideChar* MovedText(uint32_t id) {
  return id == IDS_DAY_IN_WORDS ? reinterpret_cast<const WideChar*>(u"%5 (%2.%4)") : EnglishText(id);
}

// The units of a text from the builders, released; "<none>" for null.
std::u16string Taken(WideChar* text) {
  if (text == nullptr) return u"<none>";
  std::u16string units;
  for (size_t i = 0; text[i] != 0; ++i) units.push_back(static_cast<char16_t>(text[i]));
  free(text);
  return units;
}

TEST(ReadingText, Table) {
  // Entries as stored, in display order: 29 with its mark, an empty entry (as
  // a damaged one could be), and a mark after gimel.
  uint8_t* text = FinishStream(DayStream("i\"l", "", "'c"));
  StreamBuilder ruleOnly;
  AddRecord(&ruleOnly, kRuleFlag, kRuleParam, "");
  uint8_t* rule = FinishStream(ruleOnly);
  const struct {
    WideChar* text;
    const char16_t* expected;
  } rows[] = {
      // a line per heading and entry, in reading order: no rules, empty rows
      // or empty entries, no break after the last; ' and " after a letter as
      // geresh and gershayim
      {DayReadingText(text),
       u"\u05D2\u05F3 \u05E4\u05E8\u05E7\u05D9\u05DD \u05DC\u05D9\u05D5\u05DD\r\n\u05DB\u05F4\u05D8\r\n"
       u"\u05E4\u05E8\u05E7 \u05D0\u05F3 \u05DC\u05D9\u05D5\u05DD\r\n"
       u"\u05E1\u05E4\u05E8 \u05D4\u05DE\u05E6\u05D5\u05D5\u05EA\r\n\u05D2\u05F3"},
      {DayReadingText(rule), u""},           // only a rule: nothing to read
      {DayReadingText(nullptr), u"<none>"},  // no day shown
      {LessonPartText(text, 1, LessonPart::Entry), u"\u05DB\u05F4\u05D8"},
      {LessonPartText(text, 2, LessonPart::Entry), u""},  // an empty entry: an empty text, not none
      {LessonPartText(text, 3, LessonPart::Heading),
       u"\u05E1\u05E4\u05E8 \u05D4\u05DE\u05E6\u05D5\u05D5\u05EA"},
      {LessonPartText(text, 4, LessonPart::Heading), u"<none>"},  // no such lesson
      // the date with the marks its display leaves out: 29 Kislev 5787, and a
      // one-letter day in Adar I 5784
      {HebrewDateText(HebrewToAbsolute(9, 29, 5787)),
       u"\u05DB\u05F4\u05D8 \u05DB\u05E1\u05DC\u05D5 \u05D4\u05F3\u05EA\u05E9\u05E4\u05F4\u05D6"},
      {HebrewDateText(HebrewToAbsolute(12, 1, 5784)),
       u"\u05D0\u05F3 \u05D0\u05D3\u05E8 \u05D0\u05F3 \u05D4\u05F3\u05EA\u05E9\u05E4\u05F4\u05D3"},
      // the day in words, a Wednesday, 1 Tevet 5785: the English pattern, a
      // translation's order, and a day outside the range
      {DayNameText(GregorianToAbsolute(1, 1, 2025), EnglishText),
       u"Wednesday, 1 January 2025, \u05D0\u05F3 \u05D8\u05D1\u05EA \u05D4\u05F3\u05EA\u05E9\u05E4\u05F4\u05D4"},
      {DayNameText(GregorianToAbsolute(1, 1, 2025), MovedText),
       u"\u05D0\u05F3 \u05D8\u05D1\u05EA \u05D4\u05F3\u05EA\u05E9\u05E4\u05F4\u05D4 (1.2025)"},
      {DayNameText(kLastSupportedDay + 1, EnglishText), u"<none>"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    EXPECT_EQ(Taken(rows[i].text), rows[i].expected) << "row " << i;
  }
  free(text);
  free(rule);
}

}  // namespace
