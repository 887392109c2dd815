// The language of one binary (the program or a library): the owner binary's
// path, the language catalogue loaded for it and the language it holds. A
// catalogue is a string table file beside the owner, named after it with
// the language suffix as extension ("korvane-demo.rus", "libkorvane.rus").
// All language objects share the list of library languages and know the one
// application language, so that libraries follow the program's language.
#pragma once

#include "framework/localization/language.h"

#include <memory>
#include <string>
#include <vector>

namespace plat {
class ResourceModule;
}

namespace Kor {

class AppLanguage;
class DLLLanguage;

class BasicLanguage {
public:
    BasicLanguage() = default;
    virtual ~BasicLanguage();
    BasicLanguage(const BasicLanguage&) = delete;
    BasicLanguage& operator=(const BasicLanguage&) = delete;

    // `owner`: the path of the binary whose resources are translated.
    void Init(const std::string& owner);
    // Unloads the current catalogue, then loads the one of `lang`; the
    // language becomes `lang` when that worked, 0 otherwise. A missing file
    // is not an error. Throws std::runtime_error for an absurdly long suffix.
    void LoadModule(Language lang);
    void UnloadModule();
    Language GetLanguage() const { return language_; }
    std::shared_ptr<plat::ResourceModule> GetModule() const { return module_; }
    const std::string& GetOwner() const { return owner_; }

    static const std::vector<DLLLanguage*>& Libraries() { return LibraryList(); }
    static AppLanguage* Application() { return application_; }

protected:
    // The loaded catalogue joins the resource search chain here.
    virtual void JoinChain(const std::shared_ptr<plat::ResourceModule>& module) { (void)module; }

    // Made on first use: libraries register while they are being loaded.
    static std::vector<DLLLanguage*>& LibraryList();
    static AppLanguage* application_;

private:
    std::string owner_;
    std::shared_ptr<plat::ResourceModule> module_;
    Language language_ = LanguageNone;
};

}  // namespace Kor
