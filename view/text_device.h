// The measuring seam of line layout. The product implements these with GDI
// (view/gdi_text.cpp, view/view_fonts.cpp); tests and fuzzers link a
// deterministic double with known character widths instead.
#pragma once
#include <cstdint>

#include "common/platform_types.h"
#include "lessons/text_stream.h"
#include "view/lesson_view.h"

// Style request bits beyond the record's style key (kRecordStyleMask).
enum : uint32_t {
  kStylePrint = 0x1000,    // header and footer texts of a printed page
  kStyleSetColour = 0x100, // also set the style's text colour
  kStyleKeyMask = kRecordStyleMask | kStylePrint,  // the 13-bit style key of a font
};

// Selects the font of style key (request & kStyleKeyMask) into the view's DC,
// creating it on first use; with kStyleSetColour also sets the text colour
// (the heading colour for large+bold, else the ink colour: view/colour_scheme.h).
// Returns the font selected before, or null without a view.
void* SelectStyle(LessonView* view, uint32_t request);

// Re-selects a font returned by SelectStyle.
void RestoreFont(DcHandle dc, void* previous);

// Metrics of the font selected in dc.
struct FontMetrics {
  int32_t Height;        // tmHeight
  int32_t MaxCharWidth;  // tmMaxCharWidth
};
void ReadFontMetrics(DcHandle dc, FontMetrics* out);

// In: *count bytes of run (no zero byte among them) and *maxWidth in logical
// units. Out: *count = leading characters that fit, *maxWidth = their width.
// Measures the unreversed run, whatever the Reverse option.
void MeasureRun(DcHandle dc, const uint8_t* run, int32_t* maxWidth, int32_t* count);

// With settings: copies face, size and code base into the view and re-creates
// every cached font. Without: deletes every cached font and empties the cache.
// Returns -1 without a view, else 0.
int32_t ResetStyleFonts(LessonView* view, const FontSettings* settings);
