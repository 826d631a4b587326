// Win32 backend of zelvan-cli's output file: GetTempFileNameA in the file's
// folder, MoveFileExA over it. Paths are in the ANSI code page, as argv is.
#include <windows.h>

#include "tools/output_file.h"

namespace {

// The system's text for error code, without its line end.
std::string SystemMessage(DWORD code) {
  char text[256];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' ||
                        text[length - 1] == ' ' || text[length - 1] == '.')) {
    --length;
  }
  return length > 0 ? std::string(text, length) : "error " + std::to_string(code);
}

}  // namespace

FILE* CreateFileBeside(const std::string& path, std::string* tempPath, std::string* reason) {
  const size_t slash = path.find_last_of("/\\");
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  char name[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), "zlv", 0, name) == 0) {
    *reason = SystemMessage(GetLastError());
    return nullptr;
  }
  FILE* stream = std::fopen(name, "wb");
  if (!stream) {
    *reason = SystemMessage(GetLastError());
    DeleteFileA(name);
    return nullptr;
  }
  *tempPath = name;
  return stream;
}

bool MoveFileOver(const std::string& from, const std::string& to, std::string* reason) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  *reason = SystemMessage(GetLastError());
  return false;
}
