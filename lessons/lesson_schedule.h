// The daily schedule: which entries of the three tracks belong to a lesson day,
// and the LessonText that joins them.
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"

constexpr int32_t kLessonCycleDays = 1017;  // the long track
constexpr int32_t kShortCycleDays = 339;    // each short track

// The three tracks, numbered in the order of the day's text.
enum LessonTrack : int32_t {
  kTrackThreeChapters = 0,
  kTrackOneChapter = 1,
  kTrackCommandments = 2,
  kTrackCount = 3,
};

// The name of each track on the command line, in the JSON, in event ids and
// in the study journal.
extern const char* const kTrackNames[kTrackCount];

// A set of tracks: bit (1 << track) for each LessonTrack.
using TrackSet = uint32_t;
constexpr TrackSet kAllTracks = (1u << kTrackCount) - 1;

// True if tracks holds track.
inline bool HasTrack(TrackSet tracks, int32_t track) { return (tracks >> track) & 1u; }

// Days of each track's cycle: the one-chapter track is the long one.
constexpr int32_t kTrackCycleDays[kTrackCount] = {kShortCycleDays, kLessonCycleDays, kShortCycleDays};

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
