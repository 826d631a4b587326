// Reading and writing the program's values in the registry of the current
// user (advapi32).
#include "common/registry_values.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "common/checked_alloc.h"
#include "common/setting_digits.h"

const WideChar kProductKey[] = L"Thalvane\\Zelvan-Quenterbil-Hebrew";
const WideChar kVendorKey[] = L"software\\Thalvane";

namespace {

// Reads the data of value name (byteCount bytes as reported by the size
// query) into a new buffer of wide characters, zero-terminated after the
// data's whole characters (an odd last byte is dropped); *chars receives that
// character count. Null when the value is larger than kMaxSettingBytes or
// cannot be read, or has changed size since the query. Caller frees.
WideChar* ReadValueData(HKEY key, const WideChar* name, DWORD byteCount, size_t* chars) {
  if (byteCount > kMaxSettingBytes) return nullptr;
  // Whole characters of the data plus one for the terminating zero.
  size_t capacity = (static_cast<size_t>(byteCount) + 1) / 2 + 1;
  WideChar* text = static_cast<WideChar*>(CheckedAlloc(capacity * sizeof(WideChar)));
  memset(text, 0, capacity * sizeof(WideChar));
  DWORD bytes = byteCount;
  LONG status = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &bytes);
  if (status != ERROR_SUCCESS || bytes > byteCount) {
    free(text);
    return nullptr;
  }
  *chars = bytes / 2;
  text[*chars] = 0;
  return text;
}

// Sets one value of the product key (created when missing). 1 on success, 0 on failure.
int32_t WriteValue(const WideChar* name, DWORD type, const void* data, DWORD bytes) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  LONG status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? 1 : 0;
}

}  // namespace

bool ReadSettingDword(const WideChar* keyPath, const WideChar* valueName, uint32_t* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0, data = 0, bytes = sizeof data;
  const LONG status =
      RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&data), &bytes);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD || bytes != sizeof data) return false;
  *value = data;
  return true;
}

int32_t ReadSettingInt(const WideChar* keyPath, const WideChar* valueName, int32_t defaultValue) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return defaultValue;
  }
  int32_t result = defaultValue;
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    if (type == REG_DWORD) {
      // A REG_DWORD whose data is not 4 bytes long reads as absent.
      DWORD value = 0;
      DWORD bytes = sizeof value;
      if (size == sizeof value &&
          RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                           &bytes) == ERROR_SUCCESS &&
          type == REG_DWORD && bytes == sizeof value) {
        result = static_cast<int32_t>(value);
      }
    } else {
      size_t chars = 0;
      WideChar* text = ReadValueData(key, valueName, size, &chars);
      if (text) {
        result = ParseSettingDigits(text, chars);
        free(text);
      }
    }
  }
  RegCloseKey(key);
  return result;
}

WideChar* ReadSettingString(const WideChar* valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  WideChar* text = nullptr;
  DWORD size = 0;
  if (RegQueryValueExW(key, valueName, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
    size_t chars = 0;
    text = ReadValueData(key, valueName, size, &chars);
  }
  RegCloseKey(key);
  return text;
}

bool SettingPresent(const WideChar* valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  bool present = RegQueryValueExW(key, valueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return present;
}

int32_t WriteSettingDword(const WideChar* valueName, uint32_t value) {
  DWORD data = value;
  return WriteValue(valueName, REG_DWORD, &data, sizeof data);
}

int32_t WriteSettingString(const WideChar* valueName, const WideChar* text) {
  size_t length = wcslen(text);
  if (length >= kMaxSettingBytes / sizeof(WideChar)) return 0;
  return WriteValue(valueName, REG_SZ, text, static_cast<DWORD>((length + 1) * sizeof(WideChar)));
}

int32_t WriteSettingBinary(const WideChar* valueName, const void* data, uint32_t byteCount) {
  return WriteValue(valueName, REG_BINARY, data, byteCount);
}
