#include "lessons/hebrew_numerals.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/numeral_letters.h"
#include "lessons/seven_bit_text.h"

size_t FormatHebrewNumeral(int32_t n, char* out, size_t capacity) {
  if (n < 1 || n > kMaxHebrewNumeral) return 0;
  char marked[kMaxNumeralLetters + 2];
  const int32_t count = MarkedNumeralLetters(n, NumeralUse::Lesson, marked);
  std::vector<uint8_t> display(marked, marked + count);
  std::reverse(display.begin(), display.end());
  std::string utf8;
  if (!DisplayBytesToUtf8(display.data(), display.size(), &utf8, nullptr)) return 0;
  if (utf8.size() + 1 > capacity) return 0;
  memcpy(out, utf8.c_str(), utf8.size() + 1);
  return utf8.size();
}
