// A deterministic text device behind the measuring seam of view/text_device.h,
// for layout tests and fuzzing: every style key has known character widths,
// a row height and a maximum character width, and the device counts what
// layout asks of it. Fonts are cached per view as the product caches them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"
#include "view/lesson_view.h"
#include "view/text_device.h"

// Metrics of one style slot.
struct FakeStyleMetrics {
  int32_t Height;        // tmHeight
  int32_t MaxCharWidth;  // tmMaxCharWidth
  int32_t Widths[256];   // width of each byte
};

// Slots: style key & 0x1F, plus 32 for the print keys (0x1000 set).
constexpr int32_t kFakeStyleSlots = 64;

// A fake font: the style key it was made for.
struct FakeFont {
  uint32_t Key;
};

// The fake device context. Fonts selected into it are FakeFont records; null
// stands for the context's own default font, measured with Default.
struct HDC__ {
  FakeStyleMetrics Styles[kFakeStyleSlots];
  FakeStyleMetrics Default;
  FakeFont* Selected;
  uint32_t TextColour;
  int32_t ColourSets;          // SelectStyle requests that set the colour
  int32_t SelectCalls;         // SelectStyle calls
  int32_t FontsCreated;
  int32_t FontsDeleted;
  int32_t MeasureCalls;
  int32_t ContractViolations;  // MeasureRun fed a zero byte or a negative count; a selected font deleted
  bool FailFontCreation;       // new fonts fail to be created (their entries hold null)
};

// A device whose every style (and default font) has all bytes charWidth wide,
// row height height and maximum character width charWidth. Release with FakeDcDestroy.
DcHandle FakeDcCreate(int32_t charWidth, int32_t height);
void FakeDcDestroy(DcHandle dc);

// Gives style key all bytes charWidth wide, row height height and maximum
// character width charWidth.
void FakeDcSetStyle(DcHandle dc, uint32_t key, int32_t charWidth, int32_t height);

// Width of one byte in style key.
void FakeDcSetCharWidth(DcHandle dc, uint32_t key, uint8_t byte, int32_t width);

// The slot of a style key in HDC__::Styles.
int32_t FakeStyleSlot(uint32_t key);

// Fonts created and not yet deleted on dc.
int32_t FakeLiveFonts(DcHandle dc);

// Makes the text allocator (view/glyph_mapping.h) fail every allocation after
// the next successes ones; FakeAllocReset restores the ordinary allocator.
void FakeAllocFailAfter(int32_t successes);
void FakeAllocReset();

// Allocations the text allocator was asked for since the last FakeAllocFailAfter.
int32_t FakeAllocRequests();
