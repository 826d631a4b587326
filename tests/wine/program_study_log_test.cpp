// The study log in the running program: marks set by a click on a lesson's
// box and by the commands, kept over a restart, shown in the calendar and in
// the progress window with the figures the journal gives, and the way back to
// the days not learned; a journal written by zelvan-cli appears in the
// program, and a read-only journal gives the message and keeps its bytes.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "resources/resource.h"
#include "study_log/journal_file.h"
#include "study_log/study_progress.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/output_scenario.h"
#include "tests/wine/screen_reader.h"
#include "tests/wine/wine_test_support.h"
#include "view/reading_text.h"

namespace {

constexpr wchar_t kLearned[] = L", learned";

std::wstring JournalPath() {
  PathChar path[kMaxJournalPath + 1] = {};
  return DefaultJournalPath(path, kMaxJournalPath + 1) ? path : L"";
}

// The journal's bytes; empty when there is no file.
std::string JournalBytes() {
  char* bytes = nullptr;
  size_t size = 0;
  if (ReadJournalFile(JournalPath().c_str(), &bytes, &size) != kJournalOk || bytes == nullptr) return "";
  std::string text(bytes, size);
  free(bytes);
  return text;
}

// The journal as the program should read it; the caller destroys it.
StudyRecord* JournalRecord() {
  StudyRecord* record = CreateStudyRecord();
  const std::string bytes = JournalBytes();
  LoadJournalText(record, bytes.data(), bytes.size());
  return record;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// True when lesson's name (1..3) says it is learned.
bool SaysLearned(HWND window, LONG lesson) { return EndsWith(ReadClient(window, lesson).Name, kLearned); }

// The day the window shows, as its client object names it.
std::wstring ShownDayName(HWND window) { return ReadClient(window, CHILDID_SELF).Name; }
std::wstring NameOf(AbsoluteDay day) {
  WideChar* text = DayNameText(day, ProgramText);
  std::wstring name = text != nullptr ? text : L"";
  free(text);
  return name;
}

// The centre of lesson's mark box: the dark pixels right of its blue heading.
bool FindMarkBox(HWND window, LONG lesson, POINT* centre) {
  RECT lines = {};
  Picture client;
  if (!ClientChildBox(window, lesson, &lines) || !CaptureClient(window, &client)) return false;
  RECT box = {client.Width, 0, -1, 0};
  bool heading = false;
  for (int y = lines.top; y < lines.bottom; ++y) {
    const RECT row = {0, y, client.Width, y + 1};
    if (CountPixels(client, row, IsHeadingBlue) == 0) {
      if (heading) break;  // the heading's rows have ended
      continue;
    }
    if (!heading) box.top = y;
    heading = true;
    for (int x = 0; x < client.Width; ++x) {
      if (!IsDark(PixelOf(client, x, y))) continue;
      box.left = x < box.left ? x : box.left;
      box.right = x > box.right ? x : box.right;
      box.bottom = y;
    }
  }
  *centre = POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  return box.right > box.left;
}

void ClickAt(HWND window, POINT point) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

// Pixels of the calendar sheet in the colour rgb.
int ColourPixels(const Picture& picture, uint32_t rgb) {
  const RECT all = {0, 0, picture.Width, picture.Height};
  return CountPixels(picture, all, [rgb](uint32_t p) { return (p & 0xFFFFFF) == rgb; });
}

class StudyLog : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetFileAttributesW(JournalPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(JournalPath().c_str());
    StoreTestFont();
    StorePlacement(0, 0, 600, 520, SW_SHOWNORMAL);
  }
  // Starts the program and waits until its journal is read: the boxes show.
  void StartWithMarks() {
    ASSERT_NO_FATAL_FAILURE(Start());
    POINT box = {};
    ASSERT_TRUE(WaitUntil([&] { return FindMarkBox(run_.Window, 3, &box); }, kConditionLimit))
        << "no mark box beside the third lesson";
  }
};

}  // namespace

TEST_F(StudyLog, MarksRestartCalendarProgressAndTheWayBack) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const AbsoluteDay today = TodayAbsolute();
  ASSERT_NO_FATAL_FAILURE(StartWithMarks());
  // Began three days ago; today marked by a click on the first box, then the
  // rest by Ctrl+M.
  for (int i = 0; i < 3; ++i) SendCommand(run_.Window, kCommandPreviousDay);
  SendCommand(run_.Window, IDC_SET_START_DAY);
  SendCommand(run_.Window, kCommandToday);
  ASSERT_TRUE(ListenForChanges(run_.ProcessId));
  POINT box = {};
  ASSERT_TRUE(FindMarkBox(run_.Window, 1, &box));
  ClickAt(run_.Window, box);
  EXPECT_TRUE(SaysLearned(run_.Window, 1));
  EXPECT_FALSE(SaysLearned(run_.Window, 2));
  EXPECT_TRUE(WaitUntil([&] { return HeardChanges(EVENT_OBJECT_NAMECHANGE, run_.Window, 1) == 1; },
                        kConditionLimit)) << "no event for the mark";
  StopListening();
  ASSERT_TRUE(PressKey(run_.Window, VK_CONTROL, 'M'));
  EXPECT_TRUE(WaitUntil([&] { return SaysLearned(run_.Window, 2) && SaysLearned(run_.Window, 3); },
                        kConditionLimit)) << "Ctrl+M did not mark the day";
  ASSERT_NO_FATAL_FAILURE(Close());

  ASSERT_NO_FATAL_FAILURE(StartWithMarks());
  for (LONG lesson = 1; lesson <= 3; ++lesson) EXPECT_TRUE(SaysLearned(run_.Window, lesson)) << lesson;
  StudyRecord* record = JournalRecord();
  const int32_t behind = LessonsBehind(record, kAllTracks, today);
  EXPECT_EQ(ReadClient(run_.Window, 4).Value, behind > 0 ? L"Lessons behind: " + std::to_wstring(behind) : L"")
      << "the date band's note";

  // The calendar: today checked, the day before behind; moving the selection
  // there names it so.
  EXPECT_EQ(DayStateOf(record, kAllTracks, today - 1, today), kDayBehind);
  PostMessageW(run_.Window, WM_COMMAND, IDC_CALENDAR, 0);
  HWND calendar = WaitForDialog(run_.ProcessId, L"Hebrew Calendar", kConditionLimit);
  ASSERT_NE(calendar, nullptr);
  EXPECT_TRUE(EndsWith(ReadClient(calendar, CHILDID_SELF).Name, kLearned));
  SendMessageW(calendar, WM_KEYDOWN, VK_LEFT, 1);
  EXPECT_TRUE(EndsWith(ReadClient(calendar, CHILDID_SELF).Name, L", not learned"));
  Picture sheet;
  ASSERT_TRUE(CaptureClient(calendar, &sheet));
  HebrewDate date = {};
  // Each is on the sheet unless the month begins between them.
  if (AbsoluteToHebrew(today, &date)->day > 1) {
    EXPECT_GT(ColourPixels(sheet, 0x008000), 0) << "no check for today";
  }
  if (AbsoluteToHebrew(today - 1, &date)->day > 1) {
    EXPECT_GT(ColourPixels(sheet, 0xC00000), 0) << "no dot for the days behind";
  }
  ASSERT_TRUE(PressDialogButton(calendar, IDCANCEL));

  // The progress window: the journal's figures, each a static text.
  PostMessageW(run_.Window, WM_COMMAND, IDC_STUDY_PROGRESS, 0);
  HWND progress = WaitForDialog(run_.ProcessId, L"Study progress", kConditionLimit);
  ASSERT_NE(progress, nullptr);
  auto line = [&](int group, int at) {
    return WindowText(GetDlgItem(progress, IDC_PROGRESS_LINE_FIRST + group * IDC_PROGRESS_GROUP_STEP + at));
  };
  for (int track = 0; track < kTrackCount; ++track) {
    SCOPED_TRACE(track);
    const TrackProgress figures = ProgressOf(record, static_cast<LessonTrack>(track), today);
    EXPECT_EQ(line(track, 2).find(L"Lessons learned: " + std::to_wstring(figures.Learned) + L" of " +
                                  std::to_wstring(figures.Total)), 0u) << Narrow(line(track, 2));
    EXPECT_EQ(line(track, 3), L"Lessons behind: " + std::to_wstring(figures.Behind));
    EXPECT_EQ(line(track, 4), L"Days in a row: " + std::to_wstring(figures.Streak));
    EXPECT_EQ(IsWindowVisible(GetDlgItem(progress, IDC_PROGRESS_LINE_FIRST + track * IDC_PROGRESS_GROUP_STEP + 5)) != 0,
              figures.Behind > 0);
  }
  ASSERT_TRUE(PressDialogButton(progress, IDCANCEL));

  // Catch up: the oldest day not learned, then the next.
  const AbsoluteDay oldest = NextDayNotLearned(record, kAllTracks, 0, today);
  ASSERT_NE(oldest, 0);
  SendCommand(run_.Window, IDC_CATCH_UP);
  EXPECT_EQ(Narrow(ShownDayName(run_.Window)), Narrow(NameOf(oldest)));
  SendCommand(run_.Window, IDC_NEXT_NOT_LEARNED);
  EXPECT_EQ(Narrow(ShownDayName(run_.Window)), Narrow(NameOf(NextDayNotLearned(record, kAllTracks, oldest, today))));
  DestroyStudyRecord(record);
  ASSERT_NO_FATAL_FAILURE(Close());
  CoUninitialize();
}

TEST_F(StudyLog, OutsideMarksAppearAndAReadOnlyJournalKeepsItsBytes) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  ASSERT_NO_FATAL_FAILURE(StartWithMarks());
  // zelvan-cli marks today's lessons while the program runs in the background.
  DWORD exitCode = 1;
  RunAndCapture(L"\"" + WindowsPath(ZELVAN_CLI_EXE) + L"\" --mark --log \"" + JournalPath() + L"\"", &exitCode);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_TRUE(WaitUntil([&] { return SaysLearned(run_.Window, 1) && SaysLearned(run_.Window, 3); },
                        kConditionLimit)) << "the tool's marks did not appear";

  // Read-only: taking the marks back says so, and nothing changes.
  const std::string before = JournalBytes();
  ASSERT_TRUE(SetFileAttributesW(JournalPath().c_str(), FILE_ATTRIBUTE_READONLY));
  // The toolbar's sixth button, Mark day not learned, clicked.
  HWND toolbar = FindWindowExW(run_.Window, nullptr, TOOLBARCLASSNAMEW, nullptr);
  const LRESULT button = SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0);
  const LPARAM at = MAKELPARAM(LOWORD(button) * 11 / 2, HIWORD(button) / 2);
  PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(toolbar, WM_LBUTTONUP, 0, at);
  HWND message = WaitForDialog(run_.ProcessId, L"Study log", kConditionLimit);
  ASSERT_NE(message, nullptr) << "no message for a journal that cannot be written";
  EXPECT_NE(MessageBoxText(message).find(JournalPath()), std::wstring::npos);
  ASSERT_TRUE(PressDialogButton(message, IDOK));
  EXPECT_TRUE(SaysLearned(run_.Window, 2)) << "a mark taken back that was not saved";
  EXPECT_EQ(JournalBytes(), before);
  SetFileAttributesW(JournalPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_NO_FATAL_FAILURE(Close());
  CoUninitialize();
}

// In Hebrew the window is laid out from the right: the boxes stand where the
// English window has them and take a click there, and the date band's note
// reads from the band's right end.
TEST_F(StudyLog, InAMirroredWindow) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  PutDword(kProductKey, L"Language", 0x040D);
  ASSERT_NO_FATAL_FAILURE(StartWithMarks());
  for (int i = 0; i < 3; ++i) SendCommand(run_.Window, kCommandPreviousDay);
  SendCommand(run_.Window, IDC_SET_START_DAY);
  SendCommand(run_.Window, kCommandToday);
  POINT box = {};
  ASSERT_TRUE(FindMarkBox(run_.Window, 1, &box));
  RECT client = {};
  GetClientRect(run_.Window, &client);
  ClickAt(run_.Window, POINT{client.right - 1 - box.x, box.y});  // as the system reports it there
  const std::wstring learned = L", \u05E0\u05DC\u05DE\u05D3";  // ", נלמד"
  EXPECT_TRUE(EndsWith(ReadClient(run_.Window, 1).Name, learned));
  EXPECT_FALSE(EndsWith(ReadClient(run_.Window, 2).Name, learned));
  // "שיעורים בפיגור: " and the number.
  EXPECT_EQ(ReadClient(run_.Window, 4).Value.rfind(L"\u05E9\u05D9\u05E2\u05D5\u05E8\u05D9\u05DD "
                                                   L"\u05D1\u05E4\u05D9\u05D2\u05D5\u05E8: ", 0), 0u);
  RECT band = {};
  Picture shown;
  ASSERT_TRUE(ClientChildBox(run_.Window, 4, &band) && CaptureClient(run_.Window, &shown));
  const RECT left = {0, band.top, shown.Width / 4, band.bottom};
  const RECT right = {shown.Width * 3 / 4, band.top, shown.Width, band.bottom};
  EXPECT_EQ(CountPixels(shown, left, IsDark), 0) << "the note at the band's left";
  EXPECT_GT(CountPixels(shown, right, IsDark), 0) << "no note at the band's right";
  ASSERT_NO_FATAL_FAILURE(Close());
  CoUninitialize();
}
