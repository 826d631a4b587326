// Messages to the user: a text and a caption of the string table, in the
// language the interface speaks, in a message box.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/platform_types.h"

// Shows string-table entry textId with caption captionId (0: the system's
// "Error") and style in a message box owned by owner (null: none), read from
// the right in a right-to-left interface. Needs no memory of its own, so the
// out-of-memory message can use it. The box's result; 0 without a box when
// the module has no entry textId (a program without the string table).
int ShowUiMessage(HWND owner, uint32_t textId, uint32_t captionId, UINT style);

// ShowUiMessage owned by App.MainWindow.
int ShowMessage(uint32_t textId, uint32_t captionId, UINT style);

// Shows text with caption (null: the system's "Error") and style in a message
// box owned by App.MainWindow, texts as the string table gives them (filled
// in), read from the right in a right-to-left interface; the box's result.
int ShowUiMessage(const WideChar* text, const WideChar* caption, UINT style);
