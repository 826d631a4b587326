// A stand-in for the web browser in the program scenarios: the shell's "Open"
// command for web addresses is pointed at it, and it appends the address it
// was given as one line to a file, so that a test can read what the program
// asked the shell to open. No network, no window.
//
//   stand_in_browser.exe LOG_FILE ADDRESS
#include <windows.h>
#include <shellapi.h>

#include <string>

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 3) return 2;
  const std::wstring address = arguments[2];
  const int bytes = WideCharToMultiByte(
      CP_UTF8, 0, address.c_str(), static_cast<int>(address.size()), nullptr, 0, nullptr, nullptr);
  std::string line(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, address.c_str(), static_cast<int>(address.size()), &line[0],
                      bytes, nullptr, nullptr);
  line += '\n';
  HANDLE file = CreateFileW(arguments[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  LocalFree(arguments);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == line.size() ? 0 : 1;
}
