// Cold start to the first finished paint: zelvan.exe against a minimal Win32
// program that opens an empty window (bench/minimal_window.cpp), started
// alternately in one run, each from CreateProcess until its window is visible
// and the process waits for input (its start-up paint is done by then: both
// paint with UpdateWindow before their message loops). Prints every start,
// the medians and their ratio (target: at most 1.3), and the sizes of both
// programs. Run under Wine in a fresh prefix: startup_bench [STARTS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/driver/program_driver.h"

namespace {

constexpr int kDefaultStarts = 15;
constexpr double kTargetRatio = 1.3;

struct Subject {
  const char* label;
  std::wstring exe;
  const wchar_t* windowClass;
  std::vector<double> milliseconds;
};

// One cold start of subject; false if its window did not come up or it did not end.
bool TimeOneStart(Subject* subject) {
  ProgramRun run = {};
  const double start = NowSeconds();
  bool up = StartProcess(subject->exe, SW_SHOWNORMAL, &run) &&
            WaitForMainWindow(&run, subject->windowClass, nullptr, kStartLimit, nullptr);
  const double end = NowSeconds();
  DWORD exitCode = 0;
  bool ended = up && CloseProgram(&run, &exitCode);
  ReleaseRun(&run);
  if (!up || !ended) return false;
  subject->milliseconds.push_back((end - start) * 1000.0);
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

long long FileBytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A chosen font, so that no first-start font dialog opens.
void StoreFontName() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Thalvane\\Zelvan-Quenterbil-Hebrew", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  static const wchar_t kFace[] = L"DejaVu Sans";
  RegSetValueExW(key, L"FontName", 0, REG_SZ, reinterpret_cast<const BYTE*>(kFace), sizeof kFace);
  RegCloseKey(key);
}

}  // namespace

int main(int argc, char** argv) {
  const int starts = argc > 1 ? std::max(1, atoi(argv[1])) : kDefaultStarts;
  PrepareWineForDriving();
  StoreFontName();
  Subject program = {"zelvan.exe", ProgramPath(), kProgramClass, {}};
  Subject minimal = {"minimal_window.exe", WindowsPath(ZELVAN_MINIMAL_EXE), L"ZelvanMinimalWindow", {}};

  // One start of each first, not counted: it makes the settings and loads the files.
  if (!TimeOneStart(&program) || !TimeOneStart(&minimal)) {
    fprintf(stderr, "startup_bench: a program did not start or end\n");
    return 1;
  }
  program.milliseconds.clear();
  minimal.milliseconds.clear();
  printf("start  zelvan.exe ms  minimal_window.exe ms\n");
  for (int i = 0; i < starts; ++i) {
    if (!TimeOneStart(&program) || !TimeOneStart(&minimal)) {
      fprintf(stderr, "startup_bench: a program did not start or end\n");
      return 1;
    }
    printf("%5d  %13.1f  %21.1f\n", i + 1, program.milliseconds.back(), minimal.milliseconds.back());
  }
  const double programMedian = Median(program.milliseconds);
  const double minimalMedian = Median(minimal.milliseconds);
  const double ratio = programMedian / minimalMedian;
  printf("median over %d starts: zelvan.exe %.1f ms, minimal_window.exe %.1f ms\n", starts,
         programMedian, minimalMedian);
  printf("ratio %.2f (target at most %.1f): %s\n", ratio, kTargetRatio,
         ratio <= kTargetRatio ? "met" : "NOT met");
  printf("size: zelvan.exe %lld bytes, minimal_window.exe %lld bytes\n", FileBytes(program.exe),
         FileBytes(minimal.exe));
  return 0;
}
