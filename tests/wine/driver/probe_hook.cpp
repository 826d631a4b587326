// The probe: a hook DLL that runs inside the program under test and answers
// the driver's queries (probe_protocol.h) with the program's own view of its
// windows. It changes nothing in the program.
#include <windows.h>

#include "tests/wine/driver/probe_protocol.h"

namespace {

// The registered query message, the same number in every process.
UINT QueryMessage() {
  static const UINT message = RegisterWindowMessageW(kProbeQueryMessage);
  return message;
}

// Fills answer for query kind with argument about window.
void Answer(HWND window, uint32_t kind, uint32_t argument, ProbeAnswer* answer) {
  answer->Query = kind;
  switch (kind) {
    case kProbeScrollBar: {
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_ALL;
      answer->Ok = GetScrollInfo(window, SB_VERT, &info);
      answer->Values[0] = info.nMin;
      answer->Values[1] = info.nMax;
      answer->Values[2] = info.nPos;
      answer->Values[3] = static_cast<int32_t>(info.nPage);
      break;
    }
    case kProbeMenuState: {
      HMENU menu = GetMenu(window);
      UINT state = menu ? GetMenuState(menu, argument, MF_BYCOMMAND) : static_cast<UINT>(-1);
      answer->Ok = state != static_cast<UINT>(-1);
      answer->Values[0] = static_cast<int32_t>(state);
      break;
    }
    case kProbePlacement: {
      WINDOWPLACEMENT placement = {};
      placement.length = sizeof placement;
      answer->Ok = GetWindowPlacement(window, &placement);
      answer->Values[0] = static_cast<int32_t>(placement.showCmd);
      answer->Values[1] = placement.rcNormalPosition.left;
      answer->Values[2] = placement.rcNormalPosition.top;
      answer->Values[3] = placement.rcNormalPosition.right;
      answer->Values[4] = placement.rcNormalPosition.bottom;
      break;
    }
    default: answer->Ok = 0; break;
  }
}

}  // namespace

// WH_CALLWNDPROC hook: answers a query sent to any window of the hooked thread.
extern "C" __declspec(dllexport) LRESULT CALLBACK ZelvanProbeHook(int code, WPARAM wParam,
                                                                  LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == QueryMessage()) {
      ProbeAnswer answer = {};
      Answer(call->hwnd, static_cast<uint32_t>(call->wParam & 0xFF),
             static_cast<uint32_t>(call->wParam >> 8), &answer);
      COPYDATASTRUCT data = {kProbeAnswerTag, sizeof answer, &answer};
      SendMessageW(reinterpret_cast<HWND>(call->lParam), WM_COPYDATA,
                   reinterpret_cast<WPARAM>(call->hwnd), reinterpret_cast<LPARAM>(&data));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
