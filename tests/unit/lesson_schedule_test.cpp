// The daily schedule: the lesson day of any day count, the exact bytes of a
// LessonText, and which entries of which resources each lesson day joins.
#include "lessons/lesson_schedule.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lessons/lesson_entry_listing.h"
#include "lessons/lesson_error.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int32_t kUntouched = -99;

TEST(LessonDayFromAbsolute, AnchorsAndRange) {
  struct Row {
    AbsoluteDay day;
    int32_t lesson;
  };
  const Row rows[] = {
      {724395, 1},     // 29 April 1984, a first day of the cycle
      {732531, 1},     // 8 August 2006
      {733548, 1},     // 21 May 2009
      {732677, 147},   // 1 January 2007
      {724394, 1017},  // the day before a first day
      {291, 1},        // the first day 1 of the count
      {1, 728},        // 1 January of year 1
      {0, 727},        // "no day"
      {-726, 1},       // before year 1, still within the cycle
      {-727, 1017},
      {INT32_MAX, (int32_t)((int64_t{INT32_MAX} + 726) % 1017 + 1)},
      {INT32_MIN, (int32_t)(((int64_t{INT32_MIN} + 726) % 1017 + 1017) % 1017 + 1)},
  };
  for (const Row& row : rows) EXPECT_EQ(LessonDayFromAbsolute(row.day), row.lesson) << row.day;
}

// From one day to the next the lesson day moves on by one and wraps from 1017
// to 1, over days before year 1 as well as after.
TEST(LessonDayFromAbsolute, EveryNextDayAdvancesByOne) {
  int32_t previous = LessonDayFromAbsolute(-20000);
  for (AbsoluteDay day = -19999; day <= 20000; ++day) {
    int32_t lesson = LessonDayFromAbsolute(day);
    ASSERT_GE(lesson, 1);
    ASSERT_LE(lesson, 1017);
    ASSERT_EQ(lesson, previous == 1017 ? 1 : previous + 1) << day;
    previous = lesson;
  }
}

// The expected LessonText of three entries, written out record by record.
Bytes ExpectedText(const std::string& first, const std::string& longTrack,
                   const std::string& second) {
  Bytes text;
  auto record = [&text](uint8_t flag, uint8_t parameter, const std::string& body) {
    text.push_back(flag);
    text.push_back(parameter);
    text.insert(text.end(), body.begin(), body.end());
    text.push_back(0);
  };
  record(92, 0, "nfjm njxyu 'c");
  record(209, 0, first);
  record(199, 175, "");
  record(92, 0, "nfjm 'a xyu");
  record(209, 0, longTrack);
  record(199, 175, "");
  record(92, 0, "{ffwoe yur");
  record(209, 0, second);
  text.insert(text.end(), 3, 0);
  return text;
}

// The LessonText's bytes: records up to the zero flag byte and two more zeros.
Bytes TextBytes(const uint8_t* text, size_t size) { return Bytes(text, text + size); }

TEST(JoinLessonText, WritesTheRecordsInTheirOrder) {
  struct Row {
    std::string first, longTrack, second;
  };
  const Row rows[] = {
      {"abc", "de", "f"},  // short entries
      {"", "", ""},        // empty entries: 61 bytes, records of 58
      {std::string(30, 'a'), std::string(40, 'b'), std::string(50, 'c')},  // 181 bytes
      {std::string(255, 'x'), std::string(255, 'y'), std::string(255, 'z')},  // longest
  };
  for (const Row& row : rows) {
    uint8_t* text = JoinLessonText(reinterpret_cast<const uint8_t*>(row.first.c_str()),
                                   reinterpret_cast<const uint8_t*>(row.longTrack.c_str()),
                                   reinterpret_cast<const uint8_t*>(row.second.c_str()));
    ASSERT_NE(text, nullptr);
    Bytes expected = ExpectedText(row.first, row.longTrack, row.second);
    EXPECT_EQ(expected.size(), row.first.size() + row.longTrack.size() + row.second.size() + 61);
    EXPECT_EQ(TextBytes(text, expected.size()), expected);
    free(text);
  }
}

TEST(AppendRecord, WritesFlagAndTextOnly) {
  uint8_t buffer[8];
  memset(buffer, 0xEE, sizeof buffer);
  const uint8_t text[] = "abc";
  uint8_t* end = AppendRecord(buffer, text, 0xD1);
  EXPECT_EQ(end, buffer + 6);
  EXPECT_EQ(buffer[0], 0xD1);
  EXPECT_EQ(buffer[1], 0xEE) << "the parameter byte is left alone";
  EXPECT_EQ(memcmp(buffer + 2, "abc", 3), 0);
  EXPECT_EQ(buffer[5], 0xEE) << "the terminating zero is not written";
  EXPECT_EQ(AppendRecord(buffer, reinterpret_cast<const uint8_t*>(""), 1), buffer + 3);
}

// The listing index of each track's entry for lesson day d.
struct DayEntries {
  int32_t longTrack, firstShort, secondShort;
};

DayEntries EntriesOf(int32_t d) {
  int32_t k = d - 1;
  int32_t j = k % 339;
  return {k, 1017 + j, 1356 + j};
}

std::string Listing(int32_t index) { return kLessonEntryListing[index]; }

TEST(BuildLessonText, JoinsTheDaysEntriesOfTheThreeTracks) {
  struct Row {
    int32_t day;
    int32_t longId, longIndex, shortId, shortIndex;
  };
  const Row rows[] = {
      {1, 1101, 0, 1301, 0},       // the first day of everything
      {20, 1101, 19, 1301, 19},    // the last entry of the first resource
      {21, 1102, 0, 1302, 0},      // the first entry of the next one
      {339, 1117, 18, 1317, 18},   // the short tracks' last day
      {340, 1117, 19, 1301, 0},    // ... and their restart
      {679, 1134, 18, 1301, 0},    // their second restart
      {1017, 1151, 16, 1317, 18},  // the last day of the cycle
  };
  for (const Row& row : rows) {
    int32_t error = kUntouched;
    uint8_t* text = BuildLessonText(row.day, &error);
    ASSERT_NE(text, nullptr) << row.day;
    EXPECT_EQ(error, kUntouched);
    int32_t longEntry = (row.longId - 1101) * 20 + row.longIndex;
    int32_t shortEntry = (row.shortId - 1301) * 20 + row.shortIndex;
    Bytes expected = ExpectedText(Listing(1017 + shortEntry), Listing(longEntry),
                                  Listing(1356 + shortEntry));
    EXPECT_EQ(TextBytes(text, expected.size()), expected) << row.day;
    free(text);
  }
}

TEST(BuildLessonText, EveryDayOfTheCycle) {
  for (int32_t day = 1; day <= 1017; ++day) {
    uint8_t* text = BuildLessonText(day, nullptr);
    ASSERT_NE(text, nullptr) << day;
    DayEntries entries = EntriesOf(day);
    Bytes expected = ExpectedText(Listing(entries.firstShort), Listing(entries.longTrack),
                                  Listing(entries.secondShort));
    ASSERT_EQ(TextBytes(text, expected.size()), expected) << day;
    free(text);
  }
}

TEST(BuildLessonText, DaysOutsideTheCycleGiveCode3) {
  for (int32_t day : {0, 1018, -1, INT32_MIN, INT32_MAX}) {
    int32_t error = kUntouched;
    EXPECT_EQ(BuildLessonText(day, &error), nullptr) << day;
    EXPECT_EQ(error, kLessonErrorNoChunk) << day;
  }
  EXPECT_EQ(BuildLessonText(0, nullptr), nullptr);
}

}  // namespace
