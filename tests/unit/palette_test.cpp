// The palette: which mode's colours apply, and every text and mark readable
// against its background in both modes.
#include <gtest/gtest.h>

#include "view/palette.h"

namespace {

TEST(Palette, ChoiceAndWindowsAppModeGiveTheColours) {
  const struct {
    uint32_t choice;
    bool isDword;    // Windows' AppsUseLightTheme read as a REG_DWORD
    uint32_t value;
    bool dark;
  } rows[] = {
      {kColourModeSystem, true, 0, true},            // System, Windows dark
      {kColourModeSystem, true, 1, false},           // System, Windows light
      {kColourModeSystem, false, 0, false},          // no value, or a string: light
      {kColourModeSystem, true, 2, false},           // out of range: light
      {kColourModeLight, true, 0, false},            // Light wins over Windows' dark
      {kColourModeDark, true, 1, true},              // Dark wins over Windows' light
      {7, true, 0, true},                            // an unknown choice is System
      {kColourModeNotStored, true, 1, false},        // nothing stored is System
  };
  for (const auto& row : rows) {
    EXPECT_EQ(DarkColoursChosen(row.choice, row.isDword, row.value), row.dark) << row.choice << " " << row.value;
  }
}

TEST(Palette, TextAndMarksAreReadableInBothModes) {
  const struct {
    ColourRole text, background;
    bool light;  // also in the light mode (its face is the system's, its disabled grey as ever)
  } rows[] = {
      {ColourRole::Ink, ColourRole::Paper, true},         // lesson text, rules, mark boxes, calendar
      {ColourRole::Heading, ColourRole::Paper, true},     // lesson headings
      {ColourRole::BandInk, ColourRole::Band, true},      // the date in its band
      {ColourRole::MarkedInk, ColourRole::Marked, true},  // the calendar's marked day
      {ColourRole::Learned, ColourRole::Paper, true},     // a learned lesson's check
      {ColourRole::Behind, ColourRole::Paper, true},      // a day behind's dot
      {ColourRole::Disabled, ColourRole::Paper, false},   // a calendar button past the range
      {ColourRole::Ink, ColourRole::Face, false},         // dialog texts, toolbar pictures' marks
      {ColourRole::Link, ColourRole::Face, false},        // the About link
      {ColourRole::Heading, ColourRole::Face, false},     // the toolbar arrows' fill
      {ColourRole::Behind, ColourRole::Face, false},      // the toolbar calendar's red head
  };
  for (const auto& row : rows) {
    const RoleShades text = PaletteShades(row.text), background = PaletteShades(row.background);
    const int pair = static_cast<int>(row.text) * 100 + static_cast<int>(row.background);
    EXPECT_GE(ContrastRatio(text.Dark, background.Dark), kReadableContrast) << "dark " << pair;
    if (row.light) {
      EXPECT_GE(ContrastRatio(text.Light, background.Light), kReadableContrast) << "light " << pair;
    }
  }
  for (uint32_t heading : {PaletteShades(ColourRole::Heading).Light, PaletteShades(ColourRole::Heading).Dark}) {
    EXPECT_GT((heading >> 16) & 0xFF, (heading & 0xFF) + 64) << "headings stay blue: " << std::hex << heading;
  }
}

}  // namespace
