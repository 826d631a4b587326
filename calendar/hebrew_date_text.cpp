#include "calendar/hebrew_date_text.h"

#include <cstdio>

namespace {

// Letters of the units 0..9.
constexpr char OnesLetters[10][2] = {"", "a", "b", "c", "d", "e", "f", "g", "h", "i"};
// Letters of the tens 0, 10, ..., 90.
constexpr char TensLetters[10][2] = {"", "j", "l", "m", "o", "q", "r", "s", "u", "w"};
// Letters of the hundreds 0, 100, ..., 1000.
constexpr char HundredsLetters[11][4] = {"", "x", "y", "z", "{", "x{", "y{", "z{", "{{", "x{{", "y{{"};

// Month names by month number 1..13; row 1 is a leap year.
constexpr char MonthNames[2][13 + 1][8] = {
    {"", "prjq", "yjja", "pfjr", "gfo{", "ba", "mfma", "jyz{", "pfzh", "fmrl", "{bi", "ibz", "yda", ""},
    {"", "prjq", "yjja", "pfjr", "gfo{", "ba", "mfma", "jyz{", "pfzh", "fmrl", "{bi", "ibz", "'a yda",
     "'b yda"},
};

// 15 and 16 are written nine plus six and nine plus seven.
constexpr char kFifteen[] = "fi";
constexpr char kSixteen[] = "gi";

// Last three places of a year written in a form of their own.
struct SpecialYearForm {
  int32_t value;
  char form[4];
};
constexpr SpecialYearForm kSpecialYearForms[] = {
    {270, "ys"}, {272, "bys"}, {274, "yds"}, {275, "eys"}, {298, "why"}, {304, "dz"}, {344, "odz"},
};

constexpr char kThousandsFormat[] = "%s%s%s%s'%s %s %s%s%s";
constexpr char kHundredsFormat[] = "%s%s%s%s %s %s%s%s";

// The special form of the last three places q, or null.
const char* FindSpecialYearForm(int32_t q) {
  for (const auto& special : kSpecialYearForms)
    if (special.value == q) return special.form;
  return nullptr;
}

}  // namespace

int32_t FormatHebrewDate(const HebrewDate* date, uint8_t* buffer) {
  const int32_t leap = IsHebrewLeapYear(date->year) ? 1 : 0;
  const int32_t month = date->month;
  const int32_t day = date->day;
  const int32_t year = date->year;
  if (month < 1 || month > 12 + leap) return 0;
  // The numeral tables cover days below 100 and years from 1 on; no real date
  // lies outside 1..30 and year 1.
  if (day < 1 || day > 30 || year < 1) return 0;
  const char* monthName = MonthNames[leap][month];

  int32_t thousands = year / 1000;
  int32_t q = year % 1000;
  if (q == 0 && thousands != 0) {  // a whole thousand: the previous one and the hundreds form of 1000
    thousands -= 1;
    q = 1000;
  }
  const char* yearPrefix = "";
  if (const char* special = FindSpecialYearForm(q)) {
    yearPrefix = special;
    q = 0;
  }
  const int32_t hundreds = q / 100;
  q %= 100;
  int32_t yearTens = q / 10;
  int32_t yearUnits = q % 10;
  if (q == 16 || q == 15) {
    yearPrefix = q == 16 ? kSixteen : kFifteen;
    yearTens = 0;
    yearUnits = 0;
  }

  const char* dayPrefix = "";
  int32_t dayTens = day / 10;
  int32_t dayUnits = day % 10;
  if (day == 16 || day == 15) {
    dayPrefix = day == 16 ? kSixteen : kFifteen;
    dayTens = 0;
    dayUnits = 0;
  }

  char* text = reinterpret_cast<char*>(buffer);
  const int written =
      thousands != 0
          ? std::snprintf(text, kMaxHebrewDateText + 1, kThousandsFormat, yearPrefix,
                          OnesLetters[yearUnits], TensLetters[yearTens], HundredsLetters[hundreds],
                          OnesLetters[thousands % 10], monthName, dayPrefix, OnesLetters[dayUnits],
                          TensLetters[dayTens])
          : std::snprintf(text, kMaxHebrewDateText + 1, kHundredsFormat, yearPrefix,
                          OnesLetters[yearUnits], TensLetters[yearTens], HundredsLetters[hundreds],
                          monthName, dayPrefix, OnesLetters[dayUnits], TensLetters[dayTens]);
  if (written < 0) return 0;
  return written > kMaxHebrewDateText ? kMaxHebrewDateText : written;
}
