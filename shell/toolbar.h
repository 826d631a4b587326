// The main window's toolbar: six buttons (previous day, today, next day,
// font, mark day learned, mark day not learned) without text, their pictures
// at the window's DPI in the screen's colours, and for screen readers a push
// button named for each.
#pragma once
#include <windows.h>

#include <cstdint>

// Makes the toolbar of window for dpi: pictures of 16 pixels at 96 DPI scaled
// to dpi (the drawn ones whole and unstretched), buttons sized for them, laid
// out from the right in a mirrored window. Null when it cannot be created.
HWND CreateMainToolbar(HWND window, int32_t dpi);

// Destroys toolbar and its pictures; nothing for null.
void DestroyMainToolbar(HWND toolbar);
