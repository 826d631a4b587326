// Display scaling: the program started at 96 dots per inch and again, in the
// same prefix, at 120, 144, 168, 192 or 216 (Wine's LogPixels). What it draws
// scales with the DPI (the toolbar's pictures whole and unstretched at every
// scaling, the About picture too), the stored window keeps its size in inches
// and the day its lines, also in pixels when started in Hebrew; a change back
// to 96 DPI (WM_DPICHANGED) draws as at 96 again, and an open font dialog's
// preview follows it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "calendar_dialog/calendar_geometry.h"
#include "common/dpi.h"
#include "lessons/lesson_schedule.h"
#include "tests/wine/dialog_controls.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr uint32_t kShownDay = 739958;

// What the program draws at one DPI, in pixels: rows of the first heading and
// entry line, the date band, a toolbar button, the calendar's width and its
// cells, the About picture; the rows of the laid-out day, and the client area.
struct DrawnSizes {
  int Heading, Entry, Band, ButtonWidth, ButtonHeight, Sheet, CellWidth, CellHeight, About, Rows;
  RECT Client;
};

class DisplayScaling : public ProgramTest, public testing::WithParamInterface<int> {
 protected:
  // The top row's height: how far the text (from its first ink below top)
  // moves up when it scrolls one row down.
  int TopRowHeight(int top) {
    Picture before, after;
    CaptureClient(run_.Window, &before);
    SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
    CaptureClient(run_.Window, &after);
    auto ink = [](uint32_t pixel) { return !IsWhite(pixel); };
    while (top < after.Height && CountPixels(after, {0, top, after.Width, top + 1}, ink) == 0) ++top;
    const int rows = (after.Height - top) / 3;
    for (int shift = 1; shift < rows; ++shift) {
      int differences = 0;
      for (int y = top; y < top + rows && differences == 0; ++y) {
        for (int x = 0; x < after.Width; ++x) {
          differences += PixelOf(after, x, y) != PixelOf(before, x, y + shift);
        }
      }
      if (differences == 0) return shift;
    }
    return 0;
  }

  // The rows of the day: the largest max top row while the window shrinks in
  // steps smaller than a row, down to a text area lower than the last line
  // (below which the program keeps its layout). The window's size is kept.
  int RowCount() {
    RECT box = {};
    GetWindowRect(run_.Window, &box);
    int rows = 0;
    for (int height = box.bottom - box.top; height >= 0; height -= 10) {
      SetWindowPos(run_.Window, nullptr, 0, 0, box.right - box.left, height, SWP_NOMOVE | SWP_NOZORDER);
      rows = std::max<int>(rows, MaxTopRow());
    }
    MoveWindow(run_.Window, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
    return rows;
  }

  // What the program draws at dpi; the calendar and the About picture when asked.
  DrawnSizes Measure(bool calendar, int dpi) {
    DrawnSizes sizes = {};
    RECT client = {}, bar = {};
    GetClientRect(run_.Window, &sizes.Client);
    HWND toolbar = FindWindowExW(run_.Window, nullptr, TOOLBARCLASSNAMEW, nullptr);
    const LRESULT button = SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0);
    sizes.ButtonWidth = LOWORD(button);
    sizes.ButtonHeight = HIWORD(button);
    GetWindowRect(toolbar, &bar);
    Picture picture;
    EXPECT_TRUE(CaptureClient(run_.Window, &picture));
    while (PixelOf(picture, 1, picture.Height - 1 - sizes.Band) == 0xC0C0C0) ++sizes.Band;
    SendMessageW(run_.Window, WM_VSCROLL, SB_TOP, 0);
    sizes.Heading = TopRowHeight(bar.bottom - bar.top);
    sizes.Entry = TopRowHeight(bar.bottom - bar.top);
    sizes.Rows = RowCount();
    // Their black, blue and red marks (background and page white are the theme's).
    auto mark = [](uint32_t colour) { return colour == 0 || colour == 0x0000FF || colour == 0xFF0000 ? 1 : 0; };
    ExpectToolbarPictures(toolbar, dpi, mark, mark);
    if (!calendar) return sizes;
    HWND about = OpenDialogByCommand(run_.Window, run_.ProcessId, 40004, L"Zelvan");
    EXPECT_NE(about, nullptr);
    RECT aboutPicture = {};
    GetClientRect(GetWindow(GetWindow(about, GW_CHILD), GW_HWNDNEXT), &aboutPicture);
    sizes.About = aboutPicture.right;
    ClickDialogButton(about, IDCANCEL);
    EXPECT_TRUE(WaitUntilClosed(about));
    PostMessageW(run_.Window, WM_COMMAND, 107, 0);
    HWND sheet = WaitForDialog(run_.ProcessId, L"Hebrew Calendar", kConditionLimit);
    EXPECT_TRUE(sheet != nullptr && GetClientRect(sheet, &client));
    // The cells that the program lays out in the dialog's client area.
    CalendarState cal;
    ResetCalendarState(&cal);
    const CalendarRect area = {client.left, client.top, client.right, client.bottom};
    LayoutCalendar(&cal, &area, 0);
    sizes.Sheet = client.right;
    sizes.CellWidth = cal.CellWidth;
    sizes.CellHeight = cal.CellHeight;
    PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    WaitUntil([&] { return !IsWindow(sheet); }, kConditionLimit);
    return sizes;
  }
};

// Within two pixels of the 96-DPI length scaled to dpi.
void ExpectScaled(const char* what, int at96, int measured, int dpi) {
  EXPECT_LE(std::abs(measured * 96 - at96 * dpi), 2 * 96) << what << ": " << at96 << ", "
                                                          << measured;
}

TEST_P(DisplayScaling, WhatTheProgramDrawsFollowsTheDpi) {
  const int dpi = GetParam();
  StoreTestFont();
  PutDword(kProductKey, L"FontSize", 14);
  PutDword(kProductKey, L"Day", kShownDay);
  PutDword(kProductKey, L"Lesson", static_cast<uint32_t>(LessonDayFromAbsolute(kShownDay)));
  PutDword(kProductKey, L"Flags", kDefaultFlags | kFixedDayBit | ReverseAsAFirstStartSetsIt());
  StorePlacement(0, 0, 320, 330, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_GE(MaxTopRow(), 2) << "the window must be too small for the day";
  const DrawnSizes at96 = Measure(true, 96);
  ASSERT_NO_FATAL_FAILURE(Close());

  SetDisplayDpi(dpi);
  ASSERT_NO_FATAL_FAILURE(Start());
  const DrawnSizes scaled = Measure(true, dpi);
  // Started in Hebrew, laid out from the right, the window keeps the text
  // area's and the date band's pixels.
  Picture english, hebrew;
  RECT bar = {};
  GetWindowRect(FindWindowExW(run_.Window, nullptr, TOOLBARCLASSNAMEW, nullptr), &bar);
  ASSERT_TRUE(CaptureClient(run_.Window, &english));
  for (const uint32_t language : {0x040Du, 0x0409u}) {
    ASSERT_NO_FATAL_FAILURE(Close());
    PutDword(kProductKey, L"Language", language);
    ASSERT_NO_FATAL_FAILURE(Start());
    if (language == 0x040Du) {
      ASSERT_TRUE(CaptureClient(run_.Window, &hebrew));
    }
  }
  const RECT below = {0, bar.bottom - bar.top, english.Width, english.Height};
  EXPECT_EQ(CountDifferences(english, hebrew, below), 0) << "the text area in Hebrew";
  ExpectScaled("heading row", at96.Heading, scaled.Heading, dpi);
  ExpectScaled("entry row", at96.Entry, scaled.Entry, dpi);
  ExpectScaled("date band", at96.Band, scaled.Band, dpi);
  ExpectScaled("toolbar button width", at96.ButtonWidth, scaled.ButtonWidth, dpi);
  ExpectScaled("toolbar button height", at96.ButtonHeight, scaled.ButtonHeight, dpi);
  // The calendar grows with its template's font, whose face at 120 DPI is
  // wider than a linear scaling would make it (4/3): its cells follow the sheet.
  EXPECT_GE(scaled.Sheet * 96, at96.Sheet * dpi - 2 * 96) << "calendar " << scaled.Sheet;
  const int sheetDpi = 96 * scaled.Sheet / std::max(at96.Sheet, 1);
  ExpectScaled("calendar cell width", at96.CellWidth, scaled.CellWidth, sheetDpi);
  ExpectScaled("calendar cell height", at96.CellHeight, scaled.CellHeight, sheetDpi);
  EXPECT_EQ(scaled.Rows, at96.Rows) << "the stored window, as large in inches, holds the same lines";
  ExpectScaled("About picture", at96.About, scaled.About, dpi);

  // An open font dialog moved to a 96-DPI monitor draws its preview at 96.
  HWND fonts = OpenDialogByCommand(run_.Window, run_.ProcessId, 40006, kFontDialogCaption);
  ASSERT_NE(fonts, nullptr);
  ASSERT_TRUE(ChooseListEntry(fonts, 1006, L"14"));
  Picture preview;  // its ink covers an area that grows faster than the DPI
  ASSERT_TRUE(CaptureClient(GetDlgItem(fonts, 1002), &preview));
  const double inkAtDpi = CountPixels(preview, {0, 0, preview.Width, preview.Height}, IsDark);
  SendMessageW(fonts, WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
  ASSERT_TRUE(CaptureClient(GetDlgItem(fonts, 1002), &preview));
  const double ratio = inkAtDpi / CountPixels(preview, {0, 0, preview.Width, preview.Height}, IsDark);
  EXPECT_GT(ratio, dpi / 96.0) << "the preview did not follow";
  ClickDialogButton(fonts, IDCANCEL);
  ASSERT_TRUE(WaitUntilClosed(fonts));

  // Moved to a 96-DPI monitor: the window takes the client area it had at 96
  // (as the system would suggest; here it is sized first and the message
  // carries no rectangle); then everything is drawn as at 96.
  RECT box = {};
  GetWindowRect(run_.Window, &box);
  SetWindowPos(run_.Window, nullptr, 0, 0,
               box.right - box.left - scaled.Client.right + at96.Client.right,
               box.bottom - box.top - scaled.Client.bottom + at96.Client.bottom,
               SWP_NOMOVE | SWP_NOZORDER);
  SendMessageW(run_.Window, WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
  const DrawnSizes back = Measure(false, 96);
  EXPECT_EQ(std::vector<int>({back.Heading, back.Entry, back.Band, back.ButtonHeight, back.Rows}),
            std::vector<int>({at96.Heading, at96.Entry, at96.Band, at96.ButtonHeight, at96.Rows}));
  ASSERT_NO_FATAL_FAILURE(Close());
}

INSTANTIATE_TEST_SUITE_P(Dpi, DisplayScaling, testing::Values(120, 144, 168, 192, 216),
                         [](const testing::TestParamInfo<int>& info) {
                           return "At" + std::to_string(info.param);
                         });

}  // namespace
