#include "tests/wine/screen_reader.h"

#include <vector>

namespace {

struct Heard {
  DWORD Event;
  HWND Window;
};
std::vector<Heard> Events;
HWINEVENTHOOK Hook = nullptr;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) Events.push_back({event, window});
}

// The text got by method, or empty.
template <typename Method>
std::wstring TextOf(IAccessible* object, Method method, VARIANT child) {
  BSTR text = nullptr;
  std::wstring result;
  if ((object->*method)(child, &text) == S_OK && text != nullptr) result = text;
  SysFreeString(text);
  return result;
}

}  // namespace

AccessibleElement ReadClient(HWND window, LONG child) {
  AccessibleElement element;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return element;
  }
  VARIANT id;
  id.vt = VT_I4;
  id.lVal = child;
  element.Name = TextOf(object, &IAccessible::get_accName, id);
  element.Value = TextOf(object, &IAccessible::get_accValue, id);
  VARIANT result;
  VariantInit(&result);
  if (object->get_accRole(id, &result) == S_OK && result.vt == VT_I4) element.Role = result.lVal;
  VariantInit(&result);
  if (object->get_accState(id, &result) == S_OK && result.vt == VT_I4) element.State = result.lVal;
  object->get_accChildCount(&element.Children);
  object->Release();
  return element;
}

bool ListenForChanges(DWORD processId) {
  StopListening();
  Hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, Hear, processId, 0,
                         WINEVENT_OUTOFCONTEXT);
  return Hook != nullptr;
}

void StopListening() {
  if (Hook != nullptr) UnhookWinEvent(Hook);
  Hook = nullptr;
  Events.clear();
}

int HeardChanges(DWORD event, HWND window) {
  int count = 0;
  for (const Heard& heard : Events) count += heard.Event == event && heard.Window == window;
  return count;
}
