// Languages: the start-up language in the profile, the language menu, and
// the catalogues that ship with the library and the demonstration program.
#include "tests/framework/app_fixture.h"

#include "framework/app/command_ids.h"
#include "framework/app/framework_strings.h"
#include "framework/localization/dll_language.h"
#include "framework/localization/resource_string.h"
#include "platform/menu.h"
#include "platform/message_box.h"
#include "platform/module_path.h"
#include "platform/resources.h"

#include <fstream>
#include <map>
#include <sstream>

namespace kortest {
namespace {

using namespace Kor;

std::map<unsigned, std::string> ReadTable(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    std::map<unsigned, std::string> table;
    plat::ResourceModule::ParseStrings(ss.str(), table);
    return table;
}

class LanguageTest : public AppTest {
protected:
    void Init() { app.InitLanguage("Settings", "Language"); }
    std::string MenuText(unsigned lang, int* check = nullptr) {
        plat::Menu menu;
        menu.AppendItem(ID_LANGUAGE_FIRST + lang, "");
        plat::MenuCmdUI ui(menu, 0);
        EXPECT_TRUE(app.OnCmdMsg(ID_LANGUAGE_FIRST + lang, plat::CN_UPDATE_COMMAND_UI, &ui));
        if (check) *check = menu.ItemAt(0).flags & plat::MF_CHECKED ? 1 : 0;
        return menu.ItemAt(0).text;
    }
};

TEST_F(LanguageTest, ProfileValuesOutOfRangeMeanTheBuiltInLanguage) {
    for (int value : {5, -1, 3}) {
        app.WriteProfileInt("Settings", "Language", value);
        Init();
        EXPECT_EQ(app.GetLanguage().GetStartupLanguage(), LanguageNone) << value;
        EXPECT_EQ(app.GetLanguage().GetLanguage(), LanguageNone);
    }
    app.WriteProfileInt("Settings", "Language", 2);
    EXPECT_EQ(app.GetLanguage().GetStartupLanguage(), LanguageRussian);
    AppLanguage unset;  // without section and key
    EXPECT_EQ(unset.GetStartupLanguage(), LanguageNone);
}

TEST_F(LanguageTest, ChoosingRussianTakesEffectAtTheNextStart) {
    Init();
    app.SetDefaultLanguage(LanguageEnglish);
    app.EnableLanguage(LanguageRussian);
    app.EnableLanguage(LanguageEnglish);
    plat::Menu menu;
    menu.AppendItem(1, "old item");
    app.UpdateLanguageMenu(&menu);
    ASSERT_EQ(menu.ItemCount(), 2);
    EXPECT_EQ(menu.ItemAt(0).id, ID_LANGUAGE_FIRST + 1);
    EXPECT_EQ(menu.ItemAt(1).id, ID_LANGUAGE_FIRST + 2);

    app.SendCommand(ID_LANGUAGE_FIRST + LanguageRussian);
    EXPECT_EQ(app.GetProfileInt("Settings", "Language", 0), 2);
    ASSERT_EQ(drv.MessageBoxes().size(), 1u);
    EXPECT_EQ(drv.MessageBoxes()[0].text, "The language settings will take effect next time you launch the program.");
    EXPECT_EQ(drv.MessageBoxes()[0].type & plat::MB_ICONMASK, unsigned(plat::MB_ICONINFORMATION));
    EXPECT_EQ(app.GetLanguage().GetLanguage(), LanguageNone);
    int ticked = 0;
    EXPECT_EQ(MenuText(LanguageRussian, &ticked), "Russian (Restart Required)");
    EXPECT_EQ(ticked, 1);
    EXPECT_EQ(MenuText(LanguageEnglish, &ticked), "English (United States)");
    EXPECT_EQ(ticked, 0);

    // Back to English, the default, which runs now without a catalogue.
    app.SendCommand(ID_LANGUAGE_FIRST + LanguageEnglish);
    EXPECT_EQ(MenuText(LanguageEnglish, &ticked), "English (United States) (Default)");
    EXPECT_EQ(ticked, 1);
}

TEST_F(LanguageTest, TheLibraryFollowsTheChosenLanguage) {
    // This test program has no catalogue; the library has its Russian one.
    app.WriteProfileInt("Settings", "Language", LanguageRussian);
    Init();
    EXPECT_EQ(app.GetLanguage().GetLanguage(), LanguageNone);
    EXPECT_EQ(LibraryLanguage().GetLanguage(), LanguageRussian);
    EXPECT_EQ(AppBase::LoadString(IDS_DEFAULT_LANGUAGE), "(по умолчанию)");
    EXPECT_EQ(GetLanguageName(LanguageRussian), "Русский");
    EXPECT_EQ(ResourceString(IDS_SAVE_AS_TITLE).str(), "Сохранить как");
}

TEST(LanguageFiles, CataloguesAreFoundBesideTheirBinary) {
    EXPECT_EQ(plat::ReplaceExtension("/usr/lib/libkorvane.so", "rus"), "/usr/lib/libkorvane.rus");
    EXPECT_EQ(plat::ReplaceExtension("/opt/a.b/korvane-demo", "enu"), "/opt/a.b/korvane-demo.enu");
    BasicLanguage lang;
    lang.Init(KORVANE_DEMO_PATH);
    lang.LoadModule(LanguageRussian);
    ASSERT_EQ(lang.GetLanguage(), LanguageRussian);
    std::string text;
    EXPECT_TRUE(lang.GetModule()->FindString(311, text));
    EXPECT_EQ(text, "Строка");
    lang.Init("/nowhere/program");
    lang.LoadModule(LanguageEnglish);
    EXPECT_EQ(lang.GetLanguage(), LanguageNone);
    EXPECT_EQ(lang.GetModule(), nullptr);
}

TEST(LanguageFiles, EveryBuiltInStringHasItsRussianText) {
    for (auto [builtIn, russian] : {std::make_pair(KORVANE_STRINGS, KORVANE_RUSSIAN),
                                    std::make_pair(DEMO_STRINGS, DEMO_RUSSIAN),
                                    std::make_pair(MASKS_STRINGS, MASKS_RUSSIAN)}) {
        auto english = ReadTable(builtIn), translated = ReadTable(russian);
        ASSERT_FALSE(english.empty()) << builtIn;
        for (const auto& [id, text] : english) EXPECT_TRUE(translated.count(id)) << russian << " lacks " << id;
        for (const auto& [id, text] : translated) EXPECT_TRUE(english.count(id)) << russian << " has the unknown " << id;
    }
}

}  // namespace
}  // namespace kortest
