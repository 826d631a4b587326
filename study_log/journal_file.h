// The journal file on disk: read whole, appended one line at a time. POSIX
// natively, Win32 under MinGW-w64; paths are the platform's own (PathChar).
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"

// Results of the file operations.
enum JournalFileResult : int32_t {
  kJournalOk = 0,
  kJournalCannotRead = 1,   // exists but cannot be opened or read
  kJournalCannotWrite = 2,  // cannot be created, opened for appending, written or flushed
  kJournalNoMemory = 3,
  kJournalBadPath = 4,      // empty, too long, or no regular file (a folder, a device, a pipe)
};

// Reads the whole file at path into a new buffer (*bytes, released with free;
// *size bytes). A missing file (or folder) is an empty journal: kJournalOk,
// null, 0. Only a regular file is read: anything else is kJournalBadPath,
// without waiting on it. On failure *bytes is null and *size 0.
JournalFileResult ReadJournalFile(const PathChar* path, char** bytes, size_t* size);

// Appends length bytes (one or more whole lines) to the file at path with one
// write in append mode, creating the file (and, for the default path, the
// missing folders between %APPDATA%, $XDG_DATA_HOME or the home folder and the
// file) when needed, and flushes them to the disk before returning. A file
// that does not end in '\n' (its last line cut short) gets one before the
// bytes, so that they start a line of their own. Another program appending at
// the same moment lands whole before or after: appenders take turns through
// a lock on the byte at kAppendLockOffset (an fcntl lock, or LockFileEx, which
// Wine maps to the same fcntl lock), waiting for it up to kAppendLockWaitMs;
// where there are no locks the one write still lands whole, and the cost is
// at worst a blank line, which says nothing. Only a regular file is written:
// a folder, a device or a pipe is kJournalBadPath.
JournalFileResult AppendJournalBytes(const PathChar* path, const char* bytes, size_t length);

// The byte appenders lock, far past the end of any journal, and how long an
// appender waits for it (milliseconds) before writing without it.
constexpr uint64_t kAppendLockOffset = uint64_t{1} << 62;
constexpr int32_t kAppendLockWaitMs = 2000;

// Longest path, in PathChar units before its zero, that the journal accepts.
constexpr size_t kMaxJournalPath = 1024;

// The default journal path into out (capacity units, terminated): on Windows
// %APPDATA%\Thalvane\Zelvan\study-log.txt; elsewhere
// $XDG_DATA_HOME/zelvan/study-log.txt, or ~/.local/share/zelvan/study-log.txt.
// False when the folder cannot be found or the path does not fit.
bool DefaultJournalPath(PathChar* out, size_t capacity);

// Now, for a line's MadeAt: seconds since 1970-01-01 00:00 UTC by the system
// clock, within 0..kLastJournalSecond.
int64_t JournalClockSeconds();
