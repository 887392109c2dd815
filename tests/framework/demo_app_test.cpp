// korvane-demo driven on the headless backend as a user would: menus, tool
// buttons, the line field, the progress dialog of a long command.
#include "tests/framework/app_fixture.h"

#include "demos/korvane-demo/demo_app.h"
#include "framework/app/command_ids.h"
#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "platform/message_box.h"

#include <fstream>

namespace kortest {
namespace {

using namespace Kor;
using demo::DemoApp;

class DemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(text) << "one two\nthree\nfour five six\n";
        ASSERT_TRUE(app.InitInstance());
        drv.Resize(frame(), plat::Size(640, 420));
        drv.Flush();
    }
    void Open() {
        drv.AnswerFileDialog(text);
        ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_FILE_OPEN));
        drv.Flush();
    }
    ToolButton& Tool(unsigned id) { return *frame().toolBar.FindButton(id); }
    void ClickTool(unsigned id) { drv.Click(frame(), Tool(id).GetWindowRect().Center()); }

    ConfigHome config;
    std::string text = config.File("notes.txt");
    DemoApp app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    demo::TextDoc& doc = app.GetDoc();
    demo::DemoFrame& frame() { return app.GetFrame(); }
};

TEST_F(DemoTest, OpenEditUndoAndSaveThroughMenusAndTools) {
    EXPECT_EQ(drv.Title(frame()), "Korvane Demo");
    EXPECT_FALSE(Tool(demo::ID_UPPER_CASE).Enabled());
    Open();
    EXPECT_EQ(drv.Title(frame()), "notes.txt - Korvane Demo");
    EXPECT_EQ(doc.Lines().size(), 3u);
    ASSERT_EQ(drv.FileDialogs().size(), 1u);
    EXPECT_EQ(drv.FileDialogs()[0].title, "Open a text file");  // the program's string wins

    ClickTool(demo::ID_UPPER_CASE);
    EXPECT_EQ(doc.Lines()[0], "ONE TWO");
    EXPECT_EQ(drv.Title(frame()), "notes.txt * - Korvane Demo");
    drv.Flush();
    EXPECT_EQ(Tool(ID_EDIT_UNDO).HintText(), "Undo Upper Case");
    plat::Menu* menu = frame().GetMenu();
    int pos = -1;
    plat::Menu* edit = menu->FindCommand(ID_EDIT_UNDO, &pos);
    plat::UpdateMenuItems(frame(), *edit);
    EXPECT_EQ(edit->ItemAt(pos).text, "Undo Upper Case\tCtrl+Z");

    // Ctrl+Z undoes.
    drv.KeyDown(plat::VK_CONTROL);
    drv.PressKey('Z');
    drv.KeyUp(plat::VK_CONTROL);
    EXPECT_EQ(doc.Lines()[0], "one two");
    ClickTool(ID_EDIT_REDO);
    EXPECT_EQ(doc.Lines()[0], "ONE TWO");

    ClickTool(ID_FILE_SAVE);
    EXPECT_EQ(drv.Title(frame()), "notes.txt - Korvane Demo");
    std::ifstream in(text);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "ONE TWO");
    // The recent-file list in the menu names the file.
    int mru = -1;
    plat::Menu* file = menu->FindCommand(ID_FILE_MRU_FILE1, &mru);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->ItemAt(mru).text, "&1 " + text);
}

TEST_F(DemoTest, TheLineFieldAndTheAddButton) {
    Open();
    drv.Click(frame(), frame().line.text.GetWindowRect().Center());
    ASSERT_TRUE(frame().line.text.IsEditing());
    // A tab, pasted since typing it moves on, is refused when applied.
    plat::SetClipboardText("seven\teight");
    drv.KeyDown(plat::VK_CONTROL);
    drv.PressKey('V');
    drv.KeyUp(plat::VK_CONTROL);
    EXPECT_EQ(frame().line.text.GetEdit()->GetText(), "seven\teight");
    drv.PressKey(plat::VK_RETURN);
    EXPECT_FALSE(frame().line.text.IsEditing());
    EXPECT_EQ(doc.GetNewLine(), "A new line");
    drv.Click(frame(), frame().line.text.GetWindowRect().Center());
    drv.TypeText("seven");
    drv.PressKey(plat::VK_RETURN);
    EXPECT_EQ(doc.GetNewLine(), "seven");
    drv.Click(frame(), frame().line.add.GetWindowRect().Center());
    EXPECT_EQ(doc.Lines().back(), "seven");
    EXPECT_EQ(doc.GetActions().Size(), 1u);
}

TEST_F(DemoTest, F10OpensTheFileMenuWithItsStatesUpToDate) {
    Open();
    drv.PressKey(plat::VK_F10);
    EXPECT_EQ(drv.OpenMenu(frame()), "&File");
    int pos = -1;
    plat::Menu* file = frame().GetMenu()->FindCommand(ID_FILE_SAVE, &pos);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->ItemAt(pos).flags & plat::MF_GRAYED);  // nothing to save yet
    drv.PressKey(plat::VK_ESCAPE);
    EXPECT_EQ(drv.OpenMenu(frame()), "");
}

TEST_F(DemoTest, CountingWordsShowsProgressAndCanBeCancelled) {
    Open();
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), demo::ID_COUNT_WORDS));
    ASSERT_FALSE(drv.MessageBoxes().empty());
    EXPECT_EQ(drv.MessageBoxes().back().text, "The text holds 6 words.");
    EXPECT_TRUE(frame().IsEnabled());

    // Cancel pressed while the first step runs.
    app.Post([&] {
        for (plat::Wnd* w : app.TopLevels())
            if (auto* cancel = dynamic_cast<plat::PushButton*>(w->GetDlgItem(plat::IDCANCEL)))
                if (w->IsWindowVisible() && w != &frame()) cancel->Click();
    });
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), demo::ID_COUNT_WORDS));
    EXPECT_EQ(drv.MessageBoxes().back().text, "The count was cancelled.");
    EXPECT_TRUE(frame().IsEnabled());
}

TEST_F(DemoTest, NewDocumentIsUntitledAndClosingAsksToSave) {
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_FILE_NEW));
    EXPECT_EQ(drv.Title(frame()), "(Untitled) - Korvane Demo");
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), demo::ID_ADD_LINE));
    EXPECT_EQ(drv.Title(frame()), "(Untitled) * - Korvane Demo");
    // Saving an untitled document asks for a name.
    drv.AnswerMessageBox(plat::IDYES);
    drv.AnswerFileDialog(config.File("new.txt"));
    drv.Close(frame());
    EXPECT_FALSE(frame().Exists());
    std::ifstream in(config.File("new.txt"));
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "A new line");
}

TEST_F(DemoTest, ALanguageMenuWithBothLanguages) {
    int pos = -1;
    plat::Menu* languages = frame().GetMenu()->FindCommand(ID_LANGUAGE_FIRST + 1, &pos);
    ASSERT_NE(languages, nullptr);
    plat::UpdateMenuItems(frame(), *languages);
    ASSERT_EQ(languages->ItemCount(), 2);
    EXPECT_EQ(languages->ItemAt(0).text, "English (United States)");
    EXPECT_EQ(languages->ItemAt(1).text, "Russian");
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_LANGUAGE_FIRST + 2));
    plat::UpdateMenuItems(frame(), *languages);
    EXPECT_EQ(languages->ItemAt(1).text, "Russian (Restart Required)");
    EXPECT_TRUE(languages->ItemAt(1).flags & plat::MF_CHECKED);
}

TEST_F(DemoTest, APictureOfTheProgram) {
    Open();
    ClickTool(demo::ID_UPPER_CASE);
    drv.Click(frame(), frame().line.numbers.GetWindowRect().Center());
    drv.Flush();
    plat::Bitmap shot = frame().Snapshot();
    // The text is drawn in the colour box's red, numbered.
    CRect view = frame().GetViewRect();
    bool red = false;
    for (int y = view.top; y < view.top + 30 && !red; ++y)
        for (int x = view.left; x < view.right && !red; ++x) red = shot.GetPixel(x, y) == plat::Color(200, 30, 30);
    EXPECT_TRUE(red);
    EXPECT_TRUE(shot.SavePng(std::string(KORVANE_TEST_OUTPUT) + "/korvane-demo-frame.png"));
}

}  // namespace
}  // namespace kortest
