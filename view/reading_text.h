// The texts a screen reader is given about a day: the day said in words, the
// day's whole text, and the lessons of a LessonText one by one. All are
// zero-terminated UTF-16 in reading order with the letters in the Unicode
// Hebrew block and the marks of numerals as geresh and gershayim, whatever the
// display settings (MapToReading). Each result is the caller's, released with
// free().
#pragma once
#include <cstddef>
#include <cstdint>

#include "calendar/hebrew_calendar.h"
#include "common/platform_types.h"

// Which text of a lesson.
enum class LessonPart { Heading, Entry };

// Reads string-table entry id (resources/resource.h) in the interface's
// language: UiText in the program; never null.
using InterfaceText = const WideChar* (*)(uint32_t id);

// The day in words: the pattern IDS_DAY_IN_WORDS filled with the weekday's
// and the Gregorian month's names (IDS_WEEKDAY_FIRST, IDS_MONTH_FIRST on), the
// day and year in decimal digits and the Hebrew date, all read through text:
// in English "Wednesday, 1 January 2025, <Hebrew date>". Null for a day
// outside the supported range.
WideChar* DayNameText(AbsoluteDay day, InterfaceText text);

// The Hebrew date of day alone; null outside the supported range.
WideChar* HebrewDateText(AbsoluteDay day);

// The day's whole text: each text record with any text on a line of its own,
// lines joined by CR LF (none after the last); rules, empty rows and indents
// are left out. An empty text for a stream with no such record; null for null.
WideChar* DayReadingText(const uint8_t* text);

// Number of lessons in text: its heading records (large and bold); 0 for null.
int32_t LessonCount(const uint8_t* text);

// Stream offsets of lesson number lesson (1..LessonCount) of text: from its
// heading record to the next heading record (or the stream's end). False when
// text has no such lesson.
bool LessonSpan(const uint8_t* text, int32_t lesson, size_t* first, size_t* end);

// Lesson number lesson (1..LessonCount) of text: its heading, or its entry
// (the text records after the heading up to the next heading, joined by a
// blank). Null for a lesson text does not have.
WideChar* LessonPartText(const uint8_t* text, int32_t lesson, LessonPart part);
