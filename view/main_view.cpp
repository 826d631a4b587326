#include "view/main_view.h"

#include <windows.h>

#include "common/dpi.h"
#include "common/message_box.h"
#include "lessons/day_selection.h"
#include "lessons/lesson_schedule.h"
#include "resources/resource.h"
#include "view/line_layout.h"
#include "view/text_device.h"
#include "view/view_fonts.h"
#include "view/view_paint.h"
#include "view/view_scroll.h"

namespace {

constexpr uint16_t kInitialLines = 30;

DayShownHook DayShown = nullptr;

// The margin around the text area at the main window's DPI.
int32_t Gutter() { return ScaleToDpi(App.SurroundingGutter, App.Dpi); }

// Selects the date band's font into dc and takes the band's height from it;
// returns the font selected before.
HGDIOBJ MeasureDateBand(HDC dc) {
  HGDIOBJ previous = SelectObject(dc, App.DateBandFont);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  App.DateBand.Height = metrics.tmHeight + 2 * DateBandEdge();
  return previous;
}

}  // namespace

int32_t FlagsPageAmount(uint32_t shift, const LessonView* view) {
  return PageAmount((App.Flags >> shift) & kPageModeMask, view->RowsPainted);
}

int32_t CreateLessonView(WindowHandle main) {
  const int32_t g = Gutter();
  HDC dc = GetDC(main);
  CreateDateBandFont();
  HGDIOBJ previousFont = MeasureDateBand(dc);

  RECT r;
  GetClientRect(main, &r);
  if (App.Toolbar != nullptr) r.top += ToolbarHeight() - 1;
  if (r.bottom - r.top > 2 * g) {
    r.top += g;
    r.bottom -= 2 * g;
  }
  if (r.right - r.left > 2 * g) {
    r.left += g;
    r.right -= 2 * g;
  }

  DateBandBox& band = App.DateBand;
  band.Y = r.bottom - band.Height;
  band.Width = r.right - r.left;
  band.X = r.left - g;
  int32_t width = band.Width;
  int32_t count = App.DateTextLength;
  MeasureRun(dc, App.DateText, &width, &count);
  App.DateTextLength = count;
  r.bottom -= band.Height;
  SelectObject(dc, previousFont);

  LessonView* view = NewLessonView(dc, &App.Font, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, kInitialLines);
  if (view == nullptr) return 1;
  view->Dpi = App.Dpi;
  App.View = view;

  uint8_t* text = BuildLessonText(static_cast<int32_t>(App.Lesson & 0xFFFF), nullptr);
  if (text == nullptr) {
    return ShowUiMessage(main, IDS_RESOURCE_NOT_FOUND, IDS_ERROR, MB_ICONWARNING);
  }
  LayoutText(view, text, true);
  view->TopRow = static_cast<uint16_t>(App.LastPosition);
  UpdateScrollBar(main);
  return 0;
}

void ResizeMainView(int32_t clientWidth, int32_t clientHeight, bool newDpi) {
  const int32_t g = Gutter();
  int32_t w = clientWidth > 2 * g ? clientWidth - 2 * g : clientWidth;
  int32_t h = clientHeight > 2 * g ? clientHeight - 2 * g : clientHeight;
  h -= App.DateBand.Height;
  LessonView* view = App.View;
  if (view == nullptr) return;
  if (newDpi) {
    // The text area moves for the new gutter and toolbar, and the text is
    // laid out in the new fonts even while the window has no room for it.
    view->X = g;
    view->Y = (App.Toolbar != nullptr ? ToolbarHeight() - 1 : 0) + g;
    LayoutText(view, view->Text, false);
  }
  // A minimised window keeps everything as it was for its restored size.
  if (IsIconic(App.MainWindow)) return;
  App.DateBand.Width = w + 2 * g;
  App.DateBand.Y = h + 2 * g;
  if (App.Toolbar != nullptr) {
    const int32_t toolbar = ToolbarHeight();
    MoveWindow(App.Toolbar, 0, 0, w, toolbar, TRUE);
    h -= toolbar;
  }
  if (!newDpi && w == view->Width && h == view->Height) return;
  // Without room for a line (ResizeView refuses the size) the view keeps its layout.
  if (ResizeView(view, w, h) == kViewBadSize) return;
  KeepTopRowInText(view);
  // A shown window in which the whole text fits has no scroll bar to bring its
  // start back. (Before it is shown, the stored top row waits for the stored size.)
  if (view->MaxTopRow == 0 && IsWindowVisible(App.MainWindow)) view->TopRow = 0;
  UpdateScrollBar(App.MainWindow);
}

void RescaleMainView(WindowHandle window, ReadingPosition reading) {
  HDC dc = GetDC(window);
  CreateDateBandFont();
  SelectObject(dc, MeasureDateBand(dc));
  ReleaseDC(window, dc);
  LessonView* view = App.View;
  if (view == nullptr) return;
  view->Dpi = App.Dpi;
  ResetStyleFonts(view, &view->Font);
  RECT client = {};
  GetClientRect(window, &client);
  ResizeMainView(client.right, client.bottom, true);
  view->TopRow = RowOfReadingPosition(view, reading);
  if (view->TopRow > view->MaxTopRow) view->TopRow = view->MaxTopRow;
  UpdateScrollBar(window);
  InvalidateRect(window, nullptr, TRUE);
}

int32_t ScrollBy(LessonView* view, int64_t delta, int32_t repaintMode) {
  if (view == nullptr) return 1;
  uint16_t target = view->TopRow;
  bool changed = ScrollTarget(view, delta, &target);
  if (changed) view->TopRow = target;
  if ((repaintMode == 1 && changed) || (repaintMode != 0 && repaintMode != 1)) {
    return PaintText(view, true);
  }
  return changed ? 3 : 1;
}

void UpdateScrollBar(WindowHandle window) {
  if (!(App.Flags & (kFlagScrollBar | kFlagScrollBarLeft)) || App.View == nullptr) return;
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = 0;
  info.nMax = App.View->MaxTopRow;
  info.nPos = App.View->TopRow;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void RepaintMainWindow(WindowHandle window, uint32_t flags) {
  if (window == nullptr) window = App.MainWindow;
  HDC dc = GetDC(window);
  PaintMainWindow(dc, window, flags);
  ReleaseDC(window, dc);
  UpdateScrollBar(window);
}

int32_t SetViewFont(LessonView* view, const FontSettings* settings) {
  if (view == nullptr) return -1;
  ResetStyleFonts(view, settings);
  const int32_t result = LayoutText(view, view->Text, false) != 0 ? 1 : PaintText(view, true);
  UpdateScrollBar(App.MainWindow);
  return result;
}

int32_t ClickScroll(WindowHandle window, LessonView* view, int32_t x, int32_t y) {
  const int32_t g = Gutter();
  if (x < view->X - g || x > view->X + view->Width + g) return 0;
  if (y < view->Y - g || y > view->Y + view->Height) return 0;
  if (!(App.Flags & kFlagClickPaging)) return 0;
  int32_t split = 0;
  int32_t coordinate = 0;
  if (App.Flags & kFlagClickVertical) {
    split = view->Y + view->Height / 2;
    coordinate = y;
  } else {
    split = view->X + view->Width / 2;
    coordinate = x;
  }
  const int32_t n = FlagsPageAmount(kFlagClickPageShift, view);
  ScrollBy(view, coordinate < split ? -n : n, 1);
  UpdateScrollBar(window);
  return 1;
}

void ShowSelectedDay(WindowHandle window, AbsoluteDay day) {
  LessonView* view = App.View;
  if (view == nullptr) return;
  const AbsoluteDay previous = App.Day;
  SelectDay(day, 1);
  uint8_t* text = BuildLessonText(static_cast<int32_t>(App.Lesson & 0xFFFF), nullptr);
  if (text == nullptr) {
    SelectDay(previous, 0);
    ShowUiMessage(window, IDS_DAY_NOT_LOADED, IDS_ERROR, MB_ICONWARNING);
    return;
  }
  LayoutText(view, text, true);
  view->TopRow = 0;
  RepaintMainWindow(window, kPaintErase | 0xFF);
  if (DayShown) DayShown(window);
}

void SetDayShownHook(DayShownHook hook) { DayShown = hook; }
