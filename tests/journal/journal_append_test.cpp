// Two processes append to one journal at the same moment, many times each;
// every line must land whole, each writer's lines in its order.
//
//   journal_append_test FILE [COUNT]          starts the two writers, checks the file
//   journal_append_test FILE COUNT --writer N  one writer (N = 0 or 1)
//
// A blank line is allowed: a writer that finds the file's end in the middle of
// the other's write takes it for a line cut short and starts with a newline.
// Each append is two lines in one write: learned and not-learned of the
// writer's track (writer 0 the three-chapters, 1 the commandments track) for
// day i of its run.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "study_log/journal_file.h"
#include "study_log/study_journal.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

constexpr AbsoluteDay kFirstDay = 738633;
const LessonTrack kWriterTracks[2] = {kTrackThreeChapters, kTrackCommandments};

// path as the file functions take it.
std::basic_string<PathChar> FilePath(const char* path) {
#ifdef _WIN32
  wchar_t wide[kMaxJournalPath + 1];
  const int n = MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kMaxJournalPath + 1);
  return n > 0 ? wide : L"";
#else
  return path;
#endif
}

// Appends count pairs of lines for writer; false at the first failure.
bool Write(const char* path, int32_t count, int32_t writer) {
  const std::basic_string<PathChar> file = FilePath(path);
  for (int32_t i = 0; i < count; ++i) {
    char lines[2 * kMaxJournalLine];
    JournalLine line = {JournalClockSeconds(), kJournalLearned, kWriterTracks[writer], kFirstDay + i, 0};
    size_t length = FormatJournalLine(line, lines, sizeof lines);
    line.Kind = kJournalNotLearned;
    length += FormatJournalLine(line, lines + length, sizeof lines - length);
    if (AppendJournalBytes(file.c_str(), lines, length) != kJournalOk) return false;
  }
  return true;
}

// Runs this program as writer 0 and 1 at once; false when either fails.
bool RunWriters(const char* path, int32_t count) {
#ifdef _WIN32
  char self[MAX_PATH];
  if (GetModuleFileNameA(nullptr, self, MAX_PATH) == 0) return false;
  PROCESS_INFORMATION processes[2] = {};
  for (int32_t writer = 0; writer < 2; ++writer) {
    std::string command = std::string("\"") + self + "\" \"" + path + "\" " + std::to_string(count) +
                          " --writer " + std::to_string(writer);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &processes[writer])) {
      return false;
    }
  }
  bool ok = true;
  for (PROCESS_INFORMATION& process : processes) {
    DWORD code = 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    ok = GetExitCodeProcess(process.hProcess, &code) && code == 0 && ok;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  return ok;
#else
  pid_t children[2];
  for (int32_t writer = 0; writer < 2; ++writer) {
    children[writer] = fork();
    if (children[writer] == 0) _exit(Write(path, count, writer) ? 0 : 1);
    if (children[writer] < 0) return false;
  }
  bool ok = true;
  for (pid_t child : children) {
    int status = 0;
    ok = waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ok;
  }
  return ok;
#endif
}

// Checks the file: 4 * count lines, each whole, each writer's in order.
bool CheckFile(const char* path, int32_t count) {
  char* bytes = nullptr;
  size_t size = 0;
  if (ReadJournalFile(FilePath(path).c_str(), &bytes, &size) != kJournalOk) return false;
  int32_t next[2] = {0, 0};  // each writer's next line: 2 * i for learned, 2 * i + 1 after
  int32_t lines = 0;
  int32_t blank = 0;
  bool whole = size > 0 && bytes[size - 1] == '\n';
  for (size_t start = 0; start < size && whole;) {
    const char* end = static_cast<const char*>(memchr(bytes + start, '\n', size - start));
    const size_t length = static_cast<size_t>(end - (bytes + start));
    start += length + 1;
    if (length == 0) {
      ++blank;  // a writer took the other's write in progress for a line cut short
      continue;
    }
    JournalLine line = {};
    whole = ParseJournalLine(end - length, length, &line);
    const int32_t writer = line.Track == kWriterTracks[0] ? 0 : 1;
    whole = whole && line.Track == kWriterTracks[writer] && line.Day == kFirstDay + next[writer] / 2 &&
            line.Kind == (next[writer] % 2 == 0 ? kJournalLearned : kJournalNotLearned);
    if (!whole) std::fprintf(stderr, "line %d: %.*s\n", lines + 1, static_cast<int>(length), end - length);
    ++next[writer];
    ++lines;
  }
  free(bytes);
  std::printf("%d lines, writers %d and %d, %d blank\n", lines, next[0], next[1], blank);
  return whole && next[0] == 2 * count && next[1] == 2 * count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: journal_append_test FILE [COUNT [--writer N]]\n");
    return 2;
  }
  const int32_t count = argc > 2 ? std::atoi(argv[2]) : 1000;
  if (argc > 4 && std::strcmp(argv[3], "--writer") == 0) return Write(argv[1], count, std::atoi(argv[4]) & 1) ? 0 : 1;
  std::remove(argv[1]);
  if (!RunWriters(argv[1], count)) {
    std::fprintf(stderr, "a writer failed\n");
    return 1;
  }
  const bool ok = CheckFile(argv[1], count);
  std::remove(argv[1]);
  return ok ? 0 : 1;
}
