#include "framework/localization/basic_language.h"

#include "platform/module_path.h"
#include "platform/resources.h"

#include <stdexcept>

namespace Kor {

std::vector<DLLLanguage*>& BasicLanguage::LibraryList() {
    static std::vector<DLLLanguage*> list;
    return list;
}
AppLanguage* BasicLanguage::application_ = nullptr;

BasicLanguage::~BasicLanguage() { UnloadModule(); }

void BasicLanguage::Init(const std::string& owner) { owner_ = owner; }

void BasicLanguage::LoadModule(Language lang) {
    UnloadModule();
    if (lang == LanguageNone) return;
    std::string suffix = GetLanguageSuffix(lang);
    if (suffix.size() > 255) throw std::runtime_error("too long extension");
    if (suffix.empty() || owner_.empty()) return;
    module_ = plat::ResourceModule::FromCatalogue(plat::ReplaceExtension(owner_, suffix));
    if (!module_) return;
    language_ = lang;
    JoinChain(module_);
}

void BasicLanguage::UnloadModule() {
    if (module_) plat::RemoveResourceModule(module_.get());
    module_.reset();
    language_ = LanguageNone;
}

}  // namespace Kor
