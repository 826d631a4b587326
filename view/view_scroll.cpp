#include "view/view_scroll.h"

#include "lessons/text_stream.h"

int32_t LineRows(const LineEntry& entry) { return (entry.Flags & kRecordParagraphEnd) ? 2 : 1; }

int32_t PageAmount(uint32_t mode, int32_t rowsPainted) {
  const int32_t amount = (mode == 2 || mode == 4) ? rowsPainted / 2 : rowsPainted - 1;
  return amount > 1 ? amount : 1;
}

int64_t WheelRows(int32_t* remainder, int32_t distance) {
  if (distance == 0) return 0;
  int64_t gathered = distance;
  if ((*remainder < 0) == (distance < 0)) gathered += *remainder;
  *remainder = static_cast<int32_t>(gathered % kWheelNotch);
  return -(gathered / kWheelNotch);
}

bool ScrollTarget(const LessonView* view, int64_t delta, uint16_t* newTopRow) {
  const int64_t top = view->TopRow;
  int64_t target = top + delta;
  if (target < 0) {
    target = 0;
  } else {
    if (target >= top && top >= view->MaxTopRow) return false;
    if (target > view->RowCount) target = view->MaxTopRow;
  }
  if (target == top) return false;
  *newTopRow = static_cast<uint16_t>(target);
  return true;
}

void KeepTopRowInText(LessonView* view) {
  if (view->TopRow > view->RowCount) view->TopRow = view->MaxTopRow;
}

PaintStart FindPaintStart(LessonView* view) {
  PaintStart start = {nullptr, 0};
  if (view->Lines == nullptr) return start;
  if (view->FirstLineOfPage != nullptr) {
    start.Entry = view->FirstLineOfPage;
    return start;
  }
  KeepTopRowInText(view);
  const LineEntry* entry = view->Lines;
  const LineEntry* previous = nullptr;
  int32_t sum = 0;
  while (sum < view->TopRow) {
    if (entry->Flags == 0) return start;  // the walk reached the end: nothing to paint
    sum += LineRows(*entry);
    previous = entry;
    ++entry;
  }
  start.Entry = entry;
  if (sum > view->TopRow && previous != nullptr) start.Offset = previous->Height;
  return start;
}

ReadingPosition TopReadingPosition(const LessonView* view) {
  ReadingPosition position = {-1, false};
  if (view == nullptr || view->Lines == nullptr) return position;
  int32_t row = 0;
  for (const LineEntry* entry = view->Lines; entry->Flags != 0; ++entry) {
    if (view->TopRow < row + LineRows(*entry)) {
      // Reading a reversed record's run starts at its last stored byte; the
      // empty row follows the byte where reading of the line ends.
      position.AfterLine = view->TopRow > row;
      const bool reversed = (entry->Flags & kRecordReversed) != 0;
      const bool lastByte = entry->Count > 0 && reversed != position.AfterLine;
      position.TextOffset = entry->TextOffset + (lastByte ? entry->Count - 1 : 0);
      return position;
    }
    row += LineRows(*entry);
  }
  return position;
}

uint16_t RowOfReadingPosition(const LessonView* view, ReadingPosition position) {
  if (view == nullptr || view->Lines == nullptr || position.TextOffset < 0) return 0;
  int32_t row = 0;
  for (const LineEntry* entry = view->Lines; entry->Flags != 0; ++entry) {
    // A rule holds no byte: it stands at its record's empty text.
    const int32_t end = entry->TextOffset + (entry->Count > 0 ? entry->Count : 1);
    if (position.TextOffset >= entry->TextOffset && position.TextOffset < end) {
      const bool after = position.AfterLine && LineRows(*entry) == 2;
      return static_cast<uint16_t>(row + (after ? 1 : 0));
    }
    row += LineRows(*entry);
  }
  return 0;
}
