#include "lessons/day_selection.h"

#include "calendar/hebrew_date_text.h"
#include "common/app_state.h"
#include "lessons/lesson_schedule.h"

static_assert(sizeof(AppState::DateText) > kMaxHebrewDateText, "the longest date text fits");

void SelectDay(AbsoluteDay day, int32_t keep) {
  if (day == 0 && (App.Flags & kFlagFixedDay) && keep == 0) return;
  if (day != 0) {
    App.Flags |= kFlagFixedDay;
  } else {
    GregorianDate today;
    GetToday(&today);
    day = GregorianToAbsolute(today.month, today.day, today.year);
    App.Flags &= ~uint32_t{kFlagFixedDay};
  }
  if (day == App.Day) return;
  if (keep == 0) App.LastPosition = 0;
  App.Day = day;
  AbsoluteToHebrew(day, &App.DateRecord);
  App.DateTextLength = FormatHebrewDate(&App.DateRecord, App.DateText);
  if (App.DateTextLength == 0) App.DateText[0] = 0;
  App.Lesson = static_cast<uint16_t>(LessonDayFromAbsolute(day));
}
