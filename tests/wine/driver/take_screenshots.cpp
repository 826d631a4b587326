// Takes the screenshots of docs/: zelvan.exe on a first start (empty
// registry, the first-start font dialog cancelled) at a usual size, and the
// same day in a narrow window; the font dialog (a typeface and size chosen,
// the preview showing the letters) and the About dialog; the study log after
// a few days of marks (the window, the calendar and the progress window);
// then at 192 DPI the window as large in inches, with those marks, and the
// calendar. Run in a fresh Wine prefix:
//   take_screenshots OUTPUT_DIR [path of zelvan.exe]
// writes OUTPUT_DIR/main-window.bmp, narrow-window.bmp, font-dialog.bmp,
// about-dialog.bmp, study-log.bmp, study-log-calendar.bmp,
// study-progress.bmp, main-window-192dpi.bmp and calendar-192dpi.bmp.
#include <windows.h>

#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "tests/wine/driver/program_driver.h"
#include "tests/wine/driver/window_capture.h"

namespace {

// Sizes the window, lets it paint, and writes its picture to path. False on failure.
bool Shoot(HWND window, int width, int height, const std::wstring& path) {
  SetWindowPos(window, nullptr, 16, 16, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  Picture picture;
  if (!CaptureWindow(window, &picture) || !SaveBitmap(picture, path)) {
    fwprintf(stderr, L"take_screenshots: cannot write %ls\n", path.c_str());
    return false;
  }
  printf("%ls: %d x %d\n", path.c_str(), picture.Width, picture.Height);
  return true;
}

// Writes the picture of window to path. False on failure.
bool ShootAsItIs(HWND window, const std::wstring& path) {
  Picture picture;
  if (!CaptureWindow(window, &picture) || !SaveBitmap(picture, path)) {
    fwprintf(stderr, L"take_screenshots: cannot write %ls\n", path.c_str());
    return false;
  }
  printf("%ls: %d x %d\n", path.c_str(), picture.Width, picture.Height);
  return true;
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

// Cancels the first-start font dialog if the program shows one.
void CancelFontDialog(const ProgramRun& run) {
  HWND dialog = WaitForDialog(run.ProcessId, L"Choose Font", 3000);
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
  return ok ? 0 : 1;
}
