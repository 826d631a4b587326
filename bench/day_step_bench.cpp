// The Next day step of the running program: command 109 sent to zelvan.exe's
// main window 1017 times in a row (one whole long cycle), each send returning
// once the program has selected the day, built its text, laid it out and
// painted it. Prints microseconds per day (mean, median, 99th percentile,
// maximum) for each pass; the target is at most 2 ms per day.
// Run under Wine in a fresh prefix: day_step_bench [PASSES]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/wine/driver/program_driver.h"

namespace {

constexpr int kDays = 1017;
constexpr int kDefaultPasses = 3;
constexpr double kTargetMicroseconds = 2000.0;
constexpr WORD kNextDay = 109;

bool StoreValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Thalvane\\Zelvan-Quenterbil-Hebrew", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool ok = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

bool StoreDword(const wchar_t* name, DWORD value) {
  return StoreValue(name, REG_DWORD, &value, sizeof value);
}

// A chosen font and a usual window of 600 x 440 pixels.
void StoreSettings() {
  static const wchar_t kFace[] = L"DejaVu Sans";
  StoreValue(L"FontName", REG_SZ, kFace, sizeof kFace);
  StoreDword(L"Left", 16);
  StoreDword(L"Top", 16);
  StoreDword(L"Width", 600);
  StoreDword(L"Height", 440);
}

}  // namespace

int main(int argc, char** argv) {
  const int passes = argc > 1 ? std::max(1, atoi(argv[1])) : kDefaultPasses;
  PrepareWineForDriving();
  StoreSettings();
  ProgramRun run = {};
  if (!StartProgram(SW_SHOWNORMAL, &run)) {
    fprintf(stderr, "day_step_bench: the program did not start\n");
    ReleaseRun(&run);
    return 1;
  }
  bool ok = true;
  for (int pass = 1; pass <= passes; ++pass) {
    std::vector<double> micro;
    micro.reserve(kDays);
    const double begin = NowSeconds();
    for (int i = 0; i < kDays; ++i) {
      const double start = NowSeconds();
      SendMessageW(run.Window, WM_COMMAND, MAKEWPARAM(kNextDay, 0), 0);
      micro.push_back((NowSeconds() - start) * 1e6);
    }
    const double mean = (NowSeconds() - begin) * 1e6 / kDays;
    std::sort(micro.begin(), micro.end());
    printf("pass %d, %d days: mean %.0f us/day, median %.0f, 99th percentile %.0f, max %.0f "
           "(target at most %.0f): %s\n",
           pass, kDays, mean, micro[kDays / 2], micro[kDays * 99 / 100], micro.back(),
           kTargetMicroseconds, mean <= kTargetMicroseconds ? "met" : "NOT met");
    ok = ok && IsWindow(run.Window);
  }
  DWORD exitCode = 0;
  ok = CloseProgram(&run, &exitCode) && exitCode == 0 && ok;
  if (!ok) fprintf(stderr, "day_step_bench: the program did not end cleanly\n");
  return ok ? 0 : 1;
}
