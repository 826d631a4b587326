// Messages to the user from the commands: a fixed ASCII text, or a text of
// the string table, in a message box owned by the main window.
#pragma once
#include <windows.h>

#include "common/platform_types.h"

// Shows text with caption (null: the system's "Error") and style in a message
// box owned by App.MainWindow; the box's result. Text and caption hold at
// most 127 characters each (a longer one shows empty).
int ShowMessage(const char* text, const char* caption, UINT style);

// Shows text with caption (null: the system's "Error") and style in a message
// box owned by App.MainWindow, texts as the string table gives them; the box's result.
int ShowUiMessage(const WideChar* text, const WideChar* caption, UINT style);
