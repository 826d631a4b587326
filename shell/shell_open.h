// Handing web addresses to the shell, which opens them in the user's browser.
#pragma once
#include <windows.h>

// Opens address with the shell's "Open" verb, without the shell's error
// dialogs; the result of ShellExecuteExW (non-zero on success).
BOOL OpenWithShell(HWND owner, const wchar_t* address);

// Opens the vendor's home page.
void OpenHomePage(HWND owner);

// Opens the vendor's update page with the product path and version in its query.
void CheckForUpdates(HWND owner);
