// The interface's menus and dialogs in the language it speaks: the resource
// of that language's block, or the English one where that block lacks it.
#pragma once
#include <windows.h>

#include <cstdint>

// Resource id of type in module, in the interface's language (common/ui_text.h),
// else in English; null when module has neither.
HRSRC FindUiResource(HMODULE module, const wchar_t* type, uint32_t id);

// A new menu from menu resource id of the program (FindUiResource); the caller
// destroys it unless a window takes it. Null when it cannot be loaded.
HMENU LoadUiMenu(uint32_t id);

// Runs dialog resource id of module (FindUiResource) modally, owned by owner,
// with procedure and the creation parameter: the dialog's result, or -1 when
// the template cannot be had or the dialog not be created.
INT_PTR ShowUiDialog(HINSTANCE module, uint32_t id, HWND owner, DLGPROC procedure,
                     LPARAM parameter);
