// The lessons as an iCalendar file (RFC 5545): one all-day event per day.
// Every line ends in CRLF and is folded at 75 octets; text is UTF-8.
#pragma once
#include <cstdint>
#include <string>

#include "tools/day_facts.h"

// Latest second IcsUtcStamp writes: 9999-12-31 23:59:59 UTC.
constexpr int64_t kLastStampSecond = 253402300799;

// The TEXT value of text: backslash, semicolon and comma escaped with a
// backslash, each newline written as \n.
std::string IcsEscapeText(const std::string& text);

// The content line as written: lines of at most 75 octets, each ended by CRLF,
// every line after the first starting with a space; a UTF-8 character is never
// split.
std::string IcsFoldLine(const std::string& line);

// The UTC date-time (YYYYMMDDTHHMMSSZ) of seconds since 1970-01-01 00:00:00
// UTC, 0..kLastStampSecond.
std::string IcsUtcStamp(int64_t seconds);

// The calendar's opening lines, up to its first event.
std::string IcsCalendarStart();

// The all-day event of a day with the chosen tracks (non-empty), stamped with
// stamp (IcsUtcStamp). Its UID is the same for the same day and tracks. The
// summary holds the chosen chapter lessons (the commandments lesson when it is
// the only one chosen); the description the Hebrew date, then each chosen
// track's heading and lesson on a line of its own.
std::string IcsDayEvent(const DayFacts& facts, TrackSet tracks, const std::string& stamp);

// The calendar's closing line.
std::string IcsCalendarEnd();
