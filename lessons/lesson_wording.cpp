#include "lessons/lesson_wording.h"

#include "lessons/hebrew_numerals.h"

namespace {

const char kChapter[] = "פרק";
const char kChapters[] = "פרקים";
const char kPart[] = "חלק";
const char kParts[] = "חלקים";
const char kPositivePrefix[] = "מ\"ע ";
const char kNegativePrefix[] = "ל\"ת ";
const char kSeparator[] = ", ";

// n in Hebrew numerals; "?" for a number the numerals do not cover, which the
// lesson data's checks never let through.
std::string Numeral(int32_t n) {
  char text[kHebrewNumeralCapacity];
  return FormatHebrewNumeral(n, text, sizeof text) ? std::string(text) : std::string("?");
}

}  // namespace

std::string LongTrackWording(const StudyUnit& unit) {
  return unit.Section + " " + (unit.Kind == UnitKind::Chapter ? kChapter : kPart) + " " +
         Numeral(unit.Number);
}

std::string UnitRunsWording(const StudyUnit* units, size_t count) {
  std::string text;
  size_t start = 0;
  while (start < count) {
    size_t end = start + 1;
    while (end < count && units[end].Section == units[start].Section &&
           units[end].Kind == units[start].Kind) {
      ++end;
    }
    if (!text.empty()) text += kSeparator;
    bool chapters = units[start].Kind == UnitKind::Chapter;
    if (end - start == 1) {
      text += LongTrackWording(units[start]);
    } else {
      text += units[start].Section + " " + (chapters ? kChapters : kParts) + " " +
              Numeral(units[start].Number) + "-" + Numeral(units[end - 1].Number);
    }
    start = end;
  }
  return text;
}

std::string CommandmentsWording(const std::vector<DayItem>& items) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    const DayItem& item = items[i];
    if (i > 0) text += kSeparator;
    if (item.Kind == ItemKind::Text) {
      text += item.Text;
      continue;
    }
    if (i == 0 || items[i - 1].Kind != item.Kind) {
      text += item.Kind == ItemKind::Positive ? kPositivePrefix : kNegativePrefix;
    }
    text += Numeral(item.Number);
  }
  return text;
}
