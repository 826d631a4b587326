// The reference texts of the scenarios, built in the driver's own process
// from the lesson data with the program's conversion code. Kept apart from
// the driver's fixture, whose constants share names with AppState's.
#include <cstdlib>
#include <vector>

#include "common/app_state.h"
#include "lessons/lesson_schedule.h"
#include "output/clipboard_text.h"
#include "output/rtf_document.h"
#include "tests/wine/output_scenario.h"

int32_t LessonDayOf(AbsoluteDay day) { return LessonDayFromAbsolute(day); }

std::u16string DayClipboardText(AbsoluteDay day, int32_t codeBase, bool reverse) {
  const AppState saved = App;
  App.Font.FontAsciiBase = codeBase;
  App.Flags = reverse ? (kDefaultFlags | kFlagReverse) : (kDefaultFlags & ~kFlagReverse);
  std::u16string text;
  uint8_t* stream = BuildLessonText(LessonDayFromAbsolute(day), nullptr);
  int32_t result = kUnicodeNoMemory;
  WideChar* units = stream ? DayTextToUnicode(stream, &result) : nullptr;
  for (size_t i = 0; units && units[i] != 0; ++i) text.push_back(static_cast<char16_t>(units[i]));
  free(units);
  free(stream);
  App = saved;
  return text;
}

std::string RichTextBody(const std::u16string& text) {
  std::vector<WideChar> units(text.begin(), text.end());
  units.push_back(0);
  size_t length = 0;
  uint8_t* body = UnicodeToRtfBody(units.data(), &length);
  std::string bytes(reinterpret_cast<const char*>(body), length);
  free(body);
  return bytes;
}

