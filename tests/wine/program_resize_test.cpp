// Resizing the window: minimized and restored, made tiny and back, made large
// after scrolling. The window must come back whole, with the text, the date
// band, the toolbar and the scroll bar in step.
#include <windows.h>

#include <gtest/gtest.h>

#include "lessons/lesson_schedule.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr uint32_t kShownDay = 739958;

using Resizing = ProgramTest;

// Sets the window's size and waits until the program has painted it.
void SizeWindow(HWND window, int width, int height) {
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FinishPainting(window);
}

// Stores a fixed day and a 400 x 420 window at the top left.
void StoreFixedDay() {
  StoreTestFont();
  PutDword(kProductKey, L"Day", kShownDay);
  PutDword(kProductKey, L"Lesson", static_cast<uint32_t>(LessonDayFromAbsolute(kShownDay)));
  PutDword(kProductKey, L"Flags", kDefaultFlags | kFixedDayBit | ReverseAsAFirstStartSetsIt());
  StorePlacement(0, 0, 400, 420, SW_SHOWNORMAL);
}

}  // namespace

TEST_F(Resizing, MinimizedAndRestoredTheWindowComesBackWhole) {
  StoreFixedDay();
  ASSERT_NO_FATAL_FAILURE(Start());
  Picture before, after;
  RECT boxBefore = {}, boxAfter = {};
  GetWindowRect(run_.Window, &boxBefore);
  ASSERT_TRUE(CaptureClient(run_.Window, &before));
  PostMessageW(run_.Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(run_.Window) != 0; }, kConditionLimit));
  PostMessageW(run_.Window, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitUntil(
      [&] {
        GetWindowRect(run_.Window, &boxAfter);
        return !IsIconic(run_.Window) && EqualRect(&boxBefore, &boxAfter);
      },
      kConditionLimit))
      << boxAfter.left << "," << boxAfter.top << " " << boxAfter.right << "," << boxAfter.bottom;
  ASSERT_TRUE(CaptureClient(run_.Window, &after));
  RECT all = {0, 0, before.Width, before.Height};
  EXPECT_EQ(CountDifferences(before, after, all), 0);
  EXPECT_TRUE(ShowsADay());
  ASSERT_NO_FATAL_FAILURE(Close());
}

TEST_F(Resizing, ATinyWindowAndBackShowsTheSameAsBefore) {
  StoreFixedDay();
  ASSERT_NO_FATAL_FAILURE(Start());
  Picture before, after;
  ASSERT_TRUE(CaptureClient(run_.Window, &before));
  RECT toolbar = {};
  GetWindowRect(FindWindowExW(run_.Window, nullptr, L"ToolbarWindow32", nullptr), &toolbar);
  const int sizes[][2] = {{120, 90}, {60, 40}, {1, 1}, {400, 60}, {30, 420}};
  for (const auto& size : sizes) {
    SizeWindow(run_.Window, size[0], size[1]);
    ASSERT_NE(TopRow(), -1) << "the program stopped answering at " << size[0] << " x " << size[1];
  }
  // A window (not minimised) a few pixels too short for a line of text still
  // has its date band along the bottom: the client holds the toolbar, twice
  // the gutter of 10 and 10 pixels, less than the band and a line.
  SizeWindow(run_.Window, 400, 420 - before.Height + toolbar.bottom - toolbar.top + 2 * 10 + 10);
  EXPECT_TRUE(ShowsTheDateBand());
  SizeWindow(run_.Window, 400, 420);
  ASSERT_TRUE(CaptureClient(run_.Window, &after));
  RECT all = {0, 0, before.Width, before.Height};
  EXPECT_EQ(CountDifferences(before, after, all), 0);
  EXPECT_TRUE(ShowsADay());
  ASSERT_NO_FATAL_FAILURE(Close());
}

// Scrolled to the end of a small window, then made large enough for the whole
// day: End may leave a last page partly filled, and a resize keeps that top
// row while it lies within the rows (here the scroll bar goes).
TEST_F(Resizing, ALargerWindowKeepsTheTopRowWithinTheRows) {
  StoreFixedDay();
  StorePlacement(0, 0, 200, 240, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  SendMessageW(run_.Window, WM_KEYDOWN, VK_END, 1);
  const int32_t end = TopRow();
  ASSERT_GT(end, 0);
  SizeWindow(run_.Window, 700, 600);
  EXPECT_EQ(MaxTopRow(), 0);
  EXPECT_EQ(TopRow(), 0) << "the whole text fits, and there is no scroll bar to reach its start";
  ASSERT_NO_FATAL_FAILURE(Close());
  uint32_t position = 99;
  ASSERT_TRUE(StoredDword(L"LastPosition", &position));
  EXPECT_EQ(position, 0u) << "the saved row must be the one shown";
}
