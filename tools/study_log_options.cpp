#include "tools/study_log_options.h"

#include <cstring>

namespace {

// The mode options and the mode each chooses.
struct StudyOption {
  const char* Name;
  StudyMode Mode;
};
const StudyOption kStudyOptions[] = {
    {"--mark", kStudyMark},     {"--unmark", kStudyUnmark}, {"--progress", kStudyProgress},
    {"--behind", kStudyBehind}, {"--began", kStudyBegan},   {"--follow", kStudyFollow},
};

}  // namespace

StudyArgument ParseStudyArgument(int argc, char** argv, int* i, StudyRequest* request,
                                 std::string* reason) {
  const char* argument = argv[*i];
  if (std::strcmp(argument, "--log") == 0) {
    if (request->LogPath) {
      *reason = "'--log' given twice";
      return kStudyArgumentRefused;
    }
    request->LogPath = *i + 1 < argc ? argv[++*i] : nullptr;
    if (!request->LogPath || request->LogPath[0] == 0) {
      *reason = "--log needs a file";
      return kStudyArgumentRefused;
    }
    return kStudyArgumentTaken;
  }
  for (const StudyOption& option : kStudyOptions) {
    if (std::strcmp(argument, option.Name) != 0) continue;
    if (request->Option) {
      *reason = std::strcmp(request->Option, argument) == 0
                    ? std::string("'") + argument + "' given twice"
                    : std::string("'") + request->Option + "' and '" + argument + "' do not go together";
      return kStudyArgumentRefused;
    }
    request->Mode = option.Mode;
    request->Option = option.Name;
    return kStudyArgumentTaken;
  }
  return kNotStudyArgument;
}
