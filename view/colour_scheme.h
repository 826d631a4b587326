// The colours of what the program paints on the screen, in one place: the
// fixed blue, black, two greys and white (and the study marks' green and
// red), or, while the system's high-contrast mode is on (SPI_GETHIGHCONTRAST),
// the system's colours; the toolbar's pictures take the button colours either
// way. Printers always get the fixed colours (the paper is white). The mode is
// read on first use and again when the main window or the calendar hears of a
// change (WM_SETTINGCHANGE, WM_SYSCOLORCHANGE).
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/platform_types.h"

// What a colour is for.
enum class ColourRole {
  Paper,       // text area and sheet cells: white, or the window colour
  Ink,         // text, rules, outlines: black, or the window text colour
  Heading,     // lesson headings: blue, or the window text colour
  Band,        // date band: light grey, or the button face colour
  BandInk,     // date band text: black, or the button text colour
  BandEdge,    // date band's edge: light grey (the band's own), or the button text colour
  Marked,      // the marked day and month of the calendar: black, or the highlight colour
  MarkedInk,   // text and outline on it: white, or the highlight text colour
  Face,        // the calendar's background: the button face colour either way
  Disabled,    // what cannot be used (a calendar button past the range): grey, or the grey text colour
  Link,        // a web link: blue, or the system's link (hot-light) colour
  Learned,     // the mark of a learned lesson or day: dark green, or the window text colour
  Behind,      // the mark of a day behind: dark red, or the window text colour
};

// A colour the program's pictures (the toolbar's) are drawn with, and the
// colour it is shown in.
struct PictureColour {
  uint32_t Drawn;  // COLORREF in the picture resources
  uint32_t Shown;  // COLORREF on the screen
};

// The colours of the pictures: black marks, white, grey, blue and red, and the
// light grey background, which comes last.
constexpr int32_t kPictureColourCount = 6;

// Fills colours with the pictures' colours as the screen shows them now: the
// system's button colours (black marks in the button text colour, the
// background in the button face colour), and in high contrast every mark in
// the button text colour on the button face.
void ScreenPictureColours(PictureColour colours[kPictureColourCount]);

// Reads the high-contrast mode again (on a settings or colour change); true
// when it changed.
bool RefreshColourScheme();

// COLORREF of role for drawing into dc.
uint32_t RoleColour(DcHandle dc, ColourRole role);

// A brush of role for dc: a stock or system brush, never to be deleted.
HBRUSH RoleBrush(DcHandle dc, ColourRole role);

// Selects a one-pixel pen of role into dc (a stock pen, or the DC pen set to
// the colour); returns the pen it replaced.
HGDIOBJ SelectRolePen(DcHandle dc, ColourRole role);

// Selects the brush of role into dc; returns the brush it replaced.
HGDIOBJ SelectRoleBrush(DcHandle dc, ColourRole role);

// Fills the box x, y, width, height with role's colour; nothing for an empty box.
void FillRoleBox(DcHandle dc, int32_t x, int32_t y, int32_t width, int32_t height, ColourRole role);
