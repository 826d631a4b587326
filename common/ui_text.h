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

// The zero-terminated text of string-table entry id in the interface's
// language, or its English entry where that language has none; valid until
// the end of the run, also after a change of language (each language's texts
// are kept apart). A missing entry gives "", never null.
const WideChar* UiText(uint32_t id);

// Copies the text UiText(id) would give into out (capacity units, with its
// zero) without allocating anything, for messages shown when memory ran out.
// Returns its length, or 0 with out empty when it is missing or does not fit.
size_t CopyUiText(uint32_t id, WideChar* out, size_t capacity);
