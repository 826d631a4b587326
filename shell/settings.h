// Settings persistence: the registry values of the current user, read once at
// start-up into AppState and written once at the end.
#pragma once
#include <cstdint>

#include "common/platform_types.h"
#include "common/registry_values.h"

// Fills App's font settings, LastPosition, Flags, Day (with DateRecord and
// DateText), Lesson, LanguageChoice and ColourMode (as stored) from the product key, with their defaults; from then on running out of memory
// saves the settings.
void LoadSettings();

// Writes the placement of window: "Top", "Left", "Width", "Height", "showCmd"
// (the restored position of a maximised or minimised window, in screen
// coordinates), and "PlacementDpi", the window's DPI, for which the sizes
// hold; nothing when its placement cannot be read.
void SaveWindowPlacement(WindowHandle window);

// Writes App's settings (skipping empty or zero ones as the table says),
// releases the view and posts WM_QUIT.
void SaveSettingsAndQuit();
