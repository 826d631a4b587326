#include "lessons/lesson_schedule.h"

int32_t LessonDayFromAbsolute(AbsoluteDay day) {
  // Floor modulo, so that days before year 1 stay within the cycle as well.
  int64_t k = (static_cast<int64_t>(day) + 726) % kLessonCycleDays;
  if (k < 0) k += kLessonCycleDays;
  return static_cast<int32_t>(k) + 1;
}
