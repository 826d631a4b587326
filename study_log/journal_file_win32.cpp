// Win32 backend of the journal file: CreateFileW, ReadFile, one WriteFile on
// a handle opened with FILE_APPEND_DATA, FlushFileBuffers; appenders take
// turns through LockFileEx. Paths are UTF-16.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "study_log/journal_file.h"
#include "study_log/journal_read_whole.h"
#include "study_log/study_journal.h"

namespace {

// The default path's folders below %APPDATA%, and the file.
constexpr wchar_t kAppDataTail[] = L"\\Thalvane\\Zelvan\\study-log.txt";
// Sharing that lets the program and the tool have the file open at once.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
constexpr uint64_t kFileTimeOfUnixEpoch = 116444736000000000ull;

// True for a path the journal accepts: not empty, not longer than kMaxJournalPath.
bool UsablePath(const wchar_t* path) {
  return path && path[0] != 0 && wcsnlen(path, kMaxJournalPath + 1) <= kMaxJournalPath;
}

// The default path into out (as DefaultJournalPath) and in *baseLength the
// length of %APPDATA% in it.
bool DefaultPath(wchar_t* out, size_t capacity, size_t* baseLength) {
  wchar_t base[kMaxJournalPath + 1];
  DWORD length = GetEnvironmentVariableW(L"APPDATA", base, kMaxJournalPath + 1);
  if (length == 0 || length > kMaxJournalPath) return false;
  while (length > 0 && (base[length - 1] == L'\\' || base[length - 1] == L'/')) --length;
  const size_t tail = wcslen(kAppDataTail);
  if (length == 0 || length + tail > kMaxJournalPath || length + tail + 1 > capacity) return false;
  memcpy(out, base, length * sizeof(wchar_t));
  memcpy(out + length, kAppDataTail, (tail + 1) * sizeof(wchar_t));
  *baseLength = length;
  return true;
}

// When path is the default path, makes its missing folders below %APPDATA%.
void MakeDefaultFolders(const wchar_t* path) {
  wchar_t folder[kMaxJournalPath + 1];
  size_t baseLength = 0;
  if (!DefaultPath(folder, kMaxJournalPath + 1, &baseLength) ||
      CompareStringOrdinal(folder, -1, path, -1, TRUE) != CSTR_EQUAL) {
    return;
  }
  for (size_t at = baseLength + 1; folder[at] != 0; ++at) {
    if (folder[at] != L'\\') continue;
    folder[at] = 0;
    CreateDirectoryW(folder, nullptr);
    folder[at] = L'\\';
  }
}

// How opening a journal file went.
struct Opened {
  HANDLE Handle;              // INVALID_HANDLE_VALUE when not opened
  bool Missing;               // not opened because it (or its folder) does not exist
  JournalFileResult Result;   // kJournalOk when opened
};

// Opens path with access and disposition; failure (or kJournalBadPath) when
// it cannot be opened or is no file on a disk (a folder, a device, a pipe).
Opened OpenRegular(const wchar_t* path, DWORD access, DWORD disposition, JournalFileResult failure) {
  HANDLE handle = CreateFileW(path, access, kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(path);
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    const bool badPath = folder || error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME ||
                         error == ERROR_FILENAME_EXCED_RANGE || error == ERROR_DIRECTORY;
    const bool missing = !folder && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
    return Opened{INVALID_HANDLE_VALUE, missing, badPath ? kJournalBadPath : failure};
  }
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return Opened{INVALID_HANDLE_VALUE, false, kJournalBadPath};
  }
  return Opened{handle, false, kJournalOk};
}

// Takes the append lock of handle (opened with FILE_READ_DATA) within about
// kAppendLockWaitMs; false when it cannot be had: the write then goes ahead
// without it.
bool LockForAppend(HANDLE handle) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(kAppendLockOffset);
  at.OffsetHigh = static_cast<DWORD>(kAppendLockOffset >> 32);
  for (int32_t waited = 0; waited < kAppendLockWaitMs; ++waited) {
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) return true;
    if (GetLastError() != ERROR_LOCK_VIOLATION) return false;
    Sleep(1);
  }
  return false;
}

// JournalReadSome of the file handle at source.
int64_t ReadSome(void* source, char* into, size_t room) {
  const DWORD want = room > 0x40000000u ? 0x40000000u : static_cast<DWORD>(room);
  DWORD got = 0;
  return ReadFile(*static_cast<HANDLE*>(source), into, want, &got, nullptr) ? got : -1;
}

// True when the file of handle (opened with FILE_READ_DATA) is empty or ends
// in '\n'; also when its last byte cannot be read (nothing is then added).
bool EndsWithNewline(HANDLE handle) {
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(handle, &size) || size.QuadPart == 0) return true;
  const uint64_t lastByte = static_cast<uint64_t>(size.QuadPart - 1);
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(lastByte);
  at.OffsetHigh = static_cast<DWORD>(lastByte >> 32);
  char last = '\n';
  DWORD read = 0;
  return !ReadFile(handle, &last, 1, &read, &at) || read != 1 || last == '\n';
}

}  // namespace

JournalFileResult ReadJournalFile(const wchar_t* path, char** bytes, size_t* size) {
  *bytes = nullptr;
  *size = 0;
  if (!UsablePath(path)) return kJournalBadPath;
  const Opened opened = OpenRegular(path, GENERIC_READ, OPEN_EXISTING, kJournalCannotRead);
  if (opened.Handle == INVALID_HANDLE_VALUE) return opened.Missing ? kJournalOk : opened.Result;
  HANDLE handle = opened.Handle;
  const JournalFileResult result = ReadWholeJournal(ReadSome, &handle, bytes, size);
  CloseHandle(handle);
  return result;
}

JournalFileResult AppendJournalBytes(const wchar_t* path, const char* bytes, size_t length) {
  if (!UsablePath(path)) return kJournalBadPath;
  if (length >= 0x40000000u) return kJournalCannotWrite;
  // With FILE_APPEND_DATA and without FILE_WRITE_DATA every write goes to the
  // end of the file, whatever another handle appended meanwhile.
  constexpr DWORD kAppend = FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
  Opened opened = OpenRegular(path, kAppend | FILE_READ_DATA, OPEN_ALWAYS, kJournalCannotWrite);
  if (opened.Missing) {
    MakeDefaultFolders(path);
    opened = OpenRegular(path, kAppend | FILE_READ_DATA, OPEN_ALWAYS, kJournalCannotWrite);
  }
  if (opened.Handle == INVALID_HANDLE_VALUE && opened.Result == kJournalCannotWrite) {
    opened = OpenRegular(path, kAppend, OPEN_ALWAYS, kJournalCannotWrite);  // writable, not readable
  }
  if (opened.Handle == INVALID_HANDLE_VALUE) return opened.Result;
  LockForAppend(opened.Handle);  // released by CloseHandle
  // One buffer, one write: a newline first when the last line was cut short.
  const bool newline = !EndsWithNewline(opened.Handle);
  char* buffer = static_cast<char*>(malloc(length + 1));
  if (!buffer) {
    CloseHandle(opened.Handle);
    return kJournalNoMemory;
  }
  buffer[0] = '\n';
  memcpy(buffer + 1, bytes, length);
  const DWORD total = static_cast<DWORD>(length + (newline ? 1 : 0));
  OVERLAPPED end = {};
  end.Offset = 0xFFFFFFFF;  // both halves all ones: at the end of the file
  end.OffsetHigh = 0xFFFFFFFF;
  DWORD written = 0;
  const bool saved = WriteFile(opened.Handle, buffer + (newline ? 0 : 1), total, &written, &end) &&
                     written == total && FlushFileBuffers(opened.Handle);
  free(buffer);
  return CloseHandle(opened.Handle) && saved ? kJournalOk : kJournalCannotWrite;
}

bool DefaultJournalPath(wchar_t* out, size_t capacity) {
  size_t baseLength = 0;
  return DefaultPath(out, capacity, &baseLength);
}

int64_t JournalClockSeconds() {
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  const uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  if (ticks < kFileTimeOfUnixEpoch) return 0;
  const uint64_t seconds = (ticks - kFileTimeOfUnixEpoch) / 10000000u;
  return seconds > static_cast<uint64_t>(kLastJournalSecond) ? kLastJournalSecond
                                                              : static_cast<int64_t>(seconds);
}
