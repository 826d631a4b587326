// Painting of the main window: the text area through the view's own device
// context, and the date band. The printer pages through the same PaintText.
#pragma once
#include <cstdint>

#include "common/platform_types.h"
#include "view/lesson_view.h"

// Flags of PaintMainWindow (and of RepaintMainWindow, view/main_view.h).
enum : uint32_t {
  kPaintText = 0x01,   // paint the text area
  kPaintErase = 0x100, // erase the client area first, and the text area before painting it
};

// Paints the rows from the top row (or the first line of page) that fit whole
// into the view's text area, erasing it first if asked, in left-to-right
// coordinates also in a window laid out from the right; sets RowsPainted and
// NextLine. 0, or -1 if the view has no text or no line table.
int32_t PaintText(LessonView* view, bool erase);

// Paints the main window into dc, or between BeginPaint and EndPaint when dc
// is null: client erase, text area and date band as flags say.
void PaintMainWindow(DcHandle dc, WindowHandle window, uint32_t flags);

// Height of the toolbar window, 0 without a toolbar.
int32_t ToolbarHeight();

// Width in pixels of the date band's edge at the main window's DPI (1 at 96
// DPI); the text keeps clear of it.
int32_t DateBandEdge();

// Draws App.DateText centred in the date band with the date band font, in the
// band's text colour, and the band's note at its start when it fits beside.
void DrawDateBand(DcHandle dc);

// The whole date band: filled with its colour, its edge drawn where it has a
// colour of its own (high contrast), then DrawDateBand on a transparent
// background (the DC's background mode stays transparent), in left-to-right
// coordinates (the DC's layout stays so).
void PaintDateBand(DcHandle dc);

// The note the date band shows beside the date (null or empty: none), at most
// 63 characters (a longer one is cut); drawn at the next paint of the band.
// True when it differs from the note before.
bool SetDateBandNote(const WideChar* note);

// The date band's note, zero-terminated; empty when there is none.
const WideChar* DateBandNote();
