// Takes the screenshots of docs/: zelvan.exe on a first start (empty
// registry, the first-start font dialog cancelled) at a usual size, and the
// same day in a narrow window; the font dialog (a typeface and size chosen,
// the preview showing the letters) and the About dialog; the study log after
// a few days of marks (the window, the calendar and the progress window);
// then at 192 DPI the window as large in inches, with those marks, and the
// calendar; then in Hebrew (the stored choice) the window, its File and
// Study menus, the study progress, the calendar, the font and About dialogs
// and the message of a Page Setup without a printer (run it where no printer
// can be reached). Run in a fresh Wine prefix:
//   take_screenshots OUTPUT_DIR [path of zelvan.exe]
// writes OUTPUT_DIR/main-window.bmp, narrow-window.bmp, font-dialog.bmp,
// about-dialog.bmp, study-log.bmp, study-log-calendar.bmp,
// study-progress.bmp, main-window-192dpi.bmp, calendar-192dpi.bmp and the
// Hebrew hebrew-main-window.bmp, hebrew-menu.bmp, hebrew-study-menu.bmp,
// hebrew-study-progress.bmp, hebrew-calendar.bmp, hebrew-font-dialog.bmp,
// hebrew-about-dialog.bmp and hebrew-message.bmp.
#include <windows.h>

#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "tests/wine/driver/program_driver.h"
#include "tests/wine/driver/window_capture.h"

namespace {

// Writes the picture that captured (true when the capture succeeded) to path
// and says so. False on failure.
bool Keep(bool captured, const Picture& picture, const std::wstring& path) {
  if (!captured || !SaveBitmap(picture, path)) {
    fwprintf(stderr, L"take_screenshots: cannot write %ls\n", path.c_str());
    return false;
  }
  printf("%ls: %d x %d\n", path.c_str(), picture.Width, picture.Height);
  return true;
}

// Sizes the window, lets it paint, and writes its picture to path. False on failure.
bool Shoot(HWND window, int width, int height, const std::wstring& path) {
  SetWindowPos(window, nullptr, 16, 16, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  Picture picture;
  return Keep(CaptureWindow(window, &picture), picture, path);
}

// Writes the picture of window to path. False on failure.
bool ShootAsItIs(HWND window, const std::wstring& path) {
  Picture picture;
  return Keep(CaptureWindow(window, &picture), picture, path);
}

// Selects the entry text in list box listId of dialog and tells the dialog,
// as a click on the entry does.
void ChooseEntry(HWND dialog, int listId, const wchar_t* text) {
  HWND list = GetDlgItem(dialog, listId);
  SendMessageW(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Opens a dialog with command id, pictures it (after prepare) to path, and
// closes it with Cancel. False on failure.
bool ShootDialog(HWND window, DWORD processId, WORD id, const wchar_t* caption,
                 void (*prepare)(HWND), const std::wstring& path) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  HWND dialog = WaitForDialog(processId, caption, kConditionLimit);
  if (dialog == nullptr) {
    fwprintf(stderr, L"take_screenshots: no dialog \"%ls\"\n", caption);
    return false;
  }
  if (prepare != nullptr) prepare(dialog);
  const bool ok = ShootAsItIs(dialog, path);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  WaitUntil([&] { return !IsWindow(dialog); }, kConditionLimit);
  return ok;
}

// The font dialog as a user sees it after choosing: a face with Hebrew
// letters, in a size at which the preview holds all of them on one line.
void ChooseFontForPicture(HWND dialog) {
  ChooseEntry(dialog, 1001, L"DejaVu Sans");
  ChooseEntry(dialog, 1006, L"12");
}

// Opens the menu of window whose mnemonic is key, pictures the window with
// the menu open to path, and closes the menu. False on failure.
bool ShootMenu(HWND window, DWORD processId, wchar_t key, const std::wstring& path) {
  PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, key);
  HWND menu = nullptr;
  WaitUntil([&] {
    menu = FindWindowW(L"#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu);
  }, kConditionLimit);
  if (menu == nullptr) {
    fprintf(stderr, "take_screenshots: the menu did not open\n");
    return false;
  }
  FinishPainting(window);
  PumpMessages(300);
  RECT area = {}, popup = {};
  GetWindowRect(window, &area);
  GetWindowRect(menu, &popup);
  UnionRect(&area, &area, &popup);
  Picture picture;
  const bool ok = Keep(CaptureScreen(area, &picture), picture, path);
  PostMessageW(window, WM_CANCELMODE, 0, 0);
  WaitUntil([&] { return !IsWindowVisible(menu); }, kConditionLimit);
  return ok;
}

// Asks window to print and pictures the message that Page Setup without a
// printer ends in, captioned caption, to path; the system's own message, if it
// shows one first, is answered. False on failure.
bool ShootPrintMessage(HWND window, DWORD processId, const wchar_t* caption,
                       const std::wstring& path) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(40008, 0), 0);
  for (int shown = 0; shown < 3; ++shown) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindOtherDialog(processId, nullptr)) != nullptr; }, kConditionLimit);
    if (box == nullptr) break;
    const bool ours = WindowText(box) == caption;
    const bool ok = !ours || ShootAsItIs(box, path);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box); }, kConditionLimit);
    if (ours) return ok;
  }
  fwprintf(stderr, L"take_screenshots: no message \"%ls\"\n", caption);
  return false;
}

// Cancels the first-start font dialog if the program shows one.
void CancelFontDialog(const ProgramRun& run, const wchar_t* caption = L"Choose Font") {
  HWND dialog = WaitForDialog(run.ProcessId, caption, 3000);
  if (dialog == nullptr) return;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  WaitUntil([&] { return !IsWindow(dialog); }, kConditionLimit);
}

// A study log of some days: begun five days ago, the first two days learned
// whole, then the three-chapters lesson alone, and today the first two
// lessons; the window shows today.
void MarkSomeDays(HWND window) {
  for (int i = 0; i < 5; ++i) SendCommand(window, IDC_PREVIOUS_DAY);
  SendCommand(window, IDC_SET_START_DAY);
  SendCommand(window, IDC_MARK_DAY);
  SendCommand(window, IDC_NEXT_DAY);
  SendCommand(window, IDC_MARK_DAY);
  SendCommand(window, IDC_NEXT_DAY);
  SendCommand(window, IDC_MARK_THREE_CHAPTERS);
  SendCommand(window, IDC_TODAY);
  SendCommand(window, IDC_MARK_THREE_CHAPTERS);
  SendCommand(window, IDC_MARK_ONE_CHAPTER);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: take_screenshots OUTPUT_DIR [zelvan.exe]\n");
    return 2;
  }
  const std::wstring out = WindowsPath(argv[1]) + L"\\";
  if (argc > 2) SetProgramPath(WindowsPath(argv[2]));
  // Wine then draws the caption bar itself, as there is no window manager.
  PrepareWineForDriving();

  ProgramRun run = {};
  if (!StartProgram(SW_SHOWNORMAL, &run)) {
    fprintf(stderr, "take_screenshots: the program did not start\n");
    ReleaseRun(&run);
    return 1;
  }
  CancelFontDialog(run);
  bool ok = Shoot(run.Window, 600, 440, out + L"main-window.bmp");
  ok = Shoot(run.Window, 250, 440, out + L"narrow-window.bmp") && ok;
  ok = ShootDialog(run.Window, run.ProcessId, 40006, L"Choose Font", ChooseFontForPicture,
                   out + L"font-dialog.bmp") && ok;
  ok = ShootDialog(run.Window, run.ProcessId, 40004, L"Zelvan", nullptr, out + L"about-dialog.bmp") &&
       ok;
  MarkSomeDays(run.Window);
  ok = Shoot(run.Window, 600, 440, out + L"study-log.bmp") && ok;
  ok = ShootDialog(run.Window, run.ProcessId, IDC_CALENDAR, L"Hebrew Calendar", nullptr,
                   out + L"study-log-calendar.bmp") && ok;
  ok = ShootDialog(run.Window, run.ProcessId, IDC_STUDY_PROGRESS, L"Study progress", nullptr,
                   out + L"study-progress.bmp") && ok;
  DWORD exitCode = 0;
  ok = CloseProgram(&run, &exitCode) && exitCode == 0 && ok;

  SetDisplayDpi(192);
  if (!StartProgram(SW_SHOWNORMAL, &run)) return 1;
  CancelFontDialog(run);
  ok = Shoot(run.Window, 1200, 880, out + L"main-window-192dpi.bmp") && ok;
  ok = ShootDialog(run.Window, run.ProcessId, 107, L"Hebrew Calendar", nullptr,
                   out + L"calendar-192dpi.bmp") && ok;
  ok = CloseProgram(&run, &exitCode) && exitCode == 0 && ok;

  // In Hebrew, chosen in the settings, at 96 DPI.
  SetDisplayDpi(96);
  LinkHebrewLettersIntoSystemFonts();
  HKEY key = nullptr;
  const DWORD hebrew = 0x040D;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Thalvane\\Zelvan-Quenterbil-Hebrew", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, L"Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hebrew),
                   sizeof hebrew);
    RegCloseKey(key);
  }
  if (!StartProgram(SW_SHOWNORMAL, &run)) return 1;
  CancelFontDialog(run, L"\u05D1\u05D7\u05D9\u05E8\u05EA \u05D2\u05D5\u05E4\u05DF");  // בחירת גופן
  ok = Shoot(run.Window, 600, 440, out + L"hebrew-main-window.bmp") && ok;
  ok = ShootMenu(run.Window, run.ProcessId, L'\u05E7', out + L"hebrew-menu.bmp") && ok;  // ק, File
  ok = ShootMenu(run.Window, run.ProcessId, L'\u05DC', out + L"hebrew-study-menu.bmp") && ok;  // ל, Study
  ok = ShootDialog(run.Window, run.ProcessId, IDC_STUDY_PROGRESS,
                   L"\u05D4\u05EA\u05E7\u05D3\u05DE\u05D5\u05EA \u05D4\u05DC\u05D9\u05DE\u05D5\u05D3",
                   nullptr, out + L"hebrew-study-progress.bmp") && ok;  // התקדמות הלימוד
  ok = ShootDialog(run.Window, run.ProcessId, 107,
                   L"\u05DC\u05D5\u05D7 \u05E9\u05E0\u05D4 \u05E2\u05D1\u05E8\u05D9", nullptr,
                   out + L"hebrew-calendar.bmp") && ok;  // לוח שנה עברי
  ok = ShootDialog(run.Window, run.ProcessId, 40006,
                   L"\u05D1\u05D7\u05D9\u05E8\u05EA \u05D2\u05D5\u05E4\u05DF", ChooseFontForPicture,
                   out + L"hebrew-font-dialog.bmp") && ok;
  ok = ShootDialog(run.Window, run.ProcessId, 40004, L"Zelvan", nullptr,
                   out + L"hebrew-about-dialog.bmp") && ok;
  ok = ShootPrintMessage(run.Window, run.ProcessId, L"\u05E9\u05D2\u05D9\u05D0\u05EA \u05D4\u05D3\u05E4\u05E1\u05D4",
                         out + L"hebrew-message.bmp") && ok;  // שגיאת הדפסה
  ok = CloseProgram(&run, &exitCode) && exitCode == 0 && ok;
  return ok ? 0 : 1;
}
