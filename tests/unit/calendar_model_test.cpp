// The calendar dialog's core: month model, navigation, geometry, day-cell
// placement and hit-testing, without any window.
#include "calendar_dialog/calendar_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "calendar/calendar_range.h"
#include "calendar_dialog/calendar_geometry.h"
#include "calendar_dialog/calendar_hit_test.h"
#include "calendar_dialog/calendar_keyboard.h"

namespace {

// The client area of 160 x 160 dialog units of the System font under Wine,
// and the tmHeight of the bold dialog font (height 14).
constexpr CalendarRect kDialogClient = {0, 0, 240, 260};
constexpr int32_t kDialogTextHeight = 14;
// Widths the paint measures: " 5768 " and "  <<  " in the bold font.
constexpr int32_t kYearTextWidth = 48;
constexpr int32_t kArrowTextWidth = 44;

std::string Bytes(const uint8_t* text) {
  return text == nullptr ? std::string("(null)") : std::string(reinterpret_cast<const char*>(text));
}

std::string DateText(const HebrewDate& date) {
  return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
         std::to_string(date.year);
}

// What the dialog does up to its first paint: reset, model with the date
// selected, layout, then the first paint's arrow placement and week rows.
CalendarState OpenOn(AbsoluteDay day, const CalendarRect& client = kDialogClient,
                     int32_t textHeight = kDialogTextHeight) {
  CalendarState cal;
  ResetCalendarState(&cal);
  SetCalendarDate(&cal, day, 1);
  LayoutCalendar(&cal, &client, textHeight);
  cal.RedrawFlags = kRedrawInitial;
  const int32_t yearLeft = CenterYearText(&cal, kYearTextWidth);
  PlaceCalendarArrows(&cal, yearLeft, kYearTextWidth, kArrowTextWidth);
  UpdateCalendarWeekRows(&cal);
  cal.RedrawFlags = 0;
  return cal;
}

CalendarState OpenOnHebrew(int32_t month, int32_t day, int32_t year) {
  return OpenOn(HebrewToAbsolute(month, day, year));
}

bool SameDate(const HebrewDate& a, const HebrewDate& b) {
  return a.month == b.month && a.day == b.day && a.year == b.year;
}

bool SameButton(const MonthButton& a, const MonthButton& b) {
  return a.Top == b.Top && a.Left == b.Left && a.Bottom == b.Bottom && a.Right == b.Right &&
         a.Label == b.Label;
}

// Field by field: the model, the flags, the geometry and the button table.
bool SameState(const CalendarState& a, const CalendarState& b) {
  if (!SameDate(a.Displayed, b.Displayed) || !SameDate(a.Selected, b.Selected)) return false;
  if (a.Result != b.Result || a.Leap != b.Leap || a.FirstWeekday != b.FirstWeekday ||
      a.WeekRows != b.WeekRows || a.MonthLength != b.MonthLength ||
      a.RedrawFlags != b.RedrawFlags) {
    return false;
  }
  if (a.GridTop != b.GridTop || a.CellWidth != b.CellWidth || a.CellHeight != b.CellHeight ||
      a.GridWidth != b.GridWidth || a.GridLeft != b.GridLeft || a.YearRowTop != b.YearRowTop ||
      a.TextHeight != b.TextHeight || a.BackArrowLeft != b.BackArrowLeft ||
      a.ForwardArrowLeft != b.ForwardArrowLeft || a.ArrowWidth != b.ArrowWidth) {
    return false;
  }
  for (int32_t k = 0; k < kMonthButtonSlots; ++k) {
    if (!SameButton(a.Buttons[k], b.Buttons[k])) return false;
  }
  return true;
}

// Centre of month k's button.
void ButtonCentre(const CalendarState& cal, int32_t k, int32_t* x, int32_t* y) {
  const MonthButton& b = cal.Buttons[k - 1];
  *x = (b.Left + b.Right) / 2;
  *y = (b.Top + b.Bottom) / 2;
}

// Centre of day n's cell.
void DayCentre(const CalendarState& cal, int32_t n, int32_t* x, int32_t* y) {
  int32_t row = 0, column = 0;
  ASSERT_TRUE(CalendarDayCell(&cal, n, &row, &column)) << "day " << n;
  const CalendarRect cell = CalendarCellRect(&cal, row, column);
  *x = (cell.Left + cell.Right) / 2;
  *y = (cell.Top + cell.Bottom) / 2;
}

// ---------------------------------------------------------------------------
// Month-button table

TEST(CalendarModel, LabelsOfBothVariants) {
  const char* const common[13] = {"prjq", "yjja", "pfjr", "gfo{", "ba nhqo", "mfma", "jyz{",
                                  "pfzh", "fmrl", "{bi",  "ibz",  "yda",     nullptr};
  CalendarState cal = OpenOnHebrew(1, 1, 5767);  // common year
  for (int32_t k = 1; k <= 13; ++k) {
    EXPECT_EQ(Bytes(cal.Buttons[k - 1].Label), common[k - 1] ? common[k - 1] : "(null)")
        << "common month " << k;
  }
  // Entry 13 of a common year is the all-zero terminator, like entry 14.
  for (int32_t slot : {12, 13}) {
    const MonthButton& b = cal.Buttons[slot];
    EXPECT_EQ(b.Top | b.Left | b.Bottom | b.Right, 0) << "slot " << slot;
  }

  cal = OpenOnHebrew(1, 1, 5768);  // leap year
  EXPECT_EQ(Bytes(cal.Buttons[11].Label), "'a yda");
  EXPECT_EQ(Bytes(cal.Buttons[12].Label), "'b");
  EXPECT_EQ(cal.Buttons[13].Label, nullptr);
  for (int32_t k = 1; k <= 11; ++k) {
    EXPECT_EQ(Bytes(cal.Buttons[k - 1].Label), common[k - 1]) << "leap month " << k;
  }
}

TEST(CalendarModel, SetCalendarDateTable) {
  struct Row {
    AbsoluteDay day;
    HebrewDate shown;
    int32_t firstWeekday;
    int32_t length;
    int32_t leap;
  };
  const Row rows[] = {
      {732932, {7, 1, 5768}, 4, 30, 1},    // 1 Tishrei 5768, a Thursday
      {732577, {7, 1, 5767}, 6, 30, 0},    // 1 Tishrei 5767, a Saturday
      {732677, {10, 11, 5767}, 5, 29, 0},  // 1 January 2007; 1 Tevet fell on Friday
      {732755, {1, 1, 5767}, 2, 30, 0},    // 20 March 2007 = 1 Nisan 5767, a Tuesday
      {732931, {6, 29, 5767}, 3, 29, 0},   // the day before 1 Tishrei 5768; 1 Elul a Wednesday
      {732962, {8, 1, 5768}, 6, 29, 1},    // Heshvan 5768 is short
  };
  for (const Row& row : rows) {
    CalendarState cal;
    ResetCalendarState(&cal);
    SetCalendarDate(&cal, row.day, 1);
    EXPECT_TRUE(SameDate(cal.Displayed, row.shown)) << row.day << ": " << DateText(cal.Displayed);
    EXPECT_TRUE(SameDate(cal.Selected, row.shown)) << row.day;
    EXPECT_EQ(cal.Result, row.day);
    EXPECT_EQ(cal.FirstWeekday, row.firstWeekday) << row.day;
    EXPECT_EQ(cal.MonthLength, row.length) << row.day;
    EXPECT_EQ(cal.Leap, row.leap) << row.day;
    // Opening installs the variant: bit 0, and bit 3 for a leap year.
    EXPECT_EQ(cal.RedrawFlags, row.leap ? kRedrawMonthButtons | kRedrawSeam : kRedrawMonthButtons)
        << row.day;
  }
}

TEST(CalendarModel, DayZeroIsToday) {
  GregorianDate today;
  GetToday(&today);
  const AbsoluteDay expected = GregorianToAbsolute(today.month, today.day, today.year);
  CalendarState cal;
  ResetCalendarState(&cal);
  SetCalendarDate(&cal, 0, 1);
  EXPECT_EQ(cal.Result, expected);
  HebrewDate date;
  AbsoluteToHebrew(expected, &date);
  EXPECT_TRUE(SameDate(cal.Displayed, date));
  EXPECT_TRUE(SameDate(cal.Selected, date));
  EXPECT_NE(cal.RedrawFlags & kRedrawMonthButtons, 0);

  // Without select, day 0 still counts as a change of the leap flag.
  CalendarState other = cal;
  other.RedrawFlags = 0;
  other.Selected = {1, 1, 1};
  SetCalendarDate(&other, 0, 0);
  EXPECT_NE(other.RedrawFlags & kRedrawMonthButtons, 0);
  EXPECT_EQ(other.Selected.year, 1);  // not selected
}

TEST(CalendarModel, EndsOfTheRangeShowTheirOwnPartialMonths) {
  // Each end opens on its own month; the days beyond the range have empty
  // cells that take no click, and navigation stops at the ends.
  struct End {
    AbsoluteDay day;
    HebrewDate shown;
    int32_t firstShown, lastShown;  // days of the month with a number
  };
  const End ends[] = {
      {kLastSupportedDay, {8, 28, 13760}, 1, 28},  // 31 December 9999, 28 of 29 Heshvan days
      {kFirstSupportedDay, {10, 18, 3761}, 18, 29},  // 1 January 1, from 18 Tevet on
  };
  for (const End& end : ends) {
    CalendarState cal = OpenOn(end.day);
    const std::string what = DateText(end.shown);
    EXPECT_TRUE(SameDate(cal.Displayed, end.shown)) << what << ": " << DateText(cal.Displayed);
    EXPECT_TRUE(SameDate(cal.Selected, end.shown)) << what;
    for (int32_t n = 1; n <= cal.MonthLength; ++n) {
      const bool shown = n >= end.firstShown && n <= end.lastShown;
      int32_t row = 0, column = 0;
      ASSERT_EQ(IsCalendarDayShown(&cal, n), shown) << what << " day " << n;
      ASSERT_EQ(CalendarDayCell(&cal, n, &row, &column), shown) << what << " day " << n;
      // The cell where day n would stand: its number or nothing.
      const int32_t place = cal.FirstWeekday + n - 1;
      const CalendarRect cell = CalendarCellRect(&cal, place / 7 + 1, place % 7);
      CalendarState copy = cal;
      const CalendarClick click =
          ApplyCalendarClick(&copy, (cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
      ASSERT_EQ(click.Action, shown ? kCalendarClickPicked : kCalendarClickIgnored) << what << n;
      if (shown) {
        ASSERT_EQ(copy.Result, end.day - end.shown.day + n) << what << " day " << n;
      } else {
        ASSERT_TRUE(SameState(copy, cal)) << what << " day " << n;
      }
    }
    // Nothing beyond the end: the next or previous month, the year after or
    // before; their arrow and Kislev's button (past either end) are grey and refused.
    const bool last = end.day == kLastSupportedDay;
    EXPECT_EQ(CalendarKey(&cal, last ? kKeyLeft : kKeyRight), 0) << what;
    EXPECT_EQ(StepCalendarYear(&cal, last ? 1 : -1), 0) << what;
    EXPECT_FALSE(CanStepCalendarYear(&cal, last ? 1 : -1)) << what;
    EXPECT_TRUE(CanStepCalendarYear(&cal, last ? -1 : 1)) << what;
    int32_t x = 0, y = 0;
    ButtonCentre(cal, 9, &x, &y);
    EXPECT_EQ(ApplyCalendarClick(&cal, x, y).Action, kCalendarClickRefused) << what;
    x = (last ? cal.ForwardArrowLeft : cal.BackArrowLeft) + 1;
    EXPECT_EQ(ApplyCalendarClick(&cal, x, cal.YearRowTop + 1).Action, kCalendarClickRefused);
    if (last) {
      EXPECT_EQ(CalendarKey(&cal, kKeyHome), 0);  // Nisan 13760 lies in the year 10000
    }
  }
  // The way back into the first month, where the carried 17 Tevet would be day 0:
  // Tevet's button from 17 Shevat 3761, the back arrow from 17 Tevet 3762.
  for (const int32_t month : {11, 10}) {
    CalendarState cal = OpenOnHebrew(month, 17, 3761 + (month == 10));
    int32_t x = cal.BackArrowLeft + 1, y = cal.YearRowTop + 1;
    if (month == 11) ButtonCentre(cal, 10, &x, &y);
    EXPECT_EQ(ApplyCalendarClick(&cal, x, y).Action, kCalendarClickRepaint) << month;
    EXPECT_EQ(cal.Result, kFirstSupportedDay) << month;
  }
  // A carried day beyond the range gives way to the last day: 30 Heshvan 13759
  // a year on, and 30 Tishrei 13760 a month on, both show 28 Heshvan 13760.
  CalendarState cal = OpenOnHebrew(8, 30, 13759);
  EXPECT_NE(StepCalendarYear(&cal, 1), 0);
  EXPECT_EQ(cal.Result, kLastSupportedDay);
  cal = OpenOnHebrew(7, 30, 13760);
  EXPECT_NE(CalendarKey(&cal, kKeyLeft), 0);
  EXPECT_EQ(cal.Result, kLastSupportedDay);
  // Absurd days open at the nearer end.
  for (AbsoluteDay day : {INT32_MIN, -1, kLastSupportedDay + 1, INT32_MAX}) {
    cal = OpenOn(day);
    EXPECT_EQ(cal.Result, day < 0 ? kFirstSupportedDay : kLastSupportedDay) << day;
  }
  EXPECT_FALSE(IsCalendarMonthShown(9, 13760));  // Kislev 13760 lies in the year 10000
  EXPECT_FALSE(IsCalendarMonthShown(9, 3761));   // Kislev 3761 ends before the year 1
}

TEST(CalendarModel, YearText) {
  struct Row {
    AbsoluteDay day;
    std::string text;
  };
  const Row rows[] = {
      {732932, " 5768 "},              // a four-digit year
      {kFirstSupportedDay, " 3761 "},  // the first sheet
      {kLastSupportedDay, " 13760 "},  // five digits still fit
  };
  for (const Row& row : rows) {
    CalendarState cal;
    ResetCalendarState(&cal);
    SetCalendarDate(&cal, row.day, 1);
    const int32_t length = FormatCalendarYear(&cal);
    EXPECT_EQ(length, static_cast<int32_t>(row.text.size()));
    EXPECT_EQ(Bytes(cal.Text), row.text);
  }
}

TEST(CalendarModel, ChangeMonthOfADamagedDate) {
  // A stored month or year the sheet cannot show gives way to the month of Result.
  const HebrewDate damaged[] = {
      {13, 1, 5767},      // no month 13 in a common year
      {0, 1, 5767},       // month 0
      {14, 1, 5768},      // month 14
      {7, 1, 0},          // year 0
      {7, 1, INT32_MIN},  // absurd year
      {7, 1, 20000},      // beyond the last supported day
  };
  for (const HebrewDate& date : damaged) {
    CalendarState cal = OpenOnHebrew(4, 12, 5767);
    const AbsoluteDay result = cal.Result;
    cal.Displayed = date;
    ShowCalendarMonth(&cal);
    EXPECT_EQ(cal.Result, result) << DateText(date);
    EXPECT_TRUE(SameDate(cal.Displayed, (HebrewDate{4, 12, 5767}))) << DateText(date);
  }
}

// ---------------------------------------------------------------------------
// Keyboard

TEST(CalendarModel, AltKeys) {
  struct Row {
    HebrewDate from;
    uint32_t key;
    HebrewDate to;
    bool yearRow;  // redraw bit 2 expected
  };
  const Row rows[] = {
      {{6, 10, 5767}, kKeyLeft, {7, 10, 5768}, true},     // Elul, then Tishrei of the next year
      {{6, 10, 5767}, kKeyDown, {7, 10, 5768}, true},     // Down is Left
      {{7, 10, 5768}, kKeyRight, {6, 10, 5767}, true},    // Tishrei back to Elul of the year before
      {{7, 10, 5768}, kKeyUp, {6, 10, 5767}, true},       // Up is Right
      {{12, 10, 5767}, kKeyLeft, {1, 10, 5767}, false},   // last month, then 1 of the same year
      {{13, 10, 5768}, kKeyLeft, {1, 10, 5768}, false},   // the same from Adar II
      {{12, 10, 5768}, kKeyLeft, {13, 10, 5768}, false},  // Adar I, then Adar II
      {{1, 10, 5767}, kKeyRight, {12, 10, 5767}, false},  // before month 1: the last month
      {{1, 10, 5768}, kKeyRight, {13, 10, 5768}, false},  // ... of a leap year
      {{9, 10, 5768}, kKeyHome, {1, 10, 5768}, false},    // Home never changes the year
      {{9, 10, 5768}, kKeyEnd, {13, 10, 5768}, false},    // End: Adar II in a leap year
      {{3, 10, 5767}, kKeyEnd, {12, 10, 5767}, false},    // End: Adar in a common year
      {{5, 10, 5767}, kKeyHome, {1, 10, 5767}, false},    // Home before Tishrei: same year
      {{1, 10, 5767}, kKeyHome, {1, 10, 5767}, false},    // Home on month 1 shows it again
      {{13, 10, 5768}, kKeyPageUp, {12, 10, 5767}, true},    // Adar II into a common year: Adar
      {{13, 10, 5768}, kKeyPageDown, {12, 10, 5769}, true},  // the same forwards
      {{12, 10, 5767}, kKeyPageDown, {12, 10, 5768}, true},  // Adar into a leap year: Adar I
      {{12, 10, 5769}, kKeyPageUp, {12, 10, 5768}, true},    // ... also backwards
      {{5, 10, 5767}, kKeyPageUp, {5, 10, 5766}, true},      // other months keep their number
      {{7, 30, 5768}, kKeyLeft, {8, 29, 5768}, false},       // day 30 into a 29-day month
      {{7, 30, 5767}, kKeyLeft, {8, 30, 5767}, false},       // ... but not into a 30-day month
      {{12, 30, 5768}, kKeyPageDown, {12, 29, 5769}, true},  // Adar I 30 into a common Adar
      {{9, 30, 5767}, kKeyPageDown, {9, 29, 5768}, true},    // long Kislev into a short one
      {{1, 30, 5768}, kKeyRight, {13, 29, 5768}, false},     // Nisan 30 back to Adar II
      {{11, 17, 3761}, kKeyRight, {10, 18, 3761}, false},    // back into the first month: not day 0
      {{10, 17, 3762}, kKeyPageUp, {10, 18, 3761}, true},    // ... and a year back into it
  };
  for (const Row& row : rows) {
    CalendarState cal = OpenOnHebrew(row.from.month, row.from.day, row.from.year);
    const HebrewDate selected = cal.Selected;
    const uint8_t flags = CalendarKey(&cal, row.key);
    const std::string what = DateText(row.from) + " key " + std::to_string(row.key);
    EXPECT_TRUE(IsCalendarKey(row.key)) << what;
    EXPECT_TRUE(SameDate(cal.Displayed, row.to)) << what << " gave " << DateText(cal.Displayed);
    EXPECT_EQ(cal.Result, HebrewToAbsolute(row.to.month, row.to.day, row.to.year)) << what;
    EXPECT_NE(flags & kRedrawMonthButtons, 0) << what;
    EXPECT_EQ((flags & kRedrawYearRow) != 0, row.yearRow) << what;
    EXPECT_EQ(flags, cal.RedrawFlags) << what;
    EXPECT_TRUE(SameDate(cal.Selected, selected)) << what;  // keys never select
  }
}

TEST(CalendarModel, OtherKeysDoNothing) {
  const uint32_t keys[] = {
      0,         0x0D, 0x1B, 0x20, 0x2D, 0x2E, 0x41, 0x12, 0x73, 0x20 | 0x100, kKeyPageUp + 0x10000,
      0xFFFFFFFF};
  for (uint32_t key : keys) {
    CalendarState cal = OpenOnHebrew(5, 5, 5767);
    const CalendarState before = cal;
    EXPECT_EQ(CalendarKey(&cal, key), 0) << key;
    EXPECT_FALSE(IsCalendarKey(key)) << key;
    EXPECT_TRUE(SameState(cal, before)) << key;
  }
}

TEST(CalendarModel, SelectionKeys) {
  struct Row {
    HebrewDate from;
    uint32_t sheetKeys[2];  // Alt keys that change the sheet first (0: none)
    uint32_t key;
    bool control;
    HebrewDate selected;  // afterwards, also displayed
    int32_t outcome;
    bool yearRow;  // redraw bit 2 expected
  };
  const int32_t moved = kCalendarKeyMoved, refused = kCalendarKeyRefused;
  const Row rows[] = {
      {{6, 10, 5784}, {}, kKeyRight, false, {6, 11, 5784}, moved, false},  // the next day
      {{6, 10, 5784}, {}, kKeyLeft, false, {6, 9, 5784}, moved, false},    // the day before
      {{6, 10, 5784}, {}, kKeyDown, false, {6, 17, 5784}, moved, false},   // a week later
      {{6, 10, 5784}, {}, kKeyUp, false, {6, 3, 5784}, moved, false},      // a week earlier
      {{6, 10, 5784}, {}, kKeyHome, false, {6, 1, 5784}, moved, false},    // the month's first day
      {{6, 10, 5784}, {}, kKeyEnd, false, {6, 29, 5784}, moved, false},    // its last day
      {{6, 10, 5784}, {}, kKeyPageDown, false, {7, 10, 5785}, moved, true},  // the next month
      {{6, 10, 5784}, {}, kKeyPageUp, false, {5, 10, 5784}, moved, false},   // the month before
      {{6, 10, 5784}, {}, kKeyPageDown, true, {6, 10, 5785}, moved, true},   // a year later
      {{6, 10, 5784}, {}, kKeyPageUp, true, {6, 10, 5783}, moved, true},     // a year earlier
      {{6, 29, 5784}, {}, kKeyRight, false, {7, 1, 5785}, moved, true},  // Elul into Tishrei
      {{10, 18, 3761}, {}, kKeyLeft, false, {10, 18, 3761}, refused, false},  // 1 January 1 stays
      {{10, 24, 3761}, {}, kKeyUp, false, {10, 18, 3761}, moved, false},  // 7 January 1: to the 1st
      {{8, 28, 13760}, {}, kKeyRight, false, {8, 28, 13760}, refused, false},  // the last day stays
      {{10, 18, 3761}, {}, kKeyPageUp, false, {10, 18, 3761}, refused, false},  // no month before
      {{11, 17, 3761}, {}, kKeyPageUp, false, {10, 18, 3761}, moved, false},  // back to Tevet 3761
      // After a sheet change the first arrow stays in the month shown.
      {{9, 29, 5785}, {kKeyDown}, kKeyRight, false, {10, 29, 5785}, moved, false},
      {{8, 1, 5785}, {kKeyDown}, kKeyLeft, false, {9, 1, 5785}, moved, false},
      {{8, 1, 5785}, {kKeyDown}, kKeyPageDown, false, {10, 1, 5785}, moved, false},
      // Back on its own sheet the selection, not the carried 29, is where a key starts.
      {{9, 30, 5785}, {kKeyDown, kKeyUp}, kKeyRight, false, {10, 1, 5785}, moved, false},
  };
  for (const Row& row : rows) {
    CalendarState cal = OpenOnHebrew(row.from.month, row.from.day, row.from.year);
    for (uint32_t sheetKey : row.sheetKeys) CalendarKey(&cal, sheetKey);  // 0 does nothing
    cal.RedrawFlags = 0;
    const std::string what = DateText(row.from) + " key " + std::to_string(row.key);
    EXPECT_EQ(MoveCalendarSelection(&cal, row.key, row.control), row.outcome) << what;
    EXPECT_TRUE(SameDate(cal.Selected, row.selected) && IsSelectionOnSheet(&cal))
        << what << " selected " << DateText(cal.Selected);
    EXPECT_EQ((cal.RedrawFlags & kRedrawYearRow) != 0, row.yearRow) << what;
  }
}

// ---------------------------------------------------------------------------
// Geometry

TEST(CalendarGeometry, LayoutTable) {
  struct Row {
    CalendarRect client;
    int32_t textHeight;
    int32_t grid[5];    // grid top, cell height, cell width, grid width, grid left
    int32_t first[4];   // month 1, top right: top, left, bottom, right
    int32_t twelve[4];  // month 12 of a common year, bottom left
    int32_t seam;       // where Adar I meets Adar II
  };
  const Row rows[] = {
      // 160 x 160 dialog units of the System font under Wine.
      {{0, 0, 240, 260}, 14, {87, 24, 30, 211, 15}, {20, 172, 41, 224}, {62, 16, 83, 68}, 29},
      // The same with 8 x 16 base units.
      {{0, 0, 320, 320}, 16, {107, 30, 40, 281, 20}, {22, 230, 49, 300}, {76, 20, 103, 90}, 37},
      // A client area that leaves no room for buttons: their height becomes 0.
      {{0, 0, 10, 10}, 14, {3, 1, 1, 8, 1}, {20, 7, 20, 9}, {20, 1, 20, 3}, 1},
  };
  for (const Row& row : rows) {
    CalendarState cal;
    ResetCalendarState(&cal);
    SetCalendarDate(&cal, 732577, 1);  // common year
    LayoutCalendar(&cal, &row.client, row.textHeight);
    const std::string what =
        std::to_string(row.client.Right) + "x" + std::to_string(row.client.Bottom);
    const int32_t grid[5] = {cal.GridTop, cal.CellHeight, cal.CellWidth, cal.GridWidth,
                             cal.GridLeft};
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(grid[i], row.grid[i]) << what << " grid " << i;
    EXPECT_EQ(cal.YearRowTop, 2) << what;
    EXPECT_EQ(cal.TextHeight, row.textHeight) << what;
    const MonthButton& one = cal.Buttons[0];
    const MonthButton& twelve = cal.Buttons[11];
    const int32_t buttons[2][4] = {{one.Top, one.Left, one.Bottom, one.Right},
                                   {twelve.Top, twelve.Left, twelve.Bottom, twelve.Right}};
    for (int32_t i = 0; i < 4; ++i) {
      EXPECT_EQ(buttons[0][i], row.first[i]) << what << " month 1, " << i;
      EXPECT_EQ(buttons[1][i], row.twelve[i]) << what << " month 12, " << i;
    }
    EXPECT_EQ(cal.LeapLast[0].Left, row.seam) << what;
    EXPECT_EQ(cal.LeapLast[1].Right, row.seam) << what;
    EXPECT_EQ(cal.LeapLast[1].Left, row.twelve[1]) << what;
    EXPECT_EQ(cal.LeapLast[0].Right, row.twelve[3]) << what;
  }
}

// Client areas of several sizes and text heights for the property sweeps.
struct Layout {
  CalendarRect client;
  int32_t textHeight;
};
const Layout kLayouts[] = {
    {{0, 0, 240, 260}, 14},  // the dialog under Wine
    {{0, 0, 240, 260}, 17},  // a taller bold font
    {{0, 0, 320, 320}, 16},  // 8 x 16 base units
    {{0, 0, 200, 180}, 20},  // small and wide font
    {{0, 0, 600, 400}, 13},  // large
    {{0, 0, 161, 173}, 15},  // odd sizes
};

TEST(CalendarGeometry, ButtonsTileRightToLeft) {
  for (const Layout& layout : kLayouts) {
    for (AbsoluteDay day : {732577, 732932}) {  // common and leap year
      CalendarState cal = OpenOn(day, layout.client, layout.textHeight);
      const std::string what = std::to_string(layout.client.Right) + "x" +
                               std::to_string(layout.client.Bottom) + " day " + std::to_string(day);
      for (int32_t k = 1; k <= 12; ++k) {
        const MonthButton& b = cal.Buttons[k - 1];
        if (k % 4 != 0 && k != 11) {
          // The next month sits to the left and shares the edge (12 is checked below).
          const MonthButton& next = cal.Buttons[k];
          EXPECT_EQ(next.Right, b.Left) << what << " month " << k;
          EXPECT_EQ(next.Top, b.Top) << what << " month " << k;
        }
        if (k <= 8) {
          EXPECT_EQ(cal.Buttons[k + 3].Top, b.Bottom) << what << " month " << k;
        }
        // Between the year row and the grid.
        EXPECT_GT(b.Top, cal.YearRowTop + cal.TextHeight) << what;
        EXPECT_LT(b.Bottom, cal.GridTop) << what;
      }
      const MonthButton& eleven = cal.Buttons[10];
      const MonthButton& whole = cal.CommonLast[0];
      EXPECT_EQ(whole.Right, eleven.Left) << what;
      EXPECT_EQ(whole.Top, eleven.Top) << what;
      EXPECT_EQ(whole.Left, cal.Buttons[7].Left) << what;  // under month 8
      // The split halves share the seam and together cover the whole button.
      EXPECT_EQ(cal.LeapLast[0].Right, whole.Right) << what;
      EXPECT_EQ(cal.LeapLast[1].Left, whole.Left) << what;
      EXPECT_EQ(cal.LeapLast[1].Right, cal.LeapLast[0].Left) << what;
      EXPECT_EQ(cal.LeapLast[0].Left - whole.Left, (whole.Right - whole.Left) / 4) << what;
      // The table holds the variant of the displayed year.
      const MonthButton* variant = cal.Leap ? cal.LeapLast : cal.CommonLast;
      EXPECT_TRUE(SameButton(cal.Buttons[11], variant[0])) << what;
      EXPECT_TRUE(SameButton(cal.Buttons[12], variant[1])) << what;
      // The grid of six week rows fits the client area, centred.
      EXPECT_GE(cal.GridLeft, 0) << what;
      EXPECT_LE(cal.GridLeft + cal.GridWidth, layout.client.Right) << what;
      EXPECT_LE(cal.GridTop + 7 * cal.CellHeight, layout.client.Bottom) << what;
    }
  }
}

// A mirrored sheet (x from the right edge) places each month button where the
// plain sheet has it on the screen: the two x of a button add up to one width.
TEST(CalendarGeometry, MirroredSheetKeepsTheButtonsWhereTheyAre) {
  for (AbsoluteDay day : {732577, 732932}) {  // common and leap year
    const CalendarState plain = OpenOn(day);
    CalendarState mirrored;
    ResetCalendarState(&mirrored);
    mirrored.Mirrored = 1;
    SetCalendarDate(&mirrored, day, 1);
    LayoutCalendar(&mirrored, &kDialogClient, kDialogTextHeight);
    const int32_t width = plain.Buttons[0].Right + mirrored.Buttons[0].Left;
    for (int32_t k = 0; k < 13 && plain.Buttons[k].Label != nullptr; ++k) {
      EXPECT_EQ(plain.Buttons[k].Right + mirrored.Buttons[k].Left, width) << day << " month " << k + 1;
      EXPECT_EQ(plain.Buttons[k].Left + mirrored.Buttons[k].Right, width) << day << " month " << k + 1;
      EXPECT_EQ(plain.Buttons[k].Top, mirrored.Buttons[k].Top) << day << " month " << k + 1;
    }
  }
}

TEST(CalendarGeometry, VariantsFollowTheYear) {
  // Opened in a common year, moved into a leap year and back: the table always
  // holds the variant, with the rectangles computed at layout.
  CalendarState cal = OpenOnHebrew(11, 3, 5767);
  EXPECT_EQ(cal.Buttons[12].Label, nullptr);
  EXPECT_NE(StepCalendarYear(&cal, 1), 0);
  EXPECT_EQ(cal.Leap, 1);
  EXPECT_TRUE(SameButton(cal.Buttons[11], cal.LeapLast[0]));
  EXPECT_TRUE(SameButton(cal.Buttons[12], cal.LeapLast[1]));
  EXPECT_NE(cal.Buttons[12].Right, 0);
  EXPECT_NE(StepCalendarYear(&cal, 1), 0);
  EXPECT_EQ(cal.Leap, 0);
  EXPECT_TRUE(SameButton(cal.Buttons[11], cal.CommonLast[0]));
  EXPECT_EQ(cal.Buttons[12].Label, nullptr);
}

TEST(CalendarGeometry, Arrows) {
  CalendarState cal;
  ResetCalendarState(&cal);
  SetCalendarDate(&cal, 732932, 1);
  LayoutCalendar(&cal, &kDialogClient, kDialogTextHeight);
  EXPECT_EQ(CenterYearText(&cal, 48), 96);
  EXPECT_EQ(CenterYearText(&cal, 55), 92);  // truncating
  PlaceCalendarArrows(&cal, 96, 48, 0);     // a failed measure places nothing
  EXPECT_EQ(cal.ArrowWidth, 0);
  PlaceCalendarArrows(&cal, 96, 48, 44);
  EXPECT_EQ(cal.BackArrowLeft, 96 - 44 - 10);
  EXPECT_EQ(cal.ForwardArrowLeft, 96 + 48 + 10);
  EXPECT_EQ(cal.ArrowWidth, 44);
  PlaceCalendarArrows(&cal, 92, 56, 50);  // a later, wider year keeps the first places
  EXPECT_EQ(cal.BackArrowLeft, 42);
  EXPECT_EQ(cal.ForwardArrowLeft, 154);
  EXPECT_EQ(cal.ArrowWidth, 44);
}

TEST(CalendarGeometry, WeekRowsAndClearing) {
  // Rows for each first weekday and length: 6 only for 30 days from Saturday.
  for (int32_t weekday = 0; weekday < 7; ++weekday) {
    for (int32_t length : {29, 30}) {
      const int32_t rows = CalendarWeekRows(weekday, length);
      EXPECT_EQ(rows, weekday == 6 && length == 30 ? 6 : 5) << weekday << " " << length;
      // The last day sits in the last row.
      EXPECT_EQ((weekday + length - 1) / 7 + 1, rows) << weekday << " " << length;
    }
  }
  // The sixth row is cleared once when a 6-row sheet gives way to a 5-row one.
  CalendarState cal;
  ResetCalendarState(&cal);
  cal.FirstWeekday = 6;
  cal.MonthLength = 30;
  EXPECT_FALSE(UpdateCalendarWeekRows(&cal));  // first paint
  EXPECT_EQ(cal.WeekRows, 6);
  EXPECT_FALSE(UpdateCalendarWeekRows(&cal));  // 6 -> 6
  cal.MonthLength = 29;
  EXPECT_TRUE(UpdateCalendarWeekRows(&cal));  // 6 -> 5: clear
  EXPECT_EQ(cal.WeekRows, 5);
  EXPECT_FALSE(UpdateCalendarWeekRows(&cal));  // 5 -> 5
  cal.MonthLength = 30;
  EXPECT_FALSE(UpdateCalendarWeekRows(&cal));  // 5 -> 6
}

TEST(CalendarGeometry, DayCells) {
  CalendarState cal = OpenOnHebrew(7, 1, 5767);  // Tishrei 5767 from a Saturday, 30 days
  struct Row {
    int32_t day;
    int32_t row, column;
  };
  const Row rows[] = {
      {1, 1, 6},   // Saturday: rightmost column of the first week
      {2, 2, 0},   // Sunday of the second week
      {8, 2, 6},   // second Saturday
      {29, 5, 6},  // fifth Saturday
      {30, 6, 0},  // alone in the sixth week row
  };
  for (const Row& row : rows) {
    int32_t r = -1, c = -1;
    ASSERT_TRUE(CalendarDayCell(&cal, row.day, &r, &c)) << row.day;
    EXPECT_EQ(r, row.row) << row.day;
    EXPECT_EQ(c, row.column) << row.day;
  }
  for (int32_t day : {0, -1, 31, INT32_MIN, INT32_MAX}) {
    int32_t r = -1, c = -1;
    EXPECT_FALSE(CalendarDayCell(&cal, day, &r, &c)) << day;
  }
  // Day 30's outline in the 240 x 260 client area.
  const CalendarRect cell = CalendarCellRect(&cal, 6, 0);
  EXPECT_EQ(cell.Left, 15);
  EXPECT_EQ(cell.Top, 87 + 6 * 24);
  EXPECT_EQ(cell.Right, 15 + 30 + 1);
  EXPECT_EQ(cell.Bottom, 87 + 7 * 24 + 1);
}

// ---------------------------------------------------------------------------
// Mouse

TEST(CalendarMouse, MonthButtons) {
  CalendarState cal = OpenOnHebrew(3, 30, 5768);  // leap year, Sivan 30
  // Each button's centre shows its month, carrying the day (30 -> 29 where short).
  for (int32_t k = 1; k <= 13; ++k) {
    CalendarState copy = cal;
    int32_t x = 0, y = 0;
    ButtonCentre(copy, k, &x, &y);
    const CalendarHit hit = HitTestCalendar(&copy, x, y);
    EXPECT_EQ(hit.Kind, kCalendarHitMonth) << k;
    EXPECT_EQ(hit.Value, k) << k;
    const CalendarClick click = ApplyCalendarClick(&copy, x, y);
    if (k == 3) {
      EXPECT_EQ(click.Action, kCalendarClickIgnored);  // its own button does nothing
      EXPECT_TRUE(SameState(copy, cal));
      continue;
    }
    EXPECT_EQ(click.Action, kCalendarClickRepaint) << k;
    EXPECT_EQ(copy.Displayed.month, k);
    EXPECT_EQ(copy.Displayed.year, 5768);  // a button never changes the year
    EXPECT_EQ(copy.Displayed.day, HebrewMonthLength(k, 5768)) << k;
    EXPECT_EQ(copy.Result, HebrewToAbsolute(k, copy.Displayed.day, 5768));
    EXPECT_EQ(copy.RedrawFlags, kRedrawMonthButtons) << k;
  }
}

TEST(CalendarMouse, SharedEdgesGoToTheLowerMonth) {
  CalendarState leap = OpenOnHebrew(1, 1, 5768);
  CalendarState common = OpenOnHebrew(1, 1, 5767);
  const MonthButton& one = leap.Buttons[0];
  const MonthButton& six = leap.Buttons[5];
  const MonthButton& nine = leap.Buttons[8];
  const MonthButton& split = leap.LeapLast[1];  // Adar II
  struct Row {
    const CalendarState* cal;
    int32_t x, y;
    int32_t month;
  };
  const Row rows[] = {
      {&leap, split.Right, (split.Top + split.Bottom) / 2, 12},        // the seam: Adar I
      {&leap, split.Right - 1, (split.Top + split.Bottom) / 2, 13},    // just left of it
      {&leap, split.Left, split.Top, 8},                               // corner shared with Heshvan
      {&leap, split.Left, split.Top + 1, 13},                          // Adar II's own left edge
      {&leap, split.Left, split.Bottom, 13},                           // bottom-left corner
      {&common, split.Right - 1, (split.Top + split.Bottom) / 2, 12},  // a common year's whole Adar
      {&common, split.Left, split.Bottom, 12},
      {&leap, one.Left, (one.Top + one.Bottom) / 2, 1},  // Nisan | Iyar
      {&leap, one.Left, one.Bottom, 1},                  // corner of months 1, 2, 5 and 6
      {&leap, one.Right, one.Top, 1},                    // top-right corner
      {&leap, six.Right, six.Bottom, 5},                 // corner of months 5, 6, 9 and 10
      {&leap, nine.Left, nine.Top, 5},                   // the same corner from month 9's side
      {&leap, six.Left, six.Bottom, 6},                  // corner of months 6, 7, 10 and 11
      {&leap, nine.Right + 1, nine.Top + 1, 0},          // just outside the buttons
      {&leap, one.Right + 1, one.Top + 1, 0},
      {&leap, one.Left + 1, one.Top - 1, 0},
      {&leap, split.Left + 1, split.Bottom + 1, 0},
  };
  for (const Row& row : rows) {
    const CalendarHit hit = HitTestCalendar(row.cal, row.x, row.y);
    if (row.month == 0) {
      EXPECT_NE(hit.Kind, kCalendarHitMonth) << row.x << "," << row.y;
    } else {
      EXPECT_EQ(hit.Kind, kCalendarHitMonth) << row.x << "," << row.y;
      EXPECT_EQ(hit.Value, row.month) << row.x << "," << row.y;
    }
  }
  // A click on the seam in a leap year shows Adar I.
  CalendarState cal = leap;
  EXPECT_EQ(ApplyCalendarClick(&cal, split.Right, split.Top + 2).Action, kCalendarClickRepaint);
  EXPECT_EQ(cal.Displayed.month, 12);
}

TEST(CalendarMouse, YearArrows) {
  CalendarState cal = OpenOnHebrew(13, 20, 5768);
  const int32_t back = cal.BackArrowLeft;
  const int32_t forward = cal.ForwardArrowLeft;
  const int32_t width = cal.ArrowWidth;
  const int32_t top = cal.YearRowTop;
  const int32_t bottom = top + cal.TextHeight;
  const int32_t middle = (top + bottom) / 2;
  struct Row {
    int32_t x, y;
    int32_t kind;
  };
  const Row rows[] = {
      {back, middle, kCalendarHitYearBack},              // left edge of the back arrow
      {back + width, middle, kCalendarHitYearBack},      // its right edge
      {back + width / 2, top, kCalendarHitYearBack},     // top edge of the row
      {back + width / 2, bottom, kCalendarHitYearBack},  // bottom edge of the row
      {back - 1, middle, kCalendarHitNothing},           // left of it
      {back + width + 1, middle, kCalendarHitNothing},   // the gap before the year
      {(back + forward) / 2 + width / 2, middle, kCalendarHitNothing},  // the year text
      {forward - 1, middle, kCalendarHitNothing},                       // the gap after the year
      {forward, middle, kCalendarHitYearForward},          // left edge of the forward arrow
      {forward + width, middle, kCalendarHitYearForward},  // its right edge
      {forward + width + 1, middle, kCalendarHitNothing},  // right of it
      {forward + 1, top - 1, kCalendarHitNothing},         // above the row
      {forward + 1, bottom + 1, kCalendarHitNothing},      // below the row
  };
  for (const Row& row : rows) {
    const CalendarHit hit = HitTestCalendar(&cal, row.x, row.y);
    EXPECT_EQ(hit.Kind, row.kind) << row.x << "," << row.y;
  }

  // Back from Adar II of 5768 shows Adar of 5767; forward Adar of 5769.
  CalendarState copy = cal;
  CalendarClick click = ApplyCalendarClick(&copy, back + 1, middle);
  EXPECT_EQ(click.Action, kCalendarClickRepaint);
  EXPECT_TRUE(SameDate(copy.Displayed, (HebrewDate{12, 20, 5767})));
  EXPECT_EQ(copy.RedrawFlags, kRedrawMonthButtons | kRedrawYearRow);
  copy = cal;
  ApplyCalendarClick(&copy, forward + 1, middle);
  EXPECT_TRUE(SameDate(copy.Displayed, (HebrewDate{12, 20, 5769})));
  // From a common year into a leap year the seam is cleared as well.
  ApplyCalendarClick(&copy, back + 1, middle);
  EXPECT_TRUE(SameDate(copy.Displayed, (HebrewDate{12, 20, 5768})));
  EXPECT_EQ(copy.RedrawFlags, kRedrawMonthButtons | kRedrawYearRow | kRedrawSeam);
  // Clicks on the year text change nothing.
  copy = cal;
  EXPECT_EQ(ApplyCalendarClick(&copy, (back + forward) / 2 + width / 2, middle).Action,
            kCalendarClickIgnored);
  EXPECT_TRUE(SameState(copy, cal));
}

TEST(CalendarMouse, ArrowsBeforeTheyArePlaced) {
  // Until the year row is first painted the arrows are nowhere, not at x = 0.
  CalendarState cal;
  ResetCalendarState(&cal);
  SetCalendarDate(&cal, 732932, 1);
  LayoutCalendar(&cal, &kDialogClient, kDialogTextHeight);
  for (int32_t x = 0; x <= kDialogClient.Right; ++x) {
    const CalendarHit hit = HitTestCalendar(&cal, x, cal.YearRowTop + 1);
    EXPECT_EQ(hit.Kind, kCalendarHitNothing) << x;
  }
}

TEST(CalendarMouse, DayClicks) {
  // Tevet 5767 starts on Friday and has 29 days: the first five cells of the
  // first week and the last four of the fifth are empty.
  const CalendarState cal = OpenOnHebrew(10, 11, 5767);
  ASSERT_EQ(cal.FirstWeekday, 5);
  ASSERT_EQ(cal.MonthLength, 29);
  const int32_t left = cal.GridLeft, top = cal.GridTop;
  const int32_t cw = cal.CellWidth, ch = cal.CellHeight;
  struct Row {
    int32_t x, y;
    int32_t day;  // 0: the click does nothing
  };
  const Row rows[] = {
      {left + cw / 2, top + ch + ch / 2, 0},                // empty cell before day 1 (Sunday)
      {left + 4 * cw + cw / 2, top + ch + ch / 2, 0},       // Thursday, still empty
      {left + 5 * cw + cw / 2, top + ch + ch / 2, 1},       // day 1 on Friday
      {left + 6 * cw + cw / 2, top + ch + ch / 2, 2},       // day 2 on Saturday
      {left + 5 * cw, top + ch, 1},                         // day 1's top-left outline
      {left + 6 * cw - 1, top + 2 * ch - 1, 1},             // day 1's last inner pixel
      {left + 6 * cw, top + ch, 2},                         // the shared outline goes right
      {left, top + 2 * ch, 3},                              // day 3's top-left outline
      {left + 2 * cw + 1, top + 5 * ch + 1, 26},            // day 26, fifth week Tuesday
      {left + 5 * cw + cw / 2, top + 5 * ch + ch / 2, 29},  // the last day, Friday
      {left + 6 * cw + cw / 2, top + 5 * ch + ch / 2, 0},   // after it: empty
      {left + cw / 2, top + 6 * ch + ch / 2, 0},            // a sixth row this month lacks
      {left + cw / 2, top + 6 * ch, 0},                     // the bottom rule of the fifth row
      {left + 3 * cw, top + ch / 2, 0},                     // the weekday header row
      {left + 7 * cw, top + 2 * ch + 3, 0},                 // the grid's right border
      {left + 7 * cw + 1, top + 2 * ch + 3, 0},             // one past it
      {left - 1, top + 2 * ch + 3, 0},                      // left of the grid
      {left + cw / 2, top + ch - 1, 0},                     // just above the first week row
  };
  for (const Row& row : rows) {
    CalendarState copy = cal;
    const CalendarHit hit = HitTestCalendar(&copy, row.x, row.y);
    const CalendarClick click = ApplyCalendarClick(&copy, row.x, row.y);
    if (row.day == 0) {
      EXPECT_EQ(hit.Kind, kCalendarHitNothing) << row.x << "," << row.y;
      EXPECT_EQ(click.Action, kCalendarClickIgnored) << row.x << "," << row.y;
      EXPECT_TRUE(SameState(copy, cal)) << row.x << "," << row.y;
      continue;
    }
    EXPECT_EQ(hit.Kind, kCalendarHitDay) << row.x << "," << row.y;
    EXPECT_EQ(hit.Value, row.day) << row.x << "," << row.y;
    EXPECT_EQ(click.Action, kCalendarClickPicked);
    EXPECT_EQ(click.PlainDay, 11);
    EXPECT_EQ(click.PickedDay, row.day);
    EXPECT_EQ(copy.Result, HebrewToAbsolute(10, row.day, 5767));
    EXPECT_TRUE(SameDate(copy.Selected, (HebrewDate{10, row.day, 5767})));
    EXPECT_EQ(copy.Displayed.day, row.day);
  }
}

TEST(CalendarMouse, SixthRowOfASaturdayMonth) {
  // Tishrei 5767 starts on Saturday with 30 days: day 30 is alone in row 6.
  CalendarState cal = OpenOnHebrew(7, 1, 5767);
  EXPECT_EQ(cal.WeekRows, 6);
  int32_t x = 0, y = 0;
  DayCentre(cal, 30, &x, &y);
  EXPECT_EQ(ApplyCalendarClick(&cal, x, y).Action, kCalendarClickPicked);
  EXPECT_EQ(cal.Result, HebrewToAbsolute(7, 30, 5767));
  // The bottom rule of row 6 belongs to no day; the pixel above it to day 30.
  cal = OpenOnHebrew(7, 1, 5767);
  const int32_t bottom = cal.GridTop + 7 * cal.CellHeight;
  EXPECT_EQ(HitTestCalendar(&cal, x, bottom).Kind, kCalendarHitNothing);  // row 7 has no day
  EXPECT_EQ(HitTestCalendar(&cal, x, bottom + 1).Kind, kCalendarHitNothing);
  EXPECT_EQ(HitTestCalendar(&cal, x, bottom - 1).Value, 30);
}

TEST(CalendarMouse, ClampedDayThenAnyClickReturnsThatDay) {
  // Opened on 30 Tishrei 5768, Alt+Down into Heshvan 5768 (29 days) carries 29;
  // every day of the new sheet then returns exactly its own day.
  CalendarState cal = OpenOnHebrew(7, 30, 5768);
  ASSERT_NE(CalendarKey(&cal, kKeyDown), 0);
  ASSERT_TRUE(SameDate(cal.Displayed, (HebrewDate{8, 29, 5768})));
  for (int32_t n = 1; n <= 29; ++n) {
    CalendarState copy = cal;
    int32_t x = 0, y = 0;
    DayCentre(copy, n, &x, &y);
    const CalendarClick click = ApplyCalendarClick(&copy, x, y);
    EXPECT_EQ(click.Action, kCalendarClickPicked) << n;
    EXPECT_EQ(click.PlainDay, 29);
    EXPECT_EQ(copy.Result, HebrewToAbsolute(8, n, 5768)) << n;
  }
  // The day that is already selected returns itself.
  CalendarState same = OpenOnHebrew(4, 12, 5767);
  int32_t x = 0, y = 0;
  DayCentre(same, 12, &x, &y);
  ApplyCalendarClick(&same, x, y);
  EXPECT_EQ(same.Result, HebrewToAbsolute(4, 12, 5767));
}

TEST(CalendarMouse, PickOutsideTheMonth) {
  for (int32_t day : {0, -1, 30, 31, INT32_MIN, INT32_MAX}) {
    CalendarState cal = OpenOnHebrew(2, 5, 5767);  // Iyar: 29 days
    const CalendarState before = cal;
    EXPECT_EQ(PickCalendarDay(&cal, day), 0) << day;
    EXPECT_TRUE(SameState(cal, before)) << day;
  }
}

TEST(CalendarMouse, DegenerateClientAreas) {
  // Tiny, empty, inverted and huge client areas and text heights: every point
  // gets a defined answer, and a collapsed grid has no day cells.
  const Layout layouts[] = {
      {{0, 0, 0, 0}, 14},
      {{0, 0, 5, 5}, 14},
      {{0, 0, 7, 200}, 14},
      {{0, 0, 200, 6}, 14},
      {{0, 0, -10, -10}, 14},
      {{0, 0, 240, 260}, -5},
      {{0, 0, 240, 260}, 5000},
      {{0, 0, 100000, 100000}, 14},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, INT32_MAX},
  };
  for (const Layout& layout : layouts) {
    for (AbsoluteDay day : {732577, 732932}) {
      CalendarState cal = OpenOn(day, layout.client, layout.textHeight);
      int32_t days = 0;
      for (int32_t y = 0; y <= 0xFFFF; y += (y < 300 ? 1 : 997)) {
        for (int32_t x = 0; x <= 0xFFFF; x += (x < 300 ? 1 : 991)) {
          const CalendarHit hit = HitTestCalendar(&cal, x, y);
          ASSERT_GE(hit.Kind, kCalendarHitNothing);
          ASSERT_LE(hit.Kind, kCalendarHitDay);
          if (hit.Kind == kCalendarHitDay) {
            ASSERT_GE(hit.Value, 1);
            ASSERT_LE(hit.Value, cal.MonthLength);
            ++days;
          }
          if (hit.Kind == kCalendarHitMonth) {
            ASSERT_GE(hit.Value, 1);
            ASSERT_LE(hit.Value, 12 + cal.Leap);
          }
        }
      }
      if (cal.CellWidth == 0 || cal.CellHeight == 0) {
        EXPECT_EQ(days, 0);
      }
      // Points outside the mouse message's range are answered like its edges.
      EXPECT_EQ(HitTestCalendar(&cal, INT32_MIN, INT32_MAX).Kind,
                HitTestCalendar(&cal, 0, 0xFFFF).Kind);
    }
  }
}

// ---------------------------------------------------------------------------
// Sweeps over every month of Hebrew years 5700 to 5900

// Calls check(cal) with the sheet of every month of years 5700..5900, opened on
// the month's first day.
template <typename Check>
void ForEachMonth(const Layout& layout, Check check) {
  for (int32_t year = 5700; year <= 5900; ++year) {
    for (int32_t month = 1; month <= HebrewMonthsInYear(year); ++month) {
      const CalendarState cal =
          OpenOn(HebrewToAbsolute(month, 1, year), layout.client, layout.textHeight);
      check(cal, month, year);
    }
  }
}

TEST(CalendarSweep, ModelOfEveryMonth) {
  int32_t sixRowMonths = 0;
  ForEachMonth(kLayouts[0], [&](const CalendarState& cal, int32_t month, int32_t year) {
    const AbsoluteDay first = HebrewToAbsolute(month, 1, year);
    const std::string what = std::to_string(month) + "/" + std::to_string(year);
    ASSERT_TRUE(SameDate(cal.Displayed, (HebrewDate{month, 1, year}))) << what;
    ASSERT_EQ(cal.FirstWeekday, WeekdayOf(first)) << what;
    ASSERT_EQ(cal.MonthLength, HebrewMonthLength(month, year)) << what;
    ASSERT_EQ(cal.Leap, IsHebrewLeapYear(year) ? 1 : 0) << what;
    ASSERT_TRUE(cal.WeekRows == 5 || cal.WeekRows == 6) << what;
    ASSERT_EQ(cal.WeekRows == 6, cal.FirstWeekday == 6 && cal.MonthLength == 30) << what;
    int32_t row = 0, column = 0;
    ASSERT_TRUE(CalendarDayCell(&cal, cal.MonthLength, &row, &column));
    ASSERT_EQ(row, cal.WeekRows) << what;  // the last day sits in the last row
    if (cal.WeekRows == 6) ++sixRowMonths;
  });
  EXPECT_GT(sixRowMonths, 0);  // the sweep covers the sixth row
}

TEST(CalendarSweep, EveryDayCellHitsItsDay) {
  for (const Layout& layout : kLayouts) {
    ForEachMonth(layout, [&](const CalendarState& cal, int32_t month, int32_t year) {
      const std::string what = std::to_string(month) + "/" + std::to_string(year) + " in " +
                               std::to_string(layout.client.Right) + "x" +
                               std::to_string(layout.client.Bottom);
      int32_t previousRow = 1, previousColumn = -1;
      for (int32_t n = 1; n <= cal.MonthLength; ++n) {
        int32_t row = 0, column = 0;
        ASSERT_TRUE(CalendarDayCell(&cal, n, &row, &column));
        // Days follow each other right after the previous one, Sunday after Saturday.
        if (n > 1) {
          ASSERT_EQ(row * 7 + column, previousRow * 7 + previousColumn + 1) << what << " day " << n;
        }
        previousRow = row;
        previousColumn = column;
        const CalendarRect cell = CalendarCellRect(&cal, row, column);
        // The outline's top-left pixel, the four inner corners and the centre.
        const int32_t points[][2] = {
            {cell.Left, cell.Top},
            {cell.Left + 1, cell.Top + 1},
            {cell.Right - 2, cell.Top + 1},
            {cell.Left + 1, cell.Bottom - 2},
            {cell.Right - 2, cell.Bottom - 2},
            {(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2},
        };
        for (const auto& p : points) {
          const CalendarHit hit = HitTestCalendar(&cal, p[0], p[1]);
          ASSERT_EQ(hit.Kind, kCalendarHitDay)
              << what << " day " << n << " at " << p[0] << "," << p[1];
          ASSERT_EQ(hit.Value, n) << what << " at " << p[0] << "," << p[1];
        }
      }
      // The empty cells of the week rows hit nothing.
      for (int32_t row = 1; row <= cal.WeekRows; ++row) {
        for (int32_t column = 0; column < 7; ++column) {
          const int32_t day = column + 7 * (row - 1) - cal.FirstWeekday + 1;
          if (day >= 1 && day <= cal.MonthLength) continue;
          const CalendarRect cell = CalendarCellRect(&cal, row, column);
          const CalendarHit hit =
              HitTestCalendar(&cal, (cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
          ASSERT_EQ(hit.Kind, kCalendarHitNothing)
              << what << " row " << row << " column " << column;
        }
      }
    });
  }
}

TEST(CalendarSweep, EveryPixelOfSomeSheets) {
  // Every client pixel of the dialog, for a 5-row and a 6-row sheet in a
  // common and a leap year: a day hit lies in that day's closed cell, a month
  // hit in that month's closed button; each inner cell pixel hits its day.
  const HebrewDate sheets[] = {{7, 1, 5767}, {10, 1, 5767}, {13, 1, 5768}, {12, 1, 5768}};
  for (const HebrewDate& sheet : sheets) {
    const CalendarState cal = OpenOnHebrew(sheet.month, sheet.day, sheet.year);
    int32_t hitsPerDay[31] = {};
    for (int32_t y = 0; y <= kDialogClient.Bottom; ++y) {
      for (int32_t x = 0; x <= kDialogClient.Right; ++x) {
        const CalendarHit hit = HitTestCalendar(&cal, x, y);
        if (hit.Kind == kCalendarHitDay) {
          int32_t row = 0, column = 0;
          ASSERT_TRUE(CalendarDayCell(&cal, hit.Value, &row, &column));
          const CalendarRect cell = CalendarCellRect(&cal, row, column);
          ASSERT_TRUE(cell.Left <= x && x < cell.Right && cell.Top <= y && y < cell.Bottom)
              << DateText(sheet) << " day " << hit.Value << " at " << x << "," << y;
          ++hitsPerDay[hit.Value];
        } else if (hit.Kind == kCalendarHitMonth) {
          const MonthButton& b = cal.Buttons[hit.Value - 1];
          ASSERT_TRUE(b.Left <= x && x <= b.Right && b.Top <= y && y <= b.Bottom)
              << DateText(sheet) << " month " << hit.Value << " at " << x << "," << y;
        }
      }
    }
    // Each day owns exactly a Cw x Ch block: its outline's left and top, not
    // its right and bottom, which belong to the neighbours.
    for (int32_t n = 1; n <= cal.MonthLength; ++n) {
      EXPECT_EQ(hitsPerDay[n], cal.CellWidth * cal.CellHeight) << DateText(sheet) << " " << n;
    }
  }
}

TEST(CalendarSweep, YearArrowsKeepTheMonth) {
  // From every month and day 30 (or 29) of 5700..5900, back and forward one
  // year: the same month, 13 turning into 12, the day 30 turning into 29 where
  // the month is short; arrows and Alt+Page Up / Page Down agree.
  CalendarState base = OpenOnHebrew(7, 1, 5800);
  const int32_t backX = base.BackArrowLeft + 1;
  const int32_t forwardX = base.ForwardArrowLeft + 1;
  const int32_t rowY = base.YearRowTop + 1;
  for (int32_t year = 5700; year <= 5900; ++year) {
    for (int32_t month = 1; month <= HebrewMonthsInYear(year); ++month) {
      const int32_t startDay = HebrewMonthLength(month, year);
      for (int32_t delta : {-1, 1}) {
        CalendarState byArrow = OpenOnHebrew(month, startDay, year);
        CalendarState byKey = byArrow;
        const CalendarClick click =
            ApplyCalendarClick(&byArrow, delta < 0 ? backX : forwardX, rowY);
        const uint8_t flags = CalendarKey(&byKey, delta < 0 ? kKeyPageUp : kKeyPageDown);
        const int32_t newYear = year + delta;
        const int32_t newMonth = month == 13 ? 12 : month;
        const int32_t length = HebrewMonthLength(newMonth, newYear);
        const int32_t newDay = startDay > length ? length : startDay;
        const std::string what =
            std::to_string(month) + "/" + std::to_string(year) + " by " + std::to_string(delta);
        ASSERT_EQ(click.Action, kCalendarClickRepaint) << what;
        ASSERT_TRUE(SameDate(byArrow.Displayed, (HebrewDate{newMonth, newDay, newYear})))
            << what << " gave " << DateText(byArrow.Displayed);
        ASSERT_EQ(byArrow.Result, HebrewToAbsolute(newMonth, newDay, newYear)) << what;
        ASSERT_TRUE(SameState(byArrow, byKey)) << what;
        ASSERT_EQ(flags & (kRedrawMonthButtons | kRedrawYearRow),
                  kRedrawMonthButtons | kRedrawYearRow)
            << what;
        ASSERT_EQ((flags & kRedrawSeam) != 0, IsHebrewLeapYear(newYear)) << what;
      }
    }
  }
}

TEST(CalendarSweep, MonthKeysWalkTheMonthsInOrder) {
  // Alt+Left from Tishrei 5700 visits every month of 5700..5900 in the order of
  // days (month 1 follows the last month within the same year number) up to
  // Elul 5900; Alt+Right walks the same months back.
  const AbsoluteDay last = HebrewToAbsolute(6, 1, 5900);
  int32_t expected = 0;
  for (int32_t year = 5700; year <= 5900; ++year) expected += HebrewMonthsInYear(year);

  CalendarState cal = OpenOnHebrew(7, 1, 5700);
  int32_t months = 1;
  while (cal.Result < last && months <= expected) {
    const AbsoluteDay before = cal.Result;
    const int32_t length = cal.MonthLength;
    ASSERT_NE(CalendarKey(&cal, kKeyLeft), 0);
    ASSERT_EQ(cal.Result, before + length) << DateText(cal.Displayed);
    ASSERT_EQ(cal.Displayed.day, 1);
    ++months;
  }
  EXPECT_TRUE(SameDate(cal.Displayed, (HebrewDate{6, 1, 5900})));
  EXPECT_EQ(months, expected);

  const AbsoluteDay first = HebrewToAbsolute(7, 1, 5700);
  while (cal.Result > first && months > 0) {
    const AbsoluteDay before = cal.Result;
    ASSERT_NE(CalendarKey(&cal, kKeyRight), 0);
    ASSERT_EQ(cal.Result, before - cal.MonthLength) << DateText(cal.Displayed);
    --months;
  }
  EXPECT_TRUE(SameDate(cal.Displayed, (HebrewDate{7, 1, 5700})));
  EXPECT_EQ(months, 1);
}

}  // namespace
