// Pictures of what a program shows: a rectangle of the screen copied with
// BitBlt (the program paints through device contexts of its own, so WM_PRINT
// would miss its text), pixel counts for checks, and BMP files for the
// screenshots.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Pixels 0x00RRGGBB, row after row from the top.
struct Picture {
  int Width;
  int Height;
  std::vector<uint32_t> Pixels;
};

// Copies the screen rectangle area. False if it is empty or the copy failed.
bool CaptureScreen(const RECT& area, Picture* picture);

// Has window (of any process) carry out the paints it has pending, children
// included, before returning.
void FinishPainting(HWND window);

// The whole window, frame included, as on the screen, once its pending paints are done.
bool CaptureWindow(HWND window, Picture* picture);

// The window's client area, as on the screen, once its pending paints are done.
bool CaptureClient(HWND window, Picture* picture);

// Pixel at x, y (0x00RRGGBB); 0 outside the picture.
uint32_t PixelOf(const Picture& picture, int x, int y);

// Pixels within area (picture coordinates, clipped) for which test holds.
int CountPixels(const Picture& picture, const RECT& area,
                const std::function<bool(uint32_t)>& test);

// Pixels that differ between two pictures of one size within area; -1 when the sizes differ.
int CountDifferences(const Picture& a, const Picture& b, const RECT& area);

// Writes the picture as a 24-bit BMP file. False on failure.
bool SaveBitmap(const Picture& picture, const std::wstring& path);

// Colour tests used by the checks.
bool IsWhite(uint32_t pixel);
bool IsDark(uint32_t pixel);        // text ink: every channel below 0x60
bool IsHeadingBlue(uint32_t pixel); // mostly blue, as the headings are drawn
