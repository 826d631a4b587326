// The folded journal: a bit per track and day in pages of days made on first
// use, the start dates set by hand per track and cycle, the followed tracks.
#include <cstdlib>
#include <cstring>

#include "calendar/calendar_range.h"
#include "study_log/study_journal.h"
#include "study_log/study_progress.h"

namespace {

constexpr int32_t kWordDays = 64;
constexpr int32_t kPageDays = 4096;
constexpr int32_t kPageWords = kPageDays / kWordDays;
constexpr int32_t kPageCount = kLastSupportedDay / kPageDays + 1;

// The learned bits of kPageDays consecutive days, bit (day % 64) of word
// (day % kPageDays) / 64 of the day's page day / kPageDays.
struct LearnedPage {
  uint64_t Words[kTrackCount][kPageWords];
};

// A start date set by hand and the cycle of the track it is in.
struct StartDate {
  int32_t Cycle;
  AbsoluteDay Day;
};

// The start dates of one track, sorted by cycle, one per cycle.
struct StartDates {
  StartDate* Items;  // malloc'd; null when Capacity is 0
  int32_t Count;
  int32_t Capacity;
};

}  // namespace

struct StudyRecord {
  LearnedPage* Pages[kPageCount];  // null: nothing learned on those days
  StartDates Starts[kTrackCount];
  TrackSet Followed;
};

namespace {

// Releases everything record holds and leaves it empty.
void ClearRecord(StudyRecord* record) {
  for (LearnedPage*& page : record->Pages) {
    free(page);
    page = nullptr;
  }
  for (StartDates& starts : record->Starts) {
    free(starts.Items);
    starts = StartDates{nullptr, 0, 0};
  }
  record->Followed = kAllTracks;
}

// The word of track's bits holding day (a supported day); 0 for a page not made.
uint64_t WordOf(const StudyRecord* record, LessonTrack track, int64_t word) {
  const LearnedPage* page = record->Pages[word / kPageWords];
  return page ? page->Words[track][word % kPageWords] : 0;
}

// The bits of word number word (days word*64 .. word*64+63) that lie in first..last.
uint64_t RangeMask(int64_t word, AbsoluteDay first, AbsoluteDay last) {
  const int64_t low = word * kWordDays;
  uint64_t mask = ~uint64_t{0};
  if (first > low) mask &= ~uint64_t{0} << (first - low);
  if (last < low + kWordDays - 1) mask &= ~uint64_t{0} >> (low + kWordDays - 1 - last);
  return mask;
}

// The index in starts of cycle, or of where it would go.
int32_t FindStart(const StartDates& starts, int32_t cycle) {
  int32_t low = 0;
  int32_t high = starts.Count;
  while (low < high) {
    const int32_t middle = low + (high - low) / 2;
    if (starts.Items[middle].Cycle < cycle) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

// Records day as the start date of track's cycle holding it; false without memory.
bool SetStart(StudyRecord* record, LessonTrack track, AbsoluteDay day) {
  StartDates& starts = record->Starts[track];
  const int32_t cycle = CycleOf(track, day).Number;
  const int32_t at = FindStart(starts, cycle);
  if (at < starts.Count && starts.Items[at].Cycle == cycle) {
    starts.Items[at].Day = day;
    return true;
  }
  if (starts.Count == starts.Capacity) {
    const int32_t capacity = starts.Capacity == 0 ? 4 : starts.Capacity * 2;
    StartDate* items =
        static_cast<StartDate*>(realloc(starts.Items, sizeof(StartDate) * static_cast<size_t>(capacity)));
    if (!items) return false;
    starts.Items = items;
    starts.Capacity = capacity;
  }
  memmove(starts.Items + at + 1, starts.Items + at, sizeof(StartDate) * static_cast<size_t>(starts.Count - at));
  starts.Items[at] = StartDate{cycle, day};
  ++starts.Count;
  return true;
}

// Sets or clears track's bit of day (a supported day); false without memory.
bool SetLearned(StudyRecord* record, LessonTrack track, AbsoluteDay day, bool learned) {
  LearnedPage*& page = record->Pages[day / kPageDays];
  if (!page) {
    if (!learned) return true;
    page = static_cast<LearnedPage*>(calloc(1, sizeof(LearnedPage)));
    if (!page) return false;
  }
  uint64_t& word = page->Words[track][day % kPageDays / kWordDays];
  const uint64_t bit = uint64_t{1} << (day % kWordDays);
  word = learned ? word | bit : word & ~bit;
  return true;
}

}  // namespace

StudyRecord* CreateStudyRecord() {
  StudyRecord* record = static_cast<StudyRecord*>(calloc(1, sizeof(StudyRecord)));
  if (record) record->Followed = kAllTracks;
  return record;
}

void DestroyStudyRecord(StudyRecord* record) {
  if (!record) return;
  ClearRecord(record);
  free(record);
}

bool ApplyJournalLine(StudyRecord* record, const JournalLine& line) {
  if (!IsValidJournalLine(line)) return false;
  switch (line.Kind) {
    case kJournalLearned: return SetLearned(record, line.Track, line.Day, true);
    case kJournalNotLearned: return SetLearned(record, line.Track, line.Day, false);
    case kJournalBegan: return SetStart(record, line.Track, line.Day);
    case kJournalFollows: record->Followed = line.Tracks; return true;
  }
  return false;
}

int32_t LoadJournalText(StudyRecord* record, const char* bytes, size_t size) {
  StudyRecord* loaded = CreateStudyRecord();
  if (!loaded) return -1;
  int32_t skipped = 0;
  size_t start = 0;
  while (start < size) {
    const char* end = static_cast<const char*>(memchr(bytes + start, '\n', size - start));
    const size_t length = end ? static_cast<size_t>(end - (bytes + start)) : size - start;
    JournalLine line;
    if (!end) {
      skipped += !IsJournalRemark(bytes + start, length);  // torn: the write did not end
    } else if (ParseJournalLine(bytes + start, length, &line)) {
      if (!ApplyJournalLine(loaded, line)) {
        DestroyStudyRecord(loaded);
        return -1;
      }
    } else if (!IsJournalRemark(bytes + start, length) && skipped < INT32_MAX) {
      ++skipped;
    }
    start += length + 1;
  }
  ClearRecord(record);
  memcpy(record, loaded, sizeof(StudyRecord));
  free(loaded);
  return skipped;
}

bool IsLearned(const StudyRecord* record, LessonTrack track, AbsoluteDay day) {
  if (track < 0 || track >= kTrackCount || !IsSupportedDay(day)) return false;
  return (WordOf(record, track, day / kWordDays) >> (day % kWordDays)) & 1u;
}

TrackSet FollowedTracks(const StudyRecord* record) { return record->Followed; }

int32_t CountLearned(const StudyRecord* record, LessonTrack track, AbsoluteDay first,
                     AbsoluteDay last) {
  if (track < 0 || track >= kTrackCount) return 0;
  first = first < kFirstSupportedDay ? kFirstSupportedDay : first;
  last = last > kLastSupportedDay ? kLastSupportedDay : last;
  int32_t count = 0;
  for (int64_t word = first / kWordDays; word <= int64_t{last} / kWordDays && first <= last; ++word) {
    count += __builtin_popcountll(WordOf(record, track, word) & RangeMask(word, first, last));
  }
  return count;
}

AbsoluteDay FirstDayWhere(const StudyRecord* record, LessonTrack track, AbsoluteDay first,
                          AbsoluteDay last, bool learned) {
  if (track < 0 || track >= kTrackCount) return 0;
  first = first < kFirstSupportedDay ? kFirstSupportedDay : first;
  last = last > kLastSupportedDay ? kLastSupportedDay : last;
  for (int64_t word = first / kWordDays; word <= int64_t{last} / kWordDays && first <= last; ++word) {
    const uint64_t bits = learned ? WordOf(record, track, word) : ~WordOf(record, track, word);
    const uint64_t found = bits & RangeMask(word, first, last);
    if (found) return static_cast<AbsoluteDay>(word * kWordDays + __builtin_ctzll(found));
  }
  return 0;
}

AbsoluteDay StartSetFor(const StudyRecord* record, LessonTrack track, AbsoluteDay day) {
  if (track < 0 || track >= kTrackCount) return 0;
  const StartDates& starts = record->Starts[track];
  const int32_t cycle = CycleOf(track, day).Number;
  const int32_t at = FindStart(starts, cycle);
  return at < starts.Count && starts.Items[at].Cycle == cycle ? starts.Items[at].Day : 0;
}
