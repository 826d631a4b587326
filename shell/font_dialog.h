// The font dialog (dialog resource 105): typeface, size and code base of the
// lesson text, with a preview of the 27 letters in the chosen font.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/app_state.h"

// Runs the dialog modally, owned by owner, on settings (which only OK changes,
// apart from a missing code base that becomes kCodeBaseUnicode at once): 1 for
// OK, 2 for Cancel, 0 or -1 if the dialog could not be created.
INT_PTR ShowFontDialog(HWND owner, FontSettings* settings);

// The dialog procedure; the creation parameter is the FontSettings to edit.
INT_PTR CALLBACK FontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the dialog from target: code base default, preview, radio button,
// typeface list (selected by the prefix FontName) and size list.
void InitFontDialog(HWND dialog, FontSettings* target);

// Follows the dialog's controls. mode bit 0 (1): OK was pressed, write the
// target; bit 1 (2): a list box reported something, a Hebrew-charset typeface
// turns on "5D0"; 0: the code base changed. Except for OK, re-creates the
// preview font.
void UpdateFontDialog(HWND dialog, int mode);

// Shows the 27 characters codeBase + 26 down to codeBase + 0 in the preview.
void SetPreviewText(HWND dialog, int32_t codeBase);

// EnumFontsW callback: appends the typeface to the dialog's list unless it
// repeats the one listed last (a typeface reported once per character set);
// 1 to go on, 0 when no memory is left for it.
int CALLBACK AddFontToList(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type,
                           LPARAM user);

// Empties the dialog's state (list, preview font handle, target) without
// releasing anything.
void ResetFontList();

// Releases every block of typeface records and the preview font, then empties
// the dialog's state.
void FreeFontList();
