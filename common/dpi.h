// Display scaling. The program is designed in pixels at 96 dots per inch;
// every length it draws on the screen is scaled to the DPI of the window it
// draws in. The window's DPI comes from the system's per-monitor functions
// where the system has them, otherwise from the system-wide DPI.
#pragma once
#include <cstdint>

#include "common/platform_types.h"

// The DPI the program's lengths are given for (100 % scaling).
constexpr int32_t kDefaultDpi = 96;

// length (pixels at 96 DPI) at dpi, rounded to the nearest pixel; a dpi of 0
// or less stands for 96, so the length is kept.
inline int32_t ScaleToDpi(int32_t length, int32_t dpi) {
  if (dpi <= 0 || dpi == kDefaultDpi) return length;
  const int64_t scaled = static_cast<int64_t>(length) * dpi;
  const int64_t half = scaled < 0 ? -kDefaultDpi / 2 : kDefaultDpi / 2;
  const int64_t result = (scaled + half) / kDefaultDpi;
  if (result > INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(result < INT32_MIN ? INT32_MIN : result);
}

// Thickness in pixels at dpi of a line one pixel thick at 96 DPI: the text's
// rules, the calendar's grid lines and frames; never below 1.
inline int32_t LineWidthForDpi(int32_t dpi) {
  const int32_t width = ScaleToDpi(1, dpi);
  return width < 1 ? 1 : width;
}

// DPI of window (the monitor it is on, for a program aware of each
// monitor's scaling); the system DPI where the system cannot tell.
int32_t WindowDpi(WindowHandle window);

// System metric index (SM_...) as the system draws it at dpi; where the
// system cannot say, as it draws it at the system DPI.
int32_t SystemMetricForDpi(int32_t index, int32_t dpi);

// Width and height that the frame, caption and menu bar of a window of the
// given styles add to its client area at dpi.
void WindowFrameForDpi(uint32_t style, uint32_t extendedStyle, int32_t dpi, int32_t* width,
                       int32_t* height);
