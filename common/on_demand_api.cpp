#include "common/on_demand_api.h"

namespace {

// The function name of library dll, loaded from the system folder on the
// first call and kept for the run; null when it cannot be had.
template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) module = LoadLibraryW(dll);  // systems without the search flags
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

BOOL OnDemandPageSetupDlgW(LPPAGESETUPDLGW setup) {
  static auto function = SystemFunction<decltype(&PageSetupDlgW)>(L"comdlg32.dll", "PageSetupDlgW");
  return function ? function(setup) : FALSE;
}

DWORD OnDemandCommDlgExtendedError() {
  static auto function =
      SystemFunction<decltype(&CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
  return function ? function() : CDERR_INITIALIZATION;
}

BOOL OnDemandGetOpenFileNameW(LPOPENFILENAMEW open) {
  static auto function =
      SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  return function ? function(open) : FALSE;
}

BOOL OnDemandOpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) {
  static auto function = SystemFunction<decltype(&OpenPrinterW)>(L"winspool.drv", "OpenPrinterW");
  return function ? function(name, printer, defaults) : FALSE;
}

BOOL OnDemandClosePrinter(HANDLE printer) {
  static auto function = SystemFunction<decltype(&ClosePrinter)>(L"winspool.drv", "ClosePrinter");
  return function ? function(printer) : FALSE;
}

BOOL OnDemandShellExecuteExW(SHELLEXECUTEINFOW* info) {
  static auto function = SystemFunction<decltype(&ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
  return function ? function(info) : FALSE;
}

HRESULT OnDemandCoInitializeEx(LPVOID reserved, DWORD mode) {
  static auto function = SystemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
  return function ? function(reserved, mode) : E_FAIL;
}

LRESULT OnDemandLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN object) {
  static auto function = SystemFunction<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  return function ? function(riid, wParam, object) : static_cast<LRESULT>(E_FAIL);
}

HRESULT OnDemandCreateStdAccessibleObject(HWND window, LONG objectId, REFIID riid, void** object) {
  static auto function =
      SystemFunction<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
  if (function) return function(window, objectId, riid, object);
  *object = nullptr;
  return E_FAIL;
}

BSTR OnDemandSysAllocStringLen(const OLECHAR* text, UINT length) {
  static auto function = SystemFunction<decltype(&SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
  return function ? function(text, length) : nullptr;
}

bool StartComOnce() {
  static bool started = false;
  if (started) return true;
  const HRESULT result = OnDemandCoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  started = SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
  return started;
}

LANGID OnDemandGetUserDefaultUILanguage() {
  static auto function =
      SystemFunction<decltype(&GetUserDefaultUILanguage)>(L"kernel32.dll", "GetUserDefaultUILanguage");
  return function ? function() : 0;
}

UINT OnDemandGetDpiForWindow(HWND window) {
  using Function = UINT(WINAPI*)(HWND);
  static auto function = SystemFunction<Function>(L"user32.dll", "GetDpiForWindow");
  return function ? function(window) : 0;
}

int OnDemandGetSystemMetricsForDpi(int index, UINT dpi) {
  using Function = int(WINAPI*)(int, UINT);
  static auto function = SystemFunction<Function>(L"user32.dll", "GetSystemMetricsForDpi");
  return function ? function(index, dpi) : 0;
}

BOOL OnDemandAdjustWindowRectExForDpi(LPRECT rect, DWORD style, BOOL menu, DWORD extendedStyle,
                                      UINT dpi) {
  using Function = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static auto function = SystemFunction<Function>(L"user32.dll", "AdjustWindowRectExForDpi");
  return function ? function(rect, style, menu, extendedStyle, dpi) : FALSE;
}

HRESULT OnDemandDwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
  using Function = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  static auto function = SystemFunction<Function>(L"dwmapi.dll", "DwmSetWindowAttribute");
  return function ? function(window, attribute, value, size) : E_NOTIMPL;
}

HRESULT OnDemandSetWindowTheme(HWND window, const wchar_t* subAppName, const wchar_t* subIdList) {
  using Function = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static auto function = SystemFunction<Function>(L"uxtheme.dll", "SetWindowTheme");
  return function ? function(window, subAppName, subIdList) : E_NOTIMPL;
}
