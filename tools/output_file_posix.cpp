// POSIX backend of zelvan-cli's output file: symbolic links followed by hand
// (so a link to a file not yet made names where it is made), /dev/stdout and
// the other /dev/fd and /proc/self/fd links written through their open file
// descriptor, mkstemp beside the target, fsync, rename; signal handlers remove
// the temporary file when the program is interrupted.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "tools/output_file.h"

namespace {

constexpr int kMaxLinks = 40;  // symbolic links followed before giving up, as the system does
constexpr char kTempSuffix[] = ".XXXXXX";

// The temporary file's name for the signal handler, set while it exists.
char gTempName[PATH_MAX + sizeof kTempSuffix];
volatile sig_atomic_t gTempArmed = 0;

// The signals that end the program before it can clean up itself.
const int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Removes the temporary file, then lets the signal end the program as it would
// have (SA_RESETHAND gave back the default action, SA_NODEFER lets it act now).
extern "C" void RemoveOnInterruption(int signal) {
  if (gTempArmed) unlink(gTempName);
  raise(signal);
}

// Has the interruptions remove the temporary file; one the program was started
// ignoring (nohup, a background job) stays ignored. A write past the file size
// limit then fails (EFBIG) and is reported instead of ending the program.
void WatchInterruptions() {
  for (const int signal : kInterruptions) {
    struct sigaction old = {};
    sigaction(signal, nullptr, &old);
    if (old.sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = RemoveOnInterruption;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigaction(signal, &action, nullptr);
  }
  ::signal(SIGXFSZ, SIG_IGN);
}

// The descriptor n of a path /dev/fd/n or /proc/self/fd/n; -1 for any other.
int DescriptorOf(const std::string& path) {
  const char* prefixes[] = {"/dev/fd/", "/proc/self/fd/"};
  for (const char* prefix : prefixes) {
    const size_t length = std::strlen(prefix);
    if (path.compare(0, length, prefix) != 0 || path.size() == length || path.size() > length + 9) {
      continue;
    }
    int n = 0;
    for (size_t at = length; at < path.size(); ++at) {
      if (path[at] < '0' || path[at] > '9') return -1;
      n = n * 10 + (path[at] - '0');
    }
    return n;
  }
  return -1;
}

// Follows the symbolic links from *path to the name they end at, which may
// not exist yet; stops at /dev/fd/n or /proc/self/fd/n, *descriptor then n
// (else -1). False with *reason for a loop or an unreadable link.
bool FollowLinks(std::string* path, int* descriptor, std::string* reason) {
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    *descriptor = DescriptorOf(*path);
    struct stat status;
    if (*descriptor >= 0 || lstat(path->c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
      return true;
    }
    char target[PATH_MAX];
    const ssize_t length = readlink(path->c_str(), target, sizeof target);
    if (length < 0 || static_cast<size_t>(length) >= sizeof target) {
      *reason = std::strerror(length < 0 ? errno : ENAMETOOLONG);
      return false;
    }
    const std::string link(target, static_cast<size_t>(length));
    const size_t slash = path->rfind('/');
    *path = link[0] == '/' || slash == std::string::npos ? link : path->substr(0, slash + 1) + link;
  }
  *reason = std::strerror(ELOOP);
  return false;
}

// A stream writing to descriptor fd; closes fd and gives null on failure.
FILE* StreamOf(int fd) {
  FILE* stream = fd >= 0 ? fdopen(fd, "wb") : nullptr;
  if (!stream && fd >= 0) close(fd);
  return stream;
}

// A new temporary file beside target with mode bits mode (and, when replacing
// a file, its owner and group if they can be kept), watched for interruptions;
// its name in *tempPath. Null with *reason on failure.
FILE* CreateFileBeside(const std::string& target, const struct stat* replaced,
                       std::string* tempPath, std::string* reason) {
  const std::string pattern = target + kTempSuffix;
  if (pattern.size() >= sizeof gTempName) {
    *reason = std::strerror(ENAMETOOLONG);
    return nullptr;
  }
  // The name is made and armed with the interruptions held back, so that no
  // moment leaves a file the handler does not know of.
  sigset_t all, before;
  sigfillset(&all);
  sigprocmask(SIG_BLOCK, &all, &before);
  std::memcpy(gTempName, pattern.c_str(), pattern.size() + 1);
  const int fd = mkstemp(gTempName);
  const int error = errno;
  if (fd >= 0) gTempArmed = 1;
  WatchInterruptions();
  sigprocmask(SIG_SETMASK, &before, nullptr);
  if (fd < 0) {
    *reason = std::strerror(error);
    return nullptr;
  }
  *tempPath = gTempName;
  mode_t mode;
  if (replaced) {
    const bool owned = fchown(fd, replaced->st_uid, replaced->st_gid) == 0;
    mode = replaced->st_mode & (owned ? 07777 : 0777);
  } else {
    const mode_t mask = umask(0);  // the mode of any new file
    umask(mask);
    mode = 0666 & ~mask;
  }
  FILE* stream = fchmod(fd, mode) == 0 ? fdopen(fd, "wb") : nullptr;
  if (!stream) {
    *reason = std::strerror(errno);
    close(fd);
    RemoveTemporaryFile(*tempPath);
    tempPath->clear();
  }
  return stream;
}

}  // namespace

bool OpenFileOutput(const PathChar* path, OutputFile* out, std::string* reason) {
  std::string target = path;
  int descriptor = -1;
  if (!FollowLinks(&target, &descriptor, reason)) return false;
  if (descriptor >= 0) {  // /dev/stdout and the like: the open file itself, as the shell opened it
    out->Stream = StreamOf(dup(descriptor));
    if (!out->Stream) *reason = std::strerror(errno);
    return out->Stream != nullptr;
  }
  struct stat status;
  const bool exists = stat(target.c_str(), &status) == 0;
  if (!exists && errno != ENOENT) {
    *reason = std::strerror(errno);
    return false;
  }
  if (exists && S_ISDIR(status.st_mode)) {
    *reason = kFolderRefused;
    return false;
  }
  if (exists && !S_ISREG(status.st_mode)) {  // a device or a pipe: written as it is
    out->Stream = StreamOf(open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!out->Stream) *reason = std::strerror(errno);
    return out->Stream != nullptr;
  }
  // A file without any write permission is refused even where the system would
  // let this user write it (root).
  if (exists && (access(target.c_str(), W_OK) != 0 || (status.st_mode & 0222) == 0)) {
    *reason = std::strerror(EACCES);
    return false;
  }
  out->Stream = CreateFileBeside(target, exists ? &status : nullptr, &out->TempPath, reason);
  if (!out->Stream) return false;
  out->Target = target;
  return true;
}

bool CloseFileOutput(FILE* stream, std::string* reason) {
  int error = 0;  // errno of the first failure
  if (std::fflush(stream) != 0 || std::ferror(stream)) error = errno != 0 ? errno : EIO;
  // A file's data on the disk before it takes the old one's place; devices and
  // pipes have nothing to sync (EINVAL).
  if (error == 0 && fsync(fileno(stream)) != 0 && errno != EINVAL) error = errno;
  if (std::fclose(stream) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  if (error != 0) *reason = std::strerror(error);
  return error == 0;
}

bool MoveFileOver(const PathString& from, const PathString& to, std::string* reason) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  *reason = std::strerror(errno);
  return false;
}

void RemoveTemporaryFile(const PathString& path) {
  unlink(path.c_str());
  gTempArmed = 0;
}

void ForgetTemporaryFile() { gTempArmed = 0; }
