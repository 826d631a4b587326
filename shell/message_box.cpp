#include "shell/message_box.h"

#include <cstddef>

#include "shell/app_state.h"
#include "shell/wide_text.h"

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
