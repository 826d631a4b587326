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

// Moves and shows the new main window from the saved placement: a stored
// box on no monitor leaves the default position, a size saved at another DPI
// than the window now has is converted, and a stored show command that would
// leave the window hidden gives way to showCommand.
void RestoreWindowPlacement(HWND window, int showCommand);
