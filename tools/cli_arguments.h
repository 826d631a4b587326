// zelvan-cli's command line: options in any order, read into one request.
#pragma once
#include <cstdint>
#include <string>

#include "calendar/hebrew_calendar.h"
#include "tools/command_line.h"
#include "tools/day_facts.h"
#include "tools/study_log_options.h"

// What is written for the days asked for.
enum CliMode : int32_t {
  kModeReport,  // a report of lines per day (no mode option)
  kModeTsv,     // --tsv
  kModeJson,    // --json
  kModeTable,   // --table FROM TO
  kModeIcs,     // --ics [--days N] [DATE], or --ics FROM TO
};

constexpr int64_t kMaxDays = 100000;   // --days N: N is 1..kMaxDays
constexpr int64_t kMaxIcsDays = 1830;  // --ics: at most five years of days
constexpr int64_t kDefaultIcsDays = 30;  // --ics without --days or TO
constexpr int32_t kNoAlarm = -1;         // CliRequest::AlarmMinute without --alarm

struct CliRequest {
  bool Help;                // --help or -h anywhere
  bool Version;             // --version anywhere
  CliMode Mode;
  const char* ModeOption;   // the option that chose Mode; null for the report
  int64_t Days;             // --days N; 0 when not given
  const char* Dates[2];     // the dates given, in order
  int32_t DateCount;        // 0..2
  bool OutputGiven;         // -o was given
  const CliArgument* Output;  // -o FILE; null for standard output (no -o, or -o -)
  TrackSet Tracks;          // --track, each given; 0 when none
  int32_t AlarmMinute;      // --alarm HH:MM as minutes after midnight, 0..1439; kNoAlarm
  StudyRequest Study;       // the study-log mode and --log; kStudyNone when none
};

// The days a request covers, checked against its mode and the supported range.
struct DayRun {
  AbsoluteDay First;
  int64_t Count;  // 1..kMaxDays
};

// Reads every argument into *request, which points into arguments; false with
// *reason for the first one it cannot take. Help and Version are set when given
// anywhere, even after such an argument.
bool ParseArguments(const std::vector<CliArgument>& arguments, CliRequest* request,
                    std::string* reason);

// The second DTSTAMP gives, since 1970-01-01 00:00:00 UTC: SOURCE_DATE_EPOCH
// when set and not empty (decimal digits, up to 9999-12-31 23:59:59), else the
// clock's. False with *reason for any other SOURCE_DATE_EPOCH.
bool StampSeconds(int64_t* seconds, std::string* reason);

// Parses a date YYYY-MM-DD (one or more year digits, two month and two day
// digits) of years 1..9999 into *day; false with *reason on failure.
bool ParseDate(const char* text, AbsoluteDay* day, std::string* reason);

// Today's day, within the supported years; false with *reason when the clock
// says otherwise.
bool Today(AbsoluteDay* day, std::string* reason);

// The days of a parsed request (today when it gives no date); false with
// *reason when its dates are malformed, out of range or wrong for its mode.
bool ResolveDays(const CliRequest& request, DayRun* run, std::string* reason);
