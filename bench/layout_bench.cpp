// Time of one LayoutText of a day's text with real GDI fonts at a text area
// width of 600, for every lesson day, under the font settings below. Prints
// microseconds per layout (mean, mean without the slowest 1 %, median, 99th
// percentile, maximum); the target is at most 200 µs per layout. Single
// layouts of several milliseconds are the process being preempted (they come
// in multiples of the kernel's scheduling tick), hence the trimmed mean.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

#include "common/app_state.h"
#include "lessons/lesson_schedule.h"
#include "lessons/text_stream.h"
#include "view/line_layout.h"

namespace {

constexpr int32_t kWidth = 600;
constexpr int32_t kHeight = 400;
constexpr int kRounds = 5;
constexpr double kTargetMicroseconds = 200.0;

struct FontCase {
  const wchar_t* face;
  int32_t size;
  const char* label;
};

double Percentile(std::vector<double>* sorted, double fraction) {
  size_t index = static_cast<size_t>(fraction * static_cast<double>(sorted->size() - 1));
  return (*sorted)[index];
}

// Lays every day's text out kRounds times on a fresh view; false on failure.
bool RunCase(const FontCase& font, const std::vector<uint8_t*>& texts, HDC dc) {
  App.Font = FontSettings{};
  wcsncpy(App.Font.FontName, font.face, 31);
  App.Font.FontSize = font.size;
  App.Font.FontAsciiBase = kDefaultAsciiBase;
  LessonView* view = NewLessonView(dc, &App.Font, 10, 10, kWidth, kHeight, 30);
  if (!view) return false;
  LARGE_INTEGER frequency, start, stop;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  times.reserve(texts.size() * kRounds);
  int64_t lines = 0;
  // The first round also creates the style fonts; it is not counted.
  for (int round = 0; round <= kRounds; ++round) {
    for (uint8_t* text : texts) {
      QueryPerformanceCounter(&start);
      int32_t result = LayoutText(view, text, false);  // borrowed: the texts stay ours
      QueryPerformanceCounter(&stop);
      if (result != kViewDone) {
        printf("LayoutText failed with %d\n", result);
        view->Text = nullptr;
        DestroyLessonView(view, true);
        return false;
      }
      if (round == 0) continue;
      lines += view->LineCount;
      times.push_back(static_cast<double>(stop.QuadPart - start.QuadPart) * 1e6 /
                      static_cast<double>(frequency.QuadPart));
    }
  }
  view->Text = nullptr;
  DestroyLessonView(view, true);
  double total = 0;
  for (double t : times) total += t;
  std::sort(times.begin(), times.end());
  double mean = total / static_cast<double>(times.size());
  size_t kept = times.size() - times.size() / 100;
  double keptTotal = 0;
  for (size_t i = 0; i < kept; ++i) keptTotal += times[i];
  double trimmed = keptTotal / static_cast<double>(kept);
  printf("%-24s %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f  %s\n", font.label, mean, trimmed,
         Percentile(&times, 0.5),
         Percentile(&times, 0.99), times.back(),
         static_cast<double>(lines) / static_cast<double>(times.size()),
         mean <= kTargetMicroseconds ? "met" : "NOT MET");
  return true;
}

}  // namespace

int main() {
  std::vector<uint8_t*> texts;
  for (int32_t day = 1; day <= kLessonCycleDays; ++day) {
    int32_t error = 0;
    uint8_t* text = BuildLessonText(day, &error);
    if (!text) {
      printf("BuildLessonText(%d) failed with %d\n", day, error);
      return 1;
    }
    texts.push_back(text);
  }
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  printf("LayoutText of every lesson day (%zu), width %d, %d rounds, %d dpi; microseconds per layout\n",
         texts.size(), kWidth, kRounds, GetDeviceCaps(dc, LOGPIXELSY));
  printf("%-24s %8s %8s %8s %8s %8s %8s  target %.0f us\n", "font", "mean", "trimmed", "median",
         "p99", "max", "lines", kTargetMicroseconds);
  const FontCase cases[] = {
      {L"", 0, "default (no face, 0 pt)"},
      {L"DejaVu Sans", 14, "DejaVu Sans 14 pt"},
      {L"Tahoma", 12, "Tahoma 12 pt"},
      {L"Liberation Serif", 28, "Liberation Serif 28 pt"},
  };
  int status = 0;
  for (const FontCase& font : cases) {
    if (!RunCase(font, texts, dc)) status = 1;
  }
  DeleteDC(dc);
  for (uint8_t* text : texts) free(text);
  return status;
}
