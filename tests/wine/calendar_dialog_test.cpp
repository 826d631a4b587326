// The calendar dialog in the running program: opened with Ctrl+D, with the
// Calendar command and with a click in the date band; days picked with the
// mouse after moving through months and years with the mouse and with Alt
// keys; a day picked with the keyboard alone while a screen reader listens;
// Esc; the sheet laid out from the right in Hebrew; the GDI objects over
// many openings; and the screenshots of docs/.
//
// The driver lays the sheet out itself with the program's own geometry and
// fonts, so it knows where each button, arrow and day cell is. Clicks are sent
// (SendMessage: handled when the call returns); Alt keys are real keyboard
// input (SendInput), which the system turns into WM_SYSKEYDOWN for the dialog
// only if the dialog really has the keyboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "calendar_dialog/calendar_dialog.h"
#include "calendar_dialog/calendar_geometry.h"
#include "calendar_dialog/calendar_hit_test.h"
#include "calendar_dialog/calendar_keyboard.h"
#include "calendar_dialog/calendar_model.h"
#include "lessons/lesson_schedule.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/gdi_object_count.h"
#include "tests/wine/screen_reader.h"
#include "tests/wine/wine_test_support.h"
#include "view/reading_text.h"

namespace {

constexpr wchar_t kCalendarCaption[] = L"Hebrew Calendar";
constexpr WORD kCommandCalendar = 107;

// 10 Elul 5784, the last month of a leap year.
const AbsoluteDay kStartDay = HebrewToAbsolute(6, 10, 5784);

// First day of the first month from year on that starts on Saturday and has
// 30 days: a sheet with six week rows.
AbsoluteDay SixRowMonthFrom(int32_t year) {
  for (;; ++year) {
    for (int32_t month = 1; month <= HebrewMonthsInYear(year); ++month) {
      const AbsoluteDay first = HebrewToAbsolute(month, 1, year);
      if (WeekdayOf(first) == 6 && HebrewMonthLength(month, year) == 30) return first;
    }
  }
}

class CalendarDialog : public ProgramTest {
 protected:
  // Starts the program on day (fixed, with its lesson day), with the test
  // face and the given Reverse bit, in a window small enough to scroll.
  void StartOn(AbsoluteDay day, uint32_t reverse) {
    StoreTestFont();
    StorePlacement(0, 0, 360, 300, SW_SHOWNORMAL);
    PutDword(kProductKey, L"Day", static_cast<uint32_t>(day));
    PutDword(kProductKey, L"Lesson", static_cast<uint32_t>(LessonDayFromAbsolute(day)));
    PutDword(kProductKey, L"Flags", kDefaultFlags | kFixedDayBit | reverse);
    day_ = day;
    flags_ = kDefaultFlags | kFixedDayBit | reverse;
    ASSERT_NO_FATAL_FAILURE(Start());
  }

  // Waits for the dialog of the program (captioned caption) and lays out the
  // same sheet here.
  void Attach(const wchar_t* caption = kCalendarCaption) {
    dialog_ = WaitForDialog(run_.ProcessId, caption, kConditionLimit);
    ASSERT_NE(dialog_, nullptr) << "no calendar dialog";
    ASSERT_TRUE(MirrorSheet()) << "the sheet could not be laid out here";
    ASSERT_TRUE(WaitUntil([&] { return ShowsDisplayedMonth(); }, kConditionLimit))
        << "the sheet does not show its month";
    ASSERT_TRUE(WaitForFocus(dialog_))
        << "the dialog does not have the keyboard: " << FocusReport(dialog_);
  }

  // The dialog's layout for the program's day and font, computed with the
  // program's core geometry and the same fonts.
  bool MirrorSheet() {
    ResetCalendarState(&sheet_);
    sheet_.Mirrored = (GetWindowLongW(dialog_, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) ? 1 : 0;
    SetCalendarDate(&sheet_, day_, 1);
    RECT client = {};
    if (!GetClientRect(dialog_, &client)) return false;
    LOGFONTW description;
    DescribeCalendarFont(&description, kTestFace);
    description.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirectW(&description);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bold);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    const CalendarRect area = {client.left, client.top, client.right, client.bottom};
    LayoutCalendar(&sheet_, &area, metrics.tmHeight);
    const int32_t length = FormatCalendarYear(&sheet_);
    const std::wstring year(sheet_.Text, sheet_.Text + length);
    SIZE yearSize = {}, arrowSize = {};
    GetTextExtentPoint32W(dc, year.c_str(), length, &yearSize);
    GetTextExtentPoint32W(dc, L"  <<  ", 6, &arrowSize);
    PlaceCalendarArrows(&sheet_, CenterYearText(&sheet_, yearSize.cx), yearSize.cx, arrowSize.cx);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(bold);
    return metrics.tmHeight > 0;
  }

  // True if the dialog on the screen shows the mirrored month: its button
  // dark, every other button light (a sheet laid out from the right has its
  // x from the picture's right edge).
  bool ShowsDisplayedMonth() {
    Picture picture;
    if (!CaptureClient(dialog_, &picture)) return false;
    for (int32_t k = 1; k <= 12 + sheet_.Leap; ++k) {
      const MonthButton& b = sheet_.Buttons[k - 1];
      const int32_t left = sheet_.Mirrored ? picture.Width - b.Right : b.Left;
      const RECT inside = {left + 2, b.Top + 2, left + b.Right - b.Left - 2, b.Bottom - 2};
      const int area = (inside.right - inside.left) * (inside.bottom - inside.top);
      const int dark = CountPixels(picture, inside, IsDark);
      if (k == sheet_.Displayed.month ? dark * 10 < area * 7 : dark * 10 > area * 3) return false;
    }
    return true;
  }

  // A click at x, y, also applied to the mirror; returns what the mirror did.
  int32_t ClickAt(int32_t x, int32_t y) {
    const CalendarClick click = ApplyCalendarClick(&sheet_, x, y);
    SendMessageTimeoutW(dialog_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), SMTO_NORMAL,
                        kConditionLimit, nullptr);
    return click.Action;
  }
  void ClickMonth(int32_t month) {
    const MonthButton& b = sheet_.Buttons[month - 1];
    ClickAt((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    EXPECT_TRUE(WaitUntil([&] { return ShowsDisplayedMonth(); }, kConditionLimit))
        << "after the button of month " << month;
  }
  void ClickArrow(bool forward) {
    const int32_t left = forward ? sheet_.ForwardArrowLeft : sheet_.BackArrowLeft;
    ClickAt(left + sheet_.ArrowWidth / 2, sheet_.YearRowTop + sheet_.TextHeight / 2);
    EXPECT_TRUE(WaitUntil([&] { return ShowsDisplayedMonth(); }, kConditionLimit))
        << "after the " << (forward ? "forward" : "back") << " arrow";
  }
  // Picks day of the displayed month; the dialog closes.
  AbsoluteDay ClickDay(int32_t day) {
    int32_t row = 0, column = 0;
    EXPECT_TRUE(CalendarDayCell(&sheet_, day, &row, &column)) << day;
    const CalendarRect cell = CalendarCellRect(&sheet_, row, column);
    const int32_t action = ClickAt((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
    EXPECT_EQ(action, kCalendarClickPicked);
    EXPECT_TRUE(WaitForDialogGone()) << "a day click did not close the dialog";
    return sheet_.Result;
  }

  // Alt+key as real keyboard input into the dialog; waits for the new sheet.
  void PressAlt(WORD key) {
    const uint8_t redraw = CalendarKey(&sheet_, key);
    ASSERT_NE(redraw, 0) << "the mirror did not move";
    ASSERT_TRUE(PressKey(dialog_, VK_MENU, key)) << "the key could not be sent";
    EXPECT_TRUE(WaitUntil([&] { return ShowsDisplayedMonth(); }, kConditionLimit))
        << "Alt+" << key << " did not show month " << sheet_.Displayed.month << " of "
        << sheet_.Displayed.year;
  }

  // Waits until the dialog is destroyed and the program is back in its main
  // loop (a message sent to the main window is handled only there), that is
  // until the dialog's fonts are deleted and the chosen day is shown.
  bool WaitForDialogGone() {
    if (!WaitUntil([&] { return !IsWindow(dialog_); }, kConditionLimit)) return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(run_.Window, WM_NULL, 0, 0, SMTO_NORMAL, kConditionLimit,
                               &ignored) != 0;
  }

  // Waits until window has the keyboard focus of its thread (right after a
  // start or a dialog, activation may still be under way); keys sent before
  // would arrive as system keys of the active window.
  bool WaitForFocus(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return WaitUntil(
        [&] {
          GUITHREADINFO info = {};
          info.cbSize = sizeof info;
          return GetGUIThreadInfo(thread, &info) && info.hwndFocus == window;
        },
        kConditionLimit);
  }

  // The thread's focus and active window and the foreground window, for a message.
  static std::string FocusReport(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    char text[160];
    snprintf(text, sizeof text, "focus %p, active %p, foreground %p, window %p",
             static_cast<void*>(info.hwndFocus), static_cast<void*>(info.hwndActive),
             static_cast<void*>(GetForegroundWindow()), static_cast<void*>(window));
    return text;
  }

  // Opens the calendar with Ctrl+D pressed on the main window.
  void OpenWithCtrlD() {
    ASSERT_TRUE(BringToFront(run_.Window));
    ASSERT_TRUE(WaitForFocus(run_.Window))
        << "the main window does not have the keyboard: " << FocusReport(run_.Window);
    ASSERT_TRUE(PressKey(run_.Window, VK_CONTROL, 'D'));
    ASSERT_NO_FATAL_FAILURE(Attach());
  }
  // Opens the calendar with a click near the left end of the date band.
  void OpenWithDateBandClick() {
    RECT client = {};
    GetClientRect(run_.Window, &client);
    PostMessageW(run_.Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, client.bottom - 2));
    ASSERT_NO_FATAL_FAILURE(Attach());
  }

  // Scrolls the main view one row down: a day shown anew would return to row 0.
  void ScrollOneRow() {
    SendMessageW(run_.Window, WM_KEYDOWN, VK_DOWN, 1);
    ASSERT_EQ(TopRow(), 1) << "the day must scroll in this window";
  }

  // Day and Flags as the program stored them at its end.
  void ExpectStored(AbsoluteDay day, uint32_t flags) {
    uint32_t storedDay = 0, storedFlags = 0;
    ASSERT_TRUE(StoredDword(L"Day", &storedDay));
    ASSERT_TRUE(StoredDword(L"Flags", &storedFlags));
    EXPECT_EQ(static_cast<AbsoluteDay>(storedDay), day);
    EXPECT_EQ(storedFlags, flags) << std::hex << storedFlags;
  }

  // Saves the dialog, frame included, as name.bmp in $ZELVAN_SCREENSHOT_DIR (if set).
  void Screenshot(const char* name) {
    const char* folder = getenv("ZELVAN_SCREENSHOT_DIR");
    if (folder == nullptr || folder[0] == 0) return;
    Picture picture;
    ASSERT_TRUE(CaptureWindow(dialog_, &picture));
    const std::string path = std::string(folder) + "/" + name + ".bmp";
    ASSERT_TRUE(SaveBitmap(picture, WindowsPath(path.c_str())));
  }

  AbsoluteDay day_ = 0;
  uint32_t flags_ = 0;
  HWND dialog_ = nullptr;
  CalendarState sheet_ = {};
};

}  // namespace

// Ctrl+D opens the calendar on the shown day; Esc (a real key) closes it and
// nothing changes: the view keeps its scrolled row, the day and the flags stay.
TEST_F(CalendarDialog, CtrlDOpensAndEscChangesNothing) {
  ASSERT_NO_FATAL_FAILURE(StartOn(kStartDay, ReverseAsAFirstStartSetsIt()));
  ASSERT_NO_FATAL_FAILURE(ScrollOneRow());
  ASSERT_NO_FATAL_FAILURE(OpenWithCtrlD());
  EXPECT_EQ(sheet_.Displayed.month, 6);
  ASSERT_TRUE(PressKey(dialog_, 0, VK_ESCAPE));
  EXPECT_TRUE(WaitForDialogGone()) << "Esc did not close the dialog";
  EXPECT_EQ(TopRow(), 1) << "the day was shown anew";
  ASSERT_NO_FATAL_FAILURE(Close());
  ExpectStored(kStartDay, flags_);
}

// A click in the date band opens the calendar; a click on a day moves the
// program there (a day chosen by number: the fixed-day bit is set).
TEST_F(CalendarDialog, DateBandClickOpensAndADayClickMovesThere) {
  ASSERT_NO_FATAL_FAILURE(StartOn(kStartDay, ReverseAsAFirstStartSetsIt()));
  ASSERT_NO_FATAL_FAILURE(ScrollOneRow());
  ASSERT_NO_FATAL_FAILURE(OpenWithDateBandClick());
  const AbsoluteDay picked = ClickDay(21);
  EXPECT_EQ(picked, HebrewToAbsolute(6, 21, 5784));
  EXPECT_EQ(TopRow(), 0) << "the day was not shown";
  // The part of the window under the dialog is painted again after it closed.
  EXPECT_TRUE(WaitUntil([&] { return ShowsADay(); }, kConditionLimit));
  ASSERT_NO_FATAL_FAILURE(Close());
  ExpectStored(picked, flags_);
}

// The Calendar command (both menus send it) and a click on the day already
// shown: the dialog closes and the program stays where it was.
TEST_F(CalendarDialog, ClickOnTheShownDayChangesNothing) {
  ASSERT_NO_FATAL_FAILURE(StartOn(kStartDay, 0));
  ASSERT_NO_FATAL_FAILURE(ScrollOneRow());
  PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandCalendar, 0), 0);
  ASSERT_NO_FATAL_FAILURE(Attach());
  EXPECT_EQ(ClickDay(10), kStartDay);
  EXPECT_EQ(TopRow(), 1) << "the day was shown anew";
  ASSERT_NO_FATAL_FAILURE(Close());
  ExpectStored(kStartDay, flags_);
}

// Months and years with the mouse (month buttons, both arrows) and with the
// Alt keys, then a day: the program moves to that day of the month shown.
TEST_F(CalendarDialog, MouseAndAltKeysMoveThroughMonthsAndYears) {
  ASSERT_NO_FATAL_FAILURE(StartOn(kStartDay, ReverseAsAFirstStartSetsIt()));
  ASSERT_NO_FATAL_FAILURE(OpenWithCtrlD());
  ClickMonth(13);      // Adar II 5784
  ClickArrow(true);    // 5785, a common year: Adar
  ClickArrow(false);   // 5784 again: Adar I
  ClickMonth(2);       // Iyar
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_DOWN));   // Sivan
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_END));    // Adar II
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_NEXT));   // Adar of 5785
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_RIGHT));  // Shevat
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_HOME));   // Nisan 5785
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_UP));     // Adar of 5785
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_PRIOR));  // Adar I of 5784
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_LEFT));   // Adar II
  EXPECT_EQ(sheet_.Displayed.month, 13);
  EXPECT_EQ(sheet_.Displayed.year, 5784);
  const AbsoluteDay picked = ClickDay(29);
  EXPECT_EQ(picked, HebrewToAbsolute(13, 29, 5784));
  ASSERT_NO_FATAL_FAILURE(Close());
  ExpectStored(picked, flags_);
}

// The keyboard alone: the arrows move the selected day as the sheet is drawn,
// Page Up and Page Down a month, with Ctrl a year, Home and End to the ends of
// the month; an Alt key or a month button still shows another month, in which
// the next arrow goes on. The screen reader's name follows every move of the
// selection and every other month shown, each announced once; Enter picks the
// day and the program moves there.
TEST_F(CalendarDialog, KeyboardPicksADayAndAScreenReaderHearsEachMove) {
  struct Row {
    const char* what;
    WORD modifier;  // VK_LBUTTON: a click on the button of month key
    WORD key;
    HebrewDate selected;  // month, day, year afterwards
    const wchar_t* sheet = nullptr;  // the name while another month is shown
  };
  const Row rows[] = {
      {"Right: the next day", 0, VK_RIGHT, {6, 11, 5784}},
      {"Down: a week later", 0, VK_DOWN, {6, 18, 5784}},
      {"Left: the day before", 0, VK_LEFT, {6, 17, 5784}},
      {"Up: a week earlier", 0, VK_UP, {6, 10, 5784}},
      {"End: the last day of Elul", 0, VK_END, {6, 29, 5784}},
      {"Right: into the new year", 0, VK_RIGHT, {7, 1, 5785}},
      {"Page Down: the next month", 0, VK_NEXT, {8, 1, 5785}},
      {"Down: a week into Heshvan", 0, VK_DOWN, {8, 8, 5785}},
      {"Home: the first of the month", 0, VK_HOME, {8, 1, 5785}},
      {"Ctrl+Page Up: a year earlier", VK_CONTROL, VK_PRIOR, {8, 1, 5784}},
      {"Page Up: the month before", 0, VK_PRIOR, {7, 1, 5784}},
      {"Ctrl+Page Down: a year later", VK_CONTROL, VK_NEXT, {7, 1, 5785}},
      {"Alt+Down shows Heshvan", VK_MENU, VK_DOWN, {7, 1, 5785}, L"\u05D7\u05E9\u05D5\u05DF 5785"},
      {"Right goes on from its carried day", 0, VK_RIGHT, {8, 2, 5785}},
      {"Home", 0, VK_HOME, {8, 1, 5785}},
      {"the button of Kislev", VK_LBUTTON, 9, {8, 1, 5785}, L"\u05DB\u05E1\u05DC\u05D5 5785"},
      {"Left stays in Kislev", 0, VK_LEFT, {9, 1, 5785}},
  };
  auto dayName = [](AbsoluteDay day) {  // weekday, Gregorian and Hebrew date
    WideChar* text = DayNameText(day, ProgramText);
    const std::wstring name = text ? text : L"";
    free(text);
    return name;
  };
  ASSERT_NO_FATAL_FAILURE(StartOn(kStartDay, ReverseAsAFirstStartSetsIt()));
  ASSERT_NO_FATAL_FAILURE(OpenWithCtrlD());
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  EXPECT_EQ(ReadClient(dialog_, CHILDID_SELF).Name, dayName(kStartDay));
  ASSERT_TRUE(ListenForChanges(run_.ProcessId));
  std::wstring name = dayName(kStartDay);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const int heard = HeardChanges(EVENT_OBJECT_NAMECHANGE, dialog_);
    if (row.modifier == VK_MENU) {
      ASSERT_NO_FATAL_FAILURE(PressAlt(row.key));
    } else if (row.modifier == VK_LBUTTON) {
      ClickMonth(row.key);
    } else {
      ASSERT_NE(MoveCalendarSelection(&sheet_, row.key, row.modifier == VK_CONTROL), 0);
      ASSERT_TRUE(PressKey(dialog_, row.modifier, row.key));
    }
    const AbsoluteDay selected = HebrewToAbsolute(row.selected.month, row.selected.day, row.selected.year);
    EXPECT_EQ(SelectedCalendarDay(&sheet_), selected);
    const std::wstring told = row.sheet != nullptr ? row.sheet : dayName(selected);
    EXPECT_TRUE(WaitUntil([&] { return ReadClient(dialog_, CHILDID_SELF).Name == told; },
                          kConditionLimit)) << "the name does not follow the selected day or sheet";
    EXPECT_TRUE(WaitUntil([&] { return ShowsDisplayedMonth(); }, kConditionLimit));
    const int announced = heard + (told != name ? 1 : 0);
    name = told;
    EXPECT_TRUE(WaitUntil([&] { return HeardChanges(EVENT_OBJECT_NAMECHANGE, dialog_) == announced; },
                          kConditionLimit)) << "not announced once";
  }
  StopListening();
  CoUninitialize();
  ASSERT_TRUE(PressKey(dialog_, 0, VK_RETURN));
  EXPECT_TRUE(WaitForDialogGone()) << "Enter did not close the dialog";
  ASSERT_NO_FATAL_FAILURE(Close());
  ExpectStored(HebrewToAbsolute(9, 1, 5785), flags_);
}

// In Hebrew the sheet is laid out from the right: a month button, the year's
// forward arrow and a day are clicked where the mirrored sheet has them, and
// Left, the way the grid reads on, moves to the next day, which Enter picks.
TEST_F(CalendarDialog, MirroredInHebrew) {
  const wchar_t kHebrewCaption[] = L"\u05DC\u05D5\u05D7 \u05E9\u05E0\u05D4 \u05E2\u05D1\u05E8\u05D9";
  PutDword(kProductKey, L"Language", 0x040D);
  ASSERT_NO_FATAL_FAILURE(StartOn(kStartDay, ReverseAsAFirstStartSetsIt()));
  PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandCalendar, 0), 0);
  ASSERT_NO_FATAL_FAILURE(Attach(kHebrewCaption));
  ASSERT_EQ(sheet_.Mirrored, 1);
  ClickMonth(2);      // Iyar 5784
  ClickArrow(true);   // Iyar 5785
  const AbsoluteDay picked = ClickDay(21);
  EXPECT_EQ(picked, HebrewToAbsolute(2, 21, 5785));
  day_ = picked;
  PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandCalendar, 0), 0);
  ASSERT_NO_FATAL_FAILURE(Attach(kHebrewCaption));
  ASSERT_TRUE(PressKey(dialog_, 0, VK_LEFT));
  ASSERT_TRUE(PressKey(dialog_, 0, VK_RETURN));
  EXPECT_TRUE(WaitForDialogGone()) << "Enter did not close the dialog";
  ASSERT_NO_FATAL_FAILURE(Close());
  ExpectStored(picked + 1, flags_);
}

// Opened and closed many times, the program holds as many GDI objects as
// before: the dialog's fonts and device context are given back.
TEST_F(CalendarDialog, OpeningsLeaveNoGdiObjects) {
  ASSERT_NO_FATAL_FAILURE(StartOn(kStartDay, ReverseAsAFirstStartSetsIt()));
  const DWORD thread = GetWindowThreadProcessId(run_.Window, nullptr);
  auto openAndClose = [&](int i) {
    PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandCalendar, 0), 0);
    ASSERT_NO_FATAL_FAILURE(Attach());
    if (i % 2) ClickArrow(true);
    PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForDialogGone());
  };
  ASSERT_NO_FATAL_FAILURE(openAndClose(0));  // the system's caches fill
  const GdiObjectCounts before = CountGdiObjects(run_.Process, thread);
  ASSERT_GT(before.Total, 0) << "the program's GDI objects cannot be counted";
  constexpr int kCycles = 20;
  for (int i = 1; i <= kCycles; ++i) ASSERT_NO_FATAL_FAILURE(openAndClose(i));
  // Fonts must match exactly; Wine's window DC cache may grow a little.
  EXPECT_EQ(CompareGdiObjects(before, CountGdiObjects(run_.Process, thread), 0, kCycles / 4), "");
  ASSERT_NO_FATAL_FAILURE(Close());
}

// The screenshots of docs/ (with ZELVAN_SCREENSHOT_DIR set): a common-year
// month, Adar I and Adar II of a leap year with the split button, a six-row
// month and the month after it. Each sheet is checked on the screen too.
TEST_F(CalendarDialog, Screenshots) {
  const uint32_t reverse = getenv("ZELVAN_SCREENSHOT_PLAIN") ? 0 : ReverseAsAFirstStartSetsIt();
  ASSERT_NO_FATAL_FAILURE(StartOn(HebrewToAbsolute(8, 17, 5785), reverse));  // Heshvan, common
  ASSERT_NO_FATAL_FAILURE(OpenWithCtrlD());
  ASSERT_NO_FATAL_FAILURE(Screenshot("calendar-common-year"));
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_PRIOR));  // Heshvan 5784, leap
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_END));    // Adar II
  ClickMonth(12);                               // Adar I
  ASSERT_NO_FATAL_FAILURE(Screenshot("calendar-adar-1"));
  ClickMonth(13);
  ASSERT_NO_FATAL_FAILURE(Screenshot("calendar-adar-2"));
  PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitForDialogGone());
  ASSERT_NO_FATAL_FAILURE(Close());

  const AbsoluteDay sixRows = SixRowMonthFrom(5785);
  ASSERT_NO_FATAL_FAILURE(StartOn(sixRows, reverse));
  ASSERT_NO_FATAL_FAILURE(OpenWithCtrlD());
  ASSERT_EQ(CalendarWeekRows(sheet_.FirstWeekday, sheet_.MonthLength), 6);
  ASSERT_NO_FATAL_FAILURE(Screenshot("calendar-six-rows"));
  ASSERT_NO_FATAL_FAILURE(PressAlt(VK_LEFT));  // the next month: five rows
  ASSERT_NO_FATAL_FAILURE(Screenshot("calendar-after-six-rows"));
  // Nothing of the sixth row is left: its place has the dialog's face colour.
  Picture picture;
  ASSERT_TRUE(CaptureClient(dialog_, &picture));
  const int32_t g = sheet_.GridTop, ch = sheet_.CellHeight;
  const int32_t left = sheet_.GridLeft, right = sheet_.GridLeft + sheet_.GridWidth;
  const RECT sixth = {left, g + 6 * ch + 1, right, g + 7 * ch + 1};
  const uint32_t face = PixelOf(picture, 1, picture.Height - 1);
  EXPECT_EQ(CountPixels(picture, sixth, [face](uint32_t p) { return p == face; }),
            (sixth.right - sixth.left) * (sixth.bottom - sixth.top));
  PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitForDialogGone());
  ASSERT_NO_FATAL_FAILURE(Close());
}
