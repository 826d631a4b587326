#include "view/study_marks.h"

#include <cstddef>

#include "lessons/text_stream.h"
#include "view/reading_text.h"

namespace {

// True if offset lies within the text of the record starting at record.
bool InRecordText(const uint8_t* stream, const uint8_t* record, uint16_t offset) {
  StreamRecord read;
  if (!ReadRecord(record, &read)) return false;
  const size_t first = static_cast<size_t>(read.Text - stream);
  const size_t end = first + (read.Length > 0 ? read.Length : 1);
  return offset >= first && offset < end;
}

}  // namespace

int32_t HeadingTrackOf(const LessonView* view, const LineEntry* entry) {
  if (view == nullptr || view->Text == nullptr || view->Lines == nullptr || entry == nullptr) {
    return -1;
  }
  if (entry->Flags == 0 || IsRuleRecord(entry->Flags) || !IsHeadingStyle(entry->Flags)) return -1;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    size_t first = 0, end = 0;
    if (!LessonSpan(view->Text, track + 1, &first, &end)) return -1;
    const uint8_t* heading = view->Text + first;
    if (!InRecordText(view->Text, heading, entry->TextOffset)) continue;
    // A heading's later lines follow its first in the table.
    const bool later = entry > view->Lines && IsHeadingStyle((entry - 1)->Flags) &&
                       !IsRuleRecord((entry - 1)->Flags) &&
                       InRecordText(view->Text, heading, (entry - 1)->TextOffset);
    return later ? -1 : track;
  }
  return -1;
}

MarkBox MarkBoxBeside(const LessonView* view, const LineEntry* entry, int32_t y) {
  MarkBox box = {0, 0, 0};
  const int32_t size = entry->Height * 3 / 5;
  if (size < 1 || size > view->Width) return box;
  int64_t x = static_cast<int64_t>(entry->X) + entry->Width + size / 2;
  const int64_t last = static_cast<int64_t>(view->X) + view->Width - size;
  if (x > last) x = last;
  box.X = static_cast<int32_t>(x);
  box.Y = y + (entry->Height - size) / 2;
  box.Size = size;
  return box;
}

int32_t MarkBoxAt(const LessonView* view, int32_t x, int32_t y) {
  if (view == nullptr) return -1;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    const MarkBox& box = view->PaintedMarks[track];
    if (box.Size <= 0) continue;
    const int64_t slack = box.Size / 4 + 1;
    const int64_t left = static_cast<int64_t>(box.X) - slack;
    const int64_t top = static_cast<int64_t>(box.Y) - slack;
    const int64_t reach = box.Size + 2 * slack;
    if (x >= left && x < left + reach && y >= top && y < top + reach) return track;
  }
  return -1;
}

bool SetViewMarks(LessonView* view, TrackSet shown, TrackSet learned) {
  if (view == nullptr) return false;
  const bool changed = view->MarkTracks != shown || view->LearnedTracks != learned;
  view->MarkTracks = shown;
  view->LearnedTracks = learned;
  return changed;
}
