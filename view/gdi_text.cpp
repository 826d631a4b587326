// Measuring and drawing runs of LessonText bytes with GDI.
#include "view/gdi_text.h"

#include <windows.h>

#include <cstdint>

#include "common/app_state.h"
#include "view/glyph_mapping.h"
#include "view/text_device.h"

namespace {

// The one format of every drawn run: centred in its box, one line, no prefix
// characters (0x825).
constexpr UINT kRunFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

// Characters of a converted run before its zero character, at most limit.
int32_t RunLength(const WideChar* text, int32_t limit) {
  int32_t length = 0;
  while (length < limit && text[length] != 0) ++length;
  return length;
}

// The box x, y, w, h as a RECT; far edges saturate instead of overflowing.
RECT MakeBox(int32_t x, int32_t y, int32_t w, int32_t h) {
  auto edge = [](int64_t v) {
    return static_cast<LONG>(v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : v));
  };
  return RECT{x, y, edge(static_cast<int64_t>(x) + w), edge(static_cast<int64_t>(y) + h)};
}

}  // namespace

void MeasureRun(DcHandle dc, const uint8_t* run, int32_t* maxWidth, int32_t* count) {
  int32_t limit = *maxWidth < 0 ? 0 : *maxWidth;
  int32_t requested = *count;
  *count = 0;
  *maxWidth = 0;
  if (!dc || !run || requested <= 0) return;
  // Reversal changes the order of the glyphs, not their width: measure unreversed.
  const WideChar* text = MapToDisplayForMeasure(run, requested);
  if (!text) return;
  int32_t length = RunLength(text, requested);
  INT fit = 0;
  SIZE size = {};
  if (length == 0 || !GetTextExtentExPointW(dc, text, length, limit, &fit, nullptr, &size)) return;
  if (fit > length) fit = length;
  // The width of exactly the fitting characters; should rounding in the font
  // engine make it exceed the maximum, one character fewer fits.
  int32_t width = 0;
  while (fit > 0) {
    INT again = 0;
    if (!GetTextExtentExPointW(dc, text, fit, limit, &again, nullptr, &size)) {
      fit = 0;
      break;
    }
    if (size.cx <= limit) {
      width = size.cx;
      break;
    }
    --fit;
  }
  *count = fit < 0 ? 0 : fit;
  *maxWidth = width;
}

int32_t DrawCentredText(DcHandle dc, const WideChar* text, int32_t length, int32_t x, int32_t y,
                        int32_t w, int32_t h, bool rightToLeft) {
  if (!dc || !text || length <= 0) return 0;
  RECT box = MakeBox(x, y, w, h);
  return DrawTextW(dc, text, length, &box, rightToLeft ? kRunFormat | DT_RTLREADING : kRunFormat);
}

int32_t DrawRun(DcHandle dc, const uint8_t* run, int32_t count, int32_t x, int32_t y, int32_t w,
                int32_t h) {
  if (!dc || !run || count <= 0) return 0;
  const WideChar* text = MapToDisplay(run, count);
  if (!text) return 0;
  // A run in reading order is a right-to-left paragraph: marks at its ends (the
  // geresh of a final numeral) stay with their letters, and a run of marks
  // alone keeps its stored order.
  return DrawCentredText(dc, text, RunLength(text, count), x, y, w, h,
                         DrawsInReadingOrder(App.Font.FontAsciiBase, App.Flags));
}

int32_t DrawRunColoured(DcHandle dc, const uint8_t* run, int32_t count, int32_t x, int32_t y,
                        int32_t w, int32_t h, uint32_t textColour, uint32_t backColour) {
  COLORREF oldText = SetTextColor(dc, textColour);
  COLORREF oldBack = SetBkColor(dc, backColour);
  int32_t drawn = DrawRun(dc, run, count, x, y, w, h);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  return drawn;
}
