// ASCII texts turned into UTF-16 for the system (web addresses, the printed
// footer, the calendar's numbers), and the interface's patterns filled in.
#pragma once
#include <cstddef>

#include "common/platform_types.h"

// Copies the bytes of text before its zero byte, at most count of them, into
// buffer as one UTF-16 unit each (a byte above 0x7F by sign extension, as
// U+FF80..U+FFFF), followed by a zero. Returns the units before the zero, or 0
// with the buffer all zero when they and the zero do not fit in capacity
// units: a cut text is never handed on. A null text counts as empty; a null
// buffer or capacity 0 gives 0.
size_t WidenBytes(WideChar* buffer, size_t capacity, const char* text, size_t count);

// WidenBytes of the whole zero-terminated text.
size_t WidenAscii(WideChar* buffer, size_t capacity, const char* text);

// Copies the zero-terminated pattern into out (capacity units) with each
// marker "%1" .. "%9" replaced by values[0] .. values[8] (zero-terminated; a
// null value is empty); a '%' followed by anything else, or by a digit beyond
// count, is copied as it stands. The interface's texts with a number or a name
// in them are such patterns, so that a translation may move the insertions.
// Returns the units before the zero, or 0 with out empty when the text and its
// zero do not fit: a cut text is never handed on. A null pattern is empty; a
// null out or capacity 0 gives 0.
size_t FillTextPattern(WideChar* out, size_t capacity, const WideChar* pattern,
                       const WideChar* const* values, size_t count);
