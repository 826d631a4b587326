// Numbers of the lesson entries in Hebrew numerals (UTF-8, reading order),
// with the geresh and gershayim written as the ASCII ' and ".
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int32_t kMaxHebrewNumeral = 999;
// Longest numeral with its terminating zero: five letters of two bytes and ".
constexpr size_t kHebrewNumeralCapacity = 12;

// Writes n (1..999) zero-terminated into out (capacity bytes): the letters of
// NumeralLetters for lessons (15 as ט"ו, 270 as ע"ר, 304 as ש"ד), one letter followed by ' (א'),
// several with " before the last (י"ב, קכ"ד). Returns the length in bytes, or
// 0 (out untouched) when n is out of range or out is too small.
size_t FormatHebrewNumeral(int32_t n, char* out, size_t capacity);
