// The clipboard's plain text: a day's LessonText as UTF-16 lines, and the
// Append of such text behind what the clipboard held before.
//
// Every function here except DayTextToUnicode (which allocates its result) is
// pure; the Win32 clipboard
// code only reads the old data, allocates the global block of the computed
// size and hands it in.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"

// Results of LessonTextToUnicode.
enum : int32_t {
  kUnicodeFitted = 0,    // the whole text and its terminator are in the buffer
  kUnicodeOverflow = 1,  // the text did not fit: the buffer holds a cut, terminated prefix
  kUnicodeNoMemory = 2,  // a record could not be converted (conversion buffer), or the text is too large
};

// Code bases above this put a Rich Text document on the clipboard; the others
// put plain Unicode text.
constexpr int32_t kPlainTextCodeBaseLimit = 256;

// True if the day goes to the clipboard as Rich Text for the code base setting
// (the setting as the view maps it, see EffectiveCodeBase).
bool UsesRichText(int32_t codeBaseSetting);

// Number of '-' characters of a rule record with parameter param: 0 for 0,
// param for 1..160, 2 * (param - 160) for 161..255.
int32_t ClipboardRuleLength(uint8_t param);

// Buffer size in bytes for LessonTextToUnicode of the stream text:
// 2 * (B + 1.5 * S + L + 2 * E) + 2 (see the definitions in the .cpp);
// 2 for a null or empty stream; SIZE_MAX if the size does not fit in memory.
size_t UnicodeBufferBytes(const uint8_t* text);

// Writes the stream text as UTF-16 lines into buffer (bufferBytes bytes, an
// odd last byte unused), with App's code base and Reverse option: a rule
// record as its '-' characters, a text record as its converted text and its
// indent (parameter bits 0-5) in trailing blanks; each record ends with CR LF,
// and one more CR LF after a record with the paragraph-end bit; then a zero.
// Returns kUnicodeFitted, kUnicodeOverflow (never writing past the buffer; a
// buffer of at least 2 bytes then ends in a zero) or kUnicodeNoMemory.
int32_t LessonTextToUnicode(const uint8_t* text, WideChar* buffer, size_t bufferBytes);

// The clipboard text of the day's stream text: sizes and allocates the
// buffer, converts with the Reverse option on for the duration when the code
// base gives Rich Text, so that the document holds every record in reading
// order whatever the option (App.Flags is restored), and stores the
// conversion result in *result. Returns the buffer, which the caller owns and
// releases with free(), or null when *result is not kUnicodeFitted. A failed
// allocation takes the program's out-of-memory ending. Null text gives null
// with kUnicodeNoMemory.
WideChar* DayTextToUnicode(const uint8_t* text, int32_t* result);

// Units of a zero-terminated UTF-16 text before its zero; 0 for null.
size_t UnicodeUnits(const WideChar* text);

// Length of clipboard data held in a block of blockBytes bytes, never looking
// past the block: for Unicode text 2 * the number of whole UTF-16 units before
// the first zero unit (an odd last byte is ignored); otherwise the number of
// bytes before the first zero byte. The block need not be terminated.
size_t ClipboardDataLength(const uint8_t* data, size_t blockBytes, bool unicode);

// Bytes of the Unicode clipboard text that appends text to oldBytes bytes of
// old text (rounded down to whole units): old + 2 * units + 2; 0 if that does
// not fit in memory.
size_t AppendedUnicodeBytes(size_t oldBytes, const WideChar* text);

// Writes the old text (oldBytes rounded down to even; old may be null when 0)
// and directly behind it text with its zero terminator into block, which holds
// AppendedUnicodeBytes(oldBytes, text) bytes. No separator goes between them.
// Returns the bytes written, terminator included.
size_t WriteAppendedUnicode(uint8_t* block, const uint8_t* old, size_t oldBytes, const WideChar* text);
