// POSIX backend of zelvan-cli's output file: mkstemp beside the file, rename.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/output_file.h"

FILE* CreateFileBeside(const std::string& path, std::string* tempPath, std::string* reason) {
  const std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    *reason = std::strerror(errno);
    return nullptr;
  }
  // The permissions of any new file (mkstemp makes it private).
  const mode_t mask = umask(0);
  umask(mask);
  FILE* stream = fchmod(fd, 0666 & ~mask) == 0 ? fdopen(fd, "wb") : nullptr;
  if (!stream) {
    *reason = std::strerror(errno);
    close(fd);
    unlink(name.data());
    return nullptr;
  }
  *tempPath = name.data();
  return stream;
}

bool MoveFileOver(const std::string& from, const std::string& to, std::string* reason) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  *reason = std::strerror(errno);
  return false;
}
