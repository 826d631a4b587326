// zelvan-cli: the dates of a day, or a table of days, as UTF-8 text on
// standard output. Hebrew is written in reading order.
//
//   zelvan-cli [YYYY-MM-DD]        one day (default: today)
//   zelvan-cli --table FROM TO     one tab-separated line per day, FROM..TO
//   zelvan-cli --help
//
// Exit codes: 0 done, 1 the output could not be written, 2 bad arguments.
#include <cstdint>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "calendar/hebrew_calendar.h"
#include "calendar/hebrew_date_text.h"
#include "lessons/lesson_schedule.h"
#include "lessons/seven_bit_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

constexpr int kExitOk = 0;
constexpr int kExitOutputFailed = 1;
constexpr int kExitBadArguments = 2;

constexpr char kProgram[] = "zelvan-cli";
constexpr int32_t kFirstYear = 1;
constexpr int32_t kLastYear = 9999;

const char* const kWeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};

// Prints the usage to out.
void PrintUsage(FILE* out) {
  std::fprintf(out,
               "usage: %s [YYYY-MM-DD]\n"
               "       %s --table FROM TO\n"
               "       %s --help\n"
               "\n"
               "With a date (default: today): the Gregorian date, the weekday and the\n"
               "Hebrew date.\n"
               "With --table: one tab-separated line for each day from FROM to TO\n"
               "(YYYY-MM-DD, inclusive, years %d to %d): absolute day, date, Hebrew year,\n"
               "Hebrew month, Hebrew day, weekday (0 = Sunday), lesson day.\n",
               kProgram, kProgram, kProgram, kFirstYear, kLastYear);
}

// Reports a bad argument on one line of standard error; returns the exit code.
int BadArguments(const std::string& reason) {
  std::fprintf(stderr, "%s: %s\n", kProgram, reason.c_str());
  return kExitBadArguments;
}

// Reads the digits of text[*at..] into *value (saturating at 10^9) and moves
// *at past them; false unless there are minDigits to maxDigits of them.
bool ReadDigits(const char* text, size_t* at, size_t minDigits, size_t maxDigits, int64_t* value) {
  const size_t first = *at;
  int64_t n = 0;
  while (text[*at] >= '0' && text[*at] <= '9') {
    n = n * 10 + (text[*at] - '0');
    if (n > 1000000000) n = 1000000000;
    ++*at;
  }
  const size_t count = *at - first;
  *value = n;
  return count >= minDigits && count <= maxDigits;
}

// Moves *at past the character c at text[*at]; false if another is there.
bool ReadChar(const char* text, size_t* at, char c) {
  if (text[*at] != c) return false;
  ++*at;
  return true;
}

// Parses a date YYYY-MM-DD (one or more year digits, two month and two day
// digits) of years 1..9999 into *day; false with *reason on failure.
bool ParseDate(const char* text, AbsoluteDay* day, std::string* reason) {
  size_t at = 0;
  int64_t year = 0;
  int64_t month = 0;
  int64_t dayOfMonth = 0;
  const bool wellFormed = ReadDigits(text, &at, 1, SIZE_MAX, &year) && ReadChar(text, &at, '-') &&
                          ReadDigits(text, &at, 2, 2, &month) && ReadChar(text, &at, '-') &&
                          ReadDigits(text, &at, 2, 2, &dayOfMonth) && text[at] == 0;
  if (!wellFormed) {
    *reason = std::string("malformed date '") + text + "' (expected YYYY-MM-DD)";
    return false;
  }
  if (year < kFirstYear || year > kLastYear) {
    *reason = std::string("year out of range in '") + text + "' (years 1 to 9999)";
    return false;
  }
  const int32_t y = static_cast<int32_t>(year);
  const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
  static const int32_t kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || dayOfMonth < 1 ||
      dayOfMonth > kMonthDays[month] + (month == 2 && leap ? 1 : 0)) {
    *reason = std::string("no such date '") + text + "'";
    return false;
  }
  *day = GregorianToAbsolute(static_cast<int32_t>(month), static_cast<int32_t>(dayOfMonth), y);
  return true;
}

// The Hebrew date text of a day in UTF-8, reading order; empty if it has none.
std::string HebrewDateUtf8(AbsoluteDay day) {
  HebrewDate hebrew;
  AbsoluteToHebrew(day, &hebrew);
  uint8_t text[kMaxHebrewDateText + 1];
  const int32_t length = FormatHebrewDate(&hebrew, text);
  std::string utf8;
  if (length <= 0 || !DisplayBytesToUtf8(text, static_cast<size_t>(length), &utf8, nullptr)) return "";
  return utf8;
}

// Writes the one-day report: Gregorian date, weekday and Hebrew date.
void PrintDayReport(AbsoluteDay day) {
  GregorianDate g;
  AbsoluteToGregorian(day, &g);
  std::printf("Gregorian date: %04d-%02d-%02d\n", static_cast<int>(g.year), static_cast<int>(g.month),
              static_cast<int>(g.day));
  std::printf("Weekday: %s\n", kWeekdayNames[WeekdayOf(day)]);
  std::printf("Hebrew date: %s\n", HebrewDateUtf8(day).c_str());
}

// Writes one tab-separated line for each day of first..last.
void PrintTable(AbsoluteDay first, AbsoluteDay last) {
  for (int64_t d = first; d <= last; ++d) {
    const AbsoluteDay day = static_cast<AbsoluteDay>(d);
    GregorianDate g;
    HebrewDate h;
    AbsoluteToGregorian(day, &g);
    AbsoluteToHebrew(day, &h);
    std::printf("%d\t%04d-%02d-%02d\t%d\t%d\t%d\t%d\t%d\n", static_cast<int>(day),
                static_cast<int>(g.year), static_cast<int>(g.month), static_cast<int>(g.day),
                static_cast<int>(h.year), static_cast<int>(h.month), static_cast<int>(h.day),
                static_cast<int>(WeekdayOf(day)), static_cast<int>(LessonDayFromAbsolute(day)));
  }
}

// Today's day, within the supported years (the clock could say otherwise).
bool Today(AbsoluteDay* day, std::string* reason) {
  GregorianDate today;
  GetToday(&today);
  if (today.year < kFirstYear || today.year > kLastYear) {
    *reason = "the clock's year " + std::to_string(today.year) + " is out of range (give a date)";
    return false;
  }
  *day = GregorianToAbsolute(today.month, today.day, today.year);
  return true;
}

// Flushes standard output; returns the exit code.
int FinishOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "%s: cannot write the output\n", kProgram);
    return kExitOutputFailed;
  }
  return kExitOk;
}

// Decodes the arguments and runs one mode; returns the exit code.
int Run(int argc, char** argv) {
  std::string reason;
  if (argc <= 1) {
    AbsoluteDay day = 0;
    if (!Today(&day, &reason)) return BadArguments(reason);
    PrintDayReport(day);
    return FinishOutput();
  }
  const char* first = argv[1];
  if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0) {
    if (argc > 2) return BadArguments(std::string("unexpected argument '") + argv[2] + "'");
    PrintUsage(stdout);
    return FinishOutput();
  }
  if (std::strcmp(first, "--table") == 0) {
    if (argc < 4) return BadArguments("--table needs FROM and TO");
    if (argc > 4) return BadArguments(std::string("unexpected argument '") + argv[4] + "'");
    AbsoluteDay from = 0;
    AbsoluteDay to = 0;
    if (!ParseDate(argv[2], &from, &reason) || !ParseDate(argv[3], &to, &reason))
      return BadArguments(reason);
    if (from > to)
      return BadArguments(std::string("FROM '") + argv[2] + "' is after TO '" + argv[3] + "'");
    PrintTable(from, to);
    return FinishOutput();
  }
  if (first[0] == '-') return BadArguments(std::string("unknown option '") + first + "'");
  if (argc > 2) return BadArguments(std::string("unexpected argument '") + argv[2] + "'");
  AbsoluteDay day = 0;
  if (!ParseDate(first, &day, &reason)) return BadArguments(reason);
  PrintDayReport(day);
  return FinishOutput();
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes as elsewhere: no CR before LF, and UTF-8 on the console.
  _setmode(_fileno(stdout), _O_BINARY);
  const UINT consoleCodePage = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
  const int code = Run(argc, argv);
  if (consoleCodePage != 0) SetConsoleOutputCP(consoleCodePage);
  return code;
#else
  return Run(argc, argv);
#endif
}
