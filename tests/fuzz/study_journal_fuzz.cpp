// Feeds the journal reader arbitrary bytes: it must read nothing past them,
// every line it reads must be written back as a line that reads the same, and
// the progress of the record it folds must stay within its cycle.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "study_log/study_progress.h"

namespace {

// Aborts unless line, written and read again, is the same line.
void CheckRoundTrip(const JournalLine& line) {
  char text[kMaxJournalLine];
  const size_t length = FormatJournalLine(line, text, sizeof text);
  JournalLine back = {};
  if (length == 0 || !IsValidJournalLine(line) || !ParseJournalLine(text, length - 1, &back) ||
      back.MadeAt != line.MadeAt || back.Kind != line.Kind || back.Track != line.Track ||
      back.Day != line.Day || back.Tracks != line.Tracks) {
    abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size heap copy: a read past size is an error.
  char* bytes = static_cast<char*>(malloc(size + 1));
  if (!bytes) return 0;
  memcpy(bytes, data, size);
  StudyRecord* record = CreateStudyRecord();
  if (!record) {
    free(bytes);
    return 0;
  }
  int32_t lines = 0;
  for (size_t start = 0; start < size;) {
    const char* end = static_cast<const char*>(memchr(bytes + start, '\n', size - start));
    const size_t length = end ? static_cast<size_t>(end - bytes) - start : size - start;
    JournalLine line;
    if (ParseJournalLine(bytes + start, length, &line)) CheckRoundTrip(line);
    ++lines;
    start += length + 1;
  }
  const int32_t skipped = LoadJournalText(record, bytes, size);
  if (skipped < 0 || skipped > lines) abort();

  // Today somewhere around the days the input names, or the supported range's ends.
  uint32_t pick = 0;
  memcpy(&pick, data, size < sizeof pick ? size : sizeof pick);
  const AbsoluteDay today = 724000 + static_cast<AbsoluteDay>(pick % 2900000);
  for (int32_t t = 0; t < kTrackCount; ++t) {
    const LessonTrack track = static_cast<LessonTrack>(t);
    const TrackProgress progress = ProgressOf(record, track, today);
    const TrackCycle& cycle = progress.Cycle;
    if (today < cycle.First || today > cycle.Last || progress.Learned < 0 ||
        progress.Learned > progress.Total || progress.Behind < 0 ||
        (progress.Began != 0 && (progress.Began < cycle.First || progress.Began > cycle.Last)) ||
        (progress.Began > today && progress.Behind != 0) ||
        (progress.Began != 0 && progress.Began <= today && progress.Behind > today - progress.Began) ||
        (progress.Behind == 0) != (progress.PaceWeek == 0) || progress.Streak < 0) {
      abort();
    }
  }
  const TrackSet tracks = FollowedTracks(record);
  const AbsoluteDay back = NextDayNotLearned(record, tracks, 0, today);
  if (back != 0 && (back > today || DayStateOf(record, tracks, back, today) == kDayLearned)) abort();
  for (AbsoluteDay day = today - 21; day <= today + 20; ++day) DayStateOf(record, tracks, day, today);
  DestroyStudyRecord(record);
  free(bytes);
  return 0;
}
