#include "view/mark_drawing.h"

#include <windows.h>

namespace {

// The check mark's outline in hundredths of its square, from the short
// stroke's end round to the long stroke's.
constexpr POINT kCheckShape[] = {{6, 50}, {38, 84}, {96, 24}, {82, 10}, {38, 56}, {20, 36}};
constexpr int kCheckPoints = sizeof kCheckShape / sizeof kCheckShape[0];

}  // namespace

void DrawMarkBox(DcHandle dc, const MarkBox& box, bool learned) {
  if (dc == nullptr || box.Size <= 0) return;
  const int32_t line = box.Size / 10 > 0 ? box.Size / 10 : 1;
  FillRoleBox(dc, box.X, box.Y, box.Size, box.Size, ColourRole::Ink);
  FillRoleBox(dc, box.X + line, box.Y + line, box.Size - 2 * line, box.Size - 2 * line,
              ColourRole::Paper);
  if (learned) {
    const int32_t inset = line + box.Size / 10;
    DrawCheckMark(dc, box.X + inset, box.Y + inset, box.Size - 2 * inset, ColourRole::Learned);
  }
}

void DrawCheckMark(DcHandle dc, int32_t x, int32_t y, int32_t size, ColourRole role) {
  if (dc == nullptr || size <= 0) return;
  // A DC laid out from the right would turn the check; its shape is turned
  // back, so that it reads as everywhere else.
  const bool turned = (GetLayout(dc) & LAYOUT_RTL) != 0;
  POINT points[kCheckPoints];
  for (int i = 0; i < kCheckPoints; ++i) {
    const int32_t across = (kCheckShape[i].x * size + 50) / 100;
    points[i].x = turned ? x + size - across : x + across;
    points[i].y = y + (kCheckShape[i].y * size + 50) / 100;
  }
  HGDIOBJ pen = SelectRolePen(dc, role);
  HGDIOBJ brush = SelectRoleBrush(dc, role);
  Polygon(dc, points, kCheckPoints);
  SelectObject(dc, brush);
  SelectObject(dc, pen);
}

void DrawBehindDot(DcHandle dc, int32_t x, int32_t y, int32_t size, ColourRole role) {
  if (dc == nullptr || size <= 0) return;
  const int32_t dot = size / 2 > 2 ? size / 2 : 2;
  const int32_t left = x + (size - dot) / 2;
  const int32_t top = y + (size - dot) / 2;
  HGDIOBJ pen = SelectRolePen(dc, role);
  HGDIOBJ brush = SelectRoleBrush(dc, role);
  Ellipse(dc, left, top, left + dot + 1, top + dot + 1);
  SelectObject(dc, brush);
  SelectObject(dc, pen);
}
