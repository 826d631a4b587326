#include "calendar_dialog/calendar_accessible.h"

#include <oleacc.h>

#include "calendar_dialog/calendar_dialog.h"
#include "calendar_dialog/calendar_keyboard.h"
#include "common/accessible_object.h"
#include "common/ui_text.h"
#include "resources/resource.h"
#include "view/reading_text.h"

namespace {

int32_t ChildCount(HWND) { return 0; }

// The selected day in words, with its study state when it is learned or
// behind; the rest is the standard object's.
WideChar* Text(HWND dialog, int32_t child, AccessibleField field) {
  const CalendarState* cal = CalendarStateOf(dialog);
  if (cal == nullptr || child != CHILDID_SELF || field != AccessibleField::Name) return nullptr;
  const AbsoluteDay day = SelectedCalendarDay(cal);
  WideChar* name = DayNameText(day);
  switch (CalendarStudyState(cal, day)) {
    case kDayLearned: return WrapInUiText(IDS_LESSON_LEARNED, name);
    case kDayBehind: return WrapInUiText(IDS_DAY_NOT_LEARNED, name);
    default: return name;
  }
}

int32_t Role(HWND, int32_t) { return 0; }
uint32_t State(HWND, int32_t) { return STATE_SYSTEM_FOCUSABLE; }
bool Location(HWND, int32_t, RECT*) { return false; }

const AccessibleContent kCalendarContent = {ChildCount, Text, Role, State, Location};

}  // namespace

LRESULT AnswerCalendarObject(HWND dialog, WPARAM flags, LPARAM objectId) {
  return AnswerClientObject(dialog, flags, objectId, &kCalendarContent);
}

void AnnounceCalendarSelection(HWND dialog) { AnnounceClientChange(dialog, false); }
