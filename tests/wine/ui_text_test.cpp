// The interface's texts in the chosen language from this test's own string
// table (ui_text_test.rc): English where Hebrew lacks an entry or a menu, ""
// only where neither has it, and texts read before a change of language stay
// valid.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/ui_resources.h"
#include "common/ui_text.h"

namespace {

TEST(UiText, TheChosenLanguageWithEnglishAsTheFallback) {
  SetUiLanguage(UiLanguage::English);
  const WideChar* english = UiText(100);
  EXPECT_STREQ(english, L"Both");
  SetUiLanguage(UiLanguage::Hebrew);
  EXPECT_TRUE(UiRightToLeft());
  EXPECT_STREQ(UiText(100), L"\u05E9\u05E0\u05D9\u05D4\u05DD");
  EXPECT_STREQ(english, L"Both") << "an English text read earlier is still there";
  EXPECT_STREQ(UiText(101), L"English only");  // no Hebrew entry: the English one, never ""
  EXPECT_STREQ(UiText(102), L"");               // in neither language
  WideChar copy[8];
  EXPECT_EQ(CopyUiText(101, copy, 8), 0u) << "too small: nothing, never a cut text";
  EXPECT_EQ(copy[0], 0);
  EXPECT_EQ(CopyUiText(100, copy, 8), 5u);
  HMENU menu = LoadUiMenu(200);  // no Hebrew menu: the English one
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemID(menu, 0), 1u);
  DestroyMenu(menu);
  SetUiLanguage(UiLanguage::English);
}

}  // namespace
