// Test double of the decompressor's message: counts instead of showing a box.
#pragma once
#include <cstdint>

// Times ShowBufferErrorAlert was called since the last reset.
int32_t BufferErrorAlertCount();
// Sets the count back to 0.
void ResetBufferErrorAlertCount();
