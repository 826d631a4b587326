// The main window read as a screen reader reads it, from another process:
// the toolbar's named buttons, and the client object's name, value, role,
// state and children against zelvan-cli's published text in its reading form
// (geresh and gershayim); the lessons scrolled out of view off-screen; the
// events of a new day, and none for scrolling or Reverse. The font dialog's
// controls named and reached by their labels, and the About link's focus
// rectangle.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "lessons/text_stream.h"
#include "tests/wine/dialog_controls.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/output_scenario.h"
#include "tests/wine/screen_reader.h"

namespace {

// text with ' and " as a reader hears them (ReadingMark), or without marks at all.
std::wstring Marked(std::wstring text, bool keep) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = i > 0 ? static_cast<wchar_t>(ReadingMark(text[i - 1], text[i])) : text[i];
    if (keep || (c != L'\'' && c != L'"' && c != 0x05F3 && c != 0x05F4)) out += c;
  }
  return out;
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
  EXPECT_NE(report.find(L"Weekday: " + weekday + L"\n"), std::wstring::npos);
  // The published date's letters, with gershayim (the year always has
  // several letters) and no ASCII marks.
  EXPECT_NE(Marked(report, false).find(L"Hebrew date: " + Marked(band.Name, false) + L"\n"),
            std::wstring::npos);
  EXPECT_TRUE(band.Name.find(wchar_t{0x05F4}) != std::wstring::npos &&
              band.Name.find_first_of(L"'\"") == std::wstring::npos) << "the date's marks";
  EXPECT_EQ(whole.Role, ROLE_SYSTEM_DOCUMENT);
  EXPECT_EQ(whole.State & (STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE),
            STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE);
  ASSERT_EQ(whole.Children, 4);  // the three lessons, then the date band
  EXPECT_EQ(band.Role, ROLE_SYSTEM_STATICTEXT);
  // As zelvan-cli's "heading: lesson" lines as a reader hears them, in their
  // order; the whole value a line for each heading and entry.
  const std::wstring reading = Marked(report, true);
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

// The off-screen state of lessons 1 and 3, as "10" for the first alone.
std::string OffScreen(HWND window) {
  std::string states;
  for (LONG k : {1, 3}) states += (ReadClient(window, k).State & STATE_SYSTEM_OFFSCREEN) ? '1' : '0';
  return states;
}

// The window with the keyboard focus in the thread of window.
HWND FocusIn(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// Pixels of the edge of window's client area not in the dialog colour: the
// dots of a focus rectangle.
int EdgeDots(HWND window) {
  Picture p;
  if (!CaptureClient(window, &p)) return -1;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  const auto dot = [&](uint32_t pixel) { return pixel != background; };
  return CountPixels(p, RECT{0, 0, p.Width, p.Height}, dot) -
         CountPixels(p, RECT{1, 1, p.Width - 1, p.Height - 1}, dot);
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

  // The toolbar's buttons: push buttons with their names.
  HWND toolbar = FindWindowExW(run_.Window, nullptr, L"ToolbarWindow32", nullptr);
  EXPECT_EQ(ReadClient(toolbar, CHILDID_SELF).Children, 6);
  const wchar_t* const names[] = {L"Previous day", L"Today", L"Next day", L"Font",
                                  L"Mark day learned", L"Mark day not learned"};
  for (LONG k = 1; k <= 6; ++k) EXPECT_EQ(ReadClient(toolbar, k).Name, names[k - 1]) << k;
  EXPECT_EQ(ReadClient(toolbar, 4).Role, ROLE_SYSTEM_PUSHBUTTON);

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


// The font dialog's lists and preview are reached by their labels' mnemonics
// (labels the layout scenario finds right before them), the preview read by
// its label, the code base buttons in a group box named for them; the About
// link shows the keyboard focus, and only while it has it.
TEST_F(Accessibility, DialogsNameTheirControlsAndShowTheFocus) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND dialog = OpenDialogByCommand(run_.Window, run_.ProcessId, kCommandFont, kFontDialogCaption);
  ASSERT_NE(dialog, nullptr) << "the font dialog did not open";
  // sizes, preview, the checked code base button, typefaces (where the focus started)
  for (auto [id, mnemonic] : {std::pair{1006, 'S'}, {1002, 'V'}, {1005, 'B'}, {1001, 'F'}}) {
    ASSERT_TRUE(PressKey(dialog, VK_MENU, mnemonic));
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(dialog) == GetDlgItem(dialog, id); }, kConditionLimit)) << id;
  }
  EXPECT_EQ(ReadClient(GetDlgItem(dialog, 1002), CHILDID_SELF).Name, L"Preview:");
  EXPECT_EQ(ReadClient(GetWindow(GetDlgItem(dialog, 1004), GW_HWNDPREV), CHILDID_SELF).Name, L"Code base");
  ClickDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntilClosed(dialog));

  HWND about = OpenDialogByCommand(run_.Window, run_.ProcessId, 40004, L"Zelvan");
  ASSERT_NE(about, nullptr) << "the About dialog did not open";
  HWND link = GetDlgItem(about, 1025);
  ASSERT_TRUE(WaitUntil([&] { return FocusIn(about) == link; }, kConditionLimit));
  EXPECT_GT(EdgeDots(link), 0) << "no focus rectangle";
  HWND other = OpenDriverWindow(L"Another program");
  SetWindowPos(other, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // away from the link
  ASSERT_TRUE(BringToFront(other));
  EXPECT_TRUE(WaitUntil([&] { return EdgeDots(link) == 0; }, kConditionLimit)) << "left behind";
  DestroyWindow(other);
  ClickDialogButton(about, IDCANCEL);
  ASSERT_TRUE(WaitUntilClosed(about));
  ASSERT_NO_FATAL_FAILURE(Close());
  CoUninitialize();
}
