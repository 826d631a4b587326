// The Language menu: which language the interface speaks for the user's
// choice, and the choice's item in the menu.
#pragma once
#include <windows.h>

#include <cstdint>

// Makes the interface speak the language of App.LanguageChoice on this
// system (its display language for Automatic).
void UseChosenLanguage();

// The choice (a kLanguage* value) of Language menu command id, or
// kLanguageAutomatic for IDC_LANGUAGE_AUTOMATIC; false for any other command.
bool LanguageChoiceOfCommand(uint32_t id, uint32_t* choice);

// Puts the radio mark of menu on the item of App.LanguageChoice (Automatic
// for a value the menu does not offer).
void MarkChosenLanguage(HMENU menu);
