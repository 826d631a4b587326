// Moving between days: the Next day, Previous day and Today commands, the Left
// and Right keys, and the accelerators Ctrl+N, Ctrl+T and Ctrl+Home pressed as
// real keyboard input. Day and the fixed-day bit of Flags are read from the
// registry after each run; every run starts from what the previous one stored.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "lessons/lesson_schedule.h"
#include "tests/wine/driver/program_fixture.h"

namespace {

enum class Via { Command, Key, Accelerator };

struct Step {
  Via via;
  WORD id;  // command id, or virtual key
};

struct Row {
  const char* what;
  std::vector<Step> steps;
  int32_t offset;  // Day afterwards, in days from today
  bool fixed;      // Flags bit 2 afterwards
};

using DayCommands = ProgramTest;

}  // namespace

TEST_F(DayCommands, CommandsKeysAndAcceleratorsMoveTheDay) {
  const Row rows[] = {
      {"Next day", {{Via::Command, kCommandNextDay}}, +1, true},
      // The fixed day came back at the start; two steps back from it.
      {"Previous day twice", {{Via::Command, kCommandPreviousDay}, {Via::Command, kCommandPreviousDay}}, -1, true},
      {"Right three times, Left once",
       {{Via::Key, VK_RIGHT}, {Via::Key, VK_RIGHT}, {Via::Key, VK_RIGHT}, {Via::Key, VK_LEFT}}, +1, true},
      {"Today", {{Via::Command, kCommandToday}}, 0, false},
      {"Ctrl+N", {{Via::Accelerator, 'N'}}, +1, true},
      {"Ctrl+T", {{Via::Accelerator, 'T'}}, 0, false},
      {"Previous day, then Ctrl+Home", {{Via::Command, kCommandPreviousDay}, {Via::Accelerator, VK_HOME}}, 0, false},
  };
  const uint32_t baseFlags = kDefaultFlags | ReverseAsAFirstStartSetsIt();
  StoreTestFont();
  // Small enough to scroll: an accelerator shows its day from the top row,
  // which tells the driver that the key has been taken.
  StorePlacement(0, 0, 360, 300, SW_SHOWNORMAL);

  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_NO_FATAL_FAILURE(Start());
    for (const Step& step : row.steps) {
      switch (step.via) {
        case Via::Command: SendCommand(run_.Window, step.id); break;
        case Via::Key: SendMessageW(run_.Window, WM_KEYDOWN, step.id, 1); break;
        case Via::Accelerator:
          SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
          ASSERT_EQ(TopRow(), 1) << "the day must scroll in this window";
          ASSERT_TRUE(PressKey(run_.Window, VK_CONTROL, step.id));
          EXPECT_TRUE(WaitUntil([&] { return TopRow() == 0; }, kConditionLimit))
              << "the accelerator did not show a day";
          break;
      }
    }
    EXPECT_TRUE(ShowsADay());
    ASSERT_NO_FATAL_FAILURE(Close());
    uint32_t day = 0, flags = 0, lesson = 0;
    ASSERT_TRUE(StoredDword(L"Day", &day));
    ASSERT_TRUE(StoredDword(L"Flags", &flags));
    ASSERT_TRUE(StoredDword(L"Lesson", &lesson));
    EXPECT_TRUE(IsTodayPlus(day, row.offset)) << day << " vs today " << TodayAbsolute();
    EXPECT_EQ((flags & kFixedDayBit) != 0, row.fixed) << std::hex << flags;
    EXPECT_EQ(flags & ~kFixedDayBit, baseFlags) << std::hex << flags;  // no other bit moves
    EXPECT_EQ(lesson, static_cast<uint32_t>(LessonDayFromAbsolute(static_cast<AbsoluteDay>(day))));
  }
}
