// Reading the lesson data files: good files give their records, and every
// kind of fault is reported with its line so the build can name it.
#include "lessons/lesson_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kUnitsHeader = "unit\tbook\tbook_name\tsection\tkind\tnumber\n";
const std::string kDaysHeader = "day\titems\tstatus\n";

TEST(StudyUnits, ReadsUnitsInOrder) {
  std::string text = kUnitsHeader +
                     "1\t0\t\tהקדמה\tpart\t1\n"
                     "2\t0\t\tהקדמה\tpart\t2\r\n"  // a CR LF line end
                     "3\t1\tספר המדע\tהלכות דעות\tchapter\t1\n";
  std::vector<StudyUnit> units;
  SourceError error{0, ""};
  ASSERT_TRUE(ParseStudyUnits(text, &units, &error)) << error.Reason;
  ASSERT_EQ(units.size(), 3u);
  EXPECT_EQ(units[1].Line, 3);
  EXPECT_EQ(units[1].Section, "הקדמה");
  EXPECT_EQ(units[1].Kind, UnitKind::Part);
  EXPECT_EQ(units[1].Number, 2);
  EXPECT_EQ(units[2].Kind, UnitKind::Chapter);
  EXPECT_EQ(units[2].Section, "הלכות דעות");
}

TEST(StudyUnits, FaultsNameTheirLine) {
  struct Row {
    std::string text;
    int32_t line;
    const char* reason;
  };
  const std::string one = "1\t0\t\tהקדמה\tpart\t1\n";
  const Row rows[] = {
      // A missing or different header.
      {"", 1, "the header must be unit, book, book_name, section, kind, number"},
      {"unit\tbook\n" + one, 1, "the header must be unit, book, book_name, section, kind, number"},
      // Too few fields.
      {kUnitsHeader + "1\t0\tהקדמה\tpart\t1\n", 2, "expected 6 tab-separated fields"},
      // Units out of order, or not a number.
      {kUnitsHeader + one + "3\t0\t\tהקדמה\tpart\t2\n", 3, "unit must be 2"},
      {kUnitsHeader + "x\t0\t\tהקדמה\tpart\t1\n", 2, "unit must be 1"},
      {kUnitsHeader + "01\t0\t\tהקדמה\tpart\t1\n", 2, "unit must be 1"},
      // A book that is not a number.
      {kUnitsHeader + "1\tא\t\tהקדמה\tpart\t1\n", 2, "book is not a number"},
      // An empty section, an unknown kind.
      {kUnitsHeader + "1\t0\t\t\tpart\t1\n", 2, "empty section"},
      {kUnitsHeader + "1\t0\t\tהקדמה\tpiece\t1\n", 2, "kind must be chapter or part"},
      // A section that switches kind.
      {kUnitsHeader + one + "2\t0\t\tהקדמה\tchapter\t2\n",
       3, "kind differs from the section's previous unit"},
      // A skipped or repeated number, a section not starting at 1.
      {kUnitsHeader + one + "2\t0\t\tהקדמה\tpart\t3\n", 3, "number must be 2"},
      {kUnitsHeader + one + "2\t0\t\tהקדמה\tpart\t1\n", 3, "number must be 2"},
      {kUnitsHeader + "1\t0\t\tהקדמה\tpart\t2\n", 2, "number must be 1"},
      {kUnitsHeader + "1\t0\t\tהקדמה\tpart\t0\n", 2, "number must be 1"},
      // A blank line inside the file.
      {kUnitsHeader + one + "\n" + "2\t0\t\tהקדמה\tpart\t2\n",
       3, "expected 6 tab-separated fields"},
  };
  for (const Row& row : rows) {
    std::vector<StudyUnit> units;
    SourceError error{0, ""};
    EXPECT_FALSE(ParseStudyUnits(row.text, &units, &error)) << row.reason;
    EXPECT_EQ(error.Line, row.line) << row.reason;
    EXPECT_EQ(error.Reason, row.reason);
  }
}

TEST(CommandmentDays, ReadsItemsOfEachKind) {
  std::string text = kDaysHeader +
                     "1\tT:הקדמה\tfound\n"
                     "2\tP215;T:סדר התפילות חלק א';N365\tinferred\n";
  std::vector<CommandmentDay> days;
  SourceError error{0, ""};
  ASSERT_TRUE(ParseCommandmentDays(text, &days, &error)) << error.Reason;
  ASSERT_EQ(days.size(), 2u);
  EXPECT_EQ(days[1].Line, 3);
  ASSERT_EQ(days[1].Items.size(), 3u);
  EXPECT_EQ(days[1].Items[0].Kind, ItemKind::Positive);
  EXPECT_EQ(days[1].Items[0].Number, 215);
  EXPECT_EQ(days[1].Items[1].Kind, ItemKind::Text);
  EXPECT_EQ(days[1].Items[1].Text, "סדר התפילות חלק א'");
  EXPECT_EQ(days[1].Items[2].Kind, ItemKind::Negative);
  EXPECT_EQ(days[1].Items[2].Number, 365);
}

TEST(CommandmentDays, FaultsNameTheirLine) {
  struct Row {
    std::string text;
    int32_t line;
    const char* reason;
  };
  const Row rows[] = {
      // A missing header.
      {"1\tP1\tfound\n", 1, "the header must be day, items, status"},
      // Fields, day order, status.
      {kDaysHeader + "1\tP1\n", 2, "expected 3 tab-separated fields"},
      {kDaysHeader + "2\tP1\tfound\n", 2, "day must be 1"},
      {kDaysHeader + "1\tP1\tguessed\n", 2, "status must be found or inferred"},
      // Numbers outside the commandments.
      {kDaysHeader + "1\tP0\tfound\n", 2, "item \"P0\": the number must be 1..248"},
      {kDaysHeader + "1\tP249\tfound\n", 2, "item \"P249\": the number must be 1..248"},
      {kDaysHeader + "1\tN366\tfound\n", 2, "item \"N366\": the number must be 1..365"},
      {kDaysHeader + "1\tN\tfound\n", 2, "item \"N\": the number must be 1..365"},
      {kDaysHeader + "1\tP-1\tfound\n", 2, "item \"P-1\": the number must be 1..248"},
      // Unknown or empty items.
      {kDaysHeader + "1\tX1\tfound\n", 2, "item \"X1\" is not P<n>, N<n> or T:<text>"},
      {kDaysHeader + "1\tP1;;P2\tfound\n", 2, "item \"\" is not P<n>, N<n> or T:<text>"},
      {kDaysHeader + "1\t\tfound\n", 2, "item \"\" is not P<n>, N<n> or T:<text>"},
      {kDaysHeader + "1\tT:\tfound\n", 2, "empty text item"},
  };
  for (const Row& row : rows) {
    std::vector<CommandmentDay> days;
    SourceError error{0, ""};
    EXPECT_FALSE(ParseCommandmentDays(row.text, &days, &error)) << row.reason;
    EXPECT_EQ(error.Line, row.line) << row.reason;
    EXPECT_EQ(error.Reason, row.reason);
  }
}

TEST(LessonSources, ByteOrderMarkAtTheStartIsSkipped) {
  // As some editors save a .tsv file; both files read as without the mark.
  const std::string mark = "\xEF\xBB\xBF";
  std::vector<StudyUnit> units;
  std::vector<CommandmentDay> days;
  SourceError error{0, ""};
  EXPECT_TRUE(ParseStudyUnits(mark + kUnitsHeader + "1\t0\t\tהקדמה\tpart\t1\n", &units, &error))
      << error.Reason;
  EXPECT_EQ(units.size(), 1u);
  EXPECT_TRUE(ParseCommandmentDays(mark + kDaysHeader + "1\tP1\tfound\n", &days, &error))
      << error.Reason;
  EXPECT_EQ(days.size(), 1u);
  // Anywhere else the mark is part of its line.
  EXPECT_FALSE(ParseCommandmentDays(kDaysHeader + mark + "1\tP1\tfound\n", &days, &error));
  EXPECT_EQ(error.Line, 2);
}

}  // namespace
