#include "calendar_dialog/calendar_hit_test.h"

#include "calendar_dialog/calendar_geometry.h"

namespace {

// The first month button, in month order, that holds the point; 0 for none.
int32_t HitMonthButton(const CalendarState* cal, int32_t x, int32_t y) {
  for (int32_t k = 0; k < kMonthButtonSlots && cal->Buttons[k].Label != nullptr; ++k) {
    const MonthButton& button = cal->Buttons[k];
    if (button.Left <= x && x <= button.Right && button.Top <= y && y <= button.Bottom) {
      return k + 1;
    }
  }
  return 0;
}

// The arrow that holds the point: kCalendarHitYearBack, kCalendarHitYearForward,
// or kCalendarHitNothing (also on the year text and the gaps beside it).
int32_t HitYearArrow(const CalendarState* cal, int32_t x, int32_t y) {
  if (cal->ArrowWidth <= 0) return kCalendarHitNothing;  // not placed yet
  const int32_t dy = y - cal->YearRowTop;
  if (dy < 0 || dy > cal->TextHeight) return kCalendarHitNothing;
  if (x < cal->BackArrowLeft || x > cal->ForwardArrowLeft + cal->ArrowWidth) {
    return kCalendarHitNothing;
  }
  if (x <= cal->BackArrowLeft + cal->ArrowWidth) return kCalendarHitYearBack;
  if (x < cal->ForwardArrowLeft) return kCalendarHitNothing;
  return kCalendarHitYearForward;
}

// The day of the displayed month whose cell holds the point; 0 for none.
int32_t HitDayCell(const CalendarState* cal, int32_t x, int32_t y) {
  const int32_t cellWidth = cal->CellWidth;
  const int32_t cellHeight = cal->CellHeight;
  if (cellWidth <= 0 || cellHeight <= 0) return 0;  // a collapsed grid has no cells
  const int32_t dx = x - cal->GridLeft;
  const int32_t dy = y - (cal->GridTop + cellHeight);
  const int32_t rows = CalendarWeekRows(cal->FirstWeekday, cal->MonthLength);
  if (dx < 0 || dx > cal->GridWidth || dy < 0 || dy > rows * cellHeight) return 0;
  const int32_t column = dx / cellWidth;
  if (column > 6) return 0;  // the grid's right border
  const int32_t day = column + 7 * (dy / cellHeight) - cal->FirstWeekday + 1;
  return IsCalendarDayShown(cal, day) ? day : 0;
}

int32_t ClampPoint(int32_t value) { return value < 0 ? 0 : (value > 0xFFFF ? 0xFFFF : value); }

}  // namespace

CalendarHit HitTestCalendar(const CalendarState* cal, int32_t x, int32_t y) {
  x = ClampPoint(x);
  y = ClampPoint(y);
  const int32_t month = HitMonthButton(cal, x, y);
  if (month != 0) return {kCalendarHitMonth, month};
  const int32_t arrow = HitYearArrow(cal, x, y);
  if (arrow != kCalendarHitNothing) return {arrow, 0};
  const int32_t day = HitDayCell(cal, x, y);
  if (day != 0) return {kCalendarHitDay, day};
  return {kCalendarHitNothing, 0};
}

CalendarClick ApplyCalendarClick(CalendarState* cal, int32_t x, int32_t y) {
  const CalendarHit hit = HitTestCalendar(cal, x, y);
  uint8_t redraw = 0;
  switch (hit.Kind) {
    case kCalendarHitMonth:
      redraw = ChooseCalendarMonth(cal, hit.Value);
      break;
    case kCalendarHitYearBack:
      redraw = StepCalendarYear(cal, -1);
      break;
    case kCalendarHitYearForward:
      redraw = StepCalendarYear(cal, 1);
      break;
    case kCalendarHitDay: {
      const int32_t plainDay = cal->Displayed.day;
      PickCalendarDay(cal, hit.Value);
      return {kCalendarClickPicked, plainDay, hit.Value};
    }
    default:
      return {kCalendarClickIgnored, 0, 0};
  }
  if (redraw != 0) return {kCalendarClickRepaint, 0, 0};
  // Only the displayed month's own button changes nothing without a refusal.
  const bool own = hit.Kind == kCalendarHitMonth && hit.Value == cal->Displayed.month;
  return {own ? kCalendarClickIgnored : kCalendarClickRefused, 0, 0};
}
