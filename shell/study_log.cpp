#include "shell/study_log.h"

#include <cstdlib>
#include <cwchar>

#include "common/message_box.h"
#include "common/on_demand_api.h"
#include "common/registry_values.h"
#include "common/ui_text.h"
#include "resources/resource.h"
#include "study_log/journal_file.h"

namespace {

constexpr wchar_t kStudyLogFileValue[] = L"StudyLogFile";
// Room for a message naming the file.
constexpr size_t kMessageChars = kMaxJournalPath + 256;

// What the program knows of its journal.
struct StudyLogState {
  bool Loaded;               // LoadStudyLog ran
  StudyRecord* Record;       // owned; null without memory
  PathChar Path[kMaxJournalPath + 1];
  bool ReadFailed;           // the last read failed (and was reported)
  bool Known;                // Seen holds the file as last read
  WIN32_FILE_ATTRIBUTE_DATA Seen;  // the file as last read; zero size: missing
  HANDLE Watch;              // change notification of the folder, or null
};

StudyLogState Log;

// A message about the journal, naming its file, in a box owned by the main window.
void TellAboutJournal(uint32_t textId) {
  WideChar text[kMessageChars];
  const uintptr_t inserts[] = {UiInsertText(Log.Path)};
  if (FormatUiText(text, kMessageChars, textId, inserts, 1) == 0) return;
  ShowUiMessage(text, UiText(IDS_STUDY_LOG), MB_ICONWARNING);
}

// The file's size and time of last write now; a missing file reads as zeros.
WIN32_FILE_ATTRIBUTE_DATA FileNow() {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExW(Log.Path, GetFileExInfoStandard, &data)) data = {};
  return data;
}

bool SameFile(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
  return a.nFileSizeLow == b.nFileSizeLow && a.nFileSizeHigh == b.nFileSizeHigh &&
         CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

uint64_t FileSize(const WIN32_FILE_ATTRIBUTE_DATA& data) {
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void StopWatch() {
  if (Log.Watch != nullptr) FindCloseChangeNotification(Log.Watch);
  Log.Watch = nullptr;
}

// The folder of the journal's file into folder (kMaxJournalPath + 1 units);
// false for a name without one.
bool JournalFolder(PathChar* folder) {
  wcscpy(folder, Log.Path);
  PathChar* slash = wcsrchr(folder, L'\\');
  PathChar* other = wcsrchr(folder, L'/');
  if (other > slash) slash = other;
  if (slash == nullptr) return false;
  // A folder at a drive's or the path's root keeps its separator ("C:\\").
  slash[slash == folder || slash[-1] == L':' ? 1 : 0] = 0;
  return true;
}

// Watches the folder of the journal's file for files written, added or
// removed; none when the folder does not exist (yet).
void StartWatch() {
  StopWatch();
  PathChar folder[kMaxJournalPath + 1];
  if (!JournalFolder(folder)) return;
  HANDLE watch = FindFirstChangeNotificationW(
      folder, FALSE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
  Log.Watch = watch != INVALID_HANDLE_VALUE ? watch : nullptr;
}

// Reads the whole file into the record. A file that cannot be read is
// reported once, until a read succeeds; the record then keeps what it held.
bool ReadStudyLog() {
  if (Log.Record == nullptr || Log.Path[0] == 0) return false;
  const WIN32_FILE_ATTRIBUTE_DATA before = FileNow();
  char* bytes = nullptr;
  size_t size = 0;
  const JournalFileResult result = ReadJournalFile(Log.Path, &bytes, &size);
  if (result != kJournalOk) {
    if (!Log.ReadFailed && result != kJournalNoMemory) TellAboutJournal(IDS_JOURNAL_NOT_READ);
    Log.ReadFailed = true;
    Log.Known = false;
    return false;
  }
  const int32_t skipped = LoadJournalText(Log.Record, bytes != nullptr ? bytes : "", size);
  free(bytes);
  Log.ReadFailed = false;
  Log.Known = skipped >= 0;
  Log.Seen = before;
  return skipped >= 0;
}

// The journal's file: "StudyLogFile" when it holds a usable name, else the
// default place; empty when there is none.
void FindJournalPath() {
  Log.Path[0] = 0;
  WideChar* stored = ReadSettingString(kStudyLogFileValue);
  if (stored != nullptr) {
    const size_t length = wcsnlen(stored, kMaxJournalPath + 1);
    if (length > 0 && length <= kMaxJournalPath) wcscpy(Log.Path, stored);
    free(stored);
  }
  if (Log.Path[0] == 0 && !DefaultJournalPath(Log.Path, kMaxJournalPath + 1)) Log.Path[0] = 0;
}

}  // namespace

void LoadStudyLog() {
  if (Log.Loaded) return;
  Log.Loaded = true;
  Log.Record = CreateStudyRecord();
  FindJournalPath();
  if (Log.Path[0] == 0) return;
  ReadStudyLog();
  StartWatch();
}

void CloseStudyLog() {
  StopWatch();
  if (Log.Record != nullptr) DestroyStudyRecord(Log.Record);
  Log.Record = nullptr;
}

const StudyRecord* StudyLogRecord() { return Log.Record; }

const PathChar* StudyLogPath() { return Log.Path; }

bool RefreshStudyLog() {
  if (!Log.Loaded || Log.Path[0] == 0) return false;
  if (Log.Watch == nullptr) StartWatch();  // the folder may exist by now
  if (Log.Known && SameFile(FileNow(), Log.Seen)) return false;
  return ReadStudyLog();
}

bool SaveStudyLines(const JournalLine* lines, int32_t count) {
  if (Log.Path[0] == 0) {
    ShowUiMessage(UiText(IDS_JOURNAL_NO_PLACE), UiText(IDS_STUDY_LOG), MB_ICONWARNING);
    return false;
  }
  char bytes[kMaxJournalLine * kTrackCount];
  size_t length = 0;
  for (int32_t i = 0; i < count && i < kTrackCount; ++i) {
    const size_t written = FormatJournalLine(lines[i], bytes + length, sizeof bytes - length);
    if (written == 0) return false;
    length += written;
  }
  if (length == 0) return false;
  const WIN32_FILE_ATTRIBUTE_DATA before = FileNow();
  // A journal made read-only is not written, as Windows refuses it to every
  // user (Wine lets a process of the system's administrator through).
  if ((before.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ||
      AppendJournalBytes(Log.Path, bytes, length) != kJournalOk) {
    TellAboutJournal(IDS_JOURNAL_NOT_SAVED);
    return false;
  }
  if (Log.Watch == nullptr) StartWatch();  // the first line may have made the folder
  bool applied = Log.Record != nullptr;
  for (int32_t i = 0; applied && i < count; ++i) applied = ApplyJournalLine(Log.Record, lines[i]);
  // The record is in step with the file when nobody else wrote in between.
  const WIN32_FILE_ATTRIBUTE_DATA after = FileNow();
  const bool inStep =
      Log.Known && SameFile(before, Log.Seen) && FileSize(after) == FileSize(before) + length;
  if (applied && inStep) {
    Log.Seen = after;
  } else {
    Log.Known = false;
    ReadStudyLog();
  }
  return true;
}

HANDLE StudyLogWatch() { return Log.Watch; }

void NoteStudyLogFolderChange(HWND window) {
  if (Log.Watch != nullptr && !FindNextChangeNotification(Log.Watch)) StopWatch();
  PostMessageW(window, kStudyLogMayHaveChanged, 0, 0);
}

bool ChooseStudyLogFile(HWND owner) {
  // The dialog starts in the current file's folder, with its name.
  PathChar name[kMaxJournalPath + 1];
  PathChar folder[kMaxJournalPath + 1];
  const bool inFolder = JournalFolder(folder);
  const PathChar* base = inFolder ? Log.Path + wcslen(folder) : Log.Path;
  while (*base == L'\\' || *base == L'/') ++base;
  wcscpy(name, base);
  // The filter's parts are separated by '|' in the text, by zeros for the dialog.
  WideChar filter[128];
  wcsncpy(filter, UiText(IDS_JOURNAL_FILE_FILTER), 127);
  filter[127] = 0;
  for (WideChar* c = filter; *c != 0; ++c) {
    if (*c == L'|') *c = 0;
  }
  OPENFILENAMEW open = {};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner;
  open.lpstrFilter = filter;
  open.lpstrFile = name;
  open.lpstrInitialDir = inFolder ? folder : nullptr;
  open.nMaxFile = kMaxJournalPath + 1;
  open.lpstrTitle = UiText(IDS_JOURNAL_FILE_TITLE);
  open.lpstrDefExt = L"txt";
  open.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!OnDemandGetOpenFileNameW(&open) || name[0] == 0) return false;
  WriteSettingString(kStudyLogFileValue, name);
  wcscpy(Log.Path, name);
  Log.Loaded = true;
  // Nothing of the former file stays shown, whatever this one holds.
  if (Log.Record == nullptr) Log.Record = CreateStudyRecord();
  if (Log.Record != nullptr) LoadJournalText(Log.Record, "", 0);
  Log.Known = false;
  Log.ReadFailed = false;
  StartWatch();
  ReadStudyLog();
  return true;
}
