// Dark mode: with Windows' app mode dark (AppsUseLightTheme 0) the main
// window, the calendar, the font dialog and About come up dark at 96 and 192
// DPI, every text and mark on them readable (a contrast of at least 4.5:1,
// measured on the screen); Windows' mode switched while the program runs turns
// the window and an open calendar light and back; the program's Color mode
// wins over Windows', and an odd value of Windows' means light. With
// ZELVAN_SCREENSHOT_DIR set, the scenario writes the pictures of docs/.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/wine/dialog_controls.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"
#include "view/palette.h"

namespace {

constexpr wchar_t kAppModeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr wchar_t kAppModeValue[] = L"AppsUseLightTheme";
constexpr WORD kCommandCalendar = 107;
constexpr WORD kCommandAbout = 40004;
constexpr WORD kModeSystem = 40211, kModeLight = 40212, kModeDark = 40213;
constexpr double kDarkBackground = 2.0;  // a dark background: at most this contrast to black

// 0x00RRGGBB as 0x00BBGGRR.
uint32_t AsColourRef(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

// True when colour lies, channel by channel, between background and ink: an
// anti-aliased edge of ink.
bool IsBlend(uint32_t colour, uint32_t background, uint32_t ink) {
  constexpr int kSlack = 6;
  for (int shift = 0; shift < 24; shift += 8) {
    const int c = (colour >> shift) & 0xFF, b = (background >> shift) & 0xFF, i = (ink >> shift) & 0xFF;
    if (c < std::min(b, i) - kSlack || c > std::max(b, i) + kSlack) return false;
  }
  return true;
}

// Expects area of picture to be dark, its background the most frequent
// colour, and every ink on it readable (WCAG's 4.5:1): the colours other than
// the palette's backgrounds, each at least an eighth as frequent as the most
// frequent of them, except the anti-aliased edges between the background and
// a more contrasting ink. At least one ink is there.
void ExpectDarkAndReadable(const Picture& picture, const RECT& area, const char* what) {
  std::map<uint32_t, int> counts;  // 0x00BBGGRR
  for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, picture.Height); ++y) {
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, picture.Width); ++x) {
      ++counts[AsColourRef(picture.Pixels[y * picture.Width + x] & 0xFFFFFF)];
    }
  }
  uint32_t background = 0;
  int most = 0, mostInk = 0;
  for (const auto& [colour, count] : counts) {
    if (count > most) most = count, background = colour;
  }
  auto isBackground = [&](uint32_t colour) {
    return colour == background || colour == PaletteShades(ColourRole::Paper).Dark ||
           colour == PaletteShades(ColourRole::Face).Dark || colour == PaletteShades(ColourRole::Band).Dark;
  };
  for (const auto& [colour, count] : counts) {
    if (!isBackground(colour)) mostInk = std::max(mostInk, count);
  }
  std::vector<uint32_t> inks;
  for (const auto& [colour, count] : counts) {
    if (!isBackground(colour) && count * 8 >= mostInk) inks.push_back(colour);
  }
  EXPECT_LE(ContrastRatio(background, 0), kDarkBackground) << what << ": background " << std::hex << background;
  EXPECT_FALSE(inks.empty()) << what << ": nothing on the background";
  for (const uint32_t ink : inks) {
    const double contrast = ContrastRatio(ink, background);
    const bool edge = std::any_of(inks.begin(), inks.end(), [&](uint32_t other) {
      return ContrastRatio(other, background) > contrast && IsBlend(ink, background, other);
    });
    if (edge) continue;
    EXPECT_GE(contrast, kReadableContrast) << what << ": " << std::hex << ink << " on " << background << " (0x00BBGGRR)";
  }
}

// True when the client area of window below top is dark at its middle left.
bool LooksDark(HWND window, int top = 0) {
  Picture picture;
  if (!CaptureClient(window, &picture)) return false;
  return ContrastRatio(AsColourRef(PixelOf(picture, 2, (top + picture.Height) / 2)), 0) <= kDarkBackground;
}

// Windows' app mode changed as its settings do: the value stored (dark, light,
// or a string), then announced to every top-level window.
void SetWindowsMode(DWORD type, const void* data, DWORD bytes) {
  PutRawValue(kAppModeKey, kAppModeValue, type, data, bytes);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                      SMTO_ABORTIFHUNG, kConditionLimit, &result);
}
void SetWindowsDark(bool dark) {
  const DWORD value = dark ? 0 : 1;
  SetWindowsMode(REG_DWORD, &value, sizeof value);
}

// With ZELVAN_SCREENSHOT_DIR set, the screen's area as name.bmp there.
void SaveScreenshot(const RECT& area, const char* name) {
  const char* folder = getenv("ZELVAN_SCREENSHOT_DIR");
  if (folder == nullptr) return;
  Picture picture;
  ASSERT_TRUE(CaptureScreen(area, &picture));
  ASSERT_TRUE(SaveBitmap(picture, WindowsPath((std::string(folder) + "/" + name + ".bmp").c_str())));
}

class DarkMode : public ProgramTest {
 protected:
  // The toolbar's height: the text area starts below it.
  int ToolbarHeight() {
    RECT bar = {};
    GetWindowRect(FindWindowExW(run_.Window, nullptr, TOOLBARCLASSNAMEW, nullptr), &bar);
    return bar.bottom - bar.top;
  }

  // Opens the dialog of command, expects it dark and readable in its client
  // area (area within it, or all of it when empty), and closes it.
  void CheckDialog(WORD command, const wchar_t* caption, RECT area) {
    HWND dialog = OpenDialogByCommand(run_.Window, run_.ProcessId, command, caption);
    ASSERT_NE(dialog, nullptr) << Narrow(caption);
    Picture picture;
    ASSERT_TRUE(WaitUntil([&] { return LooksDark(dialog); }, kConditionLimit)) << Narrow(caption);
    ASSERT_TRUE(CaptureClient(dialog, &picture));
    if (IsRectEmpty(&area)) area = {0, 0, picture.Width, picture.Height};
    ExpectDarkAndReadable(picture, area, Narrow(caption).c_str());
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilClosed(dialog));
  }
};

}  // namespace

TEST_F(DarkMode, FollowsWindowsAndTheChoiceReadablyAtEachScaling) {
  for (const int dpi : {96, 192}) {
    SCOPED_TRACE(dpi);
    SetDisplayDpi(dpi);
    StoreTestFont();
    StorePlacement(0, 0, 420, 340, SW_SHOWNORMAL);  // at 96 DPI, scaled by the program
    SetWindowsDark(true);
    ASSERT_NO_FATAL_FAILURE(Start());

    // The main window: the text area with its headings, the date band, the toolbar.
    const int top = ToolbarHeight();
    Picture window;
    ASSERT_TRUE(WaitUntil([&] { return LooksDark(run_.Window, top); }, kConditionLimit)) << "the window is not dark";
    ASSERT_TRUE(CaptureClient(run_.Window, &window));
    const int band = window.Height - (window.Height - top) / 6;  // below: the date band, within it
    ExpectDarkAndReadable(window, {0, top, window.Width - GetSystemMetrics(SM_CXVSCROLL) - 2, band}, "text area");
    ExpectDarkAndReadable(window, {0, window.Height - 8 * dpi / 96 - 12, window.Width, window.Height}, "date band");
    ExpectDarkAndReadable(window, {0, 0, window.Width, top}, "toolbar");
    EXPECT_GT(CountPixels(window, {0, top, window.Width, band},
                          [](uint32_t p) { return AsColourRef(p & 0xFFFFFF) == PaletteShades(ColourRole::Heading).Dark; }),
              20) << "headings in their own colour";

    if (dpi == 192) {
      RECT frame = {};
      GetWindowRect(run_.Window, &frame);
      ASSERT_NO_FATAL_FAILURE(SaveScreenshot(frame, "dark-mode-192dpi"));
    }

    // The dialogs: the calendar's sheet, the font dialog's lists and labels, About.
    ASSERT_NO_FATAL_FAILURE(CheckDialog(kCommandCalendar, L"Hebrew Calendar", {}));
    ASSERT_NO_FATAL_FAILURE(CheckDialog(kCommandFont, kFontDialogCaption, {}));
    ASSERT_NO_FATAL_FAILURE(CheckDialog(kCommandAbout, L"Zelvan", {}));

    // Windows' mode switched with the calendar open: both turn light and back.
    PostMessageW(run_.Window, WM_COMMAND, kCommandCalendar, 0);
    HWND calendar = WaitForDialog(run_.ProcessId, L"Hebrew Calendar", kConditionLimit);
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return LooksDark(calendar); }, kConditionLimit));
    if (dpi == 96) {  // the window with the calendar over it
      RECT both = {}, over = {};
      GetWindowRect(run_.Window, &both);
      GetWindowRect(calendar, &over);
      UnionRect(&both, &both, &over);
      ASSERT_NO_FATAL_FAILURE(SaveScreenshot(both, "dark-mode"));
    }
    SetWindowsDark(false);
    EXPECT_TRUE(WaitUntil([&] { return !LooksDark(calendar) && !LooksDark(run_.Window, top); }, kConditionLimit))
        << "light again while running";
    SetWindowsDark(true);
    EXPECT_TRUE(WaitUntil([&] { return LooksDark(calendar) && LooksDark(run_.Window, top); }, kConditionLimit))
        << "dark again while running";
    PostMessageW(calendar, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilClosed(calendar));

    // The program's choice wins over Windows' mode; System follows it again.
    struct Step {
      WORD command;
      bool windowsDark;
      bool dark;
    };
    const Step steps[] = {
        {kModeLight, true, false},   // Light while Windows is dark
        {kModeDark, false, true},    // Dark while Windows is light
        {kModeSystem, false, false}, // System: Windows' light
    };
    for (const Step& step : steps) {
      SetWindowsDark(step.windowsDark);
      SendCommand(run_.Window, step.command);
      EXPECT_TRUE(ProbeMenuState(probe_, step.command) & MF_CHECKED) << step.command;
      EXPECT_TRUE(WaitUntil([&] { return LooksDark(run_.Window, top) == step.dark; }, kConditionLimit)) << step.command;
    }
    // An odd value of Windows' (a string "0") means light.
    SetWindowsDark(true);
    ASSERT_TRUE(WaitUntil([&] { return LooksDark(run_.Window, top); }, kConditionLimit));
    SetWindowsMode(REG_SZ, L"0", sizeof L"0");
    EXPECT_TRUE(WaitUntil([&] { return ShowsADay(); }, kConditionLimit)) << "a string means light, as before";
    ASSERT_NO_FATAL_FAILURE(Close());
    uint32_t stored = 0;
    EXPECT_TRUE(StoredDword(L"ColourMode", &stored) && stored == kColourModeSystem) << "the choice kept";
    ClearSettingsKeys();
  }
}
