#include "demos/korvane-masks/masks_app.h"

#include "demos/korvane-masks/masks_strings.h"
#include "framework/app/command_ids.h"
#include "platform/menu.h"
#include "platform/resources.h"

namespace masks {

MasksApp::MasksApp(plat::BackendKind kind)
    : Kor::App<MaskDoc, MasksFrame>(kind), bundle_(plat::ResourceModule::FromBundle("/org/vexilo/korvane-masks")) {
    // The program's strings and images come before the library's.
    plat::AddResourceModule(bundle_, plat::ChainPosition::Front);
}

MasksApp::~MasksApp() {
    ExitInstance();
    plat::RemoveResourceModule(bundle_.get());
}

bool MasksApp::InitInstance() {
    SetRegistryKey("Korvane");
    SetAppName("korvane-masks");
    InitLanguage("Settings", "Language");
    SetDefaultLanguage(Kor::LanguageEnglish);
    EnableLanguage(Kor::LanguageEnglish);
    EnableLanguage(Kor::LanguageRussian);
    if (!InitApplication(IDR_MAINFRAME)) return false;
    int pos = -1;
    if (plat::Menu* menu = GetFrame().GetMenu())
        if (plat::Menu* languages = menu->FindCommand(Kor::ID_LANGUAGE_FIRST + 1, &pos)) UpdateLanguageMenu(languages);
    return true;
}

}  // namespace masks
