// The About dialog and its link button.
#include "shell/about_dialog.h"

#include "common/app_state.h"
#include "resources/resource.h"
#include "shell/shell_open.h"

namespace {

constexpr int kLinkTextChars = 100;
constexpr COLORREF kLinkColour = 0x00FF0000;  // pure blue
constexpr LONG kLinkWeight = 800;

// The link button's procedure before subclassing, kept for the run.
WNDPROC PreviousLinkProc = nullptr;

// Each open dialog owns its link font (or null), kept in its DWLP_USER slot
// from WM_INITDIALOG and deleted when the dialog is destroyed.
void KeepLinkFont(HWND dialog, HFONT font) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(font));
}

void DeleteLinkFont(HWND dialog) {
  HFONT font = reinterpret_cast<HFONT>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (font != nullptr) DeleteObject(font);
  KeepLinkFont(dialog, nullptr);
}

void OnAboutCommand(HWND dialog, WORD id) {
  if (id == IDOK || id == IDCANCEL) {
    EndDialog(dialog, id);
  } else if (id == IDC_ABOUT_LINK) {
    OpenHomePage(GetDlgItem(dialog, IDC_ABOUT_LINK));
  }
}

}  // namespace

HFONT InitLinkButton(HWND dialog) {
  HWND button = GetDlgItem(dialog, IDC_ABOUT_LINK);
  HDC dc = GetDC(button);
  WNDPROC previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkButtonProc)));
  if (previous != nullptr && previous != PreviousLinkProc) PreviousLinkProc = previous;

  HFONT font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
  LOGFONTW description = {};
  HFONT linkFont = nullptr;
  if (font != nullptr && GetObjectW(font, sizeof(description), &description) != 0) {
    description.lfUnderline = 1;
    description.lfWeight = kLinkWeight;
    linkFont = CreateFontIndirectW(&description);
  }
  if (linkFont != nullptr && dc != nullptr) {
    HGDIOBJ previousFont = SelectObject(dc, linkFont);
    wchar_t text[kLinkTextChars + 1] = {};
    const int length = GetWindowTextW(button, text, kLinkTextChars + 1);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont), TRUE);
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text, length, &extent);
    SelectObject(dc, previousFont);
    SetWindowPos(button, nullptr, 0, 0, extent.cx + 2 * GetSystemMetrics(SM_CXEDGE),
                 extent.cy + 2 * GetSystemMetrics(SM_CYEDGE),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
  }
  if (dc != nullptr) ReleaseDC(button, dc);
  return linkFont;
}

LRESULT CALLBACK LinkButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return 1;
  }
  return CallWindowProcW(PreviousLinkProc, window, message, wParam, lParam);
}

void DrawLinkButton(HWND dialog, UINT controlId, const DRAWITEMSTRUCT* item) {
  wchar_t text[kLinkTextChars + 1] = {};
  const UINT length =
      GetDlgItemTextW(dialog, static_cast<int>(controlId), text, kLinkTextChars + 1);
  // The text is drawn transparently: the dialog's background first, or each
  // redraw (press, release, focus) would thicken its anti-aliased edges.
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
  SetTextColor(item->hDC, kLinkColour);
  SetBkMode(item->hDC, TRANSPARENT);
  ExtTextOutW(item->hDC, GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE), ETO_CLIPPED,
              &item->rcItem, text, length, nullptr);
  if ((item->itemState & ODS_FOCUS) != 0 && (item->itemState & ODS_NOFOCUSRECT) == 0) {
    DrawFocusRect(item->hDC, &item->rcItem);
  }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: KeepLinkFont(dialog, InitLinkButton(dialog)); return 0;
    case WM_DESTROY: DeleteLinkFont(dialog); return 0;
    case WM_DRAWITEM:
      DrawLinkButton(dialog, static_cast<UINT>(wParam),
                     reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return 0;
    case WM_COMMAND: {
      const WORD id = LOWORD(wParam);
      OnAboutCommand(dialog, id);
      return (id == IDOK || id == IDCANCEL) ? 1 : 0;
    }
  }
  return 0;
}

void ShowAboutDialog(HWND owner) {
  DialogBoxParamW(App.Instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutDialogProc, 0);
}
