#include "common/setting_digits.h"

int32_t ParseSettingDigits(const WideChar* text, size_t count) {
  // Unsigned arithmetic gives the wrap-around without overflow.
  uint32_t r = 0;
  for (size_t i = 0; i < count && text[i] != 0; ++i) {
    r = r * 10u + (static_cast<uint32_t>(static_cast<uint16_t>(text[i])) - 0x30u);
  }
  return static_cast<int32_t>(r);
}
