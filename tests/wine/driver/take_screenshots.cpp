// Takes the screenshots of docs/: zelvan.exe on a first start (empty
// registry, the first-start font dialog cancelled) at a usual size, and the
// same day in a narrow window. Run in a fresh Wine prefix:
//   take_screenshots OUTPUT_DIR [path of zelvan.exe]
// writes OUTPUT_DIR/main-window.bmp and OUTPUT_DIR/narrow-window.bmp.
#include <windows.h>

#include <cstdio>
#include <string>

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
  HWND dialog = WaitForDialog(run.ProcessId, L"Choose Font", 3000);
  if (dialog != nullptr) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    WaitUntil([&] { return !IsWindow(dialog); }, kConditionLimit);
  }
  bool ok = Shoot(run.Window, 600, 440, out + L"main-window.bmp");
  ok = Shoot(run.Window, 250, 440, out + L"narrow-window.bmp") && ok;
  DWORD exitCode = 0;
  ok = CloseProgram(&run, &exitCode) && exitCode == 0 && ok;
  return ok ? 0 : 1;
}
