// Out-of-memory ending of the Win32 program: a message box without owner (a
// line on stderr in a console tool, which has no string table), the settings
// saved, then the process ends without returning to its caller.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "common/checked_alloc.h"
#include "common/message_box.h"
#include "resources/resource.h"

namespace {
void (*g_saveSettings)() = nullptr;
constexpr UINT kOutOfMemoryExitCode = 3;
}  // namespace

void SetOutOfMemorySaver(void (*saveSettings)()) { g_saveSettings = saveSettings; }

void* CheckedAlloc(size_t bytes) {
  void* block = malloc(bytes == 0 ? 1 : bytes);
  if (block) return block;
  if (ShowUiMessage(nullptr, IDS_OUT_OF_MEMORY, IDS_ERROR, MB_ICONERROR) == 0) {
    fputs(kOutOfMemoryLine, stderr);
  }
  if (g_saveSettings) g_saveSettings();
  ExitProcess(kOutOfMemoryExitCode);
}
