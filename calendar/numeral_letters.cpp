#include "calendar/numeral_letters.h"

#include <cstring>

namespace {

// Letters of the units 1..9, the tens 10..90 and the hundreds 100..400.
constexpr char kOnes[] = "abcdefghi";
constexpr char kTens[] = "jlmoqrsuw";
constexpr char kHundreds[] = "xyz{";
constexpr char kNine = 'i';

// Numbers written in an order of their own, in reading order.
struct CustomaryNumeral {
  int32_t Value;
  char Letters[4];
  bool DatesOnly;  // the lesson entries write the plain order
};
constexpr CustomaryNumeral kCustomaryNumerals[] = {
    {270, "sy", false},  {272, "syb", false}, {274, "sdy", false}, {275, "sye", false},
    {298, "yhw", false}, {304, "dz", true},   {344, "zdo", false},
};

}  // namespace

int32_t NumeralLetters(int32_t n, NumeralUse use, char* out) {
  if (n < 1 || n > kMaxNumeralValue) return 0;
  for (const CustomaryNumeral& customary : kCustomaryNumerals) {
    if (customary.Value == n && (use == NumeralUse::Date || !customary.DatesOnly)) {
      strcpy(out, customary.Letters);
      return static_cast<int32_t>(strlen(out));
    }
  }
  int32_t length = 0;
  int32_t hundreds = n / 100;
  for (; hundreds > 4; hundreds -= 4) out[length++] = kHundreds[3];
  if (hundreds > 0) out[length++] = kHundreds[hundreds - 1];
  const int32_t rest = n % 100;
  if (rest == 15 || rest == 16) {  // not yod-he and yod-vav
    out[length++] = kNine;
    out[length++] = kOnes[rest - 9 - 1];
  } else {
    if (rest >= 10) out[length++] = kTens[rest / 10 - 1];
    if (rest % 10 != 0) out[length++] = kOnes[rest % 10 - 1];
  }
  out[length] = 0;
  return length;
}

int32_t MarkedNumeralLetters(int32_t n, NumeralUse use, char* out) {
  char letters[kMaxNumeralLetters + 1];
  const int32_t count = NumeralLetters(n, use, letters);
  if (count == 0) return 0;
  const int32_t before = count == 1 ? 1 : count - 1;  // letters before the mark
  memcpy(out, letters, static_cast<size_t>(before));
  out[before] = count == 1 ? '\'' : '"';
  memcpy(out + before + 1, letters + before, static_cast<size_t>(count - before) + 1);
  return count + 1;
}
