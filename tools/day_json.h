// The days as one JSON array, an object per day (nlohmann/json). The keys are
// part of zelvan-cli's interface and stay as they are:
//   date          "YYYY-MM-DD"
//   weekday       "Sunday" .. "Saturday"
//   hebrew_date   {"year", "month" (1 Nisan .. 13 Adar II), "day", "text"}
//   lesson_day    1..1017
//   lessons       [{"track", "heading", "entry"}] in the order of the text,
//                 track "3", "1" or "commandments"
// Text is UTF-8 in reading order.
#pragma once
#include <string>

#include "tools/day_facts.h"

// The array's text up to and including a day's object: the opening bracket
// before the first, a comma before every later one; indented by two spaces.
std::string JsonArrayItem(const DayFacts& facts, bool first);

// The array's closing bracket and final newline, after at least one item.
std::string JsonArrayEnd();
