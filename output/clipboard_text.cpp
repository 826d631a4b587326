// A day's LessonText as the clipboard's UTF-16 text, and the plain-text Append.
#include "output/clipboard_text.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/app_state.h"
#include "common/checked_alloc.h"
#include "view/glyph_mapping.h"

namespace {

constexpr WideChar kCarriageReturn = 0x0D;
constexpr WideChar kLineFeed = 0x0A;
constexpr WideChar kBlank = 0x20;
constexpr WideChar kRuleChar = 0x2D;

// Bounded writer into the caller's buffer: Limit units in all.
struct UnitWriter {
  WideChar* Out;
  size_t Limit;
  size_t Count;
  bool Overflowed;
};

// Appends one unit, or marks the writer overflowed when no room is left.
void PutUnit(UnitWriter* writer, WideChar unit) {
  if (writer->Count >= writer->Limit) {
    writer->Overflowed = true;
    return;
  }
  writer->Out[writer->Count++] = unit;
}

// Appends count copies of unit.
void PutUnits(UnitWriter* writer, WideChar unit, size_t count) {
  for (size_t i = 0; i < count && !writer->Overflowed; ++i) PutUnit(writer, unit);
}

// Appends the characters of one text record as MapToDisplay converts them;
// false if the conversion buffer could not be had or the record is too long to
// convert in one run.
bool PutRecordText(UnitWriter* writer, const StreamRecord& record) {
  if (record.Length == 0) return true;
  if (record.Length > static_cast<size_t>(INT32_MAX)) return false;
  const WideChar* run = MapToDisplay(record.Text, static_cast<int32_t>(record.Length));
  if (!run) return false;
  for (size_t i = 0; i < record.Length && run[i] != 0 && !writer->Overflowed; ++i) PutUnit(writer, run[i]);
  return true;
}

}  // namespace

bool UsesRichText(int32_t codeBaseSetting) {
  return EffectiveCodeBase(codeBaseSetting) > kPlainTextCodeBaseLimit;
}

int32_t ClipboardRuleLength(uint8_t param) {
  if (param <= 160) return param;
  return 2 * (param - 160);
}

// S: stream bytes before the terminating zero flag byte; B: trailing blanks of
// the text records; L: '-' characters of the rule records; E: line ends, one
// per record and one more per record with the paragraph-end bit.
size_t UnicodeBufferBytes(const uint8_t* text) {
  uint64_t blanks = 0;
  uint64_t rules = 0;
  uint64_t lineEnds = 0;
  StreamRecord record;
  const uint8_t* at = text;
  while (ReadRecord(at, &record)) {
    if (IsRuleRecord(record.Flag)) {
      rules += ClipboardRuleLength(record.Param);
    } else {
      blanks += RecordIndent(record.Param);
    }
    lineEnds += (record.Flag & kRecordParagraphEnd) ? 2 : 1;
    at = NextRecord(at);
  }
  uint64_t streamBytes = text ? static_cast<uint64_t>(at - text) : 0;
  uint64_t units = blanks + streamBytes + streamBytes / 2 + rules + 2 * lineEnds;
  uint64_t bytes = 2 * units + 2;
  if (bytes / 2 <= units || bytes > SIZE_MAX) return SIZE_MAX;
  return static_cast<size_t>(bytes);
}

int32_t LessonTextToUnicode(const uint8_t* text, WideChar* buffer, size_t bufferBytes) {
  UnitWriter writer = {buffer, bufferBytes / 2, 0, false};
  StreamRecord record;
  const uint8_t* at = text;
  bool converted = true;
  while (converted && !writer.Overflowed && ReadRecord(at, &record)) {
    if (IsRuleRecord(record.Flag)) {
      PutUnits(&writer, kRuleChar, static_cast<size_t>(ClipboardRuleLength(record.Param)));
    } else {
      converted = PutRecordText(&writer, record);
      PutUnits(&writer, kBlank, static_cast<size_t>(RecordIndent(record.Param)));
    }
    PutUnit(&writer, kCarriageReturn);
    PutUnit(&writer, kLineFeed);
    if (record.Flag & kRecordParagraphEnd) {
      PutUnit(&writer, kCarriageReturn);
      PutUnit(&writer, kLineFeed);
    }
    at = NextRecord(at);
  }
  PutUnit(&writer, 0);
  if (writer.Overflowed && writer.Limit > 0) buffer[writer.Limit - 1] = 0;
  if (!converted) return kUnicodeNoMemory;
  return writer.Overflowed ? kUnicodeOverflow : kUnicodeFitted;
}

WideChar* DayTextToUnicode(const uint8_t* text, int32_t* result) {
  *result = kUnicodeNoMemory;
  if (!text) return nullptr;
  size_t bytes = UnicodeBufferBytes(text);
  if (bytes == SIZE_MAX) return nullptr;
  auto* buffer = static_cast<WideChar*>(CheckedAlloc(bytes));
  uint32_t savedFlags = App.Flags;
  // The stored records are in display order; a Rich Text reader lays out
  // right-to-left text itself, so the document always gets reading order.
  if (UsesRichText(App.Font.FontAsciiBase)) App.Flags |= kFlagReverse;
  *result = LessonTextToUnicode(text, buffer, bytes);
  App.Flags = (App.Flags & ~kFlagReverse) | (savedFlags & kFlagReverse);
  if (*result == kUnicodeFitted) return buffer;
  free(buffer);
  return nullptr;
}

size_t UnicodeUnits(const WideChar* text) {
  size_t units = 0;
  while (text && text[units] != 0) ++units;
  return units;
}

size_t ClipboardDataLength(const uint8_t* data, size_t blockBytes, bool unicode) {
  if (!data) return 0;
  size_t length = 0;
  if (unicode) {
    while (length + 1 < blockBytes && (data[length] != 0 || data[length + 1] != 0)) length += 2;
  } else {
    while (length < blockBytes && data[length] != 0) ++length;
  }
  return length;
}

size_t AppendedUnicodeBytes(size_t oldBytes, const WideChar* text) {
  size_t kept = oldBytes & ~static_cast<size_t>(1);
  size_t units = UnicodeUnits(text);
  if (units > (SIZE_MAX - 2) / 2 || kept > SIZE_MAX - 2 - 2 * units) return 0;
  return kept + 2 * units + 2;
}

size_t WriteAppendedUnicode(uint8_t* block, const uint8_t* old, size_t oldBytes, const WideChar* text) {
  size_t kept = oldBytes & ~static_cast<size_t>(1);
  if (kept > 0) memcpy(block, old, kept);
  size_t textBytes = 2 * UnicodeUnits(text);
  if (textBytes > 0) memcpy(block + kept, text, textBytes);
  memset(block + kept + textBytes, 0, 2);
  return kept + textBytes + 2;
}
