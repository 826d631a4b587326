// Feeds LayoutText arbitrary streams, text area sizes, character widths and
// allocation failures against the deterministic text device. Whatever the
// input, layout must end, keep its table terminated and consistent with its
// row counts, point every line at stored bytes of its stream, measure at most
// twice per line, restore the device's font, and leak nothing.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/app_state.h"
#include "tests/fakes/fake_text_device.h"
#include "view/glyph_mapping.h"
#include "view/line_layout.h"

namespace {

// Input layout: a fixed header, then the stream's bytes.
struct FuzzHeader {
  int16_t Width;
  int16_t Height;
  int16_t ResizeWidth;
  int8_t X;
  uint8_t CharWidth;
  uint8_t HeadingHeight;
  uint8_t RowHeight;
  uint8_t MaxCharWidth;
  uint8_t WidthSpread;  // per-byte widths vary by up to this much
  uint8_t Options;      // bit 0 Reverse, bits 1-2 code base, bit 3 failing fonts
  uint8_t FailAfter;    // allocations granted before failures; 255: none fail
};

void Check(bool condition) {
  if (!condition) abort();
}

// The view's table is terminated at LineCount and agrees with the row counts;
// every line shows bytes of stream (length bytes before its end) without a zero.
void CheckTable(const LessonView* view, const uint8_t* stream, size_t length) {
  if (!view->Lines) {
    Check(view->LineCount == 0 && view->RowCount == 0 && view->MaxTopRow == 0);
    return;
  }
  Check(view->LineCount <= view->Capacity);
  Check(view->LineCount <= length);
  int32_t rows = 0;
  int32_t k = 0;
  for (; view->Lines[k].Flags != 0; ++k) {
    Check(k < view->LineCount);
    const LineEntry& entry = view->Lines[k];
    rows += (entry.Flags & 0x80) ? 2 : 1;
    Check(static_cast<size_t>(entry.TextOffset) + entry.Count <= length);
    for (int32_t b = 0; b < entry.Count; ++b) Check(stream[entry.TextOffset + b] != 0);
    if (IsRuleRecord(entry.Flags)) Check(entry.Count == 0);
  }
  Check(k == view->LineCount);
  Check(rows == view->RowCount);
  Check(view->MaxTopRow <= view->RowCount);
  if (k > 0) Check((view->Lines[k - 1].Flags & 0x80) == 0);
  const LineEntry& end = view->Lines[k];
  Check(end.TextOffset == 0 && end.Count == 0 && end.X == 0 && end.LabelWidth == 0 &&
        end.Width == 0 && end.Height == 0);
}

// Converting each line's run gives exactly its count of characters, and the
// reversed form is the unreversed one read backwards.
void CheckMapping(const LessonView* view, bool reverse) {
  for (int32_t k = 0; k < view->LineCount; ++k) {
    const LineEntry& entry = view->Lines[k];
    if (entry.Count == 0) continue;
    const uint8_t* run = view->Text + entry.TextOffset;
    const WideChar* plain = MapToDisplayForMeasure(run, entry.Count);
    Check(plain != nullptr && LastDisplayLength() == entry.Count);
    WideChar first = plain[0];
    WideChar last = plain[entry.Count - 1];
    const WideChar* shown = MapToDisplay(run, entry.Count);
    Check(shown != nullptr && LastDisplayLength() == entry.Count && shown[entry.Count] == 0);
    bool reversed = DrawsInReadingOrder(App.Font.FontAsciiBase, App.Flags);
    Check(reversed == (reverse && App.Font.FontAsciiBase != kCodeBaseLetters));
    if (!reversed) Check(shown[0] == first);
    else if (last >= 0x80 || !strchr("()<>[]{}", static_cast<char>(last))) Check(shown[0] == last);
  }
}

// Lays out one input; aborts on any broken promise.
void RunOne(const FuzzHeader& header, const uint8_t* data, size_t size) {
  static const int32_t kBases[] = {0x5D0, 0xE0, 0x61, -7};
  App.Font.FontAsciiBase = kBases[(header.Options >> 1) & 3];
  App.Flags = (header.Options & 1) ? (kDefaultFlags | kFlagReverse) : kDefaultFlags;

  DcHandle dc = FakeDcCreate(header.CharWidth % 40, header.RowHeight % 60);
  FakeDcSetStyle(dc, 0x1C, header.CharWidth % 40, header.HeadingHeight % 60);
  for (int32_t slot = 0; slot < kFakeStyleSlots; ++slot) {
    dc->Styles[slot].MaxCharWidth = header.MaxCharWidth;
    for (int32_t b = 0; b < 256; ++b)
      dc->Styles[slot].Widths[b] += header.WidthSpread ? (b * 7 + slot) % (header.WidthSpread % 16 + 1) : 0;
  }
  dc->FailFontCreation = (header.Options & 8) != 0;

  // An exact-size copy: the stream and the three zero bytes that end every
  // stream the program builds. Reads past them are errors.
  auto* stream = static_cast<uint8_t*>(malloc(size + 3));
  if (!stream) abort();
  if (size) memcpy(stream, data, size);
  memset(stream + size, 0, 3);
  size_t length = StreamLength(stream);

  FontSettings font = {};
  LessonView* view = NewLessonView(dc, &font, header.X * 4, 0, header.Width, header.Height, 30);
  if (!view) abort();
  if (header.FailAfter != 255) FakeAllocFailAfter(header.FailAfter % 12);
  int32_t result = LayoutText(view, stream, true);
  FakeAllocReset();

  Check(dc->ContractViolations == 0);
  Check(dc->Selected == nullptr);
  if (result == kViewEmptyStream) {
    // Rejected: released by layout; the view stays without text.
    Check(view->Text == nullptr && view->LineCount == 0);
  } else {
    Check(result == kViewDone || result == kViewOutOfMemory);
    Check(view->Text == stream);
    CheckTable(view, stream, length);
    if (result == kViewOutOfMemory) Check(view->LineCount == 0);
    if (result == kViewDone) Check(dc->MeasureCalls <= 2 * view->LineCount);
    CheckMapping(view, (header.Options & 1) != 0);

    dc->MeasureCalls = 0;
    int32_t resized = ResizeView(view, header.ResizeWidth, header.Height);
    if (header.ResizeWidth <= 0 || header.Height <= 0) {
      Check(resized == kViewBadSize);
    } else {
      Check(resized == kViewDone);
      CheckTable(view, stream, length);
      Check(dc->MeasureCalls <= 2 * view->LineCount);
    }
    Check(dc->ContractViolations == 0);
    Check(dc->Selected == nullptr);
  }
  DestroyLessonView(view, true);
  Check(FakeLiveFonts(dc) == 0);
  Check(dc->ContractViolations == 0);
  FakeDcDestroy(dc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzHeader header = {};
  header.Width = 300;
  header.Height = 200;
  header.ResizeWidth = 120;
  header.CharWidth = 10;
  header.HeadingHeight = 25;
  header.RowHeight = 20;
  header.MaxCharWidth = 12;
  header.FailAfter = 255;
  if (size >= sizeof(FuzzHeader)) {
    memcpy(&header, data, sizeof(FuzzHeader));
    data += sizeof(FuzzHeader);
    size -= sizeof(FuzzHeader);
  }
  RunOne(header, data, size);
  return 0;
}
