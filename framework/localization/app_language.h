// The language of the program: it reads the start-up language from the
// profile, loads the program's catalogue in front of every other resource
// and has every library language load the same language.
#pragma once

#include "framework/localization/basic_language.h"

#include <string>

namespace Kor {

class AppLanguage : public BasicLanguage {
public:
    ~AppLanguage() override;

    // Called once at start-up: the owner is the running program; the
    // start-up language is kept in the profile under `section`/`key`.
    void Init(const char* section, const char* key);
    // The profile's value, or 0 without section and key, without an entry,
    // or for a value outside the known languages.
    Language GetStartupLanguage() const;
    void SetStartupLanguage(Language lang);

protected:
    void JoinChain(const std::shared_ptr<plat::ResourceModule>& module) override;

private:
    std::string section_, key_;
};

}  // namespace Kor
