// The one message of the lesson decompressor: its compressed data did not
// yield the promised number of bytes.
#pragma once

// Tells the user "UnCompress() buffer error!": in the Win32 program a message
// box of the string table's text, without owner and with the system's default caption
// (buffer_error_alert_win32.cpp); natively and in the console tools a line on
// stderr (buffer_error_alert_stderr.cpp).
void ShowBufferErrorAlert();
