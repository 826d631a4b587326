#include "common/mirroring.h"

#include <commctrl.h>

namespace {

// Copies the w x h picture at 0, 0 of source into dc at 0, 0, mirrored.
void CopyMirrored(HDC dc, HDC source, int w, int h) {
  StretchBlt(dc, w - 1, 0, -w, h, source, 0, 0, w, h, SRCCOPY);
}

}  // namespace

bool IsMirroredWindow(HWND window) {
  return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

void SetWindowMirrored(HWND window, bool mirrored) {
  const LONG style = GetWindowLongW(window, GWL_EXSTYLE);
  SetWindowLongW(window, GWL_EXSTYLE, mirrored ? style | WS_EX_LAYOUTRTL : style & ~WS_EX_LAYOUTRTL);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void UseUnmirroredLayout(HDC dc) {
  if (dc != nullptr && (GetLayout(dc) & LAYOUT_RTL)) SetLayout(dc, 0);
}

RECT ClientBoxOfWindow(HWND window, const RECT& box) {
  if (!IsMirroredWindow(window)) return box;
  RECT client = {};
  GetClientRect(window, &client);
  return RECT{client.right - box.right, box.top, client.right - box.left, box.bottom};
}

int32_t ClientXFromLeft(HWND window, int32_t x) {
  if (!IsMirroredWindow(window)) return x;
  RECT client = {};
  GetClientRect(window, &client);
  return client.right - 1 - x;
}

uint32_t ArrowKeyForLayout(uint32_t key, bool mirrored) {
  if (!mirrored) return key;
  if (key == VK_LEFT) return VK_RIGHT;
  if (key == VK_RIGHT) return VK_LEFT;
  return key;
}

void KeepToolbarPictureUnmirrored(HWND toolbar, int image) {
  HIMAGELIST list = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
  int w = 0, h = 0;
  if (list == nullptr || !ImageList_GetIconSize(list, &w, &h) || w <= 0 || h <= 0) return;
  // Owned here: two memory DCs and four pictures, released below.
  HDC screen = GetDC(nullptr);
  HDC drawn = CreateCompatibleDC(screen);
  HDC mirrored = CreateCompatibleDC(screen);
  HBITMAP colours = CreateCompatibleBitmap(screen, w, h);
  HBITMAP mirroredColours = CreateCompatibleBitmap(screen, w, h);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HBITMAP mirroredMask = CreateBitmap(w, h, 1, 1, nullptr);
  ReleaseDC(nullptr, screen);
  if (drawn && mirrored && colours && mirroredColours && mask && mirroredMask) {
    // The colours on black where the picture is transparent, as an image list
    // keeps a masked picture; then its mask.
    HGDIOBJ keptDrawn = SelectObject(drawn, colours);
    HGDIOBJ keptMirrored = SelectObject(mirrored, mirroredColours);
    PatBlt(drawn, 0, 0, w, h, BLACKNESS);
    ImageList_Draw(list, image, drawn, 0, 0, ILD_TRANSPARENT);
    CopyMirrored(mirrored, drawn, w, h);
    SelectObject(drawn, mask);
    SelectObject(mirrored, mirroredMask);
    PatBlt(drawn, 0, 0, w, h, WHITENESS);
    ImageList_Draw(list, image, drawn, 0, 0, ILD_MASK);
    CopyMirrored(mirrored, drawn, w, h);
    SelectObject(drawn, keptDrawn);
    SelectObject(mirrored, keptMirrored);
    ImageList_Replace(list, image, mirroredColours, mirroredMask);
  }
  const HBITMAP pictures[] = {colours, mirroredColours, mask, mirroredMask};
  for (HBITMAP picture : pictures) {
    if (picture) DeleteObject(picture);
  }
  if (drawn) DeleteDC(drawn);
  if (mirrored) DeleteDC(mirrored);
}
