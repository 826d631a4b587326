// Stands in for the platform's ShowBufferErrorAlert: a test program that links
// this object never links the platform's message box (its own object file).
#include "tests/fakes/buffer_error_alert_fake.h"

#include "lessons/buffer_error_alert.h"

namespace {
int32_t AlertCount = 0;
}  // namespace

void ShowBufferErrorAlert() { ++AlertCount; }

int32_t BufferErrorAlertCount() { return AlertCount; }

void ResetBufferErrorAlertCount() { AlertCount = 0; }
