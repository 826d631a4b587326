// Window placement over restarts: a normal placement comes back where it was;
// a maximized window starts maximized again, a minimized one normal.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/wine/driver/program_fixture.h"

namespace {

using Placement = ProgramTest;

struct Stored {
  uint32_t left, top, width, height, showCommand;
};

// The placement values of the product key; a failure when one is missing.
Stored ReadPlacement() {
  Stored s = {};
  EXPECT_TRUE(StoredDword(L"Left", &s.left));
  EXPECT_TRUE(StoredDword(L"Top", &s.top));
  EXPECT_TRUE(StoredDword(L"Width", &s.width));
  EXPECT_TRUE(StoredDword(L"Height", &s.height));
  EXPECT_TRUE(StoredDword(L"showCmd", &s.showCommand));
  return s;
}

}  // namespace

TEST_F(Placement, NormalPlacementComesBackAndIsSavedAsItWas) {
  StoreTestFont();
  StorePlacement(40, 30, 420, 330, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  RECT box = {};
  GetWindowRect(run_.Window, &box);
  EXPECT_EQ(box.left, 40);
  EXPECT_EQ(box.top, 30);
  EXPECT_EQ(box.right - box.left, 420);
  EXPECT_EQ(box.bottom - box.top, 330);
  ASSERT_NO_FATAL_FAILURE(Close());
  const Stored s = ReadPlacement();
  EXPECT_EQ(s.left, 40u);
  EXPECT_EQ(s.top, 30u);
  EXPECT_EQ(s.width, 420u);
  EXPECT_EQ(s.height, 330u);
  EXPECT_EQ(s.showCommand, static_cast<uint32_t>(SW_SHOWNORMAL));
}

TEST_F(Placement, MaximizedStartsMaximizedAndMinimizedStartsNormal) {
  StoreTestFont();
  StorePlacement(40, 30, 420, 330, SW_SHOWNORMAL);

  // Maximized with the maximize box; the restored rectangle is stored.
  ASSERT_NO_FATAL_FAILURE(Start());
  PostMessageW(run_.Window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(run_.Window) != 0; }, kConditionLimit));
  ASSERT_NO_FATAL_FAILURE(Close());
  Stored s = ReadPlacement();
  EXPECT_EQ(s.showCommand, static_cast<uint32_t>(SW_SHOWMAXIMIZED));
  EXPECT_EQ(s.width, 420u);
  EXPECT_EQ(s.height, 330u);
  EXPECT_EQ(s.left, 40u);
  EXPECT_EQ(s.top, 30u);

  // It starts maximized, over the restored rectangle.
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(IsZoomed(run_.Window));
  PlacementState placement = {};
  ASSERT_TRUE(ProbePlacement(probe_, &placement));
  EXPECT_EQ(placement.ShowCommand, static_cast<uint32_t>(SW_SHOWMAXIMIZED));
  EXPECT_EQ(placement.Normal.left, 40);
  EXPECT_EQ(placement.Normal.top, 30);
  EXPECT_EQ(placement.Normal.right - placement.Normal.left, 420);
  EXPECT_EQ(placement.Normal.bottom - placement.Normal.top, 330);
  EXPECT_TRUE(ShowsADay());

  // Minimized with the minimize box.
  PostMessageW(run_.Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(run_.Window) != 0; }, kConditionLimit));
  ASSERT_NO_FATAL_FAILURE(Close());
  s = ReadPlacement();
  EXPECT_EQ(s.showCommand, static_cast<uint32_t>(SW_SHOWMINIMIZED));
  // Where the window comes back to, not where its icon was.
  EXPECT_EQ(s.left, 40u);
  EXPECT_EQ(s.top, 30u);
  EXPECT_EQ(s.width, 420u);
  EXPECT_EQ(s.height, 330u);

  // It starts normal (not as an icon), where it was.
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_FALSE(IsIconic(run_.Window));
  RECT box = {};
  GetWindowRect(run_.Window, &box);
  EXPECT_EQ(box.left, 40);
  EXPECT_EQ(box.top, 30);
  EXPECT_EQ(box.bottom - box.top, 330);
  EXPECT_TRUE(ShowsADay());

  // Ctrl+Q (command 1) ends the program as Exit does, saving the placement.
  DetachProbe(&probe_);
  ASSERT_TRUE(PressKey(run_.Window, VK_CONTROL, 'Q'));
  DWORD exitCode = 12345;
  ASSERT_TRUE(WaitForExit(&run_, kExitLimit, &exitCode)) << "Ctrl+Q did not end the program";
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(ReadPlacement().showCommand, static_cast<uint32_t>(SW_SHOWNORMAL));
}

TEST_F(Placement, PlacementOffEveryScreenKeepsTheDefaultPosition) {
  StoreTestFont();
  StorePlacement(5000, 5000, 420, 330, SW_SHOWNORMAL);  // a monitor that is gone
  ASSERT_NO_FATAL_FAILURE(Start());
  RECT box = {};
  GetWindowRect(run_.Window, &box);
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT visible = {};
  EXPECT_TRUE(IntersectRect(&visible, &box, &screen))
      << "opened off the screen at " << box.left << "," << box.top;
  EXPECT_TRUE(ShowsADay());
  ASSERT_NO_FATAL_FAILURE(Close());
}
