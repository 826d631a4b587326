// The Color mode menu: the colour mode of each of its items, and the radio
// mark on the user's choice.
#pragma once
#include <windows.h>

#include <cstdint>

// The choice (a kColourMode* value of view/palette.h) of Color mode menu
// command id; false for any other command.
bool ColourModeOfCommand(uint32_t id, uint32_t* mode);

// Puts the radio mark of menu on the item of App.ColourMode (System for a
// value the menu does not offer).
void MarkChosenColourMode(HMENU menu);
