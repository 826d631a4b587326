// zelvan-cli: the dates and lessons of a day, or of consecutive days, as
// text, tab-separated lines or JSON; a table of days; an iCalendar file of the
// lessons; the study log's marks, progress and days behind. UTF-8 on standard
// output or into a file; Hebrew in reading order. The usage is PrintUsage's text.
#include <cstdint>
#include <cstdio>
#include <string>

#include "lessons/lesson_schedule.h"
#include "tools/cli_arguments.h"
#include "tools/command_line.h"
#include "tools/day_facts.h"
#include "tools/day_json.h"
#include "tools/icalendar_writer.h"
#include "tools/output_file.h"
#include "tools/study_log_cli.h"
#include "zelvan_version.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

constexpr int kExitOk = 0;
constexpr int kExitOutputFailed = 1;
constexpr int kExitLessonsUnreadable = 1;
constexpr int kExitBadArguments = 2;  // also an -o file that cannot be made
constexpr int kExitJournalFailed = 3;  // the study log cannot be found, read or written

constexpr char kProgram[] = "zelvan-cli";

// The study log's default place, as the usage shows it.
#ifdef _WIN32
constexpr char kDefaultJournalShown[] = "%APPDATA%\\Thalvane\\Zelvan\\study-log.txt";
#else
constexpr char kDefaultJournalShown[] = "$XDG_DATA_HOME/zelvan/study-log.txt (~/.local/share/zelvan/study-log.txt)";
#endif

// Prints the usage to out.
void PrintUsage(FILE* out) {
  std::fprintf(out,
               "usage: %s [--days N] [DATE]\n"
               "       %s --tsv [--days N] [DATE]\n"
               "       %s --json [--days N] [DATE]\n"
               "       %s --table FROM TO\n"
               "       %s --ics [--days N] [DATE] [--track TRACK]... [--alarm HH:MM]\n"
               "       %s --ics FROM TO [--track TRACK]... [--alarm HH:MM]\n"
               "       %s --mark|--unmark [DATE] [--track TRACK]... [--log FILE]\n"
               "       %s --progress [DATE] [--json] [--track TRACK]... [--log FILE] [-o FILE]\n"
               "       %s --behind [DATE] [--track TRACK]... [--log FILE] [-o FILE]\n"
               "       %s --began DATE [--track TRACK]... [--log FILE]\n"
               "       %s --follow --track TRACK... [--log FILE]\n"
               "       %s --help | --version\n"
               "\n"
               "Options and dates go in any order; -o FILE goes with any of them. Dates are\n"
               "YYYY-MM-DD, years 1 to 9999; DATE is today when not given.\n"
               "-o FILE writes to FILE instead of standard output (-o - is standard output).\n"
               "The file appears whole or not at all and keeps its permissions; a symbolic\n"
               "link's target is replaced; a device or pipe is written to directly.\n"
               "\n"
               "With a date: the Gregorian date, the weekday, the Hebrew date, the lesson\n"
               "day and the day's three lessons under their headings; with --days N (1 to\n"
               "%d), N consecutive days from the date.\n"
               "With --tsv: one tab-separated line for each of those days: date, lesson\n"
               "day, Hebrew date, the three-chapters lesson, the one-chapter lesson, the\n"
               "commandments lesson.\n"
               "With --json: one JSON array with an object for each of those days:\n"
               "  date         \"YYYY-MM-DD\"\n"
               "  weekday      \"Sunday\" to \"Saturday\"\n"
               "  hebrew_date  {year, month (1 Nisan to 12 Adar, 13 Adar II), day, text}\n"
               "  lesson_day   1 to 1017\n"
               "  lessons      [{track, heading, entry}] in the order of the text; track\n"
               "               \"3\", \"1\" or \"commandments\"\n"
               "With --table: one tab-separated line for each day from FROM to TO\n"
               "(inclusive): absolute day, date, Hebrew year, Hebrew month, Hebrew day,\n"
               "weekday (0 = Sunday), lesson day.\n"
               "With --ics: an iCalendar file of --days N days from DATE (%d when not\n"
               "given), or of the days FROM to TO (inclusive); at most %d days. One\n"
               "all-day event a day: its summary holds the three-chapters and one-chapter\n"
               "lessons, its description the Hebrew date and each lesson under its heading.\n"
               "--track 3, --track 1, --track commandments (repeatable) choose the tracks;\n"
               "with one track the summary is its lesson. --alarm HH:MM adds a reminder at\n"
               "that time of each day. The same day and tracks always get the same UID;\n"
               "DTSTAMP (and SEQUENCE, in minutes) is SOURCE_DATE_EPOCH when set.\n"
               "Text is UTF-8, Hebrew in reading order. The report, --tsv and --json keep\n"
               "the published text's ASCII ' and \" in numerals and abbreviations; the\n"
               "iCalendar summary and description, read in calendar lists, write them as\n"
               "geresh (U+05F3) and gershayim (U+05F4).\n"
               "\n"
               "The study log is a journal of the lessons learned, one line per change, in\n"
               "the FILE of --log, else in\n"
               "  %s\n"
               "Without --track: the tracks followed (all three until --follow says\n"
               "otherwise). DATE is today when not given.\n"
               "With --mark: the day's lessons of the tracks learned; --unmark takes the\n"
               "marks back. --began DATE: the user began the tracks' cycles holding DATE\n"
               "on that day (else a cycle is begun on its first day marked). --follow: the\n"
               "tracks given are the ones followed from now on.\n"
               "With --progress: for each track its cycle, where the user began, lessons\n"
               "learned, behind (days before DATE since the user began, not learned), the\n"
               "streak and, when behind, the lessons a day that catch up within a week and\n"
               "a month. With --json, one JSON object:\n"
               "  date             \"YYYY-MM-DD\"\n"
               "  tracks_followed  [track]\n"
               "  behind           lessons behind, all tracks\n"
               "  streak           days up to DATE (or the day before while DATE is open)\n"
               "                   with every lesson learned\n"
               "  tracks           [{track, cycle {number, first, last}, began (a date or\n"
               "                   null), learned, total, percent, behind, streak,\n"
               "                   pace_week, pace_month}]\n"
               "With --behind: the days behind, oldest first, one tab-separated line for\n"
               "each day and track: date, track, lesson.\n"
               "\n"
               "Exit status: 0 done; 1 the output could not be written or the lessons could\n"
               "not be read; 2 bad arguments, or an -o file that cannot be written; 3 the\n"
               "study log cannot be read or written.\n",
               kProgram, kProgram, kProgram, kProgram, kProgram, kProgram, kProgram, kProgram,
               kProgram, kProgram, kProgram, kProgram, static_cast<int>(kMaxDays),
               static_cast<int>(kDefaultIcsDays), static_cast<int>(kMaxIcsDays),
               kDefaultJournalShown);
}

// Reports a failure on one line of standard error; returns code.
int Fail(int code, const std::string& reason) {
  std::fprintf(stderr, "%s: %s\n", kProgram, reason.c_str());
  return code;
}

// Reports a usage error, pointing to --help; returns the exit code.
int BadArguments(const std::string& reason) {
  return Fail(kExitBadArguments, reason + " (see '" + kProgram + " --help')");
}

// Writes the one-day report: Gregorian date, weekday, Hebrew date, lesson day
// and each heading with its lesson.
void PrintDayReport(FILE* out, const DayFacts& facts) {
  std::fprintf(out, "Gregorian date: %s\n", IsoDate(facts.Gregorian).c_str());
  std::fprintf(out, "Weekday: %s\n", WeekdayName(facts.Weekday));
  std::fprintf(out, "Hebrew date: %s\n", facts.HebrewText.c_str());
  std::fprintf(out, "Lesson day: %d\n", static_cast<int>(facts.LessonDay));
  for (int32_t track = 0; track < kTrackCount; ++track) {
    std::fprintf(out, "%s: %s\n", facts.Headings[track].c_str(), facts.Entries[track].c_str());
  }
}

// Writes one tab-separated line: date, lesson day, Hebrew date and the three
// lessons in the order of the text.
void PrintDayLine(FILE* out, const DayFacts& facts) {
  std::fprintf(out, "%s\t%d\t%s\t%s\t%s\t%s\n", IsoDate(facts.Gregorian).c_str(),
               static_cast<int>(facts.LessonDay), facts.HebrewText.c_str(),
               facts.Entries[kTrackThreeChapters].c_str(), facts.Entries[kTrackOneChapter].c_str(),
               facts.Entries[kTrackCommandments].c_str());
}

// Writes one tab-separated line of numbers for a day.
void PrintTableLine(FILE* out, AbsoluteDay day) {
  GregorianDate g;
  HebrewDate h;
  AbsoluteToGregorian(day, &g);
  AbsoluteToHebrew(day, &h);
  std::fprintf(out, "%d\t%s\t%d\t%d\t%d\t%d\t%d\n", static_cast<int>(day), IsoDate(g).c_str(),
               static_cast<int>(h.year), static_cast<int>(h.month), static_cast<int>(h.day),
               static_cast<int>(WeekdayOf(day)), static_cast<int>(LessonDayFromAbsolute(day)));
}

// Writes text as it is.
void Put(FILE* out, const std::string& text) { std::fwrite(text.data(), 1, text.size(), out); }

// Writes the days of run in the request's mode to out; returns the exit code
// (kExitLessonsUnreadable, reported, when a day's lessons cannot be read).
int WriteDays(const CliRequest& request, const DayRun& run, int64_t stampSeconds, FILE* out) {
  const IcsEventOptions event = {request.Tracks != 0 ? request.Tracks : kAllTracks, stampSeconds,
                                 request.AlarmMinute};
  if (request.Mode == kModeIcs) Put(out, IcsCalendarStart());
  for (int64_t i = 0; i < run.Count; ++i) {
    const AbsoluteDay day = static_cast<AbsoluteDay>(run.First + i);
    if (request.Mode == kModeTable) {
      PrintTableLine(out, day);
      continue;
    }
    DayFacts facts;
    int32_t error = 0;
    if (!ReadDayFacts(day, &facts, &error)) {
      std::fflush(out);
      return Fail(kExitLessonsUnreadable, "cannot read the lessons of lesson day " +
                                              std::to_string(LessonDayFromAbsolute(day)) +
                                              " (code " + std::to_string(error) + ")");
    }
    switch (request.Mode) {
      case kModeReport:
        if (i > 0) std::fputc('\n', out);
        PrintDayReport(out, facts);
        break;
      case kModeTsv: PrintDayLine(out, facts); break;
      case kModeJson: Put(out, JsonArrayItem(facts, i == 0)); break;
      case kModeIcs: Put(out, IcsDayEvent(facts, event)); break;
      case kModeTable: break;
    }
  }
  if (request.Mode == kModeJson) Put(out, JsonArrayEnd());
  if (request.Mode == kModeIcs) Put(out, IcsCalendarEnd());
  return kExitOk;
}

// Writes text to standard output or the -o file of request; returns the exit code.
int WriteText(const CliRequest& request, const std::string& text) {
  std::string reason;
  OutputFile output;
  if (OpenOutput(request.Output, &output, &reason) != kOutputDone) return Fail(kExitBadArguments, reason);
  Put(output.Stream, text);
  switch (CommitOutput(&output, &reason)) {
    case kOutputDone: return kExitOk;
    case kOutputWriteFailed: return Fail(kExitOutputFailed, reason);
    case kOutputPathRefused: return Fail(kExitBadArguments, reason);
  }
  return kExitOk;
}

// Runs a study-log mode; returns the exit code.
int RunStudy(const CliRequest& request) {
  const StudyResult result = RunStudyLog(request);
  switch (result.Outcome) {
    case kStudyBadArguments: return BadArguments(result.Reason);
    case kStudyJournalFailed: return Fail(kExitJournalFailed, result.Reason);
    case kStudyLessonsUnreadable: return Fail(kExitLessonsUnreadable, result.Reason);
    case kStudyDone: break;
  }
  if (!result.Reason.empty()) std::fprintf(stderr, "%s: %s\n", kProgram, result.Reason.c_str());
  return WriteText(request, result.Output);
}

// Decodes the arguments and runs one mode; returns the exit code.
int Run(int argc, PathChar** argv) {
  std::string reason;
  CliRequest request;
  const std::vector<CliArgument> arguments = DecodeArguments(argc, argv);
  const bool parsed = ParseArguments(arguments, &request, &reason);
  if (request.Help || request.Version) {
    if (request.Help) {
      PrintUsage(stdout);
    } else {
      std::printf("%s %s\n", kProgram, ZELVAN_VERSION_TEXT);
    }
    return std::fflush(stdout) == 0 ? kExitOk : Fail(kExitOutputFailed, "cannot write the output");
  }
  if (!parsed) return BadArguments(reason);
  if (request.Study.Mode != kStudyNone) return RunStudy(request);
  DayRun run;
  if (!ResolveDays(request, &run, &reason)) return BadArguments(reason);
  int64_t seconds = 0;
  if (request.Mode == kModeIcs && !StampSeconds(&seconds, &reason)) {
    return Fail(kExitBadArguments, reason);
  }
  OutputFile output;
  if (OpenOutput(request.Output, &output, &reason) != kOutputDone) {
    return Fail(kExitBadArguments, reason);
  }
  const int code = WriteDays(request, run, seconds, output.Stream);
  if (code != kExitOk) {
    AbandonOutput(&output);
    return code;
  }
  switch (CommitOutput(&output, &reason)) {
    case kOutputDone: return kExitOk;
    case kOutputWriteFailed: return Fail(kExitOutputFailed, reason);
    case kOutputPathRefused: return Fail(kExitBadArguments, reason);
  }
  return kExitOk;
}

}  // namespace

#ifdef _WIN32
// The command line as UTF-16 (linked with -municode), whatever the code page.
int wmain(int argc, wchar_t** argv) {
  // The same bytes as elsewhere: no CR added before LF (nor a second one before
  // the CRLF of iCalendar), and UTF-8 on the console.
  _setmode(_fileno(stdout), _O_BINARY);
  const UINT consoleCodePage = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
  const int code = Run(argc, argv);
  if (consoleCodePage != 0) SetConsoleOutputCP(consoleCodePage);
  return code;
}
#else
int main(int argc, char** argv) { return Run(argc, argv); }
#endif
