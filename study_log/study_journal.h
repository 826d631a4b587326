// The study journal: the user's record of learned lessons, one plain-text line
// per change, only ever appended. The latest line for a track and day wins.
// Lines this version cannot read (cut short by a crash, written by a newer
// version, garbage) are skipped and never rewritten away. Portable: the file
// itself is read and appended through study_log/journal_file.h.
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

// One line of the journal.
struct JournalLine {
  int64_t MadeAt;    // when it was written: seconds since 1970-01-01 00:00 UTC
  JournalKind Kind;
  LessonTrack Track;  // kJournalLearned, kJournalNotLearned, kJournalBegan
  AbsoluteDay Day;    // the schedule day the line is about, a supported day
  TrackSet Tracks;    // kJournalFollows: the followed tracks, a non-empty subset of kAllTracks
};

// Longest line FormatJournalLine writes, its newline included.
constexpr size_t kMaxJournalLine = 96;

// Writes line as one journal line ending in '\n' into out (capacity bytes, no
// terminating zero); returns the bytes written, 0 if line is not valid or does
// not fit.
size_t FormatJournalLine(const JournalLine& line, char* out, size_t capacity);

// Reads one line, given without its '\n' (a '\r' before it is allowed), into
// *out; false, *out untouched, for a line this version does not read.
bool ParseJournalLine(const char* text, size_t length, JournalLine* out);

// Everything the journal says, folded: each track's marks, its start dates and
// the followed tracks. Made by CreateStudyRecord, owned by its maker.
struct StudyRecord;

// An empty record (nothing learned, all tracks followed); null without memory.
StudyRecord* CreateStudyRecord();
void DestroyStudyRecord(StudyRecord* record);

// Replaces what record holds with the journal's whole contents (size bytes,
// any bytes at all): every line it reads is applied in the file's order, a
// last line without its '\n' is torn and skipped. Returns the lines skipped,
// or -1 when memory ran out (the record then holds what it held before).
int32_t LoadJournalText(StudyRecord* record, const char* bytes, size_t size);

// Applies one line as the latest; false when memory ran out (record unchanged).
bool ApplyJournalLine(StudyRecord* record, const JournalLine& line);

// True when the latest line for track and day says learned.
bool IsLearned(const StudyRecord* record, LessonTrack track, AbsoluteDay day);

// The tracks the user follows: the latest kJournalFollows line, kAllTracks
// when there is none.
TrackSet FollowedTracks(const StudyRecord* record);
