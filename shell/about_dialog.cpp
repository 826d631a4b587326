// The About dialog and its link button.
#include "shell/about_dialog.h"

#include "common/app_state.h"
#include "common/dpi.h"
#include "common/ui_resources.h"
#include "resources/resource.h"
#include "shell/shell_open.h"
#include "view/colour_scheme.h"
#include "view/window_colours.h"

namespace {

constexpr int kLinkTextChars = 100;
constexpr LONG kLinkWeight = 800;
// The window property of an open dialog that keeps the picture its control
// loaded while the control shows a copy scaled to the dialog's DPI.
constexpr wchar_t kDrawnPicture[] = L"ZelvanDrawnPicture";

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

// The dialog's picture control (SS_BITMAP), or null.
HWND PictureControl(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
  }
  return nullptr;
}

// A monochrome copy of picture scaled to dpi, its black lines kept whole at
// any factor; null on failure.
HBITMAP ScaledPicture(HBITMAP picture, int32_t dpi) {
  BITMAP info = {};
  if (GetObjectW(picture, sizeof info, &info) == 0) return nullptr;
  const int32_t width = ScaleToDpi(info.bmWidth, dpi);
  const int32_t height = ScaleToDpi(info.bmHeight, dpi);
  HBITMAP scaled = width > 0 && height > 0 ? CreateBitmap(width, height, 1, 1, nullptr) : nullptr;
  HDC from = CreateCompatibleDC(nullptr);
  HDC to = CreateCompatibleDC(nullptr);
  if (scaled != nullptr && from != nullptr && to != nullptr) {
    HGDIOBJ previousFrom = SelectObject(from, picture);
    HGDIOBJ previousTo = SelectObject(to, scaled);
    SetStretchBltMode(to, BLACKONWHITE);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, previousFrom);
    SelectObject(to, previousTo);
  }
  if (to != nullptr) DeleteDC(to);
  if (from != nullptr) DeleteDC(from);
  return scaled;
}

// A copy of the monochrome picture with its black lines in the palette's ink
// on its face (the dark mode's); null on failure.
HBITMAP ColouredPicture(HBITMAP picture) {
  BITMAP info = {};
  if (GetObjectW(picture, sizeof info, &info) == 0) return nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP coloured = screen != nullptr ? CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight) : nullptr;
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  if (coloured != nullptr && from != nullptr && to != nullptr) {
    HGDIOBJ previousFrom = SelectObject(from, picture);
    HGDIOBJ previousTo = SelectObject(to, coloured);
    // A monochrome source takes the target's text colour for black, its background colour for white.
    SetTextColor(to, RoleColour(to, ColourRole::Ink));
    SetBkColor(to, RoleColour(to, ColourRole::Face));
    BitBlt(to, 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(from, previousFrom);
    SelectObject(to, previousTo);
  }
  if (to != nullptr) DeleteDC(to);
  if (from != nullptr) DeleteDC(from);
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return coloured;
}

// The picture as the dialog shows it: scaled to dpi, and in the dark mode
// coloured; null on failure.
HBITMAP ShownPicture(HBITMAP drawn, int32_t dpi) {
  HBITMAP scaled = ScaledPicture(drawn, dpi);
  if (scaled == nullptr || !DarkColoursOn()) return scaled;
  HBITMAP coloured = ColouredPicture(scaled);
  DeleteObject(scaled);
  return coloured;
}

// Above 96 DPI, or in the dark mode, the picture control shows a copy of its
// picture scaled to the dialog's DPI and in the colours that apply; the
// loaded picture is kept to be given back (RestorePicture).
void ScalePicture(HWND dialog) {
  const int32_t dpi = WindowDpi(dialog);
  HWND control = PictureControl(dialog);
  if ((dpi == kDefaultDpi && !DarkColoursOn()) || control == nullptr) return;
  HBITMAP drawn = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
  HBITMAP scaled = drawn != nullptr ? ShownPicture(drawn, dpi) : nullptr;
  if (scaled == nullptr) return;
  if (!SetPropW(dialog, kDrawnPicture, drawn)) {
    DeleteObject(scaled);
    return;
  }
  SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled));
}

// Gives the picture control back the picture it loaded and deletes the scaled copy.
void RestorePicture(HWND dialog) {
  HANDLE drawn = RemovePropW(dialog, kDrawnPicture);
  HWND control = PictureControl(dialog);
  if (drawn == nullptr || control == nullptr) return;
  HGDIOBJ scaled = reinterpret_cast<HGDIOBJ>(
      SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(drawn)));
  if (scaled != nullptr && scaled != drawn) DeleteObject(scaled);
}

// A settings or colour change: the dialog and its picture in the colours that now apply.
void OnAboutColours(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  OnDialogColoursChanged(dialog, message, wParam, lParam);
  RestorePicture(dialog);
  ScalePicture(dialog);
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
  FillRect(item->hDC, &item->rcItem, RoleBrush(item->hDC, ColourRole::Face));
  SetTextColor(item->hDC, RoleColour(item->hDC, ColourRole::Link));
  SetBkMode(item->hDC, TRANSPARENT);
  ExtTextOutW(item->hDC, GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE), ETO_CLIPPED,
              &item->rcItem, text, length, nullptr);
  if ((item->itemState & ODS_FOCUS) != 0 && (item->itemState & ODS_NOFOCUSRECT) == 0) {
    DrawFocusRect(item->hDC, &item->rcItem);
  }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR colours = 0;
  if (ControlColourAnswer(message, wParam, &colours)) return colours;
  switch (message) {
    case WM_INITDIALOG:
      KeepLinkFont(dialog, InitLinkButton(dialog));
      ScalePicture(dialog);
      ApplyWindowFrameColours(dialog);
      return 0;
    case WM_DESTROY:
      DeleteLinkFont(dialog);
      RestorePicture(dialog);
      return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnAboutColours(dialog, message, wParam, lParam); return 0;
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
  ShowUiDialog(App.Instance, IDD_ABOUT, owner, AboutDialogProc, 0);
}
