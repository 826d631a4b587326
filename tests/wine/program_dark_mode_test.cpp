// Dark mode: with Windows' app mode dark the window, calendar, font dialog,
// About and the study progress come up dark at 96 and 192 DPI with every ink readable (4.5:1 measured
// on the screen); Windows' mode switched while running turns the window and
// an open calendar light and back; Color mode wins over Windows' mode; a
// string value means light. ZELVAN_SCREENSHOT_DIR: the pictures of docs/.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "tests/wine/dialog_controls.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"
#include "view/palette.h"

namespace {

constexpr WORD kCommandCalendar = 107, kCommandAbout = 40004, kCommandProgress = 40107;
constexpr WORD kModeSystem = 40211, kModeLight = 40212, kModeDark = 40213;

// 0x00RRGGBB as 0x00BBGGRR.
uint32_t AsColourRef(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }
bool IsDarkColour(uint32_t colour) { return ContrastRatio(colour, 0) <= 2.0; }

// True when colour lies, channel by channel, between background and ink: an anti-aliased edge.
bool IsBlend(uint32_t colour, uint32_t background, uint32_t ink) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int c = (colour >> shift) & 0xFF, b = (background >> shift) & 0xFF, i = (ink >> shift) & 0xFF;
    if (c < std::min(b, i) - 6 || c > std::max(b, i) + 6) return false;
  }
  return true;
}

// Expects area's most frequent colour to be dark and every ink on it readable:
// each colour other than the palette's backgrounds at least an eighth as
// frequent as the most frequent of them, edges of a stronger ink aside.
void ExpectDarkAndReadable(const Picture& picture, const RECT& area, const std::string& what) {
  std::map<uint32_t, int> counts;
  for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, picture.Height); ++y) {
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, picture.Width); ++x) {
      ++counts[AsColourRef(picture.Pixels[y * picture.Width + x] & 0xFFFFFF)];
    }
  }
  const uint32_t background =
      std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
  std::map<uint32_t, int> inks = counts;  // 0x00BBGGRR
  for (ColourRole role : {ColourRole::Paper, ColourRole::Face, ColourRole::Band}) inks.erase(PaletteShades(role).Dark);
  inks.erase(background);
  int most = 0;
  for (const auto& [colour, count] : inks) most = std::max(most, count);
  EXPECT_TRUE(IsDarkColour(background)) << what << std::hex << ": background " << background;
  EXPECT_GT(most, 0) << what << ": nothing on the background";
  for (const auto& [ink, count] : inks) {
    const double contrast = ContrastRatio(ink, background);
    const bool edge = count * 8 < most || std::any_of(inks.begin(), inks.end(), [&](auto& other) {
      return other.second * 8 >= most && ContrastRatio(other.first, background) > contrast &&
             IsBlend(ink, background, other.first);
    });
    if (!edge) {
      EXPECT_GE(contrast, kReadableContrast) << what << std::hex << ": " << ink << " on " << background;
    }
  }
}

// True when window's client area is dark at the middle of its left edge, below top.
bool LooksDark(HWND window, int top = 0) {
  Picture picture;
  return CaptureClient(window, &picture) &&
         IsDarkColour(AsColourRef(PixelOf(picture, 2, (top + picture.Height) / 2)));
}

// Windows' app mode as its settings change it: the value stored, then announced.
void SetWindowsMode(DWORD type, const void* data, DWORD bytes) {
  PutRawValue(L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", L"AppsUseLightTheme", type,
              data, bytes);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                      SMTO_ABORTIFHUNG, kConditionLimit, &result);
}
void SetWindowsDark(bool dark) {
  const DWORD value = dark ? 0 : 1;
  SetWindowsMode(REG_DWORD, &value, sizeof value);
}

// With ZELVAN_SCREENSHOT_DIR set, the screen's area as name.bmp there.
void SaveScreenshot(HWND window, HWND over, const char* name) {
  const char* folder = getenv("ZELVAN_SCREENSHOT_DIR");
  if (folder == nullptr) return;
  RECT area = {}, more = {};
  GetWindowRect(window, &area);
  if (over != nullptr && GetWindowRect(over, &more)) UnionRect(&area, &area, &more);
  Picture picture;
  ASSERT_TRUE(CaptureScreen(area, &picture));
  ASSERT_TRUE(SaveBitmap(picture, WindowsPath((std::string(folder) + "/" + name + ".bmp").c_str())));
}

using DarkMode = ProgramTest;

}  // namespace

TEST_F(DarkMode, FollowsWindowsAndTheChoiceReadablyAtEachScaling) {
  for (const int dpi : {96, 192}) {
    SCOPED_TRACE(dpi);
    SetDisplayDpi(dpi);
    StoreTestFont();
    StorePlacement(0, 0, 420, 340, SW_SHOWNORMAL);  // at 96 DPI, scaled by the program
    SetWindowsDark(true);
    ASSERT_NO_FATAL_FAILURE(Start());
    RECT bar = {};
    GetWindowRect(FindWindowExW(run_.Window, nullptr, TOOLBARCLASSNAMEW, nullptr), &bar);
    const int top = bar.bottom - bar.top;
    ASSERT_TRUE(WaitUntil([&] { return LooksDark(run_.Window, top); }, kConditionLimit)) << "not dark";
    Picture shot;
    ASSERT_TRUE(CaptureClient(run_.Window, &shot));
    const int band = shot.Height - (8 * dpi / 96 + 12);  // the date band's text lies below
    ExpectDarkAndReadable(shot, {0, top, shot.Width - GetSystemMetrics(SM_CXVSCROLL) - 2, band}, "text area");
    ExpectDarkAndReadable(shot, {0, band, shot.Width, shot.Height}, "date band");
    ExpectDarkAndReadable(shot, {0, 0, shot.Width, top}, "toolbar");
    if (dpi == 192) {
      ASSERT_NO_FATAL_FAILURE(SaveScreenshot(run_.Window, nullptr, "dark-mode-192dpi"));
    }

    for (const auto& [command, caption] : {std::pair{kCommandCalendar, L"Hebrew Calendar"},
                                           std::pair{kCommandFont, kFontDialogCaption},
                                           std::pair{kCommandAbout, L"Zelvan"},
                                           std::pair{kCommandProgress, L"Study progress"}}) {
      if (command == kCommandProgress && dpi != 96) continue;  // at 192 DPI taller than the test's screen
      HWND dialog = OpenDialogByCommand(run_.Window, run_.ProcessId, command, caption);
      ASSERT_NE(dialog, nullptr) << Narrow(caption);
      ASSERT_TRUE(WaitUntil([&] { return LooksDark(dialog); }, kConditionLimit)) << Narrow(caption);
      ASSERT_TRUE(CaptureClient(dialog, &shot));
      ExpectDarkAndReadable(shot, {0, 0, shot.Width, shot.Height}, Narrow(caption));
      const std::string name = "dark-dialog-" + std::to_string(command) + "-" + std::to_string(dpi);
      ASSERT_NO_FATAL_FAILURE(SaveScreenshot(dialog, nullptr, name.c_str()));
      if (command == kCommandCalendar) {  // Windows' mode switched with it open: light and back
        if (dpi == 96) {
          ASSERT_NO_FATAL_FAILURE(SaveScreenshot(run_.Window, dialog, "dark-mode"));
        }
        SetWindowsDark(false);
        EXPECT_TRUE(WaitUntil([&] { return !LooksDark(dialog) && !LooksDark(run_.Window, top); }, kConditionLimit));
        SetWindowsDark(true);
        EXPECT_TRUE(WaitUntil([&] { return LooksDark(dialog) && LooksDark(run_.Window, top); }, kConditionLimit));
      }
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      ASSERT_TRUE(WaitUntilClosed(dialog));
    }

    const struct {
      WORD command;
      bool windowsDark, dark;
    } steps[] = {
        {kModeLight, true, false},    // Light while Windows is dark
        {kModeDark, false, true},     // Dark while Windows is light
        {kModeSystem, false, false},  // System: Windows' light
        {kModeSystem, true, true},    // System: Windows' dark
    };
    for (const auto& step : steps) {
      SetWindowsDark(step.windowsDark);
      SendCommand(run_.Window, step.command);
      EXPECT_TRUE(ProbeMenuState(probe_, step.command) & MF_CHECKED) << step.command;
      EXPECT_TRUE(WaitUntil([&] { return LooksDark(run_.Window, top) == step.dark; }, kConditionLimit)) << step.command;
    }
    SetWindowsMode(REG_SZ, L"0", sizeof L"0");  // an odd value: light, as before
    EXPECT_TRUE(WaitUntil([&] { return !LooksDark(run_.Window, top); }, kConditionLimit)) << "a string means light";
    ASSERT_NO_FATAL_FAILURE(Close());
    uint32_t stored = 0;
    EXPECT_TRUE(StoredDword(L"ColourMode", &stored) && stored == kColourModeSystem) << "the choice kept";
    ClearSettingsKeys();
  }
}
