// System functions that only some commands need (Page Setup, the file
// dialog, the printer list, the shell, COM, accessibility, the dark title bar
// and controls), and those that older systems lack (the
// per-monitor scaling of user32). Their libraries and entries are looked up on
// the first use, so that starting the program neither loads them nor needs
// them. Each behaves as the function of the same name without the prefix;
// when its library or entry cannot be loaded it fails as that function fails.
#pragma once
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>
#include <objbase.h>
#include <oleacc.h>
#include <shellapi.h>
#include <winspool.h>

// PageSetupDlgW; FALSE when comdlg32 cannot be loaded.
BOOL OnDemandPageSetupDlgW(LPPAGESETUPDLGW setup);
// CommDlgExtendedError; CDERR_INITIALIZATION when comdlg32 cannot be loaded,
// so that the failure is never taken for a cancel.
DWORD OnDemandCommDlgExtendedError();
// GetOpenFileNameW; FALSE when comdlg32 cannot be loaded (then
// OnDemandCommDlgExtendedError tells a failure from a cancel).
BOOL OnDemandGetOpenFileNameW(LPOPENFILENAMEW open);
// OpenPrinterW and ClosePrinter; FALSE when winspool cannot be loaded.
BOOL OnDemandOpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults);
BOOL OnDemandClosePrinter(HANDLE printer);
// ShellExecuteExW; FALSE when shell32 cannot be loaded.
BOOL OnDemandShellExecuteExW(SHELLEXECUTEINFOW* info);
// CoInitializeEx; E_FAIL when ole32 cannot be loaded.
HRESULT OnDemandCoInitializeEx(LPVOID reserved, DWORD mode);
// LresultFromObject; E_FAIL when oleacc cannot be loaded.
LRESULT OnDemandLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN object);
// CreateStdAccessibleObject; E_FAIL when oleacc cannot be loaded.
HRESULT OnDemandCreateStdAccessibleObject(HWND window, LONG objectId, REFIID riid, void** object);
// SysAllocStringLen; null when oleaut32 cannot be loaded.
BSTR OnDemandSysAllocStringLen(const OLECHAR* text, UINT length);

// Starts COM (single-threaded apartment) on the calling thread once for the
// run, for the shell's handlers and for the accessible objects handed to
// other programs. True when COM is usable on the thread.
bool StartComOnce();
// GetUserDefaultUILanguage; 0 where the system lacks it (before Windows 2000).
LANGID OnDemandGetUserDefaultUILanguage();
// GetDpiForWindow; 0 where the system lacks it.
UINT OnDemandGetDpiForWindow(HWND window);
// GetSystemMetricsForDpi; 0 where the system lacks it.
int OnDemandGetSystemMetricsForDpi(int index, UINT dpi);
// AdjustWindowRectExForDpi; FALSE where the system lacks it.
BOOL OnDemandAdjustWindowRectExForDpi(LPRECT rect, DWORD style, BOOL menu, DWORD extendedStyle,
                                      UINT dpi);
// DwmSetWindowAttribute; E_NOTIMPL where dwmapi or the entry is missing.
HRESULT OnDemandDwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);
// SetWindowTheme; E_NOTIMPL where uxtheme or the entry is missing.
HRESULT OnDemandSetWindowTheme(HWND window, const wchar_t* subAppName, const wchar_t* subIdList);
