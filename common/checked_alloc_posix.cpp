// Out-of-memory ending of the native build: one line on stderr, then exit.
#include <cstdio>
#include <cstdlib>

#include "common/checked_alloc.h"

namespace {
void (*g_saveSettings)() = nullptr;
}

void SetOutOfMemorySaver(void (*saveSettings)()) { g_saveSettings = saveSettings; }

void* CheckedAlloc(size_t bytes) {
  void* block = malloc(bytes == 0 ? 1 : bytes);
  if (block) return block;
  fputs(kOutOfMemoryLine, stderr);
  if (g_saveSettings) g_saveSettings();
  exit(EXIT_FAILURE);
}
