// String-table entries in the interface's language, read once each and kept
// for the run.
#include "common/ui_text.h"

#include <windows.h>

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

}  // namespace

void SetUiLanguage(UiLanguage language) { Language = language; }

UiLanguage CurrentUiLanguage() { return Language; }

bool UiRightToLeft() { return IsRightToLeft(Language); }

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
