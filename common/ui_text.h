// The interface's texts: entries of the resource script's string table (ids
// in resources/resource.h), so that no text of the window program is written
// in code.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"

// The zero-terminated text of string-table entry id from the program's
// module; valid until the end of the run. A missing entry gives "", never null.
const WideChar* UiText(uint32_t id);

// An insert of FormatUiText: a zero-terminated text (for %n) or a number (for
// %n!d!), as FormatMessage takes its argument array.
inline uintptr_t UiInsertText(const WideChar* text) { return reinterpret_cast<uintptr_t>(text); }
inline uintptr_t UiInsertNumber(int32_t number) {
  return static_cast<uintptr_t>(static_cast<intptr_t>(number));
}

// String-table entry id with its inserts %1..%count filled in (FormatMessage),
// into out (capacity units, zero-terminated). Returns the units before the
// zero; 0 with out empty when the entry is missing, names an insert beyond
// count, or the result does not fit.
size_t FormatUiText(WideChar* out, size_t capacity, uint32_t id, const uintptr_t* inserts,
                    size_t count);

// Entry id with text (a block of the caller's, released with free()) as its
// %1, in a new block that takes text's place: text is released. When the
// entry cannot be formatted or memory runs short, text itself. Null for null.
WideChar* WrapInUiText(uint32_t id, WideChar* text);
