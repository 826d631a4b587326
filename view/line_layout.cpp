// Breaking a LessonText into the view's line table.
#include "view/line_layout.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "view/glyph_mapping.h"
#include "view/text_device.h"

namespace {

constexpr uint32_t kStartStyle = 0x01;  // base size, regular

// The running state of one LayoutText.
struct LayoutState {
  LessonView* View;
  const uint8_t* Stream;
  int32_t AreaX;          // X of the text area
  int32_t AreaWidth;      // W
  int32_t RowHeight;      // tmHeight of the current style
  int32_t MaxCharWidth;   // tmMaxCharWidth of the current style
  uint32_t Style;         // flag byte of the current style
  int32_t Indent;         // running indent, device units
  uint8_t PreviousParam;  // parameter byte of the record before
  int32_t Index;          // next line entry to write
  int32_t ParagraphRows;  // empty rows after paragraph ends so far
};

// v limited to the range of a 16-bit unsigned field.
uint16_t Clamp16(int64_t v) {
  if (v < 0) return 0;
  if (v > 0xFFFF) return 0xFFFF;
  return static_cast<uint16_t>(v);
}

// A flag byte whose bits 0-6 are all clear would read as the table's
// terminator on a line without its paragraph end; it is laid out with the
// body bit, which changes no font.
uint8_t NormalisedFlag(uint8_t flag) {
  return (flag & ~kRecordParagraphEnd) == 0 ? static_cast<uint8_t>(flag | kRecordBody) : flag;
}

// Left edge of a run width wide, for the record's alignment, with the label
// column labelWidth at the running indent.
int64_t AlignedX(uint8_t flag, int32_t areaX, int32_t areaWidth, int32_t indent,
                 int32_t labelWidth, int32_t width) {
  int64_t s = static_cast<int64_t>(indent) + labelWidth;
  switch (flag & kRecordAlignMask) {
    case kRecordAlignRight: return static_cast<int64_t>(areaX) + areaWidth - s - width;
    case kRecordAlignCentre:
      return static_cast<int64_t>(areaX) + indent + (static_cast<int64_t>(areaWidth) - width - s) / 2;
    default: return static_cast<int64_t>(areaX) + s;
  }
}

// Makes sure the entry at the state's index exists; kViewDone or kViewOutOfMemory.
int32_t ReserveEntry(LayoutState* state) {
  if (state->Index < state->View->Capacity) return kViewDone;
  return GrowLineTable(state->View, state->Index);
}

// Selects the style of flag when its key differs from the current one and
// takes over that font's metrics.
void SwitchStyle(LayoutState* state, uint8_t flag) {
  if ((flag & kStyleKeyMask) != (state->Style & kStyleKeyMask)) {
    SelectStyle(state->View, flag);
    FontMetrics metrics = {0, 0};
    ReadFontMetrics(state->View->Dc, &metrics);
    state->RowHeight = metrics.Height > 0 ? metrics.Height : 0;
    state->MaxCharWidth = metrics.MaxCharWidth > 0 ? metrics.MaxCharWidth : 0;
  }
  state->Style = flag;
}

// Writes the entry of a rule record (nothing for width 0).
int32_t LayoutRule(LayoutState* state, const StreamRecord& record) {
  if (record.Param == 0) return kViewDone;
  if (ReserveEntry(state) != kViewDone) return kViewOutOfMemory;
  int32_t length = RuleLength(record.Param, state->AreaWidth);
  LineEntry* entry = &state->View->Lines[state->Index];
  *entry = LineEntry{};
  entry->TextOffset = Clamp16(record.Text - state->Stream);
  entry->Count = 0;
  entry->X = Clamp16(AlignedX(record.Flag, state->AreaX, state->AreaWidth, 0, 0, length));
  entry->LabelWidth = 0;
  entry->Width = Clamp16(length);
  entry->Height = Clamp16(state->RowHeight);
  entry->Flags = record.Flag;
  if (record.Flag & kRecordParagraphEnd) ++state->ParagraphRows;
  ++state->Index;
  return kViewDone;
}

// Bytes of body, count of them, that end a line in available width: the
// measured fit, backed up to the last space (dropped) or hyphen (kept) after
// position 0 when the fit ends inside a word; at least one byte when
// mayBeEmpty is false. Sets *width to the line's measured width.
int32_t FitLine(DcHandle dc, const uint8_t* body, int32_t count, int32_t available,
                bool mayBeEmpty, int32_t* width) {
  int32_t fit = count;
  *width = available;
  if (count > 0) MeasureRun(dc, body, width, &fit);
  else *width = 0;
  if (fit < 0) fit = 0;
  if (fit > count) fit = count;
  if (body[fit] == 0 || body[fit] == ' ') return fit;
  for (int32_t j = fit - 1; j >= 1; --j) {
    if (body[j] != ' ' && body[j] != '-') continue;
    int32_t broken = body[j] == ' ' ? j : j + 1;
    int32_t measured = broken;
    *width = available;
    MeasureRun(dc, body, width, &measured);
    return broken;
  }
  if (fit > 0 || mayBeEmpty) return fit;
  // Not one character fits: the line takes one anyway, at its own width.
  int32_t one = 1;
  *width = INT32_MAX;
  MeasureRun(dc, body, width, &one);
  return 1;
}

// Breaks the n bytes of a text record's lines (text, or its reversed copy for
// a reversed record) into entries. textOffset is the stored text's offset in
// the stream; labelLevel 0..3.
int32_t BreakRecord(LayoutState* state, uint8_t flag, const uint8_t* lines, int32_t n,
                    int32_t textOffset, int32_t labelLevel) {
  bool reversed = (flag & kRecordReversed) != 0;
  int32_t labelWidth = labelLevel > 0 ? (labelLevel + 1) * state->MaxCharWidth / 2 : 0;
  int32_t contentEnd = n;  // just past the last byte that is not a space
  while (contentEnd > 0 && lines[contentEnd - 1] == ' ') --contentEnd;
  bool label = labelLevel > 0;
  int32_t position = 0;
  while (position < contentEnd) {
    while (lines[position] == ' ') ++position;
    if (ReserveEntry(state) != kViewDone) return kViewOutOfMemory;
    int32_t indent = state->Indent;
    int32_t bodyStart = position;
    int32_t lineLabel = 0;
    if (label) {
      while (bodyStart < n && lines[bodyStart] != ' ') ++bodyStart;
      while (bodyStart < n && lines[bodyStart] == ' ') ++bodyStart;
      lineLabel = labelWidth;
    }
    int64_t available = static_cast<int64_t>(state->AreaWidth) - indent - lineLabel;
    if (available < 0) available = 0;
    if (available > INT32_MAX) available = INT32_MAX;
    int32_t width = 0;
    int32_t count = FitLine(state->View->Dc, lines + bodyStart, n - bodyStart,
                            static_cast<int32_t>(available), label, &width);
    int32_t consumed = bodyStart - position + count;
    bool last = position + consumed >= contentEnd;
    LineEntry* entry = &state->View->Lines[state->Index];
    *entry = LineEntry{};
    entry->TextOffset = Clamp16(reversed ? textOffset + n - bodyStart - count : textOffset + position);
    entry->Count = Clamp16(count);
    entry->X = Clamp16(AlignedX(flag, state->AreaX, state->AreaWidth, indent, lineLabel, width));
    entry->LabelWidth = Clamp16(lineLabel);
    entry->Width = Clamp16(width);
    entry->Height = Clamp16(state->RowHeight);
    entry->Flags = last ? flag : static_cast<uint8_t>(flag & 0x7F);
    if (last && (flag & kRecordParagraphEnd)) ++state->ParagraphRows;
    state->Indent = indent + lineLabel;
    label = false;
    position += consumed;
    ++state->Index;
  }
  return kViewDone;
}

// Lays out one text record with label level labelLevel.
int32_t LayoutTextRecord(LayoutState* state, const StreamRecord& record, int32_t labelLevel) {
  uint8_t flag = NormalisedFlag(record.Flag);
  SwitchStyle(state, flag);
  int32_t n = static_cast<int32_t>(record.Length);
  if (labelLevel > 0) state->Indent &= 0xFF3F;
  if (state->Indent >= state->AreaWidth || state->Indent < 0) state->Indent = 0;
  int32_t textOffset = static_cast<int32_t>(record.Text - state->Stream);
  if (!(flag & kRecordReversed))
    return BreakRecord(state, flag, record.Text, n, textOffset, labelLevel);
  // Owned here, released below.
  auto* copy = static_cast<uint8_t*>(TextRealloc(nullptr, static_cast<size_t>(n) + 1));
  if (!copy) return kViewOutOfMemory;
  for (int32_t k = 0; k < n; ++k) copy[k] = record.Text[n - 1 - k];
  copy[n] = 0;
  int32_t result = BreakRecord(state, flag, copy, n, textOffset, labelLevel);
  free(copy);
  return result;
}

// Lays out every record of the state's stream; kViewDone or kViewOutOfMemory.
int32_t LayoutRecords(LayoutState* state) {
  StreamRecord record;
  for (const uint8_t* at = state->Stream; ReadRecord(at, &record); at = NextRecord(at)) {
    uint8_t param = record.Param;
    int32_t level = LabelLevel(param);
    int32_t labelLevel = 0;
    if (level > 0 && record.Text[0] == ' ' && state->Index > 0) {
      // A continuation keeps the running indent, shifted by the change of indent.
      state->Indent += RecordIndent(param) - RecordIndent(state->PreviousParam);
    } else {
      state->Indent = param;
      labelLevel = level;
    }
    state->PreviousParam = param;
    int32_t result = IsRuleRecord(record.Flag) ? LayoutRule(state, record)
                                               : LayoutTextRecord(state, record, labelLevel);
    if (result != kViewDone) return result;
  }
  return kViewDone;
}

// Makes the view's table empty and terminated, with no rows.
void EmptyLineTable(LessonView* view) {
  if (view->Lines) view->Lines[0] = LineEntry{};
  view->LineCount = 0;
  view->RowCount = 0;
  view->MaxTopRow = 0;
  view->FirstLineOfPage = nullptr;
  view->NextLine = nullptr;
}

// Allocates a zeroed table of capacity usable entries plus the terminator.
LineEntry* NewLineTable(uint16_t capacity) {
  size_t bytes = (static_cast<size_t>(capacity) + 1) * sizeof(LineEntry);
  auto* lines = static_cast<LineEntry*>(TextRealloc(nullptr, bytes));
  if (lines) memset(lines, 0, bytes);
  return lines;
}

// Takes stream as the view's text, releasing the previous one if asked.
void TakeText(LessonView* view, uint8_t* stream, bool releaseOld) {
  if (releaseOld && view->Text != stream) free(view->Text);
  view->Text = stream;
}

}  // namespace

LessonView* NewLessonView(DcHandle dc, const FontSettings* font, int32_t x, int32_t y,
                          int32_t width, int32_t height, uint16_t capacity) {
  auto* view = static_cast<LessonView*>(TextRealloc(nullptr, sizeof(LessonView)));
  if (!view) return nullptr;
  memset(view, 0, sizeof(LessonView));
  if (capacity == 0) capacity = kLineTableStep;
  view->Lines = NewLineTable(capacity);
  if (!view->Lines) {
    free(view);
    return nullptr;
  }
  view->Capacity = capacity;
  view->Dc = dc;
  if (font) view->Font = *font;
  view->X = x;
  view->Y = y;
  view->Width = width;
  view->Height = height;
  return view;
}

int32_t LayoutText(LessonView* view, uint8_t* stream, bool releaseOld) {
  if (!view) return kViewNothing;
  if (!stream) {
    view->RowCount = 0;
    view->MaxTopRow = 0;
    if (releaseOld) {
      free(view->Text);
      view->Text = nullptr;
      EmptyLineTable(view);
    }
    return kViewNoStream;
  }
  if (!IsUsableStream(stream) || StreamLength(stream) > kMaxStreamLength) {
    if (releaseOld && stream != view->Text) free(stream);
    return kViewEmptyStream;
  }
  TakeText(view, stream, releaseOld);
  EmptyLineTable(view);
  if (!view->Lines || view->Capacity == 0) {
    free(view->Lines);
    view->Capacity = 0;
    view->Lines = NewLineTable(kLineTableStep);
    if (!view->Lines) return kViewOutOfMemory;
    view->Capacity = kLineTableStep;
  }
  void* previousFont = SelectStyle(view, kStartStyle);
  FontMetrics metrics = {0, 0};
  ReadFontMetrics(view->Dc, &metrics);
  LayoutState state = {};
  state.View = view;
  state.Stream = stream;
  state.AreaX = view->X;
  state.AreaWidth = view->Width;
  state.RowHeight = metrics.Height > 0 ? metrics.Height : 0;
  state.MaxCharWidth = metrics.MaxCharWidth > 0 ? metrics.MaxCharWidth : 0;
  state.Style = kStartStyle;
  int32_t result = LayoutRecords(&state);
  if (result == kViewDone) {
    int32_t lines = state.Index;
    int32_t rows = lines + state.ParagraphRows;
    view->Lines[lines] = LineEntry{};
    if (lines > 0 && (view->Lines[lines - 1].Flags & kRecordParagraphEnd)) {
      view->Lines[lines - 1].Flags &= 0x7F;
      --rows;
    }
    view->LineCount = Clamp16(lines);
    view->RowCount = Clamp16(rows);
    ComputeMaxTopRow(view);
  } else {
    EmptyLineTable(view);
  }
  RestoreFont(view->Dc, previousFont);
  return result;
}

int32_t ResizeView(LessonView* view, int32_t width, int32_t height) {
  if (!view) return kViewNothing;
  if (width <= 0 || height <= 0) return kViewBadSize;
  view->Width = width;
  view->Height = height;
  return LayoutText(view, view->Text, false);
}

int32_t ComputeMaxTopRow(LessonView* view) {
  if (!view) return kViewNothing;
  view->MaxTopRow = 0;
  if (!view->Lines || view->RowCount == 0 || view->LineCount == 0) return kViewNothing;
  int64_t room = view->Height > 0 ? view->Height : 0;
  int32_t fitting = 0;
  for (int32_t k = view->LineCount - 1; k >= 0; --k) {
    const LineEntry& entry = view->Lines[k];
    if (room < entry.Height) break;
    room -= entry.Height;
    if (entry.Flags & kRecordParagraphEnd) {
      room -= entry.Height;
      ++fitting;
    }
    ++fitting;
  }
  if (room < 0) --fitting;  // the last counted empty row did not fit
  int32_t top = view->RowCount - fitting;
  view->MaxTopRow = Clamp16(top);
  return view->MaxTopRow;
}

int32_t GrowLineTable(LessonView* view, int32_t index) {
  if (!view) return kViewNothing;
  uint16_t capacity = view->Lines ? view->Capacity : 0;
  int32_t grown = capacity + kLineTableStep;
  if (grown > kMaxLines) grown = kMaxLines;
  LineEntry* lines = nullptr;
  if (grown > capacity)
    lines = static_cast<LineEntry*>(
        TextRealloc(view->Lines, (static_cast<size_t>(grown) + 1) * sizeof(LineEntry)));
  if (!lines) {
    if (view->Lines && index >= 0 && index <= capacity) view->Lines[index] = LineEntry{};
    return kViewOutOfMemory;
  }
  size_t kept = view->Lines ? static_cast<size_t>(capacity) + 1 : 0;
  memset(lines + kept, 0, (static_cast<size_t>(grown) + 1 - kept) * sizeof(LineEntry));
  view->Lines = lines;
  view->Capacity = static_cast<uint16_t>(grown);
  view->FirstLineOfPage = nullptr;
  view->NextLine = nullptr;
  return kViewDone;
}

void DestroyLessonView(LessonView* view, bool releaseRecord) {
  if (!view) return;
  free(view->Text);
  view->Text = nullptr;
  free(view->Lines);
  view->Lines = nullptr;
  view->Capacity = 0;
  EmptyLineTable(view);
  ResetStyleFonts(view, nullptr);
  if (releaseRecord) free(view);
}
