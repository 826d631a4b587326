// The study log's speed: loading a journal of many lines, the progress window's
// figures and a calendar month's day states. Prints one line:
//   zelvan<TAB>lines=N<TAB>load_ms=X<TAB>read_load_ms=Y<TAB>progress_us=Z<TAB>month_states_us=W<TAB>way_back_us=V
// with the best run's times: load (LoadJournalText), read and load
// (ReadJournalFile from a file written first), progress of the three tracks
// with the lessons behind and the streak, the 42 days of a calendar page, and
// the oldest day not learned.
//
//   study_log_bench [LINES [RUNS]]   (default 10000 lines, 20 runs)
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "study_log/journal_file.h"
#include "study_log/study_progress.h"

namespace {

using Clock = std::chrono::steady_clock;

// Microseconds from start to now.
double ElapsedUs(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// A journal of lines lines: every track learned day after day from 2023-04-23,
// every 17th day missed and every 50th mark taken back and made again.
std::string MakeJournal(int64_t lines, AbsoluteDay* lastDay) {
  std::string journal;
  AbsoluteDay day = 738633;
  int64_t written = 0;
  int64_t made = 0;
  char text[kMaxJournalLine];
  while (written < lines) {
    for (int32_t track = 0; track < kTrackCount && written < lines; ++track) {
      if (day % 17 == 0) continue;
      JournalLine line = {1700000000 + written * 60, kJournalLearned, static_cast<LessonTrack>(track), day, 0};
      const bool takeBack = ++made % 50 == 0 && written + 2 < lines;
      for (int32_t i = takeBack ? 0 : 2; i < 3; ++i) {
        line.Kind = i == 1 ? kJournalNotLearned : kJournalLearned;
        journal.append(text, FormatJournalLine(line, text, sizeof text));
        ++written;
      }
    }
    ++day;
  }
  *lastDay = day;
  return journal;
}

}  // namespace

int main(int argc, char** argv) {
  const int64_t lines = argc > 1 ? std::strtoll(argv[1], nullptr, 10) : 10000;
  const int64_t runs = argc > 2 ? std::strtoll(argv[2], nullptr, 10) : 20;
  if (lines < 1 || runs < 1) {
    std::fprintf(stderr, "usage: study_log_bench [LINES [RUNS]]\n");
    return 2;
  }
  AbsoluteDay today = 0;
  const std::string journal = MakeJournal(lines, &today);
  const std::string path = "study_log_bench.txt";
  std::remove(path.c_str());
  const std::basic_string<PathChar> filePath(path.begin(), path.end());
  if (AppendJournalBytes(filePath.c_str(), journal.data(), journal.size()) != kJournalOk) {
    std::fprintf(stderr, "study_log_bench: cannot write %s\n", path.c_str());
    return 1;
  }
  StudyRecord* record = CreateStudyRecord();
  double load = 0, readLoad = 0, progress = 0, states = 0, wayBack = 0;
  int64_t sink = 0;
  for (int64_t run = 0; run < runs; ++run) {
    Clock::time_point start = Clock::now();
    sink += LoadJournalText(record, journal.data(), journal.size());
    const double loadUs = ElapsedUs(start);

    start = Clock::now();
    char* bytes = nullptr;
    size_t size = 0;
    ReadJournalFile(filePath.c_str(), &bytes, &size);
    sink += LoadJournalText(record, bytes, size);
    std::free(bytes);
    const double readLoadUs = ElapsedUs(start);

    start = Clock::now();
    for (int32_t track = 0; track < kTrackCount; ++track) {
      const TrackProgress p = ProgressOf(record, static_cast<LessonTrack>(track), today);
      sink += p.Learned + p.Behind + p.Streak + p.PaceWeek;
    }
    sink += LessonsBehind(record, kAllTracks, today) + StreakOf(record, kAllTracks, today);
    const double progressUs = ElapsedUs(start);

    start = Clock::now();
    for (AbsoluteDay day = today - 35; day < today + 7; ++day) sink += DayStateOf(record, kAllTracks, day, today);
    const double statesUs = ElapsedUs(start);

    start = Clock::now();
    sink += NextDayNotLearned(record, kAllTracks, 0, today);
    const double wayBackUs = ElapsedUs(start);

    if (run == 0 || loadUs < load) load = loadUs;
    if (run == 0 || readLoadUs < readLoad) readLoad = readLoadUs;
    if (run == 0 || progressUs < progress) progress = progressUs;
    if (run == 0 || statesUs < states) states = statesUs;
    if (run == 0 || wayBackUs < wayBack) wayBack = wayBackUs;
  }
  DestroyStudyRecord(record);
  std::remove(path.c_str());
  std::printf("zelvan\tlines=%" PRId64 "\tload_ms=%.3f\tread_load_ms=%.3f\tprogress_us=%.1f\t"
              "month_states_us=%.1f\tway_back_us=%.1f\t(check %" PRId64 ")\n",
              lines, load / 1000, readLoad / 1000, progress, states, wayBack, sink);
  return 0;
}
