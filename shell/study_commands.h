// The study log in the main window: its commands (marks, the way back,
// progress, the followed tracks, the start day, the journal's file) and what
// the window shows of the journal: the shown day's mark boxes, the lessons
// behind in the date band, the Study menu's check marks, and the screen
// reader's events when a mark changes.
#pragma once
#include <windows.h>

#include <cstdint>

#include "calendar_dialog/calendar_model.h"

// Carries out command id of the study log for window; false for any other id.
bool HandleStudyCommand(HWND window, UINT id);

// Takes back or sets the mark of the lesson whose box is at x, y (client
// coordinates); false when there is no box there.
bool ClickStudyMark(HWND window, int32_t x, int32_t y);

// Brings window in line with the journal: the shown day's boxes and marks and
// the lessons behind in the date band; repaints what changed and tells screen
// readers of each lesson whose mark changed.
void ShowStudyMarks(HWND window);

// Reads the journal the first time (kStudyLogLoad), or again when it may
// have changed (activation, kStudyLogMayHaveChanged), and shows what it says.
void OnStudyLogLoad(HWND window);
void OnStudyLogMayHaveChanged(HWND window);

// The Study menu's check marks and greyed items for the shown day.
void UpdateStudyMenu(HWND window);

// The day marks the calendar shows: the journal's, for the followed tracks, today.
CalendarStudyMarks CalendarMarks();
