#include "study_log/study_progress.h"

#include "calendar/calendar_range.h"

namespace {

// How one track stands on a day.
enum TrackDayState : int32_t { kTrackNotBegun, kTrackLearned, kTrackBehind, kTrackOpen };

// How track stands on day, with today as the first day not yet past.
TrackDayState TrackStateOf(const StudyRecord* record, LessonTrack track, AbsoluteDay day,
                           AbsoluteDay today) {
  const AbsoluteDay began = BeganOn(record, track, day);
  if (began == 0 || day < began) return kTrackNotBegun;
  if (IsLearned(record, track, day)) return kTrackLearned;
  return day < today ? kTrackBehind : kTrackOpen;
}

// True when every lesson of tracks (not empty) is learned on day.
bool AllLearned(const StudyRecord* record, TrackSet tracks, AbsoluteDay day) {
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (HasTrack(tracks, track) && !IsLearned(record, static_cast<LessonTrack>(track), day)) {
      return false;
    }
  }
  return true;
}

// The first day from first (a supported day) to today of track not learned
// since the user began its cycle; 0 when there is none.
AbsoluteDay FirstNotLearnedSince(const StudyRecord* record, LessonTrack track, AbsoluteDay first,
                                 AbsoluteDay today) {
  if (today > kLastSupportedDay) today = kLastSupportedDay;
  for (TrackCycle cycle = CycleOf(track, first); cycle.First <= today;
       cycle = CycleOf(track, cycle.Last + 1)) {
    const AbsoluteDay began = BeganOn(record, track, cycle.First);
    if (began == 0) continue;
    const AbsoluteDay from = began > first ? began : first;
    const AbsoluteDay to = cycle.Last < today ? cycle.Last : today;
    const AbsoluteDay day = from <= to ? FirstDayWhere(record, track, from, to, false) : 0;
    if (day != 0) return day;
  }
  return 0;
}

}  // namespace

TrackCycle CycleOf(LessonTrack track, AbsoluteDay day) {
  const int64_t length = kTrackCycleDays[track];
  int64_t offset = int64_t{day} - kFirstCycleDay;
  // Floor division: cycles run on before the first one as well.
  int64_t index = offset / length;
  if (offset % length < 0) --index;
  const int64_t first = kFirstCycleDay + index * length;
  return TrackCycle{static_cast<int32_t>(index + 1), static_cast<AbsoluteDay>(first),
                    static_cast<AbsoluteDay>(first + length - 1)};
}

AbsoluteDay BeganOn(const StudyRecord* record, LessonTrack track, AbsoluteDay day) {
  const AbsoluteDay set = StartSetFor(record, track, day);
  if (set != 0) return set;
  const TrackCycle cycle = CycleOf(track, day);
  return FirstDayWhere(record, track, cycle.First, cycle.Last, true);
}

int32_t CatchUpPace(int32_t behind, int32_t days) {
  if (behind <= 0 || days <= 0) return 0;
  return static_cast<int32_t>((int64_t{behind} + days + days - 1) / days);
}

int32_t LearnedPercent(const TrackProgress& progress) {
  return progress.Total > 0 ? static_cast<int32_t>(int64_t{progress.Learned} * 100 / progress.Total) : 0;
}

TrackProgress ProgressOf(const StudyRecord* record, LessonTrack track, AbsoluteDay today) {
  TrackProgress progress = {};
  progress.Cycle = CycleOf(track, today);
  progress.Began = BeganOn(record, track, today);
  progress.Total = kTrackCycleDays[track];
  if (progress.Began != 0) {
    progress.Learned = CountLearned(record, track, progress.Began, progress.Cycle.Last);
    if (progress.Began < today) {
      const AbsoluteDay yesterday = today - 1;
      progress.Behind = (yesterday - progress.Began + 1) -
                        CountLearned(record, track, progress.Began, yesterday);
    }
  }
  progress.Streak = StreakOf(record, 1u << track, today);
  progress.PaceWeek = CatchUpPace(progress.Behind, kPaceWeekDays);
  progress.PaceMonth = CatchUpPace(progress.Behind, kPaceMonthDays);
  return progress;
}

int32_t LessonsBehind(const StudyRecord* record, TrackSet tracks, AbsoluteDay today) {
  int32_t behind = 0;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (HasTrack(tracks, track)) behind += ProgressOf(record, static_cast<LessonTrack>(track), today).Behind;
  }
  return behind;
}

int32_t StreakOf(const StudyRecord* record, TrackSet tracks, AbsoluteDay today) {
  tracks &= kAllTracks;
  if (tracks == 0 || !IsSupportedDay(today)) return 0;
  AbsoluteDay day = AllLearned(record, tracks, today) ? today : today - 1;
  int32_t streak = 0;
  while (IsSupportedDay(day) && AllLearned(record, tracks, day)) {
    ++streak;
    --day;
  }
  return streak;
}

DayStudyState DayStateOf(const StudyRecord* record, TrackSet tracks, AbsoluteDay day, AbsoluteDay today) {
  int32_t counts[4] = {};
  int32_t followed = 0;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (!HasTrack(tracks, track)) continue;
    ++followed;
    ++counts[TrackStateOf(record, static_cast<LessonTrack>(track), day, today)];
  }
  if (followed == 0) return kDayNotBegun;
  if (counts[kTrackLearned] == followed) return kDayLearned;
  if (counts[kTrackBehind] > 0) return kDayBehind;
  if (counts[kTrackLearned] > 0 || (counts[kTrackOpen] > 0 && day == today)) return kDayOpen;
  return kDayNotBegun;
}

AbsoluteDay NextDayNotLearned(const StudyRecord* record, TrackSet tracks, AbsoluteDay after,
                              AbsoluteDay today) {
  AbsoluteDay best = 0;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (!HasTrack(tracks, track)) continue;
    const LessonTrack t = static_cast<LessonTrack>(track);
    AbsoluteDay day = 0;
    if (after <= 0) {
      const AbsoluteDay began = BeganOn(record, t, today);
      day = began != 0 && began <= today ? FirstDayWhere(record, t, began, today, false) : 0;
    } else if (after < today) {
      day = FirstNotLearnedSince(record, t, after + 1, today);
    }
    if (day != 0 && (best == 0 || day < best)) best = day;
  }
  return best;
}
