#include "shell/progress_dialog.h"

#include <cwchar>

#include "calendar/hebrew_calendar.h"
#include "common/app_state.h"
#include "common/ui_resources.h"
#include "common/ui_text.h"
#include "resources/resource.h"
#include "study_log/study_progress.h"
#include "view/window_colours.h"

namespace {

// The lines of a track's group, in the dialog's order.
enum ProgressLine : int32_t {
  kLineCycle = 0,
  kLineBegan = 1,
  kLineLearned = 2,
  kLineBehind = 3,
  kLineStreak = 4,
  kLinePace = 5,  // shown only when behind
  kLinesPerGroup = 6,
};

// Room for one line and for one date.
constexpr size_t kLineChars = 160;
constexpr size_t kDateChars = 64;

// What the dialog shows: its creation parameter.
struct ProgressRequest {
  const StudyRecord* Record;
  AbsoluteDay Today;
};

int ControlOf(int32_t group, int32_t line) {
  return IDC_PROGRESS_LINE_FIRST + group * IDC_PROGRESS_GROUP_STEP + line;
}

// day in the interface's date form (the month names of UiDateLocale), or as
// YYYY-MM-DD where the system cannot write it (a year before 1601).
void FormatDay(AbsoluteDay day, WideChar* out) {
  GregorianDate date;
  AbsoluteToGregorian(day, &date);
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  const WideChar* picture = UiText(IDS_PROGRESS_DATE);
  if (date.year >= 1601 && GetDateFormatW(UiDateLocale(), 0, &time, picture, out, kDateChars) > 0) {
    return;
  }
  swprintf(out, kDateChars, L"%04d-%02d-%02d", static_cast<int>(date.year),
           static_cast<int>(date.month), static_cast<int>(date.day));
}

// Sets line of group to entry id with its inserts.
void SetLine(HWND dialog, int32_t group, int32_t line, uint32_t id, const uintptr_t* inserts,
             size_t count) {
  WideChar text[kLineChars];
  FormatUiText(text, kLineChars, id, inserts, count);
  SetDlgItemTextW(dialog, ControlOf(group, line), text);
}

// Fills group with the figures of track.
void FillGroup(HWND dialog, int32_t group, int32_t track, const TrackProgress& progress) {
  SetDlgItemTextW(dialog, IDC_PROGRESS_GROUP_FIRST + group, UiText(IDS_TRACK_FIRST + track));
  WideChar first[kDateChars], last[kDateChars], began[kDateChars];
  FormatDay(progress.Cycle.First, first);
  FormatDay(progress.Cycle.Last, last);
  const uintptr_t cycle[] = {UiInsertNumber(progress.Cycle.Number), UiInsertText(first),
                             UiInsertText(last)};
  SetLine(dialog, group, kLineCycle, IDS_PROGRESS_CYCLE, cycle, 3);
  if (progress.Began != 0) {
    FormatDay(progress.Began, began);
    const uintptr_t inserts[] = {UiInsertText(began)};
    SetLine(dialog, group, kLineBegan, IDS_PROGRESS_BEGAN, inserts, 1);
  } else {
    SetLine(dialog, group, kLineBegan, IDS_PROGRESS_NOT_BEGUN, nullptr, 0);
  }
  const uintptr_t learned[] = {UiInsertNumber(progress.Learned), UiInsertNumber(progress.Total),
                               UiInsertNumber(LearnedPercent(progress))};
  SetLine(dialog, group, kLineLearned, IDS_PROGRESS_LEARNED, learned, 3);
  const uintptr_t behind[] = {UiInsertNumber(progress.Behind)};
  SetLine(dialog, group, kLineBehind, IDS_PROGRESS_BEHIND, behind, 1);
  const uintptr_t streak[] = {UiInsertNumber(progress.Streak)};
  SetLine(dialog, group, kLineStreak, IDS_PROGRESS_STREAK, streak, 1);
  const uintptr_t pace[] = {UiInsertNumber(progress.PaceWeek), UiInsertNumber(progress.PaceMonth)};
  SetLine(dialog, group, kLinePace, IDS_PROGRESS_PACE, pace, 2);
  HWND paceLine = GetDlgItem(dialog, ControlOf(group, kLinePace));
  ShowWindow(paceLine, progress.Behind > 0 ? SW_SHOW : SW_HIDE);
}

// Top of control id in dialog's client coordinates.
int32_t TopOf(HWND dialog, int id) {
  RECT box = {};
  GetWindowRect(GetDlgItem(dialog, id), &box);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
  return box.top;
}

// Hides the groups from `used` on and draws the Close button and the
// dialog's bottom up by their height.
void DropUnusedGroups(HWND dialog, int32_t used) {
  const int32_t pitch =
      TopOf(dialog, IDC_PROGRESS_GROUP_FIRST + 1) - TopOf(dialog, IDC_PROGRESS_GROUP_FIRST);
  for (int32_t group = used; group < kTrackCount; ++group) {
    ShowWindow(GetDlgItem(dialog, IDC_PROGRESS_GROUP_FIRST + group), SW_HIDE);
    for (int32_t line = 0; line < kLinesPerGroup; ++line) {
      ShowWindow(GetDlgItem(dialog, ControlOf(group, line)), SW_HIDE);
    }
  }
  const int32_t lift = pitch * (kTrackCount - used);
  if (lift <= 0) return;
  HWND close = GetDlgItem(dialog, IDCANCEL);
  RECT button = {};
  GetWindowRect(close, &button);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
  SetWindowPos(close, nullptr, button.left, button.top - lift, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT frame = {};
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - lift,
               SWP_NOMOVE | SWP_NOZORDER);
}

void OnInitProgress(HWND dialog, const ProgressRequest* request) {
  const TrackSet followed = FollowedTracks(request->Record);
  int32_t group = 0;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (!HasTrack(followed, track)) continue;
    FillGroup(dialog, group++, track,
              ProgressOf(request->Record, static_cast<LessonTrack>(track), request->Today));
  }
  DropUnusedGroups(dialog, group);
  ApplyWindowFrameColours(dialog);
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR colours = 0;
  if (ControlColourAnswer(message, wParam, &colours)) return colours;
  switch (message) {
    case WM_INITDIALOG:
      OnInitProgress(dialog, reinterpret_cast<const ProgressRequest*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnDialogColoursChanged(dialog, message, wParam, lParam); return FALSE;
  }
  return FALSE;
}

}  // namespace

void ShowStudyProgress(HWND owner, const StudyRecord* record, AbsoluteDay today) {
  // An empty journal of its own when there is none: owned here.
  StudyRecord* empty = record == nullptr ? CreateStudyRecord() : nullptr;
  const ProgressRequest request = {record != nullptr ? record : empty, today};
  if (request.Record != nullptr) {
    ShowUiDialog(App.Instance, IDD_STUDY_PROGRESS, owner, ProgressDialogProc,
                 reinterpret_cast<LPARAM>(&request));
  }
  if (empty != nullptr) DestroyStudyRecord(empty);
}
