// zelvan-cli's study-log modes: marks appended to the journal, a start date
// and the followed tracks set, the progress as of a day (text or JSON), and
// the days behind with their lessons.
#pragma once
#include <string>

#include "tools/cli_arguments.h"

// How a study-log mode ended.
enum StudyOutcome : int32_t {
  kStudyDone,
  kStudyBadArguments,       // the options do not go together
  kStudyJournalFailed,      // the journal cannot be found, read or written
  kStudyLessonsUnreadable,  // a day's lessons (for --behind) cannot be read
};

struct StudyResult {
  StudyOutcome Outcome;
  std::string Reason;   // why it failed; when done, a warning for standard error or empty
  std::string Output;   // what goes to standard output (or the -o file)
};

// Runs the study-log mode of request (request.Study.Mode is not kStudyNone);
// the journal is read and, for a change, appended to.
StudyResult RunStudyLog(const CliRequest& request);
