#include "tests/wine/screen_reader.h"

#include <tuple>
#include <vector>

namespace {

std::vector<std::tuple<DWORD, HWND, LONG>> Events;  // event, window, child
HWINEVENTHOOK Hook = nullptr;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) Events.emplace_back(event, window, child);
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

bool ClientChildBox(HWND window, LONG child, RECT* box) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return false;
  }
  VARIANT id;
  id.vt = VT_I4;
  id.lVal = child;
  long left = 0, top = 0, width = 0, height = 0;
  const bool found = object->accLocation(&left, &top, &width, &height, id) == S_OK;
  object->Release();
  POINT corner = {left, top};
  ScreenToClient(window, &corner);
  *box = RECT{corner.x, corner.y, corner.x + width, corner.y + height};
  return found;
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

int HeardChanges(DWORD event, HWND window, LONG child) {
  int count = 0;
  for (const auto& heard : Events) {
    count += std::get<0>(heard) == event && std::get<1>(heard) == window && std::get<2>(heard) == child;
  }
  return count;
}
