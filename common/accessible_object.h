// The accessible object (Microsoft Active Accessibility) of a window's client
// area that the program paints itself: it answers what the content below says
// (name, value, role, state and simple children) and hands everything else to
// the system's standard client object of the window. oleacc and oleaut32 are
// loaded when the first client asks (common/on_demand_api.h).
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/platform_types.h"

// Which text of an element.
enum class AccessibleField { Name, Value };

// What one kind of window answers itself. Child 0 is the client area itself;
// children 1..ChildCount are simple elements (no objects of their own).
struct AccessibleContent {
  // Number of children of window.
  int32_t (*ChildCount)(HWND window);
  // The field of child, zero-terminated, released by the caller with free();
  // null when the child has none (for child 0: the standard object answers).
  WideChar* (*Text)(HWND window, int32_t child, AccessibleField field);
  // Role (ROLE_SYSTEM_*) of child; 0 for child 0 lets the standard object answer.
  int32_t (*Role)(HWND window, int32_t child);
  // States (STATE_SYSTEM_*) of child; for child 0 added to the standard object's.
  uint32_t (*State)(HWND window, int32_t child);
  // Box of child 1..ChildCount in client coordinates; false when it has none.
  bool (*Location)(HWND window, int32_t child, RECT* box);
};

// Answers WM_GETOBJECT (flags and objectId as the message gives them) for the
// client area of window with content: the result of LresultFromObject, or 0
// when objectId is not the client area or no object could be made; the caller
// then leaves the message to the default processing.
LRESULT AnswerClientObject(HWND window, WPARAM flags, LPARAM objectId,
                           const AccessibleContent* content);

// Tells accessibility clients that the client area's name and value changed
// (EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE; value only when asked).
void AnnounceClientChange(HWND window, bool valueChanged);
