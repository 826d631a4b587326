// Out-of-memory ending of the Win32 program: a message box without owner, the
// settings saved, then the process ends without returning to its caller.
#include <windows.h>

#include <cstdlib>

#include "common/checked_alloc.h"

namespace {
void (*g_saveSettings)() = nullptr;
constexpr UINT kOutOfMemoryExitCode = 3;
}  // namespace

void SetOutOfMemorySaver(void (*saveSettings)()) { g_saveSettings = saveSettings; }

void* CheckedAlloc(size_t bytes) {
  void* block = malloc(bytes == 0 ? 1 : bytes);
  if (block) return block;
  MessageBoxW(nullptr, L"There is not enough memory, aborting", L"Error", MB_ICONERROR);
  if (g_saveSettings) g_saveSettings();
  ExitProcess(kOutOfMemoryExitCode);
}
