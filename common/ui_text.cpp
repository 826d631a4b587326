// String-table entries, read once each and kept for the run.
#include "common/ui_text.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

// One text read from the string table; the list is searched from its head.
struct KeptText {
  uint32_t Id;
  WideChar* Text;
  KeptText* Next;
};

KeptText* Kept = nullptr;

// Most units FormatMessage writes into a buffer of the caller's.
constexpr size_t kMostFormattedUnits = 32767;
// Units a wrapping entry may add to its text.
constexpr size_t kWrapRoom = 128;

// A copy of entry id, zero-terminated; null when there is no such entry or
// no memory for the copy.
WideChar* ReadEntry(uint32_t id) {
  const wchar_t* resource = nullptr;
  // With no buffer length, LoadStringW gives the entry's place in the module,
  // not terminated, and its length.
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&resource), 0);
  if (length <= 0 || resource == nullptr) return nullptr;
  auto* copy = static_cast<WideChar*>(malloc((static_cast<size_t>(length) + 1) * sizeof(WideChar)));
  if (copy == nullptr) return nullptr;
  memcpy(copy, resource, static_cast<size_t>(length) * sizeof(WideChar));
  copy[length] = 0;
  return copy;
}

// True when every insert %n of pattern has n <= count, so that FormatMessage
// reads no argument beyond the array.
bool InsertsWithin(const WideChar* pattern, size_t count) {
  for (const WideChar* c = pattern; *c != 0; ++c) {
    if (*c != L'%') continue;
    if (c[1] == L'%') {
      ++c;
      continue;
    }
    size_t n = 0;
    while (c[1] >= L'0' && c[1] <= L'9' && n <= count) n = n * 10 + static_cast<size_t>(*++c - L'0');
    if (n > count) return false;
  }
  return true;
}

}  // namespace

const WideChar* UiText(uint32_t id) {
  for (const KeptText* kept = Kept; kept != nullptr; kept = kept->Next) {
    if (kept->Id == id) return kept->Text;
  }
  WideChar* text = ReadEntry(id);
  if (text == nullptr) return L"";
  auto* kept = static_cast<KeptText*>(malloc(sizeof(KeptText)));
  if (kept == nullptr) {
    free(text);
    return L"";
  }
  *kept = {id, text, Kept};
  Kept = kept;
  return text;
}

size_t FormatUiText(WideChar* out, size_t capacity, uint32_t id, const uintptr_t* inserts,
                    size_t count) {
  if (out == nullptr || capacity == 0) return 0;
  out[0] = 0;
  const WideChar* pattern = UiText(id);
  if (pattern[0] == 0 || (count > 0 && inserts == nullptr) || !InsertsWithin(pattern, count)) {
    return 0;
  }
  static_assert(sizeof(DWORD_PTR) == sizeof(uintptr_t), "one argument slot per insert");
  auto* arguments = reinterpret_cast<va_list*>(const_cast<uintptr_t*>(inserts));
  // FormatMessage writes at most 64 KB into a buffer of the caller's.
  const size_t room = capacity < kMostFormattedUnits ? capacity : kMostFormattedUnits;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                      pattern, 0, 0, out, static_cast<DWORD>(room), arguments);
  if (length == 0 || length >= room) {
    out[0] = 0;
    return 0;
  }
  return length;
}

WideChar* WrapInUiText(uint32_t id, WideChar* text) {
  if (text == nullptr) return nullptr;
  size_t length = 0;
  while (text[length] != 0) ++length;
  const size_t capacity = length + kWrapRoom;
  auto* wrapped = static_cast<WideChar*>(malloc(capacity * sizeof(WideChar)));
  const uintptr_t inserts[] = {UiInsertText(text)};
  if (wrapped == nullptr || FormatUiText(wrapped, capacity, id, inserts, 1) == 0) {
    free(wrapped);
    return text;
  }
  free(text);
  return wrapped;
}
