// Drawing of the study marks, shared by the view and the calendar: the mark
// box beside a lesson's heading, the check mark of a learned lesson or day,
// and the dot of a day behind. Shapes, not colours alone, tell them apart, so
// they read in high contrast; the colours are view/colour_scheme.h's.
#pragma once
#include <cstdint>

#include "common/platform_types.h"
#include "view/colour_scheme.h"
#include "view/lesson_view.h"

// Draws box: an ink outline (a tenth of its size thick, at least one pixel)
// around paper, with the check mark in the learned colour when learned.
void DrawMarkBox(DcHandle dc, const MarkBox& box, bool learned);

// Draws a check mark filling the square x, y, size in role's colour, upright
// also in a DC laid out from the right.
void DrawCheckMark(DcHandle dc, int32_t x, int32_t y, int32_t size, ColourRole role);

// Draws a round dot, half the square x, y, size across, centred in it, in
// role's colour.
void DrawBehindDot(DcHandle dc, int32_t x, int32_t y, int32_t size, ColourRole role);
