#include "shell/interface_language.h"

#include "common/app_state.h"
#include "common/on_demand_api.h"
#include "common/ui_language.h"
#include "common/ui_text.h"
#include "resources/resource.h"

namespace {

// The Language menu's items and their choices.
struct LanguageItem {
  uint32_t Command;
  uint32_t Choice;
};
constexpr LanguageItem kLanguageItems[] = {
    {IDC_LANGUAGE_AUTOMATIC, kLanguageAutomatic},
    {IDC_LANGUAGE_ENGLISH, kLanguageEnglish},
    {IDC_LANGUAGE_HEBREW, kLanguageHebrew},
};

}  // namespace

void UseChosenLanguage() {
  SetUiLanguage(ResolveUiLanguage(App.LanguageChoice, OnDemandGetUserDefaultUILanguage()));
}

bool LanguageChoiceOfCommand(uint32_t id, uint32_t* choice) {
  for (const LanguageItem& item : kLanguageItems) {
    if (item.Command != id) continue;
    *choice = item.Choice;
    return true;
  }
  return false;
}

void MarkChosenLanguage(HMENU menu) {
  const uint32_t choice = UsableLanguageChoice(App.LanguageChoice);
  for (const LanguageItem& item : kLanguageItems) {
    if (item.Choice == choice) {
      CheckMenuRadioItem(menu, IDC_LANGUAGE_AUTOMATIC, IDC_LANGUAGE_HEBREW, item.Command, MF_BYCOMMAND);
    }
  }
}
