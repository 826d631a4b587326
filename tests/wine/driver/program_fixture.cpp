#include "tests/wine/driver/program_fixture.h"

#include <cctype>
#include <map>
#include <vector>

#include "common/dpi.h"
#include "shell/rtl_detection.h"
#include "shell/toolbar_pictures.h"
#include "tests/wine/driver/window_capture.h"
#include "tests/wine/wine_test_support.h"

namespace {

constexpr uint32_t kLightGrey = 0xC0C0C0;

// Rows at the bottom of the picture that are mostly light grey: the date band.
int BandRows(const Picture& picture) {
  int rows = 0;
  for (int y = picture.Height - 1; y >= 0; --y) {
    RECT row = {0, y, picture.Width, y + 1};
    int grey = CountPixels(picture, row, [](uint32_t p) { return p == kLightGrey; });
    if (grey * 2 < picture.Width) break;
    ++rows;
  }
  return rows;
}

}  // namespace

void ExpectToolbarPictures(HWND toolbar, int dpi, const std::function<int(uint32_t)>& shown,
                           const std::function<int(uint32_t)>& drawn) {
  const ToolbarPictures* pictures = &kToolbarPictures[0];
  for (const ToolbarPictures& strip : kToolbarPictures) pictures = strip.Size <= ScaleToDpi(16, dpi) ? &strip : pictures;
  const int size = pictures->Size;
  // The kind of each pixel of the four pictures as drawn, row after row.
  HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  HGDIOBJ strip = LoadImageW(program, MAKEINTRESOURCEW(pictures->Resource), IMAGE_BITMAP, 0, 0, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, strip);
  std::vector<int> kinds;
  for (int j = 0; j < size * 4 * size; ++j) {
    const COLORREF c = GetPixel(dc, j % (4 * size), j / (4 * size));
    kinds.push_back(drawn((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)));
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(strip);
  FreeLibrary(program);
  Picture bar;
  ASSERT_TRUE(strip != nullptr && CaptureWindow(toolbar, &bar));
  auto matches = [&](int k, int x, int y) {
    for (int j = 0; j < size * size; ++j) {
      if (shown(PixelOf(bar, x + j % size, y + j / size)) != kinds[(j / size) * 4 * size + k * size + j % size]) return false;
    }
    return true;
  };
  for (int k = 0, x = 0; k < 4; ++k, x += size) {
    bool found = false;
    while (!found && x + size <= bar.Width) {
      for (int y = 0; y + size <= bar.Height && !found; ++y) found = matches(k, x, y);
      if (!found) ++x;
    }
    EXPECT_TRUE(found) << "picture " << k << " of " << size << " pixels at " << dpi << " DPI";
  }
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += (c < 0x80) ? static_cast<char>(c) : '?';
  return out;
}

uint32_t ReverseAsAFirstStartSetsIt() {
  static const uint32_t bit = SystemReordersRightToLeft() ? kReverseBit : 0;
  return bit;
}

const wchar_t* ProgramText(uint32_t id) {
  static HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  static std::map<uint32_t, std::wstring> texts;
  std::wstring& text = texts[id];
  const wchar_t* stored = nullptr;
  const int length = LoadStringW(program, id, reinterpret_cast<wchar_t*>(&stored), 0);
  if (text.empty() && length > 0) text.assign(stored, static_cast<size_t>(length));
  return text.c_str();
}

AbsoluteDay TodayAbsolute() {
  GregorianDate today;
  GetToday(&today);
  return GregorianToAbsolute(today.month, today.day, today.year);
}

bool StoredDword(const wchar_t* name, uint32_t* value) {
  DWORD data = 0;
  DWORD bytes = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, kProductKey, name, RRF_RT_REG_DWORD, nullptr, &data,
                   &bytes) != ERROR_SUCCESS) {
    return false;
  }
  *value = data;
  return true;
}

bool StoredString(const wchar_t* name, std::wstring* value) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kProductKey, name, RRF_RT_REG_SZ, nullptr, nullptr,
                   &bytes) != ERROR_SUCCESS) {
    return false;
  }
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, kProductKey, name, RRF_RT_REG_SZ, nullptr, &text[0],
                   &bytes) != ERROR_SUCCESS) {
    return false;
  }
  text.resize(wcslen(text.c_str()));
  *value = text;
  return true;
}

void StoreTestFont() { PutString(kProductKey, L"FontName", kTestFace); }

void StorePlacement(int32_t left, int32_t top, int32_t width, int32_t height,
                    int32_t showCommand) {
  PutDword(kProductKey, L"Left", static_cast<uint32_t>(left));
  PutDword(kProductKey, L"Top", static_cast<uint32_t>(top));
  PutDword(kProductKey, L"Width", static_cast<uint32_t>(width));
  PutDword(kProductKey, L"Height", static_cast<uint32_t>(height));
  PutDword(kProductKey, L"showCmd", static_cast<uint32_t>(showCommand));
}

std::string QueryWithRegExe(const wchar_t* name, DWORD* exitCode) {
  std::string output = RunAndCapture(
      std::wstring(L"reg query \"HKCU\\") + kProductKey + L"\" /v " + name, exitCode);
  for (char& c : output) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return output;
}

void ProgramTest::SetUp() {
  ClearSettingsKeys();
  SetWineVersionFor(L"zelvan.exe", nullptr);
  PrepareWineForDriving();
  todayAtStart_ = TodayAbsolute();
}

void ProgramTest::TearDown() {
  DetachProbe(&probe_);
  ReleaseRun(&run_);
}

void ProgramTest::Start(int showCommand) {
  DetachProbe(&probe_);
  ASSERT_TRUE(StartProcess(ProgramPath(), showCommand, &run_));
  HWND message = nullptr;
  if (!WaitForMainWindow(&run_, kProgramClass, kProgramTitle, kStartLimit, &message)) {
    ASSERT_EQ(message, nullptr) << "a message instead of the window: \""
                                << Narrow(WindowText(message)) << "\" / \""
                                << Narrow(WindowText(GetDlgItem(message, 0xFFFF))) << "\"";
    FAIL() << "the main window did not come up";
  }
  ASSERT_TRUE(AttachProbe(run_.Window, &probe_)) << "the probe could not be attached";
}

void ProgramTest::Close() {
  DetachProbe(&probe_);
  DWORD exitCode = 12345;
  ASSERT_TRUE(CloseProgram(&run_, &exitCode)) << "the program did not end after WM_CLOSE";
  EXPECT_EQ(exitCode, 0u);
}

int32_t ProgramTest::TopRow() {
  ScrollBarState state = {};
  return ProbeScrollBar(probe_, &state) ? state.Position : -1;
}

int32_t ProgramTest::MaxTopRow() {
  ScrollBarState state = {};
  return ProbeScrollBar(probe_, &state) ? state.Max : -1;
}

bool ProgramTest::IsTodayPlus(uint32_t day, int32_t offset) const {
  const int64_t stored = static_cast<AbsoluteDay>(day);
  return stored == static_cast<int64_t>(todayAtStart_) + offset ||
         stored == static_cast<int64_t>(TodayAbsolute()) + offset;
}

bool ProgramTest::CancelFontDialogIfShown(DWORD limit) {
  HWND dialog = WaitForDialog(run_.ProcessId, kFontDialogCaption, limit);
  if (dialog == nullptr) return false;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kConditionLimit);
  return true;
}

bool ProgramTest::ShowsADay() { return ShowsTheDateBand(true); }

bool ProgramTest::ShowsTheDateBand(bool withText) {
  Picture client;
  if (!CaptureClient(run_.Window, &client)) return false;
  const int band = BandRows(client);
  if (band < 4) return false;
  RECT bandArea = {0, client.Height - band, client.Width, client.Height};
  RECT textArea = {0, 0, client.Width, client.Height - band};
  return CountPixels(client, bandArea, IsDark) > 0 &&
         (!withText || CountPixels(client, textArea, IsHeadingBlue) > 20);
}
