// Win32 backend of zelvan-cli's output file: the wide file functions, so any
// file name works on any code page; the temporary file made beside the target
// from its name; ReplaceFileW over an existing file, which keeps its
// attributes and security, MoveFileExW for a new one. A console control
// handler removes the temporary file when Ctrl+C, Ctrl+Break or closing the
// console ends the program.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cwchar>

#include "tools/output_file.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr int kNameAttempts = 100;        // temporary names tried before giving up
constexpr size_t kLongestPath = 32767;    // of the wide file functions, in UTF-16 units
constexpr wchar_t kTempSuffix[] = L".%06lx";  // after the target's name: six hex digits

// The temporary file's name for the control handler, set while it exists.
wchar_t gTempName[kLongestPath + 1];
volatile LONG gTempArmed = 0;

// Marks the temporary file for deletion (it is open with FILE_SHARE_DELETE, so
// it goes when the ending program closes it), then lets the system's handler
// end the program.
BOOL WINAPI RemoveOnInterruption(DWORD) {
  if (gTempArmed) DeleteFileW(gTempName);
  return FALSE;
}

// The system's text for error code in UTF-8, without its line end.
std::string SystemMessage(DWORD code) {
  wchar_t text[512];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, text, sizeof text / sizeof text[0], nullptr);
  while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r' ||
                        text[length - 1] == L' ' || text[length - 1] == L'.')) {
    --length;
  }
  if (length == 0) return "error " + std::to_string(code);
  char utf8[2048];
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8,
                                        sizeof utf8, nullptr, nullptr);
  return bytes > 0 ? std::string(utf8, static_cast<size_t>(bytes)) : "error " + std::to_string(code);
}

// A binary stream writing to file; closes file and gives null on failure.
FILE* StreamOf(HANDLE file) {
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY | _O_WRONLY);
  if (fd < 0) {
    CloseHandle(file);
    return nullptr;
  }
  FILE* stream = _fdopen(fd, "wb");
  if (!stream) _close(fd);
  return stream;
}

// A new temporary file beside target (its name and six hex digits), watched
// for interruptions; its name in *tempPath. Null with *reason on failure.
FILE* CreateFileBeside(const PathString& target, PathString* tempPath, std::string* reason) {
  if (target.size() + 8 > kLongestPath) {
    *reason = SystemMessage(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  static bool watching = false;
  if (!watching) watching = SetConsoleCtrlHandler(RemoveOnInterruption, TRUE) != 0;
  const DWORD seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    wchar_t suffix[16];
    swprintf(suffix, sizeof suffix / sizeof suffix[0], kTempSuffix,
             static_cast<unsigned long>((seed + attempt * 40503u) & 0xFFFFFF));
    const PathString name = target + suffix;
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS) continue;
      *reason = SystemMessage(error);
      return nullptr;
    }
    wmemcpy(gTempName, name.c_str(), name.size() + 1);
    InterlockedExchange(&gTempArmed, 1);
    FILE* stream = StreamOf(file);
    if (!stream) {
      *reason = SystemMessage(ERROR_TOO_MANY_OPEN_FILES);
      RemoveTemporaryFile(name);
      return nullptr;
    }
    *tempPath = name;
    return stream;
  }
  *reason = SystemMessage(ERROR_FILE_EXISTS);
  return nullptr;
}

}  // namespace

bool OpenFileOutput(const PathChar* path, OutputFile* out, std::string* reason) {
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    *reason = kFolderRefused;
    return false;
  }
  // Opened for writing as it is, so that a file the user may not write (or
  // one marked read-only) is refused here and a device or pipe can be written.
  const HANDLE file = CreateFileW(path, GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  PathString target = path;
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) {
      *reason = SystemMessage(error);
      return false;
    }
  } else if (GetFileType(file) != FILE_TYPE_DISK) {  // a console, a pipe, NUL: written as it is
    out->Stream = StreamOf(file);
    if (!out->Stream) *reason = SystemMessage(ERROR_TOO_MANY_OPEN_FILES);
    return out->Stream != nullptr;
  } else {  // a file: the one a symbolic link names is replaced
    static wchar_t finalPath[kLongestPath + 1];
    const DWORD length = GetFinalPathNameByHandleW(file, finalPath, kLongestPath,
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length > 0 && length <= kLongestPath) target.assign(finalPath, length);
    CloseHandle(file);
  }
  out->Stream = CreateFileBeside(target, &out->TempPath, reason);
  if (!out->Stream) return false;
  out->Target = target;
  return true;
}

bool CloseFileOutput(FILE* stream, std::string* reason) {
  DWORD error = 0;  // the first failure
  if (std::fflush(stream) != 0 || std::ferror(stream)) error = ERROR_WRITE_FAULT;
  // A file's data on the disk before it takes the old one's place.
  const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  if (error == 0 && GetFileType(file) == FILE_TYPE_DISK && !FlushFileBuffers(file)) {
    error = GetLastError();
  }
  if (std::fclose(stream) != 0 && error == 0) error = ERROR_WRITE_FAULT;
  if (error != 0) *reason = SystemMessage(error);
  return error == 0;
}

bool MoveFileOver(const PathString& from, const PathString& to, std::string* reason) {
  if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                   nullptr)) {
    return true;
  }
  DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND &&  // a new file: nothing to replace
      MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  if (error == ERROR_FILE_NOT_FOUND) error = GetLastError();
  *reason = SystemMessage(error);
  return false;
}

void RemoveTemporaryFile(const PathString& path) {
  DeleteFileW(path.c_str());
  InterlockedExchange(&gTempArmed, 0);
}

void ForgetTemporaryFile() { InterlockedExchange(&gTempArmed, 0); }
