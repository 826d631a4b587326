#include "lessons/lesson_source.h"

namespace {

// The text split at separator (empty fields kept).
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    fields.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return fields;
    start = end + 1;
  }
}

// The UTF-8 byte-order mark that some editors write at the start of a file.
const char kByteOrderMark[] = "\xEF\xBB\xBF";

// The lines of text without a byte-order mark at its start and without their
// line ends (LF or CR LF); a final line end gives no empty last line.
std::vector<std::string> Lines(const std::string& text) {
  const size_t mark = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
  std::vector<std::string> lines = Split(text.substr(mark), '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  for (std::string& line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return lines;
}

// The decimal number in text (1 to 6 digits, no sign, no leading zero) in
// *value; false if text is not such a number.
bool ParseNumber(const std::string& text, int32_t* value) {
  if (text.empty() || text.size() > 6 || (text[0] == '0' && text.size() > 1)) return false;
  int32_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  *value = n;
  return true;
}

// Sets *error to line and reason and returns false.
bool Fail(SourceError* error, size_t line, const std::string& reason) {
  error->Line = static_cast<int32_t>(line);
  error->Reason = reason;
  return false;
}

// Reads one item of a day ("P12", "N301", "T:text") into *item; false with a
// reason in *reason otherwise.
bool ParseItem(const std::string& text, DayItem* item, std::string* reason) {
  if (text.compare(0, 2, "T:") == 0) {
    item->Kind = ItemKind::Text;
    item->Number = 0;
    item->Text = text.substr(2);
    if (item->Text.empty()) *reason = "empty text item";
    return !item->Text.empty();
  }
  if (text.empty() || (text[0] != 'P' && text[0] != 'N')) {
    *reason = "item \"" + text + "\" is not P<n>, N<n> or T:<text>";
    return false;
  }
  item->Kind = text[0] == 'P' ? ItemKind::Positive : ItemKind::Negative;
  int32_t limit = text[0] == 'P' ? kPositiveCommandments : kNegativeCommandments;
  if (!ParseNumber(text.substr(1), &item->Number) || item->Number < 1 || item->Number > limit) {
    *reason = "item \"" + text + "\": the number must be 1.." + std::to_string(limit);
    return false;
  }
  return true;
}

}  // namespace

bool ParseStudyUnits(const std::string& text, std::vector<StudyUnit>* units, SourceError* error) {
  std::vector<std::string> lines = Lines(text);
  units->clear();
  if (lines.empty() || lines[0] != "unit\tbook\tbook_name\tsection\tkind\tnumber") {
    return Fail(error, 1, "the header must be unit, book, book_name, section, kind, number");
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    size_t line = i + 1;
    std::vector<std::string> fields = Split(lines[i], '\t');
    if (fields.size() != 6) return Fail(error, line, "expected 6 tab-separated fields");
    int32_t unit = 0;
    int32_t book = 0;
    if (!ParseNumber(fields[0], &unit) || unit != static_cast<int32_t>(units->size()) + 1) {
      return Fail(error, line, "unit must be " + std::to_string(units->size() + 1));
    }
    if (!ParseNumber(fields[1], &book)) return Fail(error, line, "book is not a number");
    StudyUnit entry;
    entry.Line = static_cast<int32_t>(line);
    entry.Section = fields[3];
    if (entry.Section.empty()) return Fail(error, line, "empty section");
    if (fields[4] == "chapter") {
      entry.Kind = UnitKind::Chapter;
    } else if (fields[4] == "part") {
      entry.Kind = UnitKind::Part;
    } else {
      return Fail(error, line, "kind must be chapter or part");
    }
    bool continues = !units->empty() && units->back().Section == entry.Section;
    if (continues && units->back().Kind != entry.Kind) {
      return Fail(error, line, "kind differs from the section's previous unit");
    }
    int32_t expected = continues ? units->back().Number + 1 : 1;
    if (!ParseNumber(fields[5], &entry.Number) || entry.Number != expected) {
      return Fail(error, line, "number must be " + std::to_string(expected));
    }
    units->push_back(entry);
  }
  return true;
}

bool ParseCommandmentDays(const std::string& text, std::vector<CommandmentDay>* days,
                          SourceError* error) {
  std::vector<std::string> lines = Lines(text);
  days->clear();
  if (lines.empty() || lines[0] != "day\titems\tstatus") {
    return Fail(error, 1, "the header must be day, items, status");
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    size_t line = i + 1;
    std::vector<std::string> fields = Split(lines[i], '\t');
    if (fields.size() != 3) return Fail(error, line, "expected 3 tab-separated fields");
    int32_t day = 0;
    if (!ParseNumber(fields[0], &day) || day != static_cast<int32_t>(days->size()) + 1) {
      return Fail(error, line, "day must be " + std::to_string(days->size() + 1));
    }
    if (fields[2] != "found" && fields[2] != "inferred") {
      return Fail(error, line, "status must be found or inferred");
    }
    CommandmentDay entry;
    entry.Line = static_cast<int32_t>(line);
    for (const std::string& field : Split(fields[1], ';')) {
      DayItem item;
      std::string reason;
      if (!ParseItem(field, &item, &reason)) return Fail(error, line, reason);
      entry.Items.push_back(item);
    }
    days->push_back(entry);
  }
  return true;
}
