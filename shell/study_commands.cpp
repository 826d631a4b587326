#include "shell/study_commands.h"

#include "common/app_state.h"
#include "common/message_box.h"
#include "common/ui_text.h"
#include "resources/resource.h"
#include "shell/main_accessible.h"
#include "shell/progress_dialog.h"
#include "shell/study_log.h"
#include "study_log/journal_file.h"
#include "study_log/study_progress.h"
#include "view/main_view.h"
#include "view/mark_drawing.h"
#include "view/study_marks.h"
#include "view/view_paint.h"

namespace {

// Room for the date band's note.
constexpr size_t kNoteChars = 64;

// Today's AbsoluteDay from the system clock.
AbsoluteDay Today() {
  GregorianDate today;
  GetToday(&today);
  return GregorianToAbsolute(today.month, today.day, today.year);
}

// The tracks the user follows; none without a journal record.
TrackSet Followed() {
  const StudyRecord* record = StudyLogRecord();
  return record != nullptr ? FollowedTracks(record) : 0;
}

// The tracks of tracks whose lesson of day is learned.
TrackSet LearnedOf(TrackSet tracks, AbsoluteDay day) {
  const StudyRecord* record = StudyLogRecord();
  TrackSet learned = 0;
  for (int32_t track = 0; record != nullptr && track < kTrackCount; ++track) {
    if (HasTrack(tracks, track) && IsLearned(record, static_cast<LessonTrack>(track), day)) {
      learned |= 1u << track;
    }
  }
  return learned;
}

// A journal line of kind about track and day, made now.
JournalLine LineOf(JournalKind kind, int32_t track, AbsoluteDay day) {
  JournalLine line = {};
  line.MadeAt = JournalClockSeconds();
  line.Kind = kind;
  line.Track = static_cast<LessonTrack>(track);
  line.Day = day;
  return line;
}

// Marks the lessons of tracks on the shown day learned or not, writing a
// line for each whose mark changes; then shows the marks.
void MarkLessons(HWND window, TrackSet tracks, bool learned) {
  const TrackSet before = LearnedOf(tracks, App.Day);
  JournalLine lines[kTrackCount];
  int32_t count = 0;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (!HasTrack(tracks, track) || HasTrack(before, track) == learned) continue;
    lines[count++] = LineOf(learned ? kJournalLearned : kJournalNotLearned, track, App.Day);
  }
  if (count > 0 && SaveStudyLines(lines, count)) ShowStudyMarks(window);
}

// Takes back or sets the mark of track on the shown day; a track not
// followed has no mark to set.
void ToggleLesson(HWND window, int32_t track) {
  if (!HasTrack(Followed(), track)) {
    MessageBeep(MB_OK);
    return;
  }
  MarkLessons(window, 1u << track, !HasTrack(LearnedOf(1u << track, App.Day), track));
}

// Follows track, or no longer follows it; the last followed track stays.
void ToggleFollowed(HWND window, int32_t track) {
  const TrackSet tracks = Followed() ^ (1u << track);
  if (tracks == 0 || StudyLogRecord() == nullptr) {
    MessageBeep(MB_OK);
    return;
  }
  JournalLine line = LineOf(kJournalFollows, track, App.Day);
  line.Tracks = tracks;
  if (SaveStudyLines(&line, 1)) ShowStudyMarks(window);
}

// The shown day becomes the day the user began each followed track's cycle.
void SetStartDay(HWND window) {
  const TrackSet tracks = Followed();
  JournalLine lines[kTrackCount];
  int32_t count = 0;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (HasTrack(tracks, track)) lines[count++] = LineOf(kJournalBegan, track, App.Day);
  }
  if (count > 0 && SaveStudyLines(lines, count)) ShowStudyMarks(window);
}

// Shows the first day after `after` (0: the oldest of the current cycles)
// with a followed lesson not learned since the user began; says so when
// there is none.
void GoBackTo(HWND window, AbsoluteDay after, uint32_t noneText) {
  const StudyRecord* record = StudyLogRecord();
  const AbsoluteDay day =
      record != nullptr ? NextDayNotLearned(record, Followed(), after, Today()) : 0;
  if (day == 0) {
    ShowUiMessage(UiText(noneText), UiText(IDS_STUDY_LOG), MB_ICONINFORMATION);
    return;
  }
  ShowSelectedDay(window, day);
}

// The date band's note: how many followed lessons are behind, none when none.
void ShowLessonsBehind(HWND window) {
  const StudyRecord* record = StudyLogRecord();
  const int32_t behind = record != nullptr ? LessonsBehind(record, Followed(), Today()) : 0;
  WideChar note[kNoteChars] = {};
  const uintptr_t inserts[] = {UiInsertNumber(behind)};
  if (behind > 0) FormatUiText(note, kNoteChars, IDS_BAND_BEHIND, inserts, 1);
  if (!SetDateBandNote(note)) return;
  RepaintMainWindow(window, 0);
  AnnounceLessonsBehind(window);
}

}  // namespace

bool HandleStudyCommand(HWND window, UINT id) {
  LoadStudyLog();  // a command before the first read reads it now
  switch (id) {
    case IDC_MARK_DAY: MarkLessons(window, Followed(), true); return true;
    case IDC_UNMARK_DAY: MarkLessons(window, Followed(), false); return true;
    case IDC_MARK_THREE_CHAPTERS:
    case IDC_MARK_ONE_CHAPTER:
    case IDC_MARK_COMMANDMENTS:
      ToggleLesson(window, static_cast<int32_t>(id - IDC_MARK_TRACK_FIRST));
      return true;
    case IDC_CATCH_UP: GoBackTo(window, 0, IDS_NOTHING_BEHIND); return true;
    case IDC_NEXT_NOT_LEARNED: GoBackTo(window, App.Day, IDS_NO_LATER_DAY_BEHIND); return true;
    case IDC_STUDY_PROGRESS: ShowStudyProgress(window, StudyLogRecord(), Today()); return true;
    case IDC_FOLLOW_THREE_CHAPTERS:
    case IDC_FOLLOW_ONE_CHAPTER:
    case IDC_FOLLOW_COMMANDMENTS:
      ToggleFollowed(window, static_cast<int32_t>(id - IDC_FOLLOW_TRACK_FIRST));
      return true;
    case IDC_SET_START_DAY: SetStartDay(window); return true;
    case IDC_STUDY_LOG_FILE:
      if (ChooseStudyLogFile(window)) ShowStudyMarks(window);
      return true;
    default: return false;
  }
}

bool ClickStudyMark(HWND window, int32_t x, int32_t y) {
  const int32_t track = MarkBoxAt(App.View, x, y);
  if (track < 0) return false;
  ToggleLesson(window, track);
  return true;
}

void ShowStudyMarks(HWND window) {
  LessonView* view = App.View;
  if (view != nullptr) {
    const TrackSet shown = Followed();
    const TrackSet learned = LearnedOf(shown, App.Day);
    const TrackSet shownBefore = view->MarkTracks;
    const TrackSet told = view->MarkTracks & view->LearnedTracks;
    if (SetViewMarks(view, shown, learned)) {
      if (shown != shownBefore) {
        PaintText(view, true);
      } else {
        for (int32_t track = 0; track < kTrackCount; ++track) {
          DrawMarkBox(view->Dc, view->PaintedMarks[track], HasTrack(learned, track));
        }
      }
    }
    for (int32_t track = 0; track < kTrackCount; ++track) {
      if (HasTrack(told ^ (shown & learned), track)) AnnounceLessonMark(window, track + 1);
    }
  }
  ShowLessonsBehind(window);
}

void OnStudyLogLoad(HWND window) {
  LoadStudyLog();
  ShowStudyMarks(window);
}

void OnStudyLogMayHaveChanged(HWND window) {
  RefreshStudyLog();
  ShowStudyMarks(window);  // today may have changed too
}

void UpdateStudyMenu(HWND window) {
  HMENU menu = GetMenu(window);
  const TrackSet followed = Followed();
  const TrackSet learned = LearnedOf(followed, App.Day);
  const bool oneFollowed = followed != 0 && (followed & (followed - 1)) == 0;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    const UINT mark = IDC_MARK_TRACK_FIRST + track;
    const UINT follow = IDC_FOLLOW_TRACK_FIRST + track;
    CheckMenuItem(menu, mark, MF_BYCOMMAND | (HasTrack(learned, track) ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu, mark, MF_BYCOMMAND | (HasTrack(followed, track) ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, follow,
                  MF_BYCOMMAND | (HasTrack(followed, track) ? MF_CHECKED : MF_UNCHECKED));
    const bool last = oneFollowed && HasTrack(followed, track);
    EnableMenuItem(menu, follow, MF_BYCOMMAND | (last || followed == 0 ? MF_GRAYED : MF_ENABLED));
  }
}

CalendarStudyMarks CalendarMarks() {
  return CalendarStudyMarks{StudyLogRecord(), Followed(), Today()};
}
