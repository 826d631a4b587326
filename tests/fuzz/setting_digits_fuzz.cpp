// Feeds the digit rule arbitrary wide strings: it must read no character at
// or past the count, and the result must follow the rule's arithmetic.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/setting_digits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t count = size / sizeof(WideChar);
  // An exact-size heap copy without a terminator: a read past count is an error.
  WideChar* text = static_cast<WideChar*>(malloc(count * sizeof(WideChar) + 1));
  if (!text) return 0;
  memcpy(text, data, count * sizeof(WideChar));
  int32_t whole = ParseSettingDigits(text, count);

  // Splitting the text anywhere: r(a b) = r(a) * 10^|b| + r(b) modulo 2^32,
  // as long as a holds no zero character.
  size_t split = count == 0 ? 0 : static_cast<size_t>(data[0]) % (count + 1);
  bool zeroInHead = false;
  for (size_t i = 0; i < split; ++i) zeroInHead |= text[i] == 0;
  if (!zeroInHead) {
    uint32_t head = static_cast<uint32_t>(ParseSettingDigits(text, split));
    uint32_t scale = 1;
    size_t tailLength = 0;
    while (split + tailLength < count && text[split + tailLength] != 0) ++tailLength;
    for (size_t i = 0; i < tailLength; ++i) scale *= 10u;
    uint32_t tail = static_cast<uint32_t>(ParseSettingDigits(text + split, count - split));
    if (static_cast<uint32_t>(whole) != head * scale + tail) abort();
  }
  // A text of decimal digits up to 9 long gives exactly its number.
  size_t digits = 0;
  uint32_t number = 0;
  while (digits < count && digits < 9 && text[digits] >= u'0' && text[digits] <= u'9') {
    number = number * 10u + static_cast<uint32_t>(text[digits] - u'0');
    ++digits;
  }
  if (digits > 0 && ParseSettingDigits(text, digits) != static_cast<int32_t>(number)) abort();
  free(text);
  return 0;
}
