// The calendar dialog as a window in this process: dialog 106 from zelvan.exe
// (loaded as a data file), driven from a second thread with the messages the
// system would send, its state read through the dialog, its pixels read back.
#include "calendar_dialog/calendar_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "calendar_dialog/calendar_drawing.h"
#include "calendar_dialog/calendar_geometry.h"
#include "calendar_dialog/calendar_model.h"
#include "common/app_state.h"
#include "lessons/text_stream.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr wchar_t kCaption[] = L"Hebrew Calendar";
constexpr DWORD kLimitMs = 10000;

// zelvan.exe, which holds dialog 106, as a data file; null if it cannot be loaded.
HMODULE ProgramResources() {
  static HMODULE module = [] {
    std::string unixPath = ZELVAN_PROGRAM_EXE;
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }();
  return module;
}

// Wine's X11 driver waits up to two seconds for a window manager to take each
// hidden window back; the test display has none. Set before this process
// loads the driver, which it does at its first window.
const bool kUnmanagedWindows = [] {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const wchar_t no[] = L"N";
  const bool set = RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(no),
                                  sizeof no) == ERROR_SUCCESS;
  RegCloseKey(key);
  return set;
}();

using Script = std::function<void(HWND dialog, CalendarState* cal)>;

struct Session {
  DWORD DialogThread;
  Script Steps;
  HANDLE Returned;    // set once ShowCalendarDialog has returned
  bool Found;         // the dialog appeared
  bool LeftOpen;      // the script did not end the dialog; it was cancelled
};

// This process's visible calendar dialog of thread; null if none.
HWND FindCalendar(DWORD thread) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, L"#32770", kCaption)) != nullptr) {
    if (GetWindowThreadProcessId(window, nullptr) == thread && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

DWORD WINAPI RunScript(void* parameter) {
  Session* session = static_cast<Session*>(parameter);
  HWND dialog = nullptr;
  for (DWORD waited = 0; waited < kLimitMs && dialog == nullptr; waited += 5) {
    dialog = FindCalendar(session->DialogThread);
    if (dialog == nullptr) Sleep(5);
  }
  if (dialog == nullptr) return 0;
  session->Found = true;
  // The first paint has placed the arrows and left nothing to paint.
  CalendarState* cal = reinterpret_cast<CalendarState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  for (DWORD waited = 0; waited < kLimitMs; waited += 5) {
    if (cal->ArrowWidth > 0 && cal->RedrawFlags == 0 && !GetUpdateRect(dialog, nullptr, FALSE)) break;
    Sleep(5);
  }
  session->Steps(dialog, cal);
  if (WaitForSingleObject(session->Returned, kLimitMs) != WAIT_OBJECT_0) {
    session->LeftOpen = true;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  return 0;
}

// Shows the dialog on day with font name, runs steps against it from a second
// thread and returns what ShowCalendarDialog returned.
AbsoluteDay RunDialog(AbsoluteDay day, const wchar_t* font, const Script& steps,
                      bool expectEnded = true) {
  Session session = {GetCurrentThreadId(), steps, CreateEventW(nullptr, TRUE, FALSE, nullptr),
                     false, false};
  HANDLE thread = CreateThread(nullptr, 0, RunScript, &session, 0, nullptr);
  const AbsoluteDay result = ShowCalendarDialog(ProgramResources(), nullptr, day, font);
  SetEvent(session.Returned);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CloseHandle(session.Returned);
  EXPECT_TRUE(session.Found) << "the dialog did not appear";
  if (expectEnded) {
    EXPECT_FALSE(session.LeftOpen) << "the dialog stayed open";
  }
  return result;
}

void Click(HWND dialog, int32_t x, int32_t y) {
  SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}
// A key pressed while Alt is held (context code bit 29 set).
void AltKey(HWND dialog, WPARAM key) { SendMessageW(dialog, WM_SYSKEYDOWN, key, 0x20000001); }
void Cancel(HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }

// Centre of day's cell on the displayed sheet.
POINT DayCentre(const CalendarState* cal, int32_t day) {
  int32_t row = 0, column = 0;
  EXPECT_TRUE(CalendarDayCell(cal, day, &row, &column)) << day;
  const CalendarRect cell = CalendarCellRect(cal, row, column);
  return POINT{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
}
POINT ButtonCentre(const CalendarState* cal, int32_t month) {
  const MonthButton& b = cal->Buttons[month - 1];
  return POINT{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
}

bool IsDarkPixel(uint32_t p) {
  return ((p >> 16) & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p & 0xFF) < 0x60;
}

// The dialog's client area as it is on the screen.
struct Screen {
  explicit Screen(HWND dialog) {
    RECT client = {};
    GetClientRect(dialog, &client);
    OpenCanvas(&canvas, client.right, client.bottom);
    HDC dc = GetDC(dialog);
    BitBlt(canvas.Dc, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(dialog, dc);
    GdiFlush();
  }
  ~Screen() { CloseCanvas(&canvas); }
  // Share of dark pixels in area, in percent.
  int DarkPercent(const RECT& area) {
    int dark = 0, all = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        ++all;
        dark += IsDarkPixel(PixelAt(canvas, x, y));
      }
    }
    return all ? dark * 100 / all : 0;
  }
  // Inside month button k's frame.
  int ButtonDarkPercent(const CalendarState* cal, int32_t k) {
    const MonthButton& b = cal->Buttons[k - 1];
    const int32_t in = 2 * CalendarLineWidth(cal);
    return DarkPercent(RECT{b.Left + in, b.Top + in, b.Right - in, b.Bottom - in});
  }
  bool SameAs(const Screen& other) const {
    return canvas.Width == other.canvas.Width && canvas.Height == other.canvas.Height &&
           std::equal(canvas.Pixels, canvas.Pixels + canvas.Width * canvas.Height,
                      other.canvas.Pixels);
  }
  Canvas canvas = {};
};

// Polls condition until it holds, for up to two seconds. The display server
// may ask for a repaint at any time (an exposure), which erases the dialog
// and paints it again: what the screen shows is checked once that has passed.
bool Until(const std::function<bool()>& condition) {
  for (int i = 0; i < 400; ++i) {
    if (condition()) return true;
    Sleep(5);
  }
  return condition();
}

// True if the sheet shows the displayed month: its button dark, every other light.
bool ShowsDisplayedMonth(HWND dialog, const CalendarState* cal) {
  Screen screen(dialog);
  for (int32_t k = 1; k <= 12 + cal->Leap; ++k) {
    const int dark = screen.ButtonDarkPercent(cal, k);
    if (k == cal->Displayed.month ? dark <= 70 : dark >= 30) return false;
  }
  return true;
}

void ExpectSheetShowsDisplayedMonth(HWND dialog, const CalendarState* cal) {
  EXPECT_TRUE(Until([&] { return ShowsDisplayedMonth(dialog, cal); }))
      << "month " << cal->Displayed.month << " of " << cal->Displayed.year << " is not shown";
}

// True once the screen looks like before.
bool LooksAsBefore(HWND dialog, const Screen& before) {
  return Until([&] { return Screen(dialog).SameAs(before); });
}

class CalendarWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(ProgramResources(), nullptr) << "zelvan.exe could not be loaded";
    App = AppState{};
    App.Font.FontAsciiBase = kDefaultAsciiBase;
    App.Flags = kFlagReverse;
  }
  void TearDown() override { App = AppState{}; }
};

const AbsoluteDay kElul10 = HebrewToAbsolute(6, 10, 5784);

// The window: class, caption, styles, a client area of 160 x 160 dialog units,
// the state of the given day, and fonts of height 14 in normal and bold weight
// that are deleted once the dialog is closed, whichever way it was closed.
// Enter picks the selected day; every other way of closing returns nothing.
TEST_F(CalendarWindowTest, OpensOnTheDayAndOnlyEnterReturnsADay) {
  struct Row {
    const char* way;
    std::function<void(HWND)> close;
    AbsoluteDay result;
  };
  const Row rows[] = {
      {"Esc", [](HWND d) { SendMessageW(d, WM_COMMAND, IDCANCEL, 0); }, 0},
      {"Enter", [](HWND d) { SendMessageW(d, WM_COMMAND, IDOK, 0); }, kElul10},
      {"close box", [](HWND d) { SendMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
      {"Alt+F4", [](HWND d) { SendMessageW(d, WM_SYSKEYDOWN, VK_F4, 0x20000001); }, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.way);
    HFONT fonts[2] = {};
    const AbsoluteDay result = RunDialog(kElul10, L"DejaVu Sans", [&](HWND dialog, CalendarState* cal) {
      wchar_t text[64] = {};
      GetClassNameW(dialog, text, 64);
      EXPECT_STREQ(text, L"#32770");
      const LONG style = GetWindowLongW(dialog, GWL_STYLE);
      const LONG wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
      EXPECT_EQ(style & wanted, wanted);
      RECT units = {0, 0, 160, 160}, client = {};
      MapDialogRect(dialog, &units);
      GetClientRect(dialog, &client);
      EXPECT_EQ(client.right, units.right);
      EXPECT_EQ(client.bottom, units.bottom);

      HebrewDate date;
      AbsoluteToHebrew(kElul10, &date);
      EXPECT_EQ(cal->Result, kElul10);
      EXPECT_EQ(cal->Displayed.month, 6);
      EXPECT_EQ(cal->Selected.day, 10);
      EXPECT_EQ(cal->Selected.year, 5784);
      EXPECT_NE(cal->Dc, nullptr);
      EXPECT_GT(cal->TextHeight, 0);
      EXPECT_GT(cal->ArrowWidth, 0) << "the arrows are placed at the first paint";
      fonts[0] = cal->NormalFont;
      fonts[1] = cal->BoldFont;
      LOGFONTW normal = {}, bold = {};
      ASSERT_EQ(GetObjectW(fonts[0], sizeof normal, &normal), static_cast<int>(sizeof normal));
      ASSERT_EQ(GetObjectW(fonts[1], sizeof bold, &bold), static_cast<int>(sizeof bold));
      EXPECT_EQ(normal.lfHeight, 14);
      EXPECT_EQ(normal.lfWeight, FW_NORMAL);
      EXPECT_EQ(bold.lfWeight, FW_BOLD);
      EXPECT_STREQ(bold.lfFaceName, L"DejaVu Sans");
      ExpectSheetShowsDisplayedMonth(dialog, cal);
      r.close(dialog);
    });
    EXPECT_EQ(result, r.result) << r.way;
    EXPECT_EQ(GetObjectType(fonts[0]), 0u) << r.way << ": normal font not deleted";
    EXPECT_EQ(GetObjectType(fonts[1]), 0u) << r.way << ": bold font not deleted";
  }
}

// Day 0 opens on today, with today selected.
TEST_F(CalendarWindowTest, DayZeroOpensOnToday) {
  GregorianDate today;
  GetToday(&today);
  const AbsoluteDay todayDay = GregorianToAbsolute(today.month, today.day, today.year);
  RunDialog(0, nullptr, [&](HWND dialog, CalendarState* cal) {
    EXPECT_EQ(cal->Result, todayDay);
    HebrewDate date;
    AbsoluteToHebrew(todayDay, &date);
    EXPECT_EQ(cal->Selected.month, date.month);
    EXPECT_EQ(cal->Selected.day, date.day);
    Cancel(dialog);
  });
}

// A click on a day cell ends the dialog with that day of the displayed month,
// after navigation as well; a click on the selected day returns it.
TEST_F(CalendarWindowTest, ClickOnADayReturnsThatDay) {
  struct Row {
    const char* what;
    std::function<void(HWND, CalendarState*)> before;
    int32_t day;
    AbsoluteDay expected;
  };
  const Row rows[] = {
      {"last day", nullptr, 29, HebrewToAbsolute(6, 29, 5784)},  // Elul has 29
      {"the selected day", nullptr, 10, kElul10},
      {"after Alt+Left into the next year", [](HWND d, CalendarState*) { AltKey(d, VK_LEFT); },
       30, HebrewToAbsolute(7, 30, 5785)},
      {"after the button of Adar II",
       [](HWND d, CalendarState* c) {
         POINT p = ButtonCentre(c, 13);
         Click(d, p.x, p.y);
       },
       15, HebrewToAbsolute(13, 15, 5784)},
      {"after the forward arrow",
       [](HWND d, CalendarState* c) {
         Click(d, c->ForwardArrowLeft + c->ArrowWidth / 2, c->YearRowTop + c->TextHeight / 2);
       },
       2, HebrewToAbsolute(6, 2, 5785)},
  };
  for (const Row& r : rows) {
    const AbsoluteDay result = RunDialog(kElul10, nullptr, [&](HWND dialog, CalendarState* cal) {
      if (r.before) r.before(dialog, cal);
      const POINT centre = DayCentre(cal, r.day);
      Click(dialog, centre.x, centre.y);
    });
    EXPECT_EQ(result, r.expected) << r.what;
  }
}

// Clicks that no test claims change nothing and leave the dialog open.
TEST_F(CalendarWindowTest, ClicksOnNothingChangeNothing) {
  // 1 Tishrei 5785 is a Thursday: the cells before it are empty.
  const AbsoluteDay tishrei1 = HebrewToAbsolute(7, 1, 5785);
  ASSERT_EQ(WeekdayOf(tishrei1), 4);
  const AbsoluteDay result = RunDialog(tishrei1, nullptr, [&](HWND dialog, CalendarState* cal) {
    ExpectSheetShowsDisplayedMonth(dialog, cal);
    const Screen before(dialog);
    const CalendarRect firstCell = CalendarCellRect(cal, 1, 0);
    const CalendarRect header = CalendarCellRect(cal, 0, 3);
    const POINT own = ButtonCentre(cal, 7);
    const int32_t yearY = cal->YearRowTop + cal->TextHeight / 2;
    const POINT points[] = {
        {firstCell.Left + 3, firstCell.Top + 3},            // empty cell before day 1
        {header.Left + 3, header.Top + 3},                  // weekday header
        {(cal->ClientRight - cal->ClientLeft) / 2, yearY},  // the year text
        {own.x, own.y},                                     // the displayed month's button
    };
    for (const POINT& p : points) {
      Click(dialog, p.x, p.y);
      EXPECT_EQ(cal->Result, tishrei1) << p.x << "," << p.y;
      EXPECT_EQ(cal->Displayed.month, 7);
    }
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(LooksAsBefore(dialog, before)) << "a click on nothing repainted differently";
    Cancel(dialog);
  });
  EXPECT_EQ(result, 0);
}

// Alt keys and the month buttons and arrows change the sheet and repaint it:
// after each step the new month's button is the dark one.
TEST_F(CalendarWindowTest, KeysButtonsAndArrowsRepaintTheSheet) {
  struct Row {
    const char* what;
    std::function<void(HWND, CalendarState*)> step;
    int32_t month;
    int32_t year;
  };
  auto button = [](int32_t k) {
    return [k](HWND d, CalendarState* c) {
      POINT p = ButtonCentre(c, k);
      Click(d, p.x, p.y);
    };
  };
  auto arrow = [](bool forward) {
    return [forward](HWND d, CalendarState* c) {
      const int32_t left = forward ? c->ForwardArrowLeft : c->BackArrowLeft;
      Click(d, left + c->ArrowWidth / 2, c->YearRowTop + c->TextHeight / 2);
    };
  };
  auto key = [](WPARAM k) { return [k](HWND d, CalendarState*) { AltKey(d, k); }; };
  // From Elul 5784 (a leap year).
  const Row rows[] = {
      {"Alt+Left: Tishrei of the next year", key(VK_LEFT), 7, 5785},
      {"Alt+Right: back to Elul", key(VK_RIGHT), 6, 5784},
      {"Alt+End: Adar II", key(VK_END), 13, 5784},
      {"Alt+Page Down from Adar II: Adar", key(VK_NEXT), 12, 5785},
      {"a key that is not one of the eight", key('A'), 12, 5785},
      {"a plain key without Alt",
       [](HWND d, CalendarState*) { SendMessageW(d, WM_KEYDOWN, VK_LEFT, 1); }, 12, 5785},
      {"back arrow: Adar I", arrow(false), 12, 5784},
      {"button of Adar II", button(13), 13, 5784},
      {"forward arrow from Adar II: Adar", arrow(true), 12, 5785},
      {"Alt+Page Up: Adar I", key(VK_PRIOR), 12, 5784},
      {"button of Kislev", button(9), 9, 5784},
      {"the shared edge of the split button: Adar I",
       [](HWND d, CalendarState* c) {
         Click(d, c->Buttons[12].Right, (c->Buttons[12].Top + c->Buttons[12].Bottom) / 2);
       },
       12, 5784},
  };

  RunDialog(kElul10, nullptr, [&](HWND dialog, CalendarState* cal) {
    for (const Row& r : rows) {
      r.step(dialog, cal);
      EXPECT_EQ(cal->Displayed.month, r.month) << r.what;
      EXPECT_EQ(cal->Displayed.year, r.year) << r.what;
      ExpectSheetShowsDisplayedMonth(dialog, cal);
    }
    Cancel(dialog);
  });
}

// Moved to a monitor of another DPI, the dialog takes the suggested rectangle;
// its fonts are made anew, gaps and the layout follow, and its lines are as
// thick as the text's rules (2 px at 192).
TEST_F(CalendarWindowTest, FollowsADpiChange) {
  RunDialog(kElul10, nullptr, [&](HWND dialog, CalendarState* cal) {
    for (const int dpi : {192, 96}) {  // twice as large, then back
      SCOPED_TRACE(dpi);
      const HFONT before = cal->NormalFont;
      RECT box = {};
      GetWindowRect(dialog, &box);
      const auto scaled = [dpi](LONG length) { return dpi > 96 ? length * 2 : length / 2; };
      box.right = box.left + scaled(box.right - box.left);
      box.bottom = box.top + scaled(box.bottom - box.top);
      SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&box));
      LOGFONTW font = {};
      GetObjectW(cal->BoldFont, sizeof font, &font);
      EXPECT_EQ(font.lfHeight, 14 * dpi / 96);
      EXPECT_EQ(GetObjectType(before), 0u) << "the font of the old DPI was not deleted";
      EXPECT_EQ(cal->YearRowTop, 2 * dpi / 96);
      ExpectSheetShowsDisplayedMonth(dialog, cal);
      // The rule under the weekday header: its lines dark across the grid, the next one not.
      const LONG y = cal->GridTop + cal->CellHeight + dpi / 96, right = cal->GridLeft + cal->GridWidth;
      const RECT rule = {cal->GridLeft, y - dpi / 96, right, y}, below = {cal->GridLeft, y, right, y + 1};
      EXPECT_TRUE(Until([&] { return Screen(dialog).DarkPercent(rule) == 100; }));
      EXPECT_LT(Screen(dialog).DarkPercent(below), 50);
    }
    Cancel(dialog);
  });
}

// A repaint that the system asks for with the background to be erased draws
// the whole sheet again, not a blank face.
TEST_F(CalendarWindowTest, ErasedAndRepaintedSheetLooksTheSame) {
  RunDialog(kElul10, nullptr, [&](HWND dialog, CalendarState* cal) {
    AltKey(dialog, VK_PRIOR);  // a sheet that is not the first one
    ExpectSheetShowsDisplayedMonth(dialog, cal);
    const Screen before(dialog);
    for (BOOL erase : {TRUE, FALSE}) {
      // Painted at once (UpdateWindow), and as the dialog's message loop finds
      // the invalid area by itself.
      InvalidateRect(dialog, nullptr, erase);
      UpdateWindow(dialog);
      EXPECT_TRUE(LooksAsBefore(dialog, before)) << "erase " << erase;
      InvalidateRect(dialog, nullptr, erase);
      for (int i = 0; i < 1000 && GetUpdateRect(dialog, nullptr, FALSE); ++i) Sleep(5);
      SendMessageW(dialog, WM_NULL, 0, 0);
      EXPECT_TRUE(LooksAsBefore(dialog, before)) << "erase " << erase << " from the message loop";
    }
    Cancel(dialog);
  });
}

// Opened and closed many times: each opening's fonts are deleted after it.
TEST_F(CalendarWindowTest, RepeatedOpeningsDeleteTheirFonts) {
  for (int i = 0; i < 25; ++i) {
    HFONT fonts[2] = {};
    const AbsoluteDay result = RunDialog(kElul10 + 40 * i, nullptr, [&](HWND dialog, CalendarState* cal) {
      fonts[0] = cal->NormalFont;
      fonts[1] = cal->BoldFont;
      const POINT centre = DayCentre(cal, 5);
      Click(dialog, centre.x, centre.y);
    });
    EXPECT_NE(result, 0);
    EXPECT_EQ(GetObjectType(fonts[0]), 0u) << i;
    EXPECT_EQ(GetObjectType(fonts[1]), 0u) << i;
  }
}

// Without the dialog template the dialog cannot be shown: nothing comes back,
// also for day 0, which would otherwise stand for today.
TEST_F(CalendarWindowTest, MissingTemplateReturnsNothing) {
  EXPECT_EQ(ShowCalendarDialog(GetModuleHandleW(nullptr), nullptr, 0, nullptr), 0);
  EXPECT_EQ(ShowCalendarDialog(GetModuleHandleW(nullptr), nullptr, kElul10, nullptr), 0);
}

}  // namespace
