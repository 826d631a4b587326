// The LessonText byte stream as every consumer reads it (layout, painting,
// printing, clipboard), and the mapping of its 7-bit bytes to display
// characters.
//
// A stream is a sequence of records, each a non-zero flag byte, a parameter
// byte and a zero-terminated text, ended by a zero byte where the next flag
// byte would be. The streams the program builds are followed by at least three
// zero bytes, so any bytes followed by three zero bytes walk safely.
#pragma once
#include <cstddef>
#include <cstdint>

#include "shell/platform_types.h"

// Bits of a record's flag byte.
enum : uint8_t {
  kRecordBody = 0x01,
  kRecordSmall = 0x02,
  kRecordLarge = 0x04,
  kRecordBold = 0x08,
  kRecordReversed = 0x10,   // text stored in display order: reading starts at its last byte
  kRecordAlignMask = 0x60,  // 0x20 right, 0x40 centred, 0x00 or 0x60 left
  kRecordAlignRight = 0x20,
  kRecordAlignCentre = 0x40,
  kRecordParagraphEnd = 0x80,  // one empty row follows the record's last line
  kRecordRuleMask = 0x07,      // all three set: a rule record
  kRecordStyleMask = 0x1F,     // the style key of a text record
};

// Longest stream, in bytes before its terminating zero flag byte, that the
// 16-bit offsets of the line table can address; longer streams are not laid out.
constexpr size_t kMaxStreamLength = 0xFFFF;

// One record of a stream, as read by ReadRecord.
struct StreamRecord {
  uint8_t Flag;         // never 0
  uint8_t Param;        // indent and label level, or a rule's width
  const uint8_t* Text;  // the record's zero-terminated text
  size_t Length;        // bytes of Text before its zero byte
};

// True for a rule record (flag & 7 == 7), false for a text record.
inline bool IsRuleRecord(uint8_t flag) { return (flag & kRecordRuleMask) == kRecordRuleMask; }

// True for the style key (or flag byte) of a heading: large and bold together.
inline bool IsHeadingStyle(uint32_t key) {
  return (key & (kRecordLarge | kRecordBold)) == (kRecordLarge | kRecordBold);
}

// Indent in device units (0..63) of a text record's parameter byte.
inline int32_t RecordIndent(uint8_t param) { return param & 0x3F; }

// Label level (0..3) of a text record's parameter byte.
inline int32_t LabelLevel(uint8_t param) { return param >> 6; }

// Reads the record starting at record into *out. Returns false, leaving *out
// untouched, at the stream's end (a zero flag byte) or for a null pointer.
bool ReadRecord(const uint8_t* record, StreamRecord* out);

// The record after the one starting at record: just past its text's zero byte.
// record must not be the stream's end.
const uint8_t* NextRecord(const uint8_t* record);

// Bytes of the stream before its terminating zero flag byte; 0 for null.
size_t StreamLength(const uint8_t* stream);

// True if layout accepts the stream: its first flag byte is non-zero and its
// first record is a rule or has at least one text byte.
bool IsUsableStream(const uint8_t* stream);

// Length in device units of a rule with parameter param in a text area
// areaWidth wide: 0 for 0, param for 1..160, (param - 160) * 2 percent of the
// area for 161..255; never more than the area width, never negative.
int32_t RuleLength(uint8_t param, int32_t areaWidth);

// Display character of one text byte for code base codeBase (effective base,
// see EffectiveCodeBase): letters 0x61..0x7B to codeBase + (b - 0x61), 0x7E to
// U+007B, every other byte to itself.
WideChar DisplayChar(uint8_t byte, int32_t codeBase);

// The code base actually used for a setting: the setting itself when every
// letter maps into U+0001..U+FFFF, otherwise the default 0x5D0.
int32_t EffectiveCodeBase(int32_t setting);

// Converts up to count bytes of run (fewer if a zero byte comes first) with
// App's code base into the shared conversion buffer, followed by a zero
// character. With the Reverse option on (App.Flags & kFlagReverse) and a code
// base other than 0x61 the converted characters are then reversed, brackets
// ( ) [ ] { } swapping with their partners. Returns the buffer, valid until
// the next conversion, or null if it cannot be grown. Single-threaded.
const WideChar* MapToDisplay(const uint8_t* run, int32_t count);

// MapToDisplay that never reverses, whatever the Reverse option: the form
// measuring uses (reversal changes the glyphs' order, not their width).
const WideChar* MapToDisplayForMeasure(const uint8_t* run, int32_t count);

// The run in reading order as Unicode, whatever the settings: code base 0x5D0
// and always reversed (stored text is in display order), brackets swapped.
// The form text is read in by programs other than the display (screen readers).
const WideChar* MapToReading(const uint8_t* run, int32_t count);

// Characters written by the last conversion, before its zero character.
int32_t LastDisplayLength();

// Allocation used by the conversion buffer and by line layout (line table and
// reversed copies), in the manner of realloc: (null, n) allocates, (block, n)
// resizes keeping block on failure. Blocks are released with free(). Tests
// install a failing one to exercise out-of-memory paths; null restores realloc.
using TextReallocFn = void* (*)(void* block, size_t bytes);
void SetTextAllocator(TextReallocFn allocator);

// Allocates or resizes through the current text allocator; null on failure.
void* TextRealloc(void* block, size_t bytes);
