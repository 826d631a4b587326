// The main window read as a screen reader reads it, from another process:
// the client object's name, value, role, state and children against
// zelvan-cli's published text in its reading form (geresh and gershayim); the
// lessons scrolled out of view off-screen; the events of a new day, and none
// for scrolling or Reverse.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "lessons/text_stream.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/output_scenario.h"
#include "tests/wine/screen_reader.h"

namespace {

// text with each ' and " after a Hebrew letter as geresh and gershayim.
std::wstring InReadingForm(std::wstring text) {
  for (size_t i = 1; i < text.size(); ++i) text[i] = static_cast<wchar_t>(ReadingMark(text[i - 1], text[i]));
  return text;
}

// text without numeral marks, ASCII or Hebrew.
std::wstring Unmarked(const std::wstring& text) {
  std::wstring letters;
  for (wchar_t c : text) {
    if (c != L'\'' && c != L'"' && c != 0x05F3 && c != 0x05F4) letters += c;
  }
  return letters;
}

// The text of report's line that starts with label, without the label.
std::wstring LineAfter(const std::wstring& report, const std::wstring& label) {
  const size_t at = report.find(label);
  if (at == std::wstring::npos) return L"<none>";
  const size_t from = at + label.size();
  return report.substr(from, report.find(L'\n', from) - from);
}

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
  EXPECT_EQ(LineAfter(report, L"Weekday: "), weekday);
  // The date's letters as published, its numerals marked with gershayim (the
  // year's last places are always several letters) and no ASCII marks.
  EXPECT_EQ(Unmarked(band.Name), Unmarked(LineAfter(report, L"Hebrew date: ")));
  EXPECT_NE(band.Name.find(wchar_t{0x05F4}), std::wstring::npos) << "no gershayim in the date";
  EXPECT_EQ(band.Name.find_first_of(L"'\""), std::wstring::npos) << "an ASCII mark in the date";
  EXPECT_EQ(whole.Role, ROLE_SYSTEM_DOCUMENT);
  EXPECT_EQ(whole.State & (STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE),
            STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE);
  ASSERT_EQ(whole.Children, 4);  // the three lessons, then the date band
  EXPECT_EQ(band.Role, ROLE_SYSTEM_STATICTEXT);
  // The lessons as zelvan-cli's "heading: lesson" lines in their reading
  // form, in their order; the whole value a line for each heading and entry.
  const std::wstring reading = InReadingForm(report);
  std::wstring lines;
  size_t previous = 0;
  for (LONG k = 1; k <= 3; ++k) {
    const AccessibleElement lesson = ReadClient(window, k);
    const size_t at = reading.find(lesson.Name + L": " + lesson.Value + L"\n");
    EXPECT_TRUE(at != std::wstring::npos && at > previous) << "lesson " << k;
    EXPECT_EQ(lesson.Role, ROLE_SYSTEM_TEXT);
    previous = at;
    lines += (k > 1 ? L"\r\n" : L"") + lesson.Name + L"\r\n" + lesson.Value;
  }
  EXPECT_TRUE(whole.Value == lines) << "not a line for each heading and entry";
}

// The off-screen state of lessons 1 and 3, as "11" for both off-screen.
std::string OffScreen(HWND window) {
  std::string states;
  for (LONG k : {1, 3}) states += (ReadClient(window, k).State & STATE_SYSTEM_OFFSCREEN) ? '1' : '0';
  return states;
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
  EXPECT_EQ(OffScreen(run_.Window), "01") << "at the top: the last lesson is below the window";

  ASSERT_TRUE(ListenForChanges(run_.ProcessId));
  SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_EQ(TopRow(), 1) << "the day must scroll in this window";
  SendCommand(run_.Window, kCommandReverse);
  SendMessageW(run_.Window, WM_KEYDOWN, VK_END, 1);
  EXPECT_EQ(OffScreen(run_.Window), "10") << "at the end: the first lesson is above the window";
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
