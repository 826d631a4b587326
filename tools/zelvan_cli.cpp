// zelvan-cli: the dates and lessons of a day, or of consecutive days, or a
// table of days, as UTF-8 text on standard output. Hebrew is written in
// reading order.
//
//   zelvan-cli [--days N] [YYYY-MM-DD]        N days (default 1) from the date (default: today)
//   zelvan-cli --tsv [--days N] [YYYY-MM-DD]  the same as one tab-separated line per day
//   zelvan-cli --table FROM TO                one tab-separated line of numbers per day
//   zelvan-cli --help
//
// Exit codes: 0 done, 1 the output could not be written or the lessons could
// not be read, 2 bad arguments.
#include <cstdint>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calendar/day_names.h"
#include "calendar/hebrew_calendar.h"
#include "calendar/hebrew_date_text.h"
#include "calendar/calendar_range.h"
#include "lessons/lesson_error.h"
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
constexpr int kExitLessonsUnreadable = 1;
constexpr int kExitBadArguments = 2;

constexpr char kProgram[] = "zelvan-cli";
constexpr int32_t kFirstYear = 1;
constexpr int32_t kLastYear = 9999;
constexpr int64_t kMaxDays = 100000;  // --days N: N is 1..kMaxDays

// Prints the usage to out.
void PrintUsage(FILE* out) {
  std::fprintf(out,
               "usage: %s [--days N] [YYYY-MM-DD]\n"
               "       %s --tsv [--days N] [YYYY-MM-DD]\n"
               "       %s --table FROM TO\n"
               "       %s --help\n"
               "\n"
               "With a date (default: today): the Gregorian date, the weekday, the\n"
               "Hebrew date, the lesson day and the day's three lessons under their\n"
               "headings; with --days N (1 to %d), N consecutive days from the date.\n"
               "With --tsv: one tab-separated line for each of those days: date, lesson\n"
               "day, Hebrew date, the three-chapters lesson, the one-chapter lesson,\n"
               "the commandments lesson.\n"
               "With --table: one tab-separated line for each day from FROM to TO\n"
               "(YYYY-MM-DD, inclusive, years %d to %d): absolute day, date, Hebrew year,\n"
               "Hebrew month, Hebrew day, weekday (0 = Sunday), lesson day.\n",
               kProgram, kProgram, kProgram, kProgram, static_cast<int>(kMaxDays), kFirstYear,
               kLastYear);
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

// The three lessons of a day as the program shows them, UTF-8 in reading
// order: each track's heading and entry, in the order of the text.
struct DayLessons {
  int32_t LessonDay;
  std::string Headings[3];
  std::string Entries[3];
};

// Reads the lessons of day from the day's LessonText; false with *reason
// when the lesson data cannot be read.
bool ReadDayLessons(AbsoluteDay day, DayLessons* lessons, std::string* reason) {
  constexpr uint8_t kHeadingFlag = 0x5C;
  constexpr uint8_t kEntryFlag = 0xD1;
  lessons->LessonDay = LessonDayFromAbsolute(day);
  int32_t error = 0;
  uint8_t* text = BuildLessonText(lessons->LessonDay, &error);
  if (!text) {
    *reason = "cannot read the lessons of lesson day " + std::to_string(lessons->LessonDay) +
              " (code " + std::to_string(error) + ")";
    return false;
  }
  int32_t headings = 0;
  int32_t entries = 0;
  for (const uint8_t* record = text; record[0] != 0;) {
    const uint8_t* body = record + 2;
    size_t length = std::strlen(reinterpret_cast<const char*>(body));
    if (record[0] == kHeadingFlag && headings < 3) {
      DisplayBytesToUtf8(body, length, &lessons->Headings[headings++], nullptr);
    } else if (record[0] == kEntryFlag && entries < 3) {
      DisplayBytesToUtf8(body, length, &lessons->Entries[entries++], nullptr);
    }
    record = body + length + 1;
  }
  std::free(text);
  return true;
}

// The date of day as YYYY-MM-DD.
std::string IsoDate(AbsoluteDay day) {
  GregorianDate g;
  AbsoluteToGregorian(day, &g);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(g.year),
                static_cast<int>(g.month), static_cast<int>(g.day));
  return text;
}

// Writes the one-day report: Gregorian date, weekday, Hebrew date, lesson day
// and each heading with its lesson.
void PrintDayReport(AbsoluteDay day, const DayLessons& lessons) {
  std::printf("Gregorian date: %s\n", IsoDate(day).c_str());
  std::printf("Weekday: %s\n", WeekdayName(WeekdayOf(day)));
  std::printf("Hebrew date: %s\n", HebrewDateUtf8(day).c_str());
  std::printf("Lesson day: %d\n", static_cast<int>(lessons.LessonDay));
  for (int32_t i = 0; i < 3; ++i) {
    std::printf("%s: %s\n", lessons.Headings[i].c_str(), lessons.Entries[i].c_str());
  }
}

// Writes one tab-separated line: date, lesson day, Hebrew date and the three
// lessons in the order of the text.
void PrintDayLine(AbsoluteDay day, const DayLessons& lessons) {
  std::printf("%s\t%d\t%s\t%s\t%s\t%s\n", IsoDate(day).c_str(), static_cast<int>(lessons.LessonDay),
              HebrewDateUtf8(day).c_str(), lessons.Entries[0].c_str(), lessons.Entries[1].c_str(),
              lessons.Entries[2].c_str());
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

// What a run for days asks for: the text form, how many days, from which date.
struct DaysRequest {
  bool Tsv;
  int64_t Days;
  const char* Date;  // null: today
};

// Reads the count of --days (1..kMaxDays, decimal digits only) into *days;
// false with *reason otherwise.
bool ParseDayCount(const char* text, int64_t* days, std::string* reason) {
  size_t at = 0;
  int64_t n = 0;
  if (!ReadDigits(text, &at, 1, 6, &n) || text[at] != 0 || n < 1 || n > kMaxDays) {
    *reason = std::string("--days needs a count from 1 to ") + std::to_string(kMaxDays) +
              ", not '" + text + "'";
    return false;
  }
  *days = n;
  return true;
}

// Reads --tsv, --days N and at most one date, in any order, from argv[1..];
// false with *reason on anything else.
bool ParseDaysRequest(int argc, char** argv, DaysRequest* request, std::string* reason) {
  *request = DaysRequest{false, 0, nullptr};
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (std::strcmp(argument, "--tsv") == 0 && !request->Tsv) {
      request->Tsv = true;
    } else if (std::strcmp(argument, "--days") == 0 && request->Days == 0) {
      if (i + 1 == argc) {
        *reason = "--days needs a count";
        return false;
      }
      if (!ParseDayCount(argv[++i], &request->Days, reason)) return false;
    } else if (std::strcmp(argument, "--tsv") == 0 || std::strcmp(argument, "--days") == 0) {
      *reason = std::string("'") + argument + "' given twice";
      return false;
    } else if (std::strcmp(argument, "--table") == 0 || std::strcmp(argument, "--help") == 0) {
      *reason = std::string("'") + argument + "' stands alone";
      return false;
    } else if (argument[0] == '-') {
      *reason = std::string("unknown option '") + argument + "'";
      return false;
    } else if (request->Date) {
      *reason = std::string("unexpected argument '") + argument + "'";
      return false;
    } else {
      request->Date = argument;
    }
  }
  if (request->Days == 0) request->Days = 1;
  return true;
}

// Writes the days of request, a report or a line each; returns the exit code.
int RunDays(const DaysRequest& request) {
  std::string reason;
  AbsoluteDay first = 0;
  if (request.Date ? !ParseDate(request.Date, &first, &reason) : !Today(&first, &reason)) {
    return BadArguments(reason);
  }
  if (first + request.Days - 1 > kLastSupportedDay) {
    return BadArguments(std::to_string(request.Days) + " days from " + IsoDate(first) +
                        " run past 9999-12-31");
  }
  for (int64_t i = 0; i < request.Days; ++i) {
    const AbsoluteDay day = static_cast<AbsoluteDay>(first + i);
    DayLessons lessons;
    if (!ReadDayLessons(day, &lessons, &reason)) {
      std::fflush(stdout);
      std::fprintf(stderr, "%s: %s\n", kProgram, reason.c_str());
      return kExitLessonsUnreadable;
    }
    if (request.Tsv) {
      PrintDayLine(day, lessons);
    } else {
      if (i > 0) std::printf("\n");
      PrintDayReport(day, lessons);
    }
  }
  return FinishOutput();
}

// Decodes the arguments and runs one mode; returns the exit code.
int Run(int argc, char** argv) {
  std::string reason;
  const char* first = argc > 1 ? argv[1] : "";
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
  DaysRequest request;
  if (!ParseDaysRequest(argc, argv, &request, &reason)) return BadArguments(reason);
  return RunDays(request);
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
