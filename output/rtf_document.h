// The Rich Text document of the clipboard: the body built from a day's UTF-16
// text, and the whole document, new or appended to an earlier one.
//
// Every function here is pure: the Win32 clipboard code reads the old
// document, allocates the global block of the planned size and hands it in.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"

// Fixed texts of the document (ASCII, exact bytes).
extern const char kRtfHeader[];        // document header, 180 bytes
extern const char kRtfSeparator[];     // between appended days, 52 bytes
extern const char kRtfParagraphEnd[];  // "\par\par\r\n", 10 bytes
extern const char kRtfDocumentEnd[];   // "}\r\n", 3 bytes
// Written after the separator when the reopened document is not one of ours:
// it switches off fallback characters after Unicode escapes, which our header
// does for our own documents and a foreign one may leave at 1.
extern const char kRtfForeignReset[];  // "\uc0 ", 5 bytes
extern const size_t kRtfHeaderLength;
extern const size_t kRtfSeparatorLength;
extern const size_t kRtfParagraphEndLength;
extern const size_t kRtfDocumentEndLength;
extern const size_t kRtfForeignResetLength;

// Canonical decomposition of a Hebrew presentation form of the table
// (U+FB2A..U+FB4B, 27 entries): writes its two or three code points to out
// and returns their count; 0 (out untouched) for any other code unit.
int32_t DecomposePresentationForm(uint32_t unit, uint16_t out[3]);

// Bytes of the body of the zero-terminated UTF-16 text, terminator excluded;
// SIZE_MAX if that count would not fit in memory. text may be null (empty).
size_t RtfBodyLength(const WideChar* text);

// Writes the body of text to out, exactly RtfBodyLength(text) bytes followed
// by a zero byte; returns the byte count written before the zero.
size_t WriteRtfBody(const WideChar* text, uint8_t* out);

// The body of text in a new zero-terminated buffer that the caller owns and
// releases with free(); *length receives its byte count before the zero.
// Returns null (length 0) if the body is too large to allocate at all; a
// failed allocation otherwise takes the program's out-of-memory ending.
uint8_t* UnicodeToRtfBody(const WideChar* text, size_t* length);

// What becomes of the document the clipboard held before an Append.
enum RtfOldDocument : int32_t {
  kRtfNoOldDocument = 0,  // none (Copy, or nothing of the format): a new document
  kRtfReopened = 1,       // one complete RTF group: reopened at its closing brace
  kRtfReplaced = 2,       // not RTF, or not one complete group: a new document replaces it
};

// Layout of the finished clipboard document.
struct RtfDocumentPlan {
  RtfOldDocument Old;
  bool Foreign;        // reopened and not begun with our header: kRtfForeignReset follows the separator
  size_t KeptBytes;    // bytes of the old document copied (up to its closing brace); 0 unless reopened
  size_t TotalBytes;   // bytes of the document including its zero byte; 0 if too large for memory
};

// Where the group that a document opens at its first byte closes: the index
// of its closing brace, or SIZE_MAX if it does not close within length bytes.
// Control symbols \\ \{ \} and the binary data of \binN are skipped.
size_t RtfGroupEnd(const uint8_t* document, size_t length);

// How the old document (length bytes, no zero needed; null or 0 for none) and
// a body of bodyLength bytes make the new document. A document is reopened
// only if it begins with "{\rtf" and its first group closes at its last byte
// other than CR, LF, blank and tab.
RtfDocumentPlan PlanRtfDocument(const uint8_t* old, size_t oldLength, size_t bodyLength);

// Writes the planned document to block (plan.TotalBytes bytes): a new
// document is header, body, "}\r\n", zero; a reopened one is the kept old
// bytes, the separator (and the reset for a foreign one), body, "}\r\n",
// zero. Returns the bytes written, zero included.
size_t WriteRtfDocument(uint8_t* block, const RtfDocumentPlan& plan, const uint8_t* old,
                        const uint8_t* body, size_t bodyLength);
