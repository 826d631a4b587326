// Reading the records of a LessonText.
#include "lessons/text_stream.h"

#include <cstring>

bool ReadRecord(const uint8_t* record, StreamRecord* out) {
  if (!record || record[0] == 0) return false;
  out->Flag = record[0];
  out->Param = record[1];
  out->Text = record + 2;
  out->Length = strlen(reinterpret_cast<const char*>(record + 2));
  return true;
}

const uint8_t* NextRecord(const uint8_t* record) {
  const uint8_t* text = record + 2;
  return text + strlen(reinterpret_cast<const char*>(text)) + 1;
}

size_t StreamLength(const uint8_t* stream) {
  if (!stream) return 0;
  const uint8_t* record = stream;
  while (record[0] != 0) record = NextRecord(record);
  return static_cast<size_t>(record - stream);
}

bool IsUsableStream(const uint8_t* stream) {
  StreamRecord first;
  if (!ReadRecord(stream, &first)) return false;
  return IsRuleRecord(first.Flag) || first.Length > 0;
}

int32_t RuleLength(uint8_t param, int32_t areaWidth) {
  int64_t length = param;
  if (param > 160) length = static_cast<int64_t>(param - 160) * areaWidth * 2 / 100;
  if (length > areaWidth) length = areaWidth;
  if (length < 0) length = 0;
  return static_cast<int32_t>(length);
}

uint32_t ReadingMark(uint32_t previous, uint32_t current) {
  const bool afterLetter = previous - kCodeBaseUnicode < static_cast<uint32_t>(kLetterCount);
  if (!afterLetter) return current;
  if (current == '\'') return kGeresh;
  if (current == '"') return kGershayim;
  return current;
}
