#include "common/wide_text.h"

#include <cstdint>
#include <cstring>

size_t WidenBytes(WideChar* buffer, size_t capacity, const char* text, size_t count) {
  if (!buffer || capacity == 0) return 0;
  size_t length = 0;
  while (text && length < count && text[length] != 0) {
    if (length + 1 >= capacity) {
      memset(buffer, 0, capacity * sizeof(WideChar));
      return 0;
    }
    buffer[length] = static_cast<WideChar>(static_cast<int8_t>(text[length]));
    ++length;
  }
  buffer[length] = 0;
  return length;
}

size_t WidenAscii(WideChar* buffer, size_t capacity, const char* text) {
  return WidenBytes(buffer, capacity, text, SIZE_MAX);
}

size_t FillTextPattern(WideChar* out, size_t capacity, const WideChar* pattern,
                       const WideChar* const* values, size_t count) {
  if (!out || capacity == 0) return 0;
  size_t length = 0;
  // Appends one unit; false (and out emptied) when it and the zero do not fit.
  auto append = [&](WideChar unit) {
    if (length + 1 >= capacity) {
      length = 0;
      return false;
    }
    out[length++] = unit;
    return true;
  };
  bool fits = true;
  for (const WideChar* at = pattern; fits && at && *at != 0; ++at) {
    const size_t marker = (at[0] == u'%' && at[1] >= u'1' && at[1] <= u'9')
                              ? static_cast<size_t>(at[1] - u'1') + 1 : 0;
    if (marker == 0 || marker > count) {
      fits = append(*at);
      continue;
    }
    for (const WideChar* value = values[marker - 1]; fits && value && *value != 0; ++value) {
      fits = append(*value);
    }
    ++at;  // past the digit
  }
  out[fits ? length : 0] = 0;
  return fits ? length : 0;
}
