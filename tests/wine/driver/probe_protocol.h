// The conversation between the test driver and its probe, a hook DLL that the
// driver places in the program's user-interface thread so that state which
// Wine keeps per process (scroll bars, menus, window placement) can be read
// from inside the program.
//
// The driver sends the registered message kProbeQueryMessage to a window of
// the program: wParam = query kind in the low 8 bits, its argument above;
// lParam = the driver's reply window. The probe answers, before the send
// returns, with WM_COPYDATA to the reply window: dwData kProbeAnswerTag, the
// data one ProbeAnswer.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr wchar_t kProbeQueryMessage[] = L"ZelvanDriverProbeQuery";
constexpr char kProbeHookExport[] = "ZelvanProbeHook";
constexpr uintptr_t kProbeAnswerTag = 0x5A50524Fu;

enum ProbeQuery : uint32_t {
  kProbeScrollBar = 1,  // GetScrollInfo (SB_VERT): nMin, nMax, nPos, nPage
  kProbeMenuState = 2,  // GetMenuState of the window's menu, by command id (argument)
  kProbePlacement = 3,  // GetWindowPlacement: showCmd, normal left, top, right, bottom
  kProbeHighContrast = 4,  // argument 1: high contrast on, with the dark scheme; 0: off
  kProbeSmallIcon = 5,  // the class's small icon (GCLP_HICONSM): its width and height
  kProbeMenuText = 6,      // GetMenuStringW of the window's menu: the item of command id
                           // (argument), or the menu bar's title at position argument - 0x10000
};
constexpr uint32_t kProbeMenuTitle = 0x10000;  // added to a menu bar position for kProbeMenuText

// High contrast for kProbeHighContrast. Wine 8.0 has no high-contrast mode:
// SPI_GETHIGHCONTRAST always says off and SPI_SETHIGHCONTRAST is refused. The
// probe therefore stands in for it inside the program: the program's import
// of SystemParametersInfoW answers SPI_GETHIGHCONTRAST with the mode the
// driver asked for; the colours themselves are set for real (SetSysColors),
// and the program's top-level windows get WM_SETTINGCHANGE (SPI_SETHIGHCONTRAST)
// as the system sends it.
constexpr int kDarkSchemeElements[] = {COLOR_WINDOW,    COLOR_WINDOWTEXT,    COLOR_HOTLIGHT,
                                       COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,
                                       COLOR_BTNTEXT};
// None of them is, or blends with its neighbours into, a fixed colour of the
// program (white, black, blue, light grey).
constexpr COLORREF kDarkSchemeColours[] = {RGB(16, 16, 40),  RGB(240, 240, 160), RGB(255, 160, 64),
                                           RGB(40, 120, 200), RGB(250, 250, 230), RGB(48, 32, 64),
                                           RGB(200, 240, 250)};
constexpr int kDarkSchemeSize = sizeof kDarkSchemeElements / sizeof kDarkSchemeElements[0];

struct ProbeAnswer {
  uint32_t Query;     // the query answered
  int32_t Ok;         // the call's result: non-zero on success
  int32_t Values[6];  // as the query kind says
  wchar_t Text[64];   // kProbeMenuText: the text, zero-terminated
};
