#include "demos/korvane-demo/demo_app.h"

#include "demos/korvane-demo/demo_strings.h"
#include "framework/app/command_ids.h"
#include "platform/menu.h"
#include "platform/resources.h"

namespace demo {

DemoApp::DemoApp(plat::BackendKind kind)
    : Kor::App<TextDoc, DemoFrame>(kind), bundle_(plat::ResourceModule::FromBundle("/org/vexilo/korvane-demo")) {
    // The program's strings and images come before the library's.
    plat::AddResourceModule(bundle_, plat::ChainPosition::Front);
}

DemoApp::~DemoApp() {
    ExitInstance();
    plat::RemoveResourceModule(bundle_.get());
}

bool DemoApp::InitInstance() {
    SetRegistryKey("Korvane");
    SetAppName("korvane-demo");
    InitLanguage("Settings", "Language");
    SetDefaultLanguage(Kor::LanguageEnglish);
    EnableLanguage(Kor::LanguageEnglish);
    EnableLanguage(Kor::LanguageRussian);
    GetDoc().SetNewLine(LoadString(IDS_FIRST_NEW_LINE));
    // Slow enough to watch the progress of a count.
    GetDoc().SetCountStepDelay(40);
    if (!InitApplication(IDR_MAINFRAME)) return false;
    int pos = -1;
    if (plat::Menu* menu = GetFrame().GetMenu())
        if (plat::Menu* languages = menu->FindCommand(Kor::ID_LANGUAGE_FIRST + 1, &pos)) UpdateLanguageMenu(languages);
    return true;
}

}  // namespace demo
