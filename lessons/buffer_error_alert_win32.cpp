// Win32 backend of the decompressor's message. Kept alone in its file, so a
// test double of ShowBufferErrorAlert can stand in for it at link time.
#include <windows.h>

#include "common/message_box.h"
#include "lessons/buffer_error_alert.h"
#include "resources/resource.h"

void ShowBufferErrorAlert() { ShowUiMessage(nullptr, IDS_BUFFER_ERROR, 0, MB_OK); }
