// Win32 backend of zelvan-cli's command line: wmain's UTF-16 arguments, each
// also converted to UTF-8 for the parser and the messages.
#include <windows.h>

#include "tools/command_line.h"

namespace {

// The UTF-8 of a zero-terminated UTF-16 text.
std::string Utf8Of(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return std::string();
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], bytes, nullptr, nullptr);
  utf8.resize(static_cast<size_t>(bytes) - 1);
  return utf8;
}

}  // namespace

std::vector<CliArgument> DecodeArguments(int argc, PathChar** argv) {
  std::vector<CliArgument> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(CliArgument{Utf8Of(argv[i]), argv[i]});
  return arguments;
}
