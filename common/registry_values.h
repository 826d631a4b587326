// The program's values in the registry of the current user: where they live,
// and reading and writing one value.
#pragma once
#include <cstdint>

#include "common/platform_types.h"

// Product key under HKEY_CURRENT_USER (not under "software"): every setting.
extern const WideChar kProductKey[];
// Vendor key under HKEY_CURRENT_USER: "SurroundingGutter" only, never written.
extern const WideChar kVendorKey[];

// Largest value data, in bytes, that a non-REG_DWORD read accepts; a larger
// value reads as absent (its default).
constexpr uint32_t kMaxSettingBytes = 65536;

// Integer setting valueName under HKEY_CURRENT_USER\keyPath: a REG_DWORD as
// stored, any other type by the digit rule (common/setting_digits.h); the
// default when the key or value cannot be read.
int32_t ReadSettingInt(const WideChar* keyPath, const WideChar* valueName, int32_t defaultValue);

// Value valueName under HKEY_CURRENT_USER\keyPath into *value when it is a
// REG_DWORD; false (and *value untouched) when it is missing, of another type
// or cannot be read.
bool ReadSettingDword(const WideChar* keyPath, const WideChar* valueName, uint32_t* value);

// Value valueName of the product key as a new zero-terminated wide string,
// whatever its type; null when it cannot be read. The caller releases it with free().
WideChar* ReadSettingString(const WideChar* valueName);

// True if the product key holds a value valueName, of any type.
bool SettingPresent(const WideChar* valueName);

// Write one value of the product key, creating the key when missing.
// 1 on success, 0 on failure.
int32_t WriteSettingDword(const WideChar* valueName, uint32_t value);
int32_t WriteSettingString(const WideChar* valueName, const WideChar* text);
int32_t WriteSettingBinary(const WideChar* valueName, const void* data, uint32_t byteCount);
