// The font dialog: typefaces from EnumFontsW in blocks of records, the size
// list, the code base radio buttons and the preview.
#include "shell/font_dialog.h"

#include <cstdlib>
#include <cwchar>

#include "common/dpi.h"
#include "common/ui_resources.h"
#include "lessons/text_stream.h"
#include "resources/resource.h"
#include "view/window_colours.h"

namespace {

constexpr int kRecordsPerBlock = 25;
constexpr size_t kFaceChars = LF_FACESIZE;
constexpr int kPreviewLetters = kLetterCount;
constexpr int kSizeTextChars = 7;                // characters of a size entry that are read
constexpr int32_t kLargestListedSize = 9999999;  // the largest size of 7 digits

constexpr int kModeOk = 1;
constexpr int kModeList = 2;

// The sizes offered, in points, in the order shown.
constexpr int32_t kSizes[] = {10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 52, 72};

// One installed typeface as the system reported it.
struct FontRecord {
  FontRecord* Next;              // null ends the list
  wchar_t FaceName[kFaceChars];  // zero-terminated
  uint8_t CharSet;               // tmCharSet of the typeface
  uint8_t BlockHead;             // 1 on the first record of an allocated block
};

// The open dialog's state; zeroed whenever the dialog opens. The record blocks
// and the preview font belong to it.
struct FontDialogState {
  FontRecord* Head;
  FontRecord** Tail;     // link field where the next record is attached
  FontRecord* NextFree;  // next unused record of the current block
  HFONT PreviewFont;
  int32_t RecordsLeft;  // unused records in the current block
  LOGFONTW Preview;     // height and face name of the preview font
  FontSettings* Target;
  int32_t Dpi;          // the dialog's DPI, at which the preview is drawn
};

FontDialogState State;
wchar_t PreviewText[kPreviewLetters + 1];

// Radio button of a code base, or 0 for a value without one.
int CodeBaseButton(int32_t codeBase) {
  switch (codeBase) {
    case kCodeBaseLetters: return IDC_FONT_BASE_LATIN;
    case kCodeBaseCodePage: return IDC_FONT_BASE_CODE_PAGE;
    case kCodeBaseUnicode: return IDC_FONT_BASE_UNICODE;
    default: return 0;
  }
}

// Deletes the preview font. The preview box keeps the handle until it is
// given the next font or destroyed; it is not painted in between.
void DeletePreviewFont() {
  if (State.PreviewFont == nullptr) return;
  DeleteObject(State.PreviewFont);
  State.PreviewFont = nullptr;
}

// Text of the selected entry of list box id into buffer of capacity characters;
// false without a selection or when the text does not fit.
bool SelectedListText(HWND dialog, int id, wchar_t* buffer, size_t capacity) {
  const LRESULT index = SendDlgItemMessageW(dialog, id, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return false;
  const LRESULT length = SendDlgItemMessageW(dialog, id, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR || static_cast<size_t>(length) >= capacity) return false;
  return SendDlgItemMessageW(dialog, id, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)) !=
         LB_ERR;
}

// Value of a size entry: r = r * 10 + (character - '0') over its first seven
// characters; 0 for an empty text.
LONG SizeFromText(const wchar_t* text) {
  LONG r = 0;
  for (int i = 0; i < kSizeTextChars && text[i] != 0; ++i) r = r * 10 + (text[i] - L'0');
  return r;
}

// The first record named face exactly, or null.
const FontRecord* FindFontRecord(const wchar_t* face) {
  for (const FontRecord* record = State.Head; record; record = record->Next) {
    if (wcscmp(record->FaceName, face) == 0) return record;
  }
  return nullptr;
}

// Fills the typeface list from the records; the list box sorts them.
void FillFaceList(HWND dialog) {
  SendDlgItemMessageW(dialog, IDC_FONT_FACES, LB_RESETCONTENT, 0, 0);
  for (const FontRecord* record = State.Head; record; record = record->Next) {
    SendDlgItemMessageW(dialog, IDC_FONT_FACES, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(record->FaceName));
  }
  SendDlgItemMessageW(dialog, IDC_FONT_FACES, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(State.Target->FontName));
}

// Fills the size list; a current size of 1 to 9999999 points that the list
// lacks is added in order, so that the selection shows it.
void FillSizeList(HWND dialog, int32_t current) {
  SendDlgItemMessageW(dialog, IDC_FONT_SIZES, LB_RESETCONTENT, 0, 0);
  bool listed = current <= 0 || current > kLargestListedSize;
  wchar_t text[16];
  for (int32_t size : kSizes) {
    if (!listed && current <= size) {
      if (current < size) {
        swprintf(text, 16, L"%d", current);
        SendDlgItemMessageW(dialog, IDC_FONT_SIZES, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text));
      }
      listed = true;
    }
    swprintf(text, 16, L"%d", size);
    SendDlgItemMessageW(dialog, IDC_FONT_SIZES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  if (!listed) {
    swprintf(text, 16, L"%d", current);
    SendDlgItemMessageW(dialog, IDC_FONT_SIZES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  if (current != 0) {
    swprintf(text, 16, L"%d", current);
    SendDlgItemMessageW(dialog, IDC_FONT_SIZES, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(text));
  }
}

// OK: the selected size, code base and typeface go to the target.
void WriteTarget(HWND dialog) {
  FontSettings* target = State.Target;
  if (target == nullptr) return;
  if (State.Preview.lfHeight != 0) target->FontSize = State.Preview.lfHeight;
  if (IsDlgButtonChecked(dialog, IDC_FONT_BASE_CODE_PAGE) == BST_CHECKED) {
    target->FontAsciiBase = kCodeBaseCodePage;
  } else if (IsDlgButtonChecked(dialog, IDC_FONT_BASE_LATIN) == BST_CHECKED) {
    target->FontAsciiBase = kCodeBaseLetters;
  } else if (IsDlgButtonChecked(dialog, IDC_FONT_BASE_UNICODE) == BST_CHECKED) {
    target->FontAsciiBase = kCodeBaseUnicode;
  }
  if (State.Preview.lfFaceName[0] != 0) {
    wcsncpy(target->FontName, State.Preview.lfFaceName, kFaceChars - 1);
    target->FontName[kFaceChars - 1] = 0;
  }
}

// The dialog moved to a monitor of another scaling: a shown preview is made
// anew at dpi. The dialog manager sizes the dialog and its own fonts.
void OnFontDialogDpiChanged(HWND dialog, int32_t dpi) {
  if (dpi <= 0) return;
  State.Dpi = dpi;
  if (State.PreviewFont != nullptr) UpdateFontDialog(dialog, 0);
}

}  // namespace

void ResetFontList() {
  State = FontDialogState{};
  State.Tail = &State.Head;
}

void FreeFontList() {
  // A block holds the records that follow its head in the list, so it is
  // released once the walk has passed them.
  FontRecord* block = nullptr;
  FontRecord* record = State.Head;
  while (record != nullptr) {
    FontRecord* next = record->Next;
    if (record->BlockHead) {
      free(block);
      block = record;
    }
    record = next;
  }
  free(block);
  DeletePreviewFont();
  ResetFontList();
}

int CALLBACK AddFontToList(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type,
                           LPARAM user) {
  // Some systems report a typeface once for each of its character sets, one
  // after another; the list keeps its first report.
  if (State.Tail != &State.Head) {
    // The tail is the Next field of the last record, its first member.
    const FontRecord* last = reinterpret_cast<const FontRecord*>(State.Tail);
    if (wcsncmp(last->FaceName, font->lfFaceName, kFaceChars - 1) == 0) return 1;
  }
  if (State.RecordsLeft == 0) {
    FontRecord* block = static_cast<FontRecord*>(calloc(kRecordsPerBlock, sizeof(FontRecord)));
    if (block == nullptr) return 0;
    block->BlockHead = 1;
    State.NextFree = block;
    State.RecordsLeft = kRecordsPerBlock;
  }
  FontRecord* record = State.NextFree++;
  --State.RecordsLeft;
  wcsncpy(record->FaceName, font->lfFaceName, kFaceChars - 1);
  record->FaceName[kFaceChars - 1] = 0;
  record->CharSet = metrics->tmCharSet;
  *State.Tail = record;
  State.Tail = &record->Next;
  return 1;
}

void SetPreviewText(HWND dialog, int32_t codeBase) {
  // Code units wrap at 16 bits, so that any stored code base gives a text.
  for (int i = 0; i < kPreviewLetters; ++i) {
    PreviewText[i] =
        static_cast<wchar_t>(static_cast<uint32_t>(codeBase) + (kPreviewLetters - 1 - i));
  }
  PreviewText[kPreviewLetters] = 0;
  SetDlgItemTextW(dialog, IDC_FONT_PREVIEW, PreviewText);
}

void InitFontDialog(HWND dialog, FontSettings* target) {
  HWND owner = GetParent(dialog);
  HDC dc = GetDC(owner);
  ResetFontList();
  State.Target = target;
  State.Dpi = WindowDpi(dialog);
  if (target->FontAsciiBase == 0) target->FontAsciiBase = kCodeBaseUnicode;
  SetPreviewText(dialog, target->FontAsciiBase);
  const int button = CodeBaseButton(target->FontAsciiBase);
  if (button != 0) SendDlgItemMessageW(dialog, button, BM_SETCHECK, BST_CHECKED, 0);
  if (dc != nullptr) {
    EnumFontsW(dc, nullptr, AddFontToList, 0);
    ReleaseDC(owner, dc);
  }
  FillFaceList(dialog);
  FillSizeList(dialog, target->FontSize);
  SetFocus(GetDlgItem(dialog, IDC_FONT_FACES));
  ApplyWindowFrameColours(dialog);
}

void UpdateFontDialog(HWND dialog, int mode) {
  wchar_t text[kFaceChars];
  if (SelectedListText(dialog, IDC_FONT_FACES, text, kFaceChars)) {
    wcsncpy(State.Preview.lfFaceName, text, kFaceChars - 1);
    State.Preview.lfFaceName[kFaceChars - 1] = 0;
  }
  if (SelectedListText(dialog, IDC_FONT_SIZES, text, kFaceChars)) {
    State.Preview.lfHeight = SizeFromText(text);
  }
  DeletePreviewFont();

  if ((mode & kModeList) && State.Preview.lfFaceName[0] != 0) {
    const FontRecord* record = FindFontRecord(State.Preview.lfFaceName);
    if (record != nullptr && record->CharSet == HEBREW_CHARSET &&
        IsDlgButtonChecked(dialog, IDC_FONT_BASE_UNICODE) != BST_CHECKED) {
      CheckDlgButton(dialog, IDC_FONT_BASE_CODE_PAGE, BST_UNCHECKED);
      CheckDlgButton(dialog, IDC_FONT_BASE_LATIN, BST_UNCHECKED);
      CheckDlgButton(dialog, IDC_FONT_BASE_UNICODE, BST_CHECKED);
      if (!(mode & kModeOk)) SetPreviewText(dialog, kCodeBaseUnicode);
    }
  }
  if (mode & kModeOk) {
    WriteTarget(dialog);
    return;
  }
  // The size is a cell height in pixels at 96 DPI, drawn at the dialog's DPI.
  LOGFONTW preview = State.Preview;
  preview.lfHeight = ScaleToDpi(preview.lfHeight, State.Dpi);
  State.PreviewFont = CreateFontIndirectW(&preview);
  if (State.PreviewFont != nullptr) {
    SendDlgItemMessageW(dialog, IDC_FONT_PREVIEW, WM_SETFONT,
                        reinterpret_cast<WPARAM>(State.PreviewFont), TRUE);
  }
}

INT_PTR CALLBACK FontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR colours = 0;
  if (ControlColourAnswer(message, wParam, &colours)) return colours;
  switch (message) {
    case WM_INITDIALOG: InitFontDialog(dialog, reinterpret_cast<FontSettings*>(lParam)); return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnDialogColoursChanged(dialog, message, wParam, lParam); return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          UpdateFontDialog(dialog, kModeOk);
          FreeFontList();
          EndDialog(dialog, IDOK);
          return 1;
        case IDCANCEL:
          FreeFontList();
          EndDialog(dialog, IDCANCEL);
          return 1;
        case IDC_FONT_FACES:
        case IDC_FONT_SIZES: UpdateFontDialog(dialog, kModeList); return 0;
        case IDC_FONT_BASE_LATIN:
          SetPreviewText(dialog, kCodeBaseLetters);
          UpdateFontDialog(dialog, 0);
          return 0;
        case IDC_FONT_BASE_CODE_PAGE:
          SetPreviewText(dialog, kCodeBaseCodePage);
          UpdateFontDialog(dialog, 0);
          return 0;
        case IDC_FONT_BASE_UNICODE:
          SetPreviewText(dialog, kCodeBaseUnicode);
          UpdateFontDialog(dialog, 0);
          return 0;
      }
      return 0;
    case WM_DESTROY: DeletePreviewFont(); return 1;
    case WM_DPICHANGED: OnFontDialogDpiChanged(dialog, HIWORD(wParam)); return 0;
  }
  return 0;
}

INT_PTR ShowFontDialog(HWND owner, FontSettings* settings) {
  return ShowUiDialog(App.Instance, IDD_FONT, owner, FontDialogProc,
                      reinterpret_cast<LPARAM>(settings));
}
