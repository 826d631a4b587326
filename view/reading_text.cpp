#include "view/reading_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "calendar/calendar_range.h"
#include "calendar/hebrew_date_text.h"
#include "common/checked_alloc.h"
#include "common/wide_text.h"
#include "resources/resource.h"
#include "view/glyph_mapping.h"

namespace {

constexpr WideChar kBlank = 0x20;
// Room for the day in words: names, numbers and the Hebrew date.
constexpr size_t kDayWordsUnits = 256;
constexpr WideChar kLineBreak[] = {0x0D, 0x0A};

// A growing UTF-16 text owned by its writer until Finish hands it over.
struct TextBuilder {
  WideChar* Units;
  size_t Length;
  size_t Capacity;  // units, not counting the room for the zero
};

// Makes room for more units (and the zero) behind what the builder holds; a
// builder without a block gets one even for no units.
void Reserve(TextBuilder* builder, size_t more) {
  if (builder->Units != nullptr && builder->Length + more <= builder->Capacity) return;
  size_t capacity = builder->Capacity * 2 + more + 32;
  auto* grown = static_cast<WideChar*>(CheckedAlloc((capacity + 1) * sizeof(WideChar)));
  for (size_t i = 0; i < builder->Length; ++i) grown[i] = builder->Units[i];
  free(builder->Units);
  builder->Units = grown;
  builder->Capacity = capacity;
}

void AppendUnits(TextBuilder* builder, const WideChar* units, size_t count) {
  Reserve(builder, count);
  for (size_t i = 0; i < count; ++i) builder->Units[builder->Length++] = units[i];
}

// Appends count stored bytes of run in reading order; false if the conversion
// buffer could not be had.
bool AppendReading(TextBuilder* builder, const uint8_t* run, size_t count) {
  if (count == 0) return true;
  if (count > static_cast<size_t>(INT32_MAX)) return false;
  const WideChar* units = MapToReading(run, static_cast<int32_t>(count));
  if (units == nullptr) return false;
  size_t length = 0;
  while (length < count && units[length] != 0) ++length;
  AppendUnits(builder, units, length);
  return true;
}

// The builder's text, zero-terminated, handed to the caller; null (and the
// text released) when ok is false.
WideChar* Finish(TextBuilder* builder, bool ok) {
  if (!ok) {
    free(builder->Units);
    return nullptr;
  }
  Reserve(builder, 0);
  builder->Units[builder->Length] = 0;
  return builder->Units;
}

// Appends the Hebrew date of day with its numeral marks; false if it has none or cannot be converted.
bool AppendHebrewDate(TextBuilder* builder, AbsoluteDay day) {
  HebrewDate date;
  AbsoluteToHebrew(day, &date);
  uint8_t text[kMaxMarkedHebrewDateText + 1];
  const int32_t length = FormatHebrewDate(&date, text, DateNumerals::Marked);
  return length > 0 && AppendReading(builder, text, static_cast<size_t>(length));
}

// The decimal digits of number, zero-terminated, into out (16 units).
void DecimalUnits(int32_t number, WideChar out[16]) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", static_cast<int>(number));
  WidenAscii(out, 16, digits);
}

// True for a text record in the heading style.
bool IsHeading(const StreamRecord& record) {
  return !IsRuleRecord(record.Flag) && IsHeadingStyle(record.Flag);
}

}  // namespace

WideChar* DayNameText(AbsoluteDay day, InterfaceText text) {
  if (!IsSupportedDay(day)) return nullptr;
  GregorianDate gregorian;
  AbsoluteToGregorian(day, &gregorian);
  TextBuilder hebrew = {};
  if (!AppendHebrewDate(&hebrew, day)) return Finish(&hebrew, false);
  Reserve(&hebrew, 0);
  hebrew.Units[hebrew.Length] = 0;
  WideChar dayDigits[16];
  WideChar yearDigits[16];
  DecimalUnits(gregorian.day, dayDigits);
  DecimalUnits(gregorian.year, yearDigits);
  const WideChar* values[] = {text(IDS_WEEKDAY_FIRST + WeekdayOf(day)), dayDigits,
                              text(IDS_MONTH_FIRST + gregorian.month - 1), yearDigits, hebrew.Units};
  WideChar words[kDayWordsUnits];
  const size_t length = FillTextPattern(words, kDayWordsUnits, text(IDS_DAY_IN_WORDS), values, 5);
  free(hebrew.Units);
  TextBuilder builder = {};
  AppendUnits(&builder, words, length);
  return Finish(&builder, length > 0);
}

WideChar* HebrewDateText(AbsoluteDay day) {
  if (!IsSupportedDay(day)) return nullptr;
  TextBuilder builder = {};
  const bool ok = AppendHebrewDate(&builder, day);
  return Finish(&builder, ok);
}

WideChar* DayReadingText(const uint8_t* text) {
  if (text == nullptr) return nullptr;
  TextBuilder builder = {};
  bool ok = true;
  StreamRecord record;
  for (const uint8_t* at = text; ok && ReadRecord(at, &record); at = NextRecord(at)) {
    if (IsRuleRecord(record.Flag) || record.Length == 0) continue;
    if (builder.Length > 0) AppendUnits(&builder, kLineBreak, 2);
    ok = AppendReading(&builder, record.Text, record.Length);
  }
  return Finish(&builder, ok);
}

int32_t LessonCount(const uint8_t* text) {
  int32_t count = 0;
  StreamRecord record;
  for (const uint8_t* at = text; ReadRecord(at, &record); at = NextRecord(at)) {
    if (IsHeading(record)) ++count;
  }
  return count;
}

bool LessonSpan(const uint8_t* text, int32_t lesson, size_t* first, size_t* end) {
  int32_t heading = 0;
  StreamRecord record;
  const uint8_t* at = text;
  for (; ReadRecord(at, &record); at = NextRecord(at)) {
    if (!IsHeading(record)) continue;
    if (++heading == lesson) *first = static_cast<size_t>(at - text);
    if (heading == lesson + 1) break;
  }
  *end = static_cast<size_t>(at - text);
  return heading >= lesson && lesson >= 1;
}

WideChar* LessonPartText(const uint8_t* text, int32_t lesson, LessonPart part) {
  size_t first = 0;
  size_t end = 0;
  if (!LessonSpan(text, lesson, &first, &end)) return nullptr;
  TextBuilder builder = {};
  bool ok = true;
  StreamRecord record;
  for (const uint8_t* at = text + first; ok && at < text + end && ReadRecord(at, &record);
       at = NextRecord(at)) {
    if (IsHeading(record)) {
      if (part == LessonPart::Heading) ok = AppendReading(&builder, record.Text, record.Length);
    } else if (part == LessonPart::Entry && !IsRuleRecord(record.Flag)) {
      if (builder.Length > 0) AppendUnits(&builder, &kBlank, 1);
      ok = AppendReading(&builder, record.Text, record.Length);
    }
  }
  return Finish(&builder, ok);
}
