// Console backend of the decompressor's message: one line on stderr. Used
// natively and by the console tools on every platform (zelvan-cli under Win32
// links it in place of the message box). Kept alone in its file, so a test
// double can stand in for it at link time.
#include <cstdio>

#include "lessons/buffer_error_alert.h"

void ShowBufferErrorAlert() { fputs("UnCompress() buffer error!\n", stderr); }
