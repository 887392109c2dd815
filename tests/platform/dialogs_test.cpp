// Modal dialogs answered by a test, message boxes, the file dialog, the
// edit field and the clipboard.
#include "tests/platform/test_windows.h"

#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/paths.h"

#include <fnmatch.h>

#include <algorithm>
#include <fstream>

namespace plattest {
namespace {

DialogTemplate NameDialog() {
    DialogTemplate t;
    t.caption = "Name";
    t.size = Size(220, 90);
    t.items = {
        {DialogItemKind::Static, 10, "Your name:", Rect(10, 10, 100, 26)},
        {DialogItemKind::Edit, 11, "", Rect(10, 30, 210, 52)},
        {DialogItemKind::DefaultButton, IDOK, "OK", Rect(60, 60, 130, 82)},
        {DialogItemKind::Button, IDCANCEL, "Cancel", Rect(140, 60, 210, 82)},
    };
    return t;
}

using Dialogs = HeadlessTest;

TEST_F(Dialogs, AModalDialogAnsweredByTheTestDisablesItsOwnerMeanwhile) {
    RecordingWnd frame;
    MakeTop(frame);
    Dialog dlg(NameDialog());
    bool ownerWasEnabled = true;
    std::string text;
    drv.OnModal([&](Wnd& d) {
        ownerWasEnabled = frame.IsWindowEnabled();
        EXPECT_EQ(Wnd::GetFocus(), d.GetDlgItem(11));  // the first control that takes the focus
        drv.TypeText("Ada");
        text = static_cast<Dialog&>(d).GetItemText(11);
        drv.Click(*d.GetDlgItem(IDOK), Point(5, 5));
    });
    EXPECT_EQ(dlg.DoModal(&frame), IDOK);
    EXPECT_FALSE(ownerWasEnabled);
    EXPECT_TRUE(frame.IsWindowEnabled());
    EXPECT_EQ(text, "Ada");
    EXPECT_FALSE(dlg.Exists());

    Dialog again(NameDialog());
    drv.OnModal([&](Wnd&) { drv.PressKey(VK_ESCAPE); });
    EXPECT_EQ(again.DoModal(&frame), IDCANCEL);
    Dialog enter(NameDialog());
    drv.OnModal([&](Wnd&) { drv.PressKey(VK_RETURN); });
    EXPECT_EQ(enter.DoModal(&frame), IDOK);
}

TEST_F(Dialogs, AnUnansweredModalLoopEndsInsteadOfHanging) {
    RecordingWnd frame;
    MakeTop(frame);
    Dialog dlg(NameDialog());
    EXPECT_EQ(dlg.DoModal(&frame), IDABORT);
    EXPECT_TRUE(frame.IsWindowEnabled());
    Dialog missing(424242u);
    EXPECT_EQ(missing.DoModal(&frame), IDABORT);
}

TEST_F(Dialogs, MessageBoxesAreAnsweredFromTheScriptAndLogged) {
    app.SetAppName("Tester");
    drv.AnswerMessageBox(IDNO);
    EXPECT_EQ(MessageBox(nullptr, "Save?", "", MB_YESNOCANCEL | MB_ICONWARNING), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "Done", "Title", MB_OK), IDOK);
    ASSERT_EQ(drv.MessageBoxes().size(), 2u);
    EXPECT_EQ(drv.MessageBoxes()[0].caption, "Tester");
    EXPECT_EQ(drv.MessageBoxes()[0].type, unsigned(MB_YESNOCANCEL | MB_ICONWARNING));
    EXPECT_EQ(drv.MessageBoxes()[1].text, "Done");
}

TEST_F(Dialogs, DroppedFilesReachOnlyAWindowThatAcceptsThemAndIsNotBusy) {
    struct DropTarget : RecordingWnd {
        void OnDropFiles(const std::vector<std::string>& paths) override {
            for (const std::string& p : paths) log.push_back("drop " + p);
        }
    } frame;
    MakeTop(frame);
    drv.DropFiles(frame, {"/tmp/a.bmp"});
    EXPECT_TRUE(frame.log.empty() || frame.log.back().rfind("drop", 0) != 0);
    frame.ModifyExStyle(0, WS_EX_ACCEPTFILES);
    frame.Clear();
    drv.DropFiles(frame, {"/tmp/a.bmp", "/tmp/b.bmp"});
    EXPECT_EQ(frame.log, (std::vector<std::string>{"drop /tmp/a.bmp", "drop /tmp/b.bmp"}));
    // Not while a modal dialog of it is open.
    frame.Clear();
    Dialog dlg(NameDialog());
    drv.OnModal([&](Wnd&) {
        drv.DropFiles(frame, {"/tmp/c.bmp"});
        drv.PressKey(VK_ESCAPE);
    });
    dlg.DoModal(&frame);
    EXPECT_TRUE(std::find(frame.log.begin(), frame.log.end(), "drop /tmp/c.bmp") == frame.log.end());
}

TEST(FileFilters, BitmapsMatchInAnyLetterCase) {
    std::string pattern = CaseInsensitivePattern("*.bmp");
    EXPECT_EQ(pattern, "*.[bB][mM][pP]");
    for (const char* name : {"mask.bmp", "MASK.BMP", "Mask.Bmp"}) EXPECT_EQ(fnmatch(pattern.c_str(), name, 0), 0) << name;
    EXPECT_NE(fnmatch(pattern.c_str(), "mask.bmq", 0), 0);
    EXPECT_EQ(CaseInsensitivePattern("img_[a-c]?.PNG"), "[iI][mM][gG]_[a-c]?.[pP][nN][gG]");
}

TEST(FileNames, TheDisplayNameIsValidText) {
    EXPECT_EQ(DisplayName("/tmp/rounded.bmp"), "rounded.bmp");
    // A name in another encoding than UTF-8 still shows.
    EXPECT_EQ(DisplayName("/tmp/ma\xffsk.bmp"), "ma\xef\xbf\xbdsk.bmp");
}

TEST_F(Dialogs, TheFileDialogAppliesTheDefaultExtensionAndTheMustExistRule) {
    EXPECT_EQ(ParseFileFilter("Bitmap Files (*.bmp)|*.bmp|Pictures|*.png;*.jpg||").size(), 2u);
    EXPECT_EQ(ParseFileFilter("Bitmap Files (*.bmp)|*.bmp||")[0].patterns, std::vector<std::string>{"*.bmp"});
    TempFolder tmp;
    const std::string& dir = tmp.Path();
    std::string existing = dir + "/mask.bmp";
    std::ofstream(existing) << "x";
    FileDialog open;
    open.title = "Open";
    open.defaultExt = "bmp";
    open.filter = "Bitmap Files (*.bmp)|*.bmp||";
    open.flags = OFN_FILEMUSTEXIST;
    drv.AnswerFileDialog(dir + "/mask");
    ASSERT_TRUE(open.Run(nullptr));
    EXPECT_EQ(open.Path(), existing);
    drv.AnswerFileDialog(dir + "/other.bmp");
    EXPECT_FALSE(open.Run(nullptr));  // does not exist
    drv.CancelFileDialog();
    EXPECT_FALSE(open.Run(nullptr));
    EXPECT_EQ(drv.FileDialogs().size(), 3u);
    EXPECT_EQ(drv.FileDialogs()[0].title, "Open");
}

TEST_F(Dialogs, TheEditFieldTypesSelectsAndUsesTheClipboard) {
    RecordingWnd frame;
    Edit edit;
    MakeTop(frame);
    MakeChild(edit, frame, Rect(0, 0, 120, 22), 0, WS_EX_CLIENTEDGE);
    edit.SetFocus();
    drv.TypeText("hello world");
    drv.KeyDown(VK_SHIFT);
    for (int i = 0; i < 5; ++i) drv.PressKey(VK_LEFT);
    drv.KeyUp(VK_SHIFT);
    drv.KeyDown(VK_CONTROL);
    drv.PressKey('C');
    drv.KeyUp(VK_CONTROL);
    EXPECT_EQ(drv.ClipboardText(), "world");
    drv.PressKey(VK_HOME);
    drv.PressKey(VK_DELETE);
    drv.PressKey(VK_END);
    drv.PressKey(VK_BACK);
    EXPECT_EQ(edit.GetText(), "ello worl");
    SetClipboardText("X\nsecond line");
    drv.KeyDown(VK_SHIFT);
    drv.PressKey(VK_INSERT);
    drv.KeyUp(VK_SHIFT);
    EXPECT_EQ(edit.GetText(), "ello worlX");
    std::string text;
    EXPECT_TRUE(GetClipboardText(text));
    EXPECT_TRUE(IsClipboardTextAvailable());
}

TEST_F(Dialogs, ProgressBarKeepsItsPositionInRange) {
    RecordingWnd frame;
    ProgressBar bar;
    MakeTop(frame);
    MakeChild(bar, frame, Rect(0, 0, 100, 10));
    bar.SetRange(0, 10);
    bar.SetPos(15);
    EXPECT_EQ(bar.GetPos(), 10);
    drv.Flush();
    Bitmap pic = bar.Snapshot();
    EXPECT_EQ(pic.GetPixel(95, 5), GetSysColor(COLOR_HIGHLIGHT));
}

}  // namespace
}  // namespace plattest
