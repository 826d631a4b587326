// The journal file on disk, natively and under Wine: read whole, appended a
// line at a time, every failure its own result, the default place made.
#include "study_log/journal_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using Path = std::basic_string<PathChar>;

// text (ASCII) as a path.
Path P(const std::string& text) { return Path(text.begin(), text.end()); }

#ifdef _WIN32
constexpr char kSeparator[] = "\\";
// A new empty folder of the test's own.
Path NewFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  Path folder = Path(temp) + L"zelvan-journal-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}
void SetVariable(const char* name, const Path& value) { SetEnvironmentVariableW(P(name).c_str(), value.c_str()); }
#else
constexpr char kSeparator[] = "/";
Path NewFolder() {
  char pattern[] = "/tmp/zelvan-journal-XXXXXX";
  return mkdtemp(pattern);
}
void SetVariable(const char* name, const Path& value) { setenv(name, value.c_str(), 1); }
#endif

// The file's contents, or "(result N)" when it cannot be read.
std::string Contents(const Path& path) {
  char* bytes = nullptr;
  size_t size = 0;
  const JournalFileResult result = ReadJournalFile(path.c_str(), &bytes, &size);
  if (result != kJournalOk) return "(result " + std::to_string(result) + ")";
  std::string text(bytes ? bytes : "", size);
  free(bytes);
  return text;
}

// Appends text; returns the result.
JournalFileResult Append(const Path& path, const std::string& text) {
  return AppendJournalBytes(path.c_str(), text.data(), text.size());
}

TEST(JournalFile, ReadAppendAndFailures) {
  const Path folder = NewFolder();
  const Path file = folder + P(kSeparator) + P("study-log.txt");
  const std::string first = "2026-05-03T19:42:07Z learned 3 2026-05-03\n";
  const std::string second = "2026-05-03T19:42:08Z learned 1 2026-05-03\n";
  // A missing file, or a missing folder, is an empty journal.
  EXPECT_EQ(Contents(file), "");
  EXPECT_EQ(Contents(folder + P(kSeparator) + P("none") + P(kSeparator) + P("log.txt")), "");
  // Appended whole, in order.
  EXPECT_EQ(Append(file, first), kJournalOk);
  EXPECT_EQ(Append(file, second), kJournalOk);
  EXPECT_EQ(Contents(file), first + second);
  // A last line cut short: the next line starts a line of its own.
  EXPECT_EQ(Append(file, "2026-05-04T06:00:00Z lea"), kJournalOk);
  EXPECT_EQ(Append(file, first), kJournalOk);
  EXPECT_EQ(Contents(file), first + second + "2026-05-04T06:00:00Z lea\n" + first);
  // Folders and paths that are no journal.
  EXPECT_EQ(Contents(folder), "(result 4)");
  EXPECT_EQ(Append(folder, first), kJournalBadPath);
  EXPECT_EQ(Append(P(""), first), kJournalBadPath);
  EXPECT_EQ(Append(folder + P(kSeparator) + P(std::string(kMaxJournalPath, 'x')), first), kJournalBadPath);
  // A file in a folder that does not exist is not made (nor the folder).
  const Path away = folder + P(kSeparator) + P("away") + P(kSeparator) + P("log.txt");
  EXPECT_EQ(Append(away, first), kJournalCannotWrite);
  EXPECT_EQ(Contents(away), "");
#ifdef _WIN32
  // Held open by another program without sharing: neither read nor written.
  HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(Contents(file), "(result 1)");
  EXPECT_EQ(Append(file, second), kJournalCannotWrite);
  CloseHandle(held);
#else
  // A file that opens but cannot be read from its start.
  EXPECT_EQ(Contents(P("/proc/self/mem")), "(result 1)");
  EXPECT_EQ(Contents(P("/dev/null")), "(result 4)");
#endif
  EXPECT_EQ(Contents(file), first + second + "2026-05-04T06:00:00Z lea\n" + first);
  std::filesystem::remove_all(folder);
}

// The variables the default place is read from, put back as they were.
struct SavedVariables {
  const char* const Names[3] = {"HOME", "XDG_DATA_HOME", "APPDATA"};
  std::string Values[3];
  SavedVariables() {
    for (int i = 0; i < 3; ++i) Values[i] = std::getenv(Names[i]) ? std::getenv(Names[i]) : "";
  }
  ~SavedVariables() {
    for (int i = 0; i < 3; ++i) SetVariable(Names[i], P(Values[i]));
  }
};

TEST(JournalFile, DefaultPlaceIsMadeOnFirstAppend) {
  const SavedVariables saved;
  const Path base = NewFolder();
#ifdef _WIN32
  SetVariable("APPDATA", base);
  const Path expected = base + P("\\Thalvane\\Zelvan\\study-log.txt");
#else
  SetVariable("HOME", base);
  unsetenv("XDG_DATA_HOME");
  PathChar home[kMaxJournalPath + 1];
  ASSERT_TRUE(DefaultJournalPath(home, kMaxJournalPath + 1));
  EXPECT_EQ(Path(home), base + "/.local/share/zelvan/study-log.txt");
  SetVariable("XDG_DATA_HOME", base);
  const Path expected = base + "/zelvan/study-log.txt";
#endif
  PathChar path[kMaxJournalPath + 1];
  ASSERT_TRUE(DefaultJournalPath(path, kMaxJournalPath + 1));
  EXPECT_EQ(Path(path), expected);
  EXPECT_FALSE(DefaultJournalPath(path, expected.size())) << "no room for the zero";
  EXPECT_EQ(Append(expected, "2026-05-03T19:42:07Z learned 3 2026-05-03\n"), kJournalOk);
  EXPECT_EQ(Contents(expected), "2026-05-03T19:42:07Z learned 3 2026-05-03\n");
  std::filesystem::remove_all(base);
}

}  // namespace
