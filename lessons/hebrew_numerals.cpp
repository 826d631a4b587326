#include "lessons/hebrew_numerals.h"

#include <cstring>

namespace {

// UTF-8 of the letters by value; index 0 is unused.
const char* const kOnes[10] = {"", "א", "ב", "ג", "ד", "ה", "ו", "ז", "ח", "ט"};
const char* const kTens[10] = {"", "י", "כ", "ל", "מ", "נ", "ס", "ע", "פ", "צ"};
const char* const kHundreds[5] = {"", "ק", "ר", "ש", "ת"};
constexpr size_t kLetterBytes = 2;  // every Hebrew letter is two bytes of UTF-8

// Numbers whose letters are customarily written in another order, so as not
// to spell a word: the same forms as the years of the Hebrew date text.
struct CustomaryForm {
  int32_t value;
  const char* letters;
};
const CustomaryForm kCustomaryForms[] = {
    {270, "ער"}, {272, "ערב"}, {274, "עדר"}, {275, "ערה"}, {298, "רחצ"}, {344, "שדמ"},
};

// The letters of n (1..999) in reading order, zero-terminated; returns their bytes.
size_t NumeralLetters(int32_t n, char* letters) {
  for (const CustomaryForm& form : kCustomaryForms) {
    if (form.value == n) return strlen(strcpy(letters, form.letters));
  }
  size_t length = 0;
  int32_t hundreds = n / 100;
  for (; hundreds > 4; hundreds -= 4) length += strlen(strcpy(letters + length, kHundreds[4]));
  length += strlen(strcpy(letters + length, kHundreds[hundreds]));
  int32_t rest = n % 100;
  if (rest == 15 || rest == 16) {
    length += strlen(strcpy(letters + length, kOnes[9]));
    length += strlen(strcpy(letters + length, kOnes[rest - 9]));
  } else {
    length += strlen(strcpy(letters + length, kTens[rest / 10]));
    length += strlen(strcpy(letters + length, kOnes[rest % 10]));
  }
  return length;
}

}  // namespace

size_t FormatHebrewNumeral(int32_t n, char* out, size_t capacity) {
  if (n < 1 || n > kMaxHebrewNumeral) return 0;
  char letters[kHebrewNumeralCapacity] = {};
  size_t length = NumeralLetters(n, letters);
  size_t total = length + 1;  // one mark
  if (total + 1 > capacity) return 0;
  if (length == kLetterBytes) {
    memcpy(out, letters, length);
    out[length] = '\'';
  } else {
    size_t head = length - kLetterBytes;
    memcpy(out, letters, head);
    out[head] = '"';
    memcpy(out + head + 1, letters + head, kLetterBytes);
  }
  out[total] = 0;
  return total;
}
