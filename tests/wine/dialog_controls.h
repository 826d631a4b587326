// Driving and reading the dialogs of another process from the scenarios:
// opening them by command, pressing their buttons, choosing list entries as a
// user would (with the list's notification), and comparing the controls with
// their template.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Posts command id to window (a modal dialog would block a sent one) and waits
// for the process's dialog with caption; null when none shows.
HWND OpenDialogByCommand(HWND window, DWORD processId, WORD id, const wchar_t* caption);

// Posts a click of button id (BN_CLICKED, as the button sends it) to dialog.
void ClickDialogButton(HWND dialog, int id);

// Waits until dialog has been destroyed; false if it stayed.
bool WaitUntilClosed(HWND dialog);

// Returns once the thread of window has served a message sent to it: what
// was posted to it before has been handled, and any modal loop has ended.
bool WaitUntilServed(HWND window);

// The texts of all entries of a list box, in order.
std::vector<std::wstring> ListEntries(HWND list);

// Text of the selected entry of a list box; empty without a selection.
std::wstring SelectedEntry(HWND list);

// Selects the entry text (exact, ignoring case) of list box listId and sends
// the dialog LBN_SELCHANGE, as a click on it would. False if there is no such entry.
bool ChooseListEntry(HWND dialog, int listId, const std::wstring& text);

// True if button id of dialog is checked.
bool IsButtonChecked(HWND dialog, int id);

// One control as its template lays it out.
struct ControlTemplate {
  int Id;                   // -1 for a static without an id of its own
  const wchar_t* Class;     // window class, compared ignoring case
  const wchar_t* Text;      // window text, or null when not compared
  int X, Y, Width, Height;  // dialog units; Width 0: size not compared
  DWORD Styles;             // control styles that must all be set
  DWORD TypeMask;           // bits of the low word that must equal those of Styles
};

// Compares the child windows of dialog, in creation order, with controls:
// count, id, class, text, styles, and position and size in dialog units taken
// from the dialog's client area of clientWidth x clientHeight units (within
// one unit). Adds a test failure for each difference.
void ExpectControls(HWND dialog, int clientWidth, int clientHeight,
                    const std::vector<ControlTemplate>& controls);
