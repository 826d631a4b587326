#include "shell/main_window.h"

#include "calendar/calendar_range.h"
#include "calendar_dialog/calendar_dialog.h"
#include "common/app_state.h"
#include "common/dpi.h"
#include "common/mirroring.h"
#include "common/ui_resources.h"
#include "common/ui_text.h"
#include "output/clipboard_export.h"
#include "output/print_job.h"
#include "resources/resource.h"
#include "shell/about_dialog.h"
#include "shell/colour_mode_menu.h"
#include "shell/font_dialog.h"
#include "shell/interface_language.h"
#include "shell/main_accessible.h"
#include "shell/settings.h"
#include "shell/shell_open.h"
#include "shell/study_commands.h"
#include "shell/study_log.h"
#include "shell/toolbar.h"
#include "view/colour_scheme.h"
#include "view/main_view.h"
#include "view/view_fonts.h"
#include "view/view_paint.h"
#include "view/view_scroll.h"
#include "view/window_colours.h"

const wchar_t kMainWindowClass[] = L"Zelvan-Quenterbil-Hebrew";
const wchar_t kMainWindowTitle[] = L"Zelvan";

namespace {

// Rows one Page Up or Page Down key press moves.
int32_t KeyboardPage(const LessonView* view) {
  return FlagsPageAmount(kFlagKeyPageShift, view);
}

// Scrolls the main view by delta rows and updates the scroll bar.
void ScrollMainView(HWND window, int64_t delta) {
  ScrollBy(App.View, delta, 1);
  UpdateScrollBar(window);
}

// Shows the day next to the selected one (step -1 or +1), within the calendar's range.
void StepDay(HWND window, int32_t step) {
  const int64_t day = static_cast<int64_t>(App.Day) + step;
  if (!IsSupportedDay(day)) {
    MessageBeep(MB_OK);
    return;
  }
  ShowSelectedDay(window, static_cast<AbsoluteDay>(day));
}

// Another day is shown: screen readers hear of it, and its marks are shown.
void OnDayShown(HWND window) {
  AnnounceShownDay(window);
  ShowStudyMarks(window);
}

// The calendar on the shown day, with the study marks of its days; the day
// picked is shown.
void OnCalendarCommand(HWND window) {
  LoadStudyLog();
  const CalendarStudyMarks marks = CalendarMarks();
  const AbsoluteDay picked =
      ShowCalendarDialog(App.Instance, window, App.Day, App.Font.FontName, &marks);
  if (picked != 0 && picked != App.Day) ShowSelectedDay(window, picked);
}

// Back in front: marks made elsewhere meanwhile are shown.
void OnActivateApp(HWND window, WPARAM active) {
  if (active) OnStudyLogMayHaveChanged(window);
}

void OnCreate(HWND window) {
  CreateToolbar(window);
  SetReverseCheck(window, 1);
  MarkChosenLanguage(GetMenu(window));
  MarkChosenColourMode(GetMenu(window));
  ApplyWindowFrameColours(window);
}

// Releases the view's device context, the toolbar and the study journal, then
// saves everything and ends the message loop.
void OnDestroy(HWND window) {
  if (App.View != nullptr && App.View->Dc != nullptr) {
    ReleaseDC(window, App.View->Dc);
    App.View->Dc = nullptr;
  }
  DestroyMainToolbar(App.Toolbar);
  App.Toolbar = nullptr;
  CloseStudyLog();
  SaveWindowPlacement(window);
  SaveSettingsAndQuit();
}

// The eight navigation keys; 0 for them, 1 for every other key. Left and
// Right step the day the way the toolbar's arrows point: in a window laid out
// from the right, Left is the next day.
LRESULT OnKeyDown(HWND window, WPARAM key) {
  if (key < VK_PRIOR || key > VK_DOWN) return 1;
  LessonView* view = App.View;
  if (view == nullptr) return 0;
  switch (ArrowKeyForLayout(static_cast<uint32_t>(key), IsMirroredWindow(window))) {
    case VK_PRIOR: ScrollMainView(window, -KeyboardPage(view)); break;
    case VK_NEXT: ScrollMainView(window, KeyboardPage(view)); break;
    case VK_END: ScrollMainView(window, view->MaxTopRow ? view->MaxTopRow : KeyboardPage(view)); break;
    case VK_HOME: ScrollMainView(window, -(view->TopRow ? view->TopRow : KeyboardPage(view))); break;
    case VK_LEFT: StepDay(window, -1); break;
    case VK_UP: ScrollMainView(window, -1); break;
    case VK_RIGHT: StepDay(window, +1); break;
    case VK_DOWN: ScrollMainView(window, 1); break;
  }
  return 0;
}

// Row change of a scroll-bar request.
int64_t ScrollBarDelta(WORD request, int16_t thumb, const LessonView* view) {
  switch (request) {
    case SB_LINEUP: return -1;
    case SB_LINEDOWN: return 1;
    case SB_PAGEUP: return -PageAmount(kPageModeWhole, view->RowsPainted);
    case SB_PAGEDOWN: return PageAmount(kPageModeWhole, view->RowsPainted);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return static_cast<int64_t>(thumb) - view->TopRow;
    case SB_TOP: return -static_cast<int64_t>(view->TopRow);
    case SB_BOTTOM: return 1;
    default: return 0;
  }
}

LRESULT OnVScroll(HWND window, WPARAM wParam, LPARAM lParam) {
  int64_t delta = 0;
  if (App.View != nullptr) {
    delta = ScrollBarDelta(LOWORD(wParam), static_cast<int16_t>(HIWORD(wParam)), App.View);
  }
  if (delta != 0) ScrollBy(App.View, delta, 1);
  DefWindowProcW(window, WM_VSCROLL, wParam, lParam);
  if (delta != 0) UpdateScrollBar(window);
  return 1;
}

// Wheel distance below one notch left over from the messages so far.
int32_t WheelRemainder = 0;

// Scrolls by the whole notches that the wheel (or touchpad) has turned.
void OnMouseWheel(HWND window, WPARAM wParam) {
  if (App.View == nullptr) return;
  const int32_t distance = static_cast<int16_t>(HIWORD(wParam));
  ScrollMainView(window, WheelRows(&WheelRemainder, distance));
}

// The Font command: the font dialog; after OK the date band is redrawn with
// a new font and the text laid out again in the new font.
void OnFontCommand(HWND window) {
  if (ShowFontDialog(window, &App.Font) != IDOK) return;
  HDC dc = GetDC(window);
  CreateDateBandFont();
  PaintDateBand(dc);
  ReleaseDC(window, dc);
  SetViewFont(App.View, &App.Font);
}

// Erases the client area in the colour of the text area's paper.
LRESULT OnEraseBackground(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, RoleBrush(dc, ColourRole::Paper));
  return 1;
}

// Makes the toolbar anew, for App.Dpi, its pictures in the screen's colours now.
void RemakeToolbar(HWND window) {
  DestroyMainToolbar(App.Toolbar);
  App.Toolbar = CreateMainToolbar(window, App.Dpi);
}

// The high-contrast and colour modes are read again after a settings change;
// the window is painted again, its frame and the toolbar made anew in the
// colours that now apply when they changed or when repaint is set (the
// system's colours or Windows' app mode may have changed).
void OnColoursChanged(HWND window, bool repaint) {
  if (!RefreshColourScheme() && !repaint) return;
  ApplyWindowFrameColours(window);
  InvalidateRect(window, nullptr, TRUE);
  RemakeToolbar(window);
}

// The Color mode menu: the choice is kept and the window takes its colours at once.
void OnColourModeCommand(HWND window, uint32_t mode) {
  App.ColourMode = mode;
  MarkChosenColourMode(GetMenu(window));
  OnColoursChanged(window, true);
}

// The window moved to a monitor of another scaling, or its monitor's scaling
// changed: the toolbar is made anew, the shown window takes the suggested
// rectangle (while it is placed at start-up it keeps the stored one), and the
// text is laid out in the fonts of the new DPI, keeping the reading position.
void OnDpiChanged(HWND window, int32_t dpi, const RECT* suggested) {
  if (dpi <= 0) return;
  const ReadingPosition reading = TopReadingPosition(App.View);
  App.Dpi = dpi;
  RemakeToolbar(window);
  if (IsWindowVisible(window) && suggested != nullptr) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RescaleMainView(window, reading);
}

// The Language menu: the interface speaks the chosen language at once: the
// menu in it, the window laid out from the right or from the left, the
// toolbar made anew (its names in the language, its buttons from the side the
// window starts at); the text area and the date band look as they did.
void OnLanguageCommand(HWND window, uint32_t choice) {
  App.LanguageChoice = choice;
  UseChosenLanguage();
  HMENU menu = LoadUiMenu(IDM_MAIN);
  if (menu != nullptr) {
    HMENU old = GetMenu(window);
    SetMenu(window, menu);
    if (old != nullptr) DestroyMenu(old);
    SetReverseCheck(window, 1);
  }
  MarkChosenLanguage(GetMenu(window));
  MarkChosenColourMode(GetMenu(window));
  if (IsMirroredWindow(window) != UiRightToLeft()) SetWindowMirrored(window, UiRightToLeft());
  RemakeToolbar(window);
  InvalidateRect(window, nullptr, TRUE);
}

// F1: the About dialog. While a modal dialog (calendar, font, Page Setup,
// About, a message) is open the main window is disabled, and F1 pressed in
// that dialog, which reaches this window too, does nothing.
void OnHelp(HWND window) {
  if (IsWindowEnabled(window)) ShowAboutDialog(window);
}

// Logging off or shutting down ends the program as closing it does, so the
// settings of the run are saved.
void OnEndSession(HWND window, WPARAM ending) {
  if (ending) DestroyWindow(window);
}

}  // namespace

void CreateToolbar(HWND window) {
  App.MainWindow = window;
  App.Dpi = WindowDpi(window);
  App.Toolbar = CreateMainToolbar(window, App.Dpi);
  SetDayShownHook(OnDayShown);
  CreateLessonView(window);
}

int ToggleMenuCheck(HMENU menu, int initialise, UINT id, UINT value) {
  bool checked = false;
  if (initialise) {
    checked = value != 0;
  } else {
    checked = !(GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED);
  }
  MENUITEMINFOW item = {};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_STATE;
  item.fState = checked ? MFS_CHECKED : MFS_UNCHECKED;
  SetMenuItemInfoW(menu, id, FALSE, &item);
  return checked ? 1 : 0;
}

void SetReverseCheck(HWND window, int initialise) {
  int checked = ToggleMenuCheck(GetMenu(window), initialise, IDC_REVERSE, App.Flags & kFlagReverse);
  if (checked == 1) {
    App.Flags |= kFlagReverse;
  } else {
    App.Flags &= ~static_cast<uint32_t>(kFlagReverse);
  }
}

// A click in the client area, its x taken from the left edge as the text area
// is painted (also in a window laid out from the right): a mark box, click
// paging, or the date band's calendar.
void OnTextClick(HWND window, WPARAM wParam, LPARAM lParam) {
  const int32_t x = ClientXFromLeft(window, LOWORD(lParam));
  const int32_t y = HIWORD(lParam);
  if (App.View == nullptr) return;
  if (ClickStudyMark(window, x, y)) return;
  if (ClickScroll(window, App.View, x, y)) return;
  const DateBandBox& band = App.DateBand;
  if (y >= band.Y && y <= band.Y + band.Height) HandleCommand(window, IDC_CALENDAR);
}

int HandleCommand(HWND window, WPARAM wParam) {
  uint32_t choice = 0;
  if (LanguageChoiceOfCommand(LOWORD(wParam), &choice)) {
    OnLanguageCommand(window, choice);
    return 0;
  }
  if (ColourModeOfCommand(LOWORD(wParam), &choice)) {
    OnColourModeCommand(window, choice);
    return 0;
  }
  switch (LOWORD(wParam)) {
    case IDC_CALENDAR: OnCalendarCommand(window); return 0;
    case IDC_TODAY: ShowSelectedDay(window, 0); return 0;
    case IDC_NEXT_DAY: StepDay(window, +1); return 0;
    case IDC_PREVIOUS_DAY: StepDay(window, -1); return 0;
    case IDC_REVERSE:
      SetReverseCheck(window, 0);
      PaintText(App.View, true);
      RepaintMainWindow(window, 0);  // the date band in the new order too
      return 0;
    case IDC_CHECK_UPDATES: CheckForUpdates(App.MainWindow); return 0;
    case IDC_ABOUT: ShowAboutDialog(window); return 0;
    case IDC_FONT: OnFontCommand(window); return 0;
    case IDC_QUIT:
    case IDC_EXIT: DestroyWindow(window); return 0;
    case IDC_COPY: CopyDayToClipboard(App.View, false); return 0;
    case IDC_APPEND: CopyDayToClipboard(App.View, true); return 0;
    case IDC_PRINT: PrintDay(App.View); return 0;
    case IDC_MARK_DAY:
    case IDC_UNMARK_DAY:
    case IDC_MARK_THREE_CHAPTERS:
    case IDC_MARK_ONE_CHAPTER:
    case IDC_MARK_COMMANDMENTS:
    case IDC_CATCH_UP:
    case IDC_NEXT_NOT_LEARNED:
    case IDC_STUDY_PROGRESS:
    case IDC_FOLLOW_THREE_CHAPTERS:
    case IDC_FOLLOW_ONE_CHAPTER:
    case IDC_FOLLOW_COMMANDMENTS:
    case IDC_SET_START_DAY:
    case IDC_STUDY_LOG_FILE: HandleStudyCommand(window, LOWORD(wParam)); return 0;
    default: return 1;
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_SIZE: ResizeMainView(LOWORD(lParam), HIWORD(lParam), false); return 0;
    case WM_PAINT: PaintMainWindow(reinterpret_cast<HDC>(wParam), window, 0xFF); return 0;
    case WM_HELP: OnHelp(window); return 0;
    case WM_KEYDOWN: return OnKeyDown(window, wParam);
    case WM_COMMAND:
      if (HandleCommand(window, wParam) == 0) return 0;
      break;
    case WM_VSCROLL: return OnVScroll(window, wParam, lParam);
    case WM_LBUTTONDOWN: OnTextClick(window, wParam, lParam); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(window, wParam); return 0;
    case WM_ENDSESSION: OnEndSession(window, wParam); return 0;
    case WM_GETOBJECT: {
      const LRESULT object = AnswerMainWindowObject(window, wParam, lParam);
      if (object != 0) return object;
      break;
    }
    case WM_SETTINGCHANGE: OnColoursChanged(window, IsColourSettingChange(wParam, lParam)); break;
    case WM_SYSCOLORCHANGE: OnColoursChanged(window, true); break;
    case WM_ERASEBKGND: return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_DPICHANGED:
      OnDpiChanged(window, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_INITMENUPOPUP: UpdateStudyMenu(window); return 0;
    case WM_ACTIVATEAPP: OnActivateApp(window, wParam); return 0;
    case kStudyLogLoad: OnStudyLogLoad(window); return 0;
    case kStudyLogMayHaveChanged: OnStudyLogMayHaveChanged(window); return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
