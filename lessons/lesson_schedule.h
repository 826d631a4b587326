// The daily schedule: which entries of the three tracks belong to a lesson day,
// and the LessonText that joins them.
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"

constexpr int32_t kLessonCycleDays = 1017;  // the long track
constexpr int32_t kShortCycleDays = 339;    // each short track

// LessonDay 1..1017 of an AbsoluteDay: (day + 726) mod 1017 + 1, for every day.
int32_t LessonDayFromAbsolute(AbsoluteDay day);

// Builds the LessonText of lessonDay (1..1017); the caller owns the buffer
// (release with free). Null on failure, with code 1..5 in *error when given:
// 3 for a lessonDay outside 1..1017, 2 when memory is exhausted, otherwise
// LoadLessonEntry's code.
uint8_t* BuildLessonText(int32_t lessonDay, int32_t* error);

// Joins three zero-terminated entries under their headings into a new
// LessonText; the caller owns it. Null when memory is exhausted.
uint8_t* JoinLessonText(const uint8_t* firstShort, const uint8_t* longTrack,
                        const uint8_t* secondShort);

// Writes flag byte and text as one record at position (parameter byte left
// as it is); returns the position after the text's terminating zero.
uint8_t* AppendRecord(uint8_t* position, const uint8_t* text, uint8_t flag);
