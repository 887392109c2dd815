// The languages a Korvane program can run in. Language 0 means the built-in
// resources of each binary, with no language catalogue loaded.
#pragma once

#include <string>

namespace Kor {

enum Language : int {
    LanguageNone = 0,     // built-in resources
    LanguageEnglish = 1,  // English (United States), catalogue suffix "enu"
    LanguageRussian = 2,  // Russian, catalogue suffix "rus"
};
constexpr int kLanguageCount = 3;

// The catalogue extension of `lang`; empty for 0 and for unknown values.
std::string GetLanguageSuffix(Language lang);
// String 20000 + lang in the current language.
std::string GetLanguageName(Language lang);

}  // namespace Kor
