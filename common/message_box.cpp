#include "common/message_box.h"

#include <cstddef>

#include "common/app_state.h"
#include "common/ui_text.h"

namespace {

constexpr size_t kMessageChars = 512;

// Style with the reading order of the interface's language added.
UINT InUiReadingOrder(UINT style) {
  return UiRightToLeft() ? style | MB_RTLREADING | MB_RIGHT : style;
}

}  // namespace

int ShowUiMessage(HWND owner, uint32_t textId, uint32_t captionId, UINT style) {
  wchar_t text[kMessageChars];
  wchar_t caption[kMessageChars];
  if (CopyUiText(textId, text, kMessageChars) == 0) return 0;
  const bool captioned = captionId != 0 && CopyUiText(captionId, caption, kMessageChars) != 0;
  return MessageBoxW(owner, text, captioned ? caption : nullptr, InUiReadingOrder(style));
}

int ShowMessage(uint32_t textId, uint32_t captionId, UINT style) {
  return ShowUiMessage(App.MainWindow, textId, captionId, style);
}

int ShowUiMessage(const WideChar* text, const WideChar* caption, UINT style) {
  return MessageBoxW(App.MainWindow, text, caption, InUiReadingOrder(style));
}
