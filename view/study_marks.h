// The study marks of a view: beside the first line of each followed lesson's
// heading a mark box, which holds a check mark when the lesson is learned.
// Portable: which line carries a box, where it goes, and which box a point
// hits; the Win32 drawing is view/mark_drawing.h.
#pragma once
#include <cstdint>

#include "lessons/lesson_schedule.h"
#include "view/lesson_view.h"

// The track whose lesson heading starts with entry (lesson k of the day's text
// is track k - 1); -1 for every other entry, a heading's later lines included.
int32_t HeadingTrackOf(const LessonView* view, const LineEntry* entry);

// The mark box beside a heading line painted at y: a square three fifths of
// the line's height, centred on the line, half its size after the heading's
// end and kept within the text area; Size 0 when the area has no room.
MarkBox MarkBoxBeside(const LessonView* view, const LineEntry* entry, int32_t y);

// The track whose box, as the last paint drew it and widened by a quarter of
// its size, holds the point x, y; -1 for none.
int32_t MarkBoxAt(const LessonView* view, int32_t x, int32_t y);

// Shows boxes for the tracks of shown, ticked for those of learned (the view
// is not repainted). True when either changed.
bool SetViewMarks(LessonView* view, TrackSet shown, TrackSet learned);
