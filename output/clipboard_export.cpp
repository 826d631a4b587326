// The day's text on the Win32 clipboard: Copy and Append to ClipBoard.
#include "output/clipboard_export.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/app_state.h"
#include "common/message_box.h"
#include "output/clipboard_text.h"
#include "output/rtf_document.h"
#include "resources/resource.h"

const wchar_t kRichTextFormatName[] = L"Rich Text Format";

namespace {

// The clipboard's owner: the main window. With no owner EmptyClipboard leaves
// the clipboard ownerless, and the system may then refuse SetClipboardData.
HWND ClipboardOwner() { return App.MainWindow; }

// Empties the clipboard and hands it block (owned by the caller until the
// clipboard takes it) in format. The block is released when the clipboard
// cannot be opened or does not take it.
ClipboardPut HandOver(UINT format, HGLOBAL block) {
  if (!OpenClipboard(ClipboardOwner())) {
    GlobalFree(block);
    return kClipboardUnchanged;
  }
  EmptyClipboard();
  bool taken = SetClipboardData(format, block) != nullptr;
  CloseClipboard();
  if (!taken) {
    GlobalFree(block);
    return kClipboardUnchanged;
  }
  return kClipboardPut;
}

// A shareable global block of bytes bytes, locked: *memory receives its
// address. Null (nothing allocated) when it cannot be had or locked.
HGLOBAL NewLockedBlock(size_t bytes, uint8_t** memory) {
  *memory = nullptr;
  if (bytes == 0) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
  if (!block) return nullptr;
  *memory = static_cast<uint8_t*>(GlobalLock(block));
  if (!*memory) {
    GlobalFree(block);
    return nullptr;
  }
  return block;
}

// The old data of format for an Append: a copy, or null (length 0) for none.
// False when there is old data that could not be copied.
bool ReadOldData(bool append, UINT format, uint8_t** old, size_t* length) {
  *old = nullptr;
  *length = 0;
  if (!append) return true;
  bool outOfMemory = false;
  *old = ReadClipboardData(format, length, &outOfMemory);
  return !outOfMemory;
}

}  // namespace

uint8_t* ReadClipboardData(UINT format, size_t* length, bool* outOfMemory) {
  *length = 0;
  if (outOfMemory) *outOfMemory = false;
  if (format == 0) format = CF_UNICODETEXT;
  if (!OpenClipboard(ClipboardOwner())) return nullptr;
  uint8_t* copy = nullptr;
  HANDLE handle = GetClipboardData(format);
  const auto* data = handle ? static_cast<const uint8_t*>(GlobalLock(handle)) : nullptr;
  if (data) {
    size_t bytes = ClipboardDataLength(data, GlobalSize(handle), format == CF_UNICODETEXT);
    copy = static_cast<uint8_t*>(malloc(bytes > 0 ? bytes : 1));
    if (copy) {
      if (bytes > 0) memcpy(copy, data, bytes);
      *length = bytes;
    } else if (outOfMemory) {
      *outOfMemory = true;
    }
    GlobalUnlock(handle);
  }
  CloseClipboard();
  return copy;
}

ClipboardPut PutUnicodeText(const WideChar* text, bool append) {
  uint8_t* old = nullptr;
  size_t oldBytes = 0;
  if (!ReadOldData(append, CF_UNICODETEXT, &old, &oldBytes)) return kClipboardOldTooLarge;
  uint8_t* memory = nullptr;
  HGLOBAL block = NewLockedBlock(AppendedUnicodeBytes(oldBytes, text), &memory);
  if (block) {
    WriteAppendedUnicode(memory, old, oldBytes, text);
    GlobalUnlock(block);
  }
  free(old);
  if (!block) return kClipboardNoMemory;
  return HandOver(CF_UNICODETEXT, block);
}

ClipboardPut PutRichText(const WideChar* text, bool append) {
  UINT format = RegisterClipboardFormatW(kRichTextFormatName);
  if (format == 0) return kClipboardUnchanged;
  uint8_t* old = nullptr;
  size_t oldLength = 0;
  if (!ReadOldData(append, format, &old, &oldLength)) return kClipboardOldTooLarge;
  size_t bodyLength = 0;
  uint8_t* body = UnicodeToRtfBody(text, &bodyLength);
  HGLOBAL block = nullptr;
  if (body) {
    RtfDocumentPlan plan = PlanRtfDocument(old, oldLength, bodyLength);
    uint8_t* memory = nullptr;
    block = NewLockedBlock(plan.TotalBytes, &memory);
    if (block) {
      WriteRtfDocument(memory, plan, old, body, bodyLength);
      GlobalUnlock(block);
    }
  }
  free(old);
  free(body);
  if (!block) return kClipboardNoMemory;
  return HandOver(format, block);
}

void CopyDayToClipboard(const LessonView* view, bool append) {
  if (!view || !view->Text) return;
  int32_t result = kUnicodeNoMemory;
  WideChar* text = DayTextToUnicode(view->Text, &result);
  if (result == kUnicodeOverflow) ShowMessage(IDS_UNICODE_OVERFLOW, 0, MB_OK);
  if (!text) return;
  ClipboardPut put = UsesRichText(App.Font.FontAsciiBase) ? PutRichText(text, append)
                                                          : PutUnicodeText(text, append);
  // The clipboard was left as it was for want of memory: say so with a beep.
  if (put == kClipboardOldTooLarge || put == kClipboardNoMemory) MessageBeep(MB_ICONWARNING);
  free(text);
}
