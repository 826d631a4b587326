// What the journal means for the user on a given day: cycles, where the user
// began, lessons learned and behind, streaks, the pace that catches up, and
// the days to go back to. Portable; every figure is for the record as loaded.
//
// Each cycle of a track is begun afresh: where the user began in it is the
// start date they set in it, else its first day marked learned, and days
// before that are neither learned nor behind. Progress and "behind" are those
// of the cycle holding today, so on the first day of a cycle nothing is behind
// and what was left of the cycle before no longer counts against the user;
// the calendar still shows such a day as behind in its own cycle.
#pragma once
#include <cstdint>

#include "common/date_types.h"
#include "lessons/lesson_schedule.h"
#include "study_log/study_journal.h"

// The first day of cycle 1 of every track: 29 April 1984. Each track's cycles
// follow one another by its own length (kTrackCycleDays) before and after it.
constexpr AbsoluteDay kFirstCycleDay = 724395;

// One cycle of a track.
struct TrackCycle {
  int32_t Number;    // 1 for the cycle starting on kFirstCycleDay, counted on and back by the track's length
  AbsoluteDay First;  // its first day
  AbsoluteDay Last;   // its last day: First + kTrackCycleDays[track] - 1
};

// The cycle of track that holds day (any day).
TrackCycle CycleOf(LessonTrack track, AbsoluteDay day);

// The day the user began track's cycle that holds day: the latest start date
// set by hand within that cycle, else the earliest day of the cycle marked
// learned; 0 when neither exists.
AbsoluteDay BeganOn(const StudyRecord* record, LessonTrack track, AbsoluteDay day);

// One track's progress as of today.
struct TrackProgress {
  TrackCycle Cycle;     // the cycle holding today
  AbsoluteDay Began;    // BeganOn for today; 0 = not begun in this cycle
  int32_t Learned;      // lessons of the cycle learned, from Began to its last day; 0 when not begun
  int32_t Total;        // lessons of the cycle: kTrackCycleDays[track]
  int32_t Behind;       // days from Began up to yesterday not learned; 0 when not begun
  int32_t Streak;       // StreakOf for this track alone
  int32_t PaceWeek;     // lessons a day that clear Behind and keep up within 7 days; 0 when not behind
  int32_t PaceMonth;    // the same within 30 days; 0 when not behind
};

// The days of the two catching-up paces.
constexpr int32_t kPaceWeekDays = 7;
constexpr int32_t kPaceMonthDays = 30;

// Lessons a day that, kept for days days from today, learn the behind lessons
// and those days' own: (behind + days) / days rounded up, so that keeping the
// pace does catch up; 0 when behind is 0 or less.
int32_t CatchUpPace(int32_t behind, int32_t days);

// Learned out of Total in per cent, rounded down: 100 only for a whole cycle.
int32_t LearnedPercent(const TrackProgress& progress);

// The progress of track as of today.
TrackProgress ProgressOf(const StudyRecord* record, LessonTrack track, AbsoluteDay today);

// Lessons behind as of today, summed over the tracks of tracks.
int32_t LessonsBehind(const StudyRecord* record, TrackSet tracks, AbsoluteDay today);

// Consecutive days, ending today (or yesterday while today's lessons are not
// all learned), on which every lesson of tracks was learned as marked, over
// the ends of cycles; 0 for none or for empty tracks.
int32_t StreakOf(const StudyRecord* record, TrackSet tracks, AbsoluteDay today);

// How a day looks in the calendar for the tracks followed. Each track of
// tracks is, on the day: learned (since the user began its cycle), behind (a
// day before today, since the user began, not learned), open (today or later,
// since the user began, not learned) or not begun (before the user began its
// cycle, or the user has not begun it).
enum DayStudyState : int32_t {
  kDayNotBegun = 0,  // no mark to show: no track begun, a day after today with none learned, or no track followed
  kDayLearned = 1,   // every lesson of tracks learned (also on a day after today)
  kDayBehind = 2,    // a day before today, since the user began its track's cycle, with a lesson of tracks not learned
  kDayOpen = 3,      // not all learned, none behind: today with a track begun, or any day with some lessons learned
};

// How day looks in the calendar for tracks, as of today.
DayStudyState DayStateOf(const StudyRecord* record, TrackSet tracks, AbsoluteDay day, AbsoluteDay today);

// The first day after `after` and not after today on which a lesson of tracks
// is not learned since the user began its cycle; 0 when there is none. With
// after 0 (or less): the oldest such day of the current cycles (the way back).
AbsoluteDay NextDayNotLearned(const StudyRecord* record, TrackSet tracks, AbsoluteDay after,
                              AbsoluteDay today);
