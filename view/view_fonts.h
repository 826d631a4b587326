// The fonts of a LessonView (one per style key, created on first use at the
// resolution of the view's DC) and the date band's font. SelectStyle,
// RestoreFont, ReadFontMetrics and ResetStyleFonts are declared with the
// layout seam in view/text_device.h.
#pragma once
#include <cstdint>

#include "view/lesson_view.h"

// Font height in points for style key and base point size: large 5/4 (20 when
// the size is 0), else small 6/8 (14 when 0), else print 8, else the size.
int32_t StyleFontPoints(uint32_t key, int32_t pointSize);

// Creates entry's font for key from the view's face and size at the view's DPI
// (a printer's view: the vertical resolution of its DC); a failed creation
// leaves entry->Font null.
void CreateStyleFont(LessonView* view, StyleFontEntry* entry, uint32_t key);

// Replaces App.DateBandFont with a font of App's face (Hebrew charset when no
// face is chosen) 14 pixels high at 96 DPI, scaled to App.Dpi, deleting the
// previous one.
void CreateDateBandFont();
