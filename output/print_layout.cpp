// Page arithmetic, fixed texts and device-mode check of printing.
#include "output/print_layout.h"

#include <cstdint>
#include <cstdio>

#include "common/app_state.h"
#include "common/update_address.h"
#include "common/wide_text.h"
#include "resources/resource.h"
#include "view/glyph_mapping.h"

const char kPrintDocumentName[] = "Zelvan";

namespace {

constexpr char kFooterProduct[] = " -- Zelvan";

// The header as stored, in display order, at the 8-bit code page's positions.
constexpr WideChar kHeaderUnits[kPrintHeaderUnits] = {0x00E3, 0x0022, 0x00F1, 0x00E1};
constexpr WideChar kRaisedFirst = kCodeBaseCodePage;
constexpr WideChar kRaisedLast = kCodeBaseCodePage + kLetterCount - 1;
constexpr WideChar kRaise = kCodeBaseUnicode - kCodeBaseCodePage;

// The CommDlgExtendedError codes of the Page Setup failures, in the order of
// their texts from IDS_PAGE_SETUP_FAILURE_FIRST on.
const uint32_t kFailureCodes[] = {
    0x0001, 0x0002, 0x0003, 0x0004, 0x0005, 0x0006, 0x0007, 0x0008, 0x0009,  // CDERR_*
    0x000A, 0x000B, 0x000C,
    0x1001, 0x1002, 0x1003, 0x1004, 0x1005, 0x1006, 0x1007, 0x1008, 0x1009,  // PDERR_*
    0x100A, 0x100B, 0x100C,
    0xFFFF,  // CDERR_DIALOGFAILURE
};

// v brought into the int32 range.
int32_t ClampToInt32(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// Pixels of a margin at dpi dots per inch from the paper's edge, truncating,
// less the unprintable border on its side; never below 0.
int64_t MarginPixels(int32_t dpi, int32_t margin, int64_t border) {
  const int64_t pixels = static_cast<int64_t>(dpi) * margin / 1000 - (border > 0 ? border : 0);
  return pixels > 0 ? pixels : 0;
}

// Reads a 16-bit little-endian field at offset.
uint32_t Read16(const uint8_t* bytes, size_t offset) {
  return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8);
}

}  // namespace

int32_t UsablePrintMargin(int32_t stored) {
  return (stored < 0 || stored > kMaxPrintMargin) ? kDefaultPrintMargin : stored;
}

PrintArea PrintTextArea(const PrintMargins& margins, const PrinterGeometry& printer) {
  const int64_t rightBorder = static_cast<int64_t>(printer.PaperWidth) - printer.OffsetX - printer.PageWidth;
  const int64_t bottomBorder = static_cast<int64_t>(printer.PaperHeight) - printer.OffsetY - printer.PageHeight;
  int64_t x = MarginPixels(printer.DpiX, margins.Left, printer.OffsetX);
  int64_t y = MarginPixels(printer.DpiY, margins.Top, printer.OffsetY);
  int64_t width = printer.PageWidth - MarginPixels(printer.DpiX, margins.Right, rightBorder) - x;
  int64_t height = printer.PageHeight - MarginPixels(printer.DpiY, margins.Bottom, bottomBorder) - y;
  return PrintArea{ClampToInt32(x), ClampToInt32(y), ClampToInt32(width), ClampToInt32(height)};
}

void ReservePrintLines(PrintArea* area, int32_t headerHeight, int32_t footerHeight) {
  area->Y = ClampToInt32(static_cast<int64_t>(area->Y) + headerHeight + kPrintLineGap);
  area->Height = ClampToInt32(static_cast<int64_t>(area->Height) - headerHeight - footerHeight -
                              2 * kPrintLineGap);
}

bool PrintAreaUsable(const PrintArea& area) { return area.Width > 0 && area.Height > 0; }

LineBox PrintHeaderBox(const PrintArea& area, int32_t headerHeight) {
  int64_t bottom = static_cast<int64_t>(area.Y) - kPrintLineGap;
  return LineBox{area.X, ClampToInt32(bottom - headerHeight),
                 ClampToInt32(static_cast<int64_t>(area.X) + area.Width), ClampToInt32(bottom)};
}

LineBox PrintFooterBox(const PrintArea& area, int32_t footerHeight) {
  int64_t top = static_cast<int64_t>(area.Y) + area.Height + kPrintLineGap;
  return LineBox{area.X, ClampToInt32(top), ClampToInt32(static_cast<int64_t>(area.X) + area.Width),
                 ClampToInt32(top + footerHeight)};
}

void PrintHeaderText(int32_t codeBaseSetting, uint32_t flags, WideChar out[kPrintHeaderUnits]) {
  int32_t base = EffectiveCodeBase(codeBaseSetting);
  for (int32_t i = 0; i < kPrintHeaderUnits; ++i) {
    WideChar unit = kHeaderUnits[i];
    if (base == kCodeBaseUnicode && unit >= kRaisedFirst && unit <= kRaisedLast) unit += kRaise;
    out[i] = unit;
  }
  if (DrawsInReadingOrder(codeBaseSetting, flags)) {
    for (int32_t i = 0; i < kPrintHeaderUnits / 2; ++i) {
      WideChar kept = out[i];
      out[i] = out[kPrintHeaderUnits - 1 - i];
      out[kPrintHeaderUnits - 1 - i] = kept;
    }
  }
}

size_t PrintFooterText(WideChar* out, size_t capacity) {
  const size_t host = WidenAscii(out, capacity, kVendorHostName);
  const size_t product = host != 0 ? WidenAscii(out + host, capacity - host, kFooterProduct) : 0;
  if (product == 0 && out && capacity > 0) out[0] = 0;  // never a cut text
  return product != 0 ? host + product : 0;
}

size_t PrintPageNumberText(const WideChar* pattern, int32_t page, WideChar* out, size_t capacity) {
  char digits[16];
  snprintf(digits, sizeof digits, "%d", static_cast<int>(page));
  WideChar number[16];
  WidenAscii(number, 16, digits);
  const WideChar* values[] = {number};
  return FillTextPattern(out, capacity, pattern, values, 1);
}

uint32_t PageSetupFailureTextId(uint32_t code) {
  for (uint32_t index = 0; index < sizeof kFailureCodes / sizeof kFailureCodes[0]; ++index) {
    if (kFailureCodes[index] == code) return IDS_PAGE_SETUP_FAILURE_FIRST + index;
  }
  return 0;
}

bool DevModeBytesUsable(const uint8_t* bytes, size_t size) {
  if (!bytes || size < kDevModeMinimumBytes || size > kMaxDevModeBytes) return false;
  if (bytes[0] == 0 && bytes[1] == 0) return false;  // no device name
  uint32_t structBytes = Read16(bytes, kDevModeSizeOffset);
  uint32_t extraBytes = Read16(bytes, kDevModeExtraOffset);
  return structBytes >= kDevModeMinimumBytes && structBytes + extraBytes <= size;
}
