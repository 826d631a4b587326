// Where zelvan-cli writes: standard output, or the file named with -o, written
// as a careful tool writes it. A regular file (and a new one) is written beside
// it under a temporary name made from its own and moved over it when all is
// written, so it appears whole or not at all; a symbolic link is followed and
// its target replaced; the file replaced keeps its mode (on Windows its
// attributes), a new one gets the mode the umask gives. Anything else (a
// device, a pipe, /dev/stdout) is written to directly. A folder, a file the
// user may not write and a missing folder are refused. Ctrl+C, SIGTERM or a
// closed console while the temporary file is written removes it.
#pragma once
#include <cstdio>
#include <string>

#include "tools/command_line.h"

struct OutputFile {
  FILE* Stream;         // standard output, the file itself, or the temporary file
  PathString Target;    // the file the temporary one replaces; empty when written directly
  PathString TempPath;  // the temporary file beside Target; empty when written directly
  std::string Name;     // the file as given, UTF-8, for messages; empty for standard output
};

// How writing ended.
enum OutputResult {
  kOutputDone,         // all written (and the file in place)
  kOutputWriteFailed,  // a write, flush or close failed
  kOutputPathRefused,  // the file cannot be written at its path
};

// Opens standard output (file null) or the file; kOutputPathRefused with
// *reason when it cannot be written.
OutputResult OpenOutput(const CliArgument* file, OutputFile* out, std::string* reason);

// Flushes and closes the stream; a temporary file then takes the place of
// Target. On failure *reason says why and the temporary file is gone, Target
// untouched.
OutputResult CommitOutput(OutputFile* out, std::string* reason);

// Closes and removes the temporary file, leaving Target as it was; closes a
// file written directly; nothing for standard output.
void AbandonOutput(OutputFile* out);

// Why a folder given as the file is refused.
constexpr char kFolderRefused[] = "it is a folder";

// Platform backends (output_file_posix.cpp, output_file_win32.cpp); *reason
// is the system's text of the failure.
// Opens path as OpenOutput describes into *out (Stream, Target, TempPath); the
// temporary file is removed if the program is interrupted. False with *reason.
bool OpenFileOutput(const PathChar* path, OutputFile* out, std::string* reason);
// Closes stream after making its data durable; false with *reason.
bool CloseFileOutput(FILE* stream, std::string* reason);
// Moves the temporary file over the target (replacing it, keeping what the
// target's mode or attributes were); false with *reason.
bool MoveFileOver(const PathString& from, const PathString& to, std::string* reason);
// Removes the temporary file and stops watching for interruptions.
void RemoveTemporaryFile(const PathString& path);
// Stops watching for interruptions once the temporary file has been moved.
void ForgetTemporaryFile();
