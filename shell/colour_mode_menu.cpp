#include "shell/colour_mode_menu.h"

#include "common/app_state.h"
#include "resources/resource.h"
#include "view/palette.h"

namespace {

// The menu's items and their choices.
struct ColourModeItem {
  uint32_t Command;
  uint32_t Mode;
};
constexpr ColourModeItem kColourModeItems[] = {
    {IDC_COLOUR_MODE_SYSTEM, kColourModeSystem},
    {IDC_COLOUR_MODE_LIGHT, kColourModeLight},
    {IDC_COLOUR_MODE_DARK, kColourModeDark},
};

}  // namespace

bool ColourModeOfCommand(uint32_t id, uint32_t* mode) {
  for (const ColourModeItem& item : kColourModeItems) {
    if (item.Command != id) continue;
    *mode = item.Mode;
    return true;
  }
  return false;
}

void MarkChosenColourMode(HMENU menu) {
  const uint32_t mode = UsableColourMode(App.ColourMode);
  for (const ColourModeItem& item : kColourModeItems) {
    if (item.Mode == mode) {
      CheckMenuRadioItem(menu, IDC_COLOUR_MODE_SYSTEM, IDC_COLOUR_MODE_DARK, item.Command, MF_BYCOMMAND);
    }
  }
}
