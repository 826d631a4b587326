// The interface's language: the stored choice and the system's display
// language give the language shown; its patterns are filled in.
#include <gtest/gtest.h>

#include <string>

#include "common/ui_language.h"
#include "common/wide_text.h"

namespace {

TEST(InterfaceLanguage, ChoiceAndSystemGiveTheLanguage) {
  struct Row {
    uint32_t stored;
    uint32_t system;
    UiLanguage expected;
  };
  const Row rows[] = {
      {0, 0x0409, UiLanguage::English},       // Automatic on an English system
      {0, 0x040D, UiLanguage::Hebrew},        // Automatic on a Hebrew system
      {0, 0x0000, UiLanguage::English},       // Automatic where the system's language is unknown
      {0, 0x0407, UiLanguage::English},       // Automatic on any other language: English
      {0, 0x080D, UiLanguage::Hebrew},        // a Hebrew sublanguage is Hebrew
      {0x0409, 0x040D, UiLanguage::English},  // English chosen on a Hebrew system
      {0x040D, 0x0409, UiLanguage::Hebrew},   // Hebrew chosen on an English system
      {0x040C, 0x040D, UiLanguage::Hebrew},   // an unknown value (French) is Automatic
      {0x080D, 0x0409, UiLanguage::English},  // only the two values are choices
      {0xFFFFFFFF, 0x0409, UiLanguage::English},  // a damaged value is Automatic
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ResolveUiLanguage(row.stored, row.system), row.expected) << std::hex << row.stored;
    const uint32_t usable = UsableLanguageChoice(row.stored);
    EXPECT_TRUE(usable == row.stored || usable == kLanguageAutomatic) << std::hex << row.stored;
  }
  EXPECT_EQ(UiLanguageId(UiLanguage::Hebrew), 0x040D);
  EXPECT_TRUE(IsRightToLeft(UiLanguage::Hebrew));
  EXPECT_FALSE(IsRightToLeft(UiLanguage::English));
}

TEST(InterfaceLanguage, PatternsAreFilledWholeOrNotAtAll) {
  const std::u16string first = u"Sunday", second = u"\u05E8\u05D0\u05E9\u05D5\u05DF";
  const WideChar* values[] = {reinterpret_cast<const WideChar*>(first.c_str()),
                              reinterpret_cast<const WideChar*>(second.c_str()), nullptr};
  struct Row {
    const char16_t* pattern;
    size_t capacity;
    std::u16string expected;  // empty: nothing fits
  };
  const Row rows[] = {
      {u"%1, %2", 64, u"Sunday, \u05E8\u05D0\u05E9\u05D5\u05DF"},  // in order
      {u"%2 %1", 64, u"\u05E8\u05D0\u05E9\u05D5\u05DF Sunday"},    // a translation moves them
      {u"%1%1", 64, u"SundaySunday"},                               // used twice
      {u"%3|%4|%0|%|100%", 64, u"|%4|%0|%|100%"},  // a null value is empty; others stay literal
      {u"%1", 7, u"Sunday"},                       // exactly fits with its zero
      {u"%1", 6, u""},                             // one unit short: nothing, never a cut text
      {u"", 4, u""},                               // an empty pattern
  };
  for (const Row& row : rows) {
    WideChar out[64] = {1};
    const size_t length = FillTextPattern(out, row.capacity,
                                          reinterpret_cast<const WideChar*>(row.pattern), values, 3);
    EXPECT_EQ(length, row.expected.size());
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(out)), row.expected);
  }
}

}  // namespace
