// The "Study progress" dialog: for each followed track its cycle, the day the
// user began it, the lessons learned and behind, the days in a row and the
// pace that catches up, each figure a static text of its own, which screen
// readers read.
#pragma once
#include <windows.h>

#include "study_log/study_journal.h"

// Shows the progress of record (null: an empty journal) as of today, modal,
// owned by owner.
void ShowStudyProgress(HWND owner, const StudyRecord* record, AbsoluteDay today);
