// GDI drawing of the calendar dialog's year row, month buttons and month grid.
#include "calendar_dialog/calendar_drawing.h"

#include <windows.h>

#include <cstring>

#include "calendar_dialog/calendar_geometry.h"
#include "common/wide_text.h"
#include "view/colour_scheme.h"
#include "view/gdi_text.h"
#include "view/mark_drawing.h"
#include "view/text_device.h"

namespace {

const uint8_t kWeekdayLetters[] = "SMTWTFS";
// Day n is the two characters from 2 * (n - 1): days 1 to 9 are a digit and a blank.
const uint8_t kDayNumbers[] = "1 2 3 4 5 6 7 8 9 10111213141516171819202122232425262728293031";
const uint8_t kBackArrow[] = "  <<  ";
const uint8_t kForwardArrow[] = "  >>  ";
constexpr int32_t kArrowLength = 6;
// Space between the year's box and each arrow box.
constexpr int32_t kArrowGap = 10;

// Selects object into dc unless it is null; returns what was selected before,
// or null when nothing was selected.
HGDIOBJ SelectIfAny(HDC dc, HGDIOBJ object) {
  return object != nullptr ? SelectObject(dc, object) : nullptr;
}

// Re-selects what SelectIfAny returned.
void Reselect(HDC dc, HGDIOBJ previous) {
  if (previous != nullptr) SelectObject(dc, previous);
}

// Fills left..right-1, top..bottom-1 with the dialog's background colour.
void FillButtonFace(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  FillRoleBox(dc, left, top, right - left, bottom - top, ColourRole::Face);
}

// Plain text of the sheet: ink on an opaque paper background.
void UsePlainColours(HDC dc) {
  SetTextColor(dc, RoleColour(dc, ColourRole::Ink));
  SetBkColor(dc, RoleColour(dc, ColourRole::Paper));
  SetBkMode(dc, OPAQUE);
}

int32_t LabelLength(const uint8_t* label) {
  return static_cast<int32_t>(strlen(reinterpret_cast<const char*>(label)));
}

// Every month button plain; after a leap-year table was installed the seam of
// the split last button is cleared first (it held a whole button's white).
void DrawMonthButtonsPlain(CalendarState* cal) {
  HDC dc = cal->Dc;
  const MonthButton& adarII = cal->Buttons[12];
  if ((cal->RedrawFlags & kRedrawSeam) && adarII.Label != nullptr) {
    FillButtonFace(dc, adarII.Right - 1, adarII.Top + 1, adarII.Right + 1, adarII.Bottom - 1);
  }
  for (int32_t k = 0; k < kMonthButtonSlots && cal->Buttons[k].Label != nullptr; ++k) {
    DrawMonthButton(cal, k + 1, false);
  }
}

// Clears the row between the two placed arrows, so that a year text narrower
// than the last one leaves none of the last one's frame behind.
void ClearYearGap(const CalendarState* cal) {
  if (cal->ArrowWidth <= 0) return;
  FillButtonFace(cal->Dc, cal->BackArrowLeft + cal->ArrowWidth + 1, cal->YearRowTop - 1,
                 cal->ForwardArrowLeft - 1, cal->YearRowTop + cal->TextHeight + 1);
}

// One arrow: a black frame one pixel wide around the arrow text.
void DrawArrowBox(const CalendarState* cal, int32_t left, const uint8_t* arrow) {
  HDC dc = cal->Dc;
  const int32_t top = cal->YearRowTop;
  FillRoleBox(dc, left - 1, top - 1, cal->ArrowWidth + 2, cal->TextHeight + 2, ColourRole::Ink);
  DrawRun(dc, arrow, kArrowLength, left, top, cal->ArrowWidth, cal->TextHeight);
}

// Width of count bytes of run in the DC's font (the client width at most).
int32_t RunWidth(const CalendarState* cal, const uint8_t* run, int32_t count) {
  int32_t width = cal->ClientRight - cal->ClientLeft;
  MeasureRun(cal->Dc, run, &width, &count);
  return width;
}

// Draws the study mark of day in the corner of its cell's inside (left, top):
// a check when its lessons are learned, a dot when it is behind; on the
// highlighted cell in the highlight's ink.
void DrawDayMark(const CalendarState* cal, int32_t day, int32_t left, int32_t top, bool on) {
  const DayStudyState state = CalendarStudyState(cal, DisplayedMonthDay(cal, day));
  if (state != kDayLearned && state != kDayBehind) return;
  const int32_t inside = (cal->CellWidth < cal->CellHeight ? cal->CellWidth : cal->CellHeight) - 1;
  const int32_t size = inside * 9 / 20;
  const int32_t x = left + cal->CellWidth - 1 - size - size / 8;
  const int32_t y = top + cal->CellHeight - 1 - size - size / 8;
  if (state == kDayLearned) {
    DrawCheckMark(cal->Dc, x, y, size, on ? ColourRole::MarkedInk : ColourRole::Learned);
  } else {
    DrawBehindDot(cal->Dc, x, y, size, on ? ColourRole::MarkedInk : ColourRole::Behind);
  }
}

}  // namespace

void PaintCalendar(CalendarState* cal) {
  if (cal->Dc == nullptr) return;
  UsePlainColours(cal->Dc);
  if (cal->RedrawFlags & kRedrawMonthButtons) DrawMonthButtonsPlain(cal);
  DrawMonthGrid(cal);
  DrawMonthButton(cal, cal->Displayed.month, true);
  if (cal->Selected.year == cal->Displayed.year && cal->Selected.month == cal->Displayed.month) {
    HighlightDayCell(cal, cal->Selected.day, true);
  }
  if (cal->RedrawFlags & kRedrawYearRow) DrawYearRow(cal);
  cal->RedrawFlags = 0;
}

void HighlightDayCell(CalendarState* cal, int32_t day, bool on) {
  int32_t row = 0;
  int32_t column = 0;
  if (cal->Dc == nullptr || !CalendarDayCell(cal, day, &row, &column)) return;
  HDC dc = cal->Dc;
  UsePlainColours(dc);
  const int32_t left = cal->GridLeft + column * cal->CellWidth + 1;
  const int32_t top = cal->GridTop + row * cal->CellHeight + 1;
  FillRoleBox(dc, left, top, cal->CellWidth - 1, cal->CellHeight - 1,
              on ? ColourRole::Marked : ColourRole::Paper);
  HGDIOBJ font = SelectIfAny(dc, cal->BoldFont);
  const uint8_t* number = kDayNumbers + 2 * (day - 1);
  if (on) {
    DrawAsciiTextColoured(dc, number, 2, left, top, cal->CellWidth, cal->CellHeight,
                          RoleColour(dc, ColourRole::MarkedInk), RoleColour(dc, ColourRole::Marked));
  } else {
    DrawAsciiText(dc, number, 2, left, top, cal->CellWidth, cal->CellHeight);
  }
  DrawDayMark(cal, day, left, top, on);
  Reselect(dc, font);
}

void DrawMonthButton(CalendarState* cal, int32_t month, bool on) {
  if (cal->Dc == nullptr || month < 1 || month > 12 + cal->Leap) return;
  const MonthButton& button = cal->Buttons[month - 1];
  if (button.Label == nullptr) return;
  HDC dc = cal->Dc;
  HGDIOBJ pen = SelectRolePen(dc, on ? ColourRole::MarkedInk : ColourRole::Ink);
  HGDIOBJ brush = SelectRoleBrush(dc, on ? ColourRole::Marked : ColourRole::Paper);
  Rectangle(dc, button.Left + 1, button.Top + 1, button.Right - 1, button.Bottom - 1);
  SelectObject(dc, brush);
  SelectObject(dc, pen);

  HGDIOBJ font = SelectIfAny(dc, cal->NormalFont);
  const int32_t x = button.Left + 1;
  const int32_t y = button.Top + 1;
  const int32_t w = button.Right - button.Left - 1;
  const int32_t h = button.Bottom - button.Top - 1;
  const int32_t length = LabelLength(button.Label);
  if (on) {
    DrawRunColoured(dc, button.Label, length, x, y, w, h, RoleColour(dc, ColourRole::MarkedInk),
                    RoleColour(dc, ColourRole::Marked));
  } else {
    DrawRun(dc, button.Label, length, x, y, w, h);
  }
  Reselect(dc, font);
}

void DrawMonthGrid(CalendarState* cal) {
  if (cal->Dc == nullptr) return;
  HDC dc = cal->Dc;
  HGDIOBJ pen = SelectRolePen(dc, ColourRole::Ink);
  HGDIOBJ font = SelectIfAny(dc, cal->NormalFont);
  HGDIOBJ brush = SelectRoleBrush(dc, ColourRole::Paper);
  const bool clearSixthRow = UpdateCalendarWeekRows(cal);
  const int32_t gridLeft = cal->GridLeft;
  const int32_t gridTop = cal->GridTop;
  const int32_t cellWidth = cal->CellWidth;
  const int32_t cellHeight = cal->CellHeight;

  // Row 0 is the weekday header; neighbouring cells share their outline.
  for (int32_t row = 0; row <= cal->WeekRows; ++row) {
    for (int32_t column = 0; column < 7; ++column) {
      const CalendarRect cell = CalendarCellRect(cal, row, column);
      Rectangle(dc, cell.Left, cell.Top, cell.Right, cell.Bottom);
    }
  }

  HGDIOBJ beforeBold = SelectIfAny(dc, cal->BoldFont);
  for (int32_t column = 0; column < 7; ++column) {
    DrawRun(dc, kWeekdayLetters + column, 1, gridLeft + column * cellWidth + 1, gridTop + 1,
            cellWidth - 2, cellHeight - 2);
  }
  // A one-pixel rule across the grid above each row and below the last.
  for (int32_t row = 0; row <= cal->WeekRows + 1; ++row) {
    const int32_t y = gridTop + row * cellHeight;
    Rectangle(dc, gridLeft, y, gridLeft + cal->GridWidth, y + 1);
  }
  if (clearSixthRow) {
    FillButtonFace(dc, gridLeft, gridTop + 6 * cellHeight + 1, gridLeft + cal->GridWidth,
                   gridTop + 7 * cellHeight + 1);
  }
  for (int32_t day = 1; day <= cal->MonthLength; ++day) {
    int32_t row = 0;
    int32_t column = 0;
    if (!CalendarDayCell(cal, day, &row, &column)) continue;
    DrawAsciiText(dc, kDayNumbers + 2 * (day - 1), 2, gridLeft + column * cellWidth + 1,
                  gridTop + row * cellHeight + 1, cellWidth - 2, cellHeight - 2);
    DrawDayMark(cal, day, gridLeft + column * cellWidth + 1, gridTop + row * cellHeight + 1, false);
  }
  Reselect(dc, beforeBold);
  SelectObject(dc, brush);
  Reselect(dc, font);
  SelectObject(dc, pen);
}

void DrawYearRow(CalendarState* cal) {
  if (cal->Dc == nullptr) return;
  HDC dc = cal->Dc;
  const int32_t length = FormatCalendarYear(cal);
  HGDIOBJ font = SelectIfAny(dc, cal->BoldFont);
  const int32_t width = RunWidth(cal, cal->Text, length);
  const int32_t left = CenterYearText(cal, width);
  const int32_t top = cal->YearRowTop;

  ClearYearGap(cal);
  FillRoleBox(dc, left - 1, top - 1, width + 2, cal->TextHeight + 2, ColourRole::Ink);
  DrawAsciiText(dc, cal->Text, length, left, top, width, cal->TextHeight);

  if (cal->ArrowWidth == 0) {
    PlaceCalendarArrows(cal, left, width, RunWidth(cal, kBackArrow, kArrowLength));
  }
  if (cal->ArrowWidth > 0) {
    DrawArrowBox(cal, cal->BackArrowLeft, kBackArrow);
    DrawArrowBox(cal, cal->ForwardArrowLeft, kForwardArrow);
  }
  Reselect(dc, font);
}

int32_t DrawAsciiText(DcHandle dc, const uint8_t* text, int32_t count, int32_t x, int32_t y,
                      int32_t w, int32_t h) {
  if (count <= 0) return 0;
  WideChar wide[kAsciiTextLimit + 1];
  const size_t length = WidenBytes(wide, kAsciiTextLimit + 1, reinterpret_cast<const char*>(text),
                                   count < kAsciiTextLimit ? count : kAsciiTextLimit);
  return DrawCentredText(dc, wide, static_cast<int32_t>(length), x, y, w, h, false);
}

int32_t DrawAsciiTextColoured(DcHandle dc, const uint8_t* text, int32_t count, int32_t x,
                              int32_t y, int32_t w, int32_t h, uint32_t textColour,
                              uint32_t backColour) {
  if (dc == nullptr) return 0;
  const COLORREF oldText = SetTextColor(dc, textColour);
  const COLORREF oldBack = SetBkColor(dc, backColour);
  const int32_t drawn = DrawAsciiText(dc, text, count, x, y, w, h);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  return drawn;
}
