#include "common/ui_resources.h"

#include "common/ui_text.h"

namespace {

// The data of resource found in module; null when it cannot be loaded.
const void* ResourceData(HMODULE module, HRSRC found) {
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  return loaded != nullptr ? LockResource(loaded) : nullptr;
}

}  // namespace

HRSRC FindUiResource(HMODULE module, const wchar_t* type, uint32_t id) {
  HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), UiLanguageId(CurrentUiLanguage()));
  if (found == nullptr) {
    found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), UiLanguageId(UiLanguage::English));
  }
  return found;
}

HMENU LoadUiMenu(uint32_t id) {
  HMODULE module = GetModuleHandleW(nullptr);
  const void* menu = ResourceData(module, FindUiResource(module, RT_MENU, id));
  return menu != nullptr ? LoadMenuIndirectW(menu) : nullptr;
}

INT_PTR ShowUiDialog(HINSTANCE module, uint32_t id, HWND owner, DLGPROC procedure,
                     LPARAM parameter) {
  const auto* dialog =
      static_cast<const DLGTEMPLATE*>(ResourceData(module, FindUiResource(module, RT_DIALOG, id)));
  if (dialog == nullptr) return -1;
  return DialogBoxIndirectParamW(module, dialog, owner, procedure, parameter);
}
