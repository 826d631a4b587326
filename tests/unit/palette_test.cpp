// The palette: which mode's colours apply, and every text and mark readable
// against its background in both modes.
#include <gtest/gtest.h>

#include "view/palette.h"

namespace {

TEST(Palette, ChoiceAndWindowsAppModeGiveTheColours) {
  struct Row {
    uint32_t choice;
    bool isDword;    // Windows' value read as a REG_DWORD
    uint32_t value;  // AppsUseLightTheme
    bool dark;
  };
  const Row rows[] = {
      {kColourModeSystem, true, 0, true},       // System, Windows dark
      {kColourModeSystem, true, 1, false},      // System, Windows light
      {kColourModeSystem, false, 0, false},     // no value, or a string: light
      {kColourModeSystem, true, 2, false},      // out of range: light
      {kColourModeSystem, true, 0xFFFFFFFF, false},  // damaged: light
      {kColourModeLight, true, 0, false},       // the program's Light wins over Windows' dark
      {kColourModeDark, true, 1, true},         // the program's Dark wins over Windows' light
      {kColourModeDark, false, 0, true},        // Dark without Windows' value
      {7, true, 0, true},                       // an unknown choice is System (dark here)
      {kColourModeNotStored, true, 1, false},   // nothing stored is System (light here)
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DarkColoursChosen(row.choice, row.isDword, row.value), row.dark)
        << row.choice << " " << row.isDword << " " << row.value;
  }
}

TEST(Palette, TextAndMarksAreReadableInBothModes) {
  struct Row {
    ColourRole text;
    ColourRole background;
    bool light;  // checked in the light mode too (its face is the system's,
                 // its grey of what cannot be used is as it always was)
  };
  const Row rows[] = {
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
  for (const Row& row : rows) {
    const RoleShades text = PaletteShades(row.text), background = PaletteShades(row.background);
    EXPECT_GE(ContrastRatio(text.Dark, background.Dark), kReadableContrast)
        << "dark " << static_cast<int>(row.text) << " on " << static_cast<int>(row.background);
    if (row.light) {
      EXPECT_GE(ContrastRatio(text.Light, background.Light), kReadableContrast)
          << "light " << static_cast<int>(row.text) << " on " << static_cast<int>(row.background);
    }
  }
  // Headings stay set apart from the entries: blue, not the ink's grey.
  for (uint32_t heading : {PaletteShades(ColourRole::Heading).Light, PaletteShades(ColourRole::Heading).Dark}) {
    EXPECT_GT((heading >> 16) & 0xFF, (heading & 0xFF) + 64) << std::hex << heading;
  }
  // The formula at its ends: black on white is 21, a colour on itself 1.
  EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(0x123456, 0x123456), 1.0, 1e-9);
}

}  // namespace
