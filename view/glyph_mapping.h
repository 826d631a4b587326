// The mapping of a LessonText's 7-bit bytes to display characters, and the
// one conversion buffer the drawing, measuring and reading forms share.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"
#include "lessons/text_stream.h"

// Display character of one text byte for code base codeBase (effective base,
// see EffectiveCodeBase): letters 0x61..0x7B to codeBase + (b - 0x61), 0x7E to
// U+007B, every other byte to itself.
WideChar DisplayChar(uint8_t byte, int32_t codeBase);

// The code base actually used for a setting: the setting itself when every
// letter maps into U+0001..U+FFFF, otherwise the default kCodeBaseUnicode.
int32_t EffectiveCodeBase(int32_t setting);

// True when text is drawn in reading order: the Reverse option is on in flags
// and the letters are not shown as their own bytes (effective code base other
// than kCodeBaseLetters). MapToDisplay then reverses every run, and every run
// is drawn as a right-to-left paragraph.
bool DrawsInReadingOrder(int32_t codeBaseSetting, uint32_t flags);

// Converts up to count bytes of run (fewer if a zero byte comes first) with
// App's code base into the shared conversion buffer, followed by a zero
// character. When DrawsInReadingOrder for App's settings the converted
// characters are then reversed, each character that a right-to-left paragraph
// mirrors ( ) [ ] { } < > swapping with its partner, so that the drawing
// mirrors it back. Returns the buffer, valid until the next conversion, or
// null if it cannot be grown. Single-threaded.
const WideChar* MapToDisplay(const uint8_t* run, int32_t count);

// MapToDisplay that never reverses, whatever the Reverse option: the form
// measuring uses (reversal changes the glyphs' order, not their width).
const WideChar* MapToDisplayForMeasure(const uint8_t* run, int32_t count);

// The run in reading order as Unicode, whatever the settings: code base
// kCodeBaseUnicode and always reversed (stored text is in display order), the
// mirrored characters swapped with their partners, and each ' and " after a
// Hebrew letter written as geresh and gershayim (ReadingMark). The form text
// is read in by programs other than the display (screen readers).
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
