#include "view/window_colours.h"

#include <commctrl.h>

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

// A theme name that matches no theme: the control is drawn without visual
// styles, in the colours its WM_CTLCOLOR* answer gives.
constexpr wchar_t kNoTheme[] = L" ";

// True for a button drawn with a caption beside or on a frame (a group box, a
// radio button or a check box): a themed one writes its caption in the theme's
// colour whatever the WM_CTLCOLORSTATIC answer says.
bool IsCaptionButton(HWND child) {
  wchar_t className[16] = {};
  if (GetClassNameW(child, className, 16) == 0 || _wcsicmp(className, WC_BUTTONW) != 0) return false;
  switch (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) {
    case BS_GROUPBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return true;
    default: return false;
  }
}

// Gives child the dark look (the dark theme, or for a caption button none, so
// that it takes the palette's colours), or its own again; enumeration goes on.
BOOL CALLBACK ThemeChild(HWND child, LPARAM dark) {
  if (!dark) {
    OnDemandSetWindowTheme(child, nullptr, nullptr);
  } else if (IsCaptionButton(child)) {
    OnDemandSetWindowTheme(child, kNoTheme, kNoTheme);
  } else {
    OnDemandSetWindowTheme(child, kDarkControls, nullptr);
  }
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
