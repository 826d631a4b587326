// Helpers of the Win32 tests: the real registry of the test's own Wine prefix,
// child processes, and bitmaps to measure and draw in.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Deletes the product key tree and the vendor key tree of HKEY_CURRENT_USER.
void ClearSettingsKeys();

// Stores data as value name of type type under HKEY_CURRENT_USER\keyPath,
// bypassing the program's writers. True on success.
bool PutRawValue(const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data,
                 DWORD bytes);
// A REG_SZ of text with its terminating zero.
bool PutString(const wchar_t* keyPath, const wchar_t* name, const std::wstring& text);
bool PutDword(const wchar_t* keyPath, const wchar_t* name, uint32_t value);

// Type and data of a value; false when it cannot be read.
bool GetRawValue(const wchar_t* keyPath, const wchar_t* name, DWORD* type, std::string* data);
// True if the value exists.
bool HasValue(const wchar_t* keyPath, const wchar_t* name);

// Runs commandLine as a separate process with its standard output on a pipe;
// returns what it wrote, and its exit code in *exitCode. A start that fails is
// tried again; when none starts, *exitCode is -1 and the text names the error.
std::string RunAndCapture(const std::wstring& commandLine, DWORD* exitCode);

// A 32-bit top-down DIB section selected into a memory DC, filled white.
struct Canvas {
  HDC Dc;
  HBITMAP Bitmap;
  HGDIOBJ OldBitmap;
  uint32_t* Pixels;  // 0x00RRGGBB, row after row
  int Width;
  int Height;
};
bool OpenCanvas(Canvas* canvas, int width, int height);
void CloseCanvas(Canvas* canvas);
// Pixel at x, y as 0x00RRGGBB.
uint32_t PixelAt(const Canvas& canvas, int x, int y);
