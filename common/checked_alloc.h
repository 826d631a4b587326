// Allocation that never hands back a failure: when memory runs out the program
// says so, saves its settings (once they are loaded) and ends at once.
#pragma once
#include <cstddef>

// A block of at least bytes bytes (bytes 0 gives a block of 1 byte); the
// caller owns it and releases it with free(). Never returns null: on failure
// the out-of-memory ending runs and the process ends without returning.
void* CheckedAlloc(size_t bytes);

// Registers the step that saves the settings in the out-of-memory ending
// (null: none). The settings code registers it once the settings are loaded,
// so that an earlier failure never writes an unloaded state over them.
void SetOutOfMemorySaver(void (*saveSettings)());

// The out-of-memory line of the console tools, which carry no string table
// (the window program shows its string table's message instead).
constexpr char kOutOfMemoryLine[] = "There is not enough memory, aborting\n";
