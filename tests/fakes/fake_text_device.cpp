// The deterministic text device: the seam of view/text_device.h for tests.
#include "tests/fakes/fake_text_device.h"

#include <cstdlib>
#include <cstring>

#include "view/glyph_mapping.h"

namespace {

struct FakeAllocation {
  int32_t Successes;  // allocations left before failures; negative: never fail
  int32_t Requests;
};

FakeAllocation Allocation = {-1, 0};

// realloc that fails once the granted successes are used up.
void* FailingRealloc(void* block, size_t bytes) {
  ++Allocation.Requests;
  if (Allocation.Successes == 0) return nullptr;
  if (Allocation.Successes > 0) --Allocation.Successes;
  return realloc(block, bytes);
}

void FillMetrics(FakeStyleMetrics* metrics, int32_t charWidth, int32_t height) {
  metrics->Height = height;
  metrics->MaxCharWidth = charWidth;
  for (int32_t& width : metrics->Widths) width = charWidth;
}

// Metrics of the font selected in dc.
const FakeStyleMetrics& SelectedMetrics(const HDC__* dc) {
  if (!dc->Selected) return dc->Default;
  return dc->Styles[FakeStyleSlot(dc->Selected->Key)];
}

// The view's cache entry for key, or null.
StyleFontEntry* FindEntry(LessonView* view, uint32_t key) {
  for (StyleFontEntry* entry = view->Fonts; entry; entry = entry->Next)
    if (entry->Key == key) return entry;
  return nullptr;
}

// A new fake font for key on dc, or null when creation is set to fail.
FontHandle CreateFakeFont(HDC__* dc, uint32_t key) {
  if (dc && dc->FailFontCreation) return nullptr;
  auto* font = static_cast<FakeFont*>(malloc(sizeof(FakeFont)));
  if (!font) return nullptr;
  font->Key = key;
  if (dc) ++dc->FontsCreated;
  return reinterpret_cast<FontHandle>(font);
}

void DeleteFakeFont(HDC__* dc, FontHandle handle) {
  if (!handle) return;
  auto* font = reinterpret_cast<FakeFont*>(handle);
  if (dc) {
    if (dc->Selected == font) ++dc->ContractViolations;
    ++dc->FontsDeleted;
  }
  free(font);
}

}  // namespace

DcHandle FakeDcCreate(int32_t charWidth, int32_t height) {
  auto* dc = static_cast<HDC__*>(calloc(1, sizeof(HDC__)));
  if (!dc) abort();
  for (FakeStyleMetrics& style : dc->Styles) FillMetrics(&style, charWidth, height);
  FillMetrics(&dc->Default, charWidth, height);
  return dc;
}

void FakeDcDestroy(DcHandle dc) { free(dc); }

void FakeDcSetStyle(DcHandle dc, uint32_t key, int32_t charWidth, int32_t height) {
  FillMetrics(&dc->Styles[FakeStyleSlot(key)], charWidth, height);
}

void FakeDcSetCharWidth(DcHandle dc, uint32_t key, uint8_t byte, int32_t width) {
  dc->Styles[FakeStyleSlot(key)].Widths[byte] = width;
}

int32_t FakeStyleSlot(uint32_t key) {
  return static_cast<int32_t>((key & 0x1F) | ((key & kStylePrint) ? 0x20 : 0));
}

int32_t FakeLiveFonts(DcHandle dc) { return dc->FontsCreated - dc->FontsDeleted; }

void FakeAllocFailAfter(int32_t successes) {
  Allocation.Successes = successes < 0 ? 0 : successes;
  Allocation.Requests = 0;
  SetTextAllocator(FailingRealloc);
}

void FakeAllocReset() {
  Allocation.Successes = -1;
  SetTextAllocator(nullptr);
}

int32_t FakeAllocRequests() { return Allocation.Requests; }

// The seam.

void* SelectStyle(LessonView* view, uint32_t request) {
  if (!view) return nullptr;
  HDC__* dc = view->Dc;
  uint32_t key = request & kStyleKeyMask;
  if (dc) ++dc->SelectCalls;
  StyleFontEntry* entry = FindEntry(view, key);
  if (!entry) {
    entry = static_cast<StyleFontEntry*>(calloc(1, sizeof(StyleFontEntry)));
    if (!entry) return nullptr;
    entry->Key = static_cast<uint16_t>(key);
    entry->Font = CreateFakeFont(dc, key);
    entry->Next = view->Fonts;
    view->Fonts = entry;
  }
  if (!dc) return nullptr;
  if (request & kStyleSetColour) {
    dc->TextColour = (key & 0x0C) == 0x0C ? 0x00FF0000u : 0u;
    ++dc->ColourSets;
  }
  FakeFont* previous = dc->Selected;
  if (entry->Font) dc->Selected = reinterpret_cast<FakeFont*>(entry->Font);
  return previous;
}

void RestoreFont(DcHandle dc, void* previous) {
  if (dc) dc->Selected = static_cast<FakeFont*>(previous);
}

void ReadFontMetrics(DcHandle dc, FontMetrics* out) {
  if (!dc) {
    *out = FontMetrics{0, 0};
    return;
  }
  const FakeStyleMetrics& metrics = SelectedMetrics(dc);
  out->Height = metrics.Height;
  out->MaxCharWidth = metrics.MaxCharWidth;
}

void MeasureRun(DcHandle dc, const uint8_t* run, int32_t* maxWidth, int32_t* count) {
  int32_t limit = *maxWidth;
  int32_t requested = *count;
  *count = 0;
  *maxWidth = 0;
  if (!dc) return;
  ++dc->MeasureCalls;
  if (requested < 0 || (requested > 0 && !run)) {
    ++dc->ContractViolations;
    return;
  }
  const FakeStyleMetrics& metrics = SelectedMetrics(dc);
  int64_t width = 0;
  int32_t fit = 0;
  for (int32_t k = 0; k < requested; ++k) {
    if (run[k] == 0) {
      ++dc->ContractViolations;
      break;
    }
    int64_t next = width + metrics.Widths[run[k]];
    if (next > limit) break;
    width = next;
    ++fit;
  }
  *count = fit;
  *maxWidth = static_cast<int32_t>(width);
}

int32_t ResetStyleFonts(LessonView* view, const FontSettings* settings) {
  if (!view) return -1;
  if (settings) {
    view->Font = *settings;
    for (StyleFontEntry* entry = view->Fonts; entry; entry = entry->Next) {
      DeleteFakeFont(view->Dc, entry->Font);
      entry->Font = CreateFakeFont(view->Dc, entry->Key);
    }
    return 0;
  }
  StyleFontEntry* entry = view->Fonts;
  while (entry) {
    StyleFontEntry* next = entry->Next;
    DeleteFakeFont(view->Dc, entry->Font);
    free(entry);
    entry = next;
  }
  view->Fonts = nullptr;
  return 0;
}
