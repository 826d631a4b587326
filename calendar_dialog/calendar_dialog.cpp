// The calendar dialog's window side: opening it with its fonts, and its
// dialog procedure, which hands clicks, Alt keys and the keys that move the
// selected day to the month model, paints what changed, beeps at what the
// range refuses, follows DPI changes and answers screen readers.
#include "calendar_dialog/calendar_dialog.h"

#include "calendar_dialog/calendar_accessible.h"
#include "calendar_dialog/calendar_drawing.h"
#include "calendar_dialog/calendar_geometry.h"
#include "calendar_dialog/calendar_hit_test.h"
#include "calendar_dialog/calendar_keyboard.h"
#include "common/dpi.h"
#include "common/mirroring.h"
#include "common/ui_resources.h"
#include "resources/resource.h"
#include "view/colour_scheme.h"
#include "view/window_colours.h"

namespace {

constexpr LONG kCalendarFontHeight = 14;  // cell height in pixels at 96 DPI
constexpr int32_t kFaceNameLimit = LF_FACESIZE - 1;

// What the client area's name tells (calendar_accessible.h): the selected
// day, and the month on the sheet.
struct CalendarTold {
  AbsoluteDay Selected;
  int32_t Month;
  int32_t Year;
};

CalendarTold Told(const CalendarState* cal) {
  return {SelectedCalendarDay(cal), cal->Displayed.month, cal->Displayed.year};
}

// Tells screen readers when the name no longer tells what it told before.
void AnnounceIfChanged(HWND dialog, const CalendarState* cal, const CalendarTold& before) {
  const CalendarTold now = Told(cal);
  if (now.Selected != before.Selected || now.Month != before.Month || now.Year != before.Year) {
    AnnounceCalendarChange(dialog);
  }
}

// Puts made into *font, deleting the font it held; a font that could not be
// made (null) leaves the one before in place.
void ReplaceFont(FontHandle* font, HFONT made) {
  if (made == nullptr) return;
  if (*font != nullptr) DeleteObject(*font);
  *font = made;
}

// Makes the dialog's normal and bold fonts from cal->FontName at cal->Dpi,
// deleting those they replace; ShowCalendarDialog deletes the last ones.
void MakeCalendarFonts(CalendarState* cal) {
  LOGFONTW description;
  DescribeCalendarFont(&description, cal->FontName);
  description.lfHeight = ScaleToDpi(description.lfHeight, cal->Dpi);
  ReplaceFont(&cal->NormalFont, CreateFontIndirectW(&description));
  description.lfWeight = FW_BOLD;
  ReplaceFont(&cal->BoldFont, CreateFontIndirectW(&description));
}

// Lays the sheet out in the client area with the bold font's height as the
// year row's height; the arrows are placed anew at the next paint, which
// draws everything.
void LayOutSheet(HWND dialog, CalendarState* cal) {
  RECT client = {};
  GetClientRect(dialog, &client);
  TEXTMETRICW metrics = {};
  if (cal->Dc != nullptr) {
    HGDIOBJ previous = cal->BoldFont != nullptr ? SelectObject(cal->Dc, cal->BoldFont) : nullptr;
    GetTextMetricsW(cal->Dc, &metrics);
    if (previous != nullptr) SelectObject(cal->Dc, previous);
  }
  const CalendarRect area = {client.left, client.top, client.right, client.bottom};
  LayoutCalendar(cal, &area, metrics.tmHeight);
  cal->ArrowWidth = 0;
  cal->RedrawFlags = kRedrawInitial;
}

// Keeps the dialog's device context for its life and lays the sheet out.
void OnInitCalendar(HWND dialog, CalendarState* cal) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(cal));
  cal->Mirrored = IsMirroredWindow(dialog) ? 1 : 0;
  cal->Dc = GetDC(dialog);
  LayOutSheet(dialog, cal);
  ApplyWindowFrameColours(dialog);
}

// The dialog moved to a monitor of another DPI (dpi): it takes the suggested
// rectangle (screen coordinates; null keeps its size), and fonts, gaps, lines
// and geometry follow the new DPI.
void OnCalendarDpiChanged(HWND dialog, CalendarState* cal, int32_t dpi, const RECT* suggested) {
  if (dpi <= 0) return;
  cal->Dpi = dpi;
  MakeCalendarFonts(cal);
  if (suggested != nullptr) {
    SetWindowPos(dialog, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LayOutSheet(dialog, cal);
  InvalidateRect(dialog, nullptr, TRUE);
}

// Fills the background; everything on it is drawn anew at the next paint.
void OnEraseCalendar(HWND dialog, CalendarState* cal, HDC dc) {
  cal->RedrawFlags = kRedrawInitial;
  RECT client = {};
  GetClientRect(dialog, &client);
  FillRect(dc, &client, RoleBrush(dc, ColourRole::Face));
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
}

// Validates first, so that an erase the system still owes the window happens
// before the sheet is drawn and not over it; then draws the whole sheet
// through the held device context.
void OnPaintCalendar(HWND dialog, CalendarState* cal) {
  PAINTSTRUCT paint;
  if (BeginPaint(dialog, &paint) != nullptr) EndPaint(dialog, &paint);
  cal->RedrawFlags |= kRedrawInitial;
  PaintCalendar(cal);
}

// After a navigation step: paints the sheet when redraw (the redraw flags the
// step returned) is non-zero, that is when the sheet changed.
void RepaintChangedSheet(CalendarState* cal, uint8_t redraw) {
  if (redraw != 0) PaintCalendar(cal);
}

// A click: a month button or an arrow changes the sheet (one past an end of
// the range beeps); a day cell ends the dialog with that day.
void OnCalendarClick(HWND dialog, CalendarState* cal, int32_t x, int32_t y) {
  const CalendarTold before = Told(cal);
  const CalendarClick click = ApplyCalendarClick(cal, x, y);
  if (click.Action == kCalendarClickRepaint) {
    RepaintChangedSheet(cal, cal->RedrawFlags);
    AnnounceIfChanged(dialog, cal, before);
  } else if (click.Action == kCalendarClickRefused) {
    MessageBeep(MB_OK);
  } else if (click.Action == kCalendarClickPicked) {
    HighlightDayCell(cal, click.PlainDay, false);
    HighlightDayCell(cal, click.PickedDay, true);
    EndDialog(dialog, 1);
  }
}

// An Alt key that shows another month or year; one refused at an end of the
// range beeps.
void OnCalendarAltKey(HWND dialog, CalendarState* cal, uint32_t key) {
  const CalendarTold before = Told(cal);
  const uint8_t redraw = CalendarKey(cal, key);
  if (redraw == 0 && IsCalendarKey(key)) MessageBeep(MB_OK);
  RepaintChangedSheet(cal, redraw);
  AnnounceIfChanged(dialog, cal, before);
}

// A key without Alt that moves the selected day; the move is painted and
// announced, a key refused at an end of the range beeps. Left and Right move
// as the grid is seen: in a mirrored sheet, Sunday at the right, Left is the
// next day.
void OnCalendarKey(HWND dialog, CalendarState* cal, uint32_t key) {
  const CalendarTold before = Told(cal);
  const int32_t outcome = MoveCalendarSelection(cal, ArrowKeyForLayout(key, cal->Mirrored != 0),
                                                GetKeyState(VK_CONTROL) < 0);
  if (outcome == kCalendarKeyRefused) MessageBeep(MB_OK);
  if (outcome == kCalendarKeyMoved) RepaintChangedSheet(cal, cal->RedrawFlags);
  AnnounceIfChanged(dialog, cal, before);
}

// Enter picks the selected day (the dialog ends with 1, as for a day click);
// Esc and the close box choose nothing.
void OnCalendarClose(HWND dialog, CalendarState* cal, WORD command) {
  cal->Result = command == IDOK ? SelectedCalendarDay(cal) : 0;
  EndDialog(dialog, command);
}

// The system's colours, the high-contrast or the colour mode changed: all is
// drawn anew, the frame too.
void OnCalendarColours(HWND dialog) {
  RefreshColourScheme();
  ApplyWindowFrameColours(dialog);
  InvalidateRect(dialog, nullptr, TRUE);
}

// The accessible object of the client area, as the dialog's message result.
INT_PTR OnCalendarGetObject(HWND dialog, WPARAM flags, LPARAM objectId) {
  const LRESULT object = AnswerCalendarObject(dialog, flags, objectId);
  if (object == 0) return FALSE;
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, object);
  return TRUE;
}

// The arrow keys are the dialog's own (there are no controls to move between).
INT_PTR OnCalendarDialogCode(HWND dialog) {
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, DLGC_WANTARROWS);
  return TRUE;
}

void OnDestroyCalendar(HWND dialog, CalendarState* cal) {
  if (cal->Dc != nullptr) ReleaseDC(dialog, cal->Dc);
  cal->Dc = nullptr;
}

}  // namespace

CalendarState* CalendarStateOf(HWND dialog) {
  return reinterpret_cast<CalendarState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void DescribeCalendarFont(LOGFONTW* description, const WideChar* fontName) {
  *description = LOGFONTW{};
  description->lfHeight = kCalendarFontHeight;
  description->lfWeight = FW_NORMAL;
  if (fontName == nullptr || fontName[0] == 0) {
    description->lfCharSet = HEBREW_CHARSET;
    lstrcpynW(description->lfFaceName, L"David", LF_FACESIZE);
    return;
  }
  description->lfCharSet = ANSI_CHARSET;
  int32_t length = 0;
  while (length < kFaceNameLimit && fontName[length] != 0) {
    description->lfFaceName[length] = fontName[length];
    ++length;
  }
  description->lfFaceName[length] = 0;
}

AbsoluteDay ShowCalendarDialog(InstanceHandle instance, WindowHandle owner, AbsoluteDay day,
                               const WideChar* fontName, const CalendarStudyMarks* study) {
  // Owned here: the state and both fonts, which outlive the dialog.
  CalendarState cal;
  ResetCalendarState(&cal);
  if (study != nullptr) cal.Study = *study;
  cal.Dpi = WindowDpi(owner);
  cal.FontName = fontName;
  MakeCalendarFonts(&cal);
  SetCalendarDate(&cal, day, 1);

  const INT_PTR ended = ShowUiDialog(instance, IDD_CALENDAR, owner, CalendarDialogProc,
                                     reinterpret_cast<LPARAM>(&cal));
  if (cal.NormalFont != nullptr) DeleteObject(cal.NormalFont);
  if (cal.BoldFont != nullptr) DeleteObject(cal.BoldFont);
  // Only a day click or Enter ends the dialog with 1; a dialog that could not
  // be shown (-1) or was closed otherwise hands back nothing.
  return ended == 1 ? cal.Result : 0;
}

INT_PTR CALLBACK CalendarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    OnInitCalendar(dialog, reinterpret_cast<CalendarState*>(lParam));
    return FALSE;
  }
  CalendarState* cal = CalendarStateOf(dialog);
  if (cal == nullptr) return FALSE;
  switch (message) {
    case WM_ERASEBKGND: OnEraseCalendar(dialog, cal, reinterpret_cast<HDC>(wParam)); return TRUE;
    case WM_PAINT: OnPaintCalendar(dialog, cal); return TRUE;
    case WM_SYSKEYDOWN: OnCalendarAltKey(dialog, cal, static_cast<uint32_t>(wParam)); return FALSE;
    case WM_KEYDOWN: OnCalendarKey(dialog, cal, static_cast<uint32_t>(wParam)); return FALSE;
    case WM_GETDLGCODE: return OnCalendarDialogCode(dialog);
    case WM_GETOBJECT: return OnCalendarGetObject(dialog, wParam, lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnCalendarColours(dialog); return FALSE;
    case WM_LBUTTONDOWN: OnCalendarClick(dialog, cal, LOWORD(lParam), HIWORD(lParam)); return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      OnCalendarClose(dialog, cal, LOWORD(wParam));
      return TRUE;
    case WM_DPICHANGED:
      OnCalendarDpiChanged(dialog, cal, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_DESTROY: OnDestroyCalendar(dialog, cal); return FALSE;
  }
  return FALSE;
}
