// The study marks of a view against the deterministic text device: which
// line carries each track's box (a wrapped heading only its first), where the
// box goes, and which box a click hits.
#include "view/study_marks.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_text_device.h"
#include "tests/fakes/lesson_stream_builder.h"
#include "view/line_layout.h"

namespace {

constexpr int32_t kCharWidth = 10;
constexpr int32_t kHeadingHeight = 25;  // every style: box 15, half of it 7 after the heading

class StudyMarks : public ::testing::Test {
 protected:
  void SetUp() override {
    dc_ = FakeDcCreate(kCharWidth, kHeadingHeight);
    FontSettings font = {};
    view_ = NewLessonView(dc_, &font, 20, 0, 1000, 1000, 30);
    ASSERT_NE(view_, nullptr);
  }
  void TearDown() override {
    DestroyLessonView(view_, true);
    FakeDcDestroy(dc_);
  }
  // Lays the day out in width; the second heading (11 bytes) wraps below 110.
  void Layout(int32_t width) {
    view_->Width = width;
    ASSERT_EQ(LayoutText(view_, FinishStream(DayStream("a", "b", "c")), true), kViewDone);
  }
  DcHandle dc_ = nullptr;
  LessonView* view_ = nullptr;
};

TEST_F(StudyMarks, EachTrackOnTheFirstLineOfItsHeading) {
  struct Row { int32_t width; int32_t tracks[12]; };
  const Row rows[] = {
      // heading, entry, rule for each track; the last has no rule
      {1000, {0, -1, -1, 1, -1, -1, 2, -1}},
      // 100 wide: "nfjm njxyu 'c" and "nfjm 'a xyu" break after "nfjm"
      {100, {0, -1, -1, -1, 1, -1, -1, -1, 2, -1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.width);
    Layout(row.width);
    int32_t k = 0;
    for (; view_->Lines[k].Flags != 0; ++k) EXPECT_EQ(HeadingTrackOf(view_, &view_->Lines[k]), row.tracks[k]) << k;
    EXPECT_EQ(row.tracks[k], 0) << "lines: " << k;
  }
  EXPECT_EQ(HeadingTrackOf(nullptr, view_->Lines), -1);
}

TEST_F(StudyMarks, BoxBesideTheHeadingWithinTheArea) {
  Layout(1000);
  const LineEntry heading = view_->Lines[0];  // 13 bytes: 130 wide, centred at x 455
  struct Row { int32_t areaWidth; uint16_t x, width; int32_t boxX; int32_t size; };
  const Row rows[] = {
      {1000, 455, 130, 455 + 130 + 7, 15},  // half its size after the heading's end
      {1000, 890, 130, 20 + 1000 - 15, 15},  // a heading at the area's end: the box stays inside
      {14, 0, 10, 0, 0},                      // an area narrower than the box: none
  };
  for (const Row& row : rows) {
    view_->Width = row.areaWidth;
    LineEntry entry = heading;
    entry.X = row.x;
    entry.Width = row.width;
    const MarkBox box = MarkBoxBeside(view_, &entry, 100);
    EXPECT_EQ(box.Size, row.size) << row.x;
    if (row.size == 0) continue;
    EXPECT_EQ(box.X, row.boxX) << row.x;
    EXPECT_EQ(box.Y, 100 + (kHeadingHeight - 15) / 2);  // centred on the line
  }
}

TEST_F(StudyMarks, ClicksHitTheBoxesAsPainted) {
  view_->PaintedMarks[1] = MarkBox{100, 200, 16};  // reach 95..120, 195..220
  struct Row { int32_t x, y, track; };
  const Row rows[] = {
      {108, 208, 1},   // inside
      {95, 195, 1},    // the widened corner
      {121, 208, -1},  // just beyond the reach
      {108, 194, -1},
      {0, 0, -1},      // where no box was painted (size 0)
  };
  for (const Row& row : rows) EXPECT_EQ(MarkBoxAt(view_, row.x, row.y), row.track) << row.x << "," << row.y;
  EXPECT_TRUE(SetViewMarks(view_, 0x5, 0x1));
  EXPECT_FALSE(SetViewMarks(view_, 0x5, 0x1));  // unchanged
}

}  // namespace
