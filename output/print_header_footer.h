// The header and footer lines of a printed page (GDI).
#pragma once
#include <cstdint>

#include "view/lesson_view.h"

// Heights in printer pixels of the header line (tmHeight of the style-0x1000
// font) and the footer line (style 0x1010) on the printing view's DC. The
// DC's font is left as it was.
void ReservePrintHeaderFooter(LessonView* view, int32_t* headerHeight, int32_t* footerHeight);

// Draws the footer (vendor host and product left, " Page N" in the interface's
// language right) below the view's text area and the header (four units,
// right-aligned) above it, on a transparent background. The DC's font is left as it was.
void DrawPrintHeaderFooter(LessonView* view, int32_t headerHeight, int32_t footerHeight, int32_t page);
