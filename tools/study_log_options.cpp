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

StudyArgument ParseStudyArgument(const std::vector<CliArgument>& arguments, size_t* i,
                                 StudyRequest* request, std::string* reason) {
  const char* argument = arguments[*i].Text.c_str();
  if (std::strcmp(argument, "--log") == 0) {
    if (request->Log) {
      *reason = "'--log' given twice";
      return kStudyArgumentRefused;
    }
    request->Log = *i + 1 < arguments.size() ? &arguments[++*i] : nullptr;
    if (!request->Log || request->Log->Text.empty()) {
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
