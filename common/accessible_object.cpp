#include "common/accessible_object.h"

#include <oleacc.h>

#include <cstdlib>
#include <new>

#include "common/on_demand_api.h"

namespace {

// The accessible object of one client area. It lives as long as a client
// holds it (reference counted; made by Create, in a block of its own); it
// reads the window's content afresh at every call, so a client holding it
// always reads what the window shows now.
class ClientAccessible final : public IAccessible {
 public:
  // A new object with one reference, taking over one reference to standard,
  // the system's object of the client area; null (standard released) when
  // there is no memory for it.
  static ClientAccessible* Create(HWND window, const AccessibleContent* content, IAccessible* standard) {
    void* block = malloc(sizeof(ClientAccessible));
    if (block == nullptr) {
      standard->Release();
      return nullptr;
    }
    return new (block) ClientAccessible(window, content, standard);
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
        IsEqualIID(riid, __uuidof(IAccessible))) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      this->~ClientAccessible();
      free(this);
    }
    return left;
  }

  // IDispatch: clients use the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (count == nullptr) return E_POINTER;
    *count = Children();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    const int32_t id = ChildOf(child);
    return id > 0 ? S_FALSE : E_INVALIDARG;  // simple elements have no object
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return TextOf(child, AccessibleField::Name, name, &IAccessible::get_accName);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return TextOf(child, AccessibleField::Value, value, &IAccessible::get_accValue);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return StandardText(child, text, &IAccessible::get_accDescription);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    const int32_t id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    const int32_t own = content_->Role(window_, id);
    if (own == 0) return standard_->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = own;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    const int32_t id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    uint32_t states = content_->State(window_, id);
    if (id == CHILDID_SELF) {
      VARIANT standard;
      standard.vt = VT_EMPTY;
      if (SUCCEEDED(standard_->get_accState(child, &standard)) && standard.vt == VT_I4) {
        states |= static_cast<uint32_t>(standard.lVal);
      }
    }
    state->vt = VT_I4;
    state->lVal = static_cast<LONG>(states);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return StandardText(child, text, &IAccessible::get_accHelp);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    if (ChildOf(child) != CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return StandardText(child, text, &IAccessible::get_accKeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return standard_->get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
    return StandardText(child, text, &IAccessible::get_accDefaultAction);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (ChildOf(child) != CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    const int32_t id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (id == CHILDID_SELF) return standard_->accLocation(left, top, width, height, child);
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    RECT box = {};
    if (!content_->Location(window_, id, &box)) return S_FALSE;
    // Both corners, as a window laid out from the right maps its client x to
    // the screen's the other way round.
    POINT corners[2] = {{box.left, box.top}, {box.right, box.bottom}};
    ClientToScreen(window_, &corners[0]);
    ClientToScreen(window_, &corners[1]);
    *left = corners[0].x < corners[1].x ? corners[0].x : corners[1].x;
    *top = corners[0].y;
    *width = box.right - box.left;
    *height = box.bottom - box.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (end == nullptr) return E_POINTER;
    const int32_t id = ChildOf(start);
    if (id < 0) return E_INVALIDARG;
    const int32_t count = Children();
    int32_t to = -1;
    if (id == CHILDID_SELF) {
      if (direction == NAVDIR_FIRSTCHILD) to = count > 0 ? 1 : -1;
      else if (direction == NAVDIR_LASTCHILD) to = count > 0 ? count : -1;
      else return standard_->accNavigate(direction, start, end);
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
      to = id < count ? id + 1 : -1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
      to = id > 1 ? id - 1 : -1;
    }
    if (to < 1) {
      end->vt = VT_EMPTY;
      return S_FALSE;
    }
    end->vt = VT_I4;
    end->lVal = to;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* found) override {
    if (found == nullptr) return E_POINTER;
    POINT point = {x, y};
    ScreenToClient(window_, &point);
    for (int32_t id = Children(); id >= 1; --id) {
      RECT box = {};
      if (content_->Location(window_, id, &box) && PtInRect(&box, point)) {
        found->vt = VT_I4;
        found->lVal = id;
        return S_OK;
      }
    }
    return standard_->accHitTest(x, y, found);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (ChildOf(child) != CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  using StandardTextMethod = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

  ClientAccessible(HWND window, const AccessibleContent* content, IAccessible* standard)
      : references_(1), window_(window), content_(content), standard_(standard) {}
  ~ClientAccessible() { standard_->Release(); }

  int32_t Children() const { return content_->ChildCount(window_); }

  // The child id of child: 0 for the object itself, 1..Children() for a
  // child; -1 for anything else.
  int32_t ChildOf(const VARIANT& child) const {
    if (child.vt != VT_I4) return -1;
    const LONG id = child.lVal;
    return id >= 0 && id <= Children() ? static_cast<int32_t>(id) : -1;
  }

  // A text the content gives; what the standard object says for the object
  // itself when the content has none.
  HRESULT TextOf(VARIANT child, AccessibleField field, BSTR* out, StandardTextMethod standard) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    const int32_t id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    WideChar* text = content_->Text(window_, id, field);
    if (text == nullptr) return id == CHILDID_SELF ? (standard_->*standard)(child, out) : S_FALSE;
    UINT length = 0;
    while (text[length] != 0) ++length;
    *out = OnDemandSysAllocStringLen(text, length);
    free(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  // A text only the standard object has, for the object itself; none for children.
  HRESULT StandardText(VARIANT child, BSTR* out, StandardTextMethod standard) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    const int32_t id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (id != CHILDID_SELF) return S_FALSE;
    return (standard_->*standard)(child, out);
  }

  ULONG references_;
  HWND window_;
  const AccessibleContent* content_;
  IAccessible* standard_;
};

}  // namespace

LRESULT AnswerClientObject(HWND window, WPARAM flags, LPARAM objectId,
                           const AccessibleContent* content) {
  if (static_cast<LONG>(static_cast<DWORD>(objectId)) != OBJID_CLIENT) return 0;
  // The object is handed to other programs through COM, which the thread
  // then needs; it is started on the first request, not at start-up.
  if (!StartComOnce()) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(OnDemandCreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&standard))) ||
      standard == nullptr) {
    return 0;
  }
  ClientAccessible* object = ClientAccessible::Create(window, content, standard);
  if (object == nullptr) return 0;
  const LRESULT result = OnDemandLresultFromObject(__uuidof(IAccessible), flags, object);
  object->Release();  // the reference is the client's now, or nobody's
  return result > 0 ? result : 0;
}

void AnnounceClientChange(HWND window, bool valueChanged) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
  if (valueChanged) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}
