#include "tests/wine/screen_reader.h"

#include <utility>
#include <vector>

namespace {

std::vector<std::pair<DWORD, HWND>> Events;  // event, window
HWINEVENTHOOK Hook = nullptr;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) Events.emplace_back(event, window);
}

// The text method gives, or empty.
std::wstring TextOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*method)(VARIANT, BSTR*),
                    VARIANT child) {
  BSTR text = nullptr;
  std::wstring result;
  if ((object->*method)(child, &text) == S_OK && text != nullptr) result = text;
  SysFreeString(text);
  return result;
}

// The VT_I4 number method gives, or 0.
LONG NumberOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*method)(VARIANT, VARIANT*),
              VARIANT child) {
  VARIANT result;
  VariantInit(&result);
  return (object->*method)(child, &result) == S_OK && result.vt == VT_I4 ? result.lVal : 0;
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
  element.Role = NumberOf(object, &IAccessible::get_accRole, id);
  element.State = NumberOf(object, &IAccessible::get_accState, id);
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
  for (const auto& heard : Events) count += heard.first == event && heard.second == window;
  return count;
}
