// Print: the print job and the paging loop through the view's own layout
// and painting.
#include "output/print_job.h"

#include <windows.h>

#include "common/message_box.h"
#include "common/wide_text.h"
#include "output/print_header_footer.h"
#include "output/printer_selection.h"
#include "resources/resource.h"
#include "view/line_layout.h"
#include "view/view_paint.h"

namespace {

// Where the paging loop ended.
enum PagingEnd : int32_t {
  kPagesDone = 0,     // every line printed, the last page ended
  kPagesNoRoom = 1,   // a page could hold none of the remaining lines
  kPagesFailed = 2,   // the printer refused a page
};

// Paints the view's lines page by page; the first page was started by
// StartPrintJob. Every page gets the header and its numbered footer.
PagingEnd PrintPages(LessonView* view, int32_t headerHeight, int32_t footerHeight) {
  HDC dc = view->Dc;
  for (int32_t page = 1;; ++page) {
    PaintText(view, false);
    if (view->RowsPainted == 0) return kPagesNoRoom;
    DrawPrintHeaderFooter(view, headerHeight, footerHeight, page);
    view->FirstLineOfPage = view->NextLine;
    if (EndPage(dc) <= 0) return kPagesFailed;
    if (view->NextLine == nullptr || view->NextLine->Flags == 0) return kPagesDone;
    if (StartPage(dc) <= 0) return kPagesFailed;
  }
}

}  // namespace

HDC StartPrintJob(const wchar_t* documentName, PrintMargins* margins) {
  HDC dc = SelectPrinter(margins);
  if (!dc) return nullptr;
  DOCINFOW document = {};
  document.cbSize = sizeof(document);
  document.lpszDocName = documentName;
  if (StartDocW(dc, &document) <= 0) {
    DeleteDC(dc);
    return nullptr;
  }
  if (StartPage(dc) <= 0) {
    AbortDoc(dc);
    DeleteDC(dc);
    return nullptr;
  }
  SetMapMode(dc, MM_TEXT);
  StorePrintMargins(*margins);
  return dc;
}

void PrintDay(const LessonView* mainView) {
  if (!mainView || !mainView->Text) return;
  wchar_t documentName[16];
  WidenAscii(documentName, 16, kPrintDocumentName);
  PrintMargins margins = {};
  HDC dc = StartPrintJob(documentName, &margins);
  if (!dc) return;

  // The printing view borrows the main view's text; it owns its line table
  // and its printer fonts, released below.
  LessonView view = {};
  view.Font = mainView->Font;
  view.Dc = dc;
  const PrinterGeometry printer = {GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY),
                                   GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                                   GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
                                   GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT)};
  PrintArea area = PrintTextArea(margins, printer);
  view.X = area.X;
  view.Y = area.Y;
  view.Width = area.Width;
  view.Height = area.Height;

  PagingEnd end = kPagesNoRoom;
  int32_t laidOut = PrintAreaUsable(area) ? LayoutText(&view, mainView->Text, false) : kViewNothing;
  if (PrintAreaUsable(area) && laidOut != kViewDone) end = kPagesFailed;
  if (laidOut == kViewDone) {
    int32_t headerHeight = 0;
    int32_t footerHeight = 0;
    ReservePrintHeaderFooter(&view, &headerHeight, &footerHeight);
    ReservePrintLines(&area, headerHeight, footerHeight);
    view.Y = area.Y;
    view.Height = area.Height;
    if (PrintAreaUsable(area)) end = PrintPages(&view, headerHeight, footerHeight);
  }
  if (end == kPagesDone) {
    EndDoc(dc);
  } else {
    AbortDoc(dc);
  }
  DeleteDC(dc);
  view.Text = nullptr;
  DestroyLessonView(&view, false);
  if (end == kPagesNoRoom) ShowMessage(IDS_TEXT_DOES_NOT_FIT, IDS_PRINT_ERROR_CAPTION, MB_OK);
}
