// The program's one palette: for each thing it paints on the screen, the
// colour in the light mode and in the dark mode, and the choice between the
// two (the user's, or Windows' app mode). Colours are 0x00BBGGRR, as a
// COLORREF holds them. Portable: the Win32 side (view/colour_scheme.h) hands
// them out, or the system's colours in high contrast.
#pragma once
#include <cstdint>

// What a colour is for.
enum class ColourRole {
  Paper,       // text area and sheet cells
  Ink,         // text, rules, outlines
  Heading,     // lesson headings: set apart from the entries
  Band,        // date band
  BandInk,     // date band text
  BandEdge,    // date band's edge (the band's own colour unless in high contrast)
  Marked,      // the marked day and month of the calendar
  MarkedInk,   // text and outline on it
  Face,        // the calendar's, the dialogs' and the toolbar's background
  Disabled,    // what cannot be used (a calendar button past the range)
  Link,        // a web link
  Learned,     // the mark of a learned lesson or day
  Behind,      // the mark of a day behind
};
constexpr int32_t kColourRoleCount = static_cast<int32_t>(ColourRole::Behind) + 1;

// A role's colour in each mode.
struct RoleShades {
  uint32_t Light;
  uint32_t Dark;
};

// The colours of role.
RoleShades PaletteShades(ColourRole role);

// The colour mode the user chose ("ColourMode" of the settings).
constexpr uint32_t kColourModeSystem = 0;  // as Windows' app mode
constexpr uint32_t kColourModeLight = 1;
constexpr uint32_t kColourModeDark = 2;
// No choice stored as a REG_DWORD (none, or another type, which is kept as it is).
constexpr uint32_t kColourModeNotStored = 0xFFFFFFFF;

// A stored choice as the program takes it: one of the three; anything else is System.
uint32_t UsableColourMode(uint32_t stored);

// True when the dark colours apply for choice (taken as UsableColourMode
// does), where Windows' app mode value ("AppsUseLightTheme") was read as a
// DWORD when systemIsDword, holding systemValue: 0 means dark, anything else,
// another type or no value means light.
bool DarkColoursChosen(uint32_t choice, bool systemIsDword, uint32_t systemValue);

// WCAG contrast ratio of two colours (0x00BBGGRR), from 1 to 21.
double ContrastRatio(uint32_t first, uint32_t second);

// The smallest contrast ratio that text and marks keep against their background.
constexpr double kReadableContrast = 4.5;
