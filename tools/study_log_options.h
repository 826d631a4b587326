// zelvan-cli's study-log options: the mode (mark, unmark, progress, behind,
// began, follow) and the journal given with --log.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/command_line.h"

// What is done with the study log; kStudyNone when no study-log mode is given.
enum StudyMode : int32_t {
  kStudyNone,
  kStudyMark,      // --mark [DATE]: learned lines for the tracks
  kStudyUnmark,    // --unmark [DATE]: not-learned lines
  kStudyProgress,  // --progress [DATE]: the progress as of DATE (with --json as JSON)
  kStudyBehind,    // --behind [DATE]: the days not learned since the user began
  kStudyBegan,     // --began DATE: a start date set by hand for the tracks
  kStudyFollow,    // --follow: the tracks given with --track are followed from now on
};

struct StudyRequest {
  StudyMode Mode;
  const char* Option;   // the option that chose Mode; null for kStudyNone
  const CliArgument* Log;  // --log FILE; null: the default place
};

// How ParseStudyArgument took an argument.
enum StudyArgument : int32_t {
  kNotStudyArgument,  // not a study-log option: left for the other options
  kStudyArgumentTaken,
  kStudyArgumentRefused,  // *reason says why
};

// Reads arguments[*i] into *request when it is a study-log option (moving *i
// past the value of --log).
StudyArgument ParseStudyArgument(const std::vector<CliArgument>& arguments, size_t* i,
                                 StudyRequest* request, std::string* reason);
