// The parts of a window that the system draws, in the colour mode: the
// dialogs' backgrounds and controls (WM_CTLCOLOR*), the title bar and the
// scroll bars and lists, where Windows offers a dark look. In the light mode
// and in high contrast the system draws them as it always does.
#pragma once
#include <windows.h>

// True for a WM_SETTINGCHANGE that may change the colours: high contrast, or
// Windows' app mode ("ImmersiveColorSet").
bool IsColourSettingChange(WPARAM wParam, LPARAM lParam);

// True for a WM_CTLCOLOR* message, whose answer is then in answer: in the dark
// mode the palette's face brush (its paper for list and edit boxes) with the
// ink as text colour set in the dc of wParam; otherwise null, leaving the
// system's default.
bool ControlColourAnswer(UINT message, WPARAM wParam, INT_PTR* answer);

// Gives window's title bar and its children's scroll bars and lists the dark
// look while the dark colours apply, and the system's again after them;
// nothing in a run that has not been dark. A refusal changes nothing else.
void ApplyWindowFrameColours(HWND window);

// A dialog heard of a settings or colour change (message with wParam and
// lParam): the colours are read again and, when they may have changed, its
// frame and every control redrawn in them.
void OnDialogColoursChanged(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
