// A driver for zelvan.exe (or any small Win32 program) under Wine: starts it as
// a process of its own, waits for its main window and dialogs, drives it with
// messages and with real keyboard input, and ends it. Used by the program
// scenarios, the screenshots and the start-up benchmarks.
//
// Every function waits on a condition (process idle, a window appearing, the
// process ending) with a time limit, never for a fixed time.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// The program's main window class and title.
extern const wchar_t kProgramClass[];
extern const wchar_t kProgramTitle[];

// Time limits in milliseconds: generous, for a loaded machine.
constexpr DWORD kStartLimit = 30000;
constexpr DWORD kExitLimit = 15000;
constexpr DWORD kConditionLimit = 5000;

// One started process. Owns Process; ReleaseRun closes it.
struct ProgramRun {
  HANDLE Process;
  DWORD ProcessId;
  HWND Window;  // its main window, once found
};

// Windows form of path: a Unix path (from the build system) becomes a path on
// drive Z:, which Wine maps to the root; a Windows path stays as it is.
std::wstring WindowsPath(const char* path);

// Path of the program under test: the one given to SetProgramPath, else the
// one the build compiled in.
const std::wstring& ProgramPath();
void SetProgramPath(const std::wstring& path);

// Settings of Wine in this prefix that make driving fast and repeatable: the
// X11 driver leaves windows unmanaged, so closing a window does not wait for a
// window manager that Xvfb does not have. Programs started afterwards see it.
void PrepareWineForDriving();

// Wine's Tahoma and MS Sans Serif, the faces of menus, captions, messages and
// dialogs, have no Hebrew letters, which those of a Hebrew Windows have: links
// DejaVu Sans behind them (font linking, for the letters they lack), so that
// programs started from now on show a Hebrew interface readably.
void LinkHebrewLettersIntoSystemFonts();

// Makes programs started from now on see a display of dpi dots per inch
// (Wine's LogPixels); the driver keeps the DPI it started with.
void SetDisplayDpi(DWORD dpi);

// Makes Wine report the given Windows version ("win95", "win10", ...) to
// programs named exeName started from now on; null version removes it.
void SetWineVersionFor(const wchar_t* exeName, const wchar_t* version);

// Starts exe with the show command given to its WinMain. False if the process
// could not be created.
bool StartProcess(const std::wstring& exe, int showCommand, ProgramRun* run);

// Waits until the process is idle and has a visible top-level window of
// className (and title, if given); stores it in run->Window. False when the
// process ends or the limit passes first, or, with message given, when a
// dialog of the process (a message box) shows before the window: *message.
bool WaitForMainWindow(ProgramRun* run, const wchar_t* className, const wchar_t* title,
                       DWORD limit, HWND* message);

// StartProcess of ProgramPath() and WaitForMainWindow for the program's window.
bool StartProgram(int showCommand, ProgramRun* run);

// Top-level window of the process with className and, if given, title; null if none.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title);

// The first visible dialog (class "#32770") of the process other than the
// one captioned except; null if there is none.
HWND FindOtherDialog(DWORD processId, const wchar_t* except);

// Waits for a dialog (class "#32770") of the process with the given caption;
// null when none appears within limit.
HWND WaitForDialog(DWORD processId, const wchar_t* caption, DWORD limit);

// Text of window (a control of any process), up to 1023 characters.
std::wstring WindowText(HWND window);

// Top-level windows on the desktop with className and title (null: any).
int CountTopLevelWindows(const wchar_t* className, const wchar_t* title);

// Waits for the process to end; its exit code in *exitCode. False on timeout.
bool WaitForExit(ProgramRun* run, DWORD limit, DWORD* exitCode);

// Asks the main window to close (WM_CLOSE, as the close box does) and waits for
// the process to end. False if it did not end in time (it is then killed).
bool CloseProgram(ProgramRun* run, DWORD* exitCode);

// Ends a process still running (TerminateProcess) and closes its handle.
void ReleaseRun(ProgramRun* run);

// A command as the menu, an accelerator or a toolbar button sends it;
// returns when the program has carried it out.
LRESULT SendCommand(HWND window, WORD id);

// Makes window the foreground window. False if it did not become so.
bool BringToFront(HWND window);

// Presses key with modifier held (0 for none) as real keyboard input
// (SendInput) into window, brought to the front first. False if the window
// could not be brought forward or the input was not taken.
bool PressKey(HWND window, WORD modifier, WORD key);

// Polls condition every few milliseconds until it holds or limit passes,
// serving the driver's own windows meanwhile.
bool WaitUntil(const std::function<bool()>& condition, DWORD limit);

// Waits up to wait milliseconds for a message to the driver's thread and
// dispatches all that have arrived.
void PumpMessages(DWORD wait);

// A plain visible top-level window of the driver, standing for "another
// program in front". Destroy it with DestroyWindow.
HWND OpenDriverWindow(const wchar_t* title);

// Seconds from a fixed point, for timings.
double NowSeconds();
