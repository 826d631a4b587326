// String-table entries in the interface's language, read once each and kept
// for the run.
#include "common/ui_text.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/checked_alloc.h"

namespace {

UiLanguage Language = UiLanguage::English;

// One text read from the string table; the list is searched from its head.
struct KeptText {
  uint32_t Id;
  UiLanguage Language;
  WideChar* Text;
  KeptText* Next;
};

KeptText* Kept = nullptr;

// Most units FormatMessage writes into a buffer of the caller's.
constexpr size_t kMostFormattedUnits = 32767;
// Units a wrapping entry may add to its text.
constexpr size_t kWrapRoom = 128;

// One entry as the module stores it: not terminated.
struct StoredEntry {
  const WCHAR* Units;
  size_t Length;
};

// Entry id of the string block in the resources of language (a language
// identifier); false when the block or a non-empty entry is missing. Each
// block holds 16 entries, each a length followed by that many units.
bool FindEntryIn(uint32_t id, WORD language, StoredEntry* entry) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const auto* units = loaded != nullptr ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
  if (units == nullptr) return false;
  const size_t total = SizeofResource(module, found) / sizeof(WCHAR);
  size_t at = 0;
  for (uint32_t index = 0; index < id % 16; ++index) {
    if (at >= total) return false;
    at += 1 + units[at];
  }
  if (at >= total || units[at] == 0 || at + 1 + units[at] > total) return false;
  *entry = {units + at + 1, units[at]};
  return true;
}

// Entry id in the interface's language, else in English; false when neither has it.
bool FindEntry(uint32_t id, StoredEntry* entry) {
  return FindEntryIn(id, UiLanguageId(Language), entry) ||
         FindEntryIn(id, UiLanguageId(UiLanguage::English), entry);
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

void SetUiLanguage(UiLanguage language) { Language = language; }

UiLanguage CurrentUiLanguage() { return Language; }

bool UiRightToLeft() { return IsRightToLeft(Language); }

uint32_t UiDateLocale() {
  if (Language == UiLanguage::English) return LOCALE_USER_DEFAULT;
  return MAKELCID(UiLanguageId(Language), SORT_DEFAULT);
}

size_t CopyUiText(uint32_t id, WideChar* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return 0;
  StoredEntry entry = {};
  if (!FindEntry(id, &entry) || entry.Length + 1 > capacity) {
    out[0] = 0;
    return 0;
  }
  memcpy(out, entry.Units, entry.Length * sizeof(WideChar));
  out[entry.Length] = 0;
  return entry.Length;
}

const WideChar* UiText(uint32_t id) {
  for (const KeptText* kept = Kept; kept != nullptr; kept = kept->Next) {
    if (kept->Id == id && kept->Language == Language) return kept->Text;
  }
  StoredEntry entry = {};
  if (!FindEntry(id, &entry)) return L"";
  auto* text = static_cast<WideChar*>(CheckedAlloc((entry.Length + 1) * sizeof(WideChar)));
  auto* kept = static_cast<KeptText*>(CheckedAlloc(sizeof(KeptText)));
  memcpy(text, entry.Units, entry.Length * sizeof(WideChar));
  text[entry.Length] = 0;
  *kept = {id, Language, text, Kept};
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
