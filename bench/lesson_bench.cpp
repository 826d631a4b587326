// Speed of the day's LessonText: BuildLessonText over every day of the cycle
// (three resource look-ups, three chunk decompressions, the joined text), and
// of its parts. Prints one line with the best run's figures:
//   lesson_bench<TAB>days=1017<TAB>build_lesson_text_us=X<TAB>load_entry_us=Y<TAB>uncompress_us=Z
//
//   lesson_bench [RUNS]   (default 20)
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "lessons/lesson_decompressor.h"
#include "lessons/lesson_entry.h"
#include "lessons/lesson_resources.h"
#include "lessons/lesson_schedule.h"

namespace {

using Clock = std::chrono::steady_clock;

// Microseconds from start to now.
double ElapsedUs(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Microseconds per day of BuildLessonText over days 1..1017; negative when a
// day fails.
double TimeBuildLessonText() {
  Clock::time_point start = Clock::now();
  for (int32_t day = 1; day <= kLessonCycleDays; ++day) {
    uint8_t* text = BuildLessonText(day, nullptr);
    if (!text) return -1;
    free(text);
  }
  return ElapsedUs(start) / kLessonCycleDays;
}

// Microseconds per call of LoadLessonEntry over every long-track entry.
double TimeLoadEntry() {
  Clock::time_point start = Clock::now();
  for (int32_t k = 0; k < kLessonCycleDays; ++k) {
    uint8_t* entry = LoadLessonEntry(kLongTrackFirstId + k / kEntriesPerResource,
                                     k % kEntriesPerResource, nullptr);
    if (!entry) return -1;
    free(entry);
  }
  return ElapsedUs(start) / kLessonCycleDays;
}

// Microseconds per chunk of UnpackChunk over the long track's 51 resources.
double TimeUncompress() {
  constexpr int32_t kResources = 51;
  constexpr int32_t kRounds = 20;
  const uint8_t* bytes[kResources];
  uint32_t sizes[kResources];
  for (int32_t i = 0; i < kResources; ++i) {
    if (FindLessonResource(kLongTrackFirstId + i, &bytes[i], &sizes[i]) != 0) return -1;
  }
  Clock::time_point start = Clock::now();
  for (int32_t round = 0; round < kRounds; ++round) {
    for (int32_t i = 0; i < kResources; ++i) {
      uint8_t* chunk = UnpackChunk(bytes[i], sizes[i], nullptr);
      if (!chunk) return -1;
      free(chunk);
    }
  }
  return ElapsedUs(start) / (kResources * kRounds);
}

// The smaller of two figures; a failure (negative) is the smallest.
double Best(double best, double figure) { return figure < best ? figure : best; }

}  // namespace

int main(int argc, char** argv) {
  long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20;
  if (argc > 2 || runs < 1 || runs > 100000) {
    std::fprintf(stderr, "usage: lesson_bench [RUNS]   (RUNS 1..100000, default 20)\n");
    return 2;
  }
  double build = 1e9;
  double load = 1e9;
  double uncompress = 1e9;
  for (long run = 0; run < runs; ++run) {
    build = Best(build, TimeBuildLessonText());
    load = Best(load, TimeLoadEntry());
    uncompress = Best(uncompress, TimeUncompress());
  }
  if (build < 0 || load < 0 || uncompress < 0) {
    std::fprintf(stderr, "lesson_bench: the lesson resources cannot be read\n");
    return 1;
  }
  std::printf("lesson_bench\tdays=%d\tbuild_lesson_text_us=%.3f\tload_entry_us=%.3f\t"
              "uncompress_us=%.3f\n",
              kLessonCycleDays, build, load, uncompress);
  return 0;
}
