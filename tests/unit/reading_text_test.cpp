// The lessons of a day's text one by one, as screen readers are given them.
#include "view/reading_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/fakes/lesson_stream_builder.h"

namespace {

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
