#include "view/palette.h"

#include <cmath>

namespace {

// 0x00BBGGRR of red, green, blue.
constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
  return red | (green << 8) | (blue << 16);
}

// In the order of ColourRole. The light column is the program's classic look;
// the dark one keeps every text and mark at least kReadableContrast against
// its background, and the headings a blue apart from the entries.
constexpr RoleShades kPalette[kColourRoleCount] = {
    {Rgb(255, 255, 255), Rgb(30, 30, 30)},     // Paper
    {Rgb(0, 0, 0), Rgb(228, 228, 228)},        // Ink
    {Rgb(0, 0, 255), Rgb(125, 180, 255)},      // Heading
    {Rgb(192, 192, 192), Rgb(58, 58, 58)},     // Band
    {Rgb(0, 0, 0), Rgb(228, 228, 228)},        // BandInk
    {Rgb(192, 192, 192), Rgb(58, 58, 58)},     // BandEdge
    {Rgb(0, 0, 0), Rgb(228, 228, 228)},        // Marked
    {Rgb(255, 255, 255), Rgb(30, 30, 30)},     // MarkedInk
    {Rgb(0, 0, 0), Rgb(43, 43, 43)},           // Face (light: the system's button face)
    {Rgb(128, 128, 128), Rgb(150, 150, 150)},  // Disabled
    {Rgb(0, 0, 255), Rgb(125, 180, 255)},      // Link
    {Rgb(0, 128, 0), Rgb(110, 205, 110)},      // Learned
    {Rgb(192, 0, 0), Rgb(255, 125, 125)},      // Behind
};

// Relative luminance of one 8-bit sRGB channel.
double Linear(uint32_t channel) {
  const double c = static_cast<double>(channel & 0xFF) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Relative luminance of colour (0x00BBGGRR).
double Luminance(uint32_t colour) {
  return 0.2126 * Linear(colour) + 0.7152 * Linear(colour >> 8) + 0.0722 * Linear(colour >> 16);
}

}  // namespace

RoleShades PaletteShades(ColourRole role) {
  const int32_t index = static_cast<int32_t>(role);
  return index >= 0 && index < kColourRoleCount ? kPalette[index] : kPalette[0];
}

uint32_t UsableColourMode(uint32_t stored) {
  return stored == kColourModeLight || stored == kColourModeDark ? stored : kColourModeSystem;
}

bool DarkColoursChosen(uint32_t choice, bool systemIsDword, uint32_t systemValue) {
  switch (UsableColourMode(choice)) {
    case kColourModeLight: return false;
    case kColourModeDark: return true;
    default: return systemIsDword && systemValue == 0;
  }
}

double ContrastRatio(uint32_t first, uint32_t second) {
  const double a = Luminance(first), b = Luminance(second);
  return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}
