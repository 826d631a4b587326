// The study journal: the user's record of learned lessons, one plain-text line
// per change, only ever appended. The latest line for a track and day wins.
// Lines this version cannot read (cut short by a crash, written by a newer
// version, garbage) are skipped and never rewritten away. Portable: the file
// itself is read and appended through study_log/journal_file.h.
//
// A line is a time (UTC), a kind word and the kind's fields, one or more
// spaces or tabs apart:
//
//   2026-05-03T19:42:07Z learned 3 2026-05-03
//   2026-05-03T19:42:31Z not-learned commandments 2026-05-02
//   2026-05-03T19:43:00Z began 1 2026-04-20
//   2026-05-03T19:44:12Z follows 3,commandments
//
// The track is its kTrackNames name, the day its Gregorian date YYYY-MM-DD
// (years 0001 to 9999), the followed tracks their names joined by commas. A
// line is read only when it is exactly one of these four forms; anything else
// is skipped whole. A newer version says something new with a kind word of its
// own, or with fields after the last: this version skips such a line rather
// than read part of it. A blank line and a line whose first character other
// than a blank is '#' say nothing and are not counted as skipped.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/date_types.h"
#include "lessons/lesson_schedule.h"

// What one line says.
enum JournalKind : int32_t {
  kJournalLearned = 0,     // Track's lesson of Day was learned
  kJournalNotLearned = 1,  // the mark of Track and Day was taken back
  kJournalBegan = 2,       // the user began Track's cycle on Day (a start date set by hand)
  kJournalFollows = 3,     // the tracks the user follows are Tracks, from now on
};

// The last second a line's time can say: 9999-12-31T23:59:59Z.
constexpr int64_t kLastJournalSecond = 253402300799;

// One line of the journal.
struct JournalLine {
  int64_t MadeAt;    // when it was written: seconds since 1970-01-01 00:00 UTC, 0..kLastJournalSecond
  JournalKind Kind;
  LessonTrack Track;  // kJournalLearned, kJournalNotLearned, kJournalBegan (0 otherwise when parsed)
  AbsoluteDay Day;    // the schedule day the line is about, a supported day (0 likewise)
  TrackSet Tracks;    // kJournalFollows: the followed tracks, a non-empty subset of kAllTracks (0 likewise)
};

// Longest line FormatJournalLine writes, its newline included.
constexpr size_t kMaxJournalLine = 96;

// True for a line whose fields hold what its kind needs (a time within
// 0..kLastJournalSecond, a track, a supported day, or a non-empty TrackSet).
bool IsValidJournalLine(const JournalLine& line);

// Writes line as one journal line ending in '\n' into out (capacity bytes, no
// terminating zero); returns the bytes written, 0 if line is not valid or does
// not fit.
size_t FormatJournalLine(const JournalLine& line, char* out, size_t capacity);

// Reads one line, given without its '\n' (a '\r' before it is allowed, any
// bytes at all), into *out; false, *out untouched, for a line this version
// does not read (a blank or '#' line included).
bool ParseJournalLine(const char* text, size_t length, JournalLine* out);

// True for a line that says nothing: only blanks (spaces, tabs, a '\r'), or a
// '#' after them.
bool IsJournalRemark(const char* text, size_t length);

// Everything the journal says, folded: each track's marks, its start dates and
// the followed tracks. Made by CreateStudyRecord, owned by its maker.
struct StudyRecord;

// An empty record (nothing learned, all tracks followed); null without memory.
StudyRecord* CreateStudyRecord();
void DestroyStudyRecord(StudyRecord* record);

// Replaces what record holds with the journal's whole contents (size bytes,
// any bytes at all): every line it reads is applied in the file's order, a
// last line without its '\n' is torn and skipped. Returns the lines skipped
// (remarks are not counted), or -1 when memory ran out (the record then holds
// what it held before).
int32_t LoadJournalText(StudyRecord* record, const char* bytes, size_t size);

// Applies one line as the latest; false, the record unchanged, when memory ran
// out or the line is not valid (IsValidJournalLine).
bool ApplyJournalLine(StudyRecord* record, const JournalLine& line);

// True when the latest line for track and day says learned.
bool IsLearned(const StudyRecord* record, LessonTrack track, AbsoluteDay day);

// The tracks the user follows: the latest kJournalFollows line, kAllTracks
// when there is none.
TrackSet FollowedTracks(const StudyRecord* record);

// Days from first to last (any days; those outside the supported range hold
// no mark) on which track's lesson is learned.
int32_t CountLearned(const StudyRecord* record, LessonTrack track, AbsoluteDay first,
                     AbsoluteDay last);

// The first day from first to last whose lesson of track is learned (learned
// true) or not (false); 0 when there is none. Only supported days count.
AbsoluteDay FirstDayWhere(const StudyRecord* record, LessonTrack track, AbsoluteDay first,
                          AbsoluteDay last, bool learned);

// The start date set by hand latest (by the order of the lines) for track's
// cycle holding day; 0 when none was set.
AbsoluteDay StartSetFor(const StudyRecord* record, LessonTrack track, AbsoluteDay day);
