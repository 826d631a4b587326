// The one message of the lesson decompressor: its compressed data did not
// yield the promised number of bytes.
#pragma once

// Tells the user "UnCompress() buffer error!" (Win32: a message box without
// owner and with the system's default caption; elsewhere a line on stderr).
void ShowBufferErrorAlert();
