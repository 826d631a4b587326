// POSIX backend of the journal file: open, read, one write() with O_APPEND,
// fsync; appenders take turns through an fcntl lock.
#define _FILE_OFFSET_BITS 64  // the lock's byte lies past 2 GiB
#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "study_log/journal_file.h"
#include "study_log/journal_read_whole.h"
#include "study_log/study_journal.h"

namespace {

// The default path's folders below its base, and the file.
constexpr char kXdgTail[] = "/zelvan/study-log.txt";
constexpr char kHomeTail[] = "/.local/share/zelvan/study-log.txt";

// True for a path the journal accepts: not empty, not longer than kMaxJournalPath.
bool UsablePath(const char* path) {
  return path && path[0] != 0 && strnlen(path, kMaxJournalPath + 1) <= kMaxJournalPath;
}

// The home folder: $HOME, else the user's entry in the password database; null if neither.
const char* HomeFolder() {
  const char* home = getenv("HOME");
  if (home && home[0] == '/') return home;
  const struct passwd* entry = getpwuid(getuid());
  return entry && entry->pw_dir && entry->pw_dir[0] == '/' ? entry->pw_dir : nullptr;
}

// The default path into out (as DefaultJournalPath) and in *baseLength the
// length of the folder it is made under ($XDG_DATA_HOME or the home folder).
bool DefaultPath(char* out, size_t capacity, size_t* baseLength) {
  const char* xdg = getenv("XDG_DATA_HOME");
  const bool useXdg = xdg && xdg[0] == '/';  // a relative value is not used
  const char* base = useXdg ? xdg : HomeFolder();
  if (!base) return false;
  const char* tail = useXdg ? kXdgTail : kHomeTail;
  const size_t length = strlen(base);
  const size_t total = length + strlen(tail);
  if (total > kMaxJournalPath || total + 1 > capacity) return false;
  memcpy(out, base, length);
  memcpy(out + length, tail, strlen(tail) + 1);
  *baseLength = length;
  return true;
}

// When path is the default path, makes its missing folders below the base
// (private to the user, as the data folders are).
void MakeDefaultFolders(const char* path) {
  char folder[kMaxJournalPath + 1];
  size_t baseLength = 0;
  if (!DefaultPath(folder, sizeof folder, &baseLength) || strcmp(folder, path) != 0) return;
  for (size_t at = baseLength + 1; folder[at] != 0; ++at) {
    if (folder[at] != '/') continue;
    folder[at] = 0;
    mkdir(folder, 0700);
    folder[at] = '/';
  }
}

// How opening a journal file went.
struct Opened {
  int Fd;                     // -1 when not opened
  bool Missing;               // not opened because it (or its folder) does not exist
  JournalFileResult Result;   // kJournalOk when opened
};

// Opens path with flags (O_NONBLOCK added: a pipe never blocks the open);
// failure (or kJournalBadPath) when it cannot be opened or is no regular file.
Opened OpenRegular(const char* path, int flags, JournalFileResult failure) {
  const int fd = open(path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    const bool badPath = errno == EISDIR || errno == ENOTDIR || errno == ENAMETOOLONG || errno == ENXIO;
    return Opened{-1, errno == ENOENT, badPath ? kJournalBadPath : failure};
  }
  struct stat status = {};
  const bool statted = fstat(fd, &status) == 0;
  if (!statted || !S_ISREG(status.st_mode)) {
    close(fd);
    return Opened{-1, false, statted ? kJournalBadPath : failure};
  }
  return Opened{fd, false, kJournalOk};
}

// Writes all length bytes with one write() (again only when interrupted before
// writing anything); false when it fails or writes less.
bool WriteOnce(int fd, const char* bytes, size_t length) {
  ssize_t written;
  do {
    written = write(fd, bytes, length);
  } while (written < 0 && errno == EINTR);
  return written >= 0 && static_cast<size_t>(written) == length;
}

// Takes the append lock of fd (opened for writing) within about
// kAppendLockWaitMs; false when it cannot be had (held too long, or no locks
// on this file system): the write then goes ahead without it.
bool LockForAppend(int fd) {
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = static_cast<off_t>(kAppendLockOffset);
  lock.l_len = 1;
  const struct timespec pause = {0, 1000000};
  for (int32_t waited = 0; waited < kAppendLockWaitMs; ++waited) {
    if (fcntl(fd, F_SETLK, &lock) == 0) return true;
    if (errno != EAGAIN && errno != EACCES && errno != EINTR) return false;
    nanosleep(&pause, nullptr);
  }
  return false;
}

// JournalReadSome of the file descriptor at source.
int64_t ReadSome(void* source, char* into, size_t room) {
  ssize_t got;
  do {
    got = read(*static_cast<int*>(source), into, room);
  } while (got < 0 && errno == EINTR);
  return got;
}

// True when the file of fd (opened for reading too) is empty or ends in '\n';
// also when its last byte cannot be read (nothing is then added).
bool EndsWithNewline(int fd) {
  struct stat status;
  char last = '\n';
  return fstat(fd, &status) != 0 || status.st_size == 0 ||
         pread(fd, &last, 1, status.st_size - 1) != 1 || last == '\n';
}

}  // namespace

JournalFileResult ReadJournalFile(const char* path, char** bytes, size_t* size) {
  *bytes = nullptr;
  *size = 0;
  if (!UsablePath(path)) return kJournalBadPath;
  const Opened opened = OpenRegular(path, O_RDONLY, kJournalCannotRead);
  if (opened.Fd < 0) return opened.Missing ? kJournalOk : opened.Result;
  int fd = opened.Fd;
  const JournalFileResult result = ReadWholeJournal(ReadSome, &fd, bytes, size);
  close(fd);
  return result;
}

JournalFileResult AppendJournalBytes(const char* path, const char* bytes, size_t length) {
  if (!UsablePath(path)) return kJournalBadPath;
  constexpr int kAppend = O_APPEND | O_CREAT;
  Opened opened = OpenRegular(path, O_RDWR | kAppend, kJournalCannotWrite);
  if (opened.Missing) {
    MakeDefaultFolders(path);
    opened = OpenRegular(path, O_RDWR | kAppend, kJournalCannotWrite);
  }
  if (opened.Fd < 0 && opened.Result == kJournalCannotWrite) {
    opened = OpenRegular(path, O_WRONLY | kAppend, kJournalCannotWrite);  // writable, not readable
  }
  if (opened.Fd < 0) return opened.Result;
  const int fd = opened.Fd;
  LockForAppend(fd);  // released by close
  // One buffer, one write: a newline first when the last line was cut short.
  const bool newline = !EndsWithNewline(fd);
  char* buffer = static_cast<char*>(malloc(length + 1));
  if (!buffer) {
    close(fd);
    return kJournalNoMemory;
  }
  buffer[0] = '\n';
  memcpy(buffer + 1, bytes, length);
  const bool written = WriteOnce(fd, buffer + (newline ? 0 : 1), length + (newline ? 1 : 0)) &&
                       fsync(fd) == 0;
  free(buffer);
  return close(fd) == 0 && written ? kJournalOk : kJournalCannotWrite;
}

bool DefaultJournalPath(char* out, size_t capacity) {
  size_t baseLength = 0;
  return DefaultPath(out, capacity, &baseLength);
}

int64_t JournalClockSeconds() {
  const int64_t now = static_cast<int64_t>(time(nullptr));
  return now < 0 ? 0 : now > kLastJournalSecond ? kLastJournalSecond : now;
}
