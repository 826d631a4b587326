// What the journal means for the user on a given day: cycles, where the user
// began, lessons learned and behind, streaks, the pace that catches up, and
// the days to go back to. Portable; every figure is for the record as loaded.
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
  int32_t Learned;      // lessons of the cycle learned (any day of it)
  int32_t Total;        // lessons of the cycle: kTrackCycleDays[track]
  int32_t Behind;       // days from Began up to yesterday not learned; 0 when not begun
  int32_t Streak;       // StreakOf for this track alone
  int32_t PaceWeek;     // lessons a day that clear Behind and keep up within 7 days; 0 when not behind
  int32_t PaceMonth;    // the same within 30 days; 0 when not behind
};

// The progress of track as of today.
TrackProgress ProgressOf(const StudyRecord* record, LessonTrack track, AbsoluteDay today);

// Lessons behind as of today, summed over the tracks of tracks.
int32_t LessonsBehind(const StudyRecord* record, TrackSet tracks, AbsoluteDay today);

// Consecutive days, ending today (or yesterday while today's lessons are not
// all learned), on which every lesson of tracks was learned; 0 for none.
int32_t StreakOf(const StudyRecord* record, TrackSet tracks, AbsoluteDay today);

// How a day looks in the calendar for the tracks followed.
enum DayStudyState : int32_t {
  kDayNotBegun = 0,  // no mark to show: before the user began, after today, or no track followed
  kDayLearned = 1,   // every lesson of tracks learned
  kDayBehind = 2,    // a day before today, since the user began its track's cycle, with a lesson of tracks not learned
  kDayOpen = 3,      // today or a day the user has begun, not all learned, not yet behind
};
DayStudyState DayStateOf(const StudyRecord* record, TrackSet tracks, AbsoluteDay day, AbsoluteDay today);

// The first day after `after` and not after today on which a lesson of tracks
// is not learned since the user began its cycle; 0 when there is none. With
// after = 0: the oldest such day of the current cycles (the way back).
AbsoluteDay NextDayNotLearned(const StudyRecord* record, TrackSet tracks, AbsoluteDay after,
                              AbsoluteDay today);
