// Conversion speed of the calendar engine. Prints one line:
//   zelvan<TAB>days=N<TAB>abs_to_hebrew_ns=X<TAB>hebrew_to_abs_ns=Y
// with the best run's nanoseconds per conversion.
//
//   calendar_bench bench FIRST LAST RUNS   (FIRST, LAST: absolute days)
//   calendar_bench                         (Gregorian years 1 to 6000, 5 runs)
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calendar/hebrew_calendar.h"

namespace {

constexpr int64_t kDefaultFirst = 1;
constexpr int64_t kDefaultLast = 2191455;  // 31 December 6000
constexpr int64_t kDefaultRuns = 5;

// Parses a whole decimal integer (optional sign) into *value; false if malformed.
bool ParseInteger(const char* text, int64_t* value) {
  char* end = nullptr;
  const long long parsed = std::strtoll(text, &end, 10);
  if (end == text || *end != 0 || parsed < INT32_MIN || parsed > INT32_MAX) return false;
  *value = parsed;
  return true;
}

using Clock = std::chrono::steady_clock;

// Nanoseconds from start to now.
double ElapsedNs(Clock::time_point start) {
  return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

// Runs both passes runs times over first..last; the dates buffer holds
// last - first + 1 records. Returns false if a day does not round-trip.
bool RunBench(int64_t first, int64_t last, int64_t runs, HebrewDate* dates) {
  const int64_t count = last - first + 1;
  double bestToHebrew = 0;
  double bestToAbsolute = 0;
  for (int64_t run = 0; run < runs; ++run) {
    Clock::time_point start = Clock::now();
    for (int64_t i = 0; i < count; ++i) AbsoluteToHebrew(static_cast<AbsoluteDay>(first + i), &dates[i]);
    const double toHebrew = ElapsedNs(start);

    start = Clock::now();
    int64_t mismatches = 0;
    for (int64_t i = 0; i < count; ++i) {
      const HebrewDate& h = dates[i];
      mismatches += HebrewToAbsolute(h.month, h.day, h.year) != first + i;
    }
    const double toAbsolute = ElapsedNs(start);
    if (mismatches != 0) {
      std::fprintf(stderr, "calendar_bench: %" PRId64 " days do not round-trip\n", mismatches);
      return false;
    }
    if (run == 0 || toHebrew < bestToHebrew) bestToHebrew = toHebrew;
    if (run == 0 || toAbsolute < bestToAbsolute) bestToAbsolute = toAbsolute;
  }
  std::printf("zelvan\tdays=%" PRId64 "\tabs_to_hebrew_ns=%.1f\thebrew_to_abs_ns=%.1f\n", count,
              bestToHebrew / count, bestToAbsolute / count);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int64_t first = kDefaultFirst;
  int64_t last = kDefaultLast;
  int64_t runs = kDefaultRuns;
  if (argc != 1) {
    if (argc != 5 || std::strcmp(argv[1], "bench") != 0 || !ParseInteger(argv[2], &first) ||
        !ParseInteger(argv[3], &last) || !ParseInteger(argv[4], &runs) || first > last || runs < 1) {
      std::fprintf(stderr, "usage: calendar_bench bench FIRST LAST RUNS\n");
      return 2;
    }
  }
  // Owned here, released on every path below.
  HebrewDate* dates = static_cast<HebrewDate*>(
      std::malloc(static_cast<size_t>(last - first + 1) * sizeof(HebrewDate)));
  if (!dates) {
    std::fprintf(stderr, "calendar_bench: not enough memory for %" PRId64 " days\n", last - first + 1);
    return 1;
  }
  const bool ok = RunBench(first, last, runs, dates);
  std::free(dates);
  return ok ? 0 : 1;
}
