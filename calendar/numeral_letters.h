// Numbers in Hebrew numerals: the letters of a number as 7-bit letter bytes
// (0x61..0x7B, see lessons/text_stream.h) in reading order, largest value first.
// The date text and the lesson wording both write their numbers with them.
#pragma once
#include <cstdint>

// Largest number written, and the most letters it takes (999: tav, tav, qof,
// tsadi, tet).
constexpr int32_t kMaxNumeralValue = 1000;
constexpr int32_t kMaxNumeralLetters = 5;

// Where a numeral is written: the Hebrew date, or a lesson entry, whose
// published listing writes 304 in the plain order (shin, dalet).
enum class NumeralUse { Date, Lesson };

// Writes the letters of n (1..kMaxNumeralValue), zero-terminated, into out
// (room for kMaxNumeralLetters + 1 bytes): the hundreds (tav repeated above
// 400), then tens and units, 15 and 16 as nine and six, nine and seven; 270,
// 272, 274, 275, 298, 344 and, in dates, 304 in their customary order, which
// spells no word. Returns the number of letters, or 0 (out untouched) for n
// outside the range.
int32_t NumeralLetters(int32_t n, NumeralUse use, char* out);

// Writes the letters of n as NumeralLetters does for use, with the numeral's
// mark in ASCII: ' after a single letter (alef'), " before the last of several
// (yod"bet, tet"vav), zero-terminated into out (room for kMaxNumeralLetters + 2
// bytes). Returns the bytes written before the zero (letters and mark), or 0
// (out untouched) for n outside the range.
int32_t MarkedNumeralLetters(int32_t n, NumeralUse use, char* out);
