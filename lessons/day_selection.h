// The selection of the current day in AppState.
#pragma once
#include <cstdint>

#include "calendar/hebrew_calendar.h"

// Makes day (an AbsoluteDay; 0 = today) the selected day of App and fills Day,
// DateRecord, DateText, DateTextLength and Lesson for it, keeping the
// fixed-day bit of Flags and LastPosition in step. keep != 0: the caller keeps
// the view's scroll position and wants the day even when a fixed day is
// stored. Builds no LessonText.
void SelectDay(AbsoluteDay day, int32_t keep);
