// The colours of what the program paints on the screen, in one place: the
// palette's light or dark colours (view/palette.h: the user's choice, or
// Windows' app mode), or, while the system's high-contrast mode is on
// (SPI_GETHIGHCONTRAST), the system's colours, which win over both; the
// toolbar's pictures take the button colours in the light mode. Printers
// always get the light colours (the paper is white). The modes are read on
// first use and again when a window hears of a change (WM_SETTINGCHANGE,
// WM_SYSCOLORCHANGE) or the user chooses another colour mode.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/platform_types.h"
#include "view/palette.h"

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
// background in the button face colour), in high contrast every mark in the
// button text colour on the button face, and in the dark mode the palette's
// dark colours (light marks on the dark face).
void ScreenPictureColours(PictureColour colours[kPictureColourCount]);

// Reads the high-contrast mode and the colour mode again (on a settings or
// colour change, or another choice of the user); true when either changed.
bool RefreshColourScheme();

// True while the screen takes the palette's dark colours (high contrast off).
bool DarkColoursOn();

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
