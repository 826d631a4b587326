// The About dialog (dialog resource 103): name, picture (scaled to the
// dialog's DPI), version, a line of text and the link to the vendor's home page.
#pragma once
#include <windows.h>

// Runs the About dialog modally, owned by owner.
void ShowAboutDialog(HWND owner);

// The dialog procedure of dialog 103.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Subclasses the link button and gives it an underlined bold copy of its font,
// sized to its text: that font (owned by the caller; the dialog deletes it
// when it is destroyed), or null if the button keeps the dialog font.
HFONT InitLinkButton(HWND dialog);

// Subclass procedure of the link button: the hand cursor over it.
LRESULT CALLBACK LinkButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the link text in the link colour (blue, or in high contrast the
// system's link colour) on the dialog's background colour, filling the
// owner-drawn item's rectangle first, the text an edge in from each side; with
// the keyboard focus, while the system shows focus cues, a focus rectangle on
// the item's border.
void DrawLinkButton(HWND dialog, UINT controlId, const DRAWITEMSTRUCT* item);
