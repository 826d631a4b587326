// The interface's texts: entries of the resource script's string tables (ids
// in resources/resource.h), in the language the interface speaks, so that no
// text of the window program is written in code.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"
#include "common/ui_language.h"

// Makes language the one whose texts, menus and dialogs are read from now on
// (English, the start value, until the settings are read).
void SetUiLanguage(UiLanguage language);

// The language the interface speaks now.
UiLanguage CurrentUiLanguage();

// True while the interface speaks a right-to-left language: its windows are
// mirrored and its texts are right-to-left paragraphs.
bool UiRightToLeft();

// The locale (an LCID) whose month names the interface's dates take: the
// user's own while the interface speaks English, else that of the
// interface's language, so that a Hebrew text has Hebrew months.
uint32_t UiDateLocale();

// The zero-terminated text of string-table entry id in the interface's
// language, or its English entry where that language has none; valid until
// the end of the run, also after a change of language (each language's texts
// are kept apart). A missing entry gives "", never null.
const WideChar* UiText(uint32_t id);

// Copies the text UiText(id) would give into out (capacity units, with its
// zero) without allocating anything, for messages shown when memory ran out.
// Returns its length, or 0 with out empty when it is missing or does not fit.
size_t CopyUiText(uint32_t id, WideChar* out, size_t capacity);

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
