// The font dialog in the running program: its layout, the first start, OK and
// Cancel, the code base buttons with a Hebrew-charset typeface and the Latin
// code base, the size list, and no GDI objects left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lessons/lesson_schedule.h"
#include "tests/wine/dialog_controls.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/gdi_object_count.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr int kFaces = 1001;
constexpr int kPreview = 1002;
constexpr int kCodePage = 1004;  // "224"
constexpr int kUnicode = 1005;   // "5D0"
constexpr int kSizes = 1006;

// The sizes the dialog offers, in order.
const std::vector<std::wstring> kSizeList = {L"10", L"11", L"12", L"14", L"16", L"18", L"20",
                                             L"22", L"24", L"26", L"28", L"32", L"52", L"72"};

// Two faces that every test prefix has (the system's fonts as Wine sees them).
constexpr wchar_t kSerifFace[] = L"DejaVu Serif";
constexpr wchar_t kMonoFace[] = L"DejaVu Sans Mono";

// A bitmap font of Wine's own with the Hebrew character set (its typeface
// "Courier" has no other character set), made known to the programs of this
// prefix through the system's font list.
constexpr wchar_t kHebrewFace[] = L"Courier";
#ifdef ZELVAN_HEBREW_TEST_FONT
constexpr char kHebrewFontFile[] = ZELVAN_HEBREW_TEST_FONT;
#else
constexpr char kHebrewFontFile[] = "";
#endif

// Registers the Hebrew test font for programs started from now on; false
// when this machine lacks the font file.
bool InstallHebrewFont() {
  if (kHebrewFontFile[0] == 0) return false;
  const std::wstring path = WindowsPath(kHebrewFontFile);
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                      0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG result = RegSetValueExW(key, L"Courier Hebrew test font", 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(path.c_str()),
                                     static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

class FontDialog : public ProgramTest {
 protected:
  // Opens the dialog with the Font command; a fatal failure if it does not show.
  void OpenFontDialog() {
    dialog_ = OpenDialogByCommand(run_.Window, run_.ProcessId, kCommandFont, kFontDialogCaption);
    ASSERT_NE(dialog_, nullptr) << "the font dialog did not open";
  }
  // Presses OK or Cancel and waits for the dialog to go.
  void Press(int button) {
    ClickDialogButton(dialog_, button);
    ASSERT_TRUE(WaitUntilClosed(dialog_)) << "the font dialog stayed open";
    dialog_ = nullptr;
  }
  std::wstring PreviewText() { return WindowText(GetDlgItem(dialog_, kPreview)); }

  HWND dialog_ = nullptr;
};

// The 27 preview characters of code base b: b + 26 down to b.
std::wstring PreviewOf(int32_t base) {
  std::wstring text;
  for (int i = 26; i >= 0; --i) text += static_cast<wchar_t>(base + i);
  return text;
}

}  // namespace

// The dialog's controls, in order, as laid out in dialog units.
TEST_F(FontDialog, ControlsAreLaidOutAsDesigned) {
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(OpenFontDialog());
  const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog_, GWL_STYLE));
  const DWORD wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
  EXPECT_EQ(style & wanted, wanted) << std::hex << style;
  EXPECT_NE(GetWindowLongW(dialog_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), run_.Window);
  const DWORD child = WS_CHILD | WS_VISIBLE;
  const DWORD list =
      LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP;
  ExpectControls(
      dialog_, 152, 220,
      {
          // each list and the preview after its label, which names it
          {-1, L"Static", L"&Font:", 7, 7, 107, 8, child | SS_LEFT, 0x1F},
          // typefaces: sorted
          {kFaces, L"ListBox", nullptr, 7, 17, 107, 84, child | list | LBS_SORT, LBS_SORT},
          {-1, L"Static", L"&Size:", 120, 7, 25, 8, child | SS_LEFT, 0x1F},
          // sizes: in the order given, not sorted
          {kSizes, L"ListBox", nullptr, 120, 17, 25, 84, child | list, LBS_SORT},
          {-1, L"Static", L"Pre&view:", 7, 106, 138, 8, child | SS_LEFT, 0x1F},
          {kPreview, L"Edit", nullptr, 7, 116, 138, 50,
           child | ES_MULTILINE | ES_RIGHT | ES_AUTOVSCROLL | WS_BORDER | WS_TABSTOP, 0},
          // code bases: one group in a box, so they exclude each other; the
          // checked one is the group's tab stop
          {-1, L"Button", L"Code &base", 7, 170, 138, 24, child | BS_GROUPBOX, 0xF},
          {kCodePage, L"Button", L"224", 15, 180, 40, 10, child | BS_AUTORADIOBUTTON | WS_GROUP, 0xF},
          {kUnicode, L"Button", L"5D0", 60, 180, 40, 10, child | BS_AUTORADIOBUTTON | WS_TABSTOP, 0xF},
          // OK and Cancel (either may be the default button while it has the focus)
          {IDOK, L"Button", L"OK", 7, 199, 50, 14, child | WS_GROUP | WS_TABSTOP, 0xE},
          {IDCANCEL, L"Button", L"Cancel", 95, 199, 50, 14, child | WS_TABSTOP, 0xE},
      });
  EXPECT_EQ(ListEntries(GetDlgItem(dialog_, kSizes)), kSizeList);
  ASSERT_NO_FATAL_FAILURE(Press(IDCANCEL));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// First start on an empty registry: the dialog opens after the window has been
// painted; a typeface and a size chosen there and OK re-lay out the text in
// them, and they are stored at the end.
TEST_F(FontDialog, FirstStartChoiceIsAppliedAndStored) {
  ASSERT_NO_FATAL_FAILURE(Start());
  dialog_ = WaitForDialog(run_.ProcessId, kFontDialogCaption, kConditionLimit);
  ASSERT_NE(dialog_, nullptr) << "no font dialog on the first start";
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), run_.Window);
  EXPECT_TRUE(ShowsADay()) << "the window was not painted before the dialog";
  // A missing code base is 0x5D0 as the dialog opens.
  EXPECT_TRUE(IsButtonChecked(dialog_, kUnicode));
  EXPECT_FALSE(IsButtonChecked(dialog_, kCodePage));
  EXPECT_EQ(PreviewText(), PreviewOf(0x5D0));
  // No size was stored: none is selected.
  EXPECT_EQ(SelectedEntry(GetDlgItem(dialog_, kSizes)), L"");

  // The text as the default font shows it, outside the dialog: the whole
  // window, as the scroll bar that the new layout needs narrows the client.
  RECT dialogBox = {}, windowBox = {};
  GetWindowRect(dialog_, &dialogBox);
  GetWindowRect(run_.Window, &windowBox);
  OffsetRect(&dialogBox, -windowBox.left, -windowBox.top);
  Picture before;
  ASSERT_TRUE(CaptureWindow(run_.Window, &before));

  Picture previewBefore, previewAfter;
  ASSERT_TRUE(CaptureWindow(GetDlgItem(dialog_, kPreview), &previewBefore));
  ASSERT_TRUE(ChooseListEntry(dialog_, kFaces, kSerifFace));
  ASSERT_TRUE(ChooseListEntry(dialog_, kSizes, L"28"));
  PumpMessages(50);
  ASSERT_TRUE(CaptureWindow(GetDlgItem(dialog_, kPreview), &previewAfter));
  RECT previewArea = {0, 0, previewBefore.Width, previewBefore.Height};
  EXPECT_GT(CountDifferences(previewBefore, previewAfter, previewArea), 0)
      << "the preview did not follow the choice";
  ASSERT_NO_FATAL_FAILURE(Press(IDOK));

  WaitForInputIdle(run_.Process, kConditionLimit);
  Picture after;
  ASSERT_TRUE(CaptureWindow(run_.Window, &after));
  // Compared above and beside the dialog's place: the rows of text there.
  RECT above = {0, 0, before.Width, dialogBox.top};
  RECT left = {0, 0, dialogBox.left, before.Height};
  const int changed =
      CountDifferences(before, after, above) + CountDifferences(before, after, left);
  EXPECT_GT(changed, 100) << "the text was not laid out again in the chosen font";
  EXPECT_TRUE(ShowsADay());
  ASSERT_NO_FATAL_FAILURE(Close());

  std::wstring face;
  uint32_t size = 0, base = 0;
  ASSERT_TRUE(StoredString(L"FontName", &face));
  EXPECT_EQ(Narrow(face), Narrow(kSerifFace));
  ASSERT_TRUE(StoredDword(L"FontSize", &size));
  EXPECT_EQ(size, 28u);
  ASSERT_TRUE(StoredDword(L"FontAsciiBase", &base));
  EXPECT_EQ(base, 0x5D0u);
}

// The scroll bar follows a new font at once, to a larger size and back: its
// range is the one the next start shows for that font in that window.
TEST_F(FontDialog, ScrollBarFollowsTheNewFont) {
  const uint32_t day = 739958;
  StoreTestFont();
  PutDword(kProductKey, L"Day", day);
  PutDword(kProductKey, L"Lesson", static_cast<uint32_t>(LessonDayFromAbsolute(day)));
  PutDword(kProductKey, L"Flags", kDefaultFlags | kFixedDayBit | ReverseAsAFirstStartSetsIt());
  StorePlacement(0, 0, 420, 430, SW_SHOWNORMAL);
  // The text needs scrolling at 32 points in this window.
  for (auto [size, leastMax] : {std::pair{L"32", 1}, {L"10", 0}}) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFontDialog());
    ASSERT_TRUE(ChooseListEntry(dialog_, kSizes, size));
    ASSERT_NO_FATAL_FAILURE(Press(IDOK));
    ASSERT_TRUE(WaitUntilServed(run_.Window));
    const int32_t max = MaxTopRow();
    ASSERT_NO_FATAL_FAILURE(Close());
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(max, MaxTopRow()) << Narrow(size);
    EXPECT_GE(max, leastMax);
    ASSERT_NO_FATAL_FAILURE(Close());
  }
}

// Cancel after changing everything keeps the stored font; only a code base of
// 0 becomes 0x5D0, as soon as the dialog opened.
TEST_F(FontDialog, CancelChangesNothingButTheMissingCodeBase) {
  PutString(kProductKey, L"FontName", kMonoFace);
  PutDword(kProductKey, L"FontSize", 14);
  PutDword(kProductKey, L"FontAsciiBase", 0);
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(WaitForDialog(run_.ProcessId, kFontDialogCaption, 500), nullptr)
      << "a stored face must not open the dialog at start";
  ASSERT_NO_FATAL_FAILURE(OpenFontDialog());
  // The stored choice is shown.
  EXPECT_EQ(Narrow(SelectedEntry(GetDlgItem(dialog_, kFaces))), Narrow(kMonoFace));
  EXPECT_EQ(SelectedEntry(GetDlgItem(dialog_, kSizes)), L"14");
  EXPECT_TRUE(IsButtonChecked(dialog_, kUnicode));

  RECT dialogBox = {};
  GetWindowRect(dialog_, &dialogBox);
  MapWindowPoints(nullptr, run_.Window, reinterpret_cast<POINT*>(&dialogBox), 2);
  Picture before;
  ASSERT_TRUE(CaptureClient(run_.Window, &before));
  ASSERT_TRUE(ChooseListEntry(dialog_, kFaces, kSerifFace));
  ASSERT_TRUE(ChooseListEntry(dialog_, kSizes, L"72"));
  SendDlgItemMessageW(dialog_, kCodePage, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsButtonChecked(dialog_, kCodePage));
  EXPECT_EQ(PreviewText(), PreviewOf(0xE0));
  ASSERT_NO_FATAL_FAILURE(Press(IDCANCEL));
  // Nothing is redrawn in another font (compared above and beside the dialog's place).
  WaitForInputIdle(run_.Process, kConditionLimit);
  Picture after;
  ASSERT_TRUE(CaptureClient(run_.Window, &after));
  RECT above = {0, 0, before.Width, dialogBox.top};
  RECT left = {0, 0, dialogBox.left, before.Height};
  EXPECT_EQ(CountDifferences(before, after, above) + CountDifferences(before, after, left), 0);
  ASSERT_NO_FATAL_FAILURE(Close());

  std::wstring face;
  uint32_t size = 0, base = 0;
  ASSERT_TRUE(StoredString(L"FontName", &face));
  EXPECT_EQ(Narrow(face), Narrow(kMonoFace));
  ASSERT_TRUE(StoredDword(L"FontSize", &size));
  EXPECT_EQ(size, 14u);
  ASSERT_TRUE(StoredDword(L"FontAsciiBase", &base));
  EXPECT_EQ(base, 0x5D0u);
}

// A typeface of the Hebrew character set turns on "5D0"; a Latin one keeps
// the code base; "224" chosen with the Hebrew typeface lasts until the next
// notification of a list.
TEST_F(FontDialog, HebrewCharsetTypefaceTurnsOnUnicodeCodeBase) {
  if (!InstallHebrewFont()) GTEST_SKIP() << "no Hebrew-charset test font on this machine";
  PutString(kProductKey, L"FontName", kMonoFace);
  PutDword(kProductKey, L"FontAsciiBase", 0xE0);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(OpenFontDialog());
  HWND faces = GetDlgItem(dialog_, kFaces);
  // Each typeface is listed once, though the system reports it per character set.
  const std::vector<std::wstring> entries = ListEntries(faces);
  for (size_t i = 1; i < entries.size(); ++i)
    EXPECT_NE(entries[i], entries[i - 1]) << Narrow(entries[i]);
  EXPECT_TRUE(IsButtonChecked(dialog_, kCodePage));
  EXPECT_FALSE(IsButtonChecked(dialog_, kUnicode));
  EXPECT_EQ(PreviewText(), PreviewOf(0xE0));

  // A Latin typeface keeps "224".
  ASSERT_TRUE(ChooseListEntry(dialog_, kFaces, kSerifFace));
  EXPECT_TRUE(IsButtonChecked(dialog_, kCodePage));
  EXPECT_EQ(PreviewText(), PreviewOf(0xE0));

  // The Hebrew typeface switches to "5D0" and the Unicode letters.
  ASSERT_TRUE(ChooseListEntry(dialog_, kFaces, kHebrewFace)) << "the test font is not listed";
  EXPECT_TRUE(IsButtonChecked(dialog_, kUnicode));
  EXPECT_FALSE(IsButtonChecked(dialog_, kCodePage));
  EXPECT_EQ(PreviewText(), PreviewOf(0x5D0));

  // "224" works until a list reports anything, even a change of focus.
  SendDlgItemMessageW(dialog_, kCodePage, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsButtonChecked(dialog_, kCodePage));
  EXPECT_EQ(PreviewText(), PreviewOf(0xE0));
  SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(kSizes, LBN_SETFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, kSizes)));
  EXPECT_TRUE(IsButtonChecked(dialog_, kUnicode));
  EXPECT_FALSE(IsButtonChecked(dialog_, kCodePage));
  EXPECT_EQ(PreviewText(), PreviewOf(0x5D0));

  ASSERT_NO_FATAL_FAILURE(Press(IDOK));
  ASSERT_NO_FATAL_FAILURE(Close());
  std::wstring face;
  uint32_t base = 0;
  ASSERT_TRUE(StoredString(L"FontName", &face));
  EXPECT_EQ(Narrow(face), Narrow(kHebrewFace));
  ASSERT_TRUE(StoredDword(L"FontAsciiBase", &base));
  EXPECT_EQ(base, 0x5D0u);
}

// Code base 0x61 from the registry checks no button, shows the Latin letters,
// and OK keeps it; a click on a button then changes it.
TEST_F(FontDialog, LatinCodeBaseChecksNoButtonAndOkKeepsIt) {
  StoreTestFont();
  PutDword(kProductKey, L"FontAsciiBase", 0x61);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(OpenFontDialog());
  EXPECT_FALSE(IsButtonChecked(dialog_, kCodePage));
  EXPECT_FALSE(IsButtonChecked(dialog_, kUnicode));
  EXPECT_EQ(Narrow(PreviewText()), "{zyxwvutsrqponmlkjihgfedcba");
  ASSERT_TRUE(ChooseListEntry(dialog_, kFaces, kSerifFace));
  EXPECT_FALSE(IsButtonChecked(dialog_, kUnicode));
  ASSERT_NO_FATAL_FAILURE(Press(IDOK));
  ASSERT_NO_FATAL_FAILURE(Close());
  uint32_t base = 0;
  ASSERT_TRUE(StoredDword(L"FontAsciiBase", &base));
  EXPECT_EQ(base, 0x61u);

  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(OpenFontDialog());
  SendDlgItemMessageW(dialog_, kCodePage, BM_CLICK, 0, 0);
  ASSERT_NO_FATAL_FAILURE(Press(IDOK));
  ASSERT_NO_FATAL_FAILURE(Close());
  ASSERT_TRUE(StoredDword(L"FontAsciiBase", &base));
  EXPECT_EQ(base, 0xE0u);
}

// The size list for stored sizes in and out of it: a size it lacks is added in
// order and shows selected (so 3 selects "3", not "32"); OK without touching
// the list keeps the stored size.
TEST_F(FontDialog, StoredSizeIsSelectedAndAddedWhenMissing) {
  struct Row {
    int32_t stored;
    int insertedAt;           // index of the added entry; -1 when none is added
    const wchar_t* selected;  // expected selection; "" for none
  };
  const Row rows[] = {
      {3, 0, L"3"},       // below the list, and a prefix of "32"
      {15, 4, L"15"},     // between 14 and 16
      {100, 14, L"100"},  // above the list
      {12, -1, L"12"},    // in the list: not added twice
      {-5, -1, L""},      // not a size: not added, nothing selected
  };
  StoreTestFont();
  for (const Row& row : rows) {
    SCOPED_TRACE("stored size " + std::to_string(row.stored));
    PutDword(kProductKey, L"FontSize", static_cast<uint32_t>(row.stored));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenFontDialog());
    std::vector<std::wstring> expected = kSizeList;
    if (row.insertedAt >= 0)
      expected.insert(expected.begin() + row.insertedAt, std::to_wstring(row.stored));
    HWND sizes = GetDlgItem(dialog_, kSizes);
    EXPECT_EQ(ListEntries(sizes), expected);
    EXPECT_EQ(SelectedEntry(sizes), row.selected);
    ASSERT_NO_FATAL_FAILURE(Press(IDOK));
    ASSERT_NO_FATAL_FAILURE(Close());
    uint32_t size = 0;
    ASSERT_TRUE(StoredDword(L"FontSize", &size));
    EXPECT_EQ(static_cast<int32_t>(size), row.stored);
  }
}

// Opening and closing the dialog, with Cancel and with OK (which re-creates
// the date band and view fonts), leaves the program's GDI objects as they were.
TEST_F(FontDialog, OpeningAndClosingLeavesNoGdiObjects) {
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  const DWORD thread = GetWindowThreadProcessId(run_.Window, nullptr);
  const int kCycles = 25;
  for (int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
    // One cycle: the dialog opened, a size chosen (the preview drawn anew), closed.
    const auto cycle = [&](int i) {
      ASSERT_NO_FATAL_FAILURE(OpenFontDialog());
      ASSERT_TRUE(ChooseListEntry(dialog_, kSizes, i % 2 ? L"16" : L"20"));
      ASSERT_NO_FATAL_FAILURE(Press(button));
    };
    // A few cycles first: what the system creates once per run (its cache of
    // window DCs fills as the dialog's controls paint).
    for (int i = 0; i < 3; ++i) ASSERT_NO_FATAL_FAILURE(cycle(i));
    ASSERT_TRUE(WaitUntilServed(run_.Window));
    const GdiObjectCounts before = CountGdiObjects(run_.Process, thread);
    ASSERT_GT(before.Total, 0) << "the GDI objects of the program cannot be counted";
    for (int i = 0; i < kCycles; ++i) ASSERT_NO_FATAL_FAILURE(cycle(i));
    ASSERT_TRUE(WaitUntilServed(run_.Window));
    EXPECT_EQ(CompareGdiObjects(before, CountGdiObjects(run_.Process, thread), 0, 16), "");
  }
  ASSERT_NO_FATAL_FAILURE(Close());
}
