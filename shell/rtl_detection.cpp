#include "shell/rtl_detection.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 48;

// The ink of a monochrome-rendered box: one byte per pixel, 1 where not white.
struct Ink {
  unsigned char pixel[kWidth * kHeight];
};

// Renders with draw into a fresh white 32-bit DIB section selected in dc and
// reads back where the ink is. False if the DIB cannot be made.
template <typename Draw>
bool Render(HDC dc, Draw draw, Ink* out) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return false;
  HGDIOBJ previous = SelectObject(dc, bitmap);
  RECT box = {0, 0, kWidth, kHeight};
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  draw(&box);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < kWidth * kHeight; ++i) {
    out->pixel[i] = (pixels[i] & 0xFFFFFF) != 0xFFFFFF;
  }
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  return true;
}

}  // namespace

bool SystemReordersRightToLeft() {
  static const wchar_t kLogical[] = {0x05D0, 0x05D1, 0};  // alef, bet
  bool reorders = true;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (dc == nullptr) return reorders;

  LOGFONTW description = {};
  description.lfHeight = -28;
  description.lfCharSet = HEBREW_CHARSET;
  HFONT font = CreateFontIndirectW(&description);
  HGDIOBJ previousFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));

  WORD glyphs[2] = {};
  static Ink drawn, stored, mirrored;
  bool haveGlyphs = GetGlyphIndicesW(dc, kLogical, 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 2 &&
                    glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF && glyphs[0] != glyphs[1];
  if (haveGlyphs) {
    const WORD reversed[2] = {glyphs[1], glyphs[0]};
    // The string as DrawTextW draws it, against the two glyph orders drawn as
    // given (glyph indices are never reordered).
    bool ok = Render(dc, [&](RECT* box) {
      DrawTextW(dc, kLogical, 2, box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }, &drawn);
    ok = ok && Render(dc, [&](RECT* box) {
      ExtTextOutW(dc, 0, 0, ETO_GLYPH_INDEX, box, reinterpret_cast<LPCWSTR>(glyphs), 2, nullptr);
    }, &stored);
    ok = ok && Render(dc, [&](RECT* box) {
      ExtTextOutW(dc, 0, 0, ETO_GLYPH_INDEX, box, reinterpret_cast<LPCWSTR>(reversed), 2, nullptr);
    }, &mirrored);
    if (ok) {
      bool likeStored = memcmp(drawn.pixel, stored.pixel, sizeof drawn.pixel) == 0;
      bool likeMirrored = memcmp(drawn.pixel, mirrored.pixel, sizeof drawn.pixel) == 0;
      if (likeStored != likeMirrored) reorders = likeMirrored;
    }
  }
  SelectObject(dc, previousFont);
  DeleteObject(font);
  DeleteDC(dc);
  return reorders;
}
