#include "view/window_colours.h"

#include <cwchar>

#include "common/on_demand_api.h"
#include "view/colour_scheme.h"

namespace {

// DwmSetWindowAttribute's dark title bar: from Windows 10 20H1, and before it.
constexpr DWORD kDarkTitleBar = 20;
constexpr DWORD kDarkTitleBarBefore20H1 = 19;
// The theme of scroll bars and lists drawn for a dark background.
constexpr wchar_t kDarkControls[] = L"DarkMode_Explorer";
// What Windows announces when its app mode changes.
constexpr wchar_t kAppModeChange[] = L"ImmersiveColorSet";

// True once the dark frame has been given in this run.
bool FrameWasDark = false;

// Gives child the dark theme, or its own again; enumeration goes on.
BOOL CALLBACK ThemeChild(HWND child, LPARAM dark) {
  OnDemandSetWindowTheme(child, dark ? kDarkControls : nullptr, nullptr);
  return TRUE;
}

// The brush and text colour of a WM_CTLCOLOR* message for dc: see ControlColourAnswer.
HBRUSH ControlColourBrush(UINT message, HDC dc) {
  if (!DarkColoursOn()) return nullptr;
  const bool box = message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLOREDIT;
  const ColourRole background = box ? ColourRole::Paper : ColourRole::Face;
  SetTextColor(dc, RoleColour(dc, ColourRole::Ink));
  SetBkColor(dc, RoleColour(dc, background));
  return RoleBrush(dc, background);
}

}  // namespace

bool IsColourSettingChange(WPARAM wParam, LPARAM lParam) {
  if (wParam == SPI_SETHIGHCONTRAST) return true;
  const auto* area = reinterpret_cast<const wchar_t*>(lParam);
  return area != nullptr && wcscmp(area, kAppModeChange) == 0;
}

bool ControlColourAnswer(UINT message, WPARAM wParam, INT_PTR* answer) {
  switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
      *answer = reinterpret_cast<INT_PTR>(ControlColourBrush(message, reinterpret_cast<HDC>(wParam)));
      return true;
    default: return false;
  }
}

void ApplyWindowFrameColours(HWND window) {
  const BOOL dark = DarkColoursOn() ? TRUE : FALSE;
  if (!dark && !FrameWasDark) return;
  FrameWasDark = true;
  if (FAILED(OnDemandDwmSetWindowAttribute(window, kDarkTitleBar, &dark, sizeof dark))) {
    OnDemandDwmSetWindowAttribute(window, kDarkTitleBarBefore20H1, &dark, sizeof dark);
  }
  OnDemandSetWindowTheme(window, dark ? kDarkControls : nullptr, nullptr);
  EnumChildWindows(window, ThemeChild, dark);
}

void OnDialogColoursChanged(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTINGCHANGE && !IsColourSettingChange(wParam, lParam)) return;
  RefreshColourScheme();
  ApplyWindowFrameColours(dialog);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}
