// A release's setup program and portable program, used as people would use
// them, in a fresh Wine prefix (the package stage of scripts/test.sh):
//   wine_setup_tests SETUP_EXE PORTABLE_ZELVAN_EXE
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shell/settings.h"
#include "tests/wine/driver/program_driver.h"
#include "tests/wine/wine_test_support.h"
#include "zelvan_version.h"

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelvan";
std::wstring setupProgram, portableProgram;

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
  if (type == REG_DWORD && data.size() == 4) {
    return std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()));
  }
  return type == REG_SZ ? std::wstring(reinterpret_cast<const wchar_t*>(data.data())) : L"?";
}

// The program a shortcut (.lnk) starts; empty if it cannot be read.
std::wstring ShortcutTarget(const std::wstring& link) {
  wchar_t target[MAX_PATH] = {};
  IShellLinkW* shell = nullptr;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shell)))) {
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
        shell->GetPath(target, MAX_PATH, nullptr, 0);
      }
      file->Release();
    }
    shell->Release();
  }
  return target;
}

// Runs a command line as the system runs a registered command; its exit code.
DWORD RunCommand(const std::wstring& commandLine) {
  DWORD exitCode = 0;
  RunAndCapture(commandLine, &exitCode);
  return exitCode;
}

TEST(Release, SetupInstallsOverARunningProgramUninstallsAndThePortableProgramStarts) {
  ClearSettingsKeys();
  PrepareWineForDriving();
  CoInitialize(nullptr);
  const std::wstring dir = Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Zelvan";
  const std::wstring program = dir + L"\\zelvan.exe", uninstaller = dir + L"\\Uninstall.exe";
  const std::wstring shortcut = Folder(CSIDL_PROGRAMS) + L"\\Zelvan.lnk";

  // Installed silently: its files, the Start menu shortcut (not the optional
  // desktop one), and every value of its entry in the list of installed programs.
  ASSERT_EQ(RunCommand(L"\"" + setupProgram + L"\" /S"), 0u);
  for (const std::wstring& file : {program, uninstaller, dir + L"\\LICENSE.txt"}) {
    EXPECT_TRUE(Exists(file)) << file;
  }
  EXPECT_EQ(ShortcutTarget(shortcut), program);
  EXPECT_FALSE(Exists(Folder(CSIDL_DESKTOPDIRECTORY) + L"\\Zelvan.lnk"));
  const std::wstring kEntry[][2] = {
      {L"DisplayName", L"Zelvan"},
      {L"DisplayVersion", L"" ZELVAN_VERSION_TEXT},
      {L"Publisher", L"Thalvane"},
      {L"DisplayIcon", program + L",0"},
      {L"InstallLocation", dir},
      {L"UninstallString", L"\"" + uninstaller + L"\""},
      {L"QuietUninstallString", L"\"" + uninstaller + L"\" /S"},
      {L"NoModify", L"1"},
      {L"NoRepair", L"1"},
  };
  for (const auto& value : kEntry) {
    EXPECT_EQ(Value(kUninstallKey, value[0].c_str()), value[1]) << value[0];
  }
  const int kilobytes = _wtoi(Value(kUninstallKey, L"EstimatedSize").c_str());
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExW(program.c_str(), GetFileExInfoStandard, &data);
  EXPECT_GE(kilobytes, static_cast<int>(data.nFileSizeLow / 1024)) << "EstimatedSize";
  EXPECT_LE(kilobytes, static_cast<int>(data.nFileSizeLow / 1024) + 200) << "EstimatedSize";

  // The installed program starts with settings present and shows its main window.
  struct Setting {
    const wchar_t* Name;
    const wchar_t* Text;  // a REG_SZ, or null for the REG_DWORD Number
    DWORD Number;
  };
  const Setting kSettings[] = {{L"FontName", L"DejaVu Sans", 0},  // no first-start font dialog
                               {L"Day", nullptr, 740000},
                               {L"Flags", nullptr, 0xD1140044}};  // the default, and a fixed day
  auto stored = [](const Setting& s) { return s.Text ? s.Text : std::to_wstring(s.Number); };
  for (const Setting& s : kSettings) {
    if (s.Text) PutString(kProductKey, s.Name, s.Text);
    else PutDword(kProductKey, s.Name, s.Number);
  }
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
  for (const Setting& s : kSettings) EXPECT_EQ(Value(kProductKey, s.Name), stored(s)) << s.Name;
  EXPECT_TRUE(Exists(program));

  // Uninstalled silently with the entry's own command: no file, folder,
  // shortcut or entry left, the settings still there.
  RunCommand(Value(kUninstallKey, L"QuietUninstallString"));
  EXPECT_TRUE(WaitUntil(
      [&] { return !Exists(dir) && Value(kUninstallKey, L"DisplayName") == L"-"; }, kStartLimit));
  EXPECT_FALSE(Exists(dir) || Exists(shortcut)) << "left after uninstalling";
  for (const Setting& s : kSettings) EXPECT_EQ(Value(kProductKey, s.Name), stored(s)) << s.Name;

  // The portable program starts where it was unpacked.
  ASSERT_TRUE(StartProcess(portableProgram, SW_SHOWNORMAL, &run));
  EXPECT_TRUE(WaitForMainWindow(&run, kProgramClass, kProgramTitle, kStartLimit, nullptr));
  EXPECT_TRUE(CloseProgram(&run, &exitCode));
  CoUninitialize();
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    fprintf(stderr, "usage: wine_setup_tests SETUP_EXE PORTABLE_ZELVAN_EXE\n");
    return 2;
  }
  setupProgram = WindowsPath(argv[1]);
  portableProgram = WindowsPath(argv[2]);
  return RUN_ALL_TESTS();
}
