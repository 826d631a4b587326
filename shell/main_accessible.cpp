#include "shell/main_accessible.h"

#include <oleacc.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "common/accessible_object.h"
#include "common/app_state.h"
#include "common/mirroring.h"
#include "common/ui_text.h"
#include "lessons/text_stream.h"
#include "resources/resource.h"
#include "view/lesson_view.h"
#include "view/reading_text.h"
#include "view/view_paint.h"
#include "view/view_scroll.h"

namespace {

// The shown day's LessonText, or null.
const uint8_t* ShownText() { return App.View != nullptr ? App.View->Text : nullptr; }

// Children: the lessons 1..LessonCount, then the date band.
int32_t ChildCount(HWND) { return LessonCount(ShownText()) + 1; }

// True when lesson's mark box shows it learned.
bool IsShownLearned(int32_t lesson) {
  const LessonView* view = App.View;
  return view != nullptr && HasTrack(view->MarkTracks & view->LearnedTracks, lesson - 1);
}

// The name of lesson: its heading, said learned when its mark shows it so.
WideChar* LessonName(int32_t lesson) {
  WideChar* heading = LessonPartText(ShownText(), lesson, LessonPart::Heading);
  return IsShownLearned(lesson) ? WrapInUiText(IDS_LESSON_LEARNED, heading) : heading;
}

bool IsDateBand(HWND window, int32_t child) { return child == ChildCount(window); }

// A copy of the date band's note (the lessons behind); null when there is none.
WideChar* BandNoteText() {
  const WideChar* note = DateBandNote();
  size_t length = 0;
  while (note[length] != 0) ++length;
  if (length == 0) return nullptr;
  auto* copy = static_cast<WideChar*>(malloc((length + 1) * sizeof(WideChar)));
  if (copy != nullptr) memcpy(copy, note, (length + 1) * sizeof(WideChar));
  return copy;
}

WideChar* Text(HWND window, int32_t child, AccessibleField field) {
  const bool name = field == AccessibleField::Name;
  if (child == CHILDID_SELF) {
    return name ? DayNameText(App.Day, UiText) : DayReadingText(ShownText());
  }
  if (IsDateBand(window, child)) return name ? HebrewDateText(App.Day) : BandNoteText();
  return name ? LessonName(child) : LessonPartText(ShownText(), child, LessonPart::Entry);
}

int32_t Role(HWND window, int32_t child) {
  if (child == CHILDID_SELF) return ROLE_SYSTEM_DOCUMENT;
  return IsDateBand(window, child) ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_TEXT;
}

// Box of the lines of lesson that the text area shows now, found as painting
// walks them; false when none is shown.
bool LessonBox(LessonView* view, int32_t lesson, RECT* box) {
  size_t first = 0, end = 0;
  if (view == nullptr || view->Lines == nullptr || !LessonSpan(view->Text, lesson, &first, &end)) {
    return false;
  }
  const PaintStart start = FindPaintStart(view);
  int32_t y = view->Y + start.Offset;
  int32_t remaining = view->Height - start.Offset;
  bool shown = false;
  for (const LineEntry* entry = start.Entry; entry != nullptr && entry->Flags != 0; ++entry) {
    if (remaining < entry->Height) break;  // painted only if it fits whole
    if (!IsRuleRecord(entry->Flags) && entry->TextOffset >= first && entry->TextOffset < end) {
      const RECT line = {entry->X - entry->LabelWidth, y, entry->X + entry->Width + entry->LabelWidth,
                         y + entry->Height};
      if (!shown) *box = line;
      UnionRect(box, box, &line);
      shown = true;
    }
    y += LineRows(*entry) * entry->Height;
    remaining -= LineRows(*entry) * entry->Height;
  }
  return shown;
}

// The date band's box, or the shown lines of a lesson, in the window's client
// coordinates (the text area is painted from the left even when they run
// from the right).
bool Location(HWND window, int32_t child, RECT* box) {
  RECT painted = {};
  if (IsDateBand(window, child)) {
    const DateBandBox& band = App.DateBand;
    painted = RECT{band.X, band.Y, band.X + band.Width, band.Y + band.Height};
  } else if (!LessonBox(App.View, child, &painted)) {
    return false;
  }
  *box = ClientBoxOfWindow(window, painted);
  return true;
}

// A lesson none of whose lines the text area shows is off-screen.
uint32_t State(HWND window, int32_t child) {
  if (child == CHILDID_SELF) return STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE;
  RECT box;
  if (!Location(window, child, &box)) return STATE_SYSTEM_READONLY | STATE_SYSTEM_OFFSCREEN;
  return STATE_SYSTEM_READONLY;
}

const AccessibleContent kMainWindowContent = {ChildCount, Text, Role, State, Location};

}  // namespace

LRESULT AnswerMainWindowObject(HWND window, WPARAM flags, LPARAM objectId) {
  return AnswerClientObject(window, flags, objectId, &kMainWindowContent);
}

void AnnounceShownDay(HWND window) { AnnounceClientChange(window, true); }

void AnnounceLessonMark(HWND window, int32_t lesson) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, lesson);
}

void AnnounceLessonsBehind(HWND window) {
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, ChildCount(window));
}
