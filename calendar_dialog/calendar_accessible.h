// The calendar dialog as screen readers read it: its client area is named
// after the selected day (weekday, Gregorian date, Hebrew date), and says so
// again at every move of the selection.
#pragma once
#include <windows.h>

// WM_GETOBJECT of the calendar dialog: the accessible object of its client
// area, or 0 for the default processing.
LRESULT AnswerCalendarObject(HWND dialog, WPARAM flags, LPARAM objectId);

// Tells screen readers that the selected day (the client area's name) changed.
void AnnounceCalendarSelection(HWND dialog);
