#include "shell/toolbar_pictures.h"

namespace {

// The strip drawn for pictures of size pixels.
const ToolbarPictures& StripFor(int32_t size) {
  const ToolbarPictures* drawn = &kToolbarPictures[0];
  for (const ToolbarPictures& strip : kToolbarPictures) {
    if (strip.Size <= size) drawn = &strip;
  }
  return *drawn;
}

// A bitmap of count cells of cell x cell pixels filled with background, with
// the pictures of strip (count pictures of size pixels) in their middles;
// null on failure.
HBITMAP CentreInCells(HBITMAP strip, int32_t size, int32_t count, int32_t cell, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP cells = CreateCompatibleBitmap(screen, cell * count, cell);
  if (from != nullptr && to != nullptr && cells != nullptr) {
    HGDIOBJ previousFrom = SelectObject(from, strip);
    HGDIOBJ previousTo = SelectObject(to, cells);
    const RECT all = {0, 0, cell * count, cell};
    SetBkColor(to, background);
    ExtTextOutW(to, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    const int32_t margin = (cell - size) / 2;
    for (int32_t i = 0; i < count; ++i) {
      BitBlt(to, i * cell + margin, margin, size, size, from, i * size, 0, SRCCOPY);
    }
    SelectObject(from, previousFrom);
    SelectObject(to, previousTo);
  }
  if (to != nullptr) DeleteDC(to);
  if (from != nullptr) DeleteDC(from);
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return cells;
}

}  // namespace

HIMAGELIST MakeToolbarPictures(HINSTANCE instance, int32_t size,
                               const PictureColour colours[kPictureColourCount]) {
  const ToolbarPictures& drawn = StripFor(size);
  const int32_t cell = size > drawn.Size ? size : drawn.Size;
  COLORMAP map[kPictureColourCount];
  for (int32_t i = 0; i < kPictureColourCount; ++i) map[i] = {colours[i].Drawn, colours[i].Shown};
  const COLORREF background = colours[kPictureColourCount - 1].Shown;

  HBITMAP strip = CreateMappedBitmap(instance, drawn.Resource, 0, map, kPictureColourCount);
  BITMAP info = {};
  if (strip == nullptr || GetObjectW(strip, sizeof info, &info) == 0 || info.bmWidth < drawn.Size) {
    if (strip != nullptr) DeleteObject(strip);
    return nullptr;
  }
  const int32_t count = info.bmWidth / drawn.Size;
  HBITMAP cells = cell == drawn.Size ? strip : CentreInCells(strip, drawn.Size, count, cell, background);
  HIMAGELIST list = cells != nullptr ? ImageList_Create(cell, cell, ILC_COLOR24 | ILC_MASK, count, 0) : nullptr;
  if (list != nullptr && ImageList_AddMasked(list, cells, background) < 0) {
    ImageList_Destroy(list);
    list = nullptr;
  }
  if (cells != nullptr && cells != strip) DeleteObject(cells);
  DeleteObject(strip);
  return list;
}
