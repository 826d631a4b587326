// The resources of zelvan.exe as the system reads them: the menu and its
// shortcut texts against the accelerator table, the toolbar bitmap, the icon,
// the dialogs, the manifest and the 85 lesson resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/wine/driver/program_driver.h"

namespace {

// zelvan.exe as a data file; null if it cannot be loaded.
HMODULE Program() {
  static HMODULE module = [] {
    return LoadLibraryExW(WindowsPath(ZELVAN_PROGRAM_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }();
  return module;
}

struct MenuItem {
  std::wstring menu;      // the pop-up's text
  std::wstring text;      // the item's text before the 0x08
  std::wstring shortcut;  // after the 0x08, or empty
  UINT id;                // 0 for a separator
};

std::vector<MenuItem> ReadMenu(HMENU bar) {
  std::vector<MenuItem> items;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    wchar_t title[64] = {};
    GetMenuStringW(bar, i, title, 64, MF_BYPOSITION);
    HMENU popup = GetSubMenu(bar, i);
    for (int j = 0; j < GetMenuItemCount(popup); ++j) {
      wchar_t text[128] = {};
      GetMenuStringW(popup, j, text, 128, MF_BYPOSITION);
      std::wstring whole = text;
      MenuItem item = {title, whole, L"", GetMenuItemID(popup, j)};
      size_t mark = whole.find(L'\b');
      if (mark != std::wstring::npos) {
        item.text = whole.substr(0, mark);
        item.shortcut = whole.substr(mark + 1);
      }
      items.push_back(item);
    }
  }
  return items;
}

// "Ctrl+<key>" or "Ctrl+Shift+<key>" of an accelerator entry; empty for any other kind.
std::wstring ShortcutText(const ACCEL& accel) {
  if ((accel.fVirt & ~FSHIFT) != (FVIRTKEY | FCONTROL | FNOINVERT)) return L"";
  const std::wstring held = (accel.fVirt & FSHIFT) ? L"Ctrl+Shift+" : L"Ctrl+";
  if (accel.key == VK_HOME) return held + L"Home";
  if ((accel.key >= 'A' && accel.key <= 'Z') || (accel.key >= '1' && accel.key <= '9')) {
    return held + static_cast<wchar_t>(accel.key);
  }
  return L"?";
}

std::vector<ACCEL> ReadAccelerators() {
  HACCEL table = LoadAcceleratorsW(Program(), MAKEINTRESOURCEW(IDA_MAIN));
  std::vector<ACCEL> entries;
  if (table == nullptr) return entries;
  entries.resize(CopyAcceleratorTableW(table, nullptr, 0));
  CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
  DestroyAcceleratorTable(table);
  return entries;
}

TEST(ProgramResources, MenuAsTheUserSeesIt) {
  ASSERT_NE(Program(), nullptr);
  HMENU bar = LoadMenuW(Program(), MAKEINTRESOURCEW(IDM_MAIN));
  ASSERT_NE(bar, nullptr);
  const std::vector<MenuItem> expected = {
      {L"&File", L"&About", L"", IDC_ABOUT},
      {L"&File", L"Check For &Updates", L"", IDC_CHECK_UPDATES},
      {L"&File", L"&Calendar", L"Ctrl+D", IDC_CALENDAR},
      {L"&File", L"", L"", 0},
      {L"&File", L"F&ont", L"Ctrl+F", IDC_FONT},
      {L"&File", L"Re&verse", L"", IDC_REVERSE},
      {L"&File", L"&Language", L"", static_cast<UINT>(-1)},  // Automatic, English, עברית
      {L"&File", L"Colo&r mode", L"", static_cast<UINT>(-1)},  // System, Light, Dark
      {L"&File", L"", L"", 0},
      {L"&File", L"&Copy", L"Ctrl+C", IDC_COPY},
      {L"&File", L"&Append to ClipBoard", L"Ctrl+E", IDC_APPEND},
      {L"&File", L"&Print", L"Ctrl+P", IDC_PRINT},
      {L"&File", L"E&xit", L"Ctrl+Q", IDC_EXIT},
      {L"&Go", L"&Calendar", L"Ctrl+D", IDC_CALENDAR},
      {L"&Go", L"", L"", 0},
      {L"&Go", L"&Today", L"Ctrl+Home", IDC_TODAY},
      {L"&Go", L"&Previous day", L"", IDC_PREVIOUS_DAY},
      {L"&Go", L"&Next day", L"", IDC_NEXT_DAY},
      {L"&Study", L"&Mark day learned", L"Ctrl+M", IDC_MARK_DAY},
      {L"&Study", L"Mark day &not learned", L"Ctrl+Shift+M", IDC_UNMARK_DAY},
      {L"&Study", L"", L"", 0},
      {L"&Study", L"&Three chapters learned", L"Ctrl+1", IDC_MARK_THREE_CHAPTERS},
      {L"&Study", L"&One chapter learned", L"Ctrl+2", IDC_MARK_ONE_CHAPTER},
      {L"&Study", L"Comman&dments learned", L"Ctrl+3", IDC_MARK_COMMANDMENTS},
      {L"&Study", L"", L"", 0},
      {L"&Study", L"&Catch up", L"Ctrl+B", IDC_CATCH_UP},
      {L"&Study", L"Next day not l&earned", L"Ctrl+Shift+N", IDC_NEXT_NOT_LEARNED},
      {L"&Study", L"Study &progress...", L"", IDC_STUDY_PROGRESS},
      {L"&Study", L"", L"", 0},
      {L"&Study", L"&Follow", L"", static_cast<UINT>(-1)},  // the followed tracks' pop-up
      {L"&Study", L"Set as &start day", L"", IDC_SET_START_DAY},
      {L"&Study", L"Study &log file...", L"", IDC_STUDY_LOG_FILE},
  };
  const std::vector<MenuItem> items = ReadMenu(bar);
  ASSERT_EQ(items.size(), expected.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].menu, expected[i].menu) << i;
    EXPECT_EQ(items[i].text, expected[i].text) << i;
    EXPECT_EQ(items[i].shortcut, expected[i].shortcut) << i;
    EXPECT_EQ(items[i].id, expected[i].id) << i;
  }
  DestroyMenu(bar);
}

// The menu command that an accelerator's command is carried out as: Ctrl+Q's
// command 1 ends the program as Exit does; every other one is its own.
UINT CarriedOutAs(WORD command) { return command == IDC_QUIT ? IDC_EXIT : command; }

// Every shortcut the menu shows is in the accelerator table with the item's
// command, and every key of the table gives one of the menu's commands.
TEST(ProgramResources, MenuShortcutsAgreeWithTheAcceleratorTable) {
  ASSERT_NE(Program(), nullptr);
  HMENU bar = LoadMenuW(Program(), MAKEINTRESOURCEW(IDM_MAIN));
  ASSERT_NE(bar, nullptr);
  const std::vector<MenuItem> items = ReadMenu(bar);
  const std::vector<ACCEL> table = ReadAccelerators();
  ASSERT_EQ(table.size(), 16u);
  EXPECT_EQ(table[5].cmd, IDC_QUIT) << "Ctrl+Q holds command 1";
  for (size_t i = 0; i < table.size(); ++i) {  // no key gives two commands
    for (size_t j = i + 1; j < table.size(); ++j) EXPECT_NE(ShortcutText(table[i]), ShortcutText(table[j]));
  }
  for (const MenuItem& item : items) {
    if (item.shortcut.empty()) continue;
    bool found = false;
    for (const ACCEL& accel : table) found |= ShortcutText(accel) == item.shortcut && CarriedOutAs(accel.cmd) == item.id;
    EXPECT_TRUE(found) << "menu item " << item.id << " shows a shortcut the table lacks";
  }
  for (const ACCEL& accel : table) {
    EXPECT_NE(ShortcutText(accel), L"") << "only Ctrl+key entries without highlighting";
    bool known = false;
    for (const MenuItem& item : items) known |= item.id == CarriedOutAs(accel.cmd);
    EXPECT_TRUE(known) << "accelerator for command " << accel.cmd << " reaches no menu command";
  }
  DestroyMenu(bar);
}

TEST(ProgramResources, PicturesDialogsAndLessonsAreThere) {
  HMODULE program = Program();
  ASSERT_NE(program, nullptr);
  HBITMAP toolbar = static_cast<HBITMAP>(
      LoadImageW(program, MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(toolbar, nullptr);
  DIBSECTION dib = {};
  ASSERT_EQ(GetObjectW(toolbar, sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmWidth, 96);  // six 16 x 16 images side by side
  EXPECT_EQ(dib.dsBm.bmHeight, 16);
  EXPECT_EQ(dib.dsBmih.biBitCount, 4);  // 16 colours
  DeleteObject(toolbar);

  // The icon: an image of its own for each size Windows asks for at 100 % to
  // 200 % scaling, in 32-bit colour; the system loads each at its size.
  HRSRC group = FindResourceW(program, MAKEINTRESOURCEW(IDI_ZELVAN), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const BYTE* directory = static_cast<const BYTE*>(LockResource(LoadResource(program, group)));
  const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
  std::wstring sizes;
  for (WORD i = 0; i < count; ++i) {
    const BYTE* entry = directory + 6 + 14 * i;  // width, height, colours, reserved, planes, bit count, ...
    const int size = entry[0] == 0 ? 256 : entry[0];
    sizes += std::to_wstring(size) + L"x" + std::to_wstring(*reinterpret_cast<const WORD*>(entry + 6)) + L" ";
    HICON icon = static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(IDI_ZELVAN), IMAGE_ICON, size, size, 0));
    ICONINFO info = {};
    BITMAP colour = {};
    EXPECT_TRUE(icon && GetIconInfo(icon, &info) && GetObjectW(info.hbmColor, sizeof colour, &colour) &&
                colour.bmWidth == size) << size;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (icon) DestroyIcon(icon);
  }
  EXPECT_EQ(sizes, L"16x32 20x32 24x32 32x32 40x32 48x32 64x32 256x32 ");
  for (int dialog : {IDD_ABOUT, IDD_FONT, IDD_CALENDAR, IDD_STUDY_PROGRESS}) {
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(dialog), RT_DIALOG), nullptr) << dialog;
  }
  HRSRC manifest = FindResourceW(program, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(program, manifest))),
                         SizeofResource(program, manifest));
  // Aware of each monitor's scaling, with the older systems' form as the fallback.
  EXPECT_NE(text.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
  EXPECT_NE(text.find(">True/PM</dpiAware>"), std::string::npos);
  EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION), nullptr);
  int lessons = 0;
  for (int id = 1101; id <= 1367; ++id) {
    lessons += FindResourceExW(program, RT_RCDATA, MAKEINTRESOURCEW(id),
                               MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) != nullptr;
  }
  EXPECT_EQ(lessons, 85);
}

}  // namespace
