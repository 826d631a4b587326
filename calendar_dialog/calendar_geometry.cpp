#include "calendar_dialog/calendar_geometry.h"

#include "common/dpi.h"

namespace {

constexpr int32_t kCoordinateLimit = 32767;
// Gaps of the sheet in pixels at 96 DPI: above the year row, between the year
// row and the month buttons, between the buttons and the grid, and between the
// year text and each arrow.
constexpr int32_t kYearRowGap = 2;
constexpr int32_t kButtonsGap = 6;
constexpr int32_t kGridGap = 4;
constexpr int32_t kArrowGap = 10;

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : (value > high ? high : value);
}

int32_t AtLeastZero(int32_t value) { return value < 0 ? 0 : value; }

// Stores a button rectangle; coordinates outside 0..65535 are clamped.
void SetButton(MonthButton* button, int32_t top, int32_t left, int32_t bottom, int32_t right) {
  button->Top = static_cast<uint16_t>(Clamp(top, 0, 0xFFFF));
  button->Left = static_cast<uint16_t>(Clamp(left, 0, 0xFFFF));
  button->Bottom = static_cast<uint16_t>(Clamp(bottom, 0, 0xFFFF));
  button->Right = static_cast<uint16_t>(Clamp(right, 0, 0xFFFF));
}

}  // namespace

void LayoutCalendar(CalendarState* cal, const CalendarRect* client, int32_t textHeight) {
  const int32_t left = Clamp(client->Left, -kCoordinateLimit, kCoordinateLimit);
  const int32_t top = Clamp(client->Top, -kCoordinateLimit, kCoordinateLimit);
  const int32_t right = Clamp(client->Right, -kCoordinateLimit, kCoordinateLimit);
  const int32_t bottom = Clamp(client->Bottom, -kCoordinateLimit, kCoordinateLimit);
  cal->ClientLeft = left;
  cal->ClientTop = top;
  cal->ClientRight = right;
  cal->ClientBottom = bottom;
  const int32_t width = right - left + 1;
  const int32_t height = bottom - top + 1;

  // The month grid fills the lower two thirds: header row and six week rows.
  cal->GridTop = (3 * height) / 9;
  cal->CellHeight = AtLeastZero((bottom - cal->GridTop) / 7);
  cal->CellWidth = AtLeastZero(width / 8);
  cal->GridWidth = 7 * cal->CellWidth + CalendarLineWidth(cal);
  cal->GridLeft = left + (width - cal->GridWidth) / 2;

  cal->YearRowTop = top + ScaleToDpi(kYearRowGap, cal->Dpi);
  cal->TextHeight = Clamp(textHeight, 0, kCoordinateLimit);

  // Three rows of four buttons between the year row and the grid, month 1 at
  // the top right of the screen, laid out right to left: in a mirrored sheet,
  // whose x runs from the right, from its left.
  const int32_t buttonsTop = top + cal->TextHeight + ScaleToDpi(kButtonsGap, cal->Dpi);
  const int32_t buttonWidth = AtLeastZero(((7 * width) / 8) / 4);
  const int32_t buttonHeight =
      AtLeastZero((cal->GridTop - buttonsTop - ScaleToDpi(kGridGap, cal->Dpi)) / 3);
  const int32_t buttonsLeft = left + (width - (4 * buttonWidth + 1)) / 2;
  auto column = [cal](int32_t k) { return cal->Mirrored ? (k - 1) % 4 : 3 - (k - 1) % 4; };
  for (int32_t k = 1; k <= 12; ++k) {
    const int32_t row = (k - 1) / 4;
    SetButton(&cal->Buttons[k - 1], buttonsTop + row * buttonHeight,
              buttonsLeft + column(k) * buttonWidth, buttonsTop + (row + 1) * buttonHeight,
              buttonsLeft + (column(k) + 1) * buttonWidth);
  }

  // The last button whole (common year) or split: Adar I over its three
  // quarters on the right of the screen, Adar II over its left quarter.
  const int32_t lastTop = buttonsTop + 2 * buttonHeight;
  const int32_t lastBottom = buttonsTop + 3 * buttonHeight;
  const int32_t lastLeft = buttonsLeft + column(12) * buttonWidth;
  const int32_t lastRight = lastLeft + buttonWidth;
  const int32_t seam = cal->Mirrored ? lastRight - buttonWidth / 4 : lastLeft + buttonWidth / 4;
  const int32_t adarILeft = cal->Mirrored ? lastLeft : seam;
  const int32_t adarIRight = cal->Mirrored ? seam : lastRight;
  const int32_t adarIILeft = cal->Mirrored ? seam : lastLeft;
  const int32_t adarIIRight = cal->Mirrored ? lastRight : seam;
  SetButton(&cal->CommonLast[0], lastTop, lastLeft, lastBottom, lastRight);
  SetButton(&cal->LeapLast[0], lastTop, adarILeft, lastBottom, adarIRight);
  SetButton(&cal->LeapLast[1], lastTop, adarIILeft, lastBottom, adarIIRight);
  if (cal->Leap) {
    cal->Buttons[11] = cal->LeapLast[0];
    cal->Buttons[12] = cal->LeapLast[1];
  }
}

int32_t CalendarLineWidth(const CalendarState* cal) { return LineWidthForDpi(cal->Dpi); }

int32_t CenterYearText(const CalendarState* cal, int32_t textWidth) {
  return ((cal->ClientRight - cal->ClientLeft) - textWidth) / 2;
}

void PlaceCalendarArrows(CalendarState* cal, int32_t yearLeft, int32_t yearWidth,
                         int32_t arrowWidth) {
  if (cal->ArrowWidth != 0 || arrowWidth <= 0) return;
  const int32_t gap = ScaleToDpi(kArrowGap, cal->Dpi);
  cal->ForwardArrowLeft = yearLeft + yearWidth + gap;
  cal->ArrowWidth = arrowWidth;
  cal->BackArrowLeft = yearLeft - arrowWidth - gap;
}

int32_t CalendarWeekRows(int32_t firstWeekday, int32_t monthLength) {
  return firstWeekday == 6 && monthLength == 30 ? 6 : 5;
}

bool UpdateCalendarWeekRows(CalendarState* cal) {
  const int32_t rows = CalendarWeekRows(cal->FirstWeekday, cal->MonthLength);
  const bool clear = rows == 5 && cal->WeekRows == 6;
  cal->WeekRows = static_cast<uint8_t>(rows);
  return clear;
}

bool CalendarDayCell(const CalendarState* cal, int32_t day, int32_t* row, int32_t* column) {
  if (!IsCalendarDayShown(cal, day)) return false;
  const int32_t place = cal->FirstWeekday + day - 1;
  *row = place / 7 + 1;
  *column = place % 7;
  return true;
}

CalendarRect CalendarCellRect(const CalendarState* cal, int32_t row, int32_t column) {
  CalendarRect cell;
  cell.Left = cal->GridLeft + column * cal->CellWidth;
  cell.Top = cal->GridTop + row * cal->CellHeight;
  cell.Right = cell.Left + cal->CellWidth + CalendarLineWidth(cal);
  cell.Bottom = cell.Top + cal->CellHeight + CalendarLineWidth(cal);
  return cell;
}
