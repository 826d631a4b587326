#include "tools/cli_arguments.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "calendar/calendar_range.h"
#include "tools/icalendar_writer.h"

namespace {

// The mode options and the mode each chooses.
struct ModeOption {
  const char* Name;
  CliMode Mode;
};
const ModeOption kModeOptions[] = {
    {"--tsv", kModeTsv}, {"--json", kModeJson}, {"--table", kModeTable}, {"--ics", kModeIcs}};

// Reads the digits of text[*at..] into *value (saturating at 10^13) and moves
// *at past them; false unless there are minDigits to maxDigits of them.
bool ReadDigits(const char* text, size_t* at, size_t minDigits, size_t maxDigits, int64_t* value) {
  const size_t first = *at;
  int64_t n = 0;
  while (text[*at] >= '0' && text[*at] <= '9') {
    n = n * 10 + (text[*at] - '0');
    if (n > 10000000000000) n = 10000000000000;
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

}  // namespace

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
  if (year < kFirstSupportedYear || year > kLastSupportedYear) {
    *reason = std::string("year out of range in '") + text + "' (years 1 to 9999)";
    return false;
  }
  const int32_t y = static_cast<int32_t>(year);
  if (month < 1 || month > 12 || dayOfMonth < 1 ||
      dayOfMonth > GregorianMonthLength(static_cast<int32_t>(month), y)) {
    *reason = std::string("no such date '") + text + "'";
    return false;
  }
  *day = GregorianToAbsolute(static_cast<int32_t>(month), static_cast<int32_t>(dayOfMonth), y);
  return true;
}

namespace {

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

// Adds the track named text to *tracks; false with *reason for an unknown name.
bool ParseTrack(const char* text, TrackSet* tracks, std::string* reason) {
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (std::strcmp(text, kTrackNames[track]) == 0) {
      *tracks |= 1u << track;
      return true;
    }
  }
  *reason = std::string("unknown track '") + text + "' (tracks: 3, 1, commandments)";
  return false;
}

// Reads the time of --alarm, HH:MM (one or two hour digits, 00:00 to 23:59),
// into *minute after midnight; false with *reason otherwise.
bool ParseAlarm(const char* text, int32_t* minute, std::string* reason) {
  size_t at = 0;
  int64_t hour = 0;
  int64_t minutes = 0;
  if (!ReadDigits(text, &at, 1, 2, &hour) || !ReadChar(text, &at, ':') ||
      !ReadDigits(text, &at, 2, 2, &minutes) || text[at] != 0 || hour > 23 || minutes > 59) {
    *reason = std::string("--alarm needs a time from 00:00 to 23:59, not '") + text + "'";
    return false;
  }
  *minute = static_cast<int32_t>(hour * 60 + minutes);
  return true;
}

// Reads the one argument at arguments[*i] (and its value, moving *i past it)
// into *request; false with *reason when it cannot be taken.
bool ParseArgument(const std::vector<CliArgument>& arguments, size_t* i, CliRequest* request,
                   std::string* reason) {
  const char* argument = arguments[*i].Text.c_str();
  // The value of an option that takes one; null when the arguments end.
  const auto value = [&]() -> const CliArgument* {
    return *i + 1 < arguments.size() ? &arguments[++*i] : nullptr;
  };
  const auto text = [&]() -> const char* {
    const CliArgument* given = value();
    return given ? given->Text.c_str() : nullptr;
  };
  if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
    request->Help = true;
    return true;
  }
  if (std::strcmp(argument, "--version") == 0) {
    request->Version = true;
    return true;
  }
  for (const ModeOption& option : kModeOptions) {
    if (std::strcmp(argument, option.Name) != 0) continue;
    if (request->ModeOption) {
      *reason = std::strcmp(request->ModeOption, argument) == 0
                    ? std::string("'") + argument + "' given twice"
                    : std::string("'") + request->ModeOption + "' and '" + argument +
                          "' do not go together";
      return false;
    }
    request->Mode = option.Mode;
    request->ModeOption = option.Name;
    return true;
  }
  if (std::strcmp(argument, "--days") == 0) {
    if (request->Days != 0) {
      *reason = "'--days' given twice";
      return false;
    }
    const char* count = text();
    if (!count) {
      *reason = "--days needs a count";
      return false;
    }
    return ParseDayCount(count, &request->Days, reason);
  }
  if (std::strcmp(argument, "-o") == 0) {
    if (request->OutputGiven) {
      *reason = "'-o' given twice";
      return false;
    }
    request->OutputGiven = true;
    const CliArgument* file = value();
    if (!file || file->Text.empty()) {
      *reason = "-o needs a file (- for standard output)";
      return false;
    }
    if (file->Text == "-") return true;
    if (file->Text[0] == '-') {  // an option taken for a file name; ./-name names such a file
      *reason = "-o needs a file, not the option '" + file->Text + "'";
      return false;
    }
    request->Output = file;
    return true;
  }
  if (std::strcmp(argument, "--track") == 0) {
    const char* track = text();
    if (!track) {
      *reason = "--track needs 3, 1 or commandments";
      return false;
    }
    return ParseTrack(track, &request->Tracks, reason);
  }
  if (std::strcmp(argument, "--alarm") == 0) {
    if (request->AlarmMinute != kNoAlarm) {
      *reason = "'--alarm' given twice";
      return false;
    }
    const char* time = text();
    if (!time) {
      *reason = "--alarm needs a time HH:MM";
      return false;
    }
    return ParseAlarm(time, &request->AlarmMinute, reason);
  }
  switch (ParseStudyArgument(arguments, i, &request->Study, reason)) {
    case kStudyArgumentTaken: return true;
    case kStudyArgumentRefused: return false;
    case kNotStudyArgument: break;
  }
  if (argument[0] == '-') {
    *reason = std::string("unknown option '") + argument + "'";
    return false;
  }
  if (request->DateCount == 2) {
    *reason = std::string("unexpected argument '") + argument + "'";
    return false;
  }
  request->Dates[request->DateCount++] = argument;
  return true;
}

}  // namespace

bool Today(AbsoluteDay* day, std::string* reason) {
  GregorianDate today;
  GetToday(&today);
  if (today.year < kFirstSupportedYear || today.year > kLastSupportedYear) {
    *reason = "the clock's year " + std::to_string(today.year) + " is out of range (give a date)";
    return false;
  }
  *day = GregorianToAbsolute(today.month, today.day, today.year);
  return true;
}

namespace {

// The days from FROM to TO of --table, or of --ics with two dates; false with
// *reason.
bool ResolveRange(const CliRequest& request, DayRun* run, std::string* reason) {
  const std::string option = request.ModeOption;
  if (request.DateCount < 2) {
    *reason = option + " needs FROM and TO";
    return false;
  }
  if (request.Days != 0) {
    *reason = "'--days' does not go with " + option + " FROM TO";
    return false;
  }
  AbsoluteDay from = 0;
  AbsoluteDay to = 0;
  if (!ParseDate(request.Dates[0], &from, reason) || !ParseDate(request.Dates[1], &to, reason)) {
    return false;
  }
  if (from > to) {
    *reason = std::string("FROM '") + request.Dates[0] + "' is after TO '" + request.Dates[1] + "'";
    return false;
  }
  run->First = from;
  run->Count = int64_t{to} - from + 1;
  return true;
}

// The days from DATE (today when not given) of the other modes: --days N of
// them, else one (kDefaultIcsDays for --ics); false with *reason.
bool ResolveStart(const CliRequest& request, DayRun* run, std::string* reason) {
  if (request.DateCount > 1) {
    *reason = std::string("unexpected argument '") + request.Dates[1] + "'";
    return false;
  }
  AbsoluteDay first = 0;
  if (request.DateCount == 1 ? !ParseDate(request.Dates[0], &first, reason) : !Today(&first, reason)) {
    return false;
  }
  run->First = first;
  run->Count = request.Days != 0 ? request.Days : request.Mode == kModeIcs ? kDefaultIcsDays : 1;
  if (first + run->Count - 1 > kLastSupportedDay) {
    GregorianDate date;
    *reason = std::to_string(run->Count) + " days from " + IsoDate(*AbsoluteToGregorian(first, &date)) +
              " run past 9999-12-31";
    return false;
  }
  return true;
}

}  // namespace

bool ParseArguments(const std::vector<CliArgument>& arguments, CliRequest* request,
                    std::string* reason) {
  *request = CliRequest{false,   false,   kModeReport, nullptr,  0,
                        {nullptr, nullptr}, 0,       false,       nullptr, 0,
                        kNoAlarm, StudyRequest{kStudyNone, nullptr, nullptr}};
  bool parsed = true;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string why;
    if (!ParseArgument(arguments, &i, request, &why) && parsed) {
      parsed = false;  // the first reason is kept; --help later on still counts
      *reason = why;
    }
  }
  return parsed;
}

bool StampSeconds(int64_t* seconds, std::string* reason) {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (!epoch || epoch[0] == 0) {
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    *seconds = now < 0 ? 0 : now > kLastStampSecond ? kLastStampSecond : now;
    return true;
  }
  size_t at = 0;
  if (!ReadDigits(epoch, &at, 1, 12, seconds) || epoch[at] != 0 || *seconds > kLastStampSecond) {
    *reason = std::string("SOURCE_DATE_EPOCH is '") + epoch + "', not seconds from 0 to " +
              std::to_string(kLastStampSecond);
    return false;
  }
  return true;
}

bool ResolveDays(const CliRequest& request, DayRun* run, std::string* reason) {
  if (request.Study.Log) {
    *reason = "'--log' goes only with --mark, --unmark, --progress, --behind, --began or --follow";
    return false;
  }
  if (request.Tracks != 0 && request.Mode != kModeIcs) {
    *reason = "'--track' goes only with '--ics'";
    return false;
  }
  if (request.AlarmMinute != kNoAlarm && request.Mode != kModeIcs) {
    *reason = "'--alarm' goes only with '--ics'";
    return false;
  }
  const bool range = request.Mode == kModeTable || (request.Mode == kModeIcs && request.DateCount == 2);
  if (!(range ? ResolveRange(request, run, reason) : ResolveStart(request, run, reason))) return false;
  if (request.Mode == kModeIcs && run->Count > kMaxIcsDays) {
    *reason = "--ics writes at most " + std::to_string(kMaxIcsDays) +
              " days (five years) at a time, not " + std::to_string(run->Count);
    return false;
  }
  return true;
}
