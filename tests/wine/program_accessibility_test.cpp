// The main window read as a screen reader reads it, from another process:
// the client object's name, value, role, state and children against
// zelvan-cli's published text in its reading form (geresh and gershayim); the
// lessons scrolled out of view off-screen; the events of a new day, and none
// for scrolling or Reverse. The font dialog's controls named and reached by
// their labels, and the About link's focus rectangle.
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

// The label that names control for a screen reader where the control has no
// text of its own, looked for as the system's accessibility does: the nearest
// static text before it, the search ending at a control that starts a tab group.
std::wstring LabelOf(HWND control) {
  for (HWND at = GetWindow(control, GW_HWNDPREV); at != nullptr; at = GetWindow(at, GW_HWNDPREV)) {
    wchar_t name[16] = {};
    GetClassNameW(at, name, 16);
    if (_wcsicmp(name, L"Static") == 0) return WindowText(at);
    const LONG style = GetWindowLongW(at, GWL_STYLE);
    if ((style & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) break;
  }
  return L"<none>";
}

// The window with the keyboard focus in the thread of window.
HWND FocusIn(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// Pixels of the border of window's client area not in the dialog colour: a
// focus rectangle's dots.
int BorderDots(HWND window) {
  Picture picture;
  if (!CaptureClient(window, &picture)) return -1;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  const auto dot = [&](uint32_t pixel) { return pixel != background; };
  const int w = picture.Width, h = picture.Height;
  return CountPixels(picture, RECT{0, 0, w, 1}, dot) + CountPixels(picture, RECT{0, h - 1, w, h}, dot) +
         CountPixels(picture, RECT{0, 1, 1, h - 1}, dot) + CountPixels(picture, RECT{w - 1, 1, w, h - 1}, dot);
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


// The font dialog's typeface list, size list and preview are named by labels
// whose mnemonics reach them, the code base buttons lie in a group box named
// for them; the About link shows the keyboard focus, and only while it has it.
TEST_F(Accessibility, DialogsNameTheirControlsAndShowTheFocus) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND dialog = OpenDialogByCommand(run_.Window, run_.ProcessId, kCommandFont, kFontDialogCaption);
  ASSERT_NE(dialog, nullptr) << "the font dialog did not open";
  struct Row {
    int id;
    WORD mnemonic;
    const wchar_t* label;  // null: the control is named by its own text
  };
  const Row rows[] = {
      {1006, 'S', L"&Size:"},     // sizes
      {1002, 'V', L"Pre&view:"},  // preview
      {1005, 'B', nullptr},       // the code base group box reaches the checked button
      {1001, 'F', L"&Font:"},     // typefaces, where the focus started
  };
  for (const Row& row : rows) {
    HWND control = GetDlgItem(dialog, row.id);
    if (row.label != nullptr) EXPECT_EQ(LabelOf(control), row.label) << row.id;
    ASSERT_TRUE(PressKey(dialog, VK_MENU, row.mnemonic));
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(dialog) == control; }, kConditionLimit)) << row.id;
  }
  EXPECT_EQ(ReadClient(GetDlgItem(dialog, 1002), CHILDID_SELF).Name, L"Preview:");
  HWND group = GetWindow(GetDlgItem(dialog, 1004), GW_HWNDPREV);
  EXPECT_EQ(ReadClient(group, CHILDID_SELF).Name, L"Code base");
  RECT box = {}, button = {};
  GetWindowRect(group, &box);
  for (int id : {1004, 1005}) {
    GetWindowRect(GetDlgItem(dialog, id), &button);
    RECT both = {};
    EXPECT_TRUE(IntersectRect(&both, &box, &button) && EqualRect(&both, &button)) << id;
  }
  ClickDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntilClosed(dialog));

  HWND about = OpenDialogByCommand(run_.Window, run_.ProcessId, 40004, L"Zelvan");
  ASSERT_NE(about, nullptr) << "the About dialog did not open";
  HWND link = GetDlgItem(about, 1025);
  ASSERT_TRUE(WaitUntil([&] { return FocusIn(about) == link; }, kConditionLimit));
  EXPECT_GT(BorderDots(link), 0) << "no focus rectangle";
  HWND other = OpenDriverWindow(L"Another program");
  SetWindowPos(other, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(BringToFront(other));
  EXPECT_TRUE(WaitUntil([&] { return BorderDots(link) == 0; }, kConditionLimit)) << "left behind";
  DestroyWindow(other);
  ASSERT_TRUE(BringToFront(about));
  EXPECT_TRUE(WaitUntil([&] { return BorderDots(link) > 0; }, kConditionLimit)) << "not back";
  ClickDialogButton(about, IDCANCEL);
  ASSERT_TRUE(WaitUntilClosed(about));
  ASSERT_NO_FATAL_FAILURE(Close());
  CoUninitialize();
}
