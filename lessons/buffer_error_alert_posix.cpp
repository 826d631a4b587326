// POSIX backend of the decompressor's message: one line on stderr. Kept alone
// in its file, so a test double can stand in for it at link time.
#include <cstdio>

#include "lessons/buffer_error_alert.h"

void ShowBufferErrorAlert() { fputs("UnCompress() buffer error!\n", stderr); }
