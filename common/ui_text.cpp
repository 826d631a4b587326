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
