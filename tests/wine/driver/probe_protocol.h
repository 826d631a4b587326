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
#include <cstdint>

constexpr wchar_t kProbeQueryMessage[] = L"ZelvanDriverProbeQuery";
constexpr char kProbeHookExport[] = "ZelvanProbeHook";
constexpr uintptr_t kProbeAnswerTag = 0x5A50524Fu;

enum ProbeQuery : uint32_t {
  kProbeScrollBar = 1,  // GetScrollInfo (SB_VERT): nMin, nMax, nPos, nPage
  kProbeMenuState = 2,  // GetMenuState of the window's menu, by command id (argument)
  kProbePlacement = 3,  // GetWindowPlacement: showCmd, normal left, top, right, bottom
};

struct ProbeAnswer {
  uint32_t Query;     // the query answered
  int32_t Ok;         // the call's result: non-zero on success
  int32_t Values[6];  // as the query kind says
};
