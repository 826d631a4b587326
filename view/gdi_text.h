// The GDI text primitives with which the view, the date band, printing and
// the calendar dialog draw a run of LessonText bytes (MeasureRun, the
// measuring one, is declared with the layout seam in view/text_device.h).
#pragma once
#include <cstdint>

#include "common/platform_types.h"

// Draws length units of text centred in the box x, y, w, h on one line with
// the DC's current font and colours, as a right-to-left paragraph when
// rightToLeft: the one way every run is drawn. Returns DrawTextW's result (the
// text height), 0 when nothing was drawn (no DC or text, length not positive).
int32_t DrawCentredText(DcHandle dc, const WideChar* text, int32_t length, int32_t x, int32_t y,
                        int32_t w, int32_t h, bool rightToLeft);

// Draws count bytes of run (mapped by MapToDisplay, Reverse option applied)
// with DrawCentredText, right to left when DrawsInReadingOrder. Returns
// DrawTextW's result (the text height), 0 when nothing was drawn.
int32_t DrawRun(DcHandle dc, const uint8_t* run, int32_t count, int32_t x, int32_t y, int32_t w,
                int32_t h);

// DrawRun with the given text and background colours (COLORREF values 0x00BBGGRR),
// restoring the DC's previous colours afterwards.
int32_t DrawRunColoured(DcHandle dc, const uint8_t* run, int32_t count, int32_t x, int32_t y,
                        int32_t w, int32_t h, uint32_t textColour, uint32_t backColour);
