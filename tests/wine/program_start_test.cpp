// Starting the program: the first start on an empty registry, and the refusal
// of the Windows 95 family.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "lessons/lesson_schedule.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr char kRefusalText[] =
    "This Application does NOT run on:\n\n\tWINDOWS 95\n\tWINDOWS 98\n\tWINDOWS ME\n";
constexpr wchar_t kRefusalCaption[] = L"www.thalvane.example";

using FirstStart = ProgramTest;

}  // namespace

// An empty registry: the window class and title, the font dialog after the
// first paint, and today's day with the default Flags at the end.
TEST_F(FirstStart, EmptyRegistryStartsOnTodayAndSavesTheDefaults) {
  // The program sets Reverse on a first start where the system reorders
  // right-to-left text; the driver asks the system the same question.
  const uint32_t expectedFlags = kDefaultFlags | ReverseAsAFirstStartSetsIt();
  ASSERT_NO_FATAL_FAILURE(Start());

  wchar_t text[64] = {};
  GetClassNameW(run_.Window, text, 64);
  EXPECT_STREQ(text, L"Zelvan-Quenterbil-Hebrew");
  GetWindowTextW(run_.Window, text, 64);
  EXPECT_STREQ(text, L"Zelvan");
  const LONG style = GetWindowLongW(run_.Window, GWL_STYLE);
  // (WS_VSCROLL comes and goes with the scroll range: a day that fits has none.)
  const LONG wanted = WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  EXPECT_EQ(style & wanted, wanted) << std::hex << style;
  EXPECT_EQ(GetWindowLongW(run_.Window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR, 0);
  // The caption's small icon is the image drawn for its size, not the large one shrunk.
  EXPECT_EQ(ProbeSmallIconWidth(probe_), GetSystemMetrics(SM_CXSMICON));
  HWND toolbar = FindWindowExW(run_.Window, nullptr, L"ToolbarWindow32", nullptr);
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(GetDlgCtrlID(toolbar), 1);
  EXPECT_EQ(CountTopLevelWindows(kProgramClass, kProgramTitle), 1);
  // Reverse's check mark shows the first-start decision.
  EXPECT_EQ((ProbeMenuState(probe_, kCommandReverse) & MF_CHECKED) != 0,
            (expectedFlags & kReverseBit) != 0);

  // The window was painted before the dialog opened, and shows the day after it.
  EXPECT_TRUE(ShowsADay());
  // The font dialog opens after the first paint. When none opens by itself,
  // the Font command asks for it: a dialog that then opens is one that the
  // first start failed to open; none at all means this build has none yet.
  bool fontDialog = CancelFontDialogIfShown(3000);
  if (!fontDialog) {
    PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandFont, 0), 0);
    if (CancelFontDialogIfShown(3000)) {
      ADD_FAILURE() << "the font dialog exists but did not open on a first start";
    } else {
      printf("note: this build has no font dialog yet; the first-start check waits for it\n");
    }
  }
  EXPECT_TRUE(ShowsADay());
  ASSERT_NO_FATAL_FAILURE(Close());

  uint32_t day = 0, flags = 0, lesson = 0, base = 0, position = 0, shown = 0;
  ASSERT_TRUE(StoredDword(L"Day", &day));
  EXPECT_TRUE(IsTodayPlus(day, 0)) << day;
  ASSERT_TRUE(StoredDword(L"Flags", &flags));
  EXPECT_EQ(flags, expectedFlags) << std::hex << flags;
  ASSERT_TRUE(StoredDword(L"Lesson", &lesson));
  EXPECT_EQ(lesson, static_cast<uint32_t>(LessonDayFromAbsolute(static_cast<AbsoluteDay>(day))));
  ASSERT_TRUE(StoredDword(L"FontAsciiBase", &base));
  EXPECT_EQ(base, 0x5D0u);
  ASSERT_TRUE(StoredDword(L"LastPosition", &position));
  EXPECT_EQ(position, 0u);
  ASSERT_TRUE(StoredDword(L"showCmd", &shown));
  EXPECT_EQ(shown, static_cast<uint32_t>(SW_SHOWNORMAL));
  // No font was chosen: no face and no size are stored.
  EXPECT_FALSE(HasValue(kProductKey, L"FontName"));
  EXPECT_FALSE(HasValue(kProductKey, L"FontSize"));
  // The vendor key is read, never written.
  EXPECT_FALSE(HasValue(kVendorKey, L"SurroundingGutter"));

  // What an outside reader sees.
  char hex[16];
  snprintf(hex, sizeof hex, "0x%x", flags);
  DWORD exitCode = 1;
  std::string output = QueryWithRegExe(L"Flags", &exitCode);
  EXPECT_EQ(exitCode, 0u) << output;
  EXPECT_NE(output.find("reg_dword"), std::string::npos) << output;
  EXPECT_NE(output.find(hex), std::string::npos) << output;
  snprintf(hex, sizeof hex, "0x%x", day);
  output = QueryWithRegExe(L"Day", &exitCode);
  EXPECT_EQ(exitCode, 0u) << output;
  EXPECT_NE(output.find(hex), std::string::npos) << output;

  // Cancelled, the font is still not chosen: the dialog opens at the next start too.
  if (fontDialog) {
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(CancelFontDialogIfShown(kConditionLimit)) << "no font dialog at the second start";
    ASSERT_NO_FATAL_FAILURE(Close());
  }
}

using Refusal = ProgramTest;

// Wine reports the Windows 95 family to the program: the refusal message, exit
// code -1, and nothing written to the registry.
TEST_F(Refusal, Windows95FamilyIsRefused) {
  SetWineVersionFor(L"zelvan.exe", L"win95");
  ASSERT_TRUE(StartProcess(ProgramPath(), SW_SHOWNORMAL, &run_));
  HWND box = WaitForDialog(run_.ProcessId, kRefusalCaption, kStartLimit);
  ASSERT_NE(box, nullptr) << "no refusal message";
  EXPECT_EQ(FindProcessWindow(run_.ProcessId, kProgramClass, nullptr), nullptr);
  // The message's text is the static control with id 0xFFFF; the box has one OK button.
  std::wstring shown = WindowText(GetDlgItem(box, 0xFFFF));
  std::string narrow(shown.begin(), shown.end());
  EXPECT_EQ(narrow, kRefusalText);
  EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
  EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  DWORD exitCode = 0;
  ASSERT_TRUE(WaitForExit(&run_, kExitLimit, &exitCode));
  EXPECT_EQ(static_cast<int32_t>(exitCode), -1);
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Thalvane", 0, KEY_READ, &key), ERROR_SUCCESS);
}
