// Choosing the printer: Page Setup, the stored device mode and margins, the
// printer's name and device context.
#include "output/printer_selection.h"

#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstddef>
#include <cstring>
#include <cwchar>

#include "common/app_state.h"
#include "common/message_box.h"
#include "common/on_demand_api.h"
#include "common/registry_values.h"
#include "resources/resource.h"

static_assert(offsetof(DEVMODEW, dmSize) == kDevModeSizeOffset, "dmSize offset");
static_assert(offsetof(DEVMODEW, dmDriverExtra) == kDevModeExtraOffset, "dmDriverExtra offset");
static_assert(offsetof(DEVMODEW, dmFields) + sizeof(DWORD) == kDevModeMinimumBytes, "dmFields end");
static_assert(sizeof(DEVMODEW::dmDeviceName) / sizeof(WCHAR) == kDevModeNameUnits, "device name units");

namespace {

constexpr wchar_t kDevModeValue[] = L"DevMode";
constexpr size_t kPrinterNameChars = 256;

// The device mode that this run's last successful Page Setup returned; owned here.
HGLOBAL savedDevMode = nullptr;

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

// Copies the name at units, which ends at its first zero or after limit units,
// into name (capacity units, zero-terminated) and returns its length: limit
// when no zero came within limit units (the name was cut there). A name that
// does not fit leaves name empty and gives 0.
size_t CopyPrinterName(const wchar_t* units, size_t limit, wchar_t name[], size_t capacity) {
  size_t length = 0;
  while (length < limit && units[length] != 0) ++length;
  if (length >= capacity) {
    name[0] = 0;
    return 0;
  }
  memcpy(name, units, length * sizeof(wchar_t));
  name[length] = 0;
  return length;
}

// The printer's name for CreateDCW: the full name from the dialog's device
// names when it gave them whole (a device mode holds at most 31 characters of
// it), else the device mode's own, cut at its 32 units.
void PrinterName(HGLOBAL devNames, const DEVMODEW* mode, wchar_t name[], size_t capacity) {
  name[0] = 0;
  const auto* names = devNames ? static_cast<const DEVNAMES*>(GlobalLock(devNames)) : nullptr;
  if (names) {
    // DEVNAMES offsets count characters from the start of the block; a name
    // without its zero inside the block is not taken.
    const size_t first = names->wDeviceOffset;
    const size_t units = GlobalSize(devNames) / sizeof(wchar_t);
    if (first < units &&
        CopyPrinterName(reinterpret_cast<const wchar_t*>(names) + first, units - first, name, capacity) ==
            units - first) {
      name[0] = 0;
    }
    GlobalUnlock(devNames);
  }
  if (name[0] != 0) return;
  CopyPrinterName(mode->dmDeviceName, kDevModeNameUnits, name, capacity);
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
  const size_t length = CopyPrinterName(mode->dmDeviceName, kDevModeNameUnits, name, kDevModeNameUnits + 1);
  GlobalUnlock(*devMode);
  if (length == kDevModeNameUnits) return nullptr;
  if (!PrinterInstalled(name)) {
    GlobalFree(*devMode);
    *devMode = nullptr;
    return nullptr;
  }
  return NewDevNames(name);
}

// Stores the device mode block (when LoadSavedDevMode could read it back) and
// makes a device context for it; null when the block cannot be locked or the
// printer will not give a context.
HDC CreatePrinterContext(HGLOBAL devMode, HGLOBAL devNames) {
  auto* mode = static_cast<DEVMODEW*>(GlobalLock(devMode));
  if (!mode) return nullptr;
  SIZE_T bytes = GlobalSize(devMode);
  if (bytes <= kMaxDevModeBytes) WriteSettingBinary(kDevModeValue, mode, static_cast<uint32_t>(bytes));
  wchar_t name[kPrinterNameChars];
  PrinterName(devNames, mode, name, kPrinterNameChars);
  HDC dc = CreateDCW(nullptr, name, nullptr, mode);
  GlobalUnlock(devMode);
  return dc;
}

// Takes the dialog's device mode as the run's saved one.
void KeepDevMode(HGLOBAL devMode) {
  if (savedDevMode && savedDevMode != devMode) GlobalFree(savedDevMode);
  savedDevMode = devMode;
}

}  // namespace

void StorePrintMargins(const PrintMargins& margins) {
  WriteSettingDword(L"PrintTop", static_cast<uint32_t>(margins.Top));
  WriteSettingDword(L"PrintBottom", static_cast<uint32_t>(margins.Bottom));
  WriteSettingDword(L"PrintLeft", static_cast<uint32_t>(margins.Left));
  WriteSettingDword(L"PrintRight", static_cast<uint32_t>(margins.Right));
}

uint32_t PageSetupErrorTextId() { return PageSetupFailureTextId(OnDemandCommDlgExtendedError()); }

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

HDC SelectPrinter(PrintMargins* margins) {
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
      const uint32_t text = PageSetupErrorTextId();
      ShowMessage(text != 0 ? text : IDS_UNKNOWN_PRINT_ERROR, IDS_PRINT_ERROR_CAPTION, MB_OK);
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
    ShowMessage(IDS_PRINTER_INIT_FAILED, IDS_ERROR, MB_OK);
    return nullptr;
  }
  margins->Left = setup.rtMargin.left;
  margins->Top = setup.rtMargin.top;
  margins->Right = setup.rtMargin.right;
  margins->Bottom = setup.rtMargin.bottom;
  return dc;
}
