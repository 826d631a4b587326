// Ending the session while the program runs: the settings of the run are
// saved as when the window is closed; a cancelled end keeps it running.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/wine_test_support.h"

namespace {

using Logoff = ProgramTest;

}  // namespace

TEST_F(Logoff, SettingsAreSavedWhenTheSessionEnds) {
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  SendCommand(run_.Window, kCommandNextDay);
  EXPECT_NE(SendMessageW(run_.Window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0)
      << "the program must let the session end";
  SendMessageW(run_.Window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  // The system may end the process as soon as WM_ENDSESSION returns: the
  // settings must be written by then.
  uint32_t day = 0, flags = 0;
  ASSERT_TRUE(StoredDword(L"Day", &day)) << "nothing saved at the end of the session";
  ASSERT_TRUE(StoredDword(L"Flags", &flags));
  EXPECT_TRUE(IsTodayPlus(day, 1)) << day;
  EXPECT_NE(flags & kFixedDayBit, 0u);
  EXPECT_TRUE(HasValue(kProductKey, L"showCmd"));
  DetachProbe(&probe_);
  DWORD exitCode = 12345;
  EXPECT_TRUE(WaitForExit(&run_, kExitLimit, &exitCode)) << "the program did not end";
  EXPECT_EQ(exitCode, 0u);
}

TEST_F(Logoff, ACancelledSessionEndKeepsTheProgramRunning) {
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  SendCommand(run_.Window, kCommandNextDay);
  SendMessageW(run_.Window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  SendMessageW(run_.Window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(IsWindow(run_.Window));
  EXPECT_EQ(WaitForSingleObject(run_.Process, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_FALSE(HasValue(kProductKey, L"Day")) << "settings are written once, at the end";
  EXPECT_TRUE(ShowsADay());
  ASSERT_NO_FATAL_FAILURE(Close());
  uint32_t day = 0;
  ASSERT_TRUE(StoredDword(L"Day", &day));
  EXPECT_TRUE(IsTodayPlus(day, 1)) << day;
}
