// Settings persistence: the registry values of the current user, read once at
// start-up into AppState and written once at the end.
#pragma once
#include <cstdint>

#include "shell/platform_types.h"

// Product key under HKEY_CURRENT_USER (not under "software"): every setting.
extern const WideChar kProductKey[];
// Vendor key under HKEY_CURRENT_USER: "SurroundingGutter" only, never written.
extern const WideChar kVendorKey[];

// Largest value data, in bytes, that a non-REG_DWORD read accepts; a larger
// value reads as absent (its default).
constexpr uint32_t kMaxSettingBytes = 65536;

// Integer setting valueName under HKEY_CURRENT_USER\keyPath: a REG_DWORD as
// stored, any other type by the digit rule (shell/setting_digits.h); the
// default when the key or value cannot be read.
int32_t ReadSettingInt(const WideChar* keyPath, const WideChar* valueName, int32_t defaultValue);

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

// Fills App's font settings, LastPosition, Flags, Day (with DateRecord and
// DateText) and Lesson from the product key, with their defaults; from then on
// running out of memory saves the settings.
void LoadSettings();

// Writes the placement of window: "Top", "Left", "Width", "Height", "showCmd"
// (the restored position of a maximised or minimised window, in screen
// coordinates), and "PlacementDpi", the window's DPI, for which the sizes
// hold; nothing when its placement cannot be read.
void SaveWindowPlacement(WindowHandle window);

// Writes App's settings (skipping empty or zero ones as the table says),
// releases the view and posts WM_QUIT.
void SaveSettingsAndQuit();
