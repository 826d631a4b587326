// The load and save of AppState at start-up and at the end of a run.
#include "shell/settings.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "calendar/hebrew_calendar.h"
#include "calendar/hebrew_date_text.h"
#include "common/app_state.h"
#include "common/checked_alloc.h"
#include "common/dpi.h"
#include "common/ui_language.h"
#include "lessons/text_stream.h"
#include "view/lesson_view.h"
#include "view/line_layout.h"
#include "view/palette.h"

namespace {

constexpr size_t kFontNameChars = sizeof(FontSettings::FontName) / sizeof(WideChar);

}  // namespace

void LoadSettings() {
  WideChar* name = ReadSettingString(L"FontName");
  if (name) {
    if (name[0] != 0) {
      wcsncpy(App.Font.FontName, name, kFontNameChars - 1);
      App.Font.FontName[kFontNameChars - 1] = 0;
    }
    free(name);
  }
  App.Font.FontSize = ReadSettingInt(kProductKey, L"FontSize", 0);
  App.Font.FontAsciiBase = ReadSettingInt(kProductKey, L"FontAsciiBase", kDefaultAsciiBase);
  App.LastPosition = static_cast<uint32_t>(ReadSettingInt(kProductKey, L"LastPosition", 0)) & 0xFFFF;
  App.Flags = static_cast<uint32_t>(
      ReadSettingInt(kProductKey, L"Flags", static_cast<int32_t>(kDefaultFlags)));
  App.Day = ReadSettingInt(kProductKey, L"Day", 0);
  if (App.Day != 0) {
    AbsoluteToHebrew(App.Day, &App.DateRecord);
    App.DateTextLength = FormatHebrewDate(&App.DateRecord, App.DateText);
    if (App.DateTextLength == 0) App.DateText[0] = 0;
  }
  App.Lesson = static_cast<uint32_t>(ReadSettingInt(kProductKey, L"Lesson", 0)) & 0xFFFF;
  // Kept as stored, so that a value this version does not know (it means
  // Automatic here) is written back unchanged unless the user chooses.
  App.LanguageChoice =
      static_cast<uint32_t>(ReadSettingInt(kProductKey, L"Language", kLanguageAutomatic));
  // Only a REG_DWORD counts; anything else stays as it is and means System.
  if (!ReadSettingDword(kProductKey, L"ColourMode", &App.ColourMode)) App.ColourMode = kColourModeNotStored;
  SetOutOfMemorySaver(SaveSettingsAndQuit);
}

void SaveWindowPlacement(WindowHandle window) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  RECT rect = {};
  // Without a placement there is nothing sound to store: the stored one stays.
  if (!GetWindowPlacement(window, &placement) || !GetWindowRect(window, &rect)) return;
  LONG top = rect.top;
  LONG left = rect.left;
  if (placement.showCmd == SW_SHOWMAXIMIZED) {
    // The restored position, converted to screen coordinates.
    const int32_t dpi = WindowDpi(window);
    top = rect.top + SystemMetricForDpi(SM_CYFRAME, dpi) + placement.rcNormalPosition.top;
    left = rect.left + SystemMetricForDpi(SM_CXFRAME, dpi) + placement.rcNormalPosition.left;
  } else if (placement.showCmd == SW_SHOWMINIMIZED) {
    // The minimized rectangle lies off the screen or on its edge; a window
    // restored there would be lost. The restored position is stored, in
    // screen coordinates (the normal position is relative to the work area).
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    top = work.top + placement.rcNormalPosition.top;
    left = work.left + placement.rcNormalPosition.left;
  }
  const RECT& normal = placement.rcNormalPosition;
  WriteSettingDword(L"Top", static_cast<uint32_t>(top));
  WriteSettingDword(L"Left", static_cast<uint32_t>(left));
  WriteSettingDword(L"Width", static_cast<uint32_t>(normal.right - normal.left));
  WriteSettingDword(L"Height", static_cast<uint32_t>(normal.bottom - normal.top));
  WriteSettingDword(L"showCmd", placement.showCmd);
  WriteSettingDword(L"PlacementDpi", static_cast<uint32_t>(WindowDpi(window)));
}

void SaveSettingsAndQuit() {
  if (App.Font.FontName[0] != 0) {
    WideChar name[kFontNameChars];
    wcsncpy(name, App.Font.FontName, kFontNameChars - 1);
    name[kFontNameChars - 1] = 0;
    WriteSettingString(L"FontName", name);
  }
  if (App.Font.FontSize != 0) {
    WriteSettingDword(L"FontSize", static_cast<uint32_t>(App.Font.FontSize));
  }
  if (App.Font.FontAsciiBase != 0) {
    WriteSettingDword(L"FontAsciiBase", static_cast<uint32_t>(App.Font.FontAsciiBase));
  }
  if (App.View) WriteSettingDword(L"LastPosition", App.View->TopRow);
  WriteSettingDword(L"Flags", App.Flags);
  WriteSettingDword(L"Day", static_cast<uint32_t>(App.Day));
  if ((App.Lesson & 0xFFFF) != 0) WriteSettingDword(L"Lesson", App.Lesson & 0xFFFF);
  WriteSettingDword(L"Language", App.LanguageChoice);
  if (App.ColourMode != kColourModeNotStored) WriteSettingDword(L"ColourMode", App.ColourMode);
  if (App.View) {
    DestroyLessonView(App.View, true);
    App.View = nullptr;
  }
  PostQuitMessage(0);
}
