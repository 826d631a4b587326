// The common ground of the program scenarios: a test fixture that starts from
// empty settings, starts and ends zelvan.exe with the probe attached, and
// helpers for the settings the program leaves in the registry.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "calendar/hebrew_calendar.h"
#include "shell/settings.h"  // the program's registry keys: kProductKey, kVendorKey
#include "tests/wine/driver/program_driver.h"
#include "tests/wine/driver/program_probe.h"


// Command ids of the menu, accelerators and toolbar.
constexpr WORD kCommandToday = 108;
constexpr WORD kCommandNextDay = 109;
constexpr WORD kCommandPreviousDay = 110;
constexpr WORD kCommandReverse = 122;
constexpr WORD kCommandFont = 40006;

constexpr uint32_t kDefaultFlags = 0xD1140040;
constexpr uint32_t kFixedDayBit = 0x4;
constexpr uint32_t kReverseBit = 0x800;

// A face that Wine has, stored so that no first-start font dialog opens.
constexpr wchar_t kTestFace[] = L"DejaVu Sans";
constexpr wchar_t kFontDialogCaption[] = L"Choose Font";

// The Reverse bit as a first start sets it on this system (the same detection
// as the program's): 0x800 where the system reorders right-to-left text.
uint32_t ReverseAsAFirstStartSetsIt();

// String-table entry id of the program under test, in the thread's language
// (English in the tests): the texts the program shows. "" when missing.
const wchar_t* ProgramText(uint32_t id);

// Today's AbsoluteDay from the local clock.
AbsoluteDay TodayAbsolute();

// A REG_DWORD of the product key read with RegGetValueW; false when it is
// missing or of another type.
bool StoredDword(const wchar_t* name, uint32_t* value);
// A REG_SZ of the product key read with RegGetValueW; false when missing.
bool StoredString(const wchar_t* name, std::wstring* value);

// ASCII form of text for messages (others as '?').
std::string Narrow(const std::wstring& text);

// Stores FontName so that the program starts without the font dialog.
void StoreTestFont();
// Stores a window placement for the next start.
void StorePlacement(int32_t left, int32_t top, int32_t width, int32_t height, int32_t showCommand);

// Reads value name of the product key with reg.exe, as any outside program
// would; its output in lower case, the exit code in *exitCode.
std::string QueryWithRegExe(const wchar_t* name, DWORD* exitCode);

// Expects the program's toolbar to show its four pictures whole and
// unstretched, left to right: those of the strip drawn for its picture size at
// dpi, found pixel for pixel, where each shown pixel (0x00RRGGBB) is of the
// kind shown says that its drawn pixel is of as drawn says.
void ExpectToolbarPictures(HWND toolbar, int dpi, const std::function<int(uint32_t)>& shown,
                           const std::function<int(uint32_t)>& drawn);

class ProgramTest : public testing::Test {
 protected:
  // Empty settings, Wine prepared for driving, today noted.
  void SetUp() override;
  // A program still running is ended; the probe is released.
  void TearDown() override;

  // Starts the program with showCommand and attaches the probe; a fatal
  // failure when its window does not come up.
  void Start(int showCommand = SW_SHOWNORMAL);
  // Closes the program as the close box does and expects exit code 0.
  void Close();

  // The scroll bar's position (the view's top row) and maximum; -1 when unknown.
  int32_t TopRow();
  int32_t MaxTopRow();

  // True if day is offset days from today, taking today as the date when the
  // test began or the current one, so that a run across midnight passes.
  bool IsTodayPlus(uint32_t day, int32_t offset) const;

  // Cancels the font dialog if the program shows one within limit; true if it did.
  bool CancelFontDialogIfShown(DWORD limit);

  // True if the window's client area shows a day: blue heading ink in the text
  // area and dark date text on the light grey band at the bottom.
  bool ShowsADay();
  // True if the client area ends in the light grey band with dark date text
  // (and, withText, has blue heading ink above it).
  bool ShowsTheDateBand(bool withText = false);

  ProgramRun run_ = {};
  Probe probe_ = {};
  AbsoluteDay todayAtStart_ = 0;
};
