// LessonView: a laid-out LessonText on one device context (the main window's,
// or a printer's for one print job), with its line table and style fonts.
#pragma once
#include <cstdint>

#include "common/app_state.h"
#include "common/platform_types.h"
#include "lessons/lesson_schedule.h"

// One displayed line or rule, in display order (top to bottom). The table ends
// with an all-zero entry; every walk stops at the first entry with Flags 0.
struct LineEntry {
  uint16_t TextOffset;  // stream offset of the first byte shown (label's on a label line)
  uint16_t Count;       // stored bytes of the line's body; 0 for a rule
  uint16_t X;           // left edge of the body, device units
  uint16_t LabelWidth;  // width of the hanging label column on a record's first line, else 0
  uint16_t Width;       // measured width of the body; a rule's length
  uint16_t Height;      // row height
  uint8_t Flags;        // the record's flag byte; bit 7 only on a record's last line
};

// One cached font of a view, keyed by the 13-bit style key.
struct StyleFontEntry {
  StyleFontEntry* Next;
  FontHandle Font;  // null when its creation failed
  uint16_t Key;
};

// A study mark's square in device units; Size 0: none.
struct MarkBox {
  int32_t X;
  int32_t Y;
  int32_t Size;
};

struct LessonView {
  LineEntry* Lines;       // Capacity + 1 entries (room for the terminator)
  DcHandle Dc;            // where measuring and painting happen; not owned
  uint8_t* Text;          // the laid-out LessonText; owned, except by a printing view
  int32_t RowsPainted;    // rows drawn by the last paint; the page size for paging
  FontSettings Font;      // face, point size and code base, copied from AppState
  StyleFontEntry* Fonts;  // style-font cache, newest first
  int32_t X, Y;           // text area, device units
  int32_t Width, Height;
  uint16_t TopRow;        // scroll position in rows
  uint16_t RowCount;      // one per line plus one per paragraph end
  uint16_t LineCount;     // entries in Lines, terminator excluded
  uint16_t Capacity;      // usable entries in Lines
  uint16_t MaxTopRow;     // top row at which the last line ends the page
  LineEntry* FirstLineOfPage;  // paged output only: painting starts here
  LineEntry* NextLine;         // set by painting: first entry that did not fit
  int32_t Dpi;  // DPI of the window the view shows in: its fonts and rules follow it;
                // 0 for a printer's view (fonts at the DC's resolution, rules one unit)
  TrackSet MarkTracks;     // tracks whose heading shows a mark box; 0 (a printer's view): none
  TrackSet LearnedTracks;  // tracks whose mark box holds the learned mark
  MarkBox PaintedMarks[kTrackCount];  // each track's box as the last paint drew it
};
