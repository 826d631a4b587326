#include "common/ui_language.h"

namespace {

constexpr uint32_t kPrimaryLanguageMask = 0x3FF;  // PRIMARYLANGID of a language identifier
constexpr uint32_t kPrimaryHebrew = kLanguageHebrew & kPrimaryLanguageMask;

}  // namespace

uint32_t UsableLanguageChoice(uint32_t stored) {
  return (stored == kLanguageEnglish || stored == kLanguageHebrew) ? stored : kLanguageAutomatic;
}

UiLanguage ResolveUiLanguage(uint32_t choice, uint32_t systemLanguage) {
  switch (UsableLanguageChoice(choice)) {
    case kLanguageEnglish: return UiLanguage::English;
    case kLanguageHebrew: return UiLanguage::Hebrew;
    default:
      return (systemLanguage & kPrimaryLanguageMask) == kPrimaryHebrew ? UiLanguage::Hebrew
                                                                      : UiLanguage::English;
  }
}

uint16_t UiLanguageId(UiLanguage language) {
  return static_cast<uint16_t>(language == UiLanguage::Hebrew ? kLanguageHebrew : kLanguageEnglish);
}

bool IsRightToLeft(UiLanguage language) { return language == UiLanguage::Hebrew; }
