// Print: the print job on the chosen printer, and the day's text laid out
// again on the printer and painted page by page with the view's own layout
// and painting, a header and a numbered footer on every page.
#pragma once
#include <windows.h>

#include "output/print_layout.h"
#include "view/lesson_view.h"

// The command handler of Print: prints the main view's text with a header and
// a numbered footer on every page. Nothing without a view or text; "The text
// does not fit on the page." when the margins leave no room for a line.
void PrintDay(const LessonView* mainView);

// Chooses the printer (SelectPrinter), starts the document documentName and
// its first page, then stores the dialog's margins and hands them out. Null
// when printing is not to go on (the failures the user must know of have been
// reported; a document that did not start is silent). The caller owns the
// context and ends the document.
HDC StartPrintJob(const wchar_t* documentName, PrintMargins* margins);
