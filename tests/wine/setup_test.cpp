// A release's setup program and portable program, used as people would use
// them, in a fresh Wine prefix (the package stage of scripts/test.sh):
//   wine_setup_tests SETUP_EXE PORTABLE_ZELVAN_EXE
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "shell/settings.h"
#include "tests/wine/driver/program_driver.h"
#include "tests/wine/wine_test_support.h"
#include "zelvan_version.h"

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelvan";
std::wstring setupProgram, portableProgram;
constexpr DWORD kSetupLimit = 60000;  // ms for a setup program or uninstaller to end

// A folder of the user (CSIDL_...), without a trailing backslash.
std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A REG_SZ or REG_DWORD under HKEY_CURRENT_USER as text (a number in decimal); "-" when missing.
std::wstring Value(const wchar_t* key, const wchar_t* name) {
  DWORD type = 0;
  std::string data;
  if (!GetRawValue(key, name, &type, &data)) return L"-";
  const DWORD* number = reinterpret_cast<const DWORD*>(data.data());
  if (type == REG_DWORD && data.size() == 4) return std::to_wstring(*number);
  return type == REG_SZ ? std::wstring(reinterpret_cast<const wchar_t*>(data.data())) : L"?";
}

// Runs a command line as the system runs a registered command (no shell, no
// pipes a process it starts could hold open) and waits for it; its exit code.
DWORD RunCommand(std::wstring commandLine) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return GetLastError();
  }
  CloseHandle(process.hThread);
  ProgramRun run = {process.hProcess, process.dwProcessId, nullptr};
  DWORD exitCode = STILL_ACTIVE;
  WaitForExit(&run, kSetupLimit, &exitCode);
  ReleaseRun(&run);
  return exitCode;
}

TEST(Release, SetupInstallsOverARunningProgramUninstallsAndThePortableProgramStarts) {
  ClearSettingsKeys();
  PrepareWineForDriving();
  const std::wstring dir = Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Zelvan";
  const std::wstring program = dir + L"\\zelvan.exe", uninstaller = dir + L"\\Uninstall.exe";
  const std::wstring shortcut = Folder(CSIDL_PROGRAMS) + L"\\Zelvan.lnk";

  // Installed silently: its files, the Start menu shortcut (not the optional
  // desktop one), and every value of its entry in the list of installed programs.
  ASSERT_EQ(RunCommand(L"\"" + setupProgram + L"\" /S"), 0u);
  for (const std::wstring& file : {program, uninstaller, dir + L"\\LICENSE.txt", shortcut}) {
    EXPECT_TRUE(Exists(file)) << file;
  }
  EXPECT_FALSE(Exists(Folder(CSIDL_DESKTOPDIRECTORY) + L"\\Zelvan.lnk"));
  const std::wstring kEntry[][2] = {
      {L"DisplayName", L"Zelvan"},
      {L"DisplayVersion", L"" ZELVAN_VERSION_TEXT},
      {L"Publisher", L"Thalvane"},
      {L"DisplayIcon", program + L",0"},  // the program's first icon
      {L"InstallLocation", dir},  // where an installation over it goes
      {L"UninstallString", L"\"" + uninstaller + L"\""},  // what the list of programs runs
      {L"QuietUninstallString", L"\"" + uninstaller + L"\" /S"},  // the same, silent
      {L"NoModify", L"1"},  // removal is all it offers
      {L"NoRepair", L"1"},
  };
  for (const auto& value : kEntry) {
    EXPECT_EQ(Value(kUninstallKey, value[0].c_str()), value[1]) << value[0];
  }
  const int size = _wtoi(Value(kUninstallKey, L"EstimatedSize").c_str());
  EXPECT_TRUE(size > 100 && size < 2000) << "EstimatedSize in KiB: " << size;

  // The installed program starts with settings present and shows its main window.
  PutString(kProductKey, L"FontName", L"DejaVu Sans");  // no first-start font dialog
  PutDword(kProductKey, L"Day", 740000);
  PutDword(kProductKey, L"Flags", 0xD1140044);  // the default, and a fixed day
  auto settings = [] {
    return Value(kProductKey, L"FontName") + L", " + Value(kProductKey, L"Day") + L", " +
           Value(kProductKey, L"Flags");
  };
  const std::wstring stored = settings();
  ProgramRun run = {};
  ASSERT_TRUE(StartProcess(program, SW_SHOWNORMAL, &run));
  ASSERT_TRUE(WaitForMainWindow(&run, kProgramClass, kProgramTitle, kStartLimit, nullptr));

  // The same version installed over it: the program is closed as its close box
  // closes it (it ends normally and saves its window placement), the settings stay.
  ASSERT_EQ(RunCommand(L"\"" + setupProgram + L"\" /S"), 0u);
  DWORD exitCode = 1;
  EXPECT_TRUE(WaitForExit(&run, kExitLimit, &exitCode) && exitCode == 0) << "not closed";
  ReleaseRun(&run);
  EXPECT_NE(Value(kProductKey, L"Width"), L"-") << "closed without saving its settings";
  EXPECT_EQ(settings(), stored);
  EXPECT_TRUE(Exists(program));

  // Uninstalled silently with the entry's own command: no file, folder,
  // shortcut or entry left, the settings still there.
  EXPECT_EQ(RunCommand(Value(kUninstallKey, L"QuietUninstallString")), 0u);
  EXPECT_TRUE(WaitUntil(
      [&] { return !Exists(dir) && Value(kUninstallKey, L"DisplayName") == L"-"; }, kStartLimit));
  EXPECT_FALSE(Exists(dir) || Exists(shortcut)) << "left after uninstalling";
  EXPECT_EQ(settings(), stored);

  // The portable program starts where it was unpacked.
  ASSERT_TRUE(StartProcess(portableProgram, SW_SHOWNORMAL, &run));
  EXPECT_TRUE(WaitForMainWindow(&run, kProgramClass, kProgramTitle, kStartLimit, nullptr));
  EXPECT_TRUE(CloseProgram(&run, &exitCode));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 3) return 2;
  setupProgram = WindowsPath(argv[1]);
  portableProgram = WindowsPath(argv[2]);
  return RUN_ALL_TESTS();
}
