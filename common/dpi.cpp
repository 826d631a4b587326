// The window's DPI and the system's metrics at a DPI, through the per-monitor
// functions where the system has them.
#include "common/dpi.h"

#include <windows.h>

#include "common/on_demand_api.h"

int32_t WindowDpi(WindowHandle window) {
  const UINT dpi = OnDemandGetDpiForWindow(window);
  if (dpi != 0) return static_cast<int32_t>(dpi);
  HDC dc = GetDC(window);
  const int32_t system = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
  if (dc != nullptr) ReleaseDC(window, dc);
  return system > 0 ? system : kDefaultDpi;
}

int32_t SystemMetricForDpi(int32_t index, int32_t dpi) {
  const int metric = OnDemandGetSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  return metric != 0 ? metric : GetSystemMetrics(index);
}

void WindowFrameForDpi(uint32_t style, uint32_t extendedStyle, int32_t dpi, int32_t* width,
                       int32_t* height) {
  RECT box = {0, 0, 0, 0};
  const UINT at = static_cast<UINT>(dpi);
  if (!OnDemandAdjustWindowRectExForDpi(&box, style, TRUE, extendedStyle, at)) {
    box = RECT{0, 0, 0, 0};
    AdjustWindowRectEx(&box, style, TRUE, extendedStyle);
  }
  *width = box.right - box.left;
  *height = box.bottom - box.top;
}
