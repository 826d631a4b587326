#include "lessons/hebrew_numerals.h"

#include <cstring>
#include <string>
#include <vector>

#include "calendar/numeral_letters.h"
#include "lessons/seven_bit_text.h"

size_t FormatHebrewNumeral(int32_t n, char* out, size_t capacity) {
  if (n < 1 || n > kMaxHebrewNumeral) return 0;
  char letters[kMaxNumeralLetters + 1];
  const int32_t count = NumeralLetters(n, NumeralUse::Lesson, letters);
  // The 7-bit numeral with its mark, in reading order: a geresh after a single
  // letter, gershayim before the last of several.
  std::string marked(letters, static_cast<size_t>(count));
  marked.insert(count == 1 ? marked.end() : marked.end() - 1, count == 1 ? '\'' : '"');
  const std::vector<uint8_t> display(marked.rbegin(), marked.rend());
  std::string utf8;
  if (!DisplayBytesToUtf8(display.data(), display.size(), &utf8, nullptr)) return 0;
  if (utf8.size() + 1 > capacity) return 0;
  memcpy(out, utf8.c_str(), utf8.size() + 1);
  return utf8.size();
}
