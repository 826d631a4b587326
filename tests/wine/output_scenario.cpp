#include "tests/wine/output_scenario.h"

#include <cstdlib>
#include <vector>

#include "tests/wine/driver/program_driver.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/wine_test_support.h"

AbsoluteDay ScenarioDay(int32_t offset) { return GregorianToAbsolute(1, 1, 2025) + offset; }

void StoreScenarioSettings(AbsoluteDay day, int32_t codeBase, int32_t fontSize, bool reverse) {
  StoreTestFont();
  StorePlacement(0, 0, 420, 460, SW_SHOWNORMAL);
  PutDword(kProductKey, L"Day", static_cast<uint32_t>(day));
  PutDword(kProductKey, L"Lesson", static_cast<uint32_t>(LessonDayOf(day)));
  PutDword(kProductKey, L"FontAsciiBase", static_cast<uint32_t>(codeBase));
  PutDword(kProductKey, L"FontSize", static_cast<uint32_t>(fontSize));
  uint32_t flags = kDefaultFlags | kFixedDayBit;
  flags = reverse ? (flags | kReverseBit) : (flags & ~kReverseBit);
  PutDword(kProductKey, L"Flags", flags);
}

std::wstring ArtifactsDir() {
  const char* dir = getenv("ZELVAN_OUTPUT_ARTIFACTS");
  if (dir == nullptr || dir[0] == 0) return std::wstring();
  return WindowsPath(dir);
}

bool WriteArtifact(const wchar_t* name, const std::string& bytes) {
  std::wstring dir = ArtifactsDir();
  if (dir.empty()) return true;
  std::wstring path = dir + L"\\" + name;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

namespace {

// zelvan-cli with the options, then --days count and day's date; its output,
// or empty when it could not be run or failed.
std::string RunCli(const wchar_t* options, AbsoluteDay day, int32_t count) {
#ifdef ZELVAN_CLI_EXE
  GregorianDate date;
  AbsoluteToGregorian(day, &date);
  wchar_t arguments[96];
  swprintf(arguments, 96, L" %ls--days %d %04d-%02d-%02d", options, static_cast<int>(count),
           static_cast<int>(date.year), static_cast<int>(date.month), static_cast<int>(date.day));
  DWORD exitCode = 0;
  std::string output =
      RunAndCapture(L"\"" + WindowsPath(ZELVAN_CLI_EXE) + L"\"" + arguments, &exitCode);
  return exitCode == 0 ? output : std::string();
#else
  return std::string();
#endif
}

}  // namespace

std::string CliTsv(AbsoluteDay day, int32_t count) { return RunCli(L"--tsv ", day, count); }

std::string CliDays(AbsoluteDay day, int32_t count) { return RunCli(L"", day, count); }

std::wstring MessageBoxText(HWND box) {
  // The message of a message box is its static control 0xFFFF.
  HWND text = GetDlgItem(box, 0xFFFF);
  return text != nullptr ? WindowText(text) : std::wstring();
}

bool PressDialogButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kConditionLimit);
}
