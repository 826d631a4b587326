// zelvan-cli's command line as the platform hands it over, decoded in one
// place: on Windows the UTF-16 command line (wmain), so that any file name
// works whatever the code page; elsewhere the bytes of argv.
#pragma once
#include <string>
#include <vector>

#include "common/platform_types.h"

// One argument: its text for options, dates and messages, and the argument
// as the platform's file functions take it, for an option that names a file.
struct CliArgument {
  std::string Text;      // UTF-8 (on Windows an unpaired surrogate becomes U+FFFD)
  const PathChar* Path;  // argv's own zero-terminated argument; lives as long as argv
};

// The arguments argv[1..argc-1], in order.
std::vector<CliArgument> DecodeArguments(int argc, PathChar** argv);

// The platform's form of a path: UTF-16 on Windows, bytes elsewhere.
using PathString = std::basic_string<PathChar>;
