#include "shell/startup.h"

#include <commctrl.h>

#include "calendar/calendar_range.h"
#include "common/app_state.h"
#include "common/dpi.h"
#include "common/ui_resources.h"
#include "common/ui_text.h"
#include "lessons/day_selection.h"
#include "lessons/lesson_schedule.h"
#include "resources/resource.h"
#include "shell/font_dialog.h"
#include "shell/interface_language.h"
#include "shell/main_window.h"
#include "shell/rtl_detection.h"
#include "shell/settings.h"
#include "shell/study_log.h"
#include "view/main_view.h"

namespace {

// Hands a second start over to the running instance's window: it moves to
// today if it is in front, or is brought to the front unless one of its own
// windows (a dialog) is there.
void HandOver(HWND running) {
  HWND front = GetForegroundWindow();
  HWND top = front;
  while (top != nullptr && GetParent(top) != nullptr) top = GetParent(top);
  if (running == front) SendMessageW(running, WM_COMMAND, IDC_TODAY, 0);
  if (running != top) SetForegroundWindow(running);
}

// Settings that no run could have written are brought back into their range
// or to their defaults, so that a damaged registry still gives a working program.
void RepairSettings(bool firstStart) {
  if (App.SurroundingGutter < 0) App.SurroundingGutter = 0;
  if (App.SurroundingGutter > kMaxGutter) App.SurroundingGutter = kMaxGutter;
  if (!IsSupportedDay(App.Day)) {
    // No day stored, or none the calendar has: the fixed-day bit cannot keep
    // it, and today is shown.
    App.Day = 0;
    App.Flags &= ~static_cast<uint32_t>(kFlagFixedDay);
  } else {
    // The lesson day follows from the day; a stored one that does not is damaged.
    App.Lesson = static_cast<uint32_t>(LessonDayFromAbsolute(App.Day));
  }
  // Stored text is in display order; where the system reorders right-to-left
  // text, a first start draws it reversed so that it reads in reading order.
  if (firstStart && SystemReordersRightToLeft()) App.Flags |= kFlagReverse;
}

// Window style and extended style from the scroll-bar bits of Flags, laid out
// from the right in a right-to-left interface (where the scroll bar's usual
// side is the left, and the left-scroll-bar bit puts it on the right).
void MainWindowStyles(DWORD* style, DWORD* extended) {
  *style = WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  if (App.Flags & (kFlagScrollBar | kFlagScrollBarLeft)) *style |= WS_VSCROLL;
  *extended = WS_EX_WINDOWEDGE;
  if (App.Flags & kFlagScrollBarLeft) *extended |= WS_EX_LEFTSCROLLBAR;
  if (UiRightToLeft()) *extended |= WS_EX_LAYOUTRTL;
}

// A stored show command that would leave the window hidden or minimised (a
// window closed while minimised), or is not one at all, gives way to the
// start-up show command.
int UsableShowCommand(int32_t stored, int fallback) {
  switch (stored) {
    case SW_SHOWNORMAL:
    case SW_SHOWMAXIMIZED:
    case SW_SHOWNOACTIVATE:
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_RESTORE:
    case SW_SHOWDEFAULT: return stored;
    default: return fallback;
  }
}

// True if the box left, top, width, height (sizes below 1 taken as 1) shows on
// a monitor: a placement stored on a screen that is gone keeps the default.
bool IsOnSomeMonitor(int32_t left, int32_t top, int32_t width, int32_t height) {
  const int64_t right = static_cast<int64_t>(left) + (width > 0 ? width : 1);
  const int64_t bottom = static_cast<int64_t>(top) + (height > 0 ? height : 1);
  RECT box = {left, top, static_cast<LONG>(right > INT32_MAX ? INT32_MAX : right),
              static_cast<LONG>(bottom > INT32_MAX ? INT32_MAX : bottom)};
  return MonitorFromRect(&box, MONITOR_DEFAULTTONULL) != nullptr;
}

// A stored DPI outside these bounds is taken as damaged: the sizes stay as stored.
constexpr int32_t kLowestStoredDpi = kDefaultDpi / 4;
constexpr int32_t kHighestStoredDpi = kDefaultDpi * 16;

// A window length stored for a window at storedDpi, for the window at dpi:
// its client part keeps its size in inches, the frame's part (frameThen,
// frameNow) is as the system draws it. A length within its frame stays.
int32_t RescaledWindowLength(int32_t length, int32_t frameThen, int32_t frameNow, int32_t storedDpi,
                             int32_t dpi) {
  if (length <= frameThen) return length;
  const int32_t client = MulDiv(length - frameThen, dpi, storedDpi);
  return client < 0 ? length : client + frameNow;
}

// Sizes stored at another scaling than the window now has (the user changed
// the scaling, or the window lies on a monitor of another one) are converted,
// so that the window keeps its size in inches; older versions stored none and
// count as 96 DPI.
void RescaleStoredSize(HWND window, int32_t left, int32_t top, int32_t width, int32_t height) {
  const int32_t storedDpi = ReadSettingInt(kProductKey, L"PlacementDpi", kDefaultDpi);
  const int32_t dpi = App.Dpi;
  if (storedDpi == dpi || dpi <= 0) return;
  if (storedDpi < kLowestStoredDpi || storedDpi > kHighestStoredDpi) return;
  const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  const DWORD extended = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  int32_t frameWidthThen = 0, frameHeightThen = 0, frameWidthNow = 0, frameHeightNow = 0;
  WindowFrameForDpi(style, extended, storedDpi, &frameWidthThen, &frameHeightThen);
  WindowFrameForDpi(style, extended, dpi, &frameWidthNow, &frameHeightNow);
  MoveWindow(window, left, top,
             RescaledWindowLength(width, frameWidthThen, frameWidthNow, storedDpi, dpi),
             RescaledWindowLength(height, frameHeightThen, frameHeightNow, storedDpi, dpi), TRUE);
}

}  // namespace

void RegisterMainClass(HINSTANCE instance, const wchar_t* className) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ZELVAN));
  // The caption's and the taskbar's small icon: the image drawn for that size.
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_ZELVAN), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

void RestoreWindowPlacement(HWND window, int showCommand) {
  const int32_t top = ReadSettingInt(kProductKey, L"Top", 0);
  const int32_t left = ReadSettingInt(kProductKey, L"Left", 0);
  const int32_t width = ReadSettingInt(kProductKey, L"Width", 0);
  const int32_t height = ReadSettingInt(kProductKey, L"Height", 0);
  const int32_t shown = ReadSettingInt(kProductKey, L"showCmd", showCommand);
  if ((width > 0 || height > 0) && IsOnSomeMonitor(left, top, width, height)) {
    MoveWindow(window, left, top, width, height, TRUE);
    RescaleStoredSize(window, left, top, width, height);
  }
  ShowWindow(window, UsableShowCommand(shown, showCommand));
}

HWND StartInstance(int showCommand) {
  HWND running = FindWindowW(kMainWindowClass, kMainWindowTitle);
  if (running != nullptr) {
    HandOver(running);
    return nullptr;
  }
  InitCommonControls();
  const bool firstStart = !SettingPresent(L"Flags");
  LoadSettings();
  RepairSettings(firstStart);
  UseChosenLanguage();
  SelectDay(0, 0);
  RegisterMainClass(App.Instance, kMainWindowClass);

  DWORD style = 0, extended = 0;
  MainWindowStyles(&style, &extended);
  // The menu of the interface's language; the window owns it once it exists.
  HMENU menu = LoadUiMenu(IDM_MAIN);
  HWND window = CreateWindowExW(extended, kMainWindowClass, kMainWindowTitle, style, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu,
                                App.Instance, nullptr);
  if (window == nullptr) {
    if (menu != nullptr) DestroyMenu(menu);
    return nullptr;
  }
  RestoreWindowPlacement(window, showCommand);
  UpdateWindow(window);
  // The study journal is read once the window has been painted.
  PostMessageW(window, kStudyLogLoad, 0, 0);
  // First start: the font is chosen once the window has been painted; the
  // date band keeps its font until the next Font command or start.
  if (App.Font.FontName[0] == 0) {
    ShowFontDialog(window, &App.Font);
    SetViewFont(App.View, &App.Font);
  }
  return window;
}
