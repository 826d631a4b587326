#include "study_log/study_journal.h"

#include <cstring>

#include "calendar/calendar_range.h"

namespace {

// The kind words of a line, by JournalKind.
const char* const kKindWords[] = {"learned", "not-learned", "began", "follows"};
constexpr int32_t kKindCount = 4;

// The first day of the count of a line's time, 1 January 1970.
constexpr AbsoluteDay kUnixEpochDay = 719163;
constexpr int64_t kSecondsPerDay = 86400;

// True for a blank between fields.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Writes number into out[0..digits) with leading zeros.
void PutDigits(char* out, int64_t number, int digits) {
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + number % 10);
    number /= 10;
  }
}

// Writes the Gregorian date of day as YYYY-MM-DD (10 bytes) into out.
void PutDate(char* out, AbsoluteDay day) {
  GregorianDate date;
  AbsoluteToGregorian(day, &date);
  PutDigits(out, date.year, 4);
  out[4] = '-';
  PutDigits(out + 5, date.month, 2);
  out[7] = '-';
  PutDigits(out + 8, date.day, 2);
}

// Reads exactly count decimal digits of field at *at into *value; false if
// any of them is not a digit.
bool TakeDigits(const char* field, size_t* at, int count, int32_t* value) {
  int32_t n = 0;
  for (int i = 0; i < count; ++i) {
    const char c = field[*at + i];
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  *at += count;
  *value = n;
  return true;
}

// Reads YYYY-MM-DD at field[*at..] (years 1..9999, a real date) into *day.
bool TakeDate(const char* field, size_t* at, AbsoluteDay* day) {
  int32_t year = 0;
  int32_t month = 0;
  int32_t dayOfMonth = 0;
  if (!TakeDigits(field, at, 4, &year) || field[*at] != '-') return false;
  ++*at;
  if (!TakeDigits(field, at, 2, &month) || field[*at] != '-') return false;
  ++*at;
  if (!TakeDigits(field, at, 2, &dayOfMonth)) return false;
  if (year < kFirstSupportedYear || year > kLastSupportedYear || month < 1 || month > 12 ||
      dayOfMonth < 1 || dayOfMonth > GregorianMonthLength(month, year)) {
    return false;
  }
  *day = GregorianToAbsolute(month, dayOfMonth, year);
  return true;
}

// One field of a line: its bytes and length.
struct Field {
  const char* Text;
  size_t Length;
};

// Splits text into at most capacity fields at runs of blanks; returns the
// count, or capacity + 1 when there are more.
size_t SplitFields(const char* text, size_t length, Field* fields, size_t capacity) {
  size_t count = 0;
  size_t at = 0;
  while (at < length) {
    while (at < length && IsBlank(text[at])) ++at;
    if (at == length) break;
    const size_t start = at;
    while (at < length && !IsBlank(text[at])) ++at;
    if (count == capacity) return capacity + 1;
    fields[count++] = Field{text + start, at - start};
  }
  return count;
}

// True when field is exactly word.
bool FieldIs(const Field& field, const char* word) {
  return field.Length == std::strlen(word) && std::memcmp(field.Text, word, field.Length) == 0;
}

// Reads a whole field holding a date into *day.
bool ReadDateField(const Field& field, AbsoluteDay* day) {
  // TakeDate reads exactly 10 bytes of a field of that length; a field never
  // ends in a zero that TakeDigits would stop at, so it is copied first.
  char date[11] = {};
  if (field.Length != 10) return false;
  std::memcpy(date, field.Text, 10);
  size_t at = 0;
  return TakeDate(date, &at, day);
}

// Reads a whole field YYYY-MM-DDTHH:MM:SSZ into *seconds.
bool ReadTimeField(const Field& field, int64_t* seconds) {
  char text[21] = {};
  if (field.Length != 20) return false;
  std::memcpy(text, field.Text, 20);
  size_t at = 0;
  AbsoluteDay day = 0;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  if (!TakeDate(text, &at, &day) || text[at++] != 'T' || !TakeDigits(text, &at, 2, &hour) ||
      text[at++] != ':' || !TakeDigits(text, &at, 2, &minute) || text[at++] != ':' ||
      !TakeDigits(text, &at, 2, &second) || text[at] != 'Z') {
    return false;
  }
  if (day < kUnixEpochDay || hour > 23 || minute > 59 || second > 59) return false;
  *seconds = (day - kUnixEpochDay) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
  return true;
}

// Reads a whole field naming one track into *track.
bool ReadTrackField(const Field& field, LessonTrack* track) {
  for (int32_t t = 0; t < kTrackCount; ++t) {
    if (FieldIs(field, kTrackNames[t])) {
      *track = static_cast<LessonTrack>(t);
      return true;
    }
  }
  return false;
}

// Reads a whole field of track names joined by commas (each once, any order)
// into *tracks.
bool ReadTracksField(const Field& field, TrackSet* tracks) {
  TrackSet set = 0;
  size_t at = 0;
  while (true) {
    size_t end = at;
    while (end < field.Length && field.Text[end] != ',') ++end;
    LessonTrack track = kTrackThreeChapters;
    if (!ReadTrackField(Field{field.Text + at, end - at}, &track) || HasTrack(set, track)) return false;
    set |= 1u << track;
    if (end == field.Length) break;
    at = end + 1;
  }
  *tracks = set;
  return true;
}

}  // namespace

bool IsValidJournalLine(const JournalLine& line) {
  if (line.MadeAt < 0 || line.MadeAt > kLastJournalSecond) return false;
  switch (line.Kind) {
    case kJournalLearned:
    case kJournalNotLearned:
    case kJournalBegan:
      return line.Track >= 0 && line.Track < kTrackCount && IsSupportedDay(line.Day);
    case kJournalFollows: return line.Tracks != 0 && (line.Tracks & ~kAllTracks) == 0;
  }
  return false;
}

size_t FormatJournalLine(const JournalLine& line, char* out, size_t capacity) {
  if (!IsValidJournalLine(line)) return 0;
  char text[kMaxJournalLine];
  const AbsoluteDay madeOn = static_cast<AbsoluteDay>(kUnixEpochDay + line.MadeAt / kSecondsPerDay);
  const int64_t second = line.MadeAt % kSecondsPerDay;
  PutDate(text, madeOn);
  text[10] = 'T';
  PutDigits(text + 11, second / 3600, 2);
  text[13] = ':';
  PutDigits(text + 14, second / 60 % 60, 2);
  text[16] = ':';
  PutDigits(text + 17, second % 60, 2);
  text[19] = 'Z';
  size_t length = 20;
  // Appends a blank and word.
  const auto put = [&](const char* word) {
    const size_t n = std::strlen(word);
    text[length++] = ' ';
    std::memcpy(text + length, word, n);
    length += n;
  };
  put(kKindWords[line.Kind]);
  if (line.Kind == kJournalFollows) {
    bool first = true;
    for (int32_t track = 0; track < kTrackCount; ++track) {
      if (!HasTrack(line.Tracks, track)) continue;
      if (first) {
        put(kTrackNames[track]);
      } else {
        text[length++] = ',';
        const size_t n = std::strlen(kTrackNames[track]);
        std::memcpy(text + length, kTrackNames[track], n);
        length += n;
      }
      first = false;
    }
  } else {
    put(kTrackNames[line.Track]);
    text[length++] = ' ';
    PutDate(text + length, line.Day);
    length += 10;
  }
  text[length++] = '\n';
  if (length > capacity) return 0;
  std::memcpy(out, text, length);
  return length;
}

bool IsJournalRemark(const char* text, size_t length) {
  size_t at = 0;
  while (at < length && (IsBlank(text[at]) || text[at] == '\r')) ++at;
  return at == length || text[at] == '#';
}

bool ParseJournalLine(const char* text, size_t length, JournalLine* out) {
  if (length > 0 && text[length - 1] == '\r') --length;
  Field fields[4];
  const size_t count = SplitFields(text, length, fields, 4);
  if (count < 3 || count > 4) return false;
  JournalLine line = {};
  int32_t kind = 0;
  while (kind < kKindCount && !FieldIs(fields[1], kKindWords[kind])) ++kind;
  if (kind == kKindCount || !ReadTimeField(fields[0], &line.MadeAt)) return false;
  line.Kind = static_cast<JournalKind>(kind);
  const bool read = line.Kind == kJournalFollows
                        ? count == 3 && ReadTracksField(fields[2], &line.Tracks)
                        : count == 4 && ReadTrackField(fields[2], &line.Track) &&
                              ReadDateField(fields[3], &line.Day);
  if (!read) return false;
  *out = line;
  return true;
}
