// The style-font cache of a view and the date band's font, with real GDI fonts.
#include "view/view_fonts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "common/app_state.h"
#include "lessons/text_stream.h"
#include "tests/wine/wine_test_support.h"
#include "view/line_layout.h"
#include "view/text_device.h"

namespace {

class ViewFontsTest : public testing::Test {
 protected:
  void SetUp() override {
    App = AppState{};
    App.Font.FontAsciiBase = kDefaultAsciiBase;
    ASSERT_TRUE(OpenCanvas(&canvas_, 200, 40));
    dpi_ = GetDeviceCaps(canvas_.Dc, LOGPIXELSY);
    stockFont_ = GetStockObject(DEFAULT_GUI_FONT);
    oldFont_ = SelectObject(canvas_.Dc, stockFont_);
  }
  void TearDown() override {
    SelectObject(canvas_.Dc, oldFont_);
    if (view_) DestroyLessonView(view_, true);
    if (App.DateBandFont) DeleteObject(reinterpret_cast<HFONT>(App.DateBandFont));
    CloseCanvas(&canvas_);
    App = AppState{};
  }

  LessonView* MakeView(const wchar_t* face, int32_t size) {
    FontSettings settings = {};
    wcscpy(settings.FontName, face);
    settings.FontSize = size;
    settings.FontAsciiBase = kDefaultAsciiBase;
    view_ = NewLessonView(canvas_.Dc, &settings, 0, 0, 200, 40, 0);
    return view_;
  }

  int CacheSize() const {
    int n = 0;
    for (StyleFontEntry* e = view_->Fonts; e; e = e->Next) ++n;
    return n;
  }

  StyleFontEntry* Entry(uint16_t key) const {
    for (StyleFontEntry* e = view_->Fonts; e; e = e->Next) {
      if (e->Key == key) return e;
    }
    return nullptr;
  }

  LOGFONTW Describe(FontHandle font) const {
    LOGFONTW description = {};
    EXPECT_EQ(GetObjectW(reinterpret_cast<HFONT>(font), sizeof description, &description),
              static_cast<int>(sizeof description));
    return description;
  }

  Canvas canvas_ = {};
  int dpi_ = 0;
  HGDIOBJ stockFont_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
  LessonView* view_ = nullptr;
};

TEST(StyleFontPoints, HeightsOfEveryStyleBit) {
  struct Row {
    uint32_t key;
    int32_t size;
    int32_t points;
  };
  const Row rows[] = {
      {0x01, 12, 12},          // body: the base size
      {0x11, 12, 12},          // lesson entry
      {0x1C, 12, 15},          // heading: 5/4
      {0x02, 12, 9},           // small: 6/8
      {0x06, 12, 15},          // large wins over small
      {0x08, 12, 12},          // bold changes no height
      {0x1000, 12, 8},         // print: 8 points
      {0x1010, 12, 8},         // print footer
      {0x1004, 12, 15},        // large wins over print
      {0x1002, 12, 9},         // small wins over print
      {0x11, 0, 0},            // no size: the font mapper's default
      {0x1C, 0, 20},           // no size, large: 20
      {0x12, 0, 14},           // no size, small: 14
      {0x1000, 0, 8},          // no size, print: 8
      {0x04, 7, 8},            // 35/4 truncates
      {0x02, 7, 5},            // 42/8 truncates
      {0x04, -12, -15},        // a negative size truncates toward zero
      {0x02, -7, -5},
      {0x04, INT32_MAX, INT32_MAX},   // no overflow: saturates
      {0x04, INT32_MIN, -INT32_MAX},  // saturates symmetrically
      {0x11, INT32_MIN, -INT32_MAX},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(StyleFontPoints(r.key, r.size), r.points) << std::hex << r.key << std::dec << " size "
                                                        << r.size;
  }
}

TEST_F(ViewFontsTest, OneFontPerKeyCreatedOnFirstUse) {
  MakeView(L"", 12);
  ASSERT_NE(view_, nullptr);
  EXPECT_EQ(CacheSize(), 0);
  EXPECT_EQ(SelectStyle(view_, 0x1C), stockFont_);  // returns the font selected before
  FontHandle heading = Entry(0x1C)->Font;
  EXPECT_EQ(SelectStyle(view_, 0x1C), static_cast<void*>(heading));
  EXPECT_EQ(SelectStyle(view_, 0x11C), static_cast<void*>(heading));  // the colour bit is no key bit
  EXPECT_EQ(CacheSize(), 1);
  EXPECT_EQ(Entry(0x1C)->Font, heading);
  SelectStyle(view_, 0x1010);
  SelectStyle(view_, 0x10);
  EXPECT_EQ(CacheSize(), 3);
  EXPECT_NE(Entry(0x1010)->Font, Entry(0x10)->Font);
  // The flag byte's bits 5-7 are no key bits either.
  SelectStyle(view_, 0xD1);
  EXPECT_NE(Entry(0x11), nullptr);
  EXPECT_EQ(Entry(0xD1), nullptr);
  EXPECT_EQ(GetCurrentObject(canvas_.Dc, OBJ_FONT), reinterpret_cast<HGDIOBJ>(Entry(0x11)->Font));
}

TEST_F(ViewFontsTest, ColourOnlyWithTheColourBit) {
  MakeView(L"", 12);
  struct Row {
    uint32_t request;
    COLORREF colour;  // text colour afterwards, starting from red
  };
  const Row rows[] = {
      {0x1C, RGB(255, 0, 0)},    // heading without colour bit: untouched
      {0x11C, RGB(0, 0, 255)},   // heading: blue
      {0x111, RGB(0, 0, 0)},     // entry: black
      {0x10C, RGB(0, 0, 255)},   // large and bold: blue
      {0x104, RGB(0, 0, 0)},     // large only: black
      {0x108, RGB(0, 0, 0)},     // bold only: black
      {0x1101, RGB(0, 0, 0)},    // print: black
  };
  for (const Row& r : rows) {
    SetTextColor(canvas_.Dc, RGB(255, 0, 0));
    SelectStyle(view_, r.request);
    EXPECT_EQ(GetTextColor(canvas_.Dc), r.colour) << std::hex << r.request;
  }
}

TEST_F(ViewFontsTest, FontDescriptionsFollowSizeFaceAndResolution) {
  struct Row {
    const wchar_t* face;
    int32_t size;
    uint32_t key;
    int32_t points;  // expected height in points
    LONG weight;
  };
  const Row rows[] = {
      {L"", 12, 0x11, 12, FW_NORMAL},           // entry
      {L"", 12, 0x1C, 15, FW_BOLD},             // heading
      {L"", 12, 0x01, 12, FW_NORMAL},           // layout's starting style
      {L"", 12, 0x1000, 8, FW_NORMAL},          // print header
      {L"", 0, 0x11, 0, FW_NORMAL},             // no size: default height
      {L"", 0, 0x1C, 20, FW_BOLD},              // no size: 20-point heading
      {L"DejaVu Sans", 14, 0x11, 14, FW_NORMAL},  // a named face
      {L"DejaVu Sans", 14, 0x0A, 10, FW_BOLD},    // small and bold
  };
  for (const Row& r : rows) {
    MakeView(r.face, r.size);
    SelectStyle(view_, r.key);
    LOGFONTW font = Describe(Entry(static_cast<uint16_t>(r.key))->Font);
    EXPECT_EQ(font.lfHeight, -MulDiv(r.points, dpi_, 72)) << r.face << " " << std::hex << r.key;
    EXPECT_EQ(font.lfWeight, r.weight);
    EXPECT_EQ(std::wstring(font.lfFaceName), std::wstring(r.face));
    EXPECT_EQ(font.lfCharSet, r.face[0] ? 0 : HEBREW_CHARSET);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfQuality, 0);
    SelectObject(canvas_.Dc, stockFont_);
    DestroyLessonView(view_, true);
    view_ = nullptr;
  }
}

TEST_F(ViewFontsTest, ScreenResolutionExamples) {
  // At 96 dots per inch a 12-point entry is 16 units and its heading 20.
  if (dpi_ != 96) GTEST_SKIP() << "screen resolution " << dpi_;
  MakeView(L"", 12);
  SelectStyle(view_, 0x11);
  SelectStyle(view_, 0x1C);
  EXPECT_EQ(Describe(Entry(0x11)->Font).lfHeight, -16);
  EXPECT_EQ(Describe(Entry(0x1C)->Font).lfHeight, -20);
}

TEST_F(ViewFontsTest, ResetRecreatesEveryFontOrEmptiesTheCache) {
  MakeView(L"", 12);
  SelectStyle(view_, 0x11);
  SelectStyle(view_, 0x1C);
  SelectObject(canvas_.Dc, stockFont_);  // nothing cached stays selected
  FontHandle oldEntry = Entry(0x11)->Font;
  FontSettings settings = {};
  wcscpy(settings.FontName, L"DejaVu Sans");
  settings.FontSize = 24;
  settings.FontAsciiBase = 0xE0;
  EXPECT_EQ(ResetStyleFonts(view_, &settings), 0);
  EXPECT_EQ(CacheSize(), 2);
  EXPECT_EQ(std::wstring(view_->Font.FontName), L"DejaVu Sans");
  EXPECT_EQ(view_->Font.FontSize, 24);
  EXPECT_EQ(view_->Font.FontAsciiBase, 0xE0);
  LOGFONTW entry = Describe(Entry(0x11)->Font);
  EXPECT_EQ(entry.lfHeight, -MulDiv(24, dpi_, 72));
  EXPECT_EQ(std::wstring(entry.lfFaceName), L"DejaVu Sans");
  EXPECT_EQ(Describe(Entry(0x1C)->Font).lfHeight, -MulDiv(30, dpi_, 72));
  if (Entry(0x11)->Font != oldEntry) {
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(oldEntry)), 0u);  // deleted
  }
  FontHandle live = Entry(0x11)->Font;
  EXPECT_EQ(ResetStyleFonts(view_, nullptr), 0);
  EXPECT_EQ(view_->Fonts, nullptr);
  EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(live)), 0u);
  EXPECT_EQ(ResetStyleFonts(view_, nullptr), 0);  // again on an empty cache
  EXPECT_EQ(ResetStyleFonts(nullptr, &settings), -1);
  EXPECT_EQ(ResetStyleFonts(nullptr, nullptr), -1);
}

TEST_F(ViewFontsTest, AnEntryWithoutAFontChangesNothing) {
  MakeView(L"", 12);
  // As a failed CreateFontIndirectW leaves it.
  auto* broken = static_cast<StyleFontEntry*>(calloc(1, sizeof(StyleFontEntry)));
  broken->Key = 0x11;
  view_->Fonts = broken;
  EXPECT_EQ(SelectStyle(view_, 0x111), stockFont_);
  EXPECT_EQ(GetCurrentObject(canvas_.Dc, OBJ_FONT), stockFont_);
  // Restoring what it returned keeps the DC as it was.
  RestoreFont(canvas_.Dc, SelectStyle(view_, 0x11));
  EXPECT_EQ(GetCurrentObject(canvas_.Dc, OBJ_FONT), stockFont_);
}

TEST_F(ViewFontsTest, NoViewNoDevice) {
  EXPECT_EQ(SelectStyle(nullptr, 0x11C), nullptr);
  RestoreFont(nullptr, stockFont_);
  RestoreFont(canvas_.Dc, nullptr);
  EXPECT_EQ(GetCurrentObject(canvas_.Dc, OBJ_FONT), stockFont_);
  FontMetrics metrics = {5, 5};
  ReadFontMetrics(nullptr, &metrics);
  EXPECT_EQ(metrics.Height, 0);
  EXPECT_EQ(metrics.MaxCharWidth, 0);
  // A view without a device context still caches its fonts.
  FontSettings settings = {};
  view_ = NewLessonView(nullptr, &settings, 0, 0, 10, 10, 0);
  SelectStyle(view_, 0x1C);
  EXPECT_EQ(CacheSize(), 1);
}

TEST_F(ViewFontsTest, MetricsOfTheSelectedStyle) {
  MakeView(L"", 12);
  FontMetrics entry = {}, heading = {};
  SelectStyle(view_, 0x11);
  ReadFontMetrics(canvas_.Dc, &entry);
  SelectStyle(view_, 0x1C);
  ReadFontMetrics(canvas_.Dc, &heading);
  EXPECT_GT(entry.Height, 0);
  EXPECT_GT(entry.MaxCharWidth, 0);
  EXPECT_GT(heading.Height, entry.Height);  // 15 points against 12
}

TEST_F(ViewFontsTest, AbsurdSizesStillGiveAFont) {
  // Settings straight from the registry are not range-checked; every size
  // must give a usable font that measures in bounded time.
  const uint8_t run[] = "abcdefg hij";
  for (int32_t size : {INT32_MAX, INT32_MIN, -12, 100000, 1, 3000}) {
    MakeView(L"", size);
    for (uint32_t key : {0x11u, 0x1Cu, 0x02u, 0x1000u}) {
      void* previous = SelectStyle(view_, key);
      FontMetrics metrics = {};
      ReadFontMetrics(canvas_.Dc, &metrics);
      int32_t width = 600, count = 11;
      MeasureRun(canvas_.Dc, run, &width, &count);
      EXPECT_LE(width, 600) << size;
      EXPECT_GE(count, 0);
      RestoreFont(canvas_.Dc, previous);
    }
    SelectObject(canvas_.Dc, stockFont_);
    DestroyLessonView(view_, true);
    view_ = nullptr;
  }
}

TEST_F(ViewFontsTest, DateBandFont) {
  struct Row {
    const wchar_t* face;
    BYTE charset;
  };
  const Row rows[] = {
      {L"", HEBREW_CHARSET},           // no face chosen: Hebrew charset
      {L"DejaVu Sans", ANSI_CHARSET},  // a face: charset 0
  };
  for (const Row& r : rows) {
    wcscpy(App.Font.FontName, r.face);
    App.Font.FontSize = 40;  // the band's height does not follow the size
    FontHandle previous = App.DateBandFont;
    CreateDateBandFont();
    ASSERT_NE(App.DateBandFont, nullptr);
    LOGFONTW font = Describe(App.DateBandFont);
    EXPECT_EQ(font.lfHeight, 14);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfCharSet, r.charset);
    EXPECT_EQ(std::wstring(font.lfFaceName), std::wstring(r.face));
    if (previous && previous != App.DateBandFont) {
      EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(previous)), 0u);  // deleted
    }
  }
}

}  // namespace
