// The interface's texts: entries of the resource script's string table (ids
// in resources/resource.h), so that no text of the window program is written
// in code.
#pragma once
#include <cstdint>

#include "common/platform_types.h"

// The zero-terminated text of string-table entry id from the program's
// module; valid until the end of the run. A missing entry gives "", never null.
const WideChar* UiText(uint32_t id);
