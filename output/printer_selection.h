// Choosing the printer: the Page Setup dialog with the stored margins and
// printer, the printer's device mode kept in the registry and for the run,
// and the printer's device context.
#pragma once
#include <windows.h>

#include "output/print_layout.h"

// Shows Page Setup with the stored margins and printer; on OK stores the
// device mode, makes the chosen printer's device context and hands out the
// dialog's margins (not stored yet). Null when printing is not to go on: the
// dialog failed ("Error Printing" with the failure's text) or was cancelled
// (no message), it gave no device mode, or the printer gave no device
// context ("Printer Initialitazion failed!"). The caller owns the context.
HDC SelectPrinter(PrintMargins* margins);

// Stores the margins in the order top, bottom, left, right.
void StorePrintMargins(const PrintMargins& margins);

// A new movable global block holding the registry value name of the settings
// key, if it holds a usable device mode (DevModeBytesUsable); otherwise
// fallback. The caller owns the block returned.
HGLOBAL LoadSavedDevMode(const wchar_t* name, HGLOBAL fallback);

// The string-table entry of the last Page Setup failure (CommDlgExtendedError),
// or 0 when the table has none for it (0, a cancel, among them).
uint32_t PageSetupErrorTextId();
