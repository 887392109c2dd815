#include "app/vexilo.h"

#include "app/vexilo_strings.h"
#include "platform/resources.h"

Vexilo::Vexilo(plat::BackendKind kind)
    : Kor::App<Doc, MainFrame>(kind), bundle_(plat::ResourceModule::FromBundle("/org/vexilo/vexilo")) {
    // The program's strings and images come before the library's.
    plat::AddResourceModule(bundle_, plat::ChainPosition::Front);
}

Vexilo::~Vexilo() {
    ExitInstance();
    plat::RemoveResourceModule(bundle_.get());
}

bool Vexilo::InitInstance() {
    SetRegistryKey("Quenmor");
    SetAppName("vexilo");
    InitLanguage("Settings", "Language");
    SetDefaultLanguage(Kor::LanguageEnglish);
    EnableLanguage(Kor::LanguageEnglish);
    EnableLanguage(Kor::LanguageRussian);
    return InitApplication(IDR_MAINFRAME, kRecentFiles);
}
