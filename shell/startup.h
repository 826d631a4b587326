// Start-up: the platform check, the single instance, the main window and the
// message loop.
#pragma once
#include <windows.h>

// Hands the start over to a running instance, or loads the settings, chooses
// the start day and creates and shows the main window. Null when the program
// must end without a message loop.
HWND StartInstance(int showCommand);

// Registers the main window class under className.
void RegisterMainClass(HINSTANCE instance, const wchar_t* className);

// Moves and shows the new main window from the saved placement, its size
// converted when it was saved at another DPI than the window now has.
void RestoreWindowPlacement(HWND window, int showCommand);
