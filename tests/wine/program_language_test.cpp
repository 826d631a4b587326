// The Language menu in a running program: English, עברית and Automatic (on
// this English system) take effect at once, in the menu's texts and in the
// window laid out from the right with its toolbar, while the text area and the
// date band keep their pixels; Left then steps the way the next day's arrow
// points; the choice is kept, and a stored value the program does not know
// means Automatic.
#include <windows.h>

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"

namespace {

using Language = ProgramTest;

bool Mirrored(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0; }

TEST_F(Language, EnglishHebrewAndAutomaticTakeEffectAtOnce) {
  const AbsoluteDay day = TodayAbsolute() - 10;
  StoreTestFont();
  PutDword(kProductKey, L"Flags", kDefaultFlags | kFixedDayBit | ReverseAsAFirstStartSetsIt());
  PutDword(kProductKey, L"Day", static_cast<uint32_t>(day));
  PutDword(kProductKey, L"Language", 0x040C);  // French, which this version does not offer
  StorePlacement(0, 0, 420, 420, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(ProbeMenuState(probe_, IDC_LANGUAGE_AUTOMATIC) & MF_CHECKED);
  HWND toolbar = FindWindowExW(run_.Window, nullptr, L"ToolbarWindow32", nullptr);
  ASSERT_NE(toolbar, nullptr);
  RECT bar = {};
  GetWindowRect(toolbar, &bar);
  Picture english;
  ASSERT_TRUE(CaptureClient(run_.Window, &english));
  const RECT below = {0, bar.bottom - bar.top, english.Width, english.Height};  // text and date band

  struct Step {
    WORD command;
    const wchar_t* title;  // of the first menu
    const wchar_t* copy;   // the Copy item with its shortcut
    bool mirrored;
  };
  const Step steps[] = {
      {IDC_LANGUAGE_ENGLISH, L"&File", L"&Copy\bCtrl+C", false},
      {IDC_LANGUAGE_HEBREW, L"&\u05E7\u05D5\u05D1\u05E5", L"\u05D4&\u05E2\u05EA\u05E7\bCtrl+C", true},
      {IDC_LANGUAGE_AUTOMATIC, L"&File", L"&Copy\bCtrl+C", false},  // English here
  };
  for (const Step& step : steps) {
    SendCommand(run_.Window, step.command);
    EXPECT_EQ(ProbeMenuText(probe_, kProbeMenuTitle + 0), step.title) << step.command;
    EXPECT_EQ(ProbeMenuText(probe_, IDC_COPY), step.copy) << step.command;
    EXPECT_TRUE(ProbeMenuState(probe_, step.command) & MF_CHECKED) << step.command;
    EXPECT_EQ(Mirrored(run_.Window), step.mirrored) << step.command;
    toolbar = FindWindowExW(run_.Window, nullptr, L"ToolbarWindow32", nullptr);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(Mirrored(toolbar), step.mirrored) << "the toolbar starts where the window does";
    Picture now;
    ASSERT_TRUE(CaptureClient(run_.Window, &now));
    EXPECT_EQ(CountDifferences(english, now, below), 0) << "the text area changed in " << step.command;
  }

  // The choice is kept: the next start is in Hebrew from the first paint, the
  // text as in English; the next day's arrow points left, and so does the key.
  SendCommand(run_.Window, IDC_LANGUAGE_HEBREW);
  ASSERT_NO_FATAL_FAILURE(Close());
  uint32_t stored = 0;
  EXPECT_TRUE(StoredDword(L"Language", &stored) && stored == 0x040D) << stored;
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(Mirrored(run_.Window));
  Picture hebrew;
  ASSERT_TRUE(CaptureClient(run_.Window, &hebrew));
  EXPECT_EQ(CountDifferences(english, hebrew, below), 0) << "the text area of a start in Hebrew";
  ASSERT_TRUE(PressKey(run_.Window, 0, VK_LEFT));
  ASSERT_NO_FATAL_FAILURE(Close());
  EXPECT_TRUE(StoredDword(L"Day", &stored) && stored == static_cast<uint32_t>(day + 1)) << stored;
}

}  // namespace

// Run on a system whose display language is Hebrew (the test command starts
// Wine with LC_ALL=he_IL.UTF-8): without a choice the program speaks Hebrew.
TEST_F(Language, AutomaticFollowsAHebrewSystem) {
  ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_HEBREW) << "not a Hebrew system";
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(Mirrored(run_.Window));
  EXPECT_EQ(ProbeMenuText(probe_, kProbeMenuTitle + 1), L"&\u05DE\u05E2\u05D1\u05E8");  // מעבר
  EXPECT_TRUE(ProbeMenuState(probe_, IDC_LANGUAGE_AUTOMATIC) & MF_CHECKED);
  ASSERT_NO_FATAL_FAILURE(Close());
}
