// Mirrored windows, as Windows lays out a right-to-left interface
// (WS_EX_LAYOUTRTL): their client coordinates run from the right, their child
// windows and the pictures drawn in them are mirrored. What is drawn as text
// in reading order (the lesson text, the date band) is drawn unmirrored.
#pragma once
#include <windows.h>

#include <cstdint>

// True if window is laid out from the right.
bool IsMirroredWindow(HWND window);

// Lays window out from the right (mirrored) or from the left, frame, menu bar
// and scroll bar included; children made afterwards follow it.
void SetWindowMirrored(HWND window, bool mirrored);

// Makes dc, which may belong to a mirrored window, draw in left-to-right
// coordinates from the client area's left edge.
void UseUnmirroredLayout(HDC dc);

// The box of client coordinates from the left (left, top, right, bottom) as
// window's client coordinates, which run from the right in a mirrored window.
RECT ClientBoxOfWindow(HWND window, const RECT& box);

// Client x of window (from a mouse message) counted from the client area's
// left edge, where the unmirrored painting counts it: x itself unless window
// is laid out from the right.
int32_t ClientXFromLeft(HWND window, int32_t x);

// The arrow key that means the same in a mirrored layout as key in a
// left-to-right one: Left and Right change places; other keys stay.
uint32_t ArrowKeyForLayout(uint32_t key, bool mirrored);

// Mirrors picture image of toolbar's image list in place, so that a mirrored
// toolbar, which draws every picture mirrored, shows it as drawn.
void KeepToolbarPictureUnmirrored(HWND toolbar, int image);
