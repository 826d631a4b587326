// Types shared by the portable core and the Win32 code.
#pragma once
#include <cstdint>

// A UTF-16 code unit. On Windows it is WCHAR itself, so converted runs go to
// the wide-character API without a cast; elsewhere it is char16_t.
#ifdef _WIN32
using WideChar = wchar_t;
#else
using WideChar = char16_t;
#endif
static_assert(sizeof(WideChar) == 2, "WideChar is a UTF-16 code unit");

// A unit of a file path as the platform's file functions take it: UTF-16 for
// the wide functions on Windows (any file name, whatever the code page), bytes
// elsewhere.
#ifdef _WIN32
using PathChar = wchar_t;
#else
using PathChar = char;
#endif

// Opaque platform handles. With STRICT handles (the MinGW-w64 default) these
// are exactly HINSTANCE, HWND, HFONT and HDC; the core never looks inside them.
struct HINSTANCE__;
struct HWND__;
struct HFONT__;
struct HDC__;
using InstanceHandle = HINSTANCE__*;
using WindowHandle = HWND__*;
using FontHandle = HFONT__*;
using DcHandle = HDC__*;
