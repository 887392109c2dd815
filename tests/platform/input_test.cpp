// Input routing: capture and pointer-leave tracking, double clicks, focus,
// cursor requests, commands from menus and accelerators.
#include "tests/platform/test_windows.h"

#include "platform/accel.h"
#include "platform/edit.h"
#include "platform/menu.h"

namespace plattest {
namespace {

using Pointer = HeadlessTest;

TEST_F(Pointer, LeaveArrivesOnceWhenThePointerMovesToAnotherWindow) {
    RecordingWnd top, a, b;
    MakeTop(top);
    MakeChild(a, top, Rect(0, 0, 50, 50));
    MakeChild(b, top, Rect(50, 0, 100, 50));
    drv.MouseMove(a, Point(10, 10));
    a.TrackMouseLeave();
    drv.MouseMove(a, Point(20, 10));
    a.Clear();
    drv.MouseMove(b, Point(5, 5));
    drv.MouseMove(b, Point(6, 5));
    EXPECT_EQ(a.log, std::vector<std::string>{"leave"});
    // Asked while the pointer is elsewhere, the leave comes at once.
    a.Clear();
    a.TrackMouseLeave();
    drv.Flush();
    EXPECT_EQ(a.log, std::vector<std::string>{"leave"});
}

TEST_F(Pointer, CaptureGetsThePointerEverywhereAndDelaysTheLeave) {
    RecordingWnd top, a, b;
    MakeTop(top);
    MakeChild(a, top, Rect(100, 100, 150, 150));
    MakeChild(b, top, Rect(0, 0, 50, 50));
    drv.MouseMove(a, Point(10, 10));
    a.TrackMouseLeave();
    a.SetCapture();
    a.Clear();
    b.Clear();
    drv.MouseMove(b, Point(10, 10));   // over b, outside a
    drv.MouseUp(b, Point(10, 10));
    EXPECT_EQ(a.log, (std::vector<std::string>{"move -90,-90", "lup -90,-90"}));
    EXPECT_TRUE(b.log.empty());
    a.Clear();
    Wnd::ReleaseCapture();
    EXPECT_EQ(a.log, (std::vector<std::string>{"capturechanged", "leave"}));
}

TEST_F(Pointer, DoubleClicksNeedTheSameButtonPlaceAndTime) {
    RecordingWnd top;
    MakeTop(top);
    top.Clear();
    drv.Click(top, Point(10, 10));
    drv.Click(top, Point(12, 11));  // within two pixels
    drv.Click(top, Point(12, 11));  // a third press starts over
    drv.AdvanceClock(501);
    drv.Click(top, Point(12, 11));  // too late
    drv.Click(top, Point(20, 11));  // too far
    std::vector<std::string> downs;
    for (const auto& s : top.log)
        if (s.rfind("ldown", 0) == 0 || s.rfind("ldbl", 0) == 0) downs.push_back(s);
    EXPECT_EQ(downs, (std::vector<std::string>{"ldown 10,10", "ldbl 12,11", "ldown 12,11", "ldown 12,11",
                                                "ldown 20,11"}));
}

TEST_F(Pointer, DisabledWindowsGetNoInput) {
    RecordingWnd top, a;
    MakeTop(top);
    MakeChild(a, top, Rect(0, 0, 50, 50));
    a.EnableWindow(false);
    a.Clear();
    drv.Click(a, Point(5, 5));
    EXPECT_TRUE(a.log.empty());
}

class CursorWnd : public RecordingWnd {
protected:
    bool OnSetCursor(Wnd* w, unsigned hit, unsigned msg) override {
        if (w == this && hit == HTCLIENT) {
            plat::SetCursor(Cursor::Standard(StdCursor::Cross));
            return true;
        }
        return Wnd::OnSetCursor(w, hit, msg);
    }
};

TEST_F(Pointer, CursorRequestsFollowThePointerAndTheWaitCursorWins) {
    RecordingWnd top;
    CursorWnd view;
    MakeTop(top);
    MakeChild(view, top, Rect(0, 0, 50, 50));
    drv.MouseMove(view, Point(5, 5));
    EXPECT_EQ(drv.ShownCursor(top).Shape(), StdCursor::Cross);
    drv.MouseMove(top, Point(100, 100));
    EXPECT_EQ(drv.ShownCursor(top).Shape(), StdCursor::Arrow);
    {
        WaitCursor wait;
        drv.MouseMove(view, Point(6, 5));
        EXPECT_EQ(drv.ShownCursor(top).Shape(), StdCursor::Wait);
    }
    EXPECT_EQ(drv.ShownCursor(top).Shape(), StdCursor::Cross);
}

using Focus = HeadlessTest;

TEST_F(Focus, MovesWithKillBeforeSetAndCarriesTheKeys) {
    RecordingWnd top, a, b;
    MakeTop(top);
    MakeChild(a, top, Rect(0, 0, 50, 50));
    MakeChild(b, top, Rect(50, 0, 100, 50));
    a.SetFocus();
    a.Clear();
    b.Clear();
    b.SetFocus();
    b.SetFocus();  // already: nothing
    EXPECT_EQ(a.log, std::vector<std::string>{"killfocus"});
    EXPECT_EQ(b.log, std::vector<std::string>{"setfocus"});
    drv.PressKey('Q');
    EXPECT_EQ(b.log, (std::vector<std::string>{"setfocus", "key 81", "char 113"}));
    EXPECT_EQ(Wnd::GetFocus(), &b);
}

TEST_F(Focus, HiddenDisabledAndDestroyedWindowsLoseOrRefuseIt) {
    RecordingWnd top, a, b;
    MakeTop(top);
    MakeChild(a, top, Rect(0, 0, 50, 50));
    MakeChild(b, top, Rect(50, 0, 100, 50));
    a.SetFocus();
    a.EnableWindow(false);
    EXPECT_EQ(Wnd::GetFocus(), nullptr);
    a.SetFocus();
    EXPECT_EQ(Wnd::GetFocus(), nullptr);
    b.SetFocus();
    b.ShowWindow(SW_HIDE);
    EXPECT_EQ(Wnd::GetFocus(), nullptr);
    b.ShowWindow(SW_SHOW);
    b.SetFocus();
    b.Destroy();
    EXPECT_EQ(Wnd::GetFocus(), nullptr);
    top.Clear();
    drv.PressKey('A');  // with no focus, keys go to the active window
    EXPECT_EQ(top.log.front(), "key 65");
}

// A frame with two commands, one of them disabled by its state handler.
class Frame : public RecordingWnd {
public:
    bool canPaste = false;

protected:
    const CommandTable* GetCommandTable() const override {
        static const CommandTable table(nullptr, {
            CommandTable::Command(100, &Frame::OnCopy),
            CommandTable::Command(101, &Frame::OnPaste),
            CommandTable::Update(101, &Frame::OnUpdatePaste),
        });
        return &table;
    }
    void OnCopy() { log.push_back("copy"); }
    void OnPaste() { log.push_back("paste"); }
    void OnUpdatePaste(CmdUI* ui) { ui->Enable(canPaste); }
};

using Commands = HeadlessTest;

TEST_F(Commands, MenusAndAcceleratorsRespectTheCommandState) {
    Frame frame;
    MakeTop(frame);
    auto menu = Menu::Parse("POPUP \"&Edit\"\n MENUITEM \"&Copy\\tCtrl+C\", 100\n MENUITEM \"&Paste\", 101\n"
                            " MENUITEM \"&Nothing\", 102\nEND\n");
    ASSERT_TRUE(menu);
    frame.SetMenu(menu.get());
    auto accel = AccelTable::Parse("Ctrl+C 100\nCtrl+V 101\n");
    ASSERT_TRUE(accel);
    frame.SetAccelerators(accel.get());
    frame.Clear();
    EXPECT_TRUE(drv.ChooseMenuCommand(frame, 100));
    EXPECT_FALSE(drv.ChooseMenuCommand(frame, 101));  // disabled
    EXPECT_FALSE(drv.ChooseMenuCommand(frame, 102));  // nobody handles it
    drv.KeyDown(VK_CONTROL);
    drv.PressKey('V');  // disabled: ignored, and not passed on as a key
    frame.canPaste = true;
    drv.PressKey('V');
    drv.PressKey('C');
    drv.KeyUp(VK_CONTROL);
    EXPECT_EQ(frame.log, (std::vector<std::string>{"copy", "key 17", "paste", "copy"}));
    int pos = -1;
    Menu* edit = menu->FindCommand(102, &pos);
    ASSERT_TRUE(edit);
    EXPECT_TRUE(edit->ItemAt(pos).flags & MF_GRAYED);
}

TEST_F(Commands, F10OpensTheMenuBarWhichThenHasTheKeys) {
    Frame frame;
    MakeTop(frame);
    frame.Clear();
    drv.PressKey(VK_F10);  // no menu bar: an ordinary key
    EXPECT_EQ(frame.log, std::vector<std::string>{"key 121"});
    EXPECT_EQ(drv.OpenMenu(frame), "");

    auto menu = Menu::Parse(
        "MENUITEM \"&About\", 103\nPOPUP \"&Edit\"\n MENUITEM \"&Paste\", 101\nEND\n"
        "POPUP \"&View\"\n MENUITEM \"&Zoom\", 104\nEND\n");
    ASSERT_TRUE(menu);
    frame.SetMenu(menu.get());
    auto accel = AccelTable::Parse("Ctrl+V 101\n");
    frame.SetAccelerators(accel.get());
    frame.canPaste = true;
    frame.Clear();
    drv.PressKey(VK_F10);
    EXPECT_EQ(drv.OpenMenu(frame), "&Edit");  // the first menu, not a plain item of the bar
    int pos = -1;
    Menu* edit = menu->FindCommand(101, &pos);
    EXPECT_FALSE(edit->ItemAt(pos).flags & MF_GRAYED);  // its states were brought up to date
    drv.KeyDown(VK_CONTROL);
    drv.PressKey('V');  // the open menu has the keys: no accelerator, no key message
    drv.KeyUp(VK_CONTROL);
    drv.PressKey(VK_ESCAPE);
    EXPECT_EQ(drv.OpenMenu(frame), "");
    EXPECT_TRUE(frame.log.empty());
    drv.PressKey('A');  // closed: keys reach the window again
    EXPECT_EQ(frame.log, (std::vector<std::string>{"key 65", "char 97"}));

    // F10 again, or a press of the mouse, closes it; Ctrl+F10 is a key.
    drv.PressKey(VK_F10);
    drv.PressKey(VK_F10);
    EXPECT_EQ(drv.OpenMenu(frame), "");
    drv.PressKey(VK_F10);
    drv.Click(frame, Point(10, 10));
    EXPECT_EQ(drv.OpenMenu(frame), "");
    frame.Clear();
    drv.KeyDown(VK_CONTROL);
    drv.PressKey(VK_F10);
    drv.KeyUp(VK_CONTROL);
    EXPECT_EQ(drv.OpenMenu(frame), "");
    EXPECT_EQ(frame.log, (std::vector<std::string>{"key 17", "key 121"}));
}

TEST_F(Commands, SingleKeyAcceleratorsLeaveTypedTextAlone) {
    Frame frame;
    Edit edit;
    MakeTop(frame);
    MakeChild(edit, frame, Rect(0, 0, 100, 20));
    auto accel = AccelTable::Parse("H 100\n");
    frame.SetAccelerators(accel.get());
    edit.SetFocus();
    frame.Clear();
    drv.TypeText("Hh");
    EXPECT_EQ(edit.GetText(), "Hh");
    EXPECT_TRUE(frame.log.empty());
    frame.SetFocus();
    frame.Clear();
    drv.PressKey('H');
    EXPECT_EQ(frame.log, std::vector<std::string>{"copy"});
}

}  // namespace
}  // namespace plattest
