// The program's entry point: the platform check, the start of the one
// instance, and the message loop with the accelerator table.
#include <windows.h>

#include <cstring>

#include "common/app_state.h"
#include "common/update_address.h"
#include "resources/resource.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/study_log.h"

namespace {

constexpr int kRefusalChars = 256;

// True on the Windows 95 family (platform ids below the NT family).
bool IsRefusedPlatform() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&version);
#pragma GCC diagnostic pop
  return version.dwPlatformId < VER_PLATFORM_WIN32_NT;
}

// The message loop with the accelerator table, until WM_QUIT (its exit code is
// returned); it also wakes when the study journal's folder changes.
int RunMessageLoop(HWND window, HACCEL accelerators) {
  MSG message = {};
  for (;;) {
    HANDLE watch = StudyLogWatch();
    const DWORD handles = watch != nullptr ? 1 : 0;
    const DWORD woke = MsgWaitForMultipleObjectsEx(handles, &watch, INFINITE, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
    if (handles == 1 && (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED)) {
      NoteStudyLogFolderChange(window);  // a failed watch is dropped there
    }
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      if (TranslateAcceleratorW(message.hwnd, accelerators, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  memset(&App, 0, sizeof(App));
  App.Instance = instance;
  if (IsRefusedPlatform()) {
    // Those systems have narrow texts only: the entry in the system's language
    // and code page, captioned with the vendor's host.
    char refusal[kRefusalChars] = {};
    LoadStringA(instance, IDS_REFUSAL, refusal, kRefusalChars);
    MessageBoxA(nullptr, refusal, kVendorHostName, MB_ICONERROR);
    return -1;
  }
  App.SurroundingGutter = ReadSettingInt(kVendorKey, L"SurroundingGutter", kDefaultGutter);
  HWND window = StartInstance(showCommand);
  if (window == nullptr) return 0;
  return RunMessageLoop(window, LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN)));
}
