#include "tests/wine/driver/program_probe.h"

#include <string>

#include "tests/wine/driver/probe_protocol.h"
#include "tests/wine/driver/program_driver.h"

namespace {

constexpr wchar_t kReplyClass[] = L"ZelvanDriverProbeReply";

// Receives the probe's WM_COPYDATA answer into the ProbeAnswer in GWLP_USERDATA.
LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    auto* slot = reinterpret_cast<ProbeAnswer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (slot != nullptr && data->dwData == kProbeAnswerTag && data->cbData == sizeof(ProbeAnswer)) {
      *slot = *static_cast<const ProbeAnswer*>(data->lpData);
      return TRUE;
    }
    return FALSE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Sends query kind with argument and waits for the answer. False without one.
bool Ask(const Probe& probe, uint32_t kind, uint32_t argument, ProbeAnswer* answer) {
  static const UINT query = RegisterWindowMessageW(kProbeQueryMessage);
  if (probe.Hook == nullptr || probe.Reply == nullptr) return false;
  ProbeAnswer received = {};
  SetWindowLongPtrW(probe.Reply, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received));
  DWORD_PTR result = 0;
  SendMessageTimeoutW(probe.Target, query, kind | (static_cast<WPARAM>(argument) << 8),
                      reinterpret_cast<LPARAM>(probe.Reply), SMTO_NORMAL, kConditionLimit,
                      &result);
  SetWindowLongPtrW(probe.Reply, GWLP_USERDATA, 0);
  if (received.Query != kind) return false;
  *answer = received;
  return true;
}

}  // namespace

const wchar_t* ProbeDllPath() {
#ifdef ZELVAN_PROBE_DLL
  static const std::wstring path = WindowsPath(ZELVAN_PROBE_DLL);
  return path.c_str();
#else
  return L"zelvan_driver_probe.dll";
#endif
}

bool AttachProbe(HWND target, Probe* probe) {
  *probe = Probe{};
  static bool registered = false;
  if (!registered) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ReplyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kReplyClass;
    registered = RegisterClassW(&windowClass) != 0;
  }
  // The DLL stays loaded in the driver: the hook refers to it for its life.
  HMODULE module = LoadLibraryW(ProbeDllPath());
  if (module == nullptr) return false;
  auto hook = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(module, kProbeHookExport)));
  DWORD thread = GetWindowThreadProcessId(target, nullptr);
  if (hook == nullptr || thread == 0) return false;
  probe->Reply = CreateWindowW(kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  probe->Hook = SetWindowsHookExW(WH_CALLWNDPROC, hook, module, thread);
  probe->Target = target;
  if (probe->Reply == nullptr || probe->Hook == nullptr) {
    DetachProbe(probe);
    return false;
  }
  return true;
}

void DetachProbe(Probe* probe) {
  if (probe->Hook != nullptr) UnhookWindowsHookEx(probe->Hook);
  if (probe->Reply != nullptr) DestroyWindow(probe->Reply);
  *probe = Probe{};
}

bool ProbeScrollBar(const Probe& probe, ScrollBarState* state) {
  ProbeAnswer answer = {};
  if (!Ask(probe, kProbeScrollBar, 0, &answer) || !answer.Ok) return false;
  state->Min = answer.Values[0];
  state->Max = answer.Values[1];
  state->Position = answer.Values[2];
  return true;
}

int32_t ProbeMenuState(const Probe& probe, UINT id) {
  ProbeAnswer answer = {};
  if (!Ask(probe, kProbeMenuState, id, &answer) || !answer.Ok) return -1;
  return answer.Values[0];
}

std::wstring ProbeMenuText(const Probe& probe, uint32_t item) {
  ProbeAnswer answer = {};
  if (!Ask(probe, kProbeMenuText, item, &answer) || !answer.Ok) return L"";
  answer.Text[63] = 0;
  return answer.Text;
}

bool ProbePlacement(const Probe& probe, PlacementState* state) {
  ProbeAnswer answer = {};
  if (!Ask(probe, kProbePlacement, 0, &answer) || !answer.Ok) return false;
  state->ShowCommand = static_cast<uint32_t>(answer.Values[0]);
  state->Normal = RECT{answer.Values[1], answer.Values[2], answer.Values[3], answer.Values[4]};
  return true;
}

int32_t ProbeSmallIconWidth(const Probe& probe) {
  ProbeAnswer answer = {};
  if (!Ask(probe, kProbeSmallIcon, 0, &answer) || !answer.Ok) return 0;
  return answer.Values[0];
}

bool ProbeHighContrast(const Probe& probe, bool on) {
  ProbeAnswer answer = {};
  return Ask(probe, kProbeHighContrast, on ? 1 : 0, &answer) && answer.Ok;
}
