#include "lessons/lesson_schedule.h"

#include <cstdlib>
#include <cstring>

#include "lessons/lesson_entry.h"
#include "lessons/lesson_error.h"
#include "lessons/lesson_resources.h"
#include "lessons/text_stream.h"

const char* const kTrackNames[kTrackCount] = {"3", "1", "commandments"};

namespace {

// The headings of the three tracks, 7-bit in display order.
const uint8_t kFirstShortHeading[] = "nfjm njxyu 'c";
const uint8_t kLongHeading[] = "nfjm 'a xyu";
const uint8_t kSecondShortHeading[] = "{ffwoe yur";

// Bytes of the records besides the three entries: three headings (34 bytes),
// six records' flag, parameter and zero (18), two rules of 3 bytes (6).
constexpr size_t kRecordOverhead = 58;
// The buffer adds 3 zero bytes after the records: the ending zero flag byte.
constexpr size_t kTextOverhead = kRecordOverhead + 3;

// Writes a rule record (flag, parameter, empty text) at position; returns the
// position after it.
uint8_t* AppendRule(uint8_t* position) {
  position[0] = kRuleRecordFlag;
  position[1] = kRuleRecordParam;
  return position + 3;
}

}  // namespace

int32_t LessonDayFromAbsolute(AbsoluteDay day) {
  // Floor modulo, so that days before year 1 stay within the cycle as well.
  int64_t k = (static_cast<int64_t>(day) + 726) % kLessonCycleDays;
  if (k < 0) k += kLessonCycleDays;
  return static_cast<int32_t>(k) + 1;
}

uint8_t* AppendRecord(uint8_t* position, const uint8_t* text, uint8_t flag) {
  position[0] = flag;
  size_t length = strlen(reinterpret_cast<const char*>(text));
  memcpy(position + 2, text, length);
  return position + 2 + length + 1;
}

uint8_t* JoinLessonText(const uint8_t* firstShort, const uint8_t* longTrack,
                        const uint8_t* secondShort) {
  size_t size = strlen(reinterpret_cast<const char*>(firstShort)) +
                strlen(reinterpret_cast<const char*>(longTrack)) +
                strlen(reinterpret_cast<const char*>(secondShort)) + kTextOverhead;
  uint8_t* text = static_cast<uint8_t*>(calloc(size, 1));
  if (!text) return nullptr;
  uint8_t* position = AppendRecord(text, kFirstShortHeading, kHeadingRecordFlag);
  position = AppendRecord(position, firstShort, kEntryRecordFlag);
  position = AppendRule(position);
  position = AppendRecord(position, kLongHeading, kHeadingRecordFlag);
  position = AppendRecord(position, longTrack, kEntryRecordFlag);
  position = AppendRule(position);
  position = AppendRecord(position, kSecondShortHeading, kHeadingRecordFlag);
  AppendRecord(position, secondShort, kEntryRecordFlag);
  return text;
}

uint8_t* BuildLessonText(int32_t lessonDay, int32_t* error) {
  if (lessonDay < 1 || lessonDay > kLessonCycleDays) {
    SetLessonError(error, kLessonErrorNoChunk);
    return nullptr;
  }
  int32_t k = lessonDay - 1;
  int32_t j = k % kShortCycleDays;
  uint8_t* longTrack = nullptr;
  uint8_t* firstShort = nullptr;
  uint8_t* secondShort = nullptr;
  uint8_t* text = nullptr;
  longTrack = LoadLessonEntry(kLongTrackFirstId + k / kEntriesPerResource, k % kEntriesPerResource,
                              error);
  if (longTrack) {
    firstShort = LoadLessonEntry(kFirstShortTrackFirstId + j / kEntriesPerResource,
                                 j % kEntriesPerResource, error);
  }
  if (firstShort) {
    secondShort = LoadLessonEntry(kSecondShortTrackFirstId + j / kEntriesPerResource,
                                  j % kEntriesPerResource, error);
  }
  if (secondShort) {
    text = JoinLessonText(firstShort, longTrack, secondShort);
    if (!text) SetLessonError(error, kLessonErrorCannotLoad);
  }
  free(longTrack);
  free(firstShort);
  free(secondShort);
  return text;
}
