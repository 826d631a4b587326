// The driver's side of the probe (probe_protocol.h): places the probe DLL in
// the thread of a program's window and asks it what the program itself sees of
// its scroll bar, menu and placement, which Wine does not show to other
// processes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "tests/wine/driver/probe_protocol.h"

// One attached probe. Owns Hook and Reply; DetachProbe releases them.
struct Probe {
  HHOOK Hook;
  HWND Reply;   // message-only window that receives the answers
  HWND Target;  // the program's window the queries go to
};

// The vertical scroll bar as the program set it.
struct ScrollBarState {
  int32_t Min;
  int32_t Max;
  int32_t Position;
};

// The window placement as the program sees it.
struct PlacementState {
  uint32_t ShowCommand;
  RECT Normal;  // restored position
};

// Path of the probe DLL: the one the build compiled in.
const wchar_t* ProbeDllPath();

// Hooks the probe into target's thread. False if the DLL or the hook failed.
bool AttachProbe(HWND target, Probe* probe);
void DetachProbe(Probe* probe);

// The scroll bar of the target; false if the program has none or the query failed.
bool ProbeScrollBar(const Probe& probe, ScrollBarState* state);

// GetMenuState of command id in the target's menu; -1 on failure.
int32_t ProbeMenuState(const Probe& probe, UINT id);

// Text of the menu item of command id in the target's menu, or of the menu
// bar's title at position with kProbeMenuTitle added; "" on failure.
std::wstring ProbeMenuText(const Probe& probe, uint32_t item);

// GetWindowPlacement of the target; false on failure.
bool ProbePlacement(const Probe& probe, PlacementState* state);

// Width of the small icon of the target's window class; 0 when it has none.
int32_t ProbeSmallIconWidth(const Probe& probe);

// Turns the stand-in for the system's high-contrast mode on in the target's
// process, with the dark scheme of probe_protocol.h, or off; the program's
// windows are told as the system tells them. False on failure.
bool ProbeHighContrast(const Probe& probe, bool on);
