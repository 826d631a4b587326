// The Hebrew date text in Hebrew numerals.
#include "calendar/hebrew_date_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr uint8_t kUntouched = 0xEE;

// Room for the text and its zero, then guard bytes that must stay untouched.
struct Buffer {
  uint8_t bytes[kMaxHebrewDateText + 1 + 8];
};

// The text of a date, or "<none>" when nothing is written; checks the length
// returned and that nothing is written past the 18 bytes allowed.
std::string Format(int32_t month, int32_t day, int32_t year) {
  Buffer buffer;
  std::memset(buffer.bytes, kUntouched, sizeof buffer.bytes);
  const HebrewDate date{month, day, year};
  const int32_t length = FormatHebrewDate(&date, buffer.bytes);
  for (size_t i = kMaxHebrewDateText + 1; i < sizeof buffer.bytes; ++i)
    EXPECT_EQ(buffer.bytes[i], kUntouched) << "past the end: " << month << " " << day << " " << year;
  if (length == 0) {
    for (uint8_t b : buffer.bytes) EXPECT_EQ(b, kUntouched) << "written though refused";
    return "<none>";
  }
  EXPECT_LE(length, kMaxHebrewDateText);
  EXPECT_EQ(buffer.bytes[length], 0);
  const std::string text(reinterpret_cast<const char*>(buffer.bytes), static_cast<size_t>(length));
  EXPECT_EQ(text.find('\0'), std::string::npos);
  return text;
}

TEST(HebrewDateText, Table) {
  struct Row {
    int32_t month, day, year;
    const char* text;
  };
  const Row rows[] = {
      {10, 11, 5767, "grz{'e {bi aj"},        // the standard example, 13 bytes
      {7, 1, 5768, "hrz{'e jyz{ a"},          // the day's tens entry is empty
      {11, 15, 5767, "grz{'e ibz fi"},        // day 15 is nine and six
      {1, 16, 5767, "grz{'e prjq gi"},        // day 16 is nine and seven
      {13, 30, 5768, "hrz{'e 'b yda m"},      // second Adar, day 30 alone
      {12, 1, 5768, "hrz{'e 'a yda a"},       // first Adar in a leap year
      {12, 1, 5767, "grz{'e yda a"},          // Adar in a common year
      {1, 1, 5715, "fiz{'e prjq a"},          // year ending in 15
      {1, 1, 5716, "giz{'e prjq a"},          // year ending in 16
      {1, 1, 5270, "ys'e prjq a"},            // 270 has a form of its own
      {1, 1, 5272, "bys'e prjq a"},           // 272
      {1, 1, 5274, "yds'e prjq a"},           // 274
      {1, 1, 5275, "eys'e prjq a"},           // 275
      {1, 1, 5298, "why'e prjq a"},           // 298
      {1, 1, 5304, "zd'e prjq a"},            // 304: dalet before shin
      {1, 1, 5344, "odz'e prjq a"},           // 344
      {1, 1, 5000, "y{{'d prjq a"},           // a whole thousand: four thousand and 1000
      {1, 1, 999, "iwx{{ prjq a"},            // below 1000: no thousands mark
      {1, 1, 1000, "y{{ prjq a"},             // 1000 itself: nothing left for the thousands
      {1, 1, 1, "a prjq a"},                  // year 1
      {1, 1, 15, "fi prjq a"},                // year 15 below 1000
      {1, 1, 1015, "fi'a prjq a"},            // 15 after a thousand
      {1, 1, 2316, "giz'b prjq a"},           // hundreds then 16
      {12, 15, 1911, "ajx{{'a 'a yda fi"},    // the longest text, 17 bytes
      {1, 1, 10000, "y{{'i prjq a"},          // ten thousand: nine thousand and 1000
      {1, 1, 10001, "a'j prjq a"},            // ten thousands: yod
      {1, 1, 12345, "eoz'bj prjq a"},         // twelve thousands: yod-bet
      {8, 28, 13760, "rz{'cj pfzh hl"},       // 31 December 9999, the last day
      {12, 15, 11911, "ajx{{'aj 'a yda fi"},  // the longest text, 18 bytes
      {2, 29, 5767, "grz{'e yjja il"},        // Iyar, day 29
      {4, 20, 5767, "grz{'e gfo{ l"},         // Tammuz, day 20
      {5, 9, 5767, "grz{'e ba i"},            // Av, the shortest name
      {6, 25, 5767, "grz{'e mfma el"},        // Elul
      {8, 10, 5767, "grz{'e pfzh j"},         // Heshvan
      {9, 25, 5767, "grz{'e fmrl el"},        // Kislev
      {3, 6, 5767, "grz{'e pfjr f"},          // Sivan
  };
  for (const Row& row : rows) {
    const std::string text = Format(row.month, row.day, row.year);
    EXPECT_EQ(text, row.text) << row.month << " " << row.day << " " << row.year;
  }
  EXPECT_EQ(Format(12, 15, 1911).size(), 17u);
}

TEST(HebrewDateText, Refused) {
  struct Row {
    int32_t month, day, year;
  };
  const Row rows[] = {
      {13, 1, 5767},        // second Adar in a common year
      {0, 1, 5767},         // month 0
      {14, 1, 5768},        // past month 13
      {-1, 1, 5768},        // negative month
      {INT32_MIN, 1, 5768}, // absurd month
      {1, 0, 5767},         // day 0
      {1, 31, 5767},        // day 31
      {1, 100, 5767},       // a day the tables cannot write
      {1, -5, 5767},        // negative day
      {1, INT32_MAX, 5767}, // absurd day
      {1, 1, 0},            // year 0
      {1, 1, -1},           // a year before the first
      {1, 1, INT32_MIN},    // absurd year
  };
  for (const Row& row : rows)
    EXPECT_EQ(Format(row.month, row.day, row.year), "<none>") << row.month << " " << row.day << " " << row.year;
  EXPECT_EQ(Format(12, 15, 999911), "<none>");  // a text too long for the buffer
  EXPECT_EQ(Format(1, 1, INT32_MAX), "<none>");  // thousands beyond the numerals
}

// The value of Hebrew numeral letters: a..i 1..9, j..w tens (with the final
// forms k, n, p, t, v skipped), x..{ hundreds.
int32_t LetterValue(char c) {
  static const char letters[] = "abcdefghijlmoqrsuwxyz{";
  static const int32_t values[] = {1,  2,  3,  4,  5,  6,  7,  8,   9,   10,  20,
                                   30, 40, 50, 60, 70, 80, 90, 100, 200, 300, 400};
  const char* at = std::strchr(letters, c);
  return at && c != 0 ? values[at - letters] : -1000000;
}

int32_t NumeralValue(const std::string& s) {
  int32_t sum = 0;
  for (char c : s) sum += LetterValue(c);
  return sum;
}

// Every year 1..14000 with the longest month name, and every month and day of
// a few years: the numerals add up to the date and the text fits.
TEST(HebrewDateText, NumeralsAddUpForEveryYear) {
  for (int32_t year = 1; year <= 14000; ++year) {
    const int32_t month = IsHebrewLeapYear(year) ? 13 : 12;
    const std::string text = Format(month, 15, year);
    const size_t firstSpace = text.find(' ');
    const size_t lastSpace = text.rfind(' ');
    ASSERT_NE(firstSpace, std::string::npos) << year;
    ASSERT_EQ(NumeralValue(text.substr(lastSpace + 1)), 15) << year;
    const std::string yearPart = text.substr(0, firstSpace);
    const size_t mark = yearPart.find('\'');
    int32_t expectedRest = year % 1000;
    int32_t thousands = year / 1000;
    if (expectedRest == 0 && thousands != 0) {
      expectedRest = 1000;
      thousands -= 1;
    }
    if (thousands != 0) {
      ASSERT_NE(mark, std::string::npos) << year;
      ASSERT_EQ(NumeralValue(yearPart.substr(0, mark)), expectedRest) << year;
      const std::string thousandsLetter = yearPart.substr(mark + 1);
      ASSERT_EQ(NumeralValue(thousandsLetter), thousands) << year;
    } else {
      ASSERT_EQ(mark, std::string::npos) << year;
      ASSERT_EQ(NumeralValue(yearPart), expectedRest) << year;
    }
  }
  const int32_t years[] = {5767, 5768, 1911, 999};
  for (int32_t year : years) {
    for (int32_t month = 1; month <= HebrewMonthsInYear(year); ++month) {
      for (int32_t day = 1; day <= 30; ++day) {
        const std::string text = Format(month, day, year);
        ASSERT_EQ(NumeralValue(text.substr(text.rfind(' ') + 1)), day) << month << " " << day;
      }
    }
  }
}

}  // namespace
