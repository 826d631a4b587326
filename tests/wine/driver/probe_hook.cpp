// The probe: a hook DLL that runs inside the program under test and answers
// the driver's queries (probe_protocol.h) with the program's own view of its
// windows. It changes nothing in the program, except where the driver asks it
// to stand in for the system's high-contrast mode, which Wine lacks.
#include <windows.h>

#include "tests/wine/driver/probe_protocol.h"

namespace {

// The registered query message, the same number in every process.
UINT QueryMessage() {
  static const UINT message = RegisterWindowMessageW(kProbeQueryMessage);
  return message;
}

// The high-contrast mode the program is told of, and the real function.
bool ReportedHighContrast = false;
decltype(&SystemParametersInfoW) RealSystemParametersInfoW = nullptr;

// SystemParametersInfoW as the program sees it while the probe stands in.
BOOL WINAPI StandInSystemParametersInfoW(UINT action, UINT parameter, PVOID data, UINT update) {
  const BOOL result = RealSystemParametersInfoW(action, parameter, data, update);
  if (result && action == SPI_GETHIGHCONTRAST && data != nullptr) {
    DWORD& flags = static_cast<HIGHCONTRASTW*>(data)->dwFlags;
    flags = ReportedHighContrast ? (flags | HCF_HIGHCONTRASTON) : (flags & ~DWORD{HCF_HIGHCONTRASTON});
  }
  return result;
}

// Points the program's import of SystemParametersInfoW at the stand-in, once;
// the probe stays loaded from then on. False if the import was not found.
bool InstallStandIn() {
  if (RealSystemParametersInfoW != nullptr) return true;
  auto real = reinterpret_cast<decltype(&SystemParametersInfoW)>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoW")));
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; real != nullptr && imports.VirtualAddress != 0 && module->Name != 0; ++module) {
    for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk); slot->u1.Function; ++slot) {
      if (slot->u1.Function != reinterpret_cast<ULONG_PTR>(real)) continue;
      HMODULE self = nullptr;
      GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&StandInSystemParametersInfoW), &self);
      DWORD protection = 0;
      if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection)) {
        return false;
      }
      RealSystemParametersInfoW = real;
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(&StandInSystemParametersInfoW);
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
      return true;
    }
  }
  return false;
}

// Sends WM_SETTINGCHANGE for the high-contrast mode to a top-level window of the thread.
BOOL CALLBACK TellOfHighContrast(HWND window, LPARAM) {
  SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  return TRUE;
}

// Turns the stand-in high-contrast mode on (setting the dark scheme) or off.
// False if the stand-in could not be installed.
bool SetHighContrast(bool on) {
  if (!InstallStandIn()) return false;
  ReportedHighContrast = on;
  if (on) SetSysColors(kDarkSchemeSize, kDarkSchemeElements, kDarkSchemeColours);
  EnumThreadWindows(GetCurrentThreadId(), TellOfHighContrast, 0);
  return true;
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
    case kProbeHighContrast: answer->Ok = SetHighContrast(argument != 0); break;
    case kProbeSmallIcon: {
      ICONINFO info = {};
      BITMAP colour = {};
      const HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
      answer->Ok = icon && GetIconInfo(icon, &info) && GetObjectW(info.hbmColor, sizeof colour, &colour);
      answer->Values[0] = colour.bmWidth;
      answer->Values[1] = colour.bmHeight;
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      break;
    }
    case kProbeMenuText: {
      const bool title = argument >= kProbeMenuTitle;
      answer->Ok = GetMenuStringW(GetMenu(window), title ? argument - kProbeMenuTitle : argument,
                                  answer->Text, 64, title ? MF_BYPOSITION : MF_BYCOMMAND) > 0;
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
