#include "tests/wine/driver/program_driver.h"

#include <cwchar>
#include <initializer_list>
#include <vector>

const wchar_t kProgramClass[] = L"Zelvan-Quenterbil-Hebrew";
const wchar_t kProgramTitle[] = L"Zelvan";

namespace {

// The path that ProgramPath returns: the build's zelvan.exe until set.
std::wstring& ProgramPathSlot() {
#ifdef ZELVAN_PROGRAM_EXE
  static std::wstring path = WindowsPath(ZELVAN_PROGRAM_EXE);
#else
  static std::wstring path;
#endif
  return path;
}

// What FindProcessWindow looks for, and what it found.
struct WindowSearch {
  DWORD ProcessId;  // 0: any process
  const wchar_t* ClassName;
  const wchar_t* Title;
  HWND Found;
  int Count;
};

// True if window belongs to the search's process and has its class and title
// (each only when given).
bool Matches(HWND window, const WindowSearch& search) {
  if (search.ProcessId != 0) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.ProcessId) return false;
  }
  wchar_t text[256];
  if (search.ClassName != nullptr) {
    if (GetClassNameW(window, text, 256) == 0 || wcscmp(text, search.ClassName) != 0) return false;
  }
  if (search.Title != nullptr) {
    text[0] = 0;
    GetWindowTextW(window, text, 256);
    if (wcscmp(text, search.Title) != 0) return false;
  }
  return true;
}

// First visible dialog of the process whose caption is not except.
struct DialogSearch {
  DWORD ProcessId;
  const wchar_t* Except;
  HWND Found;
};

// EnumWindows step of FindOtherDialog: stops at the first matching dialog.
BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(parameter);
  WindowSearch dialogs = {search->ProcessId, L"#32770", nullptr, nullptr, 0};
  if (!IsWindowVisible(window) || !Matches(window, dialogs)) return TRUE;
  if (search->Except != nullptr) {
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    if (wcscmp(caption, search->Except) == 0) return TRUE;
  }
  search->Found = window;
  return FALSE;
}

// EnumWindows step: counts matching windows and keeps the first.
BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
  if (Matches(window, *search)) {
    if (search->Found == nullptr) search->Found = window;
    ++search->Count;
  }
  return TRUE;
}

// Stores text as REG_SZ value name under HKEY_CURRENT_USER\keyPath. True on success.
bool SetStringValue(const wchar_t* keyPath, const wchar_t* name, const wchar_t* text) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                               static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// Navigation keys are extended keys: without the flag they arrive as keypad keys.
bool IsExtendedKey(WORD key) {
  return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE;
}

// Fills input with the press (or release) of virtual key key.
void KeyEvent(INPUT* input, WORD key, bool up) {
  *input = INPUT{};
  input->type = INPUT_KEYBOARD;
  input->ki.wVk = key;
  input->ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input->ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
}

}  // namespace

std::wstring WindowsPath(const char* path) {
  int length = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
  std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
  if (length > 1) MultiByteToWideChar(CP_UTF8, 0, path, -1, &wide[0], length);
  if (wide.empty() || wide[0] != L'/') return wide;
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return L"Z:" + wide;
}

const std::wstring& ProgramPath() { return ProgramPathSlot(); }

void SetProgramPath(const std::wstring& path) { ProgramPathSlot() = path; }

void PrepareWineForDriving() {
  SetStringValue(L"Software\\Wine\\X11 Driver", L"Managed", L"N");
}

void LinkHebrewLettersIntoSystemFonts() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                      L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink", 0,
                      nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  static const wchar_t kLink[] = L"DejaVuSans.ttf,DejaVu Sans\0";  // a multi-string
  for (const wchar_t* face : {L"Tahoma", L"MS Sans Serif", L"Microsoft Sans Serif"}) {
    RegSetValueExW(key, face, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kLink), sizeof kLink);
  }
  RegCloseKey(key);
}

void SetDisplayDpi(DWORD dpi) {
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                  sizeof dpi);
}

void SetWineVersionFor(const wchar_t* exeName, const wchar_t* version) {
  std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + exeName;
  if (version == nullptr) {
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    return;
  }
  SetStringValue(key.c_str(), L"Version", version);
}

bool StartProcess(const std::wstring& exe, int showCommand, ProgramRun* run) {
  *run = ProgramRun{};
  std::vector<wchar_t> line;
  std::wstring quoted = L"\"" + exe + L"\"";
  line.assign(quoted.begin(), quoted.end());
  line.push_back(0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  run->Process = process.hProcess;
  run->ProcessId = process.dwProcessId;
  return true;
}

bool WaitForMainWindow(ProgramRun* run, const wchar_t* className, const wchar_t* title,
                       DWORD limit, HWND* message) {
  if (message != nullptr) *message = nullptr;
  WaitForInputIdle(run->Process, limit);
  WaitUntil(
      [&] {
        HWND window = FindProcessWindow(run->ProcessId, className, title);
        if (window != nullptr && IsWindowVisible(window)) {
          run->Window = window;
          return true;
        }
        if (message != nullptr) {
          *message = FindOtherDialog(run->ProcessId, nullptr);
          if (*message != nullptr) return true;
        }
        return WaitForSingleObject(run->Process, 0) == WAIT_OBJECT_0;
      },
      limit);
  return run->Window != nullptr;
}

bool StartProgram(int showCommand, ProgramRun* run) {
  if (!StartProcess(ProgramPath(), showCommand, run)) return false;
  return WaitForMainWindow(run, kProgramClass, kProgramTitle, kStartLimit, nullptr);
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  WindowSearch search = {processId, className, title, nullptr, 0};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND WaitForDialog(DWORD processId, const wchar_t* caption, DWORD limit) {
  HWND dialog = nullptr;
  WaitUntil(
      [&] {
        dialog = FindProcessWindow(processId, L"#32770", caption);
        return dialog != nullptr && IsWindowVisible(dialog);
      },
      limit);
  return (dialog != nullptr && IsWindowVisible(dialog)) ? dialog : nullptr;
}

HWND FindOtherDialog(DWORD processId, const wchar_t* except) {
  DialogSearch search = {processId, except, nullptr};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND OpenDriverWindow(const wchar_t* title) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = L"ZelvanDriverWindow";
    registered = RegisterClassW(&windowClass) != 0;
  }
  HWND window = CreateWindowW(L"ZelvanDriverWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500,
                              400, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) PumpMessages(0);
  return window;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                      kConditionLimit, nullptr);
  text[1023] = 0;
  return text;
}

int CountTopLevelWindows(const wchar_t* className, const wchar_t* title) {
  WindowSearch search = {0, className, title, nullptr, 0};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.Count;
}

bool WaitForExit(ProgramRun* run, DWORD limit, DWORD* exitCode) {
  if (run->Process == nullptr) return false;
  if (!WaitUntil([&] { return WaitForSingleObject(run->Process, 0) == WAIT_OBJECT_0; }, limit)) {
    return false;
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(run->Process, &code);
  if (exitCode != nullptr) *exitCode = code;
  return true;
}

bool CloseProgram(ProgramRun* run, DWORD* exitCode) {
  if (run->Window != nullptr) PostMessageW(run->Window, WM_CLOSE, 0, 0);
  bool ended = WaitForExit(run, kExitLimit, exitCode);
  ReleaseRun(run);
  return ended;
}

void ReleaseRun(ProgramRun* run) {
  if (run->Process != nullptr) {
    if (WaitForSingleObject(run->Process, 0) != WAIT_OBJECT_0) {
      TerminateProcess(run->Process, 99);
      WaitForSingleObject(run->Process, kExitLimit);
    }
    CloseHandle(run->Process);
  }
  *run = ProgramRun{};
}

LRESULT SendCommand(HWND window, WORD id) {
  return SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool BringToFront(HWND window) {
  if (GetForegroundWindow() == window) return true;
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }, kConditionLimit);
}

bool PressKey(HWND window, WORD modifier, WORD key) {
  if (!BringToFront(window)) return false;
  INPUT input[4];
  UINT count = 0;
  if (modifier != 0) KeyEvent(&input[count++], modifier, false);
  KeyEvent(&input[count++], key, false);
  KeyEvent(&input[count++], key, true);
  if (modifier != 0) KeyEvent(&input[count++], modifier, true);
  return SendInput(count, input, sizeof(INPUT)) == count;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD limit) {
  const double end = NowSeconds() + limit / 1000.0;
  for (;;) {
    if (condition()) return true;
    if (NowSeconds() > end) return false;
    PumpMessages(5);
  }
}

void PumpMessages(DWORD wait) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

double NowSeconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}
