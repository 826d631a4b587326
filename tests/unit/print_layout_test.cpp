// The arithmetic of a printed page: margins, text area, header and footer
// lines, their texts, the Page Setup failure table and the device-mode check.
#include "output/print_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "resources/resource.h"
#include "view/glyph_mapping.h"

namespace {

// A zero-terminated unit text as a std::u16string.
std::u16string Units(const WideChar* text) {
  std::u16string units;
  for (size_t i = 0; text[i] != 0; ++i) units.push_back(static_cast<char16_t>(text[i]));
  return units;
}

TEST(PrintMargins, StoredValues) {
  struct Row {
    int32_t stored;
    int32_t expected;
  };
  const Row rows[] = {
      {1000, 1000},         // the default as stored
      {0, 0},               // no margin at all
      {250, 250},           // a quarter inch
      {100000, 100000},     // the largest taken as it stands
      {100001, 1000},       // beyond it: a damaged setting
      {-1, 1000},           // negative: damaged
      {INT32_MIN, 1000},
      {INT32_MAX, 1000},
  };
  for (const Row& row : rows) EXPECT_EQ(UsablePrintMargin(row.stored), row.expected) << row.stored;
}

TEST(PrintArea, FromMarginsAndPrinter) {
  struct Row {
    PrintMargins margins;
    PrinterGeometry printer;
    PrintArea expected;
  };
  const Row rows[] = {
      // A4 at 300 dpi (printable 2480 x 3508) with one inch all round.
      {{1000, 1000, 1000, 1000}, {300, 300, 2480, 3508}, {300, 300, 1880, 2908}},
      // Narrow margins: a quarter inch.
      {{250, 250, 250, 250}, {300, 300, 2480, 3508}, {75, 75, 2330, 3358}},
      // Divisions truncate: 300 * 333 / 1000 = 99.9 gives 99.
      {{333, 333, 333, 333}, {300, 300, 2480, 3508}, {99, 99, 2282, 3310}},
      // Different resolutions across and down.
      {{1000, 500, 2000, 1500}, {600, 300, 4960, 3508}, {600, 150, 3160, 2908}},
      // Margins wider than the page: an empty (negative) width.
      {{5000, 1000, 5000, 1000}, {300, 300, 2480, 3508}, {1500, 300, -520, 2908}},
      // Page Setup's margins are from the paper's edge: a printer with an
      // unprintable border (half an inch left and right, a quarter inch top
      // and bottom) takes it off each margin; device coordinates start at
      // the printable area.
      {{1000, 1000, 1000, 1000}, {300, 300, 2180, 3358, 150, 75, 2480, 3508}, {150, 225, 1880, 2908}},
      // Margins narrower than the border: the printable area's edge.
      {{250, 250, 250, 250}, {300, 300, 2180, 3358, 150, 75, 2480, 3508}, {0, 0, 2180, 3358}},
      // A printer without resolution: the whole page.
      {{1000, 1000, 1000, 1000}, {0, 0, 2480, 3508}, {0, 0, 2480, 3508}},
      // Absurd figures do not wrap: clamped to the int32 range.
      {{100000, 100000, 100000, 100000}, {INT32_MAX, INT32_MAX, 10, 10},
       {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}},
  };
  for (const Row& row : rows) {
    PrintArea area = PrintTextArea(row.margins, row.printer);
    EXPECT_EQ(area.X, row.expected.X);
    EXPECT_EQ(area.Y, row.expected.Y);
    EXPECT_EQ(area.Width, row.expected.Width);
    EXPECT_EQ(area.Height, row.expected.Height);
  }
}

TEST(PrintArea, HeaderAndFooterLines) {
  // The page from the top margin down: header (A), 5, text, 5, footer (B),
  // ending at the bottom margin.
  PrintArea area = {300, 300, 1880, 2908};
  const int32_t a = 35;
  const int32_t b = 37;
  ReservePrintLines(&area, a, b);
  EXPECT_EQ(area.Y, 300 + a + 5);
  EXPECT_EQ(area.Height, 2908 - a - b - 10);
  EXPECT_EQ(area.X, 300);
  EXPECT_EQ(area.Width, 1880);
  LineBox header = PrintHeaderBox(area, a);
  EXPECT_EQ(header.Top, 300);  // the first A pixels below the top margin
  EXPECT_EQ(header.Bottom, area.Y - 5);
  EXPECT_EQ(header.Left, 300);
  EXPECT_EQ(header.Right, 300 + 1880);
  LineBox footer = PrintFooterBox(area, b);
  EXPECT_EQ(footer.Top, area.Y + area.Height + 5);
  EXPECT_EQ(footer.Bottom, 300 + 2908);  // ends at the bottom margin
  EXPECT_EQ(footer.Left, header.Left);
  EXPECT_EQ(footer.Right, header.Right);
  EXPECT_TRUE(PrintAreaUsable(area));
}

TEST(PrintArea, Usable) {
  struct Row {
    PrintArea area;
    bool usable;
  };
  const Row rows[] = {
      {{0, 0, 1, 1}, true},         // one pixel is room
      {{0, 0, 0, 100}, false},      // no width
      {{0, 0, 100, 0}, false},      // no height
      {{0, 0, -5, 100}, false},     // margins overlapping across
      {{0, 0, 100, -5}, false},     // header and footer taller than the area
  };
  for (const Row& row : rows) EXPECT_EQ(PrintAreaUsable(row.area), row.usable);
  // Lines taller than the area leave it unusable, and never wrap.
  PrintArea small = {0, 0, 100, 20};
  ReservePrintLines(&small, 10, 10);
  EXPECT_FALSE(PrintAreaUsable(small));
  PrintArea edge = {0, INT32_MAX - 3, 100, INT32_MIN + 3};
  ReservePrintLines(&edge, 100, 100);
  EXPECT_EQ(edge.Y, INT32_MAX);
  EXPECT_EQ(edge.Height, INT32_MIN);
  EXPECT_FALSE(PrintAreaUsable(edge));
}

TEST(PrintHeader, CodeBaseAndReverse) {
  struct Row {
    int32_t base;
    uint32_t flags;
    std::u16string expected;
  };
  const Row rows[] = {
      // Unicode Hebrew: raised by 0x4F0; stored display order without Reverse.
      {0x5D0, 0, u"\u05D3\"\u05E1\u05D1"},
      // With Reverse (a system that reorders): reading order, as the view draws.
      {0x5D0, kFlagReverse, u"\u05D1\u05E1\"\u05D3"},
      // A damaged code base maps as 0x5D0.
      {0, kFlagReverse, u"\u05D1\u05E1\"\u05D3"},
      // The 8-bit code page: the stored units; Reverse applies as in the view.
      {224, 0, u"\u00E3\"\u00F1\u00E1"},
      {224, kFlagReverse, u"\u00E1\u00F1\"\u00E3"},
      // Code base 97 disables Reverse.
      {97, 0, u"\u00E3\"\u00F1\u00E1"},
      {97, kFlagReverse, u"\u00E3\"\u00F1\u00E1"},
      // Other Flags bits change nothing.
      {0x5D0, kDefaultFlags & ~kFlagReverse, u"\u05D3\"\u05E1\u05D1"},
  };
  for (const Row& row : rows) {
    WideChar header[kPrintHeaderUnits + 1] = {};
    PrintHeaderText(row.base, row.flags, header);
    EXPECT_EQ(Units(header), row.expected) << row.base << " " << row.flags;
    // Drawn right-to-left exactly when reversed into reading order.
    const bool reversed = (row.flags & kFlagReverse) && row.base != 97;
    EXPECT_EQ(DrawsInReadingOrder(row.base, row.flags), reversed) << row.base << " " << row.flags;
  }
}

TEST(PrintFooter, Texts) {
  WideChar text[64];
  ASSERT_EQ(PrintFooterText(text, 64), 30u);
  EXPECT_EQ(Units(text), u"www.thalvane.example -- Zelvan");
  const WideChar* english = reinterpret_cast<const WideChar*>(u" Page %1");
  struct Row {
    const char16_t* pattern;
    int32_t page;
    std::u16string expected;
  };
  const Row rows[] = {
      {u" Page %1", 1, u" Page 1"},
      {u" Page %1", 12, u" Page 12"},
      {u" Page %1", 0, u" Page 0"},
      {u" Page %1", -3, u" Page -3"},
      {u" Page %1", INT32_MAX, u" Page 2147483647"},
      {u" \u05E2\u05DE\u05D5\u05D3 %1", 7, u" \u05E2\u05DE\u05D5\u05D3 7"},  // the Hebrew " עמוד %1"
      {u"%1/", 3, u"3/"},        // the number may stand anywhere in a translation
      {u"%2 %", 3, u"%2 %"},     // markers with nothing to fill stay as they are
  };
  for (const Row& row : rows) {
    const WideChar* pattern = reinterpret_cast<const WideChar*>(row.pattern);
    ASSERT_EQ(PrintPageNumberText(pattern, row.page, text, 64), row.expected.size());
    EXPECT_EQ(Units(text), row.expected);
  }
  // Too small a buffer gives an empty text, never a cut one.
  EXPECT_EQ(PrintFooterText(text, 30), 0u);
  EXPECT_EQ(text[0], 0);
  EXPECT_EQ(PrintFooterText(text, 31), 30u);
  EXPECT_EQ(PrintPageNumberText(english, 7, text, 7), 0u);
  EXPECT_EQ(text[0], 0);
  EXPECT_EQ(PrintPageNumberText(english, 7, text, 8), 7u);
  EXPECT_EQ(PrintPageNumberText(english, 7, nullptr, 8), 0u);
}

TEST(PageSetupFailure, TextIds) {
  struct Row {
    uint32_t code;
    int32_t entry;  // IDS_PAGE_SETUP_FAILURE_FIRST + entry; -1: none ("Unknown Error", or nothing for a cancel)
  };
  const Row rows[] = {
      {0x0000, -1},  // cancel: not in the table
      {0x0001, 0},   // "Struct Size"
      {0x0002, 1},   // "Initialization"
      {0x0003, 2},   // "No Template"
      {0x0004, 3},   // "No hInstance"
      {0x0005, 4},   // "Load String Failure"
      {0x0006, 5},   // "Find Resource Failure"
      {0x0007, 6},   // "Load Resource Failure"
      {0x0008, 7},   // "Lock Resource Failure"
      {0x0009, 8},   // "Memory Allocation Failure"
      {0x000A, 9},   // "Memory Lock Failure"
      {0x000B, 10},  // "No Hook"
      {0x000C, 11},  // "RegisterWindowMessage Fail"
      {0x000D, -1},  // past the common dialogs' codes
      {0x1000, -1},  // before the printing codes
      {0x1001, 12},  // "Setup Failure"
      {0x1002, 13},  // "Parse Failure"
      {0x1003, 14},  // "Return Default Failure"
      {0x1004, 15},  // "Load Driver Failure"
      {0x1005, 16},  // "GetDevMode Fail"
      {0x1006, 17},  // "Init Failure"
      {0x1007, 18},  // "No Printer Drivers Were Found"
      {0x1008, 19},  // "No Default Printer"
      {0x1009, 20},  // "DevMode and DevNames Are For Different Printers"
      {0x100A, 21},  // "Create Information Context  Failure" (two blanks, as the system has it)
      {0x100B, 22},  // "Printer Not Found"
      {0x100C, 23},  // "Default Different"
      {0x100D, -1},  // past the printing codes
      {0x2001, -1},  // a font dialog code
      {0xFFFF, 24},  // "Dialog Failure"
      {0x10000, -1},  // beyond 16 bits
  };
  for (const Row& row : rows) {
    const uint32_t expected = row.entry < 0 ? 0 : IDS_PAGE_SETUP_FAILURE_FIRST + row.entry;
    EXPECT_EQ(PageSetupFailureTextId(row.code), expected) << std::hex << row.code;
  }
  // Every code of the table found, and nothing else in 0..0x10000.
  int found = 0;
  for (uint32_t code = 0; code <= 0x10000; ++code) found += PageSetupFailureTextId(code) != 0;
  EXPECT_EQ(found, 25);
  EXPECT_STREQ(kPrintDocumentName, "Zelvan");
}

// A device mode block of size bytes named "PDF" with dmSize and dmDriverExtra.
std::vector<uint8_t> DevMode(size_t size, uint16_t structBytes, uint16_t extra) {
  std::vector<uint8_t> bytes(size, 0);
  const char16_t name[] = u"PDF";
  if (size >= 8) memcpy(bytes.data(), name, sizeof name);
  if (size >= kDevModeMinimumBytes) {
    bytes[kDevModeSizeOffset] = structBytes & 0xFF;
    bytes[kDevModeSizeOffset + 1] = structBytes >> 8;
    bytes[kDevModeExtraOffset] = extra & 0xFF;
    bytes[kDevModeExtraOffset + 1] = extra >> 8;
  }
  return bytes;
}

TEST(StoredDevMode, Usable) {
  struct Row {
    std::vector<uint8_t> bytes;
    bool usable;
  };
  std::vector<uint8_t> unnamed = DevMode(220, 220, 0);
  unnamed[0] = 0;
  unnamed[1] = 0;
  const Row rows[] = {
      {DevMode(220, 220, 0), true},           // the whole structure, no driver data
      {DevMode(220 + 1024, 220, 1024), true}, // with the driver's own data
      {DevMode(300, 220, 16), true},          // a larger block than needed
      {DevMode(76, 76, 0), true},             // the smallest accepted
      {DevMode(75, 75, 0), false},            // too short to hold dmFields
      {DevMode(0, 0, 0), false},              // empty value
      {DevMode(220, 75, 0), false},           // dmSize too small
      {DevMode(220, 221, 0), false},          // dmSize beyond the block
      {DevMode(220, 220, 1), false},          // driver data beyond the block
      {DevMode(220, 0xFFFF, 0xFFFF), false},  // absurd sizes
      {unnamed, false},                       // no device name
      {DevMode(kMaxDevModeBytes + 1, 220, 0), false},  // too large for a setting
      {DevMode(kMaxDevModeBytes, 220, 0), true},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    EXPECT_EQ(DevModeBytesUsable(rows[i].bytes.data(), rows[i].bytes.size()), rows[i].usable) << "row " << i;
  }
  EXPECT_FALSE(DevModeBytesUsable(nullptr, 220));
}

}  // namespace
