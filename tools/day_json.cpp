#include "tools/day_json.h"

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;  // keys in the order written

constexpr int kIndent = 2;

// The object of one day.
Json DayObject(const DayFacts& facts) {
  Json lessons = Json::array();
  for (int32_t track = 0; track < kTrackCount; ++track) {
    lessons.push_back(Json{{"track", kTrackNames[track]},
                           {"heading", facts.Headings[track]},
                           {"entry", facts.Entries[track]}});
  }
  return Json{{"date", IsoDate(facts.Gregorian)},
              {"weekday", WeekdayName(facts.Weekday)},
              {"hebrew_date", Json{{"year", facts.Hebrew.year},
                                   {"month", facts.Hebrew.month},
                                   {"day", facts.Hebrew.day},
                                   {"text", facts.HebrewText}}},
              {"lesson_day", facts.LessonDay},
              {"lessons", std::move(lessons)}};
}

}  // namespace

std::string JsonArrayItem(const DayFacts& facts, bool first) {
  // Ill-formed UTF-8 (never in the lessons) is replaced, never thrown.
  const std::string object =
      DayObject(facts).dump(kIndent, ' ', false, Json::error_handler_t::replace);
  // The object one level deeper: every line after its first indented once more.
  std::string item = first ? "[\n  " : ",\n  ";
  for (const char c : object) {
    item += c;
    if (c == '\n') item.append(kIndent, ' ');
  }
  return item;
}

std::string JsonArrayEnd() { return "\n]\n"; }
