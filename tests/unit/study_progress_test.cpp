// Progress over a journal: cycles, where the user began, learned, behind,
// streaks, paces, the calendar's day states and the way back. The journal is
// of March 2024, in Adar II 5784, where the 339-day cycles 43 and 44 meet.
#include "study_log/study_progress.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Days of March 2024: Mar(20) is 20 March 2024.
constexpr AbsoluteDay Mar(int32_t day) { return 738945 + day; }
constexpr AbsoluteDay kShort43First = 738633;  // 23 April 2023
constexpr AbsoluteDay kShort44First = 738972;  // 27 March 2024
constexpr AbsoluteDay kLong16First = 739650;   // 3 February 2026

// Every track learned on 20-23, 25, 26, 28, 29 March (24 and 27 missed);
// the one-chapter track begun by hand on the 10th and then the 22nd, the
// commandments' new cycle on the 27th; the three-chapters track learned ahead
// on 2 April.
StudyRecord* MarchRecord() {
  StudyRecord* record = CreateStudyRecord();
  for (int32_t day : {20, 21, 22, 23, 25, 26, 28, 29}) {
    for (int32_t track = 0; track < kTrackCount; ++track) {
      ApplyJournalLine(record, {0, kJournalLearned, static_cast<LessonTrack>(track), Mar(day), 0});
    }
  }
  ApplyJournalLine(record, {0, kJournalLearned, kTrackThreeChapters, Mar(33), 0});
  ApplyJournalLine(record, {0, kJournalBegan, kTrackOneChapter, Mar(10), 0});
  ApplyJournalLine(record, {0, kJournalBegan, kTrackOneChapter, Mar(22), 0});
  ApplyJournalLine(record, {0, kJournalBegan, kTrackCommandments, Mar(27), 0});
  return record;
}

TEST(StudyProgress, CyclesOfEachTrack) {
  struct Row {
    LessonTrack track;
    AbsoluteDay day;
    TrackCycle cycle;
  };
  const Row rows[] = {
      {kTrackOneChapter, 724395, {1, 724395, 725411}},                      // 29 April 1984
      {kTrackThreeChapters, 724394, {0, 724056, 724394}},                   // the day before: cycle 0
      {kTrackThreeChapters, Mar(26), {43, kShort43First, Mar(26)}},         // a 339-day cycle's last day
      {kTrackCommandments, Mar(27), {44, kShort44First, kShort44First + 338}},  // and the next one's first
      {kTrackOneChapter, Mar(27), {15, kShort43First, kLong16First - 1}},   // the long cycle runs on
      {kTrackOneChapter, kLong16First, {16, kLong16First, kLong16First + 1016}},
      {kTrackThreeChapters, 1, {-2136, -48, 290}},                          // 1 January of year 1
  };
  for (const Row& row : rows) {
    const TrackCycle cycle = CycleOf(row.track, row.day);
    EXPECT_EQ(cycle.Number, row.cycle.Number) << row.day;
    EXPECT_EQ(cycle.First, row.cycle.First) << row.day;
    EXPECT_EQ(cycle.Last, row.cycle.Last) << row.day;
  }
  HebrewDate date;
  EXPECT_EQ(AbsoluteToHebrew(Mar(26), &date)->month, 13) << "the cycles meet in Adar II";
}

TEST(StudyProgress, ProgressOfEachTrack) {
  StudyRecord* record = MarchRecord();
  struct Row {
    LessonTrack track;
    AbsoluteDay today;
    int32_t cycle, began, learned, behind, streak, paceWeek, paceMonth;
  };
  const Row rows[] = {
      // The last day of cycle 43: begun with the first mark, the 24th behind.
      {kTrackThreeChapters, Mar(26), 43, Mar(20), 6, 1, 2, 2, 2},
      // The first day of cycle 44: not begun yet (its first mark is on the
      // 28th); the 24th no longer counts; the streak runs on from yesterday.
      {kTrackThreeChapters, Mar(27), 44, Mar(28), 3, 0, 2, 0, 0},
      // The 27th was before the user began cycle 44: not behind.
      {kTrackThreeChapters, Mar(30), 44, Mar(28), 3, 0, 2, 0, 0},
      // Begun by hand on the 22nd (the later of two start dates): the 20th and
      // 21st neither learned nor behind; the 24th and 27th behind.
      {kTrackOneChapter, Mar(30), 15, Mar(22), 6, 2, 2, 2, 2},
      // Begun by hand on the 27th of cycle 44, missed that day.
      {kTrackCommandments, Mar(30), 44, Mar(27), 2, 1, 2, 2, 2},
      // Cycle 43 has no start date set: its first mark.
      {kTrackCommandments, Mar(26), 43, Mar(20), 6, 1, 2, 2, 2},
      // Nothing marked in the cycle.
      {kTrackCommandments, kLong16First, 46, 0, 0, 0, 0, 0, 0},
  };
  for (const Row& row : rows) {
    const TrackProgress progress = ProgressOf(record, row.track, row.today);
    const std::string at = std::string(kTrackNames[row.track]) + " on " + std::to_string(row.today);
    EXPECT_EQ(progress.Cycle.Number, row.cycle) << at;
    EXPECT_EQ(progress.Began, row.began) << at;
    EXPECT_EQ(progress.Learned, row.learned) << at;
    EXPECT_EQ(progress.Total, kTrackCycleDays[row.track]) << at;
    EXPECT_EQ(progress.Behind, row.behind) << at;
    EXPECT_EQ(progress.Streak, row.streak) << at;
    EXPECT_EQ(progress.PaceWeek, row.paceWeek) << at;
    EXPECT_EQ(progress.PaceMonth, row.paceMonth) << at;
  }
  EXPECT_EQ(LessonsBehind(record, kAllTracks, Mar(30)), 3);
  EXPECT_EQ(LessonsBehind(record, kAllTracks, Mar(26)), 3);
  EXPECT_EQ(LessonsBehind(record, 1u << kTrackThreeChapters, Mar(30)), 0);
  EXPECT_EQ(StreakOf(record, kAllTracks, Mar(23)), 4);  // today learned: it counts
  EXPECT_EQ(StreakOf(record, kAllTracks, Mar(30)), 2);  // today open: up to yesterday
  EXPECT_EQ(StreakOf(record, kAllTracks, Mar(31)), 0);  // yesterday missed
  EXPECT_EQ(StreakOf(record, 0, Mar(23)), 0);
  DestroyStudyRecord(record);
}

TEST(StudyProgress, PaceAndPercent) {
  // Rounded up: keeping the pace catches up within the days.
  EXPECT_EQ(CatchUpPace(0, kPaceWeekDays), 0);
  EXPECT_EQ(CatchUpPace(1, kPaceWeekDays), 2);   // 8 lessons in 7 days
  EXPECT_EQ(CatchUpPace(7, kPaceWeekDays), 2);   // 14 in 7
  EXPECT_EQ(CatchUpPace(8, kPaceWeekDays), 3);   // 15 in 7
  EXPECT_EQ(CatchUpPace(30, kPaceMonthDays), 2);
  EXPECT_EQ(CatchUpPace(31, kPaceMonthDays), 3);
  // Rounded down: 100 only for a whole cycle.
  TrackProgress progress = {};
  progress.Total = 339;
  progress.Learned = 338;
  EXPECT_EQ(LearnedPercent(progress), 99);
  progress.Learned = 339;
  EXPECT_EQ(LearnedPercent(progress), 100);
}

TEST(StudyProgress, CalendarStatesAndTheWayBack) {
  StudyRecord* record = MarchRecord();
  const TrackSet three = 1u << kTrackThreeChapters;
  struct Row {
    TrackSet tracks;
    AbsoluteDay day;
    DayStudyState state;
  };
  const Row rows[] = {
      {kAllTracks, Mar(19), kDayNotBegun},  // before the user began
      {kAllTracks, Mar(20), kDayOpen},      // learned, but before the one-chapter start date
      {kAllTracks, Mar(23), kDayLearned},
      {kAllTracks, Mar(24), kDayBehind},
      {kAllTracks, Mar(27), kDayBehind},    // the one-chapter and commandments tracks
      {three, Mar(27), kDayNotBegun},       // before the first mark of cycle 44
      {kAllTracks, Mar(30), kDayOpen},      // today
      {kAllTracks, Mar(31), kDayNotBegun},  // after today
      {three, Mar(33), kDayLearned},        // learned ahead
      {kAllTracks, Mar(33), kDayOpen},      // partly learned ahead
      {0, Mar(23), kDayNotBegun},           // no track followed
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DayStateOf(record, row.tracks, row.day, Mar(30)), row.state) << row.day;
  }
  struct Next {
    TrackSet tracks;
    AbsoluteDay after;
    AbsoluteDay day;
  };
  const Next next[] = {
      {kAllTracks, 0, Mar(24)},         // the way back: oldest of the current cycles
      {kAllTracks, Mar(24), Mar(27)},
      {kAllTracks, Mar(27), Mar(30)},   // today, still open
      {kAllTracks, Mar(30), 0},
      {three, 0, Mar(30)},              // cycle 44, begun on the 28th
      {three, Mar(10), Mar(24)},        // from an earlier day: cycle 43's day behind
      {three, 5, Mar(24)},              // from year 1, over every cycle since
  };
  for (const Next& row : next) {
    EXPECT_EQ(NextDayNotLearned(record, row.tracks, row.after, Mar(30)), row.day) << row.after;
  }
  DestroyStudyRecord(record);
}

}  // namespace
