#include "framework/localization/language.h"

#include "platform/resources.h"

namespace Kor {

std::string GetLanguageSuffix(Language lang) {
    switch (lang) {
    case LanguageEnglish: return "enu";
    case LanguageRussian: return "rus";
    default: return std::string();
    }
}

std::string GetLanguageName(Language lang) { return plat::LoadString(20000u + unsigned(lang)); }

}  // namespace Kor
