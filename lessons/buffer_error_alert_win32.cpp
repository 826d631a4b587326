// Win32 backend of the decompressor's message. Kept alone in its file, so a
// test double of ShowBufferErrorAlert can stand in for it at link time.
#include <windows.h>

#include "lessons/buffer_error_alert.h"

void ShowBufferErrorAlert() { MessageBoxW(nullptr, L"UnCompress() buffer error!", nullptr, MB_OK); }
