#include "shell/toolbar.h"

#include <commctrl.h>
#include <oleacc.h>

#include <cstdlib>
#include <cstring>

#include "common/accessible_object.h"
#include "common/app_state.h"
#include "common/dpi.h"
#include "common/mirroring.h"
#include "common/ui_text.h"
#include "resources/resource.h"
#include "shell/toolbar_pictures.h"
#include "view/colour_scheme.h"

namespace {

constexpr int32_t kToolbarPicture = 16;  // size of a toolbar picture at 96 DPI
// Room that the common controls leave around a toolbar picture at 96 DPI.
constexpr int32_t kToolbarPaddingX = 7;
constexpr int32_t kToolbarPaddingY = 6;

// The buttons from left to right (from the right in a window laid out from
// the right); a button's picture is its place in the strips.
struct ToolbarButton {
  int Command;    // command id it sends
  uint32_t Name;  // string-table entry of its name for screen readers
  bool Turns;     // its picture turns with the layout, as the arrows do: the next
                  // day's points the way the text reads on; the others stay as drawn
};
constexpr ToolbarButton kButtons[] = {
    {IDC_PREVIOUS_DAY, IDS_TOOLBAR_PREVIOUS_DAY, true},
    {IDC_TODAY, IDS_TOOLBAR_TODAY, false},
    {IDC_NEXT_DAY, IDS_TOOLBAR_NEXT_DAY, true},
    {IDC_FONT, IDS_TOOLBAR_FONT, false},
    {IDC_MARK_DAY, IDS_TOOLBAR_MARK_DAY, false},
    {IDC_UNMARK_DAY, IDS_TOOLBAR_UNMARK_DAY, false},
};
constexpr int kButtonCount = sizeof kButtons / sizeof kButtons[0];

// The toolbar class's own procedure, which ToolbarProc hands on to.
WNDPROC ToolbarClassProc = nullptr;

// Command id of button child (1..count) of toolbar; 0 when there is none.
int ChildCommand(HWND toolbar, int32_t child) {
  TBBUTTON button = {};
  if (!SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(child - 1), reinterpret_cast<LPARAM>(&button))) {
    return 0;
  }
  return button.idCommand;
}

// Children: the buttons, left to right.
int32_t ChildCount(HWND toolbar) { return static_cast<int32_t>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)); }

// A button's name: a copy of its string-table text; none for the toolbar itself.
WideChar* Text(HWND toolbar, int32_t child, AccessibleField field) {
  if (child == CHILDID_SELF || field != AccessibleField::Name) return nullptr;
  const int command = ChildCommand(toolbar, child);
  for (const ToolbarButton& button : kButtons) {
    if (button.Command != command) continue;
    const WideChar* name = UiText(button.Name);
    const size_t bytes = (wcslen(name) + 1) * sizeof(WideChar);
    auto* copy = static_cast<WideChar*>(malloc(bytes));
    if (copy != nullptr) memcpy(copy, name, bytes);
    return copy;
  }
  return nullptr;
}

// The toolbar itself is a tool bar, each child a push button.
int32_t Role(HWND, int32_t child) { return child == CHILDID_SELF ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON; }

// A button's states as the toolbar keeps them.
uint32_t State(HWND toolbar, int32_t child) {
  if (child == CHILDID_SELF) return 0;
  const LRESULT state = SendMessageW(toolbar, TB_GETSTATE, static_cast<WPARAM>(ChildCommand(toolbar, child)), 0);
  if (state == -1) return 0;
  uint32_t states = 0;
  if (!(state & TBSTATE_ENABLED)) states |= STATE_SYSTEM_UNAVAILABLE;
  if (state & TBSTATE_PRESSED) states |= STATE_SYSTEM_PRESSED;
  if (state & TBSTATE_HIDDEN) states |= STATE_SYSTEM_INVISIBLE;
  return states;
}

// A button's box in the toolbar's client coordinates; false when it has none.
bool Location(HWND toolbar, int32_t child, RECT* box) {
  return SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(child - 1), reinterpret_cast<LPARAM>(box)) != 0;
}

const AccessibleContent kToolbarContent = {ChildCount, Text, Role, State, Location};

// In the dark mode the toolbar's background takes the palette's face colour
// (1: erased); otherwise the class erases it (0).
LRESULT EraseToolbar(HWND toolbar, HDC dc) {
  if (!DarkColoursOn()) return 0;
  RECT client;
  GetClientRect(toolbar, &client);
  FillRect(dc, &client, RoleBrush(dc, ColourRole::Face));
  return 1;
}

// The toolbar's procedure: the buttons' accessible object and the dark
// background, the rest the class's.
LRESULT CALLBACK ToolbarProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETOBJECT: {
      const LRESULT object = AnswerClientObject(toolbar, wParam, lParam, &kToolbarContent);
      if (object != 0) return object;
      break;
    }
    case WM_ERASEBKGND:
      if (EraseToolbar(toolbar, reinterpret_cast<HDC>(wParam)) != 0) return 1;
      break;
  }
  return CallWindowProcW(ToolbarClassProc, toolbar, message, wParam, lParam);
}

}  // namespace

HWND CreateMainToolbar(HWND window, int32_t dpi) {
  TBBUTTON buttons[kButtonCount] = {};
  for (int i = 0; i < kButtonCount; ++i) {
    buttons[i] = {i, kButtons[i].Command, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1};
  }
  PictureColour colours[kPictureColourCount];
  ScreenPictureColours(colours);
  HIMAGELIST pictures = MakeToolbarPictures(App.Instance, ScaleToDpi(kToolbarPicture, dpi), colours);
  int cellWidth = kToolbarPicture, cellHeight = kToolbarPicture;
  if (pictures != nullptr) ImageList_GetIconSize(pictures, &cellWidth, &cellHeight);
  // The pictures are the toolbar's own image list, so no bitmap is cut by the
  // button size (CreateToolbarEx takes a button size for the bitmap's). In
  // the dark mode the buttons are flat on the dark background: the raised
  // ones are the system's light grey.
  const DWORD flat = DarkColoursOn() ? TBSTYLE_FLAT : 0;
  HWND toolbar = CreateToolbarEx(window, WS_CHILD | WS_VISIBLE | flat, IDC_TOOLBAR, 0, nullptr, 0, buttons,
                                 kButtonCount, 0, 0, cellWidth, cellHeight, sizeof(TBBUTTON));
  if (toolbar == nullptr) {
    if (pictures != nullptr) ImageList_Destroy(pictures);
    return nullptr;
  }
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
  // A toolbar of a mirrored window draws its pictures mirrored.
  for (int i = 0; i < kButtonCount && IsMirroredWindow(toolbar); ++i) {
    if (!kButtons[i].Turns) KeepToolbarPictureUnmirrored(toolbar, i);
  }
  const int32_t width = cellWidth + ScaleToDpi(kToolbarPaddingX, dpi);
  const int32_t height = cellHeight + ScaleToDpi(kToolbarPaddingY, dpi);
  SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
  WNDPROC classProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolbarProc)));
  if (classProc != nullptr && classProc != ToolbarProc) ToolbarClassProc = classProc;
  return toolbar;
}

void DestroyMainToolbar(HWND toolbar) {
  if (toolbar == nullptr) return;
  HIMAGELIST pictures = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
  DestroyWindow(toolbar);
  if (pictures != nullptr) ImageList_Destroy(pictures);
}
