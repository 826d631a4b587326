// POSIX backend of zelvan-cli's command line: the arguments are bytes, taken
// as they are (UTF-8 in a UTF-8 locale).
#include "tools/command_line.h"

std::vector<CliArgument> DecodeArguments(int argc, PathChar** argv) {
  std::vector<CliArgument> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(CliArgument{argv[i], argv[i]});
  return arguments;
}
