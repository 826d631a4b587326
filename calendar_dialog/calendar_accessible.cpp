#include "calendar_dialog/calendar_accessible.h"

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calendar_dialog/calendar_dialog.h"
#include "calendar_dialog/calendar_keyboard.h"
#include "common/accessible_object.h"
#include "common/ui_text.h"
#include "common/wide_text.h"
#include "resources/resource.h"
#include "view/glyph_mapping.h"
#include "view/reading_text.h"

namespace {

int32_t ChildCount(HWND) { return 0; }

// The month on the sheet as its button and the year row show it: the month's
// name in reading order, a blank and the year in digits; null without memory.
WideChar* SheetName(const CalendarState* cal) {
  const int32_t month = cal->Displayed.month;
  const uint8_t* label = month >= 1 && month <= 13 ? cal->Buttons[month - 1].Label : nullptr;
  if (label == nullptr) return nullptr;
  const int32_t length = static_cast<int32_t>(strlen(reinterpret_cast<const char*>(label)));
  const WideChar* reading = MapToReading(label, length);
  char year[16];
  const int32_t digits = snprintf(year, sizeof year, " %d", static_cast<int>(cal->Displayed.year));
  if (reading == nullptr || digits <= 0) return nullptr;
  const size_t capacity = static_cast<size_t>(length + digits + 1);
  auto* name = static_cast<WideChar*>(malloc(capacity * sizeof(WideChar)));
  if (name == nullptr) return nullptr;
  size_t at = 0;
  for (; at < static_cast<size_t>(length) && reading[at] != 0; ++at) name[at] = reading[at];
  WidenAscii(name + at, capacity - at, year);
  return name;
}

// The selected day in words, with its study state when it is learned or
// behind, or the month shown when the day lies elsewhere; the rest is the
// standard object's.
WideChar* Text(HWND dialog, int32_t child, AccessibleField field) {
  const CalendarState* cal = CalendarStateOf(dialog);
  if (cal == nullptr || child != CHILDID_SELF || field != AccessibleField::Name) return nullptr;
  if (!IsSelectionOnSheet(cal)) return SheetName(cal);
  const AbsoluteDay day = SelectedCalendarDay(cal);
  WideChar* name = DayNameText(day, UiText);
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

void AnnounceCalendarChange(HWND dialog) { AnnounceClientChange(dialog, false); }
