// The main window: its window procedure, its commands and the toolbar.
#pragma once
#include <windows.h>

#include <cstdint>

#include "resources/resource.h"

// Class name and title by which the window (and a second start) finds the program.
extern const wchar_t kMainWindowClass[];
extern const wchar_t kMainWindowTitle[];

// The main window's window procedure.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Carries out the command in the low 16 bits of wParam (menu, accelerator or
// toolbar alike): 0 when handled, 1 when not.
int HandleCommand(HWND window, WPARAM wParam);

// With initialise 1 sets the Reverse check mark from Flags bit 11, with 0
// toggles it; either way bit 11 then follows the check mark.
void SetReverseCheck(HWND window, int initialise);

// Sets (initialise non-zero: checked if value is non-zero) or toggles the check
// mark of menu item id; 1 if the item is now checked, else 0.
int ToggleMenuCheck(HMENU menu, int initialise, UINT id, UINT value);

// The left-button handler: pages the text, or opens the calendar for a click
// in the date band.
void OnTextClick(HWND window, WPARAM wParam, LPARAM lParam);

// Run for WM_CREATE: records the main window and its DPI, creates the toolbar
// and then the lesson view.
void CreateToolbar(HWND window);
