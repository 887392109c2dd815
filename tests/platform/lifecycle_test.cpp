// Window life cycle and geometry: destruction order, owned windows, the main
// window, activation and focus memory, non-client edges, moving, the wheel,
// handlers that destroy their own window, exceptions from handlers.
#include "tests/platform/test_windows.h"

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/message_box.h"

#include <stdexcept>
#include <thread>

namespace plattest {
namespace {

class DestroyLog : public RecordingWnd {
public:
    std::vector<std::string>* shared = nullptr;
    std::string name;

protected:
    void OnDestroy() override { shared->push_back(name); }
};

using Lifecycle = HeadlessTest;

TEST_F(Lifecycle, DestroyingGoesParentFirstAndTakesOwnedWindowsAlong) {
    std::vector<std::string> order;
    DestroyLog top, child, grandchild, dialog;
    for (auto* w : {&top, &child, &grandchild, &dialog}) w->shared = &order;
    top.name = "top", child.name = "child", grandchild.name = "grandchild", dialog.name = "dialog";
    MakeTop(top);
    MakeChild(child, top, Rect(0, 0, 50, 50));
    MakeChild(grandchild, child, Rect(0, 0, 10, 10));
    ASSERT_TRUE(dialog.Create(&top, Rect(0, 0, 100, 100), WS_POPUP | WS_CAPTION | WS_VISIBLE));
    EXPECT_EQ(dialog.GetOwner(), &top);
    top.Destroy();
    EXPECT_EQ(order, (std::vector<std::string>{"dialog", "top", "child", "grandchild"}));
    EXPECT_FALSE(grandchild.Exists());
    EXPECT_TRUE(app.TopLevels().empty());
}

TEST_F(Lifecycle, DestroyingTheMainWindowEndsTheLoop) {
    RecordingWnd top;
    MakeTop(top);
    app.SetMainWnd(&top);
    drv.Close(top);  // the default OnClose destroys the window
    EXPECT_FALSE(top.Exists());
    EXPECT_EQ(app.GetMainWnd(), nullptr);
    EXPECT_TRUE(app.QuitRequested());
    EXPECT_EQ(app.Run(), 0);
}

TEST_F(Lifecycle, ActivationSwitchesAndFocusReturnsWhereItWas) {
    RecordingWnd a, b, field;
    MakeTop(a);
    MakeChild(field, a, Rect(0, 0, 50, 20));
    field.SetFocus();
    MakeTop(b);
    EXPECT_TRUE(b.IsActive());
    EXPECT_EQ(Wnd::GetFocus(), &b);
    a.Clear();
    b.Clear();
    a.Activate();
    EXPECT_EQ(b.log, (std::vector<std::string>{"deactivate", "killfocus"}));
    EXPECT_EQ(a.log, std::vector<std::string>{"activate"});
    EXPECT_EQ(Wnd::GetFocus(), &field);
    drv.Activate(a, false);  // another program takes over
    EXPECT_EQ(app.GetActiveWindow(), nullptr);
}

TEST_F(Lifecycle, EdgesAndBarsSurroundTheClientArea) {
    RecordingWnd top, view;
    MakeTop(top);
    MakeChild(view, top, Rect(10, 10, 110, 90), WS_BORDER, WS_EX_CLIENTEDGE);
    EXPECT_EQ(view.GetClientRect(), Rect(0, 0, 94, 74));
    EXPECT_EQ(view.ClientToScreen(Point()), Point(100 + 10 + 3, 100 + 10 + 3));
    drv.Flush();
    Bitmap pic = top.Snapshot();
    EXPECT_EQ(pic.GetPixel(10, 50), GetSysColor(COLOR_WINDOWFRAME));  // the border
    EXPECT_EQ(pic.GetPixel(11, 50), GetSysColor(COLOR_BTNSHADOW));    // the sunken edge
    EXPECT_EQ(pic.GetPixel(50, 50), view.fill);                       // the client area
}

TEST_F(Lifecycle, MovingAChildRepaintsBothPlacesAndReportsTheNewSize) {
    RecordingWnd top, child;
    MakeTop(top);
    MakeChild(child, top, Rect(0, 0, 40, 40));
    child.fill = Color(0, 0, 255);
    drv.Flush();
    child.Clear();
    child.MoveWindow(Rect(100, 100, 160, 130));
    drv.Flush();
    EXPECT_EQ(child.log, std::vector<std::string>{"size 60,30"});
    Bitmap pic = top.Snapshot();
    EXPECT_EQ(pic.GetPixel(10, 10), top.fill);
    EXPECT_EQ(pic.GetPixel(120, 110), Color(0, 0, 255));
}

TEST_F(Lifecycle, TheWheelScrollsTheVerticalBarOrGoesToTheParent) {
    RecordingWnd top, view, inner;
    MakeTop(top);
    MakeChild(view, top, Rect(0, 0, 150, 150));
    MakeChild(inner, view, Rect(0, 0, 50, 50));
    ScrollInfo si;
    si.max = 500;
    si.page = 100;
    view.SetScrollInfo(SB_VERT, si);
    view.Clear();
    drv.Wheel(inner, Point(5, 5), -120);  // the inner window has no bar
    EXPECT_EQ(view.log, std::vector<std::string>(3, "vscroll 1 0"));
}

class SelfDestroying : public RecordingWnd {
protected:
    void OnLButtonDown(unsigned, Point) override { Destroy(); }
};

TEST_F(Lifecycle, AWindowMayDestroyItselfInsideAHandler) {
    RecordingWnd top;
    MakeTop(top);
    auto w = std::make_unique<SelfDestroying>();
    MakeChild(*w, top, Rect(0, 0, 50, 50));
    w->TrackMouseLeave();
    w->SetCapture();
    w->SetTimer(1, 100);
    drv.Click(*w, Point(5, 5));
    EXPECT_FALSE(w->Exists());
    EXPECT_EQ(Wnd::GetCapture(), nullptr);
    w.reset();
    drv.MouseMove(top, Point(5, 5));
    drv.AdvanceClock(500);
}

class Throwing : public RecordingWnd {
protected:
    void OnKeyDown(unsigned, unsigned, unsigned) override { throw std::runtime_error("bad key"); }
};

TEST_F(Lifecycle, ExceptionsFromHandlersReachTheCaller) {
    Throwing top;
    MakeTop(top);
    EXPECT_THROW(drv.PressKey('K'), std::runtime_error);
    app.Post([] { throw std::runtime_error("posted"); });
    EXPECT_THROW(app.PumpPending(), std::runtime_error);
}

class Refusing : public RecordingWnd {
protected:
    bool OnCreate() override { return false; }
};

TEST_F(Lifecycle, CreationFailsWithoutAParentOrWhenOnCreateRefuses) {
    RecordingWnd orphan;
    EXPECT_FALSE(orphan.Create(nullptr, Rect(0, 0, 10, 10), WS_CHILD | WS_VISIBLE));
    Refusing refused;
    EXPECT_FALSE(refused.Create(nullptr, Rect(0, 0, 10, 10), WS_VISIBLE));
    EXPECT_FALSE(refused.Exists());
    EXPECT_TRUE(app.TopLevels().empty());
    RecordingWnd top, child;
    MakeTop(top);
    ASSERT_TRUE(child.Create(&top, Rect(0, 0, 5, 5), WS_CHILD, 77));
    EXPECT_EQ(top.GetDlgItem(77), &child);
    EXPECT_TRUE(child.IsChildOf(&top));
    EXPECT_FALSE(top.IsChildOf(&child));
}

TEST_F(Lifecycle, PostedWorkRunsInOrderFromAnyThread) {
    std::vector<int> order;
    app.Post([&] { order.push_back(1); });
    std::thread other([&] { app.Post([&] { order.push_back(2); }); });
    other.join();
    app.Post([&] { order.push_back(3); });
    app.PumpPending();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(Lifecycle, ASavedPictureLoadsBackPixelForPixel) {
    RecordingWnd top, child;
    MakeTop(top);
    MakeChild(child, top, Rect(30, 20, 90, 60));
    child.fill = Color(1, 2, 3);
    TempFolder dir;
    std::string path = dir.Path() + "/top.png";
    ASSERT_TRUE(drv.SavePng(top, path));
    Bitmap back = Bitmap::LoadPng(path);
    ASSERT_EQ(back.GetSize(), Size(300, 200));
    EXPECT_EQ(back.GetPixel(40, 30), Color(1, 2, 3));
    EXPECT_EQ(back.GetPixel(10, 10), top.fill);
}

using Controls = HeadlessTest;

TEST_F(Controls, EditKeepsCharactersWholeAndReportsChanges) {
    class Parent : public RecordingWnd {
    protected:
        bool OnCommand(unsigned id, unsigned code, Wnd* c) override {
            log.push_back("command " + std::to_string(id) + " " + std::to_string(code));
            return RecordingWnd::OnCommand(id, code, c);
        }
    } top;
    Edit edit;
    MakeTop(top);
    ASSERT_TRUE(edit.Create(&top, Rect(0, 0, 200, 22), WS_CHILD | WS_VISIBLE, 42));
    edit.SetFocus();
    top.Clear();
    drv.TypeText("a\xC3\xA9");  // "a" and U+00E9 as one character
    EXPECT_EQ(edit.GetText(), "a\xC3\xA9");
    EXPECT_EQ(top.log, (std::vector<std::string>(2, "command 42 768")));
    drv.PressKey(VK_BACK);
    EXPECT_EQ(edit.GetText(), "a");
    drv.TypeText("bcd");
    drv.KeyDown(VK_SHIFT);
    drv.PressKey(VK_HOME);
    drv.KeyUp(VK_SHIFT);
    int s = 0, e = 0;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 4);
    drv.Click(edit, Point(190, 10));  // right of the text: the caret goes to the end
    EXPECT_EQ(edit.GetCaret(), 4);
}

TEST_F(Controls, DialogTabMovesTheFocusAndModelessDialogsHideWhenEnded) {
    RecordingWnd frame;
    MakeTop(frame);
    DialogTemplate t;
    t.caption = "Rendering...";
    t.size = Size(200, 80);
    t.items = {{DialogItemKind::ProgressBar, 1000, "", Rect(10, 10, 190, 24)},
               {DialogItemKind::Static, 1001, "0 / 10", Rect(10, 30, 190, 46)},
               {DialogItemKind::Edit, 5, "", Rect(10, 50, 90, 70)},
               {DialogItemKind::Button, IDCANCEL, "Cancel", Rect(120, 50, 190, 70)}};
    Dialog dlg(t);
    ASSERT_TRUE(dlg.CreateModeless(&frame));
    EXPECT_TRUE(frame.IsWindowEnabled());
    dlg.GetDlgItem(5)->SetFocus();
    drv.PressKey(VK_TAB);
    EXPECT_EQ(Wnd::GetFocus(), dlg.GetDlgItem(IDCANCEL));
    drv.PressKey(VK_TAB);
    EXPECT_EQ(Wnd::GetFocus(), dlg.GetDlgItem(5));
    drv.Click(*dlg.GetDlgItem(IDCANCEL), Point(3, 3));
    EXPECT_TRUE(dlg.Exists());
    EXPECT_FALSE(dlg.IsVisible());
    EXPECT_EQ(dlg.GetResult(), IDCANCEL);
}

TEST_F(Controls, PushButtonsClickOnlyWhenReleasedOverThem) {
    class Parent : public RecordingWnd {
    protected:
        bool OnCommand(unsigned id, unsigned code, Wnd*) override {
            log.push_back("clicked " + std::to_string(id) + " " + std::to_string(code));
            return true;
        }
    } top;
    PushButton b;
    MakeTop(top);
    ASSERT_TRUE(b.Create(&top, Rect(10, 10, 80, 30), WS_CHILD | WS_VISIBLE, 7, "OK"));
    top.Clear();
    drv.MouseDown(b, Point(5, 5));
    EXPECT_TRUE(b.IsPressed());
    drv.MouseMove(b, Point(100, 100));
    EXPECT_FALSE(b.IsPressed());
    drv.MouseUp(b, Point(100, 100));
    EXPECT_EQ(top.log, std::vector<std::string>{"killfocus"});  // the button took the focus
    top.Clear();
    drv.Click(b, Point(5, 5));
    EXPECT_EQ(top.log, std::vector<std::string>{"clicked 7 0"});
}

TEST_F(Controls, TheScrollBarControlReportsToItsParentWithItself) {
    class Parent : public RecordingWnd {
    public:
        Wnd* from = nullptr;

    protected:
        void OnHScroll(unsigned code, unsigned, Wnd* bar) override {
            log.push_back("hscroll " + std::to_string(code));
            from = bar;
        }
    } top;
    ScrollBarCtrl bar;
    MakeTop(top);
    ASSERT_TRUE(bar.Create(&top, Rect(0, 0, 200, 16), WS_CHILD | WS_VISIBLE | SBS_HORZ));
    ScrollInfo si;
    si.max = 100;
    si.page = 10;
    bar.SetScrollInfo(si);
    top.Clear();
    drv.Click(bar, Point(195, 8));
    EXPECT_EQ(top.log, (std::vector<std::string>{"hscroll 1", "hscroll 8"}));
    EXPECT_EQ(top.from, &bar);
}

}  // namespace
}  // namespace plattest
