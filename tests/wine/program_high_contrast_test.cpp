// High contrast: with the system's high-contrast mode on and a dark scheme,
// the text area, the date band and the calendar are painted in the system's
// colours and none of the program's fixed colours is left; the headings take
// the window text colour, the date band an edge and the toolbar's pictures the
// button text colour, the About link the link colour. With the mode off again
// the fixed colours come back. Under Wine the probe stands in for the
// mode itself (probe_protocol.h); the colours are the system's own. With
// ZELVAN_SCREENSHOT_DIR set, the scenario writes the picture of docs/.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/wine/driver/probe_protocol.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/dialog_controls.h"
#include "tests/wine/driver/window_capture.h"

namespace {

// White, black, the headings' blue and the date band's light grey.
bool IsFixedColour(uint32_t pixel) {
  const uint32_t rgb = pixel & 0xFFFFFF;
  return rgb == 0xFFFFFF || rgb == 0x000000 || rgb == 0x0000FF || rgb == 0xC0C0C0;
}

// The dark scheme's colour of element as 0x00RRGGBB.
uint32_t SchemeColour(int element) {
  int i = 0;
  while (kDarkSchemeElements[i] != element) ++i;
  const COLORREF c = kDarkSchemeColours[i];
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Pixels in area of picture that have the dark scheme's colour of element.
int SchemePixels(const Picture& picture, const RECT& area, int element) {
  const uint32_t rgb = SchemeColour(element);
  return CountPixels(picture, area, [rgb](uint32_t p) { return (p & 0xFFFFFF) == rgb; });
}

using HighContrast = ProgramTest;

}  // namespace

TEST_F(HighContrast, DarkSchemeLeavesNoFixedColour) {
  StoreTestFont();
  StorePlacement(0, 0, 420, 460, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ShowsADay()) << "the fixed colours are not there to begin with";
  ASSERT_TRUE(ProbeHighContrast(probe_, true));

  // Below the toolbar: the text area, its headings in the window text colour
  // (none in the link colour), and the date band in the button face colour
  // within an edge of the button text colour (its left side in column 0).
  RECT below = {}, toolbar = {};
  GetClientRect(run_.Window, &below);
  HWND bar = FindWindowExW(run_.Window, nullptr, TOOLBARCLASSNAMEW, nullptr);
  GetWindowRect(bar, &toolbar);
  below.top = toolbar.bottom - toolbar.top;
  Picture view;
  EXPECT_TRUE(WaitUntil([&] {
    return CaptureClient(run_.Window, &view) && CountPixels(view, below, IsFixedColour) == 0 &&
           SchemePixels(view, below, COLOR_HOTLIGHT) == 0 && SchemePixels(view, below, COLOR_BTNFACE) > 100 &&
           SchemePixels(view, {0, below.top, 1, below.bottom}, COLOR_BTNTEXT) > 10;
  }, kConditionLimit)) << CountPixels(view, below, IsFixedColour) << " pixels of fixed colours";

  // The toolbar's pictures: every mark in the button text colour, pages as
  // the toolbar's background (no white block).
  Picture strip;
  ASSERT_TRUE(CaptureWindow(bar, &strip));
  const uint32_t marks = SchemeColour(COLOR_BTNTEXT), background = PixelOf(strip, strip.Width - 2, strip.Height / 2);
  ExpectToolbarPictures(bar, 96, [=](uint32_t shown) { return shown == marks ? 1 : shown == background ? 0 : 2; },
                        [](uint32_t drawn) { return drawn != 0xC0C0C0 && drawn != 0xFFFFFF ? 1 : 0; });

  // The About link in the link colour.
  HWND about = OpenDialogByCommand(run_.Window, run_.ProcessId, 40004, L"Zelvan");
  ASSERT_NE(about, nullptr);
  Picture link;
  ASSERT_TRUE(CaptureClient(GetDlgItem(about, 1025), &link));
  EXPECT_GT(SchemePixels(link, {0, 0, link.Width, link.Height}, COLOR_HOTLIGHT), 10);
  ClickDialogButton(about, IDCANCEL);
  ASSERT_TRUE(WaitUntilClosed(about));

  // The calendar: its marked day and month in the highlight colour.
  PostMessageW(run_.Window, WM_COMMAND, 107, 0);
  HWND dialog = WaitForDialog(run_.ProcessId, L"Hebrew Calendar", kConditionLimit);
  ASSERT_NE(dialog, nullptr);
  Picture sheet;
  EXPECT_TRUE(WaitUntil([&] {
    if (!CaptureClient(dialog, &sheet)) return false;
    const RECT all = {0, 0, sheet.Width, sheet.Height};
    return SchemePixels(sheet, all, COLOR_HIGHLIGHT) > 100 && CountPixels(sheet, all, IsFixedColour) == 0;
  }, kConditionLimit)) << "the calendar is not in the scheme's colours alone";

  if (const char* folder = getenv("ZELVAN_SCREENSHOT_DIR")) {  // the window with the calendar over it
    RECT both = {}, over = {};
    GetWindowRect(run_.Window, &both);
    GetWindowRect(dialog, &over);
    UnionRect(&both, &both, &over);
    Picture picture;
    ASSERT_TRUE(CaptureScreen(both, &picture));
    ASSERT_TRUE(SaveBitmap(picture, WindowsPath((std::string(folder) + "/high-contrast.bmp").c_str())));
  }
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kConditionLimit));
  ASSERT_TRUE(ProbeHighContrast(probe_, false));
  EXPECT_TRUE(WaitUntil([&] { return ShowsADay(); }, kConditionLimit)) << "the fixed colours are not back";
  ASSERT_NO_FATAL_FAILURE(Close());
}
