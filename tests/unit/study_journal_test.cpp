// The study journal's lines, written and read, and the record folded from a
// whole journal: the latest line wins, unreadable lines are skipped.
#include "study_log/study_journal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace std::string_literals;

constexpr AbsoluteDay k2026May3 = 739739;
constexpr int64_t kMay3Evening = 1777837327;  // 2026-05-03T19:42:07Z

TEST(StudyJournal, LinesWrittenAndReadBack) {
  struct Row {
    JournalLine line;
    const char* text;  // as written; "" when the line is not valid
  };
  const Row rows[] = {
      {{kMay3Evening, kJournalLearned, kTrackThreeChapters, k2026May3, 0},
       "2026-05-03T19:42:07Z learned 3 2026-05-03\n"},
      {{kMay3Evening, kJournalNotLearned, kTrackCommandments, k2026May3 - 1, 0},
       "2026-05-03T19:42:07Z not-learned commandments 2026-05-02\n"},
      {{kMay3Evening, kJournalBegan, kTrackOneChapter, k2026May3, 0},
       "2026-05-03T19:42:07Z began 1 2026-05-03\n"},
      {{kMay3Evening, kJournalFollows, kTrackThreeChapters, 0, 0b101},
       "2026-05-03T19:42:07Z follows 3,commandments\n"},
      // The ends of the time and of the days.
      {{0, kJournalLearned, kTrackOneChapter, 1, 0}, "1970-01-01T00:00:00Z learned 1 0001-01-01\n"},
      {{kLastJournalSecond, kJournalLearned, kTrackOneChapter, 3652059, 0},
       "9999-12-31T23:59:59Z learned 1 9999-12-31\n"},
      // Not valid: a time before 1970 or after 9999, no such track, day or track set.
      {{-1, kJournalLearned, kTrackOneChapter, k2026May3, 0}, ""},
      {{kLastJournalSecond + 1, kJournalLearned, kTrackOneChapter, k2026May3, 0}, ""},
      {{0, kJournalLearned, kTrackCount, k2026May3, 0}, ""},
      {{0, kJournalBegan, kTrackOneChapter, 0, 0}, ""},
      {{0, kJournalBegan, kTrackOneChapter, 3652060, 0}, ""},
      {{0, kJournalFollows, kTrackOneChapter, 0, 0}, ""},
      {{0, kJournalFollows, kTrackOneChapter, 0, 0b1000}, ""},
      {{0, static_cast<JournalKind>(4), kTrackOneChapter, k2026May3, 0}, ""},
  };
  for (const Row& row : rows) {
    char out[kMaxJournalLine];
    const size_t length = FormatJournalLine(row.line, out, sizeof out);
    EXPECT_EQ(std::string(out, length), row.text);
    EXPECT_EQ(IsValidJournalLine(row.line), length > 0);
    if (length == 0) continue;
    EXPECT_EQ(FormatJournalLine(row.line, out, length - 1), 0u) << "too small a buffer";
    JournalLine back = {};
    ASSERT_TRUE(ParseJournalLine(out, length - 1, &back)) << row.text;
    EXPECT_EQ(back.MadeAt, row.line.MadeAt);
    EXPECT_EQ(back.Kind, row.line.Kind);
    EXPECT_EQ(back.Track, row.line.Track);
    EXPECT_EQ(back.Day, row.line.Day);
    EXPECT_EQ(back.Tracks, row.line.Tracks);
  }
}

TEST(StudyJournal, WhichLinesAreRead) {
  struct Row {
    std::string text;
    bool read;
  };
  const Row rows[] = {
      {"2026-05-03T19:42:07Z learned 3 2026-05-03", true},
      {"2026-05-03T19:42:07Z learned 3 2026-05-03\r", true},               // written on Windows
      {" 2026-05-03T19:42:07Z\tlearned   3 2026-05-03  ", true},           // blanks of a hand edit
      {"2026-05-03T19:42:07Z follows commandments,1", true},               // tracks in any order
      {"2026-05-03T19:42:07Z learned 3 2026-05-0", false},                 // cut short
      {"2026-05-03T19:42:07Z learned 3", false},                           // cut short
      {"2026-05-03T19:42:07Z learned 3 2026-05-03 partly", false},         // a newer version's field
      {"2026-05-03T19:42:07Z reviewed 3 2026-05-03", false},               // a newer version's kind
      {"2026-05-03T19:42:07Z Learned 3 2026-05-03", false},                // kind words are lower case
      {"2026-05-03T19:42:07Z learned 2 2026-05-03", false},                // no track "2"
      {"2026-05-03T19:42:07Z learned 3 2026-02-29", false},                // no 29 February in 2026
      {"2026-05-03T19:42:07Z learned 3 0000-01-01", false},                // before the supported days
      {"2026-05-03T19:42:07Z learned 3 26-05-03", false},                  // a year of four digits
      {"2026-05-03T24:00:00Z learned 3 2026-05-03", false},                // no hour 24
      {"2026-05-03T19:42:60Z learned 3 2026-05-03", false},                // no leap second
      {"2026-05-03T19:42:07 learned 3 2026-05-03", false},                 // the time in UTC only
      {"1969-12-31T23:59:59Z learned 3 2026-05-03", false},                // before 1970
      {"2026-05-03T19:42:07Z follows 3,3", false},                         // a track twice
      {"2026-05-03T19:42:07Z follows 3,", false},                          // an empty name
      {"2026-05-03T19:42:07Z follows", false},
      {std::string("2026-05-03T19:42:07Z learned 3 2026-05-03\0", 42), false},  // a zero byte
      {"# learned 3 2026-05-03", false},                                   // a remark
      {"", false},
      {"\xff\xfe garbage \x01", false},
  };
  for (const Row& row : rows) {
    JournalLine line = {7, kJournalFollows, kTrackOneChapter, 1, 1};
    const bool read = ParseJournalLine(row.text.data(), row.text.size(), &line);
    EXPECT_EQ(read, row.read) << row.text;
    EXPECT_EQ(line.MadeAt, read ? kMay3Evening : 7) << row.text;
  }
}

// A journal as a hand edit, a crash, a newer version and a sync leave it.
TEST(StudyJournal, LoadKeepsTheLatestLineAndSkipsWhatItCannotRead) {
  const std::string journal =
      "# my study log\n"
      "2026-05-01T20:00:00Z learned 3 2026-05-01\n"
      "2026-05-01T20:00:01Z learned 3 2026-05-02\n"
      "2026-05-02T20:00:00Z not-learned 3 2026-05-02\n"   // taken back
      "2026-05-02T20:00:00Z not-learned 1 2026-05-03\n"   // taken back first,
      "2026-05-02T20:00:01Z learned 1 2026-05-03\n"       // then learned after all
      "2026-05-02T20:00:00Z learned 3 2026-05-03 partly\n"   // newer version
      "\x01\xff garbage\0 \n"
      "\n"
      "2026-05-03T08:00:00Z follows 1,commandments\r\n"
      "2026-05-03T09:00:00Z learned commandments 2026-05-04"s;  // cut short by a crash
  StudyRecord* record = CreateStudyRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(FollowedTracks(record), kAllTracks);
  ASSERT_TRUE(ApplyJournalLine(record, {0, kJournalLearned, kTrackOneChapter, 1000, 0}));
  EXPECT_EQ(LoadJournalText(record, journal.data(), journal.size()), 3);
  EXPECT_FALSE(IsLearned(record, kTrackOneChapter, 1000)) << "replaced by the journal";
  EXPECT_TRUE(IsLearned(record, kTrackThreeChapters, k2026May3 - 2));
  EXPECT_FALSE(IsLearned(record, kTrackThreeChapters, k2026May3 - 1));
  EXPECT_TRUE(IsLearned(record, kTrackOneChapter, k2026May3));
  EXPECT_FALSE(IsLearned(record, kTrackThreeChapters, k2026May3));
  EXPECT_FALSE(IsLearned(record, kTrackCommandments, k2026May3 + 1));
  EXPECT_EQ(FollowedTracks(record), 0b110u);
  EXPECT_EQ(CountLearned(record, kTrackThreeChapters, 0, 4000000), 1);
  EXPECT_EQ(FirstDayWhere(record, kTrackThreeChapters, k2026May3 - 2, k2026May3, false), k2026May3 - 1);
  // A line that is not valid changes nothing.
  EXPECT_FALSE(ApplyJournalLine(record, {0, kJournalFollows, kTrackOneChapter, 0, 0}));
  EXPECT_EQ(FollowedTracks(record), 0b110u);
  EXPECT_EQ(LoadJournalText(record, nullptr, 0), 0);
  EXPECT_EQ(FollowedTracks(record), kAllTracks);
  DestroyStudyRecord(record);
}

}  // namespace
