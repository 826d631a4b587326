#include "view/colour_scheme.h"

#include "common/app_state.h"
#include "common/registry_values.h"

namespace {

constexpr int kNoStock = -1;

// One role's stock brush and pen of its light colour (if the system has
// them), the system colour used in high contrast, and whether the light mode
// takes the system's colour too.
struct RoleColours {
  int StockBrush;
  int StockPen;
  int SystemColour;  // COLOR_* index
  bool LightIsSystem;
};

const RoleColours& ColoursOf(ColourRole role) {
  // In the order of ColourRole; the colours themselves are the palette's.
  static const RoleColours kRoles[] = {
      {WHITE_BRUSH, WHITE_PEN, COLOR_WINDOW, false},           // Paper
      {BLACK_BRUSH, BLACK_PEN, COLOR_WINDOWTEXT, false},       // Ink
      {kNoStock, kNoStock, COLOR_WINDOWTEXT, false},           // Heading
      {LTGRAY_BRUSH, kNoStock, COLOR_BTNFACE, false},          // Band
      {BLACK_BRUSH, BLACK_PEN, COLOR_BTNTEXT, false},          // BandInk
      {LTGRAY_BRUSH, kNoStock, COLOR_BTNTEXT, false},          // BandEdge
      {BLACK_BRUSH, BLACK_PEN, COLOR_HIGHLIGHT, false},        // Marked
      {WHITE_BRUSH, WHITE_PEN, COLOR_HIGHLIGHTTEXT, false},    // MarkedInk
      {kNoStock, kNoStock, COLOR_BTNFACE, true},               // Face: the system's when light
      {GRAY_BRUSH, kNoStock, COLOR_GRAYTEXT, false},           // Disabled
      {kNoStock, kNoStock, COLOR_HOTLIGHT, false},             // Link
      {kNoStock, kNoStock, COLOR_WINDOWTEXT, false},           // Learned
      {kNoStock, kNoStock, COLOR_WINDOWTEXT, false},           // Behind
  };
  static_assert(sizeof kRoles / sizeof kRoles[0] == static_cast<size_t>(kColourRoleCount),
                "one entry per role");
  return kRoles[static_cast<int>(role)];
}

// Where Windows keeps its app mode, and the value: a DWORD, 0 for dark.
constexpr wchar_t kAppModeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr wchar_t kAppModeValue[] = L"AppsUseLightTheme";

// -1: not read yet; else 0 or 1.
int HighContrast = -1;
int Dark = -1;

// True when the user's choice or Windows' app mode asks for the dark colours.
bool ReadDark() {
  uint32_t value = 0;
  const bool isDword = ReadSettingDword(kAppModeKey, kAppModeValue, &value);
  return DarkColoursChosen(App.ColourMode, isDword, value);
}

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

// True while the dark colours are asked for, as last read (read on the first call).
bool DarkChosen() {
  if (Dark < 0) Dark = ReadDark() ? 1 : 0;
  return Dark == 1;
}

// True for a printer's device context, which always takes the light colours.
bool IsPrinter(DcHandle dc) { return GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER; }

// True when role takes the system's colour in dc: on screens in high
// contrast, and for a role that is the system's in the light mode.
bool UsesSystemColour(DcHandle dc, const RoleColours& colours) {
  if (HighContrastOn()) return !IsPrinter(dc) || colours.LightIsSystem;
  return colours.LightIsSystem && (!DarkChosen() || IsPrinter(dc));
}

// True when role takes its dark colour in dc: on screens in the dark mode.
bool UsesDarkColour(DcHandle dc) { return DarkColoursOn() && !IsPrinter(dc); }

}  // namespace

void ScreenPictureColours(PictureColour colours[kPictureColourCount]) {
  constexpr int kSame = -1;  // shown as drawn
  // Per drawn colour: the system colour it is shown in, normally and in high
  // contrast, and the palette's role that shows it in the dark mode.
  static const struct {
    COLORREF Drawn;
    int Normal;
    int HighContrast;
    ColourRole Dark;
  } kPictureColours[kPictureColourCount] = {
      {RGB(0, 0, 0), COLOR_BTNTEXT, COLOR_BTNTEXT, ColourRole::Ink},             // outlines and letters
      {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT, COLOR_BTNFACE, ColourRole::Band}, // a page
      {RGB(128, 128, 128), COLOR_BTNSHADOW, COLOR_BTNTEXT, ColourRole::Disabled}, // shadows
      {RGB(0, 0, 255), kSame, COLOR_BTNTEXT, ColourRole::Heading},               // the arrows' fill
      {RGB(255, 0, 0), kSame, COLOR_BTNTEXT, ColourRole::Behind},                // the calendar page's head
      {RGB(192, 192, 192), COLOR_BTNFACE, COLOR_BTNFACE, ColourRole::Face},      // the background
  };
  const bool contrast = HighContrastOn(), dark = DarkColoursOn();
  for (int32_t i = 0; i < kPictureColourCount; ++i) {
    const int system = contrast ? kPictureColours[i].HighContrast : kPictureColours[i].Normal;
    colours[i].Drawn = kPictureColours[i].Drawn;
    if (dark) {
      colours[i].Shown = PaletteShades(kPictureColours[i].Dark).Dark;
    } else {
      colours[i].Shown = system == kSame ? kPictureColours[i].Drawn : GetSysColor(system);
    }
  }
}

bool RefreshColourScheme() {
  const int contrastBefore = HighContrast, darkBefore = Dark;
  HighContrast = ReadHighContrast() ? 1 : 0;
  Dark = ReadDark() ? 1 : 0;
  return HighContrast != contrastBefore || Dark != darkBefore;
}

bool DarkColoursOn() { return !HighContrastOn() && DarkChosen(); }

uint32_t RoleColour(DcHandle dc, ColourRole role) {
  const RoleColours& colours = ColoursOf(role);
  if (UsesSystemColour(dc, colours)) return GetSysColor(colours.SystemColour);
  const RoleShades shades = PaletteShades(role);
  return UsesDarkColour(dc) ? shades.Dark : shades.Light;
}

HBRUSH RoleBrush(DcHandle dc, ColourRole role) {
  const RoleColours& colours = ColoursOf(role);
  if (UsesSystemColour(dc, colours)) return GetSysColorBrush(colours.SystemColour);
  if (!UsesDarkColour(dc) && colours.StockBrush != kNoStock) {
    return static_cast<HBRUSH>(GetStockObject(colours.StockBrush));
  }
  SetDCBrushColor(dc, RoleColour(dc, role));
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

HGDIOBJ SelectRolePen(DcHandle dc, ColourRole role) {
  const RoleColours& colours = ColoursOf(role);
  if (!UsesSystemColour(dc, colours) && !UsesDarkColour(dc) && colours.StockPen != kNoStock) {
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
