#include "framework/localization/dll_language.h"

#include "framework/localization/app_language.h"
#include "platform/module_path.h"
#include "platform/resources.h"

#include <algorithm>

namespace Kor {

DLLLanguage::~DLLLanguage() {
    auto& list = LibraryList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void DLLLanguage::Init(const std::string& owner) {
    BasicLanguage::Init(owner);
    auto& list = LibraryList();
    if (std::find(list.begin(), list.end(), this) == list.end()) list.push_back(this);
    if (application_) LoadModule(application_->GetStartupLanguage());
}

void DLLLanguage::JoinChain(const std::shared_ptr<plat::ResourceModule>& module) {
    // Behind the program's resources (which may override the library's
    // strings) and in front of the library's built-in ones.
    plat::AddResourceModule(module, plat::ChainPosition::Back);
}

namespace {
// Registered when the library is loaded.
struct LibraryLanguageHolder {
    LibraryLanguageHolder() { language.Init(plat::ModulePath(reinterpret_cast<const void*>(&LibraryLanguage))); }
    DLLLanguage language;
};
LibraryLanguageHolder g_library;
}  // namespace

DLLLanguage& LibraryLanguage() { return g_library.language; }

}  // namespace Kor
