// The iCalendar writer's text forms where the lessons never reach: escapes of
// every special character, folding at the 75-octet edge and around characters
// of three and four bytes, and the ends of the DTSTAMP range.
#include "tools/icalendar_writer.h"

#include <gtest/gtest.h>

#include <string>

TEST(IcalendarText, EscapesFoldsAndStamps) {
  const std::string a74(74, 'a');
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
  };
  for (const Row& row : rows) EXPECT_EQ(row.written, row.expected);
}
