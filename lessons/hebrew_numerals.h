// Numbers of the lesson entries in Hebrew numerals (UTF-8, reading order),
// with the geresh and gershayim written as the ASCII ' and ".
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int32_t kMaxHebrewNumeral = 999;
// Longest numeral with its terminating zero: five letters of two bytes and ".
constexpr size_t kHebrewNumeralCapacity = 12;

// Writes n (1..999) zero-terminated into out (capacity bytes): one letter is
// followed by ' (א'); several letters have " before the last (י"ב, קכ"ד); 15
// and 16 end in ט"ו and ט"ז; 270, 272, 274, 275, 298 and 344 take their
// customary order (ע"ר, ער"ב, עד"ר, ער"ה, רח"צ, שד"מ); otherwise the letters
// run from the largest value to the smallest. Returns the length in bytes, or 0 (out untouched) when n is
// out of range or out is too small.
size_t FormatHebrewNumeral(int32_t n, char* out, size_t capacity);
