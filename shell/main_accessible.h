// The main window's client area as screen readers read it: the shown day.
// Name: the day in words (weekday, Gregorian date, Hebrew date); value: the
// day's whole text in reading order, a line for each heading and entry
// (DayReadingText); children: the lessons (name the heading, with "learned"
// after a learned lesson's; value the entry; off-screen while none of their
// lines is shown) and then the date band (name the Hebrew date, value the
// lessons behind when there are any).
// A read-only document that takes the focus. Only the day decides what is
// read: scrolling, the Reverse option and the display code base do not.
#pragma once
#include <windows.h>

#include <cstdint>

// WM_GETOBJECT of the main window: the accessible object of its client area,
// or 0 for the default processing (another object id, or no object).
LRESULT AnswerMainWindowObject(HWND window, WPARAM flags, LPARAM objectId);

// Tells screen readers that another day is shown: its name and value changed.
void AnnounceShownDay(HWND window);

// Tells screen readers that the learned mark of lesson (1..3) changed: its name did.
void AnnounceLessonMark(HWND window, int32_t lesson);

// Tells screen readers that the date band's value (the lessons behind) changed.
void AnnounceLessonsBehind(HWND window);
