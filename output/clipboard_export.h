// Copy and Append to ClipBoard: the day's text on the Win32 clipboard, as
// Unicode text (code bases up to 256) or as a Rich Text document (above).
// After either the clipboard holds exactly one format.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "view/lesson_view.h"

// Name of the registered Rich Text clipboard format.
extern const wchar_t kRichTextFormatName[];  // "Rich Text Format"

// The command handler of Copy (append false) and Append to ClipBoard (append
// true): the view's text as UTF-16, then PutRichText or PutUnicodeText by the
// code base. Nothing without a view or text; the overflow message when the
// text does not fit its buffer.
void CopyDayToClipboard(const LessonView* view, bool append);

// Results of the clipboard writers.
enum ClipboardPut : int32_t {
  kClipboardPut = 0,          // the clipboard holds the new data
  kClipboardUnchanged = 1,    // it could not be opened or would not take the block, or
                              // the Rich Text format could not be registered
  kClipboardOldTooLarge = 2,  // the old data to append to could not be copied: left as it was
  kClipboardNoMemory = 3,     // no global block for the new data: left as it was
};

// Puts text (zero-terminated UTF-16) on the clipboard as CF_UNICODETEXT; with
// append behind the clipboard's old Unicode text, with no separator.
ClipboardPut PutUnicodeText(const WideChar* text, bool append);

// Puts the Rich Text document of text on the clipboard in the format "Rich
// Text Format"; with append the old document of that format is reopened and
// the day follows a separator (a foreign or broken old one is replaced).
ClipboardPut PutRichText(const WideChar* text, bool append);

// A private copy of the clipboard's data of format (0: CF_UNICODETEXT), never
// read past its global block: *length receives 2 * the whole UTF-16 units
// before the first zero unit for Unicode text, else the bytes before the first
// zero byte (no terminator is copied). Null, length 0, when the clipboard
// cannot be opened or holds no readable data of the format; null with
// *outOfMemory set when the copy cannot be allocated. The caller owns the copy
// and releases it with free().
uint8_t* ReadClipboardData(UINT format, size_t* length, bool* outOfMemory);
