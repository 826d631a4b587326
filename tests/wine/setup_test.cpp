// A release's setup program and portable programs, used as people would use
// them, in a fresh Wine prefix (the package stage of scripts/test.sh):
//   wine_setup_tests SETUP_EXE PORTABLE_FOLDER [OTHER_SETUP_EXE]
// PORTABLE_FOLDER is the zip's x64 or x86 folder; OTHER_SETUP_EXE, when given,
// is the other architecture's setup program, installed over this one. With
// ZELVAN_SCREENSHOT_DIR set, the pages a user sees are saved there as BMP
// files (setup-welcome, setup-components, setup-finish, setup-uninstall, and
// setup-welcome-192dpi, for which the display must be larger than 1024 x 768;
// hebrew-setup-* by Release.HebrewPages, which runs on a Hebrew system only).
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "shell/settings.h"
#include "tests/wine/driver/program_driver.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"
#include "zelvan_version.h"

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelvan";
const wchar_t kEnvironmentKey[] = L"Environment";
const wchar_t kSetupTitle[] = L"Zelvan " ZELVAN_VERSION_TEXT L" Setup";
const wchar_t kUninstallTitle[] = L"Zelvan " ZELVAN_VERSION_TEXT L" Uninstall";
const wchar_t kDialogClass[] = L"#32770";
std::wstring setupProgram, portableFolder, otherSetupProgram;
constexpr DWORD kSetupLimit = 60000;  // ms for a setup program or uninstaller to end

// The name of an architecture in the list of installed programs.
std::wstring EntryName(bool sixtyFourBit) {
  return sixtyFourBit ? L"Zelvan (64-bit)" : L"Zelvan (32-bit)";
}
constexpr bool kThisIs64Bit = sizeof(void*) == 8;

// A folder of the user (CSIDL_...), without a trailing backslash.
std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A REG_SZ, REG_EXPAND_SZ or REG_DWORD under HKEY_CURRENT_USER as text (a
// number in decimal); "-" when missing.
std::wstring Value(const wchar_t* key, const wchar_t* name) {
  DWORD type = 0;
  std::string data;
  if (!GetRawValue(key, name, &type, &data)) return L"-";
  const DWORD* number = reinterpret_cast<const DWORD*>(data.data());
  if (type == REG_DWORD && data.size() == 4) return std::to_wstring(*number);
  if (type != REG_SZ && type != REG_EXPAND_SZ) return L"?";
  return std::wstring(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2).c_str();
}

// The user's PATH as the registry holds it: its type and its text.
std::wstring UserPath() {
  DWORD type = 0;
  std::string data;
  if (!GetRawValue(kEnvironmentKey, L"Path", &type, &data)) return L"none";
  return std::to_wstring(type) + L":" + Value(kEnvironmentKey, L"Path");
}
void SetUserPath(DWORD type, const std::wstring& text) {
  PutRawValue(kEnvironmentKey, L"Path", type, text.c_str(),
              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
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

// What "zelvan-cli --version" prints in a new command prompt: one whose PATH
// is made as Windows makes it for a new program, the system's Path (the one
// this test was started with) and then the user's, from the registry.
std::string VersionFromANewCommandPrompt() {
  wchar_t systemPath[8192] = {};
  wchar_t userPath[8192] = {};
  GetEnvironmentVariableW(L"Path", systemPath, 8192);
  ExpandEnvironmentStringsW(Value(kEnvironmentKey, L"Path").c_str(), userPath, 8192);
  SetEnvironmentVariableW(L"Path", (std::wstring(systemPath) + L";" + userPath).c_str());
  DWORD exitCode = 0;
  const std::string output = RunAndCapture(L"cmd /c zelvan-cli --version", &exitCode);
  SetEnvironmentVariableW(L"Path", systemPath);
  return output;
}

// True when every line of the file ends in CR LF, and it has some.
bool HasWindowsLineEnds(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  size_t lines = 0;
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    if (at == 0 || text[at - 1] != '\r') return false;
    ++lines;
  }
  return lines > 0 && text.back() == '\n';
}

// Saves window, frame included, as name.bmp in $ZELVAN_SCREENSHOT_DIR (if set).
void Screenshot(HWND window, const char* name) {
  const char* folder = getenv("ZELVAN_SCREENSHOT_DIR");
  if (folder == nullptr || folder[0] == 0) return;
  Picture picture;
  ASSERT_TRUE(CaptureWindow(window, &picture));
  const std::string path = std::string(folder) + "/" + name + ".bmp";
  ASSERT_TRUE(SaveBitmap(picture, WindowsPath(path.c_str())));
}

// The search of FindControl: the text looked for and the control found.
struct ControlSearch {
  const std::wstring* Part;
  HWND Found;
};

// EnumChildWindows' callback of FindControl: stops at a visible control with the text.
BOOL CALLBACK MatchControl(HWND child, LPARAM data) {
  ControlSearch* search = reinterpret_cast<ControlSearch*>(data);
  if (!IsWindowVisible(child) || WindowText(child).find(*search->Part) == std::wstring::npos) {
    return TRUE;
  }
  search->Found = child;
  return FALSE;
}

// A child of window (at any depth) whose text contains part; null if none.
HWND FindControl(HWND window, const std::wstring& part) {
  ControlSearch search = {&part, nullptr};
  EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// Waits for the page of the setup window showing a control with text part.
bool WaitForPage(HWND setup, const std::wstring& part) {
  return WaitUntil([&] { return FindControl(setup, part) != nullptr; }, kStartLimit);
}

// Presses the setup window's button id (1 Next, Install or Finish; 2 Cancel).
void Press(HWND setup, int id) {
  PostMessageW(setup, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(setup, id)));
}

// Leaves the finish page's box labelled runLabel unchecked and presses
// Finish; the setup program of run ends with 0, and run is released.
void FinishWithoutRunning(HWND setup, const wchar_t* runLabel, ProgramRun* run) {
  HWND runProgram = FindControl(setup, runLabel);
  ASSERT_NE(runProgram, nullptr);
  SendMessageW(runProgram, BM_SETCHECK, BST_UNCHECKED, 0);
  Press(setup, IDOK);
  DWORD exitCode = 1;
  EXPECT_TRUE(WaitForExit(run, kSetupLimit, &exitCode) && exitCode == 0);
  ReleaseRun(run);
}

// The visible window of the setup program or uninstaller with title (null:
// any); null when none shows within the limit.
HWND WaitForSetupWindow(const wchar_t* title) {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        window = FindWindowW(kDialogClass, title);
        return window != nullptr && IsWindowVisible(window);
      },
      kStartLimit);
  return window;
}

// Starts uninstaller, which hands over to a copy of itself and ends, and
// waits for its window (title, null: any) to show a page with the text part;
// the window, or null when it does not come.
HWND OpenUninstallPage(const std::wstring& uninstaller, const wchar_t* title,
                       const std::wstring& part) {
  ProgramRun run = {};
  if (!StartProcess(uninstaller, SW_SHOWNORMAL, &run)) return nullptr;
  DWORD exitCode = 0;
  WaitForExit(&run, kSetupLimit, &exitCode);
  ReleaseRun(&run);
  HWND window = WaitForSetupWindow(title);
  return window != nullptr && WaitForPage(window, part) ? window : nullptr;
}

// The folder and files of an installation.
struct Installation {
  std::wstring Dir = Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Zelvan";
  std::wstring Program = Dir + L"\\zelvan.exe";
  std::wstring Tool = Dir + L"\\zelvan-cli.exe";
  std::wstring Uninstaller = Dir + L"\\Uninstall.exe";
  std::wstring Shortcut = Folder(CSIDL_PROGRAMS) + L"\\Zelvan.lnk";
  std::wstring StudyLog = Folder(CSIDL_APPDATA) + L"\\Thalvane\\Zelvan\\study-log.txt";
};

// A study journal of the user, as the program and the tool write it.
void WriteStudyLog(const Installation& at) {
  CreateDirectoryW((Folder(CSIDL_APPDATA) + L"\\Thalvane").c_str(), nullptr);
  CreateDirectoryW((Folder(CSIDL_APPDATA) + L"\\Thalvane\\Zelvan").c_str(), nullptr);
  std::ofstream(at.StudyLog.c_str()) << "a line of the study log\n";
}

TEST(Release, InstallsOverItselfAndTheOtherArchitectureAndUninstalls) {
  ClearSettingsKeys();
  PrepareWineForDriving();
  const Installation at;
  const std::wstring kUsersPath = L"C:\\tools;%USERPROFILE%\\bin";
  SetUserPath(REG_EXPAND_SZ, kUsersPath);

  // Installed silently: its files (the texts with Windows line ends), the
  // Start menu shortcut (not the optional desktop one), every value of its
  // entry in the list of installed programs, and the folder at the end of the
  // user's PATH, of the type it had.
  ASSERT_EQ(RunCommand(L"\"" + setupProgram + L"\" /S"), 0u);
  for (const std::wstring& file : {at.Program, at.Tool, at.Uninstaller, at.Shortcut}) {
    EXPECT_TRUE(Exists(file)) << file;
  }
  for (const wchar_t* text : {L"\\LICENSE.txt", L"\\README.txt"}) {
    EXPECT_TRUE(HasWindowsLineEnds(at.Dir + text)) << text;
  }
  EXPECT_FALSE(Exists(Folder(CSIDL_DESKTOPDIRECTORY) + L"\\Zelvan.lnk"));
  const std::wstring kEntry[][2] = {
      {L"DisplayName", EntryName(kThisIs64Bit)},  // which of the two is installed
      {L"DisplayVersion", L"" ZELVAN_VERSION_TEXT},
      {L"Publisher", L"Thalvane"},
      {L"DisplayIcon", at.Program + L",0"},  // the program's first icon
      {L"InstallLocation", at.Dir},  // where an installation over it goes
      {L"UninstallString", L"\"" + at.Uninstaller + L"\""},  // what the list of programs runs
      {L"QuietUninstallString", L"\"" + at.Uninstaller + L"\" /S"},  // the same, silent
      {L"NoModify", L"1"},  // removal is all it offers
      {L"NoRepair", L"1"},
      {L"PathEntry", at.Dir},  // what the uninstaller takes off the PATH
  };
  for (const auto& value : kEntry) {
    EXPECT_EQ(Value(kUninstallKey, value[0].c_str()), value[1]) << value[0];
  }
  const int size = _wtoi(Value(kUninstallKey, L"EstimatedSize").c_str());
  EXPECT_TRUE(size > 100 && size < 4000) << "EstimatedSize in KiB: " << size;
  const std::wstring pathWithTool = L"2:" + kUsersPath + L";" + at.Dir;
  EXPECT_EQ(UserPath(), pathWithTool);
  EXPECT_EQ(VersionFromANewCommandPrompt(), "zelvan-cli " ZELVAN_VERSION_TEXT "\n");

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
  ASSERT_TRUE(StartProcess(at.Program, SW_SHOWNORMAL, &run));
  ASSERT_TRUE(WaitForMainWindow(&run, kProgramClass, kProgramTitle, kStartLimit, nullptr));

  // The same version installed over it: the program is closed as its close box
  // closes it (it ends normally and saves its window placement), the settings
  // stay, the PATH holds the folder once.
  ASSERT_EQ(RunCommand(L"\"" + setupProgram + L"\" /S"), 0u);
  DWORD exitCode = 1;
  EXPECT_TRUE(WaitForExit(&run, kExitLimit, &exitCode) && exitCode == 0) << "not closed";
  ReleaseRun(&run);
  EXPECT_NE(Value(kProductKey, L"Width"), L"-") << "closed without saving its settings";
  EXPECT_EQ(settings(), stored);
  EXPECT_TRUE(Exists(at.Program));
  EXPECT_EQ(UserPath(), pathWithTool);

  // The other architecture installed over it replaces it: the same folder with
  // the other's programs, one entry that names it, the PATH as it was.
  if (!otherSetupProgram.empty()) {
    ASSERT_EQ(RunCommand(L"\"" + otherSetupProgram + L"\" /S"), 0u);
    DWORD type = 0;
    EXPECT_TRUE(GetBinaryTypeW(at.Program.c_str(), &type) &&
                type == (kThisIs64Bit ? SCS_32BIT_BINARY : SCS_64BIT_BINARY));
    EXPECT_EQ(Value(kUninstallKey, L"DisplayName"), EntryName(!kThisIs64Bit));
    EXPECT_EQ(Value(kUninstallKey, L"UninstallString"), L"\"" + at.Uninstaller + L"\"");
    EXPECT_EQ(UserPath(), pathWithTool);
  }

  // Uninstalled silently with the entry's own command: no file, folder,
  // shortcut or entry left, the PATH as the user had it, the settings and the
  // study log still there.
  WriteStudyLog(at);
  EXPECT_EQ(RunCommand(Value(kUninstallKey, L"QuietUninstallString")), 0u);
  EXPECT_TRUE(WaitUntil(
      [&] { return !Exists(at.Dir) && Value(kUninstallKey, L"DisplayName") == L"-"; }, kStartLimit));
  EXPECT_FALSE(Exists(at.Dir) || Exists(at.Shortcut)) << "left after uninstalling";
  EXPECT_EQ(UserPath(), L"2:" + kUsersPath);
  EXPECT_EQ(settings(), stored);
  EXPECT_TRUE(Exists(at.StudyLog));

  // The portable programs start where they were unpacked.
  ASSERT_TRUE(StartProcess(portableFolder + L"\\zelvan.exe", SW_SHOWNORMAL, &run));
  EXPECT_TRUE(WaitForMainWindow(&run, kProgramClass, kProgramTitle, kStartLimit, nullptr));
  EXPECT_TRUE(CloseProgram(&run, &exitCode));
  EXPECT_EQ(RunAndCapture(L"\"" + portableFolder + L"\\zelvan-cli.exe\" --version", &exitCode),
            "zelvan-cli " ZELVAN_VERSION_TEXT "\n");
}

// The pages as a user goes through them. A PATH too long for the setup program
// to hold whole is left as it is, and the last page says how to add the folder
// by hand; a PATH that holds the folder already (the user's own entry) is left
// as it is, and uninstalling leaves it too. The uninstaller's page offers to
// remove the settings (not chosen at first); chosen, they go, the study log stays.
TEST(Release, PagesAndAPathLeftAsItIs) {
  ClearSettingsKeys();
  PrepareWineForDriving();
  const Installation at;
  std::wstring longPath;
  while (longPath.size() < 1100) longPath += L"C:\\a folder of the user;";
  SetUserPath(REG_EXPAND_SZ, longPath);

  ProgramRun run = {};
  ASSERT_TRUE(StartProcess(setupProgram, SW_SHOWNORMAL, &run));
  HWND setup = WaitForSetupWindow(kSetupTitle);
  ASSERT_NE(setup, nullptr);
  ASSERT_TRUE(WaitForPage(setup, L"Welcome to Zelvan"));
  EXPECT_NE(FindControl(setup, L"three daily study lessons"), nullptr) << "not what Zelvan is";
  Screenshot(setup, "setup-welcome");
  Press(setup, IDOK);
  ASSERT_TRUE(WaitForPage(setup, L"Choose Install Location"));
  Press(setup, IDOK);
  ASSERT_TRUE(WaitForPage(setup, L"Choose Components"));
  Screenshot(setup, "setup-components");
  Press(setup, IDOK);
  ASSERT_TRUE(WaitForPage(setup, L"Completing"));
  EXPECT_NE(FindControl(setup, L"Edit environment variables for your account"), nullptr)
      << "the last page does not say how to add the folder by hand";
  Screenshot(setup, "setup-finish");
  ASSERT_NO_FATAL_FAILURE(FinishWithoutRunning(setup, L"&Run Zelvan", &run));
  EXPECT_TRUE(Exists(at.Tool));
  EXPECT_EQ(UserPath(), L"2:" + longPath);
  EXPECT_EQ(Value(kUninstallKey, L"PathEntry"), L"-");

  // The folder already on a PATH of the user's (with a trailing backslash).
  const std::wstring usersOwn = L"C:\\a;" + at.Dir + L"\\;C:\\b";
  SetUserPath(REG_SZ, usersOwn);
  ASSERT_EQ(RunCommand(L"\"" + setupProgram + L"\" /S"), 0u);
  EXPECT_EQ(UserPath(), L"1:" + usersOwn);

  // Uninstalled through its page, with "Also remove my settings" chosen.
  PutString(kProductKey, L"FontName", L"DejaVu Sans");
  WriteStudyLog(at);
  HWND uninstall = OpenUninstallPage(at.Uninstaller, kUninstallTitle, L"study log");
  ASSERT_NE(uninstall, nullptr);
  EXPECT_NE(FindControl(uninstall, L"Start menu"), nullptr) << "not where the shortcuts are";
  HWND removeSettings = FindControl(uninstall, L"Also remove my settings");
  ASSERT_NE(removeSettings, nullptr);
  EXPECT_EQ(SendMessageW(removeSettings, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Screenshot(uninstall, "setup-uninstall");
  SendMessageW(removeSettings, BM_SETCHECK, BST_CHECKED, 0);
  Press(uninstall, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !Exists(at.Dir) && WaitForPage(uninstall, L"Completed"); },
                        kSetupLimit));
  Press(uninstall, IDOK);  // Close
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(uninstall); }, kSetupLimit));
  EXPECT_EQ(Value(kProductKey, L"FontName"), L"-") << "the settings were kept";
  EXPECT_TRUE(Exists(at.StudyLog));
  EXPECT_EQ(UserPath(), L"1:" + usersOwn);

  // The first page at 192 DPI, for the screenshots: its picture drawn at twice the size.
  if (getenv("ZELVAN_SCREENSHOT_DIR")) {
    SetDisplayDpi(192);
    ASSERT_TRUE(StartProcess(setupProgram, SW_SHOWNORMAL, &run));
    setup = WaitForSetupWindow(kSetupTitle);
    ASSERT_TRUE(setup && WaitForPage(setup, L"Welcome to Zelvan"));
    Screenshot(setup, "setup-welcome-192dpi");
    ReleaseRun(&run);
    SetDisplayDpi(96);
  }
}

// On a system whose display language is Hebrew (the package stage runs this
// with LC_ALL=he_IL.UTF-8), the setup program and the uninstaller speak
// Hebrew, our own texts too, laid out from the right.
TEST(Release, HebrewPages) {
  ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_HEBREW) << "not a Hebrew system";
  ClearSettingsKeys();
  PrepareWineForDriving();
  LinkHebrewLettersIntoSystemFonts();
  const Installation at;
  ProgramRun run = {};
  ASSERT_TRUE(StartProcess(setupProgram, SW_SHOWNORMAL, &run));
  HWND setup = WaitForSetupWindow(nullptr);
  ASSERT_NE(setup, nullptr);
  ASSERT_TRUE(WaitForPage(setup, L"\u05E9\u05DC\u05D5\u05E9\u05EA \u05D4\u05E9\u05D9\u05E2\u05D5\u05E8\u05D9\u05DD"))
      << "not our welcome text";  // שלושת השיעורים
  EXPECT_TRUE(GetWindowLongW(FindControl(setup, L"\u05E9\u05DC\u05D5\u05E9\u05EA"), GWL_EXSTYLE) &
              WS_EX_RTLREADING) << "not read from the right";
  Screenshot(setup, "hebrew-setup-welcome");
  Press(setup, IDOK);
  ASSERT_TRUE(WaitForPage(setup, L"\u05DE\u05D9\u05E7\u05D5\u05DD"));  // מיקום, the folder's page
  Press(setup, IDOK);
  ASSERT_TRUE(WaitForPage(setup, L"\u05E8\u05DB\u05D9\u05D1\u05D9\u05DD"));  // רכיבים
  Screenshot(setup, "hebrew-setup-components");
  Press(setup, IDOK);
  ASSERT_TRUE(WaitForPage(setup, L"\u05D1\u05DE\u05D7\u05E9\u05D1 \u05E9\u05DC\u05DA"));
  Screenshot(setup, "hebrew-setup-finish");  // "במחשב שלך", our finish text
  // "הרץ את Zelvan"
  ASSERT_NO_FATAL_FAILURE(FinishWithoutRunning(setup, L"\u05E8\u05E5 \u05D0\u05EA Zelvan", &run));
  HWND uninstall = OpenUninstallPage(at.Uninstaller, nullptr,
                                     L"\u05D9\u05D5\u05DE\u05DF \u05D4\u05DC\u05D9\u05DE\u05D5\u05D3");
  ASSERT_NE(uninstall, nullptr);
  EXPECT_NE(FindControl(uninstall, L"\u05D4\u05E1\u05E8 \u05D2\u05DD"), nullptr);  // "יומן הלימוד", "הסר גם"
  Screenshot(uninstall, "hebrew-setup-uninstall");
  Press(uninstall, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(uninstall); }, kSetupLimit));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 3 && argc != 4) return 2;
  setupProgram = WindowsPath(argv[1]);
  portableFolder = WindowsPath(argv[2]);
  if (argc == 4) otherSetupProgram = WindowsPath(argv[3]);
  return RUN_ALL_TESTS();
}
