// The language of the interface: the user's choice kept in the settings
// ("Language" of the product key), and the language it gives on a system with
// a given display language. Portable; the Win32 side reads the system's
// language and loads the resource blocks of the language resolved here.
#pragma once
#include <cstdint>

// The languages the resource script has blocks for.
enum class UiLanguage : uint8_t { English, Hebrew };

// Stored values of the choice: the language identifier of the block to show,
// or 0 for the system's display language.
constexpr uint32_t kLanguageAutomatic = 0;
constexpr uint32_t kLanguageEnglish = 0x0409;  // English (United States), the fallback blocks
constexpr uint32_t kLanguageHebrew = 0x040D;   // Hebrew (Israel)

// A stored choice as the program takes it: one of the three values above;
// anything else (damaged or written by someone else) is Automatic.
uint32_t UsableLanguageChoice(uint32_t stored);

// The language shown for choice (taken as UsableLanguageChoice does) on a
// system whose display language is systemLanguage (a language identifier, as
// GetUserDefaultUILanguage gives it; 0 when unknown): the chosen one, or for
// Automatic Hebrew when the system's primary language is Hebrew, else English.
UiLanguage ResolveUiLanguage(uint32_t choice, uint32_t systemLanguage);

// The language identifier of language's resource blocks.
uint16_t UiLanguageId(UiLanguage language);

// True for a language written from right to left, whose windows are mirrored.
bool IsRightToLeft(UiLanguage language);
