// The iCalendar writer's text forms where the lessons never reach: escapes of
// every special character, folding at the 75-octet edge and around characters
// of three and four bytes, the ends of the DTSTAMP range, the reading form of
// the marks, and the event lines that name its tracks and revision.
#include "tools/icalendar_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The line of event that starts with name, without its CRLF; empty if none.
std::string LineOf(const std::string& event, const std::string& name) {
  const size_t at = event.find("\r\n" + name);
  return at == std::string::npos ? "" : event.substr(at + 2, event.find("\r\n", at + 2) - at - 2);
}

}  // namespace

TEST(IcalendarText, EscapesFoldsAndStamps) {
  const std::string a74(74, 'a');
  DayFacts facts = {};
  facts.Day = GregorianToAbsolute(1, 1, 2007);
  AbsoluteToGregorian(facts.Day, &facts.Gregorian);
  const auto event = [&](TrackSet tracks, int64_t seconds) {
    return IcsDayEvent(facts, IcsEventOptions{tracks, seconds, -1});
  };
  struct Row {
    std::string written;
    std::string expected;
  };
  const Row rows[] = {
      // backslash, semicolon, comma and newline escaped; colon and quote not
      {IcsEscapeText("a\\b;c,d\ne:\"f"), "a\\\\b\\;c\\,d\\ne:\"f"},
      // 75 octets stay on one line; the 76th goes to the next, after a space
      {IcsFoldLine(a74 + "b"), a74 + "b\r\n"},
      {IcsFoldLine(a74 + "bc"), a74 + "b\r\n c\r\n"},
      // a continuation line's space counts: 74 more octets fit there
      {IcsFoldLine(a74 + "b" + a74 + "c"), a74 + "b\r\n " + a74 + "\r\n c\r\n"},
      // a three-byte character that would end past octet 75 moves whole
      {IcsFoldLine(a74 + "\xE2\x82\xAC"), a74 + "\r\n \xE2\x82\xAC\r\n"},
      // a four-byte character likewise
      {IcsFoldLine(a74.substr(2) + "\xF0\x9F\x93\x85"), a74.substr(2) + "\r\n \xF0\x9F\x93\x85\r\n"},
      // the first and the last second a stamp can name
      {IcsUtcStamp(0), "19700101T000000Z"},
      {IcsUtcStamp(kLastStampSecond), "99991231T235959Z"},
      // ' and " after a Hebrew letter read as geresh and gershayim; after
      // anything else, and at the start, they stay
      {IcsReadingText("\xD7\x90'\xD7\x91\" a' \"\xD7\x92"), "\xD7\x90\xD7\xB3\xD7\x91\xD7\xB4 a' \"\xD7\x92"},
      // the UID names the tracks: one track's event is not the all-track event
      {LineOf(event(kAllTracks, 0), "UID"), "UID:zelvan-20070101-3-1-commandments"},
      {LineOf(event(1u << kTrackOneChapter, 0), "UID"), "UID:zelvan-20070101-1"},
      // SEQUENCE: the stamp's minutes, a later file a later revision; at most 2^31 - 1
      {LineOf(event(kAllTracks, 1700000000), "SEQUENCE"), "SEQUENCE:28333333"},
      {LineOf(event(kAllTracks, kLastStampSecond), "SEQUENCE"), "SEQUENCE:2147483647"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.written, row.expected);
}
