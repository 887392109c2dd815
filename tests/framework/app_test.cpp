// The application object: the run loop's error reports, the File and Edit
// commands with their states, the title, the recent-file list.
#include "tests/framework/app_fixture.h"

#include "framework/app/command_ids.h"
#include "framework/fault/fault_guard.h"
#include "framework/windows/custom_window.h"
#include "framework/windows/widget.h"
#include "platform/message_box.h"

#include <fstream>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace kortest {
namespace {

using namespace Kor;

// --- The run loop ---

TEST_F(AppTest, RunLoopReportsErrorsWithTheActivityAndRunsOn) {
    std::vector<std::string> order;
    app.Post([&] {
        order.push_back("save");
        doc.failSave = "The disk is full";
        doc.SaveAs("/tmp/x.doc");  // throws under "saving document"
    });
    app.Post([&] {
        order.push_back("activity left " + app.GetActivity());
        throw std::runtime_error("Line 3 is wrong.");  // no activity, ends with a full stop
    });
    app.Post([&] { throw std::runtime_error("two lines\n"); });
    app.Post([&] {
        order.push_back("quit");
        app.Quit(7);
    });
    EXPECT_EQ(app.Run(), 7);
    // Each report cleared the activities; the loop went on after each one.
    EXPECT_EQ(order, (std::vector<std::string>{"save", "activity left ", "quit"}));
    const auto& boxes = drv.MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Error while saving document:\nThe disk is full.");
    EXPECT_EQ(boxes[0].type & plat::MB_ICONMASK, unsigned(plat::MB_ICONERROR));
    EXPECT_EQ(boxes[1].text, "Error while performing operation:\nLine 3 is wrong.");
    EXPECT_EQ(boxes[2].text, "Error while performing operation:\ntwo lines\n");
    EXPECT_TRUE(app.GetActivities().empty());
}

TEST_F(AppTest, AnExceptionOfAnotherKindIsReportedToo) {
    app.Post([] { throw 42; });
    app.Post([&] { app.Quit(1); });
    EXPECT_EQ(app.Run(), 1);
    ASSERT_EQ(drv.MessageBoxes().size(), 1u);
    EXPECT_EQ(drv.MessageBoxes()[0].text.rfind("Error while performing operation:\n", 0), 0u);
}

// A real segmentation fault; the undefined-behaviour checker is told to
// let it happen.
__attribute__((noinline, no_sanitize("undefined"))) void WriteThroughNull() {
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
}

TEST_F(AppTest, AProcessorFaultInACommandIsReportedAndTheLoopRunsOn) {
    app.Post([] { WriteThroughNull(); });  // a fault inside the loop's guard
    app.Post([&] { app.Quit(3); });
    EXPECT_EQ(app.Run(), 3);
    ASSERT_EQ(drv.MessageBoxes().size(), 1u);
    const std::string& text = drv.MessageBoxes()[0].text;
    EXPECT_EQ(text.rfind("Error while performing operation:\n", 0), 0u) << text;
    EXPECT_NE(text.find(" caused an EXCEPTION_ACCESS_VIOLATION in module "), std::string::npos) << text;
    EXPECT_NE(text.find("RIP="), std::string::npos) << text;  // the register dump
}

TEST_F(AppTest, AFaultInANestedLoopIsCaughtWhereItsOwnWorkBegan) {
    // A command that waits while pumping (as a build does); a task of that
    // inner loop faults. The inner piece of work ends with the fault; the
    // command's own frames are intact and it goes on.
    struct Tracked {
        std::vector<std::string>& log;
        ~Tracked() { log.push_back("command's frame unwound"); }
    };
    std::vector<std::string> log;
    app.Post([&] {
        Tracked tracked{log};
        bool innerRan = false;
        app.Post([] { WriteThroughNull(); });
        app.Post([&] { innerRan = true; });
        try {
            app.PumpWhileWaiting([&] { return innerRan; }, 1000);
        } catch (const ProcessorFault&) {
            log.push_back("fault seen by the command");
        }
        app.PumpWhileWaiting([&] { return innerRan; }, 1000);
        log.push_back(innerRan ? "inner loop ran on" : "inner loop stopped");
    });
    app.Post([&] { app.Quit(0); });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(log,
              (std::vector<std::string>{"fault seen by the command", "inner loop ran on", "command's frame unwound"}));
    EXPECT_TRUE(drv.MessageBoxes().empty());
}

TEST_F(AppTest, AFaultInAnInputHandlerEndsOnlyThatInput) {
    struct Faulting : Widget {
        int ups = 0;
        void HandleLeftDown(unsigned, const CPoint&) override { WriteThroughNull(); }
        void HandleLeftUp(unsigned, const CPoint&) override { ++ups; }
    } faulting;
    faulting.SetBounds(CRect(0, 0, 50, 50));
    // The fault abandons the input layer's frames, whose guards of the window
    // then keep its life token for ever: the leak the fault guard says it
    // cannot avoid, not one to report.
    std::unique_ptr<CustomWindow<plat::Wnd>> window;
    {
#if defined(__SANITIZE_ADDRESS__)
        __lsan::ScopedDisabler leaksOfTheAbandonedFrames;
#endif
        window = std::make_unique<CustomWindow<plat::Wnd>>();
    }
    CustomWindow<plat::Wnd>& w = *window;
    w.AddControl(&faulting);
    ASSERT_TRUE(w.Create(nullptr, CRect(0, 0, 200, 100), plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE));
    EXPECT_THROW(drv.MouseDown(w, CPoint(10, 10)), ProcessorFault);
    drv.MouseUp(w, CPoint(10, 10));  // the window takes input on
    EXPECT_EQ(faulting.ups, 1);
    w.RemoveControl(&faulting);
}

TEST_F(AppTest, OpeningErrorsKeepTheirActivityForTheReport) {
    doc.failOpen = "not a text file";
    EXPECT_THROW(app.OpenFile("/tmp/a.txt", 0), std::runtime_error);
    EXPECT_EQ(app.GetActivity(), "opening document");
    EXPECT_TRUE(doc.IsEmpty());
}

// --- File commands ---

TEST_F(AppTest, OpeningTheOpenFileAgainDoesNothing) {
    ASSERT_TRUE(app.OpenFile("/tmp/a.txt", 2));
    EXPECT_EQ(doc.GetFileName(), "/tmp/a.txt");
    EXPECT_TRUE(app.OpenFile("/tmp/a.txt", 2));
    EXPECT_TRUE(app.OpenFile("/tmp/./a.txt", 2));  // the same file, spelt otherwise
    EXPECT_EQ(doc.log, (std::vector<std::string>{"open /tmp/a.txt 2"}));
    EXPECT_FALSE(app.OpenFile("", 0));
}

TEST_F(AppTest, OpenKeepsTheOpenDocumentUntilTheNewFileIsRead) {
    // The dialog wants files that exist.
    TempFolder tmp;
    const std::string a = tmp.Path() + "/a.txt", b = tmp.Path() + "/b.txt";
    std::ofstream(a) << "a";
    std::ofstream(b) << "b";
    int value = 0;
    ASSERT_TRUE(app.OpenFile(a, 0));
    doc.Perform(new AddAction(value, 1));
    doc.GetActions().NonModified();

    // The dialog comes first; cancelling it keeps the document.
    drv.CancelFileDialog();
    app.SendCommand(ID_FILE_OPEN);
    ASSERT_EQ(drv.FileDialogs().size(), 1u);
    EXPECT_EQ(doc.GetFileName(), a);
    EXPECT_EQ(doc.GetActions().Size(), 1u);

    // A file that cannot be read leaves it as it was.
    doc.failOpen = "not a text file";
    drv.AnswerFileDialog(b);
    EXPECT_THROW(app.SendCommand(ID_FILE_OPEN), std::runtime_error);
    EXPECT_EQ(doc.GetFileName(), a);
    EXPECT_EQ(doc.GetActions().Size(), 1u);
    app.ClearActivities();

    // A file that can be read replaces it, history and all.
    doc.failOpen.clear();
    drv.AnswerFileDialog(b);
    app.SendCommand(ID_FILE_OPEN);
    EXPECT_EQ(doc.GetFileName(), b);
    EXPECT_EQ(doc.GetActions().Size(), 0u);
    EXPECT_EQ(doc.log, (std::vector<std::string>{"open " + a + " 0", "open " + b + " 0"}));
    EXPECT_TRUE(drv.MessageBoxes().empty());
}

TEST_F(AppTest, TheSavePromptDecidesWhetherTheDocumentCloses) {
    int value = 0;
    app.OpenFile("/tmp/a.txt", 0);
    doc.Perform(new AddAction(value, 1));
    ASSERT_TRUE(doc.IsModified());

    drv.AnswerMessageBox(plat::IDCANCEL);
    app.SendCommand(ID_FILE_CLOSE);
    EXPECT_FALSE(doc.IsEmpty());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(drv.MessageBoxes().size(), 1u);
    EXPECT_EQ(drv.MessageBoxes()[0].text, "The document has been modified.\nDo you want to save the changes?");
    EXPECT_EQ(drv.MessageBoxes()[0].type, unsigned(plat::MB_YESNOCANCEL | plat::MB_ICONWARNING));

    // Opening another file asks too; Cancel keeps this one.
    drv.AnswerMessageBox(plat::IDCANCEL);
    EXPECT_TRUE(app.OpenFile("/tmp/b.txt", 0));
    EXPECT_EQ(doc.GetFileName(), "/tmp/a.txt");

    // Yes saves, then closes.
    drv.AnswerMessageBox(plat::IDYES);
    app.SendCommand(ID_FILE_CLOSE);
    EXPECT_TRUE(doc.IsEmpty());
    EXPECT_EQ(doc.log.back(), "save /tmp/a.txt");
    EXPECT_EQ(doc.GetActions().Size(), 0u);
}

TEST_F(AppTest, AFailedSaveKeepsTheDocumentOpen) {
    int value = 0;
    app.OpenFile("/tmp/a.txt", 0);
    doc.Perform(new AddAction(value, 1));
    doc.failSave = "read-only";
    drv.AnswerMessageBox(plat::IDYES);
    EXPECT_THROW(app.SendCommand(ID_FILE_CLOSE), std::runtime_error);
    EXPECT_FALSE(doc.IsEmpty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(AppTest, SaveAsAsksForANameAndRemembersIt) {
    app.OpenFile("/tmp/a.txt", 0);
    drv.AnswerFileDialog("/tmp/b.txt");
    app.SendCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(doc.GetFileName(), "/tmp/b.txt");
    ASSERT_EQ(drv.FileDialogs().size(), 1u);
    EXPECT_FALSE(drv.FileDialogs()[0].open);
    EXPECT_EQ(drv.FileDialogs()[0].title, "Save As");
    EXPECT_EQ(app.GetRecentFiles().Files(), (std::vector<std::string>{"/tmp/b.txt", "/tmp/a.txt"}));

    // Cancelling the dialog changes nothing.
    app.SendCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(doc.GetFileName(), "/tmp/b.txt");
}

TEST_F(AppTest, OpenUsesTheDialogStringsAndItsFilterIndex) {
    std::string path = config.File("c.txt");
    FILE* f = std::fopen(path.c_str(), "w");  // the dialog wants a file that exists
    std::fclose(f);
    drv.AnswerFileDialog(path, 2);
    app.SendCommand(ID_FILE_OPEN);
    EXPECT_EQ(doc.log, (std::vector<std::string>{"open " + path + " 1"}));
    ASSERT_EQ(drv.FileDialogs().size(), 1u);
    EXPECT_EQ(drv.FileDialogs()[0].title, "Open");
    EXPECT_EQ(drv.FileDialogs()[0].defaultExt, "doc");
    EXPECT_EQ(drv.FileDialogs()[0].filter, "All Files|*.*||");
}

TEST_F(AppTest, CommandStatesFollowTheDocument) {
    auto state = [&](unsigned id) {
        plat::CmdUI ui(id);
        EXPECT_TRUE(app.OnCmdMsg(id, plat::CN_UPDATE_COMMAND_UI, &ui));
        return ui;
    };
    EXPECT_FALSE(state(ID_FILE_CLOSE).IsEnabled());
    EXPECT_FALSE(state(ID_FILE_SAVE_AS).IsEnabled());
    EXPECT_FALSE(state(ID_EDIT_UNDO).IsEnabled());
    EXPECT_EQ(state(ID_EDIT_UNDO).GetText(), "Undo ");

    int value = 0;
    app.OpenFile("/tmp/a.txt", 0);
    EXPECT_TRUE(state(ID_FILE_CLOSE).IsEnabled());
    EXPECT_FALSE(state(ID_FILE_SAVE).IsEnabled());
    doc.Perform(new AddAction(value, 1, "Add One"));
    EXPECT_TRUE(state(ID_FILE_SAVE).IsEnabled());
    EXPECT_TRUE(state(ID_EDIT_UNDO).IsEnabled());
    EXPECT_EQ(state(ID_EDIT_UNDO).GetText(), "Undo Add One");  // not in a menu: the tool-bar text
    EXPECT_FALSE(state(ID_EDIT_REDO).IsEnabled());

    app.SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(state(ID_EDIT_REDO).GetText(), "Redo Add One");
    plat::Menu menu;
    menu.AppendItem(ID_EDIT_REDO, "Redo");
    plat::MenuCmdUI menuUi(menu, 0);
    app.OnCmdMsg(ID_EDIT_REDO, plat::CN_UPDATE_COMMAND_UI, &menuUi);
    EXPECT_EQ(menu.ItemAt(0).text, "Redo Add One\tCtrl+Shift+Z");
    app.SendCommand(ID_EDIT_REDO);
    EXPECT_EQ(value, 1);
}

// --- The frame's title and closing ---

TEST_F(AppTest, TheTitleNamesTheFileAndItsState) {
    MakeFrame();
    Frame& frame = app.GetFrame();
    EXPECT_EQ(drv.Title(frame), "KorApp");
    app.OpenFile("/tmp/folder/notes.txt", 0);
    EXPECT_EQ(drv.Title(frame), "notes.txt - KorApp");
    int value = 0;
    doc.Perform(new AddAction(value, 1));
    EXPECT_EQ(drv.Title(frame), "notes.txt * - KorApp");
    app.SendCommand(ID_FILE_SAVE);
    EXPECT_EQ(drv.Title(frame), "notes.txt - KorApp");
    app.SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(drv.Title(frame), "notes.txt * - KorApp");
    drv.AnswerMessageBox(plat::IDNO);
    app.SendCommand(ID_FILE_CLOSE);
    EXPECT_EQ(drv.Title(frame), "KorApp");
}

TEST_F(AppTest, TheFrameClosesOnlyWithTheDocument) {
    MakeFrame();
    Frame& frame = app.GetFrame();
    int value = 0;
    app.OpenFile("/tmp/a.txt", 0);
    doc.Perform(new AddAction(value, 1));
    drv.AnswerMessageBox(plat::IDCANCEL);
    drv.Close(frame);
    EXPECT_TRUE(frame.Exists());
    EXPECT_FALSE(app.QuitRequested());

    drv.AnswerMessageBox(plat::IDNO);
    app.SendCommand(ID_APP_EXIT);
    EXPECT_FALSE(frame.Exists());
    EXPECT_TRUE(doc.IsEmpty());
    EXPECT_TRUE(app.QuitRequested());
}

TEST_F(AppTest, TheRecentFileListLivesInTheProfileAndTheMenu) {
    for (int i = 0; i < 12; ++i) app.AddToRecentFileList("/tmp/f" + std::to_string(i));
    ASSERT_EQ(app.GetRecentFiles().Files().size(), 10u);
    EXPECT_EQ(app.GetRecentFiles().Files().front(), "/tmp/f11");
    EXPECT_EQ(app.GetProfileString("Recent File List", "File1"), "/tmp/f11");
    EXPECT_EQ(app.GetProfileString("Recent File List", "File10"), "/tmp/f2");

    plat::Menu menu;
    plat::Menu& file = menu.AppendPopup("&File");
    file.AppendItem(ID_FILE_OPEN, "&Open");
    file.AppendItem(ID_FILE_MRU_FILE1, "Recent File", plat::MF_GRAYED);
    file.AppendItem(ID_APP_EXIT, "E&xit");
    app.GetRecentFiles().UpdateMenu(menu);
    ASSERT_EQ(file.ItemCount(), 12);
    EXPECT_EQ(file.ItemAt(1).text, "&1 /tmp/f11");
    EXPECT_EQ(file.ItemAt(10).id, ID_FILE_MRU_FILE1 + 9);
    EXPECT_EQ(file.ItemAt(11).id, unsigned(ID_APP_EXIT));

    // Choosing an entry opens its file.
    app.SendCommand(ID_FILE_MRU_FILE1 + 2);
    EXPECT_EQ(doc.GetFileName(), "/tmp/f9");
    EXPECT_EQ(app.GetRecentFiles().Files().front(), "/tmp/f9");

    // A new run reads the list back.
    Kor::RecentFileList again(10);
    again.ReadProfile();
    EXPECT_EQ(again.Files(), app.GetRecentFiles().Files());
}

}  // namespace
}  // namespace kortest
