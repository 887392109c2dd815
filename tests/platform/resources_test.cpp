// Menus and accelerators in their resource form, cursors and images from
// resources, and the library's own bundle.
#include "tests/platform/test_windows.h"

#include "platform/accel.h"
#include "platform/menu.h"
#include "platform/resources.h"

#include <cstdlib>
#include <fstream>

namespace plattest {
namespace {

TEST(MenuResource, ParsesPopupsItemsSeparatorsAndStates) {
    auto m = Menu::Parse(
        "POPUP \"&File\"\n"
        "    MENUITEM \"&Open...\\tCtrl+O\", 57601\n"
        "    MENUITEM SEPARATOR\n"
        "    POPUP \"Recent\"\n"
        "        MENUITEM \"Recent File\", 57616, GRAYED\n"
        "    END\n"
        "END\n"
        "POPUP \"&View\"\n"
        "    MENUITEM \"Pins\", 32787, CHECKED\n"
        "END\n");
    ASSERT_TRUE(m);
    ASSERT_EQ(m->ItemCount(), 2);
    Menu* file = m->GetSubMenu(0);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->ItemCount(), 3);
    EXPECT_EQ(MenuLabel(file->ItemAt(0).text), "&Open...");
    EXPECT_EQ(MenuAccelText(file->ItemAt(0).text), "Ctrl+O");
    EXPECT_TRUE(file->ItemAt(1).IsSeparator());
    int pos = -1;
    Menu* recent = m->FindCommand(57616, &pos);
    ASSERT_TRUE(recent);
    EXPECT_TRUE(recent->ItemAt(pos).flags & MF_GRAYED);
    EXPECT_TRUE(m->FindCommand(32787, &pos)->ItemAt(pos).flags & MF_CHECKED);
    EXPECT_EQ(m->FindCommand(1, &pos), nullptr);

    EXPECT_FALSE(Menu::Parse("POPUP \"File\"\n MENUITEM \"Open\", 1\n"));  // no END
    EXPECT_FALSE(Menu::Parse("MENUITEM \"Open\" 1\n"));                  // no comma
    EXPECT_FALSE(Menu::Parse("MENUITEM \"Open\", 1, BOLD\n"));           // unknown option
    EXPECT_FALSE(Menu::Parse("END\n"));
}

TEST(MenuResource, ChangesReachTheListenerOfTheWholeMenu) {
    auto m = Menu::Parse("POPUP \"Edit\"\n MENUITEM \"Undo\", 57643\nEND\n");
    int changes = 0;
    m->SetChangeListener([&] { ++changes; });
    int pos = -1;
    Menu* edit = m->FindCommand(57643, &pos);
    MenuCmdUI ui(*edit, pos);
    ui.SetText("Undo move\tCtrl+Z");
    ui.SetCheck(1);
    ui.Enable(false);
    EXPECT_EQ(edit->ItemAt(pos).text, "Undo move\tCtrl+Z");
    EXPECT_EQ(edit->ItemAt(pos).flags & (MF_CHECKED | MF_GRAYED), unsigned(MF_CHECKED | MF_GRAYED));
    EXPECT_EQ(changes, 3);
    ui.Enable(false);  // no change, no notice
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(ui.GetMenu(), edit);
}

TEST(AccelResource, NamesKeysWithTheirModifiers) {
    unsigned mods = 0, key = 0;
    ASSERT_TRUE(AccelTable::ParseKey("Ctrl+Shift+Z", mods, key));
    EXPECT_EQ(mods, unsigned(FCONTROL | FSHIFT));
    EXPECT_EQ(key, unsigned('Z'));
    ASSERT_TRUE(AccelTable::ParseKey("Alt+Backspace", mods, key));
    EXPECT_EQ(mods, unsigned(FALT));
    EXPECT_EQ(key, unsigned(VK_BACK));
    ASSERT_TRUE(AccelTable::ParseKey("Shift+F6", mods, key));
    EXPECT_EQ(key, unsigned(VK_F1 + 5));
    ASSERT_TRUE(AccelTable::ParseKey("]", mods, key));
    EXPECT_EQ(key, 221u);
    ASSERT_TRUE(AccelTable::ParseKey("Num+", mods, key));
    EXPECT_EQ(key, 107u);
    EXPECT_FALSE(AccelTable::ParseKey("Hyper+Q", mods, key));
    EXPECT_FALSE(AccelTable::ParseKey("F25", mods, key));

    auto t = AccelTable::Parse("Ctrl+C 57634\nCtrl+Insert 57634\nShift+Delete 57635\nH 60001\n");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Translate(VK_INSERT, false, true, false), 57634u);
    EXPECT_EQ(t->Translate('H', false, false, false), 60001u);
    EXPECT_EQ(t->Translate('H', true, false, false), 0u);  // modifiers must match exactly
    EXPECT_EQ(t->Translate('C', false, true, true), 0u);
    EXPECT_FALSE(AccelTable::Parse("Ctrl+C\n"));
}

TEST(ImageResources, CursorsAndBitmapsComeFromTheChain) {
    App app(BackendKind::Headless);
    TempFolder dir;
    Bitmap img(8, 6, Color(10, 20, 30));
    ASSERT_TRUE(img.SavePng(dir.Path() + "/PanTool_CursorHand.png"));
    std::ofstream(dir.Path() + "/PanTool_CursorHand.hotspot") << "3 4\n";
    auto module = ResourceModule::FromFolder(dir.Path());
    AddResourceModule(module, ChainPosition::Front);
    Cursor c = Cursor::FromResource("PanTool_CursorHand");
    EXPECT_FALSE(c.IsNull());
    EXPECT_FALSE(c.IsStandard());
    EXPECT_EQ(c.HotSpot(), Point(3, 4));
    ASSERT_TRUE(c.Image());
    EXPECT_EQ(c.Image()->GetPixel(2, 2), Color(10, 20, 30));
    EXPECT_TRUE(Cursor::FromResource("NoSuchCursor").IsNull());
    EXPECT_EQ(Bitmap::FromResource("PanTool_CursorHand").GetSize(), Size(8, 6));
    EXPECT_TRUE(Bitmap::FromResource("missing").IsNull());
    RemoveResourceModule(module.get());
}

TEST(ImageResources, TheLibrarysOwnBundleIsRegisteredWhenItLoads) {
    std::string bytes;
    EXPECT_TRUE(LibraryResources()->Find("strings.txt", bytes));
    EXPECT_FALSE(LibraryResources()->Find("no-such-file", bytes));
}

}  // namespace
}  // namespace plattest
