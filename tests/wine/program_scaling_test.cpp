// Display scaling: the program started at 96 dots per inch and again, in the
// same prefix, at 120, 144 or 192 (Wine's LogPixels). What it draws scales
// with the DPI, the stored window keeps its size in inches and the day its
// lines; a move back to a 96-DPI monitor (WM_DPICHANGED) draws as at 96 again.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "lessons/lesson_schedule.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr uint32_t kShownDay = 739958;
constexpr WORD kCommandCalendar = 107;

// What the program draws at one DPI, in pixels.
struct DrawnSizes {
  int Heading, Entry;  // rows of the first heading and of the first entry line
  int Band;            // date band
  int ButtonWidth, ButtonHeight;
  int CellWidth, CellHeight;  // calendar cells
  int Sheet;                  // calendar's client width
  int Rows;                   // rows of the laid-out day
  SIZE Client;
};

// The row of ink, at or below top, of the first row that is not all white.
int FirstInkRow(const Picture& picture, int top) {
  for (int y = top; y < picture.Height; ++y) {
    for (int x = 0; x < picture.Width; ++x) {
      if (!IsWhite(PixelOf(picture, x, y))) return y;
    }
  }
  return picture.Height;
}

// Distances between the grid lines of the calendar (rows or columns of a
// picture that are black for most of the grid's extent): the commonest one.
int GridStep(const Picture& sheet, bool columns) {
  const int lines = columns ? sheet.Width : sheet.Height;
  const int across = columns ? sheet.Height : sheet.Width;
  int previous = -1, steps[1024] = {}, best = 0;
  // The grid fills the lower two thirds of the sheet.
  for (int k = columns ? 0 : lines / 3; k < lines; ++k) {
    int black = 0;
    for (int j = columns ? across / 3 : 0; j < across; ++j) {
      black += IsDark(columns ? PixelOf(sheet, k, j) : PixelOf(sheet, j, k));
    }
    if (black < across / 2) continue;
    if (previous >= 0 && k - previous > 1 && k - previous < 1024) ++steps[k - previous];
    previous = k;
  }
  for (int step = 1; step < 1024; ++step) best = steps[step] > steps[best] ? step : best;
  return best;
}

class DisplayScaling : public ProgramTest, public testing::WithParamInterface<int> {
 protected:
  // How far the text moves up when it scrolls one row down: the top row's height.
  int TopRowHeight(int toolbarBottom) {
    Picture before, after;
    if (!CaptureClient(run_.Window, &before)) return 0;
    SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
    if (!CaptureClient(run_.Window, &after)) return 0;
    const int top = FirstInkRow(after, toolbarBottom);
    const int rows = (after.Height - top) / 3;
    for (int shift = 1; shift < rows; ++shift) {
      bool same = true;
      for (int y = top; same && y < top + rows; ++y) {
        for (int x = 0; same && x < after.Width; ++x) {
          same = PixelOf(after, x, y) == PixelOf(before, x, y + shift);
        }
      }
      if (same) return shift;
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
    for (int height = box.bottom - box.top; height > 0; height -= 10) {
      SetWindowPos(run_.Window, nullptr, 0, 0, box.right - box.left, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      rows = std::max<int>(rows, MaxTopRow());
    }
    SetWindowPos(run_.Window, nullptr, 0, 0, box.right - box.left, box.bottom - box.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return rows;
  }

  DrawnSizes Measure(bool calendar) {
    DrawnSizes sizes = {};
    RECT client = {}, bar = {};
    GetClientRect(run_.Window, &client);
    sizes.Client = SIZE{client.right, client.bottom};
    HWND toolbar = FindWindowExW(run_.Window, nullptr, TOOLBARCLASSNAMEW, nullptr);
    const DWORD button = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
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
    if (!calendar) return sizes;
    PostMessageW(run_.Window, WM_COMMAND, kCommandCalendar, 0);
    HWND sheet = WaitForDialog(run_.ProcessId, L"Hebrew Calendar", kConditionLimit);
    EXPECT_NE(sheet, nullptr);
    if (sheet == nullptr || !CaptureClient(sheet, &picture)) return sizes;
    sizes.Sheet = picture.Width;
    sizes.CellWidth = GridStep(picture, true);
    sizes.CellHeight = GridStep(picture, false);
    PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    WaitUntil([&] { return !IsWindow(sheet); }, kConditionLimit);
    return sizes;
  }
};

// Within two pixels of the 96-DPI length scaled to dpi.
void ExpectScaled(const char* what, int at96, int measured, int dpi) {
  EXPECT_LE(std::abs(measured * 96 - at96 * dpi), 2 * 96)
      << what << ": " << at96 << " at 96 DPI, " << measured << " at " << dpi;
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
  const DrawnSizes at96 = Measure(true);
  ASSERT_NO_FATAL_FAILURE(Close());

  SetDisplayDpi(dpi);
  ASSERT_NO_FATAL_FAILURE(Start());
  const DrawnSizes scaled = Measure(true);
  ExpectScaled("client width (the stored window)", at96.Client.cx, scaled.Client.cx, dpi);
  ExpectScaled("client height", at96.Client.cy, scaled.Client.cy, dpi);
  ExpectScaled("heading row", at96.Heading, scaled.Heading, dpi);
  ExpectScaled("entry row", at96.Entry, scaled.Entry, dpi);
  ExpectScaled("date band", at96.Band, scaled.Band, dpi);
  ExpectScaled("toolbar button width", at96.ButtonWidth, scaled.ButtonWidth, dpi);
  ExpectScaled("toolbar button height", at96.ButtonHeight, scaled.ButtonHeight, dpi);
  // The calendar grows with its template's font, whose face at 120 DPI is
  // wider than a linear scaling would make it (4/3): its cells follow the sheet.
  EXPECT_GE(scaled.Sheet * 96, at96.Sheet * dpi - 2 * 96) << "calendar " << scaled.Sheet;
  const int sheetDpi = 96 * scaled.Sheet / at96.Sheet;
  ExpectScaled("calendar cell width", at96.CellWidth, scaled.CellWidth, sheetDpi);
  ExpectScaled("calendar cell height", at96.CellHeight, scaled.CellHeight, sheetDpi);
  EXPECT_EQ(scaled.Rows, at96.Rows) << "the same window in inches holds the same lines";

  // Moved to a 96-DPI monitor: the suggested rectangle, the sizes of 96 and
  // the same top row.
  SendMessageW(run_.Window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), 0);
  RECT suggested = {}, box = {};
  ASSERT_TRUE(ProbeDpiChange(probe_, 96, &suggested));
  EXPECT_EQ(TopRow(), 2);
  GetWindowRect(run_.Window, &box);
  EXPECT_TRUE(EqualRect(&box, &suggested));
  const DrawnSizes back = Measure(false);
  EXPECT_EQ(back.Heading, at96.Heading);
  EXPECT_EQ(back.Entry, at96.Entry);
  EXPECT_EQ(back.Band, at96.Band);
  EXPECT_EQ(back.ButtonHeight, at96.ButtonHeight);
  EXPECT_EQ(back.Rows, at96.Rows);
  EXPECT_TRUE(ShowsADay());
  ASSERT_NO_FATAL_FAILURE(Close());
}

INSTANTIATE_TEST_SUITE_P(Dpi, DisplayScaling, testing::Values(120, 144, 192),
                         [](const testing::TestParamInfo<int>& info) {
                           return "At" + std::to_string(info.param);
                         });

}  // namespace
