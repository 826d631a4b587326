#include "tests/wine/driver/window_capture.h"

#include <cstdio>
#include <utility>

#include "tests/wine/driver/program_driver.h"

bool CaptureScreen(const RECT& area, Picture* picture) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  *picture = Picture{};
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = memory != nullptr && bitmap != nullptr && bits != nullptr;
  if (ok) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
    GdiFlush();
    if (ok) {
      const uint32_t* pixels = static_cast<const uint32_t*>(bits);
      picture->Width = width;
      picture->Height = height;
      picture->Pixels.resize(static_cast<size_t>(width) * height);
      for (size_t i = 0; i < picture->Pixels.size(); ++i) picture->Pixels[i] = pixels[i] & 0xFFFFFF;
    }
    SelectObject(memory, previous);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

namespace {

// Wine copies what a program draws outside WM_PAINT to the screen a little
// later (every few tens of milliseconds while the program waits for
// messages): the screen is read until two readings a flush interval apart agree.
constexpr DWORD kFlushInterval = 80;
constexpr int kMostReadings = 25;

// The screen rectangle area once two readings agree (at most kMostReadings).
bool CaptureSettled(const RECT& area, Picture* picture) {
  if (!CaptureScreen(area, picture)) return false;
  for (int i = 0; i < kMostReadings; ++i) {
    PumpMessages(kFlushInterval);
    Picture next;
    if (!CaptureScreen(area, &next)) return false;
    const bool same = next.Pixels == picture->Pixels;
    *picture = std::move(next);
    if (same) return true;
  }
  return true;
}

}  // namespace

void FinishPainting(HWND window) {
  // A round trip first: requests made from here (a move, a resize) are then
  // carried out and have invalidated what they change; those paints are then
  // done at once.
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

bool CaptureWindow(HWND window, Picture* picture) {
  FinishPainting(window);
  RECT area;
  if (!GetWindowRect(window, &area)) return false;
  return CaptureSettled(area, picture);
}

bool CaptureClient(HWND window, Picture* picture) {
  FinishPainting(window);
  RECT client;
  if (!GetClientRect(window, &client)) return false;
  // Both corners: a window laid out from the right maps its x the other way round.
  POINT corners[2] = {{0, 0}, {client.right, client.bottom}};
  ClientToScreen(window, &corners[0]);
  ClientToScreen(window, &corners[1]);
  const LONG left = corners[0].x < corners[1].x ? corners[0].x : corners[1].x;
  RECT area = {left, corners[0].y, left + client.right, corners[0].y + client.bottom};
  return CaptureSettled(area, picture);
}

uint32_t PixelOf(const Picture& picture, int x, int y) {
  if (x < 0 || y < 0 || x >= picture.Width || y >= picture.Height) return 0;
  return picture.Pixels[static_cast<size_t>(y) * picture.Width + x];
}

int CountPixels(const Picture& picture, const RECT& area,
                const std::function<bool(uint32_t)>& test) {
  int count = 0;
  for (int y = area.top < 0 ? 0 : area.top; y < area.bottom && y < picture.Height; ++y) {
    for (int x = area.left < 0 ? 0 : area.left; x < area.right && x < picture.Width; ++x) {
      if (test(PixelOf(picture, x, y))) ++count;
    }
  }
  return count;
}

int CountDifferences(const Picture& a, const Picture& b, const RECT& area) {
  if (a.Width != b.Width || a.Height != b.Height) return -1;
  int count = 0;
  for (int y = area.top < 0 ? 0 : area.top; y < area.bottom && y < a.Height; ++y) {
    for (int x = area.left < 0 ? 0 : area.left; x < area.right && x < a.Width; ++x) {
      if (PixelOf(a, x, y) != PixelOf(b, x, y)) ++count;
    }
  }
  return count;
}

bool SaveBitmap(const Picture& picture, const std::wstring& path) {
  if (picture.Width <= 0 || picture.Height <= 0) return false;
  const uint32_t rowBytes = (static_cast<uint32_t>(picture.Width) * 3 + 3) & ~3u;
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.Height);
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + imageBytes;
  header.biSize = sizeof header;
  header.biWidth = picture.Width;
  header.biHeight = picture.Height;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = imageBytes;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (out == nullptr) return false;
  bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1;
  std::vector<uint8_t> row(rowBytes, 0);
  for (int y = picture.Height - 1; ok && y >= 0; --y) {
    for (int x = 0; x < picture.Width; ++x) {
      const uint32_t pixel = PixelOf(picture, x, y);
      row[x * 3 + 0] = static_cast<uint8_t>(pixel);
      row[x * 3 + 1] = static_cast<uint8_t>(pixel >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(pixel >> 16);
    }
    ok = fwrite(row.data(), 1, row.size(), out) == row.size();
  }
  return fclose(out) == 0 && ok;
}

bool IsWhite(uint32_t pixel) { return pixel == 0xFFFFFF; }

bool IsDark(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) < 0x60 && ((pixel >> 8) & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60;
}

bool IsHeadingBlue(uint32_t pixel) {
  const uint32_t red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
  return blue > 0xA0 && red < 0x80 && green < 0x80;
}
