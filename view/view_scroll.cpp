#include "view/view_scroll.h"

#include "view/text_stream.h"

int32_t PageAmount(uint32_t mode, int32_t rowsPainted) {
  const int32_t amount = (mode == 2 || mode == 4) ? rowsPainted / 2 : rowsPainted - 1;
  return amount > 1 ? amount : 1;
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
    sum += (entry->Flags & kRecordParagraphEnd) ? 2 : 1;
    previous = entry;
    ++entry;
  }
  start.Entry = entry;
  if (sum > view->TopRow && previous != nullptr) start.Offset = previous->Height;
  return start;
}
