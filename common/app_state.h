// AppState: the one global record of the running program.
#pragma once
#include <cstdint>

#include "common/date_types.h"
#include "common/platform_types.h"

struct LessonView;

// The display font settings, edited as one block by the font dialog and
// handed as one unit to the view.
struct FontSettings {
  WideChar FontName[32];  // face name, at most 31 characters; empty = none chosen yet
  int32_t FontSize;       // points; 0 = not set
  int32_t FontAsciiBase;  // code base added to the 7-bit letters: one of the kCodeBase* values
};

// Box in client coordinates: left, top, width, height.
struct DateBandBox {
  int32_t X;
  int32_t Y;
  int32_t Width;
  int32_t Height;
};

// Bits of AppState::Flags.
enum : uint32_t {
  kFlagFixedDay = 0x4,               // the selected day was chosen by number
  kFlagScrollBar = 0x40,             // vertical scroll bar
  kFlagScrollBarLeft = 0x80,         // scroll bar on the left (gives a scroll bar by itself)
  kFlagReverse = 0x800,              // draw every run in reversed character order
  kFlagKeyPageShift = 20,            // bits 20-22: page mode of Page Up / Page Down
  kFlagClickPageShift = 24,          // bits 24-26: page mode of a click in the text area
  kFlagClickVertical = 0x10000000,   // click pages by upper/lower half (else left/right)
  kFlagClickPaging = 0x80000000,     // a left click in the text area pages the text
  kDefaultFlags = 0xD1140040,
};

constexpr int32_t kDefaultGutter = 10;
constexpr int32_t kMaxGutter = 200;  // larger stored margins are taken as this one

struct AppState {
  InstanceHandle Instance;
  FontSettings Font;
  uint32_t LastPosition;  // saved top row of the view; 16 bits
  uint32_t Flags;
  uint32_t Lesson;        // LessonDay of Day, 1..1017; 16 bits
  int32_t Day;            // selected AbsoluteDay; 0 = none selected yet
  HebrewDate DateRecord;  // Hebrew date of Day
  FontHandle DateBandFont;
  uint8_t DateText[20];   // Hebrew date text of DateRecord, 7-bit, zero-terminated
  DateBandBox DateBand;
  int32_t DateTextLength;  // bytes of DateText to draw
  LessonView* View;        // the main window's view, or null
  int32_t SurroundingGutter;  // margin around the text area in pixels at 96 DPI
  WindowHandle Toolbar;
  WindowHandle MainWindow;
  int32_t Dpi;  // DPI of the main window: found at its creation, changed by WM_DPICHANGED
  // "Language" as stored: a kLanguage* value of common/ui_language.h; any
  // other means Automatic.
  uint32_t LanguageChoice;
  // "ColourMode" as stored: a kColourMode* value of view/palette.h; any other
  // means System.
  uint32_t ColourMode;
};

extern AppState App;
