// The calendar dialog: a modal Hebrew month sheet, drawn and hit-tested by the
// program, from which the user picks a day.
#pragma once
#include <windows.h>

#include <cstdint>

#include "calendar/hebrew_calendar.h"
#include "calendar_dialog/calendar_model.h"
#include "common/platform_types.h"

// Shows dialog 106 owned by owner on the month of day (0 = today), with day
// selected; fontName is the face of its fonts (empty or null: "David", Hebrew
// character set), read while the dialog is open. Fonts, gaps and lines follow
// the owner's DPI, and the dialog's own when it moves to another monitor;
// study (null: none) gives the days' study marks. Returns the AbsoluteDay the
// user clicked or picked with Enter, or 0 when the dialog was closed in any
// other way or could not be shown.
AbsoluteDay ShowCalendarDialog(InstanceHandle instance, WindowHandle owner, AbsoluteDay day,
                               const WideChar* fontName, const CalendarStudyMarks* study = nullptr);

// The dialog procedure; its creation parameter is the dialog's CalendarState,
// which the caller owns and which outlives the dialog.
INT_PTR CALLBACK CalendarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog's state, stored with the dialog at WM_INITDIALOG; null before.
CalendarState* CalendarStateOf(HWND dialog);

// The font description both dialog fonts are made from at 96 DPI: height 14,
// normal weight; face fontName (cut to 31 characters) with the default character set,
// or "David" with the Hebrew character set when fontName is null or empty.
void DescribeCalendarFont(LOGFONTW* description, const WideChar* fontName);
