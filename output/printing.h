// Print: Page Setup, the print job, and the day's text laid out again on the
// printer and painted page by page with the view's own layout and painting.
// The margins and the printer's device mode are kept in the registry.
#pragma once
#include <windows.h>

#include <cstdint>

#include "output/print_layout.h"
#include "view/lesson_view.h"

// The command handler of Print: prints the main view's text with a header and
// a numbered footer on every page. Nothing without a view or text.
void PrintDay(const LessonView* mainView);

// Shows Page Setup with the stored margins and printer; on OK stores the
// device mode, makes the printer's device context and starts the document
// documentName and its first page, then stores the dialog's margins and hands
// them out. Null when printing is not to go on (the dialog failed or was
// cancelled, no device context, the document did not start); the failures
// the user must know of have been reported. The caller owns the context and
// ends the document.
HDC StartPrintJob(const wchar_t* documentName, PrintMargins* margins);

// A new movable global block holding the registry value name of the settings
// key, if it holds a usable device mode (DevModeBytesUsable); otherwise
// fallback. The caller owns the block returned.
HGLOBAL LoadSavedDevMode(const wchar_t* name, HGLOBAL fallback);

// The text of the last Page Setup failure (CommDlgExtendedError), or null
// when the table has none for it (0, a cancel, among them).
const char* PageSetupErrorText();
