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
