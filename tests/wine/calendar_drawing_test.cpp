// The calendar sheet drawn on a bitmap with the dialog's real fonts: month
// buttons, the selected day, the sixth week row, the seam of the split last
// button, the year row with its arrows, and the widened text of the digits.
#include "calendar_dialog/calendar_drawing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "calendar/calendar_range.h"
#include "calendar_dialog/calendar_dialog.h"
#include "calendar_dialog/calendar_geometry.h"
#include "calendar_dialog/calendar_model.h"
#include "common/app_state.h"
#include "lessons/text_stream.h"
#include "tests/wine/wine_test_support.h"

namespace {

// The client area of dialog 106 under Wine's "System" font is about this size.
constexpr int kSheetWidth = 240;
constexpr int kSheetHeight = 260;

bool IsDark(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) < 0x60 && ((pixel >> 8) & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60;
}
bool IsWhite(uint32_t pixel) { return pixel == 0xFFFFFF; }

// COLOR_BTNFACE as 0x00RRGGBB.
uint32_t ButtonFace() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
}

// First day of a month that starts on Saturday and has 30 days (six week rows).
AbsoluteDay SixRowMonth() {
  for (int32_t year = 5780; year < 5900; ++year) {
    for (int32_t month = 1; month <= HebrewMonthsInYear(year); ++month) {
      const AbsoluteDay first = HebrewToAbsolute(month, 1, year);
      if (WeekdayOf(first) == 6 && HebrewMonthLength(month, year) == 30) return first;
    }
  }
  return 0;
}

class CalendarDrawingTest : public testing::Test {
 protected:
  void SetUp() override {
    App = AppState{};
    App.Font.FontAsciiBase = kDefaultAsciiBase;
    ASSERT_TRUE(OpenCanvas(&canvas_, kSheetWidth, kSheetHeight));
  }
  void TearDown() override {
    if (cal_.NormalFont) DeleteObject(cal_.NormalFont);
    if (cal_.BoldFont) DeleteObject(cal_.BoldFont);
    CloseCanvas(&canvas_);
    App = AppState{};
  }

  // Opens the sheet on day as the dialog does: state, fonts, model, layout,
  // the erased background, and the first paint.
  void Open(AbsoluteDay day) {
    if (cal_.NormalFont) DeleteObject(cal_.NormalFont);
    if (cal_.BoldFont) DeleteObject(cal_.BoldFont);
    ResetCalendarState(&cal_);
    LOGFONTW description;
    DescribeCalendarFont(&description, nullptr);
    cal_.NormalFont = CreateFontIndirectW(&description);
    description.lfWeight = FW_BOLD;
    cal_.BoldFont = CreateFontIndirectW(&description);
    SetCalendarDate(&cal_, day, 1);
    cal_.Dc = canvas_.Dc;
    HGDIOBJ previous = SelectObject(canvas_.Dc, cal_.BoldFont);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(canvas_.Dc, &metrics);
    SelectObject(canvas_.Dc, previous);
    const CalendarRect client = {0, 0, kSheetWidth, kSheetHeight};
    LayoutCalendar(&cal_, &client, metrics.tmHeight);
    Erase();
    cal_.RedrawFlags = kRedrawInitial;
    PaintCalendar(&cal_);
  }

  void Erase() {
    RECT all = {0, 0, canvas_.Width, canvas_.Height};
    FillRect(canvas_.Dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  }

  // A navigation step and the paint the dialog runs after it.
  void Step(uint8_t redraw) {
    ASSERT_NE(redraw, 0) << "the step changed nothing";
    PaintCalendar(&cal_);
  }

  int Count(const RECT& area, const std::function<bool(uint32_t)>& test) {
    GdiFlush();
    int n = 0;
    const int top = std::max<LONG>(area.top, 0), bottom = std::min<LONG>(area.bottom, canvas_.Height);
    const int left = std::max<LONG>(area.left, 0), right = std::min<LONG>(area.right, canvas_.Width);
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (test(canvas_.Pixels[y * canvas_.Width + x] & 0xFFFFFF)) ++n;
      }
    }
    return n;
  }
  static int Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }

  // Inside of month button k's outline.
  RECT ButtonInside(int32_t k) const {
    const MonthButton& b = cal_.Buttons[k - 1];
    return RECT{b.Left + 2, b.Top + 2, b.Right - 2, b.Bottom - 2};
  }
  // Inside of grid cell row, column.
  RECT CellInside(int32_t row, int32_t column) const {
    const CalendarRect c = CalendarCellRect(&cal_, row, column);
    return RECT{c.Left + 1, c.Top + 1, c.Right - 1, c.Bottom - 1};
  }
  // Cells of the week rows whose inside is mostly black.
  int BlackCells() {
    int n = 0;
    for (int32_t row = 1; row <= 6; ++row) {
      for (int32_t column = 0; column < 7; ++column) {
        const RECT inside = CellInside(row, column);
        if (Count(inside, IsDark) * 2 > Area(inside)) ++n;
      }
    }
    return n;
  }
  std::vector<uint32_t> Snapshot() {
    GdiFlush();
    return std::vector<uint32_t>(canvas_.Pixels, canvas_.Pixels + canvas_.Width * canvas_.Height);
  }

  Canvas canvas_ = {};
  CalendarState cal_ = {};
};

// Every month of a common and of a leap year: the displayed month's button is
// black, every other button white, whatever button was inverted before.
TEST_F(CalendarDrawingTest, OnlyTheDisplayedMonthsButtonIsInverted) {
  for (int32_t year : {5783, 5784}) {  // common, leap
    Open(HebrewToAbsolute(1, 1, year));
    for (int32_t month = 1; month <= HebrewMonthsInYear(year); ++month) {
      if (month != cal_.Displayed.month) Step(ChooseCalendarMonth(&cal_, month));
      ASSERT_EQ(cal_.Displayed.month, month);
      for (int32_t k = 1; k <= 12 + cal_.Leap; ++k) {
        const RECT inside = ButtonInside(k);
        const int dark = Count(inside, IsDark);
        if (k == month) {
          EXPECT_GT(dark * 10, Area(inside) * 7) << year << " month " << month << " button " << k;
        } else {
          EXPECT_LT(dark * 10, Area(inside) * 3) << year << " month " << month << " button " << k;
          EXPECT_GT(Count(inside, IsWhite) * 10, Area(inside) * 6) << year << " " << k;
        }
      }
      EXPECT_EQ(cal_.RedrawFlags, 0);
    }
  }
}

// The selected day is black on its own sheet only; the number in it is white.
TEST_F(CalendarDrawingTest, SelectedDayIsHighlightedOnlyOnItsSheet) {
  const AbsoluteDay day = HebrewToAbsolute(8, 17, 5785);
  Open(day);
  int32_t row = 0, column = 0;
  ASSERT_TRUE(CalendarDayCell(&cal_, 17, &row, &column));
  const RECT inside = CellInside(row, column);
  EXPECT_EQ(BlackCells(), 1);
  EXPECT_GT(Count(inside, IsDark) * 2, Area(inside));
  EXPECT_GT(Count(inside, IsWhite), 3) << "no white number";

  Step(StepCalendarYear(&cal_, 1));  // the same month a year later
  EXPECT_EQ(BlackCells(), 0);
  Step(StepCalendarYear(&cal_, -1));
  EXPECT_EQ(BlackCells(), 1);
  Step(CalendarKey(&cal_, kKeyLeft));  // the next month
  EXPECT_EQ(BlackCells(), 0);
  Step(CalendarKey(&cal_, kKeyRight));  // back to the selected month
  EXPECT_EQ(BlackCells(), 1);
  EXPECT_GT(Count(inside, IsDark) * 2, Area(inside));
}

// HighlightDayCell on and off, and days outside the month, which draw nothing.
TEST_F(CalendarDrawingTest, HighlightDayCellOnOffAndOutOfRange) {
  Open(HebrewToAbsolute(2, 1, 5785));
  int32_t row = 0, column = 0;
  ASSERT_TRUE(CalendarDayCell(&cal_, 12, &row, &column));
  const RECT inside = CellInside(row, column);
  HighlightDayCell(&cal_, 12, true);
  EXPECT_GT(Count(inside, IsDark) * 2, Area(inside));
  HighlightDayCell(&cal_, 12, false);
  EXPECT_LT(Count(inside, IsDark) * 4, Area(inside));
  EXPECT_GT(Count(inside, IsDark), 3) << "no number";

  const std::vector<uint32_t> before = Snapshot();
  for (int32_t day : {0, -1, 30, 31, 1000}) HighlightDayCell(&cal_, day, true);  // Iyar has 29
  EXPECT_EQ(Snapshot(), before);
}

// A six-row month followed by a five-row month: the sixth row and its bottom
// rule give way to the button face; the fifth row's bottom rule stays.
TEST_F(CalendarDrawingTest, SixthWeekRowIsClearedByTheNextMonth) {
  const AbsoluteDay first = SixRowMonth();
  ASSERT_NE(first, 0);
  Open(first);
  ASSERT_EQ(cal_.WeekRows, 6);
  const int32_t g = cal_.GridTop, ch = cal_.CellHeight;
  const int32_t left = cal_.GridLeft, right = cal_.GridLeft + cal_.GridWidth;
  const RECT sixth = {left, g + 6 * ch + 1, right, g + 7 * ch + 1};
  EXPECT_GT(Count(sixth, IsWhite), Area(sixth) / 2);
  const RECT bottomRule = {left, g + 7 * ch, right, g + 7 * ch + 1};
  EXPECT_EQ(Count(bottomRule, IsDark), Area(bottomRule));

  Step(CalendarKey(&cal_, kKeyLeft));
  ASSERT_EQ(cal_.WeekRows, 5);
  const uint32_t face = ButtonFace();
  EXPECT_EQ(Count(sixth, [face](uint32_t p) { return p == face; }), Area(sixth));
  const RECT fifthRule = {left, g + 6 * ch, right, g + 6 * ch + 1};
  EXPECT_EQ(Count(fifthRule, IsDark), Area(fifthRule));
}

// From a common year into a leap year the two columns where the halves of the
// last button meet are button face; back in a common year they are the white
// inside of the one button again.
TEST_F(CalendarDrawingTest, SplitButtonSeamIsClearedBothWays) {
  const uint32_t face = ButtonFace();
  auto isFace = [face](uint32_t p) { return p == face; };
  Open(HebrewToAbsolute(12, 10, 5783));  // common year, Adar
  ASSERT_EQ(cal_.Leap, 0);
  const MonthButton adarII = cal_.LeapLast[1];
  const RECT seam = {adarII.Right - 1, adarII.Top + 1, adarII.Right + 1, adarII.Bottom - 1};
  EXPECT_EQ(Count(seam, isFace), 0);

  Step(StepCalendarYear(&cal_, 1));  // 5784, leap: Adar I
  ASSERT_EQ(cal_.Leap, 1);
  ASSERT_EQ(cal_.Displayed.month, 12);
  EXPECT_EQ(Count(seam, isFace), Area(seam));
  // Adar II's half is a plain button with its label; Adar I's is inverted.
  EXPECT_GT(Count(ButtonInside(13), IsWhite) * 2, Area(ButtonInside(13)));
  EXPECT_GT(Count(ButtonInside(13), IsDark), 0) << "no Adar II label";
  EXPECT_GT(Count(ButtonInside(12), IsDark) * 10, Area(ButtonInside(12)) * 7);

  Step(ChooseCalendarMonth(&cal_, 13));
  EXPECT_EQ(Count(seam, isFace), Area(seam));
  Step(StepCalendarYear(&cal_, 1));  // 5785, common: Adar II becomes Adar
  ASSERT_EQ(cal_.Leap, 0);
  ASSERT_EQ(cal_.Displayed.month, 12);
  EXPECT_EQ(Count(seam, isFace), 0);
  Step(CalendarKey(&cal_, kKeyHome));  // the whole button plain: white over the old seam
  EXPECT_EQ(Count(seam, [](uint32_t p) { return IsWhite(p) || IsDark(p); }), Area(seam));
}

// The year text sits centred in a one-pixel black frame; the arrows are placed
// once, ten pixels from the first year's box, and keep their places.
TEST_F(CalendarDrawingTest, YearRowFrameAndArrows) {
  Open(HebrewToAbsolute(7, 1, 5785));
  HGDIOBJ previous = SelectObject(canvas_.Dc, cal_.BoldFont);
  SIZE year = {}, arrow = {};
  GetTextExtentPoint32W(canvas_.Dc, L" 5785 ", 6, &year);
  GetTextExtentPoint32W(canvas_.Dc, L"  <<  ", 6, &arrow);
  SelectObject(canvas_.Dc, previous);
  const int32_t x0 = (kSheetWidth - year.cx) / 2;
  const int32_t top = cal_.YearRowTop, height = cal_.TextHeight;
  EXPECT_EQ(cal_.ArrowWidth, arrow.cx);
  EXPECT_EQ(cal_.ForwardArrowLeft, x0 + year.cx + 10);
  EXPECT_EQ(cal_.BackArrowLeft, x0 - arrow.cx - 10);

  // Frame lines: above, below, left and right of each of the three boxes.
  for (int32_t left : {x0, cal_.BackArrowLeft, cal_.ForwardArrowLeft}) {
    const int32_t width = left == x0 ? year.cx : arrow.cx;
    const RECT lines[] = {
        {left - 1, top - 1, left + width + 1, top},
        {left - 1, top + height, left + width + 1, top + height + 1},
        {left - 1, top - 1, left, top + height + 1},
        {left + width, top - 1, left + width + 1, top + height + 1},
    };
    for (const RECT& line : lines) EXPECT_EQ(Count(line, IsDark), Area(line)) << left;
    const RECT inside = {left, top, left + width, top + height};
    EXPECT_GT(Count(inside, IsWhite) * 2, Area(inside)) << left;
    EXPECT_GT(Count(inside, IsDark), 0) << "no text in the box at " << left;
  }

  const int32_t back = cal_.BackArrowLeft, forward = cal_.ForwardArrowLeft;
  for (int i = 0; i < 3; ++i) Step(CalendarKey(&cal_, kKeyPageDown));
  EXPECT_EQ(cal_.BackArrowLeft, back);
  EXPECT_EQ(cal_.ForwardArrowLeft, forward);
}

// The arrows point the way they lead, with the Reverse option on as under
// Wine: each box holds exactly what left-to-right drawing of its text gives
// (a right-to-left paragraph would mirror "<<" into ">>").
TEST_F(CalendarDrawingTest, ArrowsPointBackAndForward) {
  App.Flags = kFlagReverse;
  Open(HebrewToAbsolute(7, 1, 5785));
  Canvas reference = {};
  ASSERT_TRUE(OpenCanvas(&reference, kSheetWidth, kSheetHeight));
  HGDIOBJ previous = SelectObject(reference.Dc, cal_.BoldFont);
  const int32_t top = cal_.YearRowTop;
  const struct {
    int32_t left;
    const wchar_t* text;
  } arrows[] = {{cal_.BackArrowLeft, L"  <<  "}, {cal_.ForwardArrowLeft, L"  >>  "}};
  for (const auto& arrow : arrows) {
    RECT box = {arrow.left, top, arrow.left + cal_.ArrowWidth, top + cal_.TextHeight};
    DrawTextW(reference.Dc, arrow.text, 6, &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    int differ = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) {
        differ += PixelAt(reference, x, y) != PixelAt(canvas_, x, y);
      }
    }
    EXPECT_EQ(differ, 0) << "the arrow at " << arrow.left << " is not drawn as "
                         << (arrow.text[2] == L'<' ? "<<" : ">>");
  }
  SelectObject(reference.Dc, previous);
  CloseCanvas(&reference);
}

// At the ends of the range the sheet shows its own month in part: the cells
// of the days beyond the range stay white, the days before them have numbers;
// the buttons of months past the end and the arrow that leads past it are grey.
TEST_F(CalendarDrawingTest, DaysBeyondTheRangeHaveEmptyCells) {
  struct Row {
    AbsoluteDay open;
    int32_t emptyDay, numberedDay;
    int32_t greyMonth, blackMonth;
    bool backGrey;  // else the forward arrow
  };
  const Row rows[] = {
      {kLastSupportedDay, 29, 27, 9, 7, false},  // 28 Heshvan 13760 of 29; Kislev past it
      {kFirstSupportedDay, 17, 19, 9, 11, true},  // 18 Tevet 3761; Kislev before it
  };
  const auto isGrey = [](uint32_t p) { return p == 0x808080; };
  for (const Row& row : rows) {
    Open(row.open);
    const auto inside = [&](int32_t day) {
      const int32_t place = cal_.FirstWeekday + day - 1;
      return CellInside(place / 7 + 1, place % 7);
    };
    EXPECT_EQ(Count(inside(row.emptyDay), IsDark), 0) << row.open;
    EXPECT_GT(Count(inside(row.numberedDay), IsDark), 0) << row.open;
    const auto arrow = [&](bool back) {  // with its frame
      const int32_t left = back ? cal_.BackArrowLeft : cal_.ForwardArrowLeft;
      return RECT{left - 1, 0, left + cal_.ArrowWidth + 1, cal_.YearRowTop + cal_.TextHeight + 1};
    };
    for (const RECT& grey : {ButtonInside(row.greyMonth), arrow(row.backGrey)}) {
      EXPECT_EQ(Count(grey, IsDark), 0) << row.open;
      EXPECT_GT(Count(grey, isGrey), 0) << row.open;
    }
    EXPECT_GT(Count(ButtonInside(row.blackMonth), IsDark), 0) << row.open;
    EXPECT_GT(Count(arrow(!row.backGrey), IsDark), 0) << row.open;
  }
}

// From year 10000 (a five-digit text) to 9999: the narrower box is centred
// anew and none of the wider box's frame remains beside it.
TEST_F(CalendarDrawingTest, NarrowerYearLeavesNoOldFrame) {
  Open(HebrewToAbsolute(7, 1, 10000));
  const int32_t top = cal_.YearRowTop, height = cal_.TextHeight;
  const RECT gap = {cal_.BackArrowLeft + cal_.ArrowWidth + 1, top - 1, cal_.ForwardArrowLeft - 1,
                    top + height + 1};
  const int wide = Count(gap, IsDark);
  Step(StepCalendarYear(&cal_, -1));
  ASSERT_EQ(cal_.Displayed.year, 9999);
  HGDIOBJ previous = SelectObject(canvas_.Dc, cal_.BoldFont);
  SIZE year = {};
  GetTextExtentPoint32W(canvas_.Dc, L" 9999 ", 6, &year);
  SelectObject(canvas_.Dc, previous);
  const int32_t x0 = (kSheetWidth - year.cx) / 2;
  const uint32_t face = ButtonFace();
  const RECT leftOfBox = {gap.left, gap.top, x0 - 1, gap.bottom};
  const RECT rightOfBox = {x0 + year.cx + 1, gap.top, gap.right, gap.bottom};
  EXPECT_EQ(Count(leftOfBox, [face](uint32_t p) { return p == face; }), Area(leftOfBox));
  EXPECT_EQ(Count(rightOfBox, [face](uint32_t p) { return p == face; }), Area(rightOfBox));
  EXPECT_LT(Count(gap, IsDark), wide);
}

// Tiny, empty and inverted client areas, missing fonts and a missing device
// context: painting and highlighting stay defined and draw nothing outside.
TEST_F(CalendarDrawingTest, DegenerateSheetsPaintWithoutHarm) {
  struct Row {
    CalendarRect client;
    bool fonts;
    bool dc;
  };
  const Row rows[] = {
      {{0, 0, 0, 0}, true, true},            // empty client area
      {{0, 0, 3, 3}, true, true},            // a few pixels
      {{0, 0, 40, 30}, true, true},          // smaller than the fonts
      {{100, 100, 0, 0}, true, true},        // inverted
      {{0, 0, kSheetWidth, kSheetHeight}, false, true},  // font creation failed
      {{0, 0, kSheetWidth, kSheetHeight}, true, false},  // no device context
  };
  for (const Row& r : rows) {
    Open(HebrewToAbsolute(1, 30, 5784));
    cal_.ArrowWidth = 0;
    HFONT normal = cal_.NormalFont, bold = cal_.BoldFont;
    if (!r.fonts) cal_.NormalFont = cal_.BoldFont = nullptr;
    LayoutCalendar(&cal_, &r.client, r.fonts ? 16 : 0);
    if (!r.dc) cal_.Dc = nullptr;
    Erase();
    const std::vector<uint32_t> blank = Snapshot();
    cal_.RedrawFlags = kRedrawInitial | kRedrawSeam;
    PaintCalendar(&cal_);
    HighlightDayCell(&cal_, 30, true);
    DrawMonthButton(&cal_, 14, true);
    DrawMonthButton(&cal_, 0, true);
    if (!r.dc) {
      EXPECT_EQ(Snapshot(), blank);
    }
    cal_.NormalFont = normal;
    cal_.BoldFont = bold;
    cal_.Dc = canvas_.Dc;
  }
}

class AsciiTextTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenCanvas(&a_, 200, 30));
    ASSERT_TRUE(OpenCanvas(&b_, 200, 30));
  }
  void TearDown() override {
    CloseCanvas(&a_);
    CloseCanvas(&b_);
  }
  bool Same() {
    GdiFlush();
    return std::equal(a_.Pixels, a_.Pixels + 200 * 30, b_.Pixels);
  }
  Canvas a_ = {};
  Canvas b_ = {};
};

// Each byte becomes one UTF-16 unit by sign extension, at most seven of them,
// up to a zero byte: the same pixels as DrawTextW of the expected text.
TEST_F(AsciiTextTest, BytesAreWidenedBySignExtension) {
  struct Row {
    const char* bytes;
    int32_t count;
    std::wstring expected;
  };
  const Row rows[] = {
      {"1 ", 2, L"1 "},                       // day 1: a digit and a blank
      {"29", 2, L"29"},                       // a two-digit day
      {" 5785 ", 6, L" 5785 "},               // a four-digit year
      {" 13760 ", 7, L" 13760 "},             // a five-digit year: all seven
      {"123456789", 9, L"1234567"},           // more than seven: seven
      {"\xE0\x41\x7F\x80", 4, std::wstring{wchar_t(0xFFE0), L'A', wchar_t(0x7F), wchar_t(0xFF80)}},
      {"12\0" "34", 5, L"12"},                // a zero byte ends the text
  };
  for (const Row& r : rows) {
    RECT box = {0, 0, 200, 30};
    FillRect(a_.Dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(b_.Dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int32_t drawn = DrawAsciiText(a_.Dc, reinterpret_cast<const uint8_t*>(r.bytes), r.count,
                                        0, 0, 200, 30);
    const int expected = DrawTextW(b_.Dc, r.expected.c_str(), static_cast<int>(r.expected.size()),
                                   &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(drawn, expected) << r.bytes;
    EXPECT_TRUE(Same()) << r.bytes;
  }
  const uint8_t digits[] = "12";
  for (int32_t count : {0, -1}) {
    EXPECT_EQ(DrawAsciiText(a_.Dc, digits, count, 0, 0, 200, 30), 0);
  }
  EXPECT_EQ(DrawAsciiText(nullptr, digits, 2, 0, 0, 200, 30), 0);
  EXPECT_EQ(DrawAsciiText(a_.Dc, nullptr, 2, 0, 0, 200, 30), 0);
}

// The coloured form draws white on black and gives the colours back.
TEST_F(AsciiTextTest, ColouredFormRestoresTheColours) {
  SetTextColor(a_.Dc, RGB(10, 20, 30));
  SetBkColor(a_.Dc, RGB(200, 210, 220));
  const uint8_t text[] = " 5785 ";
  EXPECT_GT(
      DrawAsciiTextColoured(a_.Dc, text, 6, 0, 0, 200, 30, RGB(255, 255, 255), RGB(0, 0, 0)), 0);
  EXPECT_EQ(GetTextColor(a_.Dc), RGB(10, 20, 30));
  EXPECT_EQ(GetBkColor(a_.Dc), RGB(200, 210, 220));
  GdiFlush();
  int black = 0;
  for (int i = 0; i < 200 * 30; ++i) black += (a_.Pixels[i] & 0xFFFFFF) == 0;
  EXPECT_GT(black, 100);
}

// The font description: "David" with the Hebrew character set when no face is
// chosen, otherwise the face (cut to 31 characters) with character set 0.
TEST(CalendarFont, DescriptionFromTheFontName) {
  const std::wstring longName(40, L'x');
  const std::wstring cutName(31, L'x');
  struct Row {
    const wchar_t* name;
    const wchar_t* face;
    BYTE charset;
  };
  const Row rows[] = {
      {nullptr, L"David", HEBREW_CHARSET},  // no settings at all
      {L"", L"David", HEBREW_CHARSET},      // none chosen yet
      {L"DejaVu Sans", L"DejaVu Sans", ANSI_CHARSET},
      {longName.c_str(), cutName.c_str(), ANSI_CHARSET},  // cut to the field
  };
  for (const Row& r : rows) {
    LOGFONTW description;
    memset(&description, 0x55, sizeof description);
    DescribeCalendarFont(&description, r.name);
    EXPECT_EQ(description.lfHeight, 14);
    EXPECT_EQ(description.lfWeight, FW_NORMAL);
    EXPECT_EQ(description.lfCharSet, r.charset);
    EXPECT_STREQ(description.lfFaceName, r.face);
    EXPECT_EQ(description.lfWidth, 0);
    EXPECT_EQ(description.lfItalic, 0);
  }
}

}  // namespace
