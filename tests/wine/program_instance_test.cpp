// One instance: a second start hands over to the running program and ends
// with exit code 0 without a window of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/wine/driver/program_fixture.h"

namespace {

using SingleInstance = ProgramTest;

// Starts a second instance and expects it to end at once with exit code 0,
// leaving one main window on the desktop.
void StartSecondInstance() {
  ProgramRun second = {};
  ASSERT_TRUE(StartProcess(ProgramPath(), SW_SHOWNORMAL, &second));
  DWORD exitCode = 12345;
  EXPECT_TRUE(WaitForExit(&second, kStartLimit, &exitCode)) << "the second start did not end";
  EXPECT_EQ(exitCode, 0u);
  ReleaseRun(&second);
  EXPECT_EQ(CountTopLevelWindows(kProgramClass, kProgramTitle), 1);
}

}  // namespace

// The running program in front moves to today and shows it from the top.
TEST_F(SingleInstance, SecondStartWithTheProgramInFrontShowsToday) {
  StoreTestFont();
  StorePlacement(0, 0, 200, 240, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  SendCommand(run_.Window, kCommandNextDay);
  SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_EQ(TopRow(), 1);
  ASSERT_TRUE(BringToFront(run_.Window));

  ASSERT_NO_FATAL_FAILURE(StartSecondInstance());
  EXPECT_EQ(TopRow(), 0) << "the running program did not move to today";
  EXPECT_EQ(GetForegroundWindow(), run_.Window);
  ASSERT_NO_FATAL_FAILURE(Close());
  uint32_t day = 0, flags = 0;
  ASSERT_TRUE(StoredDword(L"Day", &day));
  ASSERT_TRUE(StoredDword(L"Flags", &flags));
  EXPECT_TRUE(IsTodayPlus(day, 0)) << day;
  EXPECT_EQ(flags & kFixedDayBit, 0u);
}

// Another program in front: the running program comes forward and keeps its day.
TEST_F(SingleInstance, SecondStartBehindAnotherWindowBringsTheProgramForward) {
  StoreTestFont();
  StorePlacement(0, 0, 200, 240, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  SendCommand(run_.Window, kCommandNextDay);
  SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_EQ(TopRow(), 1);
  HWND other = OpenDriverWindow(L"Another program");
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(BringToFront(other));

  ASSERT_NO_FATAL_FAILURE(StartSecondInstance());
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == run_.Window; }, kConditionLimit))
      << "the running program was not brought forward";
  EXPECT_EQ(TopRow(), 1) << "the running program must keep its day and row";
  DestroyWindow(other);
  ASSERT_NO_FATAL_FAILURE(Close());
  uint32_t day = 0;
  ASSERT_TRUE(StoredDword(L"Day", &day));
  EXPECT_TRUE(IsTodayPlus(day, 1)) << day;
}

// A dialog of the running program in front: it receives nothing and stays as it is.
TEST_F(SingleInstance, SecondStartWithADialogInFrontChangesNothing) {
  StoreTestFont();
  StorePlacement(0, 0, 200, 240, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  SendCommand(run_.Window, kCommandNextDay);
  SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandFont, 0), 0);
  HWND dialog = WaitForDialog(run_.ProcessId, kFontDialogCaption, 3000);
  if (dialog == nullptr) {
    ASSERT_NO_FATAL_FAILURE(Close());
    GTEST_SKIP() << "this build has no font dialog yet";
  }
  ASSERT_TRUE(BringToFront(dialog));
  ASSERT_NO_FATAL_FAILURE(StartSecondInstance());
  EXPECT_EQ(GetForegroundWindow(), dialog);
  EXPECT_TRUE(CancelFontDialogIfShown(kConditionLimit));
  EXPECT_EQ(TopRow(), 1) << "the running program must keep its day and row";
  ASSERT_NO_FATAL_FAILURE(Close());
  uint32_t day = 0;
  ASSERT_TRUE(StoredDword(L"Day", &day));
  EXPECT_TRUE(IsTodayPlus(day, 1)) << day;
}
