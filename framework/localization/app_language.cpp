#include "framework/localization/app_language.h"

#include "framework/localization/dll_language.h"
#include "platform/app.h"
#include "platform/module_path.h"
#include "platform/resources.h"

namespace Kor {

AppLanguage::~AppLanguage() {
    if (application_ != this) return;
    application_ = nullptr;
    // The libraries' catalogues followed this language; they go with it.
    for (DLLLanguage* lib : LibraryList()) lib->UnloadModule();
}

void AppLanguage::Init(const char* section, const char* key) {
    BasicLanguage::Init(plat::ExecutablePath());
    application_ = this;
    section_ = section ? section : "";
    key_ = key ? key : "";
    Language startup = GetStartupLanguage();
    LoadModule(startup);
    // The libraries take the chosen language even when the program has no
    // catalogue of it: each binary's text is translated as far as it can be.
    for (DLLLanguage* lib : LibraryList()) lib->LoadModule(startup);
}

Language AppLanguage::GetStartupLanguage() const {
    plat::App* app = plat::App::Instance();
    if (section_.empty() || key_.empty() || !app) return LanguageNone;
    int value = app->GetProfileInt(section_, key_, 0);
    return value < 0 || value >= kLanguageCount ? LanguageNone : Language(value);
}

void AppLanguage::SetStartupLanguage(Language lang) {
    plat::App* app = plat::App::Instance();
    if (section_.empty() || key_.empty() || !app) return;
    app->WriteProfileInt(section_, key_, int(lang));
}

void AppLanguage::JoinChain(const std::shared_ptr<plat::ResourceModule>& module) {
    // The program's catalogue is searched before everything else.
    plat::AddResourceModule(module, plat::ChainPosition::Front);
}

}  // namespace Kor
