// GDI drawing of the calendar dialog's year row, month buttons and month grid.
#include "calendar_dialog/calendar_drawing.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "calendar_dialog/calendar_geometry.h"
#include "common/ui_text.h"
#include "common/wide_text.h"
#include "resources/resource.h"
#include "view/colour_scheme.h"
#include "view/gdi_text.h"
#include "view/mark_drawing.h"
#include "view/text_device.h"

namespace {

// Day n is the two characters from 2 * (n - 1): days 1 to 9 are a digit and a blank.
const uint8_t kDayNumbers[] = "1 2 3 4 5 6 7 8 9 10111213141516171819202122232425262728293031";
const uint8_t kLeftArrow[] = "  <<  ";
const uint8_t kRightArrow[] = "  >>  ";
constexpr int32_t kArrowLength = 6;

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

// A box left..right-1, top..bottom-1 filled with fill inside a frame of line
// width pixels thick.
void DrawFramedBox(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   int32_t width, ColourRole line, ColourRole fill) {
  FillRoleBox(dc, left, top, right - left, bottom - top, line);
  FillRoleBox(dc, left + width, top + width, right - left - 2 * width, bottom - top - 2 * width,
              fill);
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
  const int32_t line = CalendarLineWidth(cal);
  if ((cal->RedrawFlags & kRedrawSeam) && adarII.Label != nullptr) {
    FillButtonFace(dc, adarII.Right - line, adarII.Top + line, adarII.Right + line,
                   adarII.Bottom - line);
  }
  for (int32_t k = 0; k < kMonthButtonSlots && cal->Buttons[k].Label != nullptr; ++k) {
    DrawMonthButton(cal, k + 1, false);
  }
}

// Clears the row between the two placed arrows, so that a year text narrower
// than the last one leaves none of the last one's frame behind.
void ClearYearGap(const CalendarState* cal) {
  if (cal->ArrowWidth <= 0) return;
  const int32_t line = CalendarLineWidth(cal);
  FillButtonFace(cal->Dc, cal->BackArrowLeft + cal->ArrowWidth + line, cal->YearRowTop - line,
                 cal->ForwardArrowLeft - line, cal->YearRowTop + cal->TextHeight + line);
}

// One arrow: its text in a frame, both grey when the arrow cannot be used.
void DrawArrowBox(const CalendarState* cal, int32_t left, const uint8_t* arrow, bool usable) {
  HDC dc = cal->Dc;
  const int32_t top = cal->YearRowTop;
  const int32_t line = CalendarLineWidth(cal);
  const ColourRole ink = usable ? ColourRole::Ink : ColourRole::Disabled;
  FillRoleBox(dc, left - line, top - line, cal->ArrowWidth + 2 * line, cal->TextHeight + 2 * line,
              ink);
  DrawRunColoured(dc, arrow, kArrowLength, left, top, cal->ArrowWidth, cal->TextHeight,
                  RoleColour(dc, ink), RoleColour(dc, ColourRole::Paper));
}

// Both arrows once placed, each grey while it leads past an end of the range.
void DrawYearArrows(const CalendarState* cal) {
  if (cal->ArrowWidth <= 0) return;
  HGDIOBJ font = SelectIfAny(cal->Dc, cal->BoldFont);
  // The back arrow points to the earlier side: the left, or the right of a
  // mirrored sheet, where it then stands.
  DrawArrowBox(cal, cal->BackArrowLeft, cal->Mirrored ? kRightArrow : kLeftArrow,
               CanStepCalendarYear(cal, -1));
  DrawArrowBox(cal, cal->ForwardArrowLeft, cal->Mirrored ? kLeftArrow : kRightArrow,
               CanStepCalendarYear(cal, 1));
  Reselect(cal->Dc, font);
}

// Width of count bytes of run in the DC's font (the client width at most).
int32_t RunWidth(const CalendarState* cal, const uint8_t* run, int32_t count) {
  int32_t width = cal->ClientRight - cal->ClientLeft;
  MeasureRun(cal->Dc, run, &width, &count);
  return width;
}

// Draws the study mark of day in the corner of its cell's inside (left, top,
// width, height): a check when its lessons are learned, a dot when it is
// behind; on the highlighted cell in the highlight's ink.
void DrawDayMark(const CalendarState* cal, int32_t day, int32_t left, int32_t top, int32_t width,
                 int32_t height, bool on) {
  const DayStudyState state = CalendarStudyState(cal, DisplayedMonthDay(cal, day));
  if (state != kDayLearned && state != kDayBehind) return;
  const int32_t size = (width < height ? width : height) * 9 / 20;
  const int32_t x = left + width - size - size / 8;
  const int32_t y = top + height - size - size / 8;
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
  if (IsSelectionOnSheet(cal)) HighlightDayCell(cal, cal->Selected.day, true);
  // Whether an arrow can be used changes with the month at the ends of the range.
  if (cal->RedrawFlags & kRedrawYearRow) {
    DrawYearRow(cal);
  } else {
    DrawYearArrows(cal);
  }
  cal->RedrawFlags = 0;
}

void HighlightDayCell(CalendarState* cal, int32_t day, bool on) {
  int32_t row = 0;
  int32_t column = 0;
  if (cal->Dc == nullptr || !CalendarDayCell(cal, day, &row, &column)) return;
  HDC dc = cal->Dc;
  UsePlainColours(dc);
  // The inside of the cell's outline, where a day's marks go.
  const int32_t line = CalendarLineWidth(cal);
  const int32_t left = cal->GridLeft + column * cal->CellWidth + line;
  const int32_t top = cal->GridTop + row * cal->CellHeight + line;
  const int32_t width = cal->CellWidth - line;
  const int32_t height = cal->CellHeight - line;
  const ColourRole fill = on ? ColourRole::Marked : ColourRole::Paper;
  const ColourRole ink = on ? ColourRole::MarkedInk : ColourRole::Ink;
  FillRoleBox(dc, left, top, width, height, fill);
  HGDIOBJ font = SelectIfAny(dc, cal->BoldFont);
  DrawAsciiTextColoured(dc, kDayNumbers + 2 * (day - 1), 2, left, top, width, height,
                        RoleColour(dc, ink), RoleColour(dc, fill));
  DrawDayMark(cal, day, left, top, width, height, on);
  Reselect(dc, font);
}

void DrawMonthButton(CalendarState* cal, int32_t month, bool on) {
  if (cal->Dc == nullptr || month < 1 || month > 12 + cal->Leap) return;
  const MonthButton& button = cal->Buttons[month - 1];
  if (button.Label == nullptr) return;
  HDC dc = cal->Dc;
  const bool usable = on || IsCalendarMonthShown(month, cal->Displayed.year);
  const ColourRole fill = on ? ColourRole::Marked : ColourRole::Paper;
  const ColourRole ink =
      on ? ColourRole::MarkedInk : (usable ? ColourRole::Ink : ColourRole::Disabled);
  const int32_t line = CalendarLineWidth(cal);
  // Neighbours share their edges; each button is drawn a line's width inside them.
  DrawFramedBox(dc, button.Left + line, button.Top + line, button.Right - line,
                button.Bottom - line, line, ink, fill);

  // The label centred in the drawn button, over its fill: no background of
  // its own that could cover the frame.
  HGDIOBJ font = SelectIfAny(dc, cal->NormalFont);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  DrawRunColoured(dc, button.Label, LabelLength(button.Label), button.Left + line,
                  button.Top + line, button.Right - button.Left - 2 * line,
                  button.Bottom - button.Top - 2 * line, RoleColour(dc, ink), RoleColour(dc, fill));
  SetBkMode(dc, previousMode);
  Reselect(dc, font);
}

void DrawMonthGrid(CalendarState* cal) {
  if (cal->Dc == nullptr) return;
  HDC dc = cal->Dc;
  const bool clearSixthRow = UpdateCalendarWeekRows(cal);
  const int32_t gridLeft = cal->GridLeft;
  const int32_t gridTop = cal->GridTop;
  const int32_t cellWidth = cal->CellWidth;
  const int32_t cellHeight = cal->CellHeight;
  const int32_t line = CalendarLineWidth(cal);
  const int32_t rows = cal->WeekRows + 1;  // the weekday header and the week rows

  // Paper, then the lines over it: neighbouring cells share their outline.
  const int32_t gridHeight = rows * cellHeight + line;
  FillRoleBox(dc, gridLeft, gridTop, cal->GridWidth, gridHeight, ColourRole::Paper);
  for (int32_t column = 0; column <= 7; ++column) {
    FillRoleBox(dc, gridLeft + column * cellWidth, gridTop, line, gridHeight, ColourRole::Ink);
  }
  for (int32_t row = 0; row <= rows; ++row) {
    FillRoleBox(dc, gridLeft, gridTop + row * cellHeight, cal->GridWidth, line, ColourRole::Ink);
  }
  if (clearSixthRow) {
    FillButtonFace(dc, gridLeft, gridTop + 6 * cellHeight + line, gridLeft + cal->GridWidth,
                   gridTop + 7 * cellHeight + line);
  }

  HGDIOBJ font = SelectIfAny(dc, cal->BoldFont);
  // The weekday headings of the interface's language, from Sunday.
  for (int32_t column = 0; column < 7; ++column) {
    const WideChar* letter = UiText(IDS_WEEKDAY_LETTER_FIRST + column);
    DrawCentredText(dc, letter, static_cast<int32_t>(wcslen(letter)),
                    gridLeft + column * cellWidth + line, gridTop + line, cellWidth - line,
                    cellHeight - line, UiRightToLeft());
  }
  Reselect(dc, font);
  for (int32_t day = 1; day <= cal->MonthLength; ++day) HighlightDayCell(cal, day, false);
}

void DrawYearRow(CalendarState* cal) {
  if (cal->Dc == nullptr) return;
  HDC dc = cal->Dc;
  const int32_t length = FormatCalendarYear(cal);
  HGDIOBJ font = SelectIfAny(dc, cal->BoldFont);
  const int32_t width = RunWidth(cal, cal->Text, length);
  const int32_t left = CenterYearText(cal, width);
  const int32_t top = cal->YearRowTop;
  const int32_t line = CalendarLineWidth(cal);

  ClearYearGap(cal);
  FillRoleBox(dc, left - line, top - line, width + 2 * line, cal->TextHeight + 2 * line,
              ColourRole::Ink);
  DrawAsciiText(dc, cal->Text, length, left, top, width, cal->TextHeight);

  if (cal->ArrowWidth == 0) {
    PlaceCalendarArrows(cal, left, width, RunWidth(cal, kLeftArrow, kArrowLength));
  }
  Reselect(dc, font);
  DrawYearArrows(cal);
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
