// The lesson data as maintained in resources/lessons/ (UTF-8, tab-separated,
// one header line; a byte-order mark at the start is skipped): the study units
// of the long cycle and the commandments of each day of the 339-day track,
// read and checked line by line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t kPositiveCommandments = 248;
constexpr int32_t kNegativeCommandments = 365;

enum class UnitKind { Chapter, Part };

// One row of units.tsv: a chapter or a part of a section.
struct StudyUnit {
  int32_t Line;         // 1-based line in the file
  std::string Section;  // Hebrew name of the section, UTF-8
  UnitKind Kind;
  int32_t Number;       // 1.. within its section
};

enum class ItemKind { Positive, Negative, Text };

// One item of a day of commandments.tsv.
struct DayItem {
  ItemKind Kind;
  int32_t Number;    // commandment number (Positive, Negative)
  std::string Text;  // UTF-8 text as it is shown (Text)
};

// One row of commandments.tsv.
struct CommandmentDay {
  int32_t Line;  // 1-based line in the file
  std::vector<DayItem> Items;
};

// Where and why the data could not be read.
struct SourceError {
  int32_t Line;        // 1-based line of the fault
  std::string Reason;
};

// Reads units.tsv text: header "unit book book_name section kind number",
// six fields a line, units numbered 1, 2, ... in order, book a number, section
// not empty, kind "chapter" or "part" and the same within a run of one
// section, whose numbers run 1, 2, ... On failure returns false with the first
// fault in *error.
bool ParseStudyUnits(const std::string& text, std::vector<StudyUnit>* units, SourceError* error);

// Reads commandments.tsv text: header "day items status", three fields a
// line, days numbered 1, 2, ..., items "P<n>" (1..248), "N<n>" (1..365) or
// "T:<text>" (text not empty) separated by ";", status "found" or "inferred".
// On failure returns false with the first fault in *error.
bool ParseCommandmentDays(const std::string& text, std::vector<CommandmentDay>* days,
                          SourceError* error);
