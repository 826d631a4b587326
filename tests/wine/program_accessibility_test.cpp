// The main window read as a screen reader reads it, from another process:
// the toolbar's named buttons, and the client object's name, value, role,
// state and children against
// zelvan-cli and the text a Copy of the same day puts on the clipboard (the
// clipboard scenarios check that text against the clipboard itself); the
// events of a new day, and none for scrolling or Reverse.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/output_scenario.h"
#include "tests/wine/screen_reader.h"

namespace {

// Expects the client area of window to read as day, whose date is gregorian.
void ExpectReads(HWND window, AbsoluteDay day, const std::wstring& gregorian) {
  const std::string utf8 = CliDays(day, 1);
  std::wstring report(utf8.size(), L'\0');
  report.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    &report[0], static_cast<int>(report.size())));
  ASSERT_FALSE(report.empty()) << "zelvan-cli could not be run";
  const AccessibleElement whole = ReadClient(window, CHILDID_SELF);
  const AccessibleElement band = ReadClient(window, 4);
  const std::wstring weekday = whole.Name.substr(0, whole.Name.find(L','));
  EXPECT_EQ(whole.Name, weekday + L", " + gregorian + L", " + band.Name);
  EXPECT_NE(report.find(L"Weekday: " + weekday + L"\n"), std::wstring::npos);
  EXPECT_NE(report.find(L"Hebrew date: " + band.Name + L"\n"), std::wstring::npos);
  const std::u16string copied = DayClipboardText(day, 0x5D0, false);
  EXPECT_TRUE(whole.Value == std::wstring(copied.begin(), copied.end())) << "not the text of a Copy";
  EXPECT_EQ(whole.Role, ROLE_SYSTEM_DOCUMENT);
  EXPECT_EQ(whole.State & (STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE),
            STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE);
  ASSERT_EQ(whole.Children, 4);  // the three lessons, then the date band
  EXPECT_EQ(band.Role, ROLE_SYSTEM_STATICTEXT);
  size_t previous = 0;
  for (LONG k = 1; k <= 3; ++k) {  // as zelvan-cli's "heading: lesson" lines, in their order
    const AccessibleElement lesson = ReadClient(window, k);
    const size_t at = report.find(lesson.Name + L": " + lesson.Value + L"\n");
    EXPECT_TRUE(at != std::wstring::npos && at > previous) << "lesson " << k;
    EXPECT_EQ(lesson.Role, ROLE_SYSTEM_TEXT);
    previous = at;
  }
}

}  // namespace

using Accessibility = ProgramTest;

// A screen reader finds the day, hears of Next day, and hears nothing of
// scrolling or Reverse, which change nothing that is read.
TEST_F(Accessibility, ScreenReaderReadsTheDayAndHearsItChange) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  StoreScenarioSettings(ScenarioDay(0), 0x5D0, 12, false);
  StorePlacement(0, 0, 360, 300, SW_SHOWNORMAL);  // small enough to scroll
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(ExpectReads(run_.Window, ScenarioDay(0), L"1 January 2025"));
  const std::wstring value = ReadClient(run_.Window, CHILDID_SELF).Value;

  // The toolbar's buttons: push buttons with their names.
  HWND toolbar = FindWindowExW(run_.Window, nullptr, L"ToolbarWindow32", nullptr);
  EXPECT_EQ(ReadClient(toolbar, CHILDID_SELF).Children, 4);
  const wchar_t* const names[] = {L"Previous day", L"Today", L"Next day", L"Font"};
  for (LONG k = 1; k <= 4; ++k) EXPECT_EQ(ReadClient(toolbar, k).Name, names[k - 1]) << k;
  EXPECT_EQ(ReadClient(toolbar, 4).Role, ROLE_SYSTEM_PUSHBUTTON);

  ASSERT_TRUE(ListenForChanges(run_.ProcessId));
  SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_EQ(TopRow(), 1) << "the day must scroll in this window";
  SendCommand(run_.Window, kCommandReverse);
  PumpMessages(500);
  EXPECT_EQ(HeardChanges(EVENT_OBJECT_NAMECHANGE, run_.Window) +
                HeardChanges(EVENT_OBJECT_VALUECHANGE, run_.Window), 0);
  EXPECT_TRUE(ReadClient(run_.Window, CHILDID_SELF).Value == value);

  SendCommand(run_.Window, kCommandNextDay);
  EXPECT_TRUE(WaitUntil([&] { return HeardChanges(EVENT_OBJECT_VALUECHANGE, run_.Window) == 1; },
                        kConditionLimit)) << "no value-change event";
  EXPECT_EQ(HeardChanges(EVENT_OBJECT_NAMECHANGE, run_.Window), 1);
  ASSERT_NO_FATAL_FAILURE(ExpectReads(run_.Window, ScenarioDay(1), L"2 January 2025"));
  StopListening();
  ASSERT_NO_FATAL_FAILURE(Close());
  CoUninitialize();
}
