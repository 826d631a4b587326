// The wording of the lesson entries: Hebrew numerals with geresh and
// gershayim, and the three tracks' ways of writing units and commandments.
#include "lessons/lesson_wording.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "lessons/hebrew_numerals.h"

namespace {

std::string Numeral(int32_t n) {
  char text[kHebrewNumeralCapacity];
  size_t length = FormatHebrewNumeral(n, text, sizeof text);
  return length ? std::string(text, length) : std::string("<none>");
}

TEST(HebrewNumerals, Table) {
  struct Row {
    int32_t n;
    const char* text;
  };
  const Row rows[] = {
      {1, "א'"},        // one letter takes a geresh
      {9, "ט'"},        //
      {10, "י'"},       // a tens letter alone
      {11, "י\"א"},     // two letters: gershayim before the last
      {12, "י\"ב"},     //
      {15, "ט\"ו"},     // 15 is not written yod-he
      {16, "ט\"ז"},     // 16 is not written yod-vav
      {17, "י\"ז"},     // the rule resumes at 17
      {20, "כ'"},       //
      {100, "ק'"},      //
      {115, "קט\"ו"},   // 15 inside a larger number
      {116, "קט\"ז"},   // 16 inside a larger number
      {124, "קכ\"ד"},   // three letters
      {159, "קנ\"ט"},   //
      {160, "ק\"ס"},    //
      {270, "ע\"ר"},    // customary orders that spell no word
      {272, "ער\"ב"},   //
      {274, "עד\"ר"},   //
      {275, "ער\"ה"},   //
      {298, "רח\"צ"},   //
      {304, "ש\"ד"},    // the published listing's plain order; the year 5304 keeps ה'דש
      {344, "שד\"מ"},   //
      {271, "רע\"א"},   // their neighbours follow the rule
      {301, "ש\"א"},    //
      {365, "שס\"ה"},   // the last negative commandment
      {400, "ת'"},      //
      {500, "ת\"ק"},    // hundreds above 400 repeat tav
      {915, "תתקט\"ו"}, // 15 after repeated tav
      {999, "תתקצ\"ט"}, // the longest numeral
  };
  for (const Row& row : rows) EXPECT_EQ(Numeral(row.n), row.text) << row.n;
}

TEST(HebrewNumerals, OutOfRangeOrTooSmallWritesNothing) {
  for (int32_t n : {0, -1, 1000, INT32_MAX, INT32_MIN}) EXPECT_EQ(Numeral(n), "<none>") << n;
  char text[5];
  memset(text, 'x', sizeof text);
  EXPECT_EQ(FormatHebrewNumeral(11, text, sizeof text), 0u) << "needs 6 bytes";
  EXPECT_EQ(text[0], 'x');
  EXPECT_EQ(FormatHebrewNumeral(1, text, 4), 3u) << "one letter, geresh, zero";
}

// Value of a Hebrew letter given as its UTF-8 second byte (U+05D0..U+05EA).
int32_t LetterValue(const std::string& letter) {
  static const char* const kLetters[] = {"א", "ב", "ג", "ד", "ה", "ו", "ז", "ח", "ט",
                                         "י", "כ", "ל", "מ", "נ", "ס", "ע", "פ", "צ",
                                         "ק", "ר", "ש", "ת"};
  static const int32_t kValues[] = {1,  2,  3,  4,  5,  6,  7,   8,   9,   10,  20,
                                    30, 40, 50, 60, 70, 80, 90, 100, 200, 300, 400};
  for (size_t i = 0; i < 22; ++i) {
    if (letter == kLetters[i]) return kValues[i];
  }
  return -1;
}

// Every numeral 1..999: its letters add up to n, their values never rise (but
// in the customary forms), the
// tens and units take one letter each except 15 and 16 (ט and ו or ז), and the
// mark stands right.
TEST(HebrewNumerals, EveryNumeralAddsUpAndIsMarked) {
  for (int32_t n = 1; n <= 999; ++n) {
    std::string text = Numeral(n);
    std::vector<int32_t> values;
    for (size_t i = 0; i < text.size();) {
      if (text[i] == '\'' || text[i] == '"') {
        ++i;
      } else {
        values.push_back(LetterValue(text.substr(i, 2)));
        ASSERT_GT(values.back(), 0) << n;
        i += 2;
      }
    }
    if (values.size() == 1) {
      ASSERT_EQ(text.size(), 3u) << n;
      ASSERT_EQ(text.back(), '\'') << n;
    } else {
      ASSERT_EQ(text.size(), 2 * values.size() + 1) << n;
      ASSERT_EQ(text[text.size() - 3], '"') << n;
    }
    int32_t sum = 0;
    int32_t tens = 0;
    int32_t units = 0;
    const bool customary =
        n == 270 || n == 272 || n == 274 || n == 275 || n == 298 || n == 344;
    for (size_t i = 0; i < values.size(); ++i) {
      ASSERT_TRUE(customary || i == 0 || values[i] <= values[i - 1]) << n;
      sum += values[i];
      tens += values[i] >= 10 && values[i] < 100;
      units += values[i] < 10;
    }
    ASSERT_EQ(sum, n);
    bool fifteen = n % 100 == 15 || n % 100 == 16;
    ASSERT_EQ(tens, fifteen ? 0 : (n % 100 >= 10)) << n;
    ASSERT_EQ(units, fifteen ? 2 : (n % 10 != 0)) << n;
  }
}

StudyUnit Unit(const char* section, UnitKind kind, int32_t number) {
  return StudyUnit{0, section, kind, number};
}

TEST(LessonWording, LongTrackUnits) {
  EXPECT_EQ(LongTrackWording(Unit("הלכות כלים", UnitKind::Chapter, 13)), "הלכות כלים פרק י\"ג");
  EXPECT_EQ(LongTrackWording(Unit("סדר התפילות", UnitKind::Part, 5)), "סדר התפילות חלק ה'");
}

TEST(LessonWording, FirstShortTrackRuns) {
  struct Row {
    std::vector<StudyUnit> units;
    const char* text;
  };
  const UnitKind c = UnitKind::Chapter;
  const UnitKind p = UnitKind::Part;
  const Row rows[] = {
      // Three chapters of one section: one range.
      {{Unit("הלכות עדות", c, 8), Unit("הלכות עדות", c, 9), Unit("הלכות עדות", c, 10)},
       "הלכות עדות פרקים ח'-י'"},
      // A section ends after two chapters, the next begins.
      {{Unit("הלכות דעות", c, 6), Unit("הלכות דעות", c, 7), Unit("הלכות תלמוד תורה", c, 1)},
       "הלכות דעות פרקים ו'-ז', הלכות תלמוד תורה פרק א'"},
      // Three sections of one unit each.
      {{Unit("א", c, 3), Unit("ב", c, 1), Unit("ג", c, 1)}, "א פרק ג', ב פרק א', ג פרק א'"},
      // Parts are counted as parts.
      {{Unit("הקדמה", p, 1), Unit("הקדמה", p, 2), Unit("הקדמה", p, 3)}, "הקדמה חלקים א'-ג'"},
      // Chapters then parts of another section.
      {{Unit("הלכות מילה", c, 3), Unit("סדר התפילות", p, 1), Unit("סדר התפילות", p, 2)},
       "הלכות מילה פרק ג', סדר התפילות חלקים א'-ב'"},
      // 15 and 16 as range ends.
      {{Unit("ה", c, 14), Unit("ה", c, 15), Unit("ה", c, 16)}, "ה פרקים י\"ד-ט\"ז"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(UnitRunsWording(row.units.data(), row.units.size()), row.text);
  }
}

DayItem Positive(int32_t n) { return DayItem{ItemKind::Positive, n, ""}; }
DayItem Negative(int32_t n) { return DayItem{ItemKind::Negative, n, ""}; }
DayItem Text(const char* text) { return DayItem{ItemKind::Text, 0, text}; }

TEST(LessonWording, SecondShortTrackItems) {
  struct Row {
    std::vector<DayItem> items;
    const char* text;
  };
  const Row rows[] = {
      // Alternating kinds: every item has its prefix.
      {{Positive(159), Negative(323), Positive(160), Negative(324)},
       "מ\"ע קנ\"ט, ל\"ת שכ\"ג, מ\"ע ק\"ס, ל\"ת שכ\"ד"},
      // One kind in a row shares one prefix.
      {{Negative(256), Negative(301)}, "ל\"ת רנ\"ו, ש\"א"},
      // A single commandment.
      {{Positive(1)}, "מ\"ע א'"},
      // A text item alone, as given.
      {{Text("שורשים י'-י\"ד")}, "שורשים י'-י\"ד"},
      // A text item breaks a run: the next commandment has its prefix again.
      {{Positive(157), Text("נוסח ההגדה"), Positive(170)}, "מ\"ע קנ\"ז, נוסח ההגדה, מ\"ע ק\"ע"},
      {{Text("סדר התפילות חלק ה'"), Positive(154)}, "סדר התפילות חלק ה', מ\"ע קנ\"ד"},
  };
  for (const Row& row : rows) EXPECT_EQ(CommandmentsWording(row.items), row.text);
}

}  // namespace
