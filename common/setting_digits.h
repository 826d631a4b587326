// The digit rule by which a registry value that is not a REG_DWORD becomes an
// integer setting.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"

// Integer value of the wide text at text: r = r * 10 + (ch - '0') for each
// character before the first zero character or the end of count characters,
// with 32-bit wrap-around. No character is rejected and no sign is read, so
// "25" gives 25 and an empty text 0. Reads at most count characters; text may
// be null when count is 0.
int32_t ParseSettingDigits(const WideChar* text, size_t count);
