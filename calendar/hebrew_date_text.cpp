#include "calendar/hebrew_date_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "calendar/numeral_letters.h"

namespace {

// Month names by month number 1..13; row 1 is a leap year.
constexpr char MonthNames[2][13 + 1][8] = {
    {"", "prjq", "yjja", "pfjr", "gfo{", "ba", "mfma", "jyz{", "pfzh", "fmrl", "{bi", "ibz", "yda", ""},
    {"", "prjq", "yjja", "pfjr", "gfo{", "ba", "mfma", "jyz{", "pfzh", "fmrl", "{bi", "ibz", "'a yda",
     "'b yda"},
};

constexpr char kThousandsFormat[] = "%s'%s %s %s";
constexpr char kHundredsFormat[] = "%s %s %s";

// One number in display order: its numeral letters (and mark) with the lowest
// place first.
struct DisplayNumeral {
  char Letters[kMaxNumeralLetters + 2];
};

// n (1..kMaxNumeralValue) in display order, written as numerals says.
DisplayNumeral InDisplayOrder(int32_t n, DateNumerals numerals) {
  DisplayNumeral numeral = {};
  const int32_t length = numerals == DateNumerals::Marked
                             ? MarkedNumeralLetters(n, NumeralUse::Date, numeral.Letters)
                             : NumeralLetters(n, NumeralUse::Date, numeral.Letters);
  std::reverse(numeral.Letters, numeral.Letters + length);
  return numeral;
}

}  // namespace

int32_t FormatHebrewDate(const HebrewDate* date, uint8_t* buffer, DateNumerals numerals) {
  const int32_t leap = IsHebrewLeapYear(date->year) ? 1 : 0;
  const int32_t month = date->month;
  const int32_t day = date->day;
  const int32_t year = date->year;
  if (month < 1 || month > 12 + leap) return 0;
  if (day < 1 || day > 30 || year < 1) return 0;

  int32_t thousands = year / 1000;
  int32_t rest = year % 1000;
  if (rest == 0) {  // a whole thousand: the previous one and the hundreds form of 1000
    thousands -= 1;
    rest = 1000;
  }
  if (thousands > kMaxNumeralValue) return 0;
  // The thousands keep their plain letters: the thousands mark follows them.
  const DisplayNumeral yearRest = InDisplayOrder(rest, numerals);
  const DisplayNumeral yearThousands = InDisplayOrder(thousands, DateNumerals::Plain);
  const DisplayNumeral dayNumeral = InDisplayOrder(day, numerals);
  const int32_t longest =
      numerals == DateNumerals::Marked ? kMaxMarkedHebrewDateText : kMaxHebrewDateText;
  const char* monthName = MonthNames[leap][month];

  char text[64];
  const int written =
      thousands != 0
          ? std::snprintf(text, sizeof text, kThousandsFormat, yearRest.Letters,
                          yearThousands.Letters, monthName, dayNumeral.Letters)
          : std::snprintf(text, sizeof text, kHundredsFormat, yearRest.Letters, monthName,
                          dayNumeral.Letters);
  if (written < 1 || written > longest) return 0;
  std::memcpy(buffer, text, static_cast<size_t>(written) + 1);
  return written;
}
