// Every one of the 1017 lesson days, built from the program's own lesson
// resources, laid out with real GDI fonts at text area widths 40 to 1200 in
// steps of 40, for the default font settings and for named fonts. Each line
// table must account for every stored byte and respect its width.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "lessons/lesson_schedule.h"
#include "view/glyph_mapping.h"
#include "view/line_layout.h"
#include "view/text_device.h"

namespace {

constexpr int32_t kAreaX = 7;
constexpr int32_t kAreaY = 3;
constexpr int32_t kAreaHeight = 300;

struct FontCase {
  const wchar_t* face;
  int32_t size;
  int32_t base;
};

// What a failed invariant reports: day, width and the line.
std::string Where(int32_t day, int32_t width, int32_t line) {
  return "day " + std::to_string(day) + " width " + std::to_string(width) + " line " +
         std::to_string(line);
}

// Checks the line table of view, laid out from text (length bytes before its
// terminating zero flag byte) for lesson day day at text area width width.
// With measure, every line's width is compared with GDI's own measurement.
void CheckLayout(LessonView* view, const uint8_t* text, size_t length, int32_t day,
                 int32_t width, bool measure) {
  ASSERT_GT(view->LineCount, 0) << Where(day, width, -1);
  const LineEntry* lines = view->Lines;
  // Terminated by an all-zero entry, with no flag-0 entry before it.
  const LineEntry& end = lines[view->LineCount];
  ASSERT_TRUE(end.TextOffset == 0 && end.Count == 0 && end.X == 0 && end.LabelWidth == 0 &&
              end.Width == 0 && end.Height == 0 && end.Flags == 0)
      << Where(day, width, view->LineCount);

  // Which record each stored byte belongs to, and whether it is a rule's.
  std::vector<int32_t> record(length, -1);
  std::vector<uint8_t> ruleByte(length, 0);
  int32_t records = 0;
  for (const uint8_t* r = text; *r; r = NextRecord(r), ++records) {
    StreamRecord rec;
    ASSERT_TRUE(ReadRecord(r, &rec));
    size_t offset = static_cast<size_t>(rec.Text - text);
    for (size_t k = 0; k < rec.Length; ++k) {
      record[offset + k] = records;
      ruleByte[offset + k] = IsRuleRecord(rec.Flag);
    }
  }

  std::vector<int32_t> cover(length, 0);
  int32_t rows = 0;
  for (int32_t i = 0; i < view->LineCount; ++i) {
    const LineEntry& line = lines[i];
    ASSERT_NE(line.Flags, 0) << Where(day, width, i);
    ASSERT_GT(line.Height, 0) << Where(day, width, i);
    if (line.Flags & 0x80) ++rows;
    ++rows;
    if (IsRuleRecord(line.Flags)) {
      ASSERT_EQ(line.Count, 0) << Where(day, width, i);
      ASSERT_LE(line.Width, width) << Where(day, width, i);
      ASSERT_GE(line.X, kAreaX) << Where(day, width, i);
      ASSERT_LE(line.X + line.Width, kAreaX + width) << Where(day, width, i);
      continue;
    }
    ASSERT_GT(line.Count, 0) << Where(day, width, i);
    ASSERT_LE(static_cast<size_t>(line.TextOffset) + line.Count, length) << Where(day, width, i);
    const int32_t owner = record[line.TextOffset];
    for (int32_t k = 0; k < line.Count; ++k) {
      // One line shows bytes of one record only.
      ASSERT_EQ(record[line.TextOffset + k], owner) << Where(day, width, i);
      ++cover[line.TextOffset + k];
    }
    // No wider than the area (no indent or label in these streams) unless a
    // single character that does not fit alone.
    if (line.Count > 1) {
      ASSERT_LE(line.Width, width) << Where(day, width, i);
      ASSERT_GE(line.X, kAreaX) << Where(day, width, i);
      ASSERT_LE(line.X + line.Width, kAreaX + width) << Where(day, width, i);
    }
    if (measure) {
      void* previous = SelectStyle(view, line.Flags);
      const WideChar* shown = MapToDisplayForMeasure(text + line.TextOffset, line.Count);
      SIZE size = {};
      GetTextExtentPoint32W(view->Dc, shown, line.Count, &size);
      RestoreFont(view->Dc, previous);
      ASSERT_EQ(line.Width, size.cx) << Where(day, width, i);
    }
  }
  // The text never ends with an empty row.
  ASSERT_EQ(lines[view->LineCount - 1].Flags & 0x80, 0) << Where(day, width, -1);
  ASSERT_EQ(view->RowCount, rows) << Where(day, width, -1);
  ASSERT_LE(view->MaxTopRow, view->RowCount) << Where(day, width, -1);

  // Every stored text byte on exactly one line; spaces may be dropped.
  for (size_t k = 0; k < length; ++k) {
    if (record[k] < 0 || ruleByte[k]) continue;
    if (text[k] == ' ') {
      ASSERT_LE(cover[k], 1) << "day " << day << " width " << width << " byte " << k;
    } else {
      ASSERT_EQ(cover[k], 1) << "day " << day << " width " << width << " byte " << k;
    }
  }
}

class LayoutSweep : public testing::TestWithParam<FontCase> {};

// Lays out lesson days first..last (every step-th) at widths from, from + by, ...
// up to to, checking every table; GDI measures the lines at the widths in measured.
void Sweep(const FontCase& font, int32_t first, int32_t last, int32_t step, int32_t from,
           int32_t to, int32_t by, std::vector<int32_t> measured) {
  App = AppState{};
  App.Font.FontSize = font.size;
  App.Font.FontAsciiBase = font.base;
  wcscpy(App.Font.FontName, font.face);
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HGDIOBJ systemFont = GetCurrentObject(dc, OBJ_FONT);
  LessonView* view = NewLessonView(dc, &App.Font, kAreaX, kAreaY, 40, kAreaHeight, 30);
  ASSERT_NE(view, nullptr);
  for (int32_t day = first; day <= last; day += step) {
    int32_t error = 0;
    uint8_t* text = BuildLessonText(day, &error);
    ASSERT_NE(text, nullptr) << "day " << day << " error " << error;
    const size_t length = StreamLength(text);
    ASSERT_EQ(LayoutText(view, text, true), kViewDone) << "day " << day;  // the view owns text
    for (int32_t width = from; width <= to; width += by) {
      ASSERT_EQ(ResizeView(view, width, kAreaHeight), kViewDone) << "day " << day;
      const bool measure =
          std::find(measured.begin(), measured.end(), width) != measured.end();
      ASSERT_NO_FATAL_FAILURE(CheckLayout(view, view->Text, length, day, width, measure));
      // No style font stays selected between operations.
      ASSERT_EQ(GetCurrentObject(dc, OBJ_FONT), systemFont) << "day " << day;
    }
  }
  DestroyLessonView(view, true);
  DeleteDC(dc);
  App = AppState{};
}

TEST_P(LayoutSweep, EveryDayAtEveryWidth) {
  Sweep(GetParam(), 1, kLessonCycleDays, 1, 40, 1200, 40, {80, 600});
}

// Windows narrower than a character: one character per line at the least,
// and layout still ends.
TEST_P(LayoutSweep, NarrowAreas) {
  Sweep(GetParam(), 1, kLessonCycleDays, 37, 1, 39, 1, {1, 20});
}

INSTANTIATE_TEST_SUITE_P(Fonts, LayoutSweep,
                         testing::Values(FontCase{L"", 0, 0x5D0},              // the defaults
                                         FontCase{L"DejaVu Sans", 14, 0x5D0},  // a named font
                                         FontCase{L"Tahoma", 9, 0xE0}));       // code page letters

}  // namespace
