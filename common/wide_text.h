// ASCII texts turned into UTF-16 for the system: messages, captions, web
// addresses, the printed footer and the calendar's numbers.
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
