#include "view/view_paint.h"

#include <windows.h>

#include "common/app_state.h"
#include "common/dpi.h"
#include "common/mirroring.h"
#include "common/ui_text.h"
#include "lessons/text_stream.h"
#include "view/colour_scheme.h"
#include "view/gdi_text.h"
#include "view/mark_drawing.h"
#include "view/study_marks.h"
#include "view/text_device.h"
#include "view/view_scroll.h"

namespace {

// Characters of the date band's note, its zero included.
constexpr int32_t kBandNoteChars = 64;
// The note beside the date (empty: none).
WideChar BandNote[kBandNoteChars];
// Room between the note and the band's edge at 96 DPI.
constexpr int32_t kBandNotePadding = 6;

// Word of a label line: the bytes from text up to the first space or the end.
int32_t WordLength(const uint8_t* text) {
  int32_t n = 0;
  while (text[n] != 0 && text[n] != ' ') ++n;
  return n;
}

// Draws one rule entry: a line across its box, halfway down, one pixel thick
// at 96 DPI (one device unit on a printer), in the ink colour.
void PaintRule(HDC dc, const LineEntry* entry, int32_t y, int32_t dpi) {
  HGDIOBJ brush = SelectRoleBrush(dc, ColourRole::Ink);
  HGDIOBJ pen = SelectRolePen(dc, ColourRole::Ink);
  const int32_t thickness = LineWidthForDpi(dpi);
  int32_t top = y + entry->Height / 2 - (thickness - 1) / 2;
  Rectangle(dc, entry->X, top, entry->X + entry->Width, top + thickness);
  SelectObject(dc, pen);
  SelectObject(dc, brush);
}

// Draws one text entry: the body, and the hanging label of a record's first
// line (left of the body, or right of it for a reversed record).
void PaintTextLine(HDC dc, const uint8_t* stream, const LineEntry* entry, int32_t y) {
  const uint8_t* text = stream + entry->TextOffset;
  if (entry->LabelWidth == 0) {
    DrawRun(dc, text, entry->Count, entry->X, y, entry->Width, entry->Height);
    return;
  }
  const int32_t labelWidth = entry->LabelWidth;
  if (!(entry->Flags & kRecordReversed)) {
    int32_t count = WordLength(text);
    int32_t width = labelWidth;
    MeasureRun(dc, text, &width, &count);
    DrawRun(dc, text, count, entry->X - labelWidth, y, width, entry->Height);
    const uint8_t* body = text + WordLength(text);
    while (*body == ' ') ++body;
    DrawRun(dc, body, entry->Count, entry->X, y, entry->Width, entry->Height);
    return;
  }
  const uint8_t* label = text + entry->Count;
  while (*label != 0 && *label != ' ') ++label;
  while (*label == ' ') ++label;
  int32_t count = 0;
  while (label[count] != 0) ++count;
  int32_t width = labelWidth;
  MeasureRun(dc, label, &width, &count);
  DrawRun(dc, label, count, entry->X + entry->Width + labelWidth - width, y, width,
          entry->Height);
  DrawRun(dc, text, entry->Count, entry->X, y, entry->Width, entry->Height);
}

// Draws the mark box of the heading line entry painted at y, when its track
// shows one, and notes where it went.
void PaintMark(LessonView* view, const LineEntry* entry, int32_t y) {
  const int32_t track = HeadingTrackOf(view, entry);
  if (track < 0 || !HasTrack(view->MarkTracks, track)) return;
  const MarkBox box = MarkBoxBeside(view, entry, y);
  DrawMarkBox(view->Dc, box, HasTrack(view->LearnedTracks, track));
  view->PaintedMarks[track] = box;
}

// Draws the band's note at its start (the right end where the interface
// reads from the right, read from there), in the band's ink, when it fits
// beside the centred date; nothing otherwise.
void DrawBandNote(HDC dc) {
  if (BandNote[0] == 0) return;
  const DateBandBox& band = App.DateBand;
  int32_t dateWidth = band.Width;
  int32_t count = App.DateTextLength;
  MeasureRun(dc, App.DateText, &dateWidth, &count);
  int32_t length = 0;
  while (BandNote[length] != 0) ++length;
  SIZE note = {};
  if (!GetTextExtentPoint32W(dc, BandNote, length, &note)) return;
  const int32_t padding = ScaleToDpi(kBandNotePadding, App.Dpi);
  if (note.cx + 2 * padding > (band.Width - dateWidth) / 2) return;
  const int32_t edge = DateBandEdge();
  const bool fromRight = UiRightToLeft();
  const int32_t left = fromRight ? band.X + band.Width - padding - note.cx : band.X + padding;
  RECT box = {left, band.Y + edge, left + note.cx, band.Y + band.Height - edge};
  const UINT order = fromRight ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
  DrawTextW(dc, BandNote, length, &box, order | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

int32_t PaintText(LessonView* view, bool erase) {
  if (view == nullptr || view->Text == nullptr || view->Lines == nullptr) return -1;
  HDC dc = view->Dc;
  UseUnmirroredLayout(dc);  // the text reads the same in a window laid out from the right
  int32_t remaining = view->Height;
  int32_t rows = 0;
  PaintStart start = FindPaintStart(view);
  int32_t y = view->Y + start.Offset;
  remaining -= start.Offset;
  const LineEntry* entry = start.Entry;
  for (MarkBox& box : view->PaintedMarks) box = MarkBox{0, 0, 0};

  uint32_t style = 1;
  if (entry != nullptr && entry->Flags != 0 && !IsRuleRecord(entry->Flags)) style = entry->Flags;
  COLORREF savedColour = GetTextColor(dc);
  COLORREF savedBack = SetBkColor(dc, RoleColour(dc, ColourRole::Paper));  // behind opaque runs
  void* savedFont = SelectStyle(view, style | kStyleSetColour);
  if (erase) FillRoleBox(dc, view->X, view->Y, view->Width, view->Height, ColourRole::Paper);

  for (; entry != nullptr && entry->Flags != 0; ++entry) {
    if (remaining < entry->Height) break;  // a line is drawn only if it fits whole
    if (IsRuleRecord(entry->Flags)) {
      PaintRule(dc, entry, y, view->Dpi);
    } else {
      if ((style & kStyleKeyMask) != (entry->Flags & kStyleKeyMask)) {
        SelectStyle(view, entry->Flags | kStyleSetColour);
      }
      style = entry->Flags;
      PaintTextLine(dc, view->Text, entry, y);
      if (view->MarkTracks != 0 && IsHeadingStyle(entry->Flags)) PaintMark(view, entry, y);
    }
    y += entry->Height;
    remaining -= entry->Height;
    ++rows;
    if (entry->Flags & kRecordParagraphEnd) {
      y += entry->Height;
      remaining -= entry->Height;
      ++rows;
    }
  }

  RestoreFont(dc, savedFont);
  SetTextColor(dc, savedColour);
  SetBkColor(dc, savedBack);
  view->RowsPainted = rows;
  view->NextLine = const_cast<LineEntry*>(entry);
  return 0;
}

int32_t ToolbarHeight() {
  if (App.Toolbar == nullptr) return 0;
  RECT box;
  if (!GetWindowRect(App.Toolbar, &box)) return 0;
  return box.bottom - box.top;
}

int32_t DateBandEdge() { return ScaleToDpi(1, App.Dpi); }

void DrawDateBand(DcHandle dc) {
  HGDIOBJ font = SelectObject(dc, App.DateBandFont);
  const COLORREF colour = SetTextColor(dc, RoleColour(dc, ColourRole::BandInk));
  const DateBandBox& band = App.DateBand;
  const int32_t edge = DateBandEdge();
  DrawRun(dc, App.DateText, App.DateTextLength, band.X + edge, band.Y + edge,
          band.Width - 2 * edge, band.Height - 2 * edge);
  DrawBandNote(dc);
  SetTextColor(dc, colour);
  SelectObject(dc, font);
}

void PaintDateBand(DcHandle dc) {
  UseUnmirroredLayout(dc);
  const DateBandBox& band = App.DateBand;
  FillRoleBox(dc, band.X, band.Y, band.Width, band.Height, ColourRole::Band);
  // Its edge sets it apart where the band's colour is the window's (high
  // contrast); in the fixed colours it is the band's own and left undrawn.
  if (RoleColour(dc, ColourRole::BandEdge) != RoleColour(dc, ColourRole::Band)) {
    const int32_t edge = DateBandEdge();
    FillRoleBox(dc, band.X, band.Y, band.Width, edge, ColourRole::BandEdge);
    FillRoleBox(dc, band.X, band.Y + band.Height - edge, band.Width, edge, ColourRole::BandEdge);
    FillRoleBox(dc, band.X, band.Y, edge, band.Height, ColourRole::BandEdge);
    FillRoleBox(dc, band.X + band.Width - edge, band.Y, edge, band.Height, ColourRole::BandEdge);
  }
  SetBkMode(dc, TRANSPARENT);
  DrawDateBand(dc);
}

void PaintMainWindow(DcHandle dc, WindowHandle window, uint32_t flags) {
  PAINTSTRUCT paint;
  HDC target = dc;
  if (target == nullptr) target = BeginPaint(window, &paint);
  if (flags & kPaintErase) {
    RECT client;
    GetClientRect(window, &client);
    client.top += ToolbarHeight() - 1;
    FillRect(target, &client, RoleBrush(target, ColourRole::Paper));
  }
  if (flags & kPaintText) PaintText(App.View, (flags & kPaintErase) != 0);
  PaintDateBand(target);
  if (dc == nullptr) EndPaint(window, &paint);
}

bool SetDateBandNote(const WideChar* note) {
  bool changed = false;
  int32_t length = 0;
  for (; note != nullptr && length < kBandNoteChars - 1 && note[length] != 0; ++length) {
    changed |= BandNote[length] != note[length];
    BandNote[length] = note[length];
  }
  changed |= BandNote[length] != 0;
  BandNote[length] = 0;
  return changed;
}

const WideChar* DateBandNote() { return BandNote; }
