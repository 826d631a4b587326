// What a screen reader gets from another program: the accessible object of a
// window's client area (oleacc, COM started on the calling thread), and the
// name- and value-change events of the program's objects and their children (SetWinEventHook,
// delivered while the thread pumps messages).
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>

// One element as read: child CHILDID_SELF is the client area itself.
struct AccessibleElement {
  std::wstring Name;
  std::wstring Value;
  LONG Role = 0;
  LONG State = 0;
  long Children = 0;  // of the client area itself
};

// Reads child of the client object of window; empty fields where nothing could be read.
AccessibleElement ReadClient(HWND window, LONG child);

// The box of child of the client object of window in client coordinates;
// false when it has none.
bool ClientChildBox(HWND window, LONG child, RECT* box);

// Starts hearing the events of processId afresh; false if the hook failed.
bool ListenForChanges(DWORD processId);
void StopListening();

// How many events of kind event the client area of window (child: one of its
// children) raised since ListenForChanges.
int HeardChanges(DWORD event, HWND window, LONG child = CHILDID_SELF);
