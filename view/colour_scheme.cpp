#include "view/colour_scheme.h"

namespace {

constexpr int kNoStock = -1;

// One role's colours: the fixed one (with its stock brush and pen, if the
// system has them) and the system colour used in high contrast.
struct RoleColours {
  COLORREF Fixed;
  int StockBrush;
  int StockPen;
  int SystemColour;  // COLOR_* index
  bool AlwaysSystem;
};

const RoleColours& ColoursOf(ColourRole role) {
  // In the order of ColourRole.
  static const RoleColours kRoles[] = {
      {RGB(255, 255, 255), WHITE_BRUSH, WHITE_PEN, COLOR_WINDOW, false},              // Paper
      {RGB(0, 0, 0), BLACK_BRUSH, BLACK_PEN, COLOR_WINDOWTEXT, false},                // Ink
      {RGB(0, 0, 255), kNoStock, kNoStock, COLOR_WINDOWTEXT, false},                  // Heading
      {RGB(192, 192, 192), LTGRAY_BRUSH, kNoStock, COLOR_BTNFACE, false},             // Band
      {RGB(0, 0, 0), BLACK_BRUSH, BLACK_PEN, COLOR_BTNTEXT, false},                   // BandInk
      {RGB(192, 192, 192), LTGRAY_BRUSH, kNoStock, COLOR_BTNTEXT, false},             // BandEdge
      {RGB(0, 0, 0), BLACK_BRUSH, BLACK_PEN, COLOR_HIGHLIGHT, false},                 // Marked
      {RGB(255, 255, 255), WHITE_BRUSH, WHITE_PEN, COLOR_HIGHLIGHTTEXT, false},       // MarkedInk
      {RGB(0, 0, 0), kNoStock, kNoStock, COLOR_BTNFACE, true},        // Face: the system's either way
      {RGB(128, 128, 128), GRAY_BRUSH, kNoStock, COLOR_GRAYTEXT, false},  // Disabled
      {RGB(0, 0, 255), kNoStock, kNoStock, COLOR_HOTLIGHT, false},    // Link
      {RGB(0, 128, 0), kNoStock, kNoStock, COLOR_WINDOWTEXT, false},  // Learned
      {RGB(192, 0, 0), kNoStock, kNoStock, COLOR_WINDOWTEXT, false},  // Behind
  };
  static_assert(sizeof kRoles / sizeof kRoles[0] == static_cast<size_t>(ColourRole::Behind) + 1,
                "one entry per role");
  return kRoles[static_cast<int>(role)];
}

// -1: not read yet; else 0 or 1.
int HighContrast = -1;

// True when the system says high contrast is on.
bool ReadHighContrast() {
  HIGHCONTRASTW contrast = {};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// True while high contrast is on, as last read (read on the first call).
bool HighContrastOn() {
  if (HighContrast < 0) HighContrast = ReadHighContrast() ? 1 : 0;
  return HighContrast == 1;
}

// True when role takes the system's colour in dc: on screens in high contrast.
bool UsesSystemColour(DcHandle dc, const RoleColours& colours) {
  if (colours.AlwaysSystem) return true;
  if (!HighContrastOn()) return false;
  return GetDeviceCaps(dc, TECHNOLOGY) != DT_RASPRINTER;
}

}  // namespace

void ScreenPictureColours(PictureColour colours[kPictureColourCount]) {
  constexpr int kSame = -1;  // shown as drawn
  // Per drawn colour: the system colour it is shown in, normally and in high contrast.
  static const struct {
    COLORREF Drawn;
    int Normal;
    int HighContrast;
  } kPictureColours[kPictureColourCount] = {
      {RGB(0, 0, 0), COLOR_BTNTEXT, COLOR_BTNTEXT},             // outlines and letters
      {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT, COLOR_BTNFACE},  // a page
      {RGB(128, 128, 128), COLOR_BTNSHADOW, COLOR_BTNTEXT},     // shadows
      {RGB(0, 0, 255), kSame, COLOR_BTNTEXT},                   // the arrows' fill
      {RGB(255, 0, 0), kSame, COLOR_BTNTEXT},                   // the calendar page's head
      {RGB(192, 192, 192), COLOR_BTNFACE, COLOR_BTNFACE},       // the background
  };
  const bool contrast = HighContrastOn();
  for (int32_t i = 0; i < kPictureColourCount; ++i) {
    const int system = contrast ? kPictureColours[i].HighContrast : kPictureColours[i].Normal;
    colours[i].Drawn = kPictureColours[i].Drawn;
    colours[i].Shown = system == kSame ? kPictureColours[i].Drawn : GetSysColor(system);
  }
}

bool RefreshColourScheme() {
  const int before = HighContrast;
  HighContrast = ReadHighContrast() ? 1 : 0;
  return HighContrast != before;
}

uint32_t RoleColour(DcHandle dc, ColourRole role) {
  const RoleColours& colours = ColoursOf(role);
  return UsesSystemColour(dc, colours) ? GetSysColor(colours.SystemColour) : colours.Fixed;
}

HBRUSH RoleBrush(DcHandle dc, ColourRole role) {
  const RoleColours& colours = ColoursOf(role);
  if (UsesSystemColour(dc, colours)) return GetSysColorBrush(colours.SystemColour);
  if (colours.StockBrush != kNoStock) return static_cast<HBRUSH>(GetStockObject(colours.StockBrush));
  SetDCBrushColor(dc, colours.Fixed);
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

HGDIOBJ SelectRolePen(DcHandle dc, ColourRole role) {
  const RoleColours& colours = ColoursOf(role);
  if (!UsesSystemColour(dc, colours) && colours.StockPen != kNoStock) {
    return SelectObject(dc, GetStockObject(colours.StockPen));
  }
  SetDCPenColor(dc, RoleColour(dc, role));
  return SelectObject(dc, GetStockObject(DC_PEN));
}

HGDIOBJ SelectRoleBrush(DcHandle dc, ColourRole role) { return SelectObject(dc, RoleBrush(dc, role)); }

void FillRoleBox(DcHandle dc, int32_t x, int32_t y, int32_t width, int32_t height, ColourRole role) {
  if (dc == nullptr || width <= 0 || height <= 0) return;
  auto edge = [](int64_t v) { return static_cast<LONG>(v > INT32_MAX ? INT32_MAX : v); };
  RECT box = {x, y, edge(static_cast<int64_t>(x) + width), edge(static_cast<int64_t>(y) + height)};
  FillRect(dc, &box, RoleBrush(dc, role));
}
