// The program's copy of the study journal: the record folded from the journal
// file, kept in step with the file. The file is read after the first paint,
// again when the window is activated or the file's folder changes (its size or
// time of last write tells whether the file itself did), and every change is
// appended and flushed before the record shows it. Without a file, or
// without memory, the program works on without marks.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/platform_types.h"
#include "study_log/study_journal.h"

// Messages of the main window: read the journal the first time (posted once
// the window is painted), and look whether the file changed.
constexpr UINT kStudyLogLoad = WM_APP + 0x100;
constexpr UINT kStudyLogMayHaveChanged = WM_APP + 0x101;

// Reads the journal the first time: the file of "StudyLogFile" (a stored name
// that is empty or too long counts as none), else the default place; later
// calls do nothing. Says so in a message when the file cannot be read.
void LoadStudyLog();

// Releases the record and the watch of the folder (the window's end).
void CloseStudyLog();

// The record as last read; null before LoadStudyLog or without memory.
const StudyRecord* StudyLogRecord();

// The journal's file name, zero-terminated; empty when there is no place for it.
const PathChar* StudyLogPath();

// Reads the file again when it changed since the last read or that read
// failed (saying so once when it cannot be read). True when the record was
// read anew.
bool RefreshStudyLog();

// Appends lines (1..kTrackCount of them) to the journal in one write, flushed,
// and only then applies them to the record. When the journal cannot be
// written, or has no place, it says so in a message and changes nothing (a
// line that is not valid changes nothing without a message). True when saved.
bool SaveStudyLines(const JournalLine* lines, int32_t count);

// The change notification of the journal's folder for the message loop to
// wait on; null while there is none (no folder yet, or it could not be watched).
HANDLE StudyLogWatch();

// The message loop saw StudyLogWatch signalled: waits for the folder's next
// change and tells window (kStudyLogMayHaveChanged) to look at the file.
void NoteStudyLogFolderChange(HWND window);

// The file dialog for another journal file (a new name is allowed), starting
// at the current one; the choice is stored at once as "StudyLogFile" and
// read. True when another file was chosen.
bool ChooseStudyLogFile(HWND owner);
