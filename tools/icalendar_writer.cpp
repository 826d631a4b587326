#include "tools/icalendar_writer.h"

#include <cstdio>

#include "calendar/calendar_range.h"
#include "zelvan_version.h"

namespace {

constexpr size_t kMaxLineOctets = 75;  // of a content line, before its CRLF
constexpr char kLineEnd[] = "\r\n";
constexpr char kSummarySeparator[] = " | ";
constexpr int64_t kSecondsPerDay = 86400;

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
         IcsFoldLine("CALSCALE:GREGORIAN") + IcsFoldLine("METHOD:PUBLISH") +
         IcsFoldLine("X-WR-CALNAME:Zelvan");
}

std::string IcsDayEvent(const DayFacts& facts, TrackSet tracks, const std::string& stamp) {
  // The event ends the next day; the last supported day has no next one to
  // name, and an all-day event of one day is said as well with a duration.
  const std::string end = facts.Day < kLastSupportedDay
                              ? "DTEND;VALUE=DATE:" + DateValueOf(facts.Day + 1)
                              : std::string("DURATION:P1D");
  return IcsFoldLine("BEGIN:VEVENT") + IcsFoldLine("UID:" + EventUid(facts, tracks)) +
         IcsFoldLine("DTSTAMP:" + stamp) +
         IcsFoldLine("DTSTART;VALUE=DATE:" + DateValue(facts.Gregorian)) + IcsFoldLine(end) +
         IcsFoldLine("SUMMARY:" + IcsEscapeText(EventSummary(facts, tracks))) +
         IcsFoldLine("DESCRIPTION:" + IcsEscapeText(EventDescription(facts, tracks))) +
         IcsFoldLine("TRANSP:TRANSPARENT") + IcsFoldLine("END:VEVENT");
}

std::string IcsCalendarEnd() { return IcsFoldLine("END:VCALENDAR"); }
