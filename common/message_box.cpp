#include "common/message_box.h"

#include <cstddef>

#include "common/app_state.h"
#include "common/wide_text.h"

namespace {

constexpr size_t kMessageChars = 128;

}  // namespace

int ShowMessage(const char* text, const char* caption, UINT style) {
  wchar_t wideText[kMessageChars];
  wchar_t wideCaption[kMessageChars];
  WidenAscii(wideText, kMessageChars, text);
  if (caption != nullptr) WidenAscii(wideCaption, kMessageChars, caption);
  return MessageBoxW(App.MainWindow, wideText, caption != nullptr ? wideCaption : nullptr, style);
}

int ShowUiMessage(const WideChar* text, const WideChar* caption, UINT style) {
  return MessageBoxW(App.MainWindow, text, caption, style);
}
