// Header and footer lines of a printed page.
#include "output/print_header_footer.h"

#include <windows.h>

#include "common/app_state.h"
#include "common/ui_text.h"
#include "output/print_layout.h"
#include "resources/resource.h"
#include "view/glyph_mapping.h"
#include "view/text_device.h"

namespace {

// The two print styles: the view's face at 8 points, normal weight. The
// header's height is measured with the first and the footer's with the
// second; the footer is drawn with the first and the header with the second.
constexpr uint32_t kPrintStyleFirst = kStylePrint;          // 0x1000
constexpr uint32_t kPrintStyleSecond = kStylePrint | kRecordReversed;  // 0x1010
constexpr UINT kLineFormat = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;

// tmHeight of the font of style on the view's DC.
int32_t StyleHeight(LessonView* view, uint32_t style) {
  void* previous = SelectStyle(view, style);
  FontMetrics metrics = {0, 0};
  ReadFontMetrics(view->Dc, &metrics);
  RestoreFont(view->Dc, previous);
  return metrics.Height > 0 ? metrics.Height : 0;
}

// Draws count units of text into box with format.
void DrawLine(HDC dc, const wchar_t* text, int count, const LineBox& box, UINT format) {
  RECT rect = {box.Left, box.Top, box.Right, box.Bottom};
  DrawTextW(dc, text, count, &rect, format);
}

}  // namespace

void ReservePrintHeaderFooter(LessonView* view, int32_t* headerHeight, int32_t* footerHeight) {
  *headerHeight = StyleHeight(view, kPrintStyleFirst);
  *footerHeight = StyleHeight(view, kPrintStyleSecond);
}

void DrawPrintHeaderFooter(LessonView* view, int32_t headerHeight, int32_t footerHeight, int32_t page) {
  HDC dc = view->Dc;
  void* previous = SelectStyle(view, kPrintStyleFirst);
  wchar_t header[kPrintHeaderUnits];
  PrintHeaderText(view->Font.FontAsciiBase, App.Flags, header);
  SetBkMode(dc, TRANSPARENT);

  const PrintArea area = {view->X, view->Y, view->Width, view->Height};
  LineBox footer = PrintFooterBox(area, footerHeight);
  wchar_t text[64];
  size_t length = PrintFooterText(text, 64);
  DrawLine(dc, text, static_cast<int>(length), footer, DT_LEFT | kLineFormat);
  // The page number in the interface's language, a right-to-left line in Hebrew.
  length = PrintPageNumberText(UiText(IDS_PRINT_PAGE), page, text, 64);
  DrawLine(dc, text, static_cast<int>(length), footer,
           DT_RIGHT | kLineFormat | (UiRightToLeft() ? DT_RTLREADING : 0));

  // In reading order the header is a right-to-left line: its punctuation
  // keeps its place at the line's ends.
  UINT direction = DrawsInReadingOrder(view->Font.FontAsciiBase, App.Flags) ? DT_RTLREADING : 0;
  SelectStyle(view, kPrintStyleSecond);
  DrawLine(dc, header, kPrintHeaderUnits, PrintHeaderBox(area, headerHeight),
           DT_RIGHT | direction | kLineFormat);
  RestoreFont(dc, previous);
}
