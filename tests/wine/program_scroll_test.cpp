// Scrolling a day in a small window: keys, scroll-bar requests, the wheel and
// clicks move the top row, as the program's own scroll bar shows it (read
// through the probe); LastPosition keeps it over a restart.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "lessons/lesson_schedule.h"

#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr int32_t kGutter = 10;  // the default SurroundingGutter
constexpr uint32_t kScrolledDay = 739958;

using Scrolling = ProgramTest;

LRESULT Key(HWND window, WORD key) { return SendMessageW(window, WM_KEYDOWN, key, 1); }

LRESULT Bar(HWND window, WORD request, int16_t thumb = 0) {
  return SendMessageW(window, WM_VSCROLL, MAKEWPARAM(request, static_cast<WORD>(thumb)), 0);
}

LRESULT Wheel(HWND window, int16_t distance) {
  return SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(distance)), 0);
}

LRESULT Click(HWND window, int x, int y) {
  return SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

// Stores the test font and a fixed day, so that the rows are the same on every date.
void StoreScrolledDay() {
  StoreTestFont();
  PutDword(kProductKey, L"Day", kScrolledDay);
  PutDword(kProductKey, L"Lesson", static_cast<uint32_t>(LessonDayFromAbsolute(kScrolledDay)));
  PutDword(kProductKey, L"Flags", kDefaultFlags | kFixedDayBit | ReverseAsAFirstStartSetsIt());
}

int32_t Height(HWND window) {
  RECT box = {};
  GetWindowRect(window, &box);
  return box.bottom - box.top;
}

}  // namespace

TEST_F(Scrolling, KeysBarWheelAndClicksMoveTheTopRow) {
  StoreScrolledDay();
  StorePlacement(0, 0, 200, 240, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  const HWND w = run_.Window;
  const int32_t max = MaxTopRow();
  ASSERT_EQ(TopRow(), 0);
  ASSERT_GE(max, 6) << "the day must need scrolling in this window";
  EXPECT_NE(GetWindowLongW(w, GWL_STYLE) & WS_VSCROLL, 0);

  // Page Down from the top moves the rows painted less one: the page size P.
  Key(w, VK_NEXT);
  const int32_t page = TopRow();
  ASSERT_GE(page, 1);
  ASSERT_LT(page, max) << "the page must be smaller than the text";
  Key(w, VK_HOME);
  ASSERT_EQ(TopRow(), 0);

  // Client geometry for clicks: the text area lies below the toolbar, within
  // the gutter, above the date band.
  RECT client = {};
  GetClientRect(w, &client);
  const int32_t toolbar = Height(FindWindowExW(w, nullptr, L"ToolbarWindow32", nullptr));
  const int32_t upper = toolbar + kGutter + 5;
  const int32_t lower = client.bottom - 40;
  const int32_t middle = client.right / 2;

  struct Row {
    const char* what;
    std::function<void()> act;
    int32_t top;  // the top row afterwards
  };
  const Row rows[] = {
      {"Home at the top stays there", [&] { Key(w, VK_HOME); }, 0},
      {"Down one row", [&] { Key(w, VK_DOWN); }, 1},
      {"Up one row", [&] { Key(w, VK_UP); }, 0},
      {"Up at the top stays there", [&] { Key(w, VK_UP); }, 0},
      {"End goes to the last page", [&] { Key(w, VK_END); }, max},
      {"End at the last page stays there", [&] { Key(w, VK_END); }, max},
      {"Down at the last page stays there", [&] { Key(w, VK_DOWN); }, max},
      {"Home returns to the top", [&] { Key(w, VK_HOME); }, 0},
      {"Page Down", [&] { Key(w, VK_NEXT); }, page},
      {"Page Up back to the top", [&] { Key(w, VK_PRIOR); }, 0},
      {"SB_LINEDOWN", [&] { Bar(w, SB_LINEDOWN); }, 1},
      {"SB_LINEUP", [&] { Bar(w, SB_LINEUP); }, 0},
      {"SB_PAGEDOWN moves the rows painted less one", [&] { Bar(w, SB_PAGEDOWN); }, page},
      {"SB_TOP", [&] { Bar(w, SB_TOP); }, 0},
      {"SB_BOTTOM moves one row, not to the end", [&] { Bar(w, SB_BOTTOM); }, 1},
      {"SB_BOTTOM again", [&] { Bar(w, SB_BOTTOM); }, 2},
      {"SB_THUMBPOSITION", [&] { Bar(w, SB_THUMBPOSITION, 4); }, 4},
      {"SB_THUMBTRACK", [&] { Bar(w, SB_THUMBTRACK, 3); }, 3},
      {"SB_ENDSCROLL changes nothing", [&] { Bar(w, SB_ENDSCROLL); }, 3},
      {"a thumb beyond the rows lands on the last page", [&] { Bar(w, SB_THUMBPOSITION, 30000); }, max},
      {"SB_PAGEUP at the top stays there", [&] { Bar(w, SB_TOP); Bar(w, SB_PAGEUP); }, 0},
      {"a wheel notch towards the user scrolls one row down", [&] { Wheel(w, -WHEEL_DELTA); }, 1},
      {"two notches down", [&] { Wheel(w, -2 * WHEEL_DELTA); }, 3},
      {"a notch away scrolls one row up", [&] { Wheel(w, WHEEL_DELTA); }, 2},
      {"half a notch scrolls nothing", [&] { Wheel(w, WHEEL_DELTA / 2); }, 2},
      {"a notch away at the top", [&] { Key(w, VK_HOME); Wheel(w, WHEEL_DELTA); }, 0},
      {"eight touchpad steps of -30 gather two notches", [&] { for (int i = 0; i < 8; ++i) Wheel(w, -30); }, 2},
      {"Home after the touchpad", [&] { Key(w, VK_HOME); }, 0},
      {"a click in the lower half pages forward", [&] { Click(w, middle, lower); }, page},
      {"Home", [&] { Key(w, VK_HOME); }, 0},
      {"a click in the upper half at the top stays there", [&] { Click(w, middle, upper); }, 0},
      {"Down twice before closing", [&] { Key(w, VK_DOWN); Key(w, VK_DOWN); }, 2},
  };
  for (const Row& row : rows) {
    row.act();
    ScrollBarState bar = {};
    ASSERT_TRUE(ProbeScrollBar(probe_, &bar)) << row.what;
    EXPECT_EQ(bar.Position, row.top) << row.what;
    EXPECT_EQ(bar.Max, max) << row.what;
    EXPECT_EQ(bar.Min, 0) << row.what;
  }
  EXPECT_TRUE(ShowsADay());
  ASSERT_NO_FATAL_FAILURE(Close());
  uint32_t position = 0;
  ASSERT_TRUE(StoredDword(L"LastPosition", &position));
  EXPECT_EQ(position, 2u);

  // The same day at the next start comes back at the same row.
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(TopRow(), 2);
  EXPECT_EQ(MaxTopRow(), max);
  ASSERT_NO_FATAL_FAILURE(Close());
}

// Page mode 2 of the keys (Flags bits 20 to 22) pages by half the rows painted.
TEST_F(Scrolling, KeyPageModeTwoMovesHalfThePage) {
  StoreTestFont();
  PutDword(kProductKey, L"Day", kScrolledDay);
  PutDword(kProductKey, L"Lesson", static_cast<uint32_t>(LessonDayFromAbsolute(kScrolledDay)));
  StorePlacement(0, 0, 200, 240, SW_SHOWNORMAL);
  const uint32_t fixed = kDefaultFlags | kFixedDayBit | ReverseAsAFirstStartSetsIt();
  struct Row {
    uint32_t keyMode;  // Flags bits 20 to 22
    bool half;         // Page Down moves half the rows painted, else the rows painted less one
  };
  const Row rows[] = {{1, false}, {2, true}, {4, true}, {3, false}, {0, false}};
  int32_t rowsPainted = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.keyMode);
    PutDword(kProductKey, L"Flags", (fixed & ~0x700000u) | (row.keyMode << 20));
    PutDword(kProductKey, L"LastPosition", 0);
    ASSERT_NO_FATAL_FAILURE(Start());
    SendMessageW(run_.Window, WM_KEYDOWN, VK_NEXT, 1);
    const int32_t moved = TopRow();
    if (rowsPainted == 0) rowsPainted = moved + 1;  // the first row is mode 1
    EXPECT_EQ(moved, row.half ? rowsPainted / 2 : rowsPainted - 1);
    ASSERT_NO_FATAL_FAILURE(Close());
  }
}

// Flags bits 6 and 7: a scroll bar on the right, on the left, or none.
TEST_F(Scrolling, ScrollBarSideFollowsFlags) {
  StoreTestFont();
  PutDword(kProductKey, L"Day", kScrolledDay);
  PutDword(kProductKey, L"Lesson", static_cast<uint32_t>(LessonDayFromAbsolute(kScrolledDay)));
  StorePlacement(0, 0, 200, 240, SW_SHOWNORMAL);
  const uint32_t base = (kDefaultFlags | kFixedDayBit | ReverseAsAFirstStartSetsIt()) & ~0xC0u;
  struct Row {
    uint32_t bits;  // Flags bits 6 and 7
    bool bar;       // a vertical scroll bar
    bool left;      // on the left side
  };
  const Row rows[] = {{0x40, true, false}, {0x80, true, true}, {0xC0, true, true}, {0x00, false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bits);
    PutDword(kProductKey, L"Flags", base | row.bits);
    PutDword(kProductKey, L"LastPosition", 0);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ((GetWindowLongW(run_.Window, GWL_STYLE) & WS_VSCROLL) != 0, row.bar);
    EXPECT_EQ((GetWindowLongW(run_.Window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0, row.left);
    ScrollBarState bar = {};
    const bool set = ProbeScrollBar(probe_, &bar);
    EXPECT_EQ(set && bar.Max > 0, row.bar) << "the range is set only with a scroll bar";
    // Without a scroll bar the keys still scroll.
    SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_TRUE(ShowsADay());
    ASSERT_NO_FATAL_FAILURE(Close());
    uint32_t position = 0;
    ASSERT_TRUE(StoredDword(L"LastPosition", &position));
    EXPECT_EQ(position, 1u);
  }
}

// A window whose text area holds no whole row (a 72-point font) still pages
// by one row: keys, the scroll bar's page area and a click.
TEST_F(Scrolling, AWindowWithoutAWholeRowPagesByOneRow) {
  StoreScrolledDay();
  PutDword(kProductKey, L"FontSize", 72);
  StorePlacement(0, 0, 400, 200, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  const HWND w = run_.Window;
  RECT client = {};
  GetClientRect(w, &client);
  Key(w, VK_NEXT);
  EXPECT_EQ(TopRow(), 1) << "Page Down";
  Bar(w, SB_PAGEDOWN);
  EXPECT_EQ(TopRow(), 2) << "the scroll bar's page area";
  Click(w, client.right / 2, client.bottom - 40);
  EXPECT_EQ(TopRow(), 3) << "a click in the lower half";
  Key(w, VK_PRIOR);
  Bar(w, SB_PAGEUP);
  EXPECT_EQ(TopRow(), 1) << "Page Up and the scroll bar's page area, back";
  ASSERT_NO_FATAL_FAILURE(Close());
}
