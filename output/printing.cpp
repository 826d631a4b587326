// Print: Page Setup, the print job, and the paging loop through the view's
// own layout and painting.
#include "output/printing.h"

#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstddef>
#include <cstring>
#include <cwchar>

#include "output/print_header_footer.h"
#include "shell/app_state.h"
#include "shell/on_demand_api.h"
#include "shell/settings.h"
#include "shell/wide_text.h"
#include "view/line_layout.h"
#include "view/view_paint.h"

static_assert(offsetof(DEVMODEW, dmSize) == kDevModeSizeOffset, "dmSize offset");
static_assert(offsetof(DEVMODEW, dmDriverExtra) == kDevModeExtraOffset, "dmDriverExtra offset");
static_assert(offsetof(DEVMODEW, dmFields) + sizeof(DWORD) == kDevModeMinimumBytes, "dmFields end");
static_assert(sizeof(DEVMODEW::dmDeviceName) / sizeof(WCHAR) == kDevModeNameUnits, "device name units");

namespace {

constexpr wchar_t kDevModeValue[] = L"DevMode";
constexpr size_t kMessageChars = 128;

// The device mode that this run's last successful Page Setup returned; owned here.
HGLOBAL savedDevMode = nullptr;

// Shows an ASCII message owned by the main window with an OK button.
void ShowPrintMessage(const char* text, const char* caption) {
  wchar_t wideText[kMessageChars];
  wchar_t wideCaption[kMessageChars];
  WidenAscii(wideText, kMessageChars, text);
  WidenAscii(wideCaption, kMessageChars, caption);
  MessageBoxW(App.MainWindow, wideText, wideCaption, MB_OK);
}

// A new movable copy of block, or null for none or when it cannot be made.
HGLOBAL CopyGlobalBlock(HGLOBAL block) {
  if (!block) return nullptr;
  SIZE_T bytes = GlobalSize(block);
  const void* source = bytes ? GlobalLock(block) : nullptr;
  if (!source) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes);
  void* target = copy ? GlobalLock(copy) : nullptr;
  if (target) {
    memcpy(target, source, bytes);
    GlobalUnlock(copy);
  } else if (copy) {
    GlobalFree(copy);
    copy = nullptr;
  }
  GlobalUnlock(block);
  return copy;
}

// The four margins of the registry, damaged values as the default.
PrintMargins ReadPrintMargins() {
  PrintMargins margins;
  margins.Left = UsablePrintMargin(ReadSettingInt(kProductKey, L"PrintLeft", kDefaultPrintMargin));
  margins.Top = UsablePrintMargin(ReadSettingInt(kProductKey, L"PrintTop", kDefaultPrintMargin));
  margins.Right = UsablePrintMargin(ReadSettingInt(kProductKey, L"PrintRight", kDefaultPrintMargin));
  margins.Bottom = UsablePrintMargin(ReadSettingInt(kProductKey, L"PrintBottom", kDefaultPrintMargin));
  return margins;
}

// Stores the margins in the order top, bottom, left, right.
void StorePrintMargins(const PrintMargins& margins) {
  WriteSettingDword(L"PrintTop", static_cast<uint32_t>(margins.Top));
  WriteSettingDword(L"PrintBottom", static_cast<uint32_t>(margins.Bottom));
  WriteSettingDword(L"PrintLeft", static_cast<uint32_t>(margins.Left));
  WriteSettingDword(L"PrintRight", static_cast<uint32_t>(margins.Right));
}

// Copies the zero-terminated name at units[first] into name (capacity units)
// if it ends within limit units and fits; otherwise name is left empty.
void CopyBoundedName(const wchar_t* units, size_t first, size_t limit, wchar_t name[], size_t capacity) {
  name[0] = 0;
  for (size_t n = 0; first + n < limit && n < capacity; ++n) {
    name[n] = units[first + n];
    if (name[n] == 0) return;
  }
  name[0] = 0;
}

// The printer's name for CreateDCW: the full name from the dialog's device
// names when it gave them (a device mode holds at most 31 characters of it),
// else the device mode's own, cut at its 32 units.
void PrinterName(HGLOBAL devNames, const DEVMODEW* mode, wchar_t name[], size_t capacity) {
  name[0] = 0;
  const auto* names = devNames ? static_cast<const DEVNAMES*>(GlobalLock(devNames)) : nullptr;
  if (names) {
    // DEVNAMES offsets count characters from the start of the block.
    CopyBoundedName(reinterpret_cast<const wchar_t*>(names), names->wDeviceOffset,
                    GlobalSize(devNames) / sizeof(wchar_t), name, capacity);
    GlobalUnlock(devNames);
  }
  if (name[0] != 0) return;
  size_t n = 0;
  while (n < kDevModeNameUnits && n + 1 < capacity && mode->dmDeviceName[n] != 0) {
    name[n] = mode->dmDeviceName[n];
    ++n;
  }
  name[n] = 0;
}

// A DEVNAMES block naming the printer name (driver "winspool", no port), or
// null when it cannot be had. The caller owns it.
HGLOBAL NewDevNames(const wchar_t* name) {
  static const wchar_t kDriver[] = L"winspool";
  const size_t first = sizeof(DEVNAMES) / sizeof(wchar_t);
  const size_t driverChars = sizeof(kDriver) / sizeof(wchar_t);
  const size_t nameChars = wcslen(name) + 1;
  const size_t total = first + driverChars + nameChars + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total * sizeof(wchar_t));
  auto* names = block ? static_cast<DEVNAMES*>(GlobalLock(block)) : nullptr;
  if (!names) {
    if (block) GlobalFree(block);
    return nullptr;
  }
  auto* units = reinterpret_cast<wchar_t*>(names);
  names->wDriverOffset = static_cast<WORD>(first);
  memcpy(units + first, kDriver, sizeof(kDriver));
  names->wDeviceOffset = static_cast<WORD>(first + driverChars);
  memcpy(units + first + driverChars, name, nameChars * sizeof(wchar_t));
  names->wOutputOffset = static_cast<WORD>(first + driverChars + nameChars);
  GlobalUnlock(block);
  return block;
}

// True if the system has a printer name.
bool PrinterInstalled(const wchar_t* name) {
  HANDLE printer = nullptr;
  if (!OnDemandOpenPrinterW(const_cast<wchar_t*>(name), &printer, nullptr)) return false;
  OnDemandClosePrinter(printer);
  return true;
}

// The device names that make Page Setup offer the printer of the stored
// device mode (the dialog otherwise offers the default printer). A device
// mode of a printer that is no longer installed is released (*devMode null):
// the dialog then offers the default printer instead of failing. Null when
// there is no device mode or its name was cut to the field's 32 units.
HGLOBAL StoredPrinterNames(HGLOBAL* devMode) {
  const auto* mode = *devMode ? static_cast<const DEVMODEW*>(GlobalLock(*devMode)) : nullptr;
  if (!mode) return nullptr;
  wchar_t name[kDevModeNameUnits + 1];
  size_t n = 0;
  while (n < kDevModeNameUnits && mode->dmDeviceName[n] != 0) {
    name[n] = mode->dmDeviceName[n];
    ++n;
  }
  name[n] = 0;
  GlobalUnlock(*devMode);
  if (n == kDevModeNameUnits) return nullptr;
  if (!PrinterInstalled(name)) {
    GlobalFree(*devMode);
    *devMode = nullptr;
    return nullptr;
  }
  return NewDevNames(name);
}

// Stores the device mode block and makes a device context for it; null when
// the block cannot be locked or the printer will not give a context.
HDC CreatePrinterContext(HGLOBAL devMode, HGLOBAL devNames) {
  auto* mode = static_cast<DEVMODEW*>(GlobalLock(devMode));
  if (!mode) return nullptr;
  SIZE_T bytes = GlobalSize(devMode);
  if (bytes <= kMaxSettingBytes) WriteSettingBinary(kDevModeValue, mode, static_cast<uint32_t>(bytes));
  wchar_t name[256];
  PrinterName(devNames, mode, name, 256);
  HDC dc = CreateDCW(nullptr, name, nullptr, mode);
  GlobalUnlock(devMode);
  return dc;
}

// Takes the dialog's device mode as the run's saved one.
void KeepDevMode(HGLOBAL devMode) {
  if (savedDevMode && savedDevMode != devMode) GlobalFree(savedDevMode);
  savedDevMode = devMode;
}

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

const char* PageSetupErrorText() { return PageSetupFailureText(OnDemandCommDlgExtendedError()); }

HGLOBAL LoadSavedDevMode(const wchar_t* name, HGLOBAL fallback) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return fallback;
  HGLOBAL block = nullptr;
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0 &&
      size <= kMaxDevModeBytes) {
    block = GlobalAlloc(GMEM_MOVEABLE, size);
  }
  auto* bytes = block ? static_cast<BYTE*>(GlobalLock(block)) : nullptr;
  bool usable = false;
  if (bytes) {
    DWORD read = size;
    usable = RegQueryValueExW(key, name, nullptr, nullptr, bytes, &read) == ERROR_SUCCESS &&
             read == size && DevModeBytesUsable(bytes, size);
    GlobalUnlock(block);
  }
  RegCloseKey(key);
  if (usable) return block;
  if (block) GlobalFree(block);
  return fallback;
}

HDC StartPrintJob(const wchar_t* documentName, PrintMargins* margins) {
  PAGESETUPDLGW setup = {};
  setup.lStructSize = sizeof(setup);
  setup.hwndOwner = App.MainWindow;
  setup.hInstance = App.Instance;
  setup.Flags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
  PrintMargins stored = ReadPrintMargins();
  setup.rtMargin = RECT{stored.Left, stored.Top, stored.Right, stored.Bottom};
  // The dialog gets a block of its own: it may replace or release it.
  setup.hDevMode = LoadSavedDevMode(kDevModeValue, savedDevMode);
  if (setup.hDevMode == savedDevMode) setup.hDevMode = CopyGlobalBlock(savedDevMode);
  setup.hDevNames = StoredPrinterNames(&setup.hDevMode);

  if (!OnDemandPageSetupDlgW(&setup)) {
    // A cancel is the user's choice (extended error 0): no message.
    const bool cancelled = OnDemandCommDlgExtendedError() == 0;
    if (setup.hDevMode) GlobalFree(setup.hDevMode);
    if (setup.hDevNames) GlobalFree(setup.hDevNames);
    if (!cancelled) {
      const char* text = PageSetupErrorText();
      ShowPrintMessage(text && text[0] ? text : kUnknownPrintError, kPrintErrorCaption);
    }
    return nullptr;
  }
  if (!setup.hDevMode) {
    if (setup.hDevNames) GlobalFree(setup.hDevNames);
    return nullptr;
  }
  KeepDevMode(setup.hDevMode);
  HDC dc = CreatePrinterContext(setup.hDevMode, setup.hDevNames);
  if (setup.hDevNames) GlobalFree(setup.hDevNames);
  if (!dc) {
    ShowPrintMessage(kPrinterInitFailed, kPrinterInitCaption);
    return nullptr;
  }

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
  margins->Left = setup.rtMargin.left;
  margins->Top = setup.rtMargin.top;
  margins->Right = setup.rtMargin.right;
  margins->Bottom = setup.rtMargin.bottom;
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
                                   GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
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
  if (end == kPagesNoRoom) ShowPrintMessage(kPrintTextDoesNotFit, kPrintErrorCaption);
}
