#include "tools/icalendar_writer.h"

#include <cstdio>

#include "calendar/calendar_range.h"
#include "lessons/text_stream.h"
#include "zelvan_version.h"

namespace {

constexpr size_t kMaxLineOctets = 75;  // of a content line, before its CRLF
constexpr char kLineEnd[] = "\r\n";
constexpr char kSummarySeparator[] = " | ";
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kLastSequence = 2147483647;  // SEQUENCE is a signed 32-bit integer

// The UTF-8 of a code point below U+10000.
void AppendUtf8(uint32_t codePoint, std::string* out) {
  if (codePoint < 0x80) {
    *out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    *out += static_cast<char>(0xC0 | codePoint >> 6);
    *out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    *out += static_cast<char>(0xE0 | codePoint >> 12);
    *out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// The date as YYYYMMDD, the form of a DATE value.
std::string DateValue(const GregorianDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", static_cast<int>(date.year),
                static_cast<int>(date.month), static_cast<int>(date.day));
  return text;
}

// The DATE value of an AbsoluteDay.
std::string DateValueOf(AbsoluteDay day) {
  GregorianDate date;
  return DateValue(*AbsoluteToGregorian(day, &date));
}

// The UID of a day's event for tracks: the same day and tracks, the same UID.
std::string EventUid(const DayFacts& facts, TrackSet tracks) {
  std::string uid = "zelvan-" + DateValue(facts.Gregorian);
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (HasTrack(tracks, track)) uid += std::string("-") + kTrackNames[track];
  }
  return uid;
}

// The SEQUENCE of a file stamped at seconds: its minutes since 1970, at most
// the largest SEQUENCE.
int64_t SequenceOf(int64_t seconds) {
  const int64_t minutes = seconds / 60;
  return minutes < kLastSequence ? minutes : kLastSequence;
}

// The TRIGGER of a reminder minute minutes after the start of the day.
std::string AlarmTrigger(int32_t minute) {
  return "TRIGGER:PT" + std::to_string(minute / 60) + "H" + std::to_string(minute % 60) + "M";
}

// The summary: the chosen chapter lessons, or the commandments lesson alone.
std::string EventSummary(const DayFacts& facts, TrackSet tracks) {
  const TrackSet chapters = tracks & ((1u << kTrackThreeChapters) | (1u << kTrackOneChapter));
  const TrackSet shown = chapters != 0 ? chapters : tracks;
  std::string summary;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (!HasTrack(shown, track)) continue;
    if (!summary.empty()) summary += kSummarySeparator;
    summary += facts.Entries[track];
  }
  return summary;
}

// The description: the Hebrew date, then "heading: lesson" for each chosen track.
std::string EventDescription(const DayFacts& facts, TrackSet tracks) {
  std::string description = facts.HebrewText;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (HasTrack(tracks, track)) {
      description += "\n" + facts.Headings[track] + ": " + facts.Entries[track];
    }
  }
  return description;
}

}  // namespace

std::string IcsEscapeText(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case ';': escaped += "\\;"; break;
      case ',': escaped += "\\,"; break;
      case '\n': escaped += "\\n"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string IcsReadingText(const std::string& utf8) {
  std::string reading;
  reading.reserve(utf8.size() + utf8.size() / 16);
  uint32_t previous = 0;  // the code point before, 0 at the start
  for (size_t at = 0; at < utf8.size();) {
    const uint8_t lead = static_cast<uint8_t>(utf8[at]);
    size_t next = at + 1;  // past the character: its continuation bytes are 10xxxxxx
    while (next < utf8.size() && (static_cast<uint8_t>(utf8[next]) & 0xC0) == 0x80) ++next;
    uint32_t current = lead;
    if (lead >= 0xC0 && lead < 0xE0 && next == at + 2) {
      current = (lead & 0x1Fu) << 6 | (static_cast<uint8_t>(utf8[at + 1]) & 0x3Fu);
    } else if (lead >= 0x80) {
      current = 0xFFFD;  // any other character: none of them is a Hebrew letter or a mark
    }
    const uint32_t read = ReadingMark(previous, current);
    if (read != current) {
      AppendUtf8(read, &reading);
    } else {
      reading.append(utf8, at, next - at);
    }
    previous = current;
    at = next;
  }
  return reading;
}

std::string IcsFoldLine(const std::string& line) {
  std::string folded;
  folded.reserve(line.size() + line.size() / 32 + 2);
  size_t octets = 0;  // on the current line
  for (size_t at = 0; at < line.size();) {
    size_t next = at + 1;  // past the character: its continuation bytes are 10xxxxxx
    while (next < line.size() && (static_cast<unsigned char>(line[next]) & 0xC0) == 0x80) ++next;
    if (octets + (next - at) > kMaxLineOctets) {
      folded += kLineEnd;
      folded += ' ';
      octets = 1;
    }
    folded.append(line, at, next - at);
    octets += next - at;
    at = next;
  }
  return folded + kLineEnd;
}

std::string IcsUtcStamp(int64_t seconds) {
  const AbsoluteDay day =
      static_cast<AbsoluteDay>(GregorianToAbsolute(1, 1, 1970) + seconds / kSecondsPerDay);
  const int64_t second = seconds % kSecondsPerDay;
  char time[16];
  std::snprintf(time, sizeof time, "T%02d%02d%02dZ", static_cast<int>(second / 3600),
                static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
  return DateValueOf(day) + time;
}

std::string IcsCalendarStart() {
  return IcsFoldLine("BEGIN:VCALENDAR") + IcsFoldLine("VERSION:2.0") +
         IcsFoldLine("PRODID:-//Thalvane//Zelvan " ZELVAN_VERSION_TEXT "//HE") +
         IcsFoldLine("CALSCALE:GREGORIAN") + IcsFoldLine("X-WR-CALNAME:Zelvan");
}

std::string IcsDayEvent(const DayFacts& facts, const IcsEventOptions& options) {
  // The event ends the next day; the last supported day has no next one to
  // name, and an all-day event of one day is said as well with a duration.
  const std::string end = facts.Day < kLastSupportedDay
                              ? "DTEND;VALUE=DATE:" + DateValueOf(facts.Day + 1)
                              : std::string("DURATION:P1D");
  const std::string summary = IcsEscapeText(IcsReadingText(EventSummary(facts, options.Tracks)));
  std::string event =
      IcsFoldLine("BEGIN:VEVENT") + IcsFoldLine("UID:" + EventUid(facts, options.Tracks)) +
      IcsFoldLine("DTSTAMP:" + IcsUtcStamp(options.StampSeconds)) +
      IcsFoldLine("SEQUENCE:" + std::to_string(SequenceOf(options.StampSeconds))) +
      IcsFoldLine("DTSTART;VALUE=DATE:" + DateValue(facts.Gregorian)) + IcsFoldLine(end) +
      IcsFoldLine("SUMMARY:" + summary) +
      IcsFoldLine("DESCRIPTION:" +
                  IcsEscapeText(IcsReadingText(EventDescription(facts, options.Tracks)))) +
      IcsFoldLine("TRANSP:TRANSPARENT");
  if (options.AlarmMinute >= 0) {
    event += IcsFoldLine("BEGIN:VALARM") + IcsFoldLine("ACTION:DISPLAY") +
             IcsFoldLine("DESCRIPTION:" + summary) + IcsFoldLine(AlarmTrigger(options.AlarmMinute)) +
             IcsFoldLine("END:VALARM");
  }
  return event + IcsFoldLine("END:VEVENT");
}

std::string IcsCalendarEnd() { return IcsFoldLine("END:VCALENDAR"); }
