// The LessonText byte stream: the record format the schedule writes and every
// consumer reads (layout, painting, printing, clipboard), and its 7-bit letters.
//
// A stream is a sequence of records, each a non-zero flag byte, a parameter
// byte and a zero-terminated text, ended by a zero byte where the next flag
// byte would be. The streams the program builds are followed by at least three
// zero bytes, so any bytes followed by three zero bytes walk safely.
#pragma once
#include <cstddef>
#include <cstdint>


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

// The records of a day's LessonText: each track's heading (0x5C: large, bold,
// reversed, centred), its entry (0xD1: body, reversed, centred, paragraph
// end), and the rule between two tracks (0xC7: centred, paragraph end) with
// its width parameter.
constexpr uint8_t kHeadingRecordFlag =
    kRecordLarge | kRecordBold | kRecordReversed | kRecordAlignCentre;
constexpr uint8_t kEntryRecordFlag =
    kRecordBody | kRecordReversed | kRecordAlignCentre | kRecordParagraphEnd;
constexpr uint8_t kRuleRecordFlag = kRecordRuleMask | kRecordAlignCentre | kRecordParagraphEnd;
constexpr uint8_t kRuleRecordParam = 0xAF;  // (0xAF - 160) * 2 = 30 percent of the text area
static_assert(kHeadingRecordFlag == 0x5C && kEntryRecordFlag == 0xD1 && kRuleRecordFlag == 0xC7,
              "the record flag bytes of a day's text");

// The 27 Hebrew letters of the 7-bit text, alef to tav in the order of the
// Unicode block, final forms as letters of their own.
constexpr uint8_t kFirstLetterByte = 0x61;
constexpr uint8_t kLastLetterByte = 0x7B;
constexpr int32_t kLetterCount = kLastLetterByte - kFirstLetterByte + 1;
inline bool IsLetterByte(uint8_t byte) { return byte >= kFirstLetterByte && byte <= kLastLetterByte; }

// The code bases added to a letter's place (byte - 0x61) to give its display
// character.
constexpr int32_t kCodeBaseLetters = kFirstLetterByte;  // the letters as their own bytes
constexpr int32_t kCodeBaseCodePage = 0xE0;             // the 8-bit Hebrew code page
constexpr int32_t kCodeBaseUnicode = 0x5D0;             // the Unicode Hebrew block
// The code base of a first start and of a setting that cannot be used.
constexpr int32_t kDefaultAsciiBase = kCodeBaseUnicode;

// The Hebrew marks of numerals and abbreviations.
constexpr uint32_t kGeresh = 0x05F3;
constexpr uint32_t kGershayim = 0x05F4;

// The reading form of character current after previous, in logical order:
// ' (U+0027) right after a Hebrew letter is geresh U+05F3 and " (U+0022) right
// after one is gershayim U+05F4, the marks of a Hebrew numeral or abbreviation;
// every other character, and a mark after anything but a letter, is itself.
// For text that people read (screen readers, calendar programs); the published
// text in Copy, print and the tool's plain outputs keeps its ASCII marks.
uint32_t ReadingMark(uint32_t previous, uint32_t current);

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

// Large and bold together: a heading, drawn in the heading colour.
constexpr uint32_t kHeadingStyle = kRecordLarge | kRecordBold;

// True for the style key (or flag byte) of a heading.
inline bool IsHeadingStyle(uint32_t key) { return (key & kHeadingStyle) == kHeadingStyle; }

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
