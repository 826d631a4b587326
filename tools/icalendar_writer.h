// The lessons as an iCalendar file (RFC 5545): one all-day event per day.
// Every line ends in CRLF and is folded at 75 octets; text is UTF-8.
#pragma once
#include <cstdint>
#include <string>

#include "tools/day_facts.h"

// Latest second IcsUtcStamp writes: 9999-12-31 23:59:59 UTC.
constexpr int64_t kLastStampSecond = 253402300799;

// What every event of one file shares.
struct IcsEventOptions {
  TrackSet Tracks;       // the chosen tracks, non-empty
  int64_t StampSeconds;  // DTSTAMP, seconds since 1970-01-01 UTC, 0..kLastStampSecond
  int32_t AlarmMinute;   // a reminder at this local time of the day, minutes 0..1439; -1 none
};

// The TEXT value of text: backslash, semicolon and comma escaped with a
// backslash, each newline written as \n.
std::string IcsEscapeText(const std::string& text);

// The reading form of UTF-8 text (ReadingMark): ' and " right after a Hebrew
// letter become geresh and gershayim; everything else stays as it is.
std::string IcsReadingText(const std::string& utf8);

// The content line as written: lines of at most 75 octets, each ended by CRLF,
// every line after the first starting with a space; a UTF-8 character is never
// split.
std::string IcsFoldLine(const std::string& line);

// The UTC date-time (YYYYMMDDTHHMMSSZ) of seconds since 1970-01-01 00:00:00
// UTC, 0..kLastStampSecond.
std::string IcsUtcStamp(int64_t seconds);

// The calendar's opening lines, up to its first event.
std::string IcsCalendarStart();

// The all-day event of a day. Its UID names the day and the chosen tracks, so
// the same day and tracks always get the same UID; its SEQUENCE is the stamp
// in minutes, so a later file is a later revision of the same events. The
// summary holds the chosen chapter lessons (the commandments lesson when it is
// the only one chosen); the description the Hebrew date, then each chosen
// track's heading and lesson on a line of its own; both in their reading form.
// With an alarm, a reminder (VALARM, ACTION:DISPLAY) at that time of the day.
std::string IcsDayEvent(const DayFacts& facts, const IcsEventOptions& options);

// The calendar's closing line.
std::string IcsCalendarEnd();
