// The GDI text primitives with real fonts: MeasureRun's fit and width, DrawRun
// and DrawRunColoured on a bitmap, FillRoleBox.
#include "view/gdi_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/app_state.h"
#include "tests/wine/wine_test_support.h"
#include "view/colour_scheme.h"
#include "view/glyph_mapping.h"
#include "view/text_device.h"

namespace {

// Hebrew letters, spaces, punctuation and brackets, as the lesson texts hold them.
const uint8_t kRun[] = "bdlyt rmym (zkr) lyqr-ha, wtk";
constexpr int32_t kRunLength = sizeof kRun - 1;

class GdiTextTest : public testing::Test {
 protected:
  void SetUp() override {
    App = AppState{};
    App.Font.FontAsciiBase = kDefaultAsciiBase;
    ASSERT_TRUE(OpenCanvas(&canvas_, 400, 60));
    font_ = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, HEBREW_CHARSET, 0, 0, 0, 0, L"");
    ASSERT_NE(font_, nullptr);
    oldFont_ = SelectObject(canvas_.Dc, font_);
    SetBkMode(canvas_.Dc, TRANSPARENT);
    SetTextColor(canvas_.Dc, RGB(0, 0, 0));
  }
  void TearDown() override {
    SelectObject(canvas_.Dc, oldFont_);
    DeleteObject(font_);
    CloseCanvas(&canvas_);
    App = AppState{};
  }

  // Width of the first count characters of run as GDI measures them.
  int32_t Extent(const uint8_t* run, int32_t count) {
    const WideChar* text = MapToDisplayForMeasure(run, count);
    SIZE size = {};
    GetTextExtentPoint32W(canvas_.Dc, text, count, &size);
    return size.cx;
  }

  void Clear() {
    RECT all = {0, 0, canvas_.Width, canvas_.Height};
    FillRect(canvas_.Dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }

  // Bounding box of the non-white pixels; false when there are none.
  bool InkBox(RECT* box) {
    *box = RECT{canvas_.Width, canvas_.Height, -1, -1};
    for (int y = 0; y < canvas_.Height; ++y) {
      for (int x = 0; x < canvas_.Width; ++x) {
        if (PixelAt(canvas_, x, y) == 0xFFFFFF) continue;
        box->left = std::min<LONG>(box->left, x);
        box->top = std::min<LONG>(box->top, y);
        box->right = std::max<LONG>(box->right, x + 1);
        box->bottom = std::max<LONG>(box->bottom, y + 1);
      }
    }
    return box->right > 0;
  }

  std::vector<uint32_t> Snapshot() {
    GdiFlush();
    return std::vector<uint32_t>(canvas_.Pixels, canvas_.Pixels + canvas_.Width * canvas_.Height);
  }

  Canvas canvas_ = {};
  HFONT font_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
};

TEST_F(GdiTextTest, MeasureRunDegenerateInput) {
  struct Row {
    bool withDc;
    const uint8_t* run;
    int32_t maxWidth;
    int32_t count;
  };
  const Row rows[] = {
      {true, kRun, 100, 0},    // nothing to measure
      {true, kRun, 100, -3},   // a negative count
      {false, kRun, 100, 5},   // no device context
      {true, nullptr, 100, 5}, // no run
      {true, kRun, 0, 5},      // no room
      {true, kRun, -20, 5},    // a negative maximum
  };
  for (const Row& r : rows) {
    int32_t width = r.maxWidth;
    int32_t count = r.count;
    MeasureRun(r.withDc ? canvas_.Dc : nullptr, r.run, &width, &count);
    EXPECT_EQ(count, 0) << r.count << " " << r.maxWidth;
    EXPECT_EQ(width, 0) << r.count << " " << r.maxWidth;
  }
}

TEST_F(GdiTextTest, MeasureRunFitsExactlyAtEveryWidth) {
  const int32_t full = Extent(kRun, kRunLength);
  ASSERT_GT(full, kRunLength);
  int32_t previousFit = 0;
  for (int32_t max = 0; max <= full + 8; ++max) {
    int32_t width = max;
    int32_t count = kRunLength;
    MeasureRun(canvas_.Dc, kRun, &width, &count);
    ASSERT_GE(count, previousFit) << "fit shrinks at " << max;
    ASSERT_LE(count, kRunLength);
    ASSERT_LE(width, max) << "wider than the maximum at " << max;
    ASSERT_EQ(width, count == 0 ? 0 : Extent(kRun, count)) << "not the width of the fit at " << max;
    if (count < kRunLength) {
      ASSERT_GT(Extent(kRun, count + 1), max) << "one more character would fit at " << max;
    }
    previousFit = count;
  }
  EXPECT_EQ(previousFit, kRunLength);
}

TEST_F(GdiTextTest, MeasureRunIgnoresReverseAndKeepsTheFlag) {
  for (int32_t max : {0, 30, 77, 150, 1000}) {
    App.Flags = 0;
    int32_t plainWidth = max, plainCount = kRunLength;
    MeasureRun(canvas_.Dc, kRun, &plainWidth, &plainCount);
    App.Flags = kFlagReverse | 0x40;
    int32_t width = max, count = kRunLength;
    MeasureRun(canvas_.Dc, kRun, &width, &count);
    EXPECT_EQ(count, plainCount) << max;
    EXPECT_EQ(width, plainWidth) << max;
    EXPECT_EQ(App.Flags, kFlagReverse | 0x40);
  }
}

TEST_F(GdiTextTest, MeasureRunUsesTheCodeBaseAndTheCount) {
  const uint8_t latin[] = "abcdefg";
  struct Row {
    int32_t base;
    const wchar_t* shown;  // what the seven bytes become
  };
  const Row rows[] = {
      {0x61, L"abcdefg"},                                             // letters as themselves
      {0xE0, L"\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5\u00E6"},          // 8-bit code page positions
      {0x5D0, L"\u05D0\u05D1\u05D2\u05D3\u05D4\u05D5\u05D6"},         // Unicode Hebrew
  };
  for (const Row& r : rows) {
    App.Font.FontAsciiBase = r.base;
    for (int32_t count = 1; count <= 7; ++count) {
      SIZE size = {};
      GetTextExtentPoint32W(canvas_.Dc, r.shown, count, &size);
      int32_t width = 10000, fit = count;
      MeasureRun(canvas_.Dc, latin, &width, &fit);
      EXPECT_EQ(fit, count) << r.base;
      EXPECT_EQ(width, size.cx) << r.base << " count " << count;
    }
  }
}

TEST_F(GdiTextTest, DrawRunLandsInItsBox) {
  const int32_t width = Extent(kRun, 10);
  EXPECT_GT(DrawRun(canvas_.Dc, kRun, 10, 50, 10, width, 20), 0);
  RECT ink;
  ASSERT_TRUE(InkBox(&ink));
  // The view passes the measured width: the run lands at x (a pixel of
  // antialiasing or overhang aside).
  EXPECT_GE(ink.left, 50 - 1);
  EXPECT_LE(ink.right, 50 + width + 1);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.bottom, 30);
}

TEST_F(GdiTextTest, DrawRunCentresInALargerBox) {
  DrawRun(canvas_.Dc, kRun, 10, 0, 0, 400, 60);
  RECT ink;
  ASSERT_TRUE(InkBox(&ink));
  EXPECT_NEAR((ink.left + ink.right) / 2, 200, 4);
  EXPECT_NEAR((ink.top + ink.bottom) / 2, 30, 6);
}

TEST_F(GdiTextTest, DrawRunNothingToDraw) {
  EXPECT_EQ(DrawRun(canvas_.Dc, kRun, 0, 0, 0, 400, 60), 0);
  EXPECT_EQ(DrawRun(canvas_.Dc, kRun, -1, 0, 0, 400, 60), 0);
  EXPECT_EQ(DrawRun(nullptr, kRun, 5, 0, 0, 400, 60), 0);
  EXPECT_EQ(DrawRun(canvas_.Dc, nullptr, 5, 0, 0, 400, 60), 0);
  RECT ink;
  EXPECT_FALSE(InkBox(&ink));
  // A box at the far end of the coordinate range draws nothing and harms nothing.
  DrawRun(canvas_.Dc, kRun, 5, INT32_MAX - 3, INT32_MAX - 3, INT32_MAX, INT32_MAX);
  EXPECT_FALSE(InkBox(&ink));
}

TEST_F(GdiTextTest, ReverseDrawsTheMirroredRunWithBracketsSwapped) {
  // "(ab)" reversed is ")ba(", brackets swapped: "(ba)". Both go to the same
  // DrawTextW call, so the pictures must be identical.
  const uint8_t stored[] = "(ab) gd";
  const uint8_t mirrored[] = "dg (ba)";
  App.Flags = kFlagReverse;
  DrawRun(canvas_.Dc, stored, 7, 0, 0, 400, 60);
  std::vector<uint32_t> reversed = Snapshot();
  Clear();
  App.Flags = 0;
  DrawRun(canvas_.Dc, mirrored, 7, 0, 0, 400, 60);
  EXPECT_TRUE(reversed == Snapshot());
  // And it differs from the unreversed stored run.
  Clear();
  DrawRun(canvas_.Dc, stored, 7, 0, 0, 400, 60);
  EXPECT_FALSE(reversed == Snapshot());
  // With code base 0x61 the option has no effect.
  App.Font.FontAsciiBase = 0x61;
  Clear();
  DrawRun(canvas_.Dc, stored, 7, 0, 0, 400, 60);
  std::vector<uint32_t> plain = Snapshot();
  Clear();
  App.Flags = kFlagReverse;
  DrawRun(canvas_.Dc, stored, 7, 0, 0, 400, 60);
  EXPECT_TRUE(plain == Snapshot());
}

// With the Reverse option on, a run of marks alone (a line of a record's
// punctuation) is reversed and drawn right to left like every other run, so it
// shows in its stored order, as with the option off; so do the calendar's arrows.
TEST_F(GdiTextTest, ReverseKeepsTheOrderOfARunWithoutLetters) {
  for (const char* marks : {".(*\",", ":-", "  <<  "}) {
    const uint8_t* run = reinterpret_cast<const uint8_t*>(marks);
    const int32_t count = static_cast<int32_t>(strlen(marks));
    Clear();
    App.Flags = 0;
    DrawRun(canvas_.Dc, run, count, 0, 0, 400, 60);
    const std::vector<uint32_t> stored = Snapshot();
    Clear();
    App.Flags = kFlagReverse;
    DrawRun(canvas_.Dc, run, count, 0, 0, 400, 60);
    EXPECT_TRUE(stored == Snapshot()) << marks;
  }
}

TEST_F(GdiTextTest, DrawRunColouredUsesAndRestoresTheColours) {
  SetBkMode(canvas_.Dc, OPAQUE);
  SetTextColor(canvas_.Dc, RGB(1, 2, 3));
  SetBkColor(canvas_.Dc, RGB(4, 5, 6));
  DrawRunColoured(canvas_.Dc, kRun, 10, 0, 0, 400, 60, RGB(255, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetTextColor(canvas_.Dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkColor(canvas_.Dc), RGB(4, 5, 6));
  bool red = false, green = false;
  for (int y = 0; y < canvas_.Height; ++y) {
    for (int x = 0; x < canvas_.Width; ++x) {
      uint32_t p = PixelAt(canvas_, x, y);
      red |= p == 0xFF0000;
      green |= p == 0x00FF00;
    }
  }
  EXPECT_TRUE(red);
  EXPECT_TRUE(green);
}

TEST_F(GdiTextTest, FillRoleBoxFillsExactlyItsBox) {
  struct Row {
    int32_t x, y, width, height;
    ColourRole role;
    uint32_t colour;
  };
  const Row rows[] = {
      {10, 10, 20, 5, ColourRole::Ink, 0x000000},    // a box inside
      {390, 50, 30, 30, ColourRole::Band, 0xC0C0C0}, // clipped at the edge
      {5, 5, 0, 10, ColourRole::Ink, 0},             // empty: nothing
      {5, 5, 10, -4, ColourRole::Ink, 0},            // negative: nothing
      {INT32_MAX - 1, 0, INT32_MAX, 5, ColourRole::Ink, 0},  // far away: nothing
  };
  for (const Row& r : rows) {
    Clear();
    FillRoleBox(canvas_.Dc, r.x, r.y, r.width, r.height, r.role);
    for (int y = 0; y < canvas_.Height; ++y) {
      for (int x = 0; x < canvas_.Width; ++x) {
        bool inside = r.width > 0 && r.height > 0 && x >= r.x && y >= r.y &&
                      static_cast<int64_t>(x) < static_cast<int64_t>(r.x) + r.width &&
                      static_cast<int64_t>(y) < static_cast<int64_t>(r.y) + r.height;
        ASSERT_EQ(PixelAt(canvas_, x, y), inside ? r.colour : 0xFFFFFFu)
            << "box " << r.x << "," << r.y << " at " << x << "," << y;
      }
    }
  }
  FillRoleBox(nullptr, 0, 0, 10, 10, ColourRole::Ink);  // no device context: nothing
}

}  // namespace
