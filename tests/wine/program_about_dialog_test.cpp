// The About dialog in the running program (its layout, the menu item and F1,
// the keys that close it, no GDI objects left behind after many openings) and
// the web pages that the link and the update command hand to the shell, which
// here opens them with a stand-in browser that writes them down.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/wine/dialog_controls.h"
#include "tests/wine/driver/program_fixture.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/gdi_object_count.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr WORD kCommandAbout = 40004;
constexpr WORD kCommandCheckForUpdates = 129;
constexpr WORD kCommandCalendar = 107;
constexpr int kLink = 1025;
constexpr wchar_t kAboutCaption[] = L"Zelvan";

constexpr char kHomePage[] = "https://www.thalvane.example";
constexpr char kUpdatePage[] =
    "https://www.thalvane.example/cgi-bin/upgrade?p=windows/Thalvane/"
    "Zelvan%2DQuenterbil%2DHebrew&v=1.84a";

#ifdef ZELVAN_STAND_IN_BROWSER
constexpr char kStandInBrowser[] = ZELVAN_STAND_IN_BROWSER;
#else
constexpr char kStandInBrowser[] = "";
#endif

class AboutDialog : public ProgramTest {
 protected:
  void OpenAbout() {
    dialog_ = OpenDialogByCommand(run_.Window, run_.ProcessId, kCommandAbout, kAboutCaption);
    ASSERT_NE(dialog_, nullptr) << "the About dialog did not open";
  }
  void CloseAbout(int id) {
    ClickDialogButton(dialog_, id);
    ASSERT_TRUE(WaitUntilClosed(dialog_)) << "the About dialog stayed open";
    dialog_ = nullptr;
  }
  HWND dialog_ = nullptr;
};

// Web addresses go to the shell, and the shell runs the command of the
// address's scheme from HKEY_CLASSES_ROOT ("https\shell\open\command"; Wine
// reads no per-user classes for it). The scenarios point http and https at the
// stand-in browser, which appends each address it is given to a file.
class WebPages : public AboutDialog {
 protected:
  void SetUp() override {
    AboutDialog::SetUp();
    if (kStandInBrowser[0] == 0) GTEST_SKIP() << "built without the stand-in browser";
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    log_ = std::wstring(folder) + L"zelvan-opened-addresses.txt";
    DeleteFileW(log_.c_str());
    const std::wstring command =
        L"\"" + WindowsPath(kStandInBrowser) + L"\" \"" + log_ + L"\" \"%1\"";
    for (const wchar_t* scheme : {L"http", L"https"}) {
      const std::wstring key = std::wstring(scheme) + L"\\shell\\open\\command";
      ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, command.c_str(),
                                static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
                ERROR_SUCCESS);
    }
  }
  void TearDown() override {
    AboutDialog::TearDown();
    if (!log_.empty()) DeleteFileW(log_.c_str());
  }

  // The addresses opened so far, one per line.
  std::vector<std::string> Opened() {
    std::vector<std::string> lines;
    std::ifstream file(Narrow(log_));
    std::string line;
    while (std::getline(file, line)) lines.push_back(line);
    return lines;
  }
  // Waits until count addresses have been opened.
  std::vector<std::string> WaitForOpened(size_t count) {
    WaitUntil([&] { return Opened().size() >= count; }, kConditionLimit * 2);
    return Opened();
  }

  std::wstring log_;
};

}  // namespace

// Caption, styles and the controls as laid out; the link's text is the web
// host, drawn underlined in blue and sized to its text.
TEST_F(AboutDialog, ControlsAreLaidOutAsDesigned) {
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(OpenAbout());
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), run_.Window);
  const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog_, GWL_STYLE));
  const DWORD wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
  EXPECT_EQ(style & wanted, wanted) << std::hex << style;
  EXPECT_NE(GetWindowLongW(dialog_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  const DWORD child = WS_CHILD | WS_VISIBLE;
  ExpectControls(
      dialog_, 140, 85,
      {
          {-1, L"Static", L"Zelvan", 7, 7, 81, 8, child | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0x1F},
          // the picture takes the size of its bitmap
          {-1, L"Static", nullptr, 88, 7, 0, 0, child | SS_BITMAP, 0x1F},
          {-1, L"Static", L"Version 1.84a", 7, 24, 45, 8, child | SS_LEFT | WS_GROUP, 0x1F},
          {-1, L"Static", nullptr, 7, 41, 80, 8, child | SS_LEFT | WS_GROUP, 0x1F},
          // the link is sized to its text when the dialog opens
          {kLink, L"Button", L"www.thalvane.example", 7, 58, 0, 0,
           child | BS_OWNERDRAW | WS_TABSTOP, 0xF},
      });
  HWND picture = GetWindow(GetWindow(dialog_, GW_CHILD), GW_HWNDNEXT);
  EXPECT_NE(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "no picture";
  RECT pictureBox = {};
  GetClientRect(picture, &pictureBox);
  EXPECT_EQ(pictureBox.right, 70);
  EXPECT_EQ(pictureBox.bottom, 109);
  EXPECT_FALSE(WindowText(GetWindow(picture, GW_HWNDNEXT)).empty());

  // Pressed and released six times, the link looks as before: each redraw
  // starts from the dialog's background, so its edges do not thicken.
  HWND link = GetDlgItem(dialog_, kLink);
  Picture before, after;
  ASSERT_TRUE(CaptureClient(link, &before));
  for (int i = 0; i < 12; ++i) SendMessageW(link, BM_SETSTATE, i % 2 == 0, 0);
  ASSERT_TRUE(CaptureClient(link, &after));
  EXPECT_EQ(CountDifferences(before, after, RECT{0, 0, before.Width, before.Height}), 0);
  ASSERT_NO_FATAL_FAILURE(CloseAbout(IDCANCEL));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// The menu item and F1 open the same dialog; Enter, Escape and the close box
// close it.
TEST_F(AboutDialog, OpensFromTheMenuAndWithF1) {
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(OpenAbout());
  ASSERT_TRUE(PressKey(dialog_, 0, VK_ESCAPE));
  ASSERT_TRUE(WaitUntilClosed(dialog_)) << "Escape did not close the dialog";

  // F1 as real key input to the main window in front: the system turns it
  // into WM_HELP, the one message for which the window opens the dialog
  // (its key message of F1 does nothing).
  ASSERT_TRUE(PressKey(run_.Window, 0, VK_F1));
  dialog_ = WaitForDialog(run_.ProcessId, kAboutCaption, kConditionLimit);
  ASSERT_NE(dialog_, nullptr) << "F1 did not open the About dialog";
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), run_.Window);
  EXPECT_EQ(Narrow(WindowText(GetDlgItem(dialog_, kLink))), "www.thalvane.example");
  ASSERT_TRUE(PressKey(dialog_, 0, VK_RETURN));
  ASSERT_TRUE(WaitUntilClosed(dialog_)) << "Enter did not close the dialog";

  ASSERT_NO_FATAL_FAILURE(OpenAbout());
  PostMessageW(dialog_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntilClosed(dialog_)) << "the close box did not close the dialog";
  ASSERT_NO_FATAL_FAILURE(Close());
}

// F1 in any open dialog opens nothing: Escape pressed after it closes that
// dialog, and no other is left.
TEST_F(AboutDialog, F1InAnOpenDialogOpensNothing) {
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  for (auto [command, caption] : {std::pair{kCommandAbout, kAboutCaption}, {kCommandFont, kFontDialogCaption},
                                  {kCommandCalendar, L"Hebrew Calendar"}}) {
    HWND dialog = OpenDialogByCommand(run_.Window, run_.ProcessId, command, caption);
    ASSERT_NE(dialog, nullptr) << Narrow(caption);
    ASSERT_TRUE(PressKey(dialog, 0, VK_F1) && PressKey(dialog, 0, VK_ESCAPE));
    EXPECT_TRUE(WaitUntilClosed(dialog)) << Narrow(caption);
    ASSERT_EQ(FindOtherDialog(run_.ProcessId, nullptr), nullptr) << "F1 in " << Narrow(caption);
  }
  ASSERT_NO_FATAL_FAILURE(Close());
}

// Bitmaps that the system's own static control leaves behind for each picture
// it loads from a template (Wine's never deletes that bitmap): ten such
// controls made and destroyed in the driver's process, per control. -1 when
// they cannot be counted.
int32_t StaticPictureLeak() {
  HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (program == nullptr) return -1;
  const wchar_t pictureName[] = {0xFFFF, 113, 0};  // bitmap resource 113, as a template names it
  const GdiObjectCounts before = CountGdiObjects(GetCurrentProcess(), GetCurrentThreadId());
  for (int i = 0; i < 10; ++i) {
    HWND picture = CreateWindowExW(0, L"Static", pictureName, WS_POPUP | SS_BITMAP, 0, 0, 10, 10,
                                   nullptr, nullptr, program, nullptr);
    if (picture != nullptr) DestroyWindow(picture);
  }
  const GdiObjectCounts after = CountGdiObjects(GetCurrentProcess(), GetCurrentThreadId());
  FreeLibrary(program);
  if (before.Total < 0 || after.Total < 0) return -1;
  const int32_t grown = before.ByType.empty()
                            ? after.Total - before.Total
                            : after.ByType[kGdiBitmap] - before.ByType[kGdiBitmap];
  return grown % 10 == 0 ? grown / 10 : -1;
}

// Opening and closing the dialog 200 times leaves the program's GDI objects as
// they were (the link font is deleted each time), apart from the bitmap that
// the system's picture control itself may leave behind per opening.
TEST_F(AboutDialog, OpeningItTwoHundredTimesLeavesNoGdiObjects) {
  const int32_t systemLeak = StaticPictureLeak();
  ASSERT_GE(systemLeak, 0) << "the system's own picture control cannot be measured";
  if (systemLeak != 0) {
    printf("note: the system's picture control leaves %d bitmap(s) per opening\n", systemLeak);
  }
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  // A few openings first: what the system creates once per run.
  for (int i = 0; i < 3; ++i) {
    ASSERT_NO_FATAL_FAILURE(OpenAbout());
    ASSERT_NO_FATAL_FAILURE(CloseAbout(IDCANCEL));
  }
  const DWORD thread = GetWindowThreadProcessId(run_.Window, nullptr);
  ASSERT_TRUE(WaitUntilServed(run_.Window));
  const GdiObjectCounts before = CountGdiObjects(run_.Process, thread);
  ASSERT_GT(before.Total, 0) << "the GDI objects of the program cannot be counted";
  const int kOpenings = 200;
  for (int i = 0; i < kOpenings; ++i) {
    ASSERT_NO_FATAL_FAILURE(OpenAbout());
    ASSERT_NO_FATAL_FAILURE(CloseAbout(i % 2 ? IDOK : IDCANCEL));
  }
  ASSERT_TRUE(WaitUntilServed(run_.Window));
  const GdiObjectCounts after = CountGdiObjects(run_.Process, thread);
  EXPECT_EQ(CompareGdiObjects(before, after, kOpenings * systemLeak, 16), "");
  ASSERT_NO_FATAL_FAILURE(Close());
}

// A click on the link opens the home page and leaves the dialog open.
TEST_F(WebPages, LinkOpensTheHomePage) {
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(OpenAbout());
  PostMessageW(GetDlgItem(dialog_, kLink), BM_CLICK, 0, 0);
  const std::vector<std::string> opened = WaitForOpened(1);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], kHomePage);
  EXPECT_TRUE(IsWindowVisible(dialog_)) << "the link closed the dialog";
  ASSERT_NO_FATAL_FAILURE(CloseAbout(IDCANCEL));
  ASSERT_NO_FATAL_FAILURE(Close());
}

// "Check For Updates" opens the update page: the product path escaped, the
// version as it stands.
TEST_F(WebPages, UpdateCommandOpensTheUpdatePage) {
  StoreTestFont();
  ASSERT_NO_FATAL_FAILURE(Start());
  PostMessageW(run_.Window, WM_COMMAND, MAKEWPARAM(kCommandCheckForUpdates, 0), 0);
  const std::vector<std::string> opened = WaitForOpened(1);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], kUpdatePage);
  EXPECT_TRUE(ShowsADay());
  ASSERT_NO_FATAL_FAILURE(Close());
}
