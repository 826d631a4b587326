// The arithmetic of a printed page: margins, the text area in printer pixels,
// the header and footer lines and their texts, the string-table entries of the
// Page Setup failures and the check of a stored device mode. Pure; the Win32 printing code asks the
// printer for its resolution and hands the figures in.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"

// Margins in thousandths of an inch, each measured inward from the paper's
// edge, as Page Setup shows and returns them.
struct PrintMargins {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};

constexpr int32_t kDefaultPrintMargin = 1000;  // one inch
// Largest stored margin taken as it stands (100 inches); larger or negative
// values are damaged settings and read as the default.
constexpr int32_t kMaxPrintMargin = 100000;

// A margin read from the registry: the value, or the default when it lies
// outside 0..kMaxPrintMargin.
int32_t UsablePrintMargin(int32_t stored);

// What the printer reports: LOGPIXELSX, LOGPIXELSY, HORZRES, VERTRES,
// PHYSICALOFFSETX, PHYSICALOFFSETY, PHYSICALWIDTH, PHYSICALHEIGHT. Device
// coordinates start at the printable area's corner.
struct PrinterGeometry {
  int32_t DpiX;
  int32_t DpiY;
  int32_t PageWidth;    // printable width in pixels
  int32_t PageHeight;   // printable height in pixels
  int32_t OffsetX = 0;      // the printable area's left edge from the paper's, pixels
  int32_t OffsetY = 0;      // its top edge from the paper's
  int32_t PaperWidth = 0;   // the paper's width in pixels; 0 when not known
  int32_t PaperHeight = 0;  // the paper's height in pixels; 0 when not known
};

// A box in printer pixels: left, top, width, height.
struct PrintArea {
  int32_t X;
  int32_t Y;
  int32_t Width;
  int32_t Height;
};

// The text area inside the margins, in device coordinates, divisions
// truncating. Each margin in pixels (dpiX * left / 1000, ...) less the
// printer's unprintable border on its side (the offset on the left and top;
// paper less offset less printable size on the right and bottom), clamped at
// 0: x = left, y = top, width = page width - right - x, height likewise.
// Computed in 64 bits; every field is brought into the int32 range, so
// absurd figures give an empty or clamped area, never a wrapped one.
PrintArea PrintTextArea(const PrintMargins& margins, const PrinterGeometry& printer);

// Gap in pixels between the text and the header or footer line.
constexpr int32_t kPrintLineGap = 5;

// Takes the header line (headerHeight pixels) and the footer line
// (footerHeight) out of the text area: y += header + 5, height -= header +
// footer + 10, clamped to the int32 range.
void ReservePrintLines(PrintArea* area, int32_t headerHeight, int32_t footerHeight);

// True if the area can hold text: positive width and height.
bool PrintAreaUsable(const PrintArea& area);

// A line box: left, top, right, bottom, as DrawTextW takes it.
struct LineBox {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};

// The header line above the text area: the headerHeight pixels that end 5
// pixels above it.
LineBox PrintHeaderBox(const PrintArea& area, int32_t headerHeight);

// The footer line below the text area: footerHeight pixels from 5 pixels below it.
LineBox PrintFooterBox(const PrintArea& area, int32_t footerHeight);

// Units of the page header.
constexpr int32_t kPrintHeaderUnits = 4;

// The page header (stored in display order, as the lesson text): U+00E3,
// U+0022, U+00F1, U+00E1, each of U+00E0..U+00FA raised by 0x4F0 into the
// Hebrew block when the effective code base is kCodeBaseUnicode; reversed
// into reading order, as the view's runs, when DrawsInReadingOrder. Writes
// kPrintHeaderUnits units to out.
void PrintHeaderText(int32_t codeBaseSetting, uint32_t flags, WideChar out[kPrintHeaderUnits]);

// The footer's left part: the vendor's web host and " -- Zelvan", zero-
// terminated into out (capacity units); returns its length, 0 if it did not fit.
size_t PrintFooterText(WideChar* out, size_t capacity);

// The footer's right part: pattern (the string table's " Page %1") with the
// page number's decimal digits for %1, zero-terminated into out (capacity
// units); returns its length, 0 if it did not fit.
size_t PrintPageNumberText(const WideChar* pattern, int32_t page, WideChar* out, size_t capacity);

// Document name of the print job.
extern const char kPrintDocumentName[];  // "Zelvan"

// The string-table entry of a Page Setup failure by its CommDlgExtendedError
// code, or 0 for codes the table does not list (0, the user's cancel, among them).
uint32_t PageSetupFailureTextId(uint32_t code);

// Byte offsets of the DEVMODEW fields the stored device mode is checked by.
constexpr size_t kDevModeNameUnits = 32;       // dmDeviceName, in units
constexpr size_t kDevModeSizeOffset = 68;      // dmSize, 16 bits
constexpr size_t kDevModeExtraOffset = 70;     // dmDriverExtra, 16 bits
constexpr size_t kDevModeMinimumBytes = 76;    // up to and including dmFields
// Largest device mode stored in the registry or taken from it.
constexpr size_t kMaxDevModeBytes = 65536;

// True if bytes (size bytes, as read from the registry) can be handed to the
// system as a device mode: kDevModeMinimumBytes..kMaxDevModeBytes bytes, a
// non-empty device name, dmSize at least kDevModeMinimumBytes, and dmSize +
// dmDriverExtra within the block.
bool DevModeBytesUsable(const uint8_t* bytes, size_t size);
