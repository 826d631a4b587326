// Where zelvan-cli writes: standard output, or a file given with -o that
// appears whole or not at all (written beside it under a temporary name, then
// moved over it).
#pragma once
#include <cstdio>
#include <string>

struct OutputFile {
  FILE* Stream;          // standard output or the temporary file
  std::string Path;      // the file asked for; empty for standard output
  std::string TempPath;  // the temporary file beside it; empty for standard output
};

// How writing ended.
enum OutputResult {
  kOutputDone,         // all written (and the file in place)
  kOutputWriteFailed,  // a write, flush or close failed
  kOutputPathRefused,  // the file cannot be made at its path
};

// Opens standard output (path null) or a new temporary file beside path;
// kOutputPathRefused with *reason when it cannot be created.
OutputResult OpenOutput(const char* path, OutputFile* out, std::string* reason);

// Flushes and closes the stream; a file then takes the place of Path. On
// failure, *reason says why and the temporary file is gone, Path untouched.
OutputResult CommitOutput(OutputFile* out, std::string* reason);

// Closes and removes the temporary file, leaving Path as it was; nothing for
// standard output.
void AbandonOutput(OutputFile* out);

// Platform backends (output_file_posix.cpp, output_file_win32.cpp).
// A new, empty file beside path, opened for binary writing, its name in
// *tempPath; null with *reason when it cannot be made.
FILE* CreateFileBeside(const std::string& path, std::string* tempPath, std::string* reason);
// Moves file from over file to (replacing it); false with *reason.
bool MoveFileOver(const std::string& from, const std::string& to, std::string* reason);
