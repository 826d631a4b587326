// The Reverse option: its check mark follows every toggle, the text is redrawn
// at once, two toggles return Flags and the picture to where they were, and
// the option is saved.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"

namespace {

using Reverse = ProgramTest;

bool Checked(const Probe& probe) {
  const int32_t state = ProbeMenuState(probe, kCommandReverse);
  EXPECT_NE(state, -1) << "menu item Reverse not found";
  return state != -1 && (state & MF_CHECKED) != 0;
}

}  // namespace

TEST_F(Reverse, TwoTogglesReturnFlagsAndTheTextToTheirFormerState) {
  const uint32_t flags = kDefaultFlags | ReverseAsAFirstStartSetsIt();
  StoreTestFont();
  PutDword(kProductKey, L"Flags", flags);
  StorePlacement(0, 0, 400, 420, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  const bool initially = (flags & kReverseBit) != 0;
  EXPECT_EQ(Checked(probe_), initially);

  Picture before, toggled, back;
  ASSERT_TRUE(CaptureClient(run_.Window, &before));
  SendCommand(run_.Window, kCommandReverse);
  EXPECT_EQ(Checked(probe_), !initially);
  ASSERT_TRUE(CaptureClient(run_.Window, &toggled));
  SendCommand(run_.Window, kCommandReverse);
  EXPECT_EQ(Checked(probe_), initially);
  ASSERT_TRUE(CaptureClient(run_.Window, &back));

  RECT all = {0, 0, before.Width, before.Height};
  EXPECT_GT(CountDifferences(before, toggled, all), 100) << "the text was not redrawn reversed";
  EXPECT_EQ(CountDifferences(before, back, all), 0) << "two toggles must give the same picture";
  ASSERT_NO_FATAL_FAILURE(Close());
  uint32_t stored = 0;
  ASSERT_TRUE(StoredDword(L"Flags", &stored));
  EXPECT_EQ(stored, flags) << std::hex << stored;

  // One toggle is saved, and the check mark shows it at the next start.
  ASSERT_NO_FATAL_FAILURE(Start());
  SendCommand(run_.Window, kCommandReverse);
  ASSERT_NO_FATAL_FAILURE(Close());
  ASSERT_TRUE(StoredDword(L"Flags", &stored));
  EXPECT_EQ(stored, flags ^ kReverseBit) << std::hex << stored;
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(Checked(probe_), !initially);
  ASSERT_NO_FATAL_FAILURE(Close());
}

// After a toggle the whole window agrees: a full repaint shows what the
// toggle showed, date band included.
TEST_F(Reverse, AToggleLeavesNothingForALaterRepaintToChange) {
  StoreTestFont();
  PutDword(kProductKey, L"Flags", kDefaultFlags | ReverseAsAFirstStartSetsIt());
  StorePlacement(0, 0, 400, 420, SW_SHOWNORMAL);
  ASSERT_NO_FATAL_FAILURE(Start());
  SendCommand(run_.Window, kCommandReverse);
  Picture toggled, repainted;
  ASSERT_TRUE(CaptureClient(run_.Window, &toggled));
  RedrawWindow(run_.Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_TRUE(CaptureClient(run_.Window, &repainted));
  RECT all = {0, 0, toggled.Width, toggled.Height};
  EXPECT_EQ(CountDifferences(toggled, repainted, all), 0);
  ASSERT_NO_FATAL_FAILURE(Close());
}
