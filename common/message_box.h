// Messages to the user from the commands: a fixed ASCII text in a message box
// owned by the main window.
#pragma once
#include <windows.h>

// Shows text with caption (null: the system's "Error") and style in a message
// box owned by App.MainWindow; the box's result. Text and caption hold at
// most 127 characters each (a longer one shows empty).
int ShowMessage(const char* text, const char* caption, UINT style);
