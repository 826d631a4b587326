// High contrast: with the system's high-contrast mode on and a dark scheme,
// the text area, the date band and the calendar are painted in the system's
// colours, and none of the program's fixed colours is left; with the mode off
// again the fixed colours come back. Under Wine the probe stands in for the
// mode itself (probe_protocol.h); the colours are the system's own.
// With ZELVAN_SCREENSHOT_DIR set, the scenario also writes the picture of docs/.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/wine/driver/probe_protocol.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"

namespace {

constexpr WORD kCommandCalendar = 107;

// The program's fixed colours, 0x00RRGGBB as pictures hold them.
bool IsFixedColour(uint32_t pixel) {
  switch (pixel & 0xFFFFFF) {
    case 0xFFFFFF:  // white: paper, the calendar's cells
    case 0x000000:  // black: text, rules, outlines, the marked day
    case 0x0000FF:  // blue: headings
    case 0xC0C0C0:  // light grey: the date band
      return true;
    default:
      return false;
  }
}

// Pixels of a picture that have the scheme's colour of element.
int CountSchemeColour(const Picture& picture, int element) {
  COLORREF colour = 0;
  for (int i = 0; i < kDarkSchemeSize; ++i) {
    if (kDarkSchemeElements[i] == element) colour = kDarkSchemeColours[i];
  }
  const uint32_t pixel = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  const RECT all = {0, 0, picture.Width, picture.Height};
  return CountPixels(picture, all, [pixel](uint32_t p) { return (p & 0xFFFFFF) == pixel; });
}

using HighContrast = ProgramTest;

}  // namespace

TEST_F(HighContrast, DarkSchemeLeavesNoFixedColour) {
  StoreTestFont();
  StorePlacement(0, 0, 420, 460, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ShowsADay()) << "the fixed colours are not there to begin with";

  // Below the toolbar: the text area and the date band.
  RECT client = {}, toolbar = {};
  GetClientRect(run_.Window, &client);
  GetWindowRect(FindWindowExW(run_.Window, nullptr, TOOLBARCLASSNAMEW, nullptr), &toolbar);
  const RECT below = {0, toolbar.bottom - toolbar.top, client.right, client.bottom};
  Picture view;
  ASSERT_TRUE(ProbeHighContrast(probe_, true));
  EXPECT_TRUE(WaitUntil([&] {
    return CaptureClient(run_.Window, &view) && CountPixels(view, below, IsFixedColour) == 0;
  }, kConditionLimit)) << CountPixels(view, below, IsFixedColour) << " pixels of fixed colours";
  EXPECT_GT(CountSchemeColour(view, COLOR_HOTLIGHT), 20) << "no heading in the hot-light colour";
  EXPECT_GT(CountSchemeColour(view, COLOR_BTNFACE), 100) << "no date band in the button face colour";

  // The calendar: its marked day and month in the highlight colour.
  PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandCalendar, 0), 0);
  HWND dialog = WaitForDialog(run_.ProcessId, L"Hebrew Calendar", kConditionLimit);
  ASSERT_NE(dialog, nullptr);
  Picture sheet;
  EXPECT_TRUE(WaitUntil([&] {
    return CaptureClient(dialog, &sheet) && CountSchemeColour(sheet, COLOR_HIGHLIGHT) > 100;
  }, kConditionLimit)) << "no marked day or month in the highlight colour";
  const RECT all = {0, 0, sheet.Width, sheet.Height};
  EXPECT_EQ(CountPixels(sheet, all, IsFixedColour), 0);

  // The picture of docs/: the main window with the calendar over it.
  if (const char* folder = getenv("ZELVAN_SCREENSHOT_DIR")) {
    RECT window = {}, over = {};
    GetWindowRect(run_.Window, &window);
    GetWindowRect(dialog, &over);
    UnionRect(&window, &window, &over);
    Picture picture;
    ASSERT_TRUE(CaptureScreen(window, &picture));
    ASSERT_TRUE(SaveBitmap(picture, WindowsPath((std::string(folder) + "/high-contrast.bmp").c_str())));
  }
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kConditionLimit));

  // Off again: the fixed colours.
  ASSERT_TRUE(ProbeHighContrast(probe_, false));
  EXPECT_TRUE(WaitUntil([&] { return ShowsADay(); }, kConditionLimit));
  ASSERT_NO_FATAL_FAILURE(Close());
}
