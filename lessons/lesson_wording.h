// The wording of the lesson entries (UTF-8, reading order) from the lesson
// data: one unit for the long track, three units for the first short track,
// a day's items for the second short track. Numbers are written with
// FormatHebrewNumeral; one beyond 999 is written "?", which no entry may hold.
#pragma once
#include <cstddef>
#include <string>

#include "lessons/lesson_source.h"

// "<section> פרק <n>" for a chapter, "<section> חלק <n>" for a part.
std::string LongTrackWording(const StudyUnit& unit);

// The count units in order, each maximal run of one section written once:
// "<section> פרקים <a>-<b>", or "<section> פרק <n>" for a single unit
// ("חלקים"/"חלק" for parts); runs joined by ", ".
std::string UnitRunsWording(const StudyUnit* units, size_t count);

// The items in order, joined by ", ": commandments as "מ"ע <n>" (positive) or
// "ל"ת <n>" (negative), consecutive ones of one kind sharing one prefix; text
// items as given.
std::string CommandmentsWording(const std::vector<DayItem>& items);
