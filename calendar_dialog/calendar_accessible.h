// The calendar dialog as screen readers read it: its client area is named
// after the selected day (weekday, Gregorian date, Hebrew date) while the
// sheet shows its month, and after the month and year on the sheet (as its
// button and year row show them) while it shows another; it says so again at
// every change.
#pragma once
#include <windows.h>

// WM_GETOBJECT of the calendar dialog: the accessible object of its client
// area, or 0 for the default processing.
LRESULT AnswerCalendarObject(HWND dialog, WPARAM flags, LPARAM objectId);

// Tells screen readers that the client area's name changed: another day
// selected, or another month shown.
void AnnounceCalendarChange(HWND dialog);
