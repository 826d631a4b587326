// Settings against the real registry of the test's own Wine prefix: the
// reading rule for every value type, the defaults, LoadSettings and
// SaveSettingsAndQuit, the window placement, and the out-of-memory ending
// (in a child process, whose message box this test answers).
#include "shell/settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/hebrew_calendar.h"
#include "calendar/hebrew_date_text.h"
#include "common/app_state.h"
#include "common/checked_alloc.h"
#include "tests/wine/wine_test_support.h"
#include "view/line_layout.h"

namespace {

const wchar_t kProduct[] = L"Thalvane\\Zelvan-Quenterbil-Hebrew";
const wchar_t kVendor[] = L"software\\Thalvane";

// Child modes of this program (see main).
const char kChildAfterLoad[] = "--out-of-memory-after-load";
const char kChildBeforeLoad[] = "--out-of-memory-before-load";
constexpr uint32_t kChildFlags = 0xD1140844;
constexpr int32_t kChildDay = 740000;
constexpr int32_t kChildFontSize = 13;

class SettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    ClearSettingsKeys();
    App = AppState{};
    SetOutOfMemorySaver(nullptr);
  }
  void TearDown() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    if (App.View) DestroyLessonView(App.View, true);
    App = AppState{};
    SetOutOfMemorySaver(nullptr);
    ClearSettingsKeys();
  }
};

uint32_t StoredDword(const wchar_t* name) {
  DWORD type = 0;
  std::string data;
  if (!GetRawValue(kProduct, name, &type, &data) || type != REG_DWORD || data.size() != 4) {
    ADD_FAILURE() << "no REG_DWORD value";
    return 0;
  }
  uint32_t value;
  memcpy(&value, data.data(), 4);
  return value;
}

std::wstring StoredString(const wchar_t* name) {
  DWORD type = 0;
  std::string data;
  if (!GetRawValue(kProduct, name, &type, &data) || type != REG_SZ || data.size() % 2 != 0) {
    ADD_FAILURE() << "no REG_SZ value";
    return std::wstring();
  }
  std::wstring text(data.size() / 2, L'\0');
  memcpy(&text[0], data.data(), data.size());
  // Written with exactly one terminating zero.
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.back(), L'\0');
  text.pop_back();
  EXPECT_EQ(text.find(L'\0'), std::wstring::npos);
  return text;
}

// Bytes of a wide text without its terminator.
std::string Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

TEST_F(SettingsTest, EmptyRegistryGivesEveryDefault) {
  LoadSettings();
  EXPECT_EQ(App.Font.FontName[0], 0);
  EXPECT_EQ(App.Font.FontSize, 0);
  EXPECT_EQ(App.Font.FontAsciiBase, 0x5D0);
  EXPECT_EQ(App.LastPosition, 0u);
  EXPECT_EQ(App.Flags, 0xD1140040u);
  EXPECT_EQ(App.Day, 0);
  EXPECT_EQ(App.Lesson, 0u);
  EXPECT_EQ(App.DateTextLength, 0);
  // The values other Parts read with their own defaults.
  EXPECT_EQ(ReadSettingInt(kVendorKey, L"SurroundingGutter", kDefaultGutter), 10);
  for (const wchar_t* name : {L"Top", L"Left", L"Width", L"Height"}) {
    EXPECT_EQ(ReadSettingInt(kProductKey, name, 0), 0);
  }
  EXPECT_EQ(ReadSettingInt(kProductKey, L"showCmd", SW_SHOWDEFAULT), SW_SHOWDEFAULT);
  for (const wchar_t* name : {L"PrintTop", L"PrintBottom", L"PrintLeft", L"PrintRight"}) {
    EXPECT_EQ(ReadSettingInt(kProductKey, name, 1000), 1000);
  }
  EXPECT_EQ(ReadSettingString(L"FontName"), nullptr);
  EXPECT_EQ(ReadSettingString(L"DevMode"), nullptr);
  // Reading never creates the keys.
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Thalvane", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(SettingsTest, IntegerReadingRuleForEveryType) {
  std::wstring longDigits(kMaxSettingBytes / 2, L'1');  // no terminator, exactly at the limit
  struct Row {
    DWORD type;
    std::string data;
    int32_t expected;
  };
  const int32_t kDefault = 777;
  const Row rows[] = {
      {REG_DWORD, std::string("\x40\x00\x14\xD1", 4), static_cast<int32_t>(0xD1140040)},  // as stored
      {REG_DWORD, std::string("\x05\x00", 2), kDefault},               // short REG_DWORD: unreadable
      {REG_DWORD, std::string(8, '\x01'), kDefault},                   // long REG_DWORD: unreadable
      {REG_DWORD, std::string(), kDefault},                            // empty REG_DWORD: unreadable
      {REG_SZ, Bytes(std::wstring(L"25", 3)), 25},                     // a decimal text
      {REG_SZ, Bytes(std::wstring(L"", 1)), 0},                        // empty text
      {REG_SZ, std::string(), 0},                                      // no data at all
      {REG_SZ, Bytes(std::wstring(L"3507748928", 11)), static_cast<int32_t>(0xD1140040)},  // unsigned text
      {REG_SZ, Bytes(std::wstring(L"-5", 3)), -25},                    // no sign: '-' is -3
      {REG_SZ, Bytes(std::wstring(L"0x40", 5)), 7240},                 // no hex: 'x' is 72
      {REG_EXPAND_SZ, Bytes(std::wstring(L"12", 3)), 12},              // any string type
      {REG_MULTI_SZ, Bytes(std::wstring(L"7\0" L"8\0", 5)), 7},        // up to the first zero
      {REG_BINARY, Bytes(L"42"), 42},                                  // not zero-terminated
      {REG_BINARY, Bytes(L"42") + "9", 42},                            // odd byte count: last byte dropped
      {REG_BINARY, std::string("5", 1), 0},                            // a single byte: no character
      {REG_QWORD, std::string("\x05\0\0\0\0\0\0\0", 8), 5 - 0x30},    // characters 5, 0
      {REG_NONE, Bytes(L"9"), 9},                                      // untyped data
      // The size limit, with a binary type: for a string type the registry
      // itself adds a terminator when the caller's count leaves it out.
      {REG_BINARY, Bytes(longDigits), -954437177},                     // at the limit: last 32 digits count
      {REG_BINARY, Bytes(longDigits + L"1"), kDefault},                // past the limit: default
      {REG_SZ, Bytes(longDigits), kDefault},                           // terminator added: past the limit
  };
  int row = 0;
  for (const Row& r : rows) {
    ASSERT_TRUE(PutRawValue(kProduct, L"Value", r.type, r.data.data(),
                            static_cast<DWORD>(r.data.size())));
    EXPECT_EQ(ReadSettingInt(kProductKey, L"Value", kDefault), r.expected) << "row " << row;
    ++row;
  }
}

TEST_F(SettingsTest, MissingKeyOrValueGivesDefault) {
  EXPECT_EQ(ReadSettingInt(kProductKey, L"Flags", -7), -7);  // no key
  ASSERT_TRUE(PutDword(kProduct, L"Other", 1));
  EXPECT_EQ(ReadSettingInt(kProductKey, L"Flags", -7), -7);  // key without the value
  EXPECT_EQ(ReadSettingInt(L"Thalvane\\Missing", L"Other", 3), 3);
}

TEST_F(SettingsTest, GutterFromTheVendorKey) {
  EXPECT_EQ(ReadSettingInt(kVendorKey, L"SurroundingGutter", kDefaultGutter), 10);  // absent
  ASSERT_TRUE(PutString(kVendor, L"SurroundingGutter", L"25"));
  EXPECT_EQ(ReadSettingInt(kVendorKey, L"SurroundingGutter", kDefaultGutter), 25);  // string
  ASSERT_TRUE(PutDword(kVendor, L"SurroundingGutter", 7));
  EXPECT_EQ(ReadSettingInt(kVendorKey, L"SurroundingGutter", kDefaultGutter), 7);   // REG_DWORD
  // The product key does not hold it.
  ASSERT_TRUE(PutDword(kProduct, L"SurroundingGutter", 99));
  EXPECT_EQ(ReadSettingInt(kVendorKey, L"SurroundingGutter", kDefaultGutter), 7);
}

TEST_F(SettingsTest, FlagsStoredAsTextFollowTheDigitRule) {
  ASSERT_TRUE(PutString(kProduct, L"Flags", L"3507750976"));  // 0xD1140840: Reverse on
  LoadSettings();
  EXPECT_EQ(App.Flags, 0xD1140840u);
  ASSERT_TRUE(PutString(kProduct, L"Flags", L"0xD1140040"));  // hex is not understood
  LoadSettings();
  EXPECT_EQ(App.Flags, static_cast<uint32_t>(-1188794552));
}

TEST_F(SettingsTest, LessonAndLastPositionKeepTheirLow16Bits) {
  struct Row {
    uint32_t stored;
    uint32_t kept;
  };
  const Row rows[] = {
      {5, 5},                 // small
      {0x12345, 0x2345},      // above 65535
      {70000, 4464},          // above 65535
      {0x10000, 0},           // only high bits
      {0xFFFFFFFF, 0xFFFF},   // -1
  };
  for (const Row& r : rows) {
    ASSERT_TRUE(PutDword(kProduct, L"Lesson", r.stored));
    ASSERT_TRUE(PutDword(kProduct, L"LastPosition", r.stored));
    LoadSettings();
    EXPECT_EQ(App.Lesson, r.kept) << r.stored;
    EXPECT_EQ(App.LastPosition, r.kept) << r.stored;
  }
}

TEST_F(SettingsTest, FontNameIsCutTo31Characters) {
  struct Row {
    DWORD type;
    std::string data;
    std::wstring expected;
  };
  const std::wstring forty = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
  const Row rows[] = {
      {REG_SZ, Bytes(std::wstring(forty.c_str(), 41)), forty.substr(0, 31)},  // cut to 31
      {REG_SZ, Bytes(std::wstring(forty.c_str(), 31)) + std::string(2, '\0'),
       forty.substr(0, 31)},                                                 // exactly 31
      {REG_SZ, Bytes(std::wstring(L"Tahoma", 7)), L"Tahoma"},                 // ordinary
      {REG_BINARY, Bytes(L"Abc"), L"Abc"},                                    // unterminated
      {REG_DWORD, std::string("A\0A\0", 4), L"AA"},                           // type not looked at
      {REG_SZ, Bytes(std::wstring(L"", 1)), L""},                             // empty: none chosen
  };
  for (const Row& r : rows) {
    App = AppState{};
    ASSERT_TRUE(PutRawValue(kProduct, L"FontName", r.type, r.data.data(),
                            static_cast<DWORD>(r.data.size())));
    LoadSettings();
    EXPECT_EQ(std::wstring(App.Font.FontName), r.expected);
    EXPECT_EQ(App.Font.FontName[31], 0);
  }
}

TEST_F(SettingsTest, ReadSettingStringIsAlwaysTerminated) {
  ASSERT_TRUE(PutRawValue(kProduct, L"DevMode", REG_BINARY, "xyz", 3));  // odd, unterminated
  wchar_t* text = ReadSettingString(L"DevMode");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(wcslen(text), 1u);
  free(text);
  std::wstring huge(kMaxSettingBytes / 2 + 1, L'x');
  ASSERT_TRUE(PutString(kProduct, L"FontName", huge));
  EXPECT_EQ(ReadSettingString(L"FontName"), nullptr);  // past the size limit
  LoadSettings();
  EXPECT_EQ(App.Font.FontName[0], 0);
}

TEST_F(SettingsTest, StoredDayFillsTheDateFields) {
  const int32_t day = GregorianToAbsolute(12, 8, 2026);
  ASSERT_TRUE(PutDword(kProduct, L"Day", static_cast<uint32_t>(day)));
  LoadSettings();
  EXPECT_EQ(App.Day, day);
  HebrewDate expected;
  AbsoluteToHebrew(day, &expected);
  EXPECT_EQ(App.DateRecord.year, expected.year);
  EXPECT_EQ(App.DateRecord.month, expected.month);
  EXPECT_EQ(App.DateRecord.day, expected.day);
  uint8_t text[20] = {};
  int32_t length = FormatHebrewDate(&expected, text);
  ASSERT_GT(length, 0);
  EXPECT_EQ(App.DateTextLength, length);
  EXPECT_EQ(memcmp(App.DateText, text, static_cast<size_t>(length) + 1), 0);
}

TEST_F(SettingsTest, AbsurdDaysLoadWithoutHarm) {
  // Whatever the calendar makes of them, loading ends with a terminated text.
  for (int32_t day : {1, -1, 2, INT32_MAX, INT32_MIN, INT32_MIN + 1, 100000000}) {
    App = AppState{};
    ASSERT_TRUE(PutDword(kProduct, L"Day", static_cast<uint32_t>(day)));
    LoadSettings();
    EXPECT_EQ(App.Day, day);
    EXPECT_GE(App.DateTextLength, 0) << day;
    EXPECT_LE(App.DateTextLength, kMaxHebrewDateText) << day;
    EXPECT_EQ(App.DateText[App.DateTextLength], 0) << day;
  }
}

TEST_F(SettingsTest, SaveWritesEveryValueWithItsType) {
  wcscpy(App.Font.FontName, L"DejaVu Sans");
  App.Font.FontSize = 14;
  App.Font.FontAsciiBase = 224;
  App.Flags = 0xD1140844;
  App.Day = 739958;
  App.Lesson = 0x10005;  // only the low 16 bits are stored
  App.View = NewLessonView(nullptr, &App.Font, 0, 0, 100, 100, 0);
  ASSERT_NE(App.View, nullptr);
  App.View->TopRow = 77;
  SaveSettingsAndQuit();

  EXPECT_EQ(App.View, nullptr);  // released with its record
  EXPECT_EQ(StoredString(L"FontName"), L"DejaVu Sans");
  EXPECT_EQ(StoredDword(L"FontSize"), 14u);
  EXPECT_EQ(StoredDword(L"FontAsciiBase"), 224u);
  EXPECT_EQ(StoredDword(L"LastPosition"), 77u);
  EXPECT_EQ(StoredDword(L"Flags"), 0xD1140844u);
  EXPECT_EQ(StoredDword(L"Day"), 739958u);
  EXPECT_EQ(StoredDword(L"Lesson"), 5u);
  EXPECT_FALSE(HasValue(kVendor, L"SurroundingGutter"));  // never written
  MSG msg = {};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(SettingsTest, SkippedValuesLeaveTheStoredOnes) {
  ASSERT_TRUE(PutString(kProduct, L"FontName", L"Keep"));
  ASSERT_TRUE(PutDword(kProduct, L"FontSize", 9));
  ASSERT_TRUE(PutDword(kProduct, L"FontAsciiBase", 224));
  ASSERT_TRUE(PutDword(kProduct, L"LastPosition", 7));
  ASSERT_TRUE(PutDword(kProduct, L"Lesson", 5));
  ASSERT_TRUE(PutDword(kProduct, L"Flags", 1));
  ASSERT_TRUE(PutDword(kProduct, L"Day", 1));
  // Empty name, zero size and base, no view, Lesson with zero low bits.
  App.Flags = 0x4;
  App.Day = 0;
  App.Lesson = 0x30000;
  SaveSettingsAndQuit();
  EXPECT_EQ(StoredString(L"FontName"), L"Keep");
  EXPECT_EQ(StoredDword(L"FontSize"), 9u);
  EXPECT_EQ(StoredDword(L"FontAsciiBase"), 224u);
  EXPECT_EQ(StoredDword(L"LastPosition"), 7u);
  EXPECT_EQ(StoredDword(L"Lesson"), 5u);
  EXPECT_EQ(StoredDword(L"Flags"), 4u);  // always written
  EXPECT_EQ(StoredDword(L"Day"), 0u);    // always written
}

TEST_F(SettingsTest, SaveThenLoadGivesTheSameState) {
  wcscpy(App.Font.FontName, L"0123456789012345678901234567890");  // 31 characters
  App.Font.FontSize = -3;
  App.Font.FontAsciiBase = 0x61;
  App.Flags = 0xFFFFFFFF;
  App.Day = GregorianToAbsolute(3, 1, 2024);
  App.Lesson = 1017;
  App.View = NewLessonView(nullptr, &App.Font, 0, 0, 100, 100, 0);
  ASSERT_NE(App.View, nullptr);
  App.View->TopRow = 0xFFFF;
  const AppState saved = App;
  SaveSettingsAndQuit();
  App = AppState{};
  LoadSettings();
  EXPECT_EQ(std::wstring(App.Font.FontName), std::wstring(saved.Font.FontName));
  EXPECT_EQ(App.Font.FontSize, saved.Font.FontSize);
  EXPECT_EQ(App.Font.FontAsciiBase, saved.Font.FontAsciiBase);
  EXPECT_EQ(App.Flags, saved.Flags);
  EXPECT_EQ(App.Day, saved.Day);
  EXPECT_EQ(App.Lesson, saved.Lesson);
  EXPECT_EQ(App.LastPosition, 0xFFFFu);
}

TEST_F(SettingsTest, AnOutsideReaderSeesTheValues) {
  wcscpy(App.Font.FontName, L"Tahoma");
  App.Flags = 0xD1140840;
  App.Day = 739958;
  SaveSettingsAndQuit();
  struct Row {
    const wchar_t* name;
    const char* type;
    const char* data;
  };
  const Row rows[] = {
      {L"Flags", "REG_DWORD", "0xd1140840"},  // the Reverse option stored
      {L"Day", "REG_DWORD", "0xb4a76"},       // 739958
      {L"FontName", "REG_SZ", "Tahoma"},
  };
  for (const Row& r : rows) {
    DWORD exitCode = 0;
    std::string output =
        RunAndCapture(std::wstring(L"reg query \"HKCU\\Thalvane\\Zelvan-Quenterbil-Hebrew\" /v ") +
                          r.name,
                      &exitCode);
    for (char& c : output) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    std::string type(r.type), data(r.data);
    for (char& c : type) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    for (char& c : data) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(exitCode, 0u) << output;
    EXPECT_NE(output.find(type), std::string::npos) << output;
    EXPECT_NE(output.find(data), std::string::npos) << output;
  }
}

TEST_F(SettingsTest, WritersCreateTheKeyAndUseTheirTypes) {
  std::string block(300, '\0');
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 7);
  EXPECT_EQ(WriteSettingBinary(L"DevMode", block.data(), static_cast<uint32_t>(block.size())), 1);
  EXPECT_EQ(WriteSettingDword(L"PrintTop", 250), 1);
  EXPECT_EQ(WriteSettingString(L"FontName", L"x y"), 1);
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(GetRawValue(kProduct, L"DevMode", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(data, block);
  EXPECT_EQ(StoredDword(L"PrintTop"), 250u);
  ASSERT_TRUE(GetRawValue(kProduct, L"FontName", &type, &data));
  EXPECT_EQ(data.size(), 8u);  // three characters and the terminating zero
  EXPECT_EQ(WriteSettingBinary(L"Empty", nullptr, 0), 1);
  ASSERT_TRUE(GetRawValue(kProduct, L"Empty", &type, &data));
  EXPECT_TRUE(data.empty());
}

// A plain overlapped window of the test's own class, not yet shown.
HWND MakeWindow(int x, int y, int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PlacementTestWindow";
    RegisterClassW(&windowClass);
    registered = true;
  }
  return CreateWindowExW(WS_EX_WINDOWEDGE, L"PlacementTestWindow", L"Placement",
                         WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

TEST_F(SettingsTest, WindowPlacementNormalMaximizedMinimized) {
  struct Row {
    int show;         // how the window is left before it is saved
    UINT showCmd;     // what is stored
  };
  const Row rows[] = {
      {SW_SHOWNORMAL, SW_SHOWNORMAL},        // at its own position
      {SW_MAXIMIZE, SW_SHOWMAXIMIZED},       // the restored position is stored
      {SW_MINIMIZE, SW_SHOWMINIMIZED},       // the restored position too: not the icon's
  };
  // One window for every row: under Wine without a window manager each
  // DestroyWindow of a shown window waits about 2 s for its withdrawal.
  HWND window = MakeWindow(100, 50, 300, 200);
  ASSERT_NE(window, nullptr);
  for (const Row& r : rows) {
    ClearSettingsKeys();
    ShowWindow(window, SW_RESTORE);
    ShowWindow(window, SW_SHOWNORMAL);
    ShowWindow(window, r.show);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    RECT rect;
    GetWindowRect(window, &rect);
    SaveWindowPlacement(window);
    EXPECT_EQ(StoredDword(L"showCmd"), r.showCmd) << r.show;
    EXPECT_EQ(StoredDword(L"Width"), 300u) << r.show;
    EXPECT_EQ(StoredDword(L"Height"), 200u) << r.show;
    EXPECT_EQ(StoredDword(L"Top"), 50u) << r.show << " rect.top " << rect.top;
    EXPECT_EQ(StoredDword(L"Left"), 100u) << r.show << " rect.left " << rect.left;
  }
  DestroyWindow(window);
}

TEST_F(SettingsTest, NoWindowNoPlacement) {
  SaveWindowPlacement(nullptr);
  for (const wchar_t* name : {L"Top", L"Left", L"Width", L"Height", L"showCmd"}) {
    EXPECT_FALSE(HasValue(kProduct, name));
  }
}

// EnumChildWindows step: appends the window's text to the list at list.
BOOL CALLBACK AddWindowText(HWND window, LPARAM list) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(text);
  return TRUE;
}

// Texts of window and of its child windows.
std::vector<std::wstring> WindowTexts(HWND window) {
  std::vector<std::wstring> texts;
  AddWindowText(window, reinterpret_cast<LPARAM>(&texts));
  EnumChildWindows(window, AddWindowText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

struct BoxSearch {
  DWORD process;
  HWND found;
};

// EnumWindows step: stops at a visible window captioned "Error" of the process.
BOOL CALLBACK MatchErrorBox(HWND window, LPARAM searchState) {
  auto* search = reinterpret_cast<BoxSearch*>(searchState);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  if (owner == search->process && wcscmp(caption, L"Error") == 0 && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The top-level window captioned "Error" of process, waiting up to 30 s.
HWND FindErrorBox(DWORD process) {
  for (int attempt = 0; attempt < 600; ++attempt) {
    BoxSearch search = {process, nullptr};
    EnumWindows(MatchErrorBox, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  }
  return nullptr;
}

// Starts this program in child mode, answers its message box and returns its
// exit code; *texts receives the texts of the box.
DWORD RunOutOfMemoryChild(const char* mode, std::vector<std::wstring>* texts) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring line = L"\"" + std::wstring(self) + L"\" ";
  for (const char* c = mode; *c; ++c) line += static_cast<wchar_t>(*c);
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "cannot start the child";
    return 0;
  }
  HWND box = FindErrorBox(process.dwProcessId);
  EXPECT_NE(box, nullptr) << "no message box";
  if (box) {
    *texts = WindowTexts(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  DWORD exitCode = 0;
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the child did not end";
    TerminateProcess(process.hProcess, 1);
  }
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

bool HasText(const std::vector<std::wstring>& texts, const wchar_t* text) {
  for (const std::wstring& t : texts) {
    if (t == text) return true;
  }
  return false;
}

TEST_F(SettingsTest, OutOfMemoryShowsTheMessageSavesAndEnds) {
  std::vector<std::wstring> texts;
  DWORD exitCode = RunOutOfMemoryChild(kChildAfterLoad, &texts);
  EXPECT_EQ(exitCode, 3u);
  EXPECT_TRUE(HasText(texts, L"Error"));
  EXPECT_TRUE(HasText(texts, L"There is not enough memory, aborting"));
  EXPECT_EQ(StoredDword(L"Flags"), kChildFlags);
  EXPECT_EQ(StoredDword(L"Day"), static_cast<uint32_t>(kChildDay));
  EXPECT_EQ(StoredDword(L"FontSize"), static_cast<uint32_t>(kChildFontSize));
}

TEST_F(SettingsTest, OutOfMemoryBeforeLoadingWritesNothing) {
  std::vector<std::wstring> texts;
  DWORD exitCode = RunOutOfMemoryChild(kChildBeforeLoad, &texts);
  EXPECT_EQ(exitCode, 3u);
  EXPECT_TRUE(HasText(texts, L"There is not enough memory, aborting"));
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_READ, &key), ERROR_SUCCESS);
}

// Child mode: runs out of memory with a changed state, after or before
// loading the settings. CheckedAlloc never returns here.
int RunChild(bool loadFirst) {
  if (loadFirst) LoadSettings();
  App.Flags = kChildFlags;
  App.Day = kChildDay;
  App.Font.FontSize = kChildFontSize;
  volatile size_t huge = SIZE_MAX / 2 + 1;
  void* block = CheckedAlloc(huge);
  free(block);
  return 99;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && strcmp(argv[1], kChildAfterLoad) == 0) return RunChild(true);
  if (argc > 1 && strcmp(argv[1], kChildBeforeLoad) == 0) return RunChild(false);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
