// How events reach controls: hover child, capture and focus controls,
// commands in child order, and what is forgotten when controls go away.
#include "tests/framework/probes.h"

#include "platform/keys.h"

namespace kortest {
namespace {

class Routing : public ToolkitTest {
protected:
    void SetUp() override {
        root.log = &log;
        Show(root);
    }
    Window<LogWnd> root;
};

TEST_F(Routing, PointerFromTheEmptyAreaOntoAChild) {
    Group g("g", log, CRect(10, 10, 210, 160));
    Probe c("c", log, CRect(50, 50, 100, 100));
    root.AddControl(&g);
    g.AddControl(&c);
    drv.MouseMove(root, CPoint(20, 20));
    EXPECT_EQ(log, (Log{"g:enter 10,10", "g:move 10,10"}));
    log.clear();
    drv.MouseMove(root, CPoint(70, 70));
    EXPECT_EQ(log, (Log{"g:leave", "c:enter 10,10", "c:move 10,10"}));
    log.clear();
    drv.PointerLeaves(root);
    EXPECT_EQ(log, (Log{"c:leave"}));
    EXPECT_EQ(g.GetHoverChild(), nullptr);
}

TEST_F(Routing, AReleaseOutsideEveryChildReachesTheCaptureControl) {
    Group g("g", log, CRect(10, 10, 210, 160));
    Probe c("c", log, CRect(50, 50, 100, 100));
    root.AddControl(&g);
    g.AddControl(&c);
    drv.MouseMove(root, CPoint(70, 70));
    c.CaptureMouse();
    EXPECT_TRUE(c.HasCapture());
    EXPECT_EQ(plat::Wnd::GetCapture(), &root);
    log.clear();
    drv.MouseMove(root, CPoint(250, 5));
    drv.MouseUp(root, CPoint(5, 5));
    EXPECT_EQ(log, (Log{"c:move 190,-55", "c:up -55,-55"}));
    c.ReleaseMouse();
    EXPECT_EQ(plat::Wnd::GetCapture(), nullptr);
    EXPECT_FALSE(c.HasCapture());
}

TEST_F(Routing, TheLaterOfOverlappingChildrenGetsTheClickAndHiddenOnesNothing) {
    Probe a("a", log, CRect(0, 0, 100, 100)), b("b", log, CRect(50, 50, 150, 150));
    root.AddControl(&a);
    root.AddControl(&b);
    drv.MouseMove(root, CPoint(75, 75));
    drv.MouseDown(root, CPoint(75, 75));
    EXPECT_EQ(log.back(), "b:down 25,25");
    b.SetVisible(false);
    log.clear();
    drv.MouseMove(root, CPoint(76, 75));
    EXPECT_EQ(root.GetHoverChild(), &a);
    // The cursor request comes before the move: b is still the hover child.
    EXPECT_EQ(log, (Log{"b:cursor 26,25", "b:leave", "a:enter 76,75", "a:move 76,75"}));
    drv.MouseMove(root, CPoint(120, 120));  // only the hidden b lies here
    EXPECT_EQ(root.GetHoverChild(), nullptr);
}

TEST_F(Routing, CommandsGoToChildrenInOrderUntilOneTakesThem) {
    Probe p1("p1", log, CRect(0, 0, 10, 10)), p2("p2", log, CRect(0, 0, 10, 10)), p3("p3", log, CRect(0, 0, 10, 10));
    p2.handlesCommand = 5;
    p3.handlesCommand = 5;
    for (Probe* p : {&p1, &p2, &p3}) root.AddControl(p);
    plat::CmdTarget& target = root;
    EXPECT_TRUE(target.OnCmdMsg(5, plat::CN_COMMAND, nullptr));
    EXPECT_EQ(log, (Log{"p1:command 5", "p2:command 5"}));
    log.clear();
    // Nobody takes 7: the platform's own routing (the class table) does.
    EXPECT_TRUE(target.OnCmdMsg(7, plat::CN_COMMAND, nullptr));
    EXPECT_EQ(log, (Log{"p1:command 7", "p2:command 7", "p3:command 7", "platform:command 7"}));
    log.clear();
    plat::CmdUI ui(5);
    EXPECT_TRUE(target.OnCmdMsg(5, plat::CN_UPDATE_COMMAND_UI, &ui));
    EXPECT_EQ(log, (Log{"p1:command 5", "p2:command 5"}));
}

TEST_F(Routing, FocusSetTwiceSendsNothingAndTheWindowHasNoFocusWhileAChildHas) {
    Probe p("p", log, CRect(0, 0, 50, 50)), q("q", log, CRect(50, 0, 100, 50));
    p.focusable = q.focusable = true;
    root.AddControl(&p);
    root.AddControl(&q);
    p.SetFocus();
    p.SetFocus();
    EXPECT_EQ(log, Log{"p:focus"});
    EXPECT_TRUE(p.HasFocus());
    EXPECT_FALSE(root.HasFocus());
    EXPECT_EQ(plat::Wnd::GetFocus(), &root);
    log.clear();
    q.SetFocus();
    EXPECT_EQ(log, (Log{"p:unfocus", "q:focus"}));
    log.clear();
    drv.PressKey('A');
    EXPECT_EQ(log, Log{"q:key 65"});
    log.clear();
    root.SetFocus();
    EXPECT_TRUE(root.HasFocus());
    EXPECT_EQ(log, Log{"q:unfocus"});
}

TEST_F(Routing, AKeyWithoutAFocusControlGoesToThePlatform) {
    EXPECT_EQ(root.GetFocusControl(), &root);  // the window is its own focus control
    drv.PressKey('A');
    EXPECT_EQ(log, Log{"platform:key 65"});
    log.clear();
    Probe p("p", log, CRect(0, 0, 50, 50));
    p.focusable = true;
    root.AddControl(&p);
    p.SetFocus();
    root.RemoveControl(&p);
    EXPECT_EQ(root.GetFocusControl(), nullptr);
    log.clear();
    drv.PressKey('B');
    EXPECT_EQ(log, Log{"platform:key 66"});
}

TEST_F(Routing, CursorRequestsGoToTheHoverChild) {
    Probe p("p", log, CRect(10, 10, 60, 60));
    p.takesCursor = true;
    root.AddControl(&p);
    drv.MouseMove(root, CPoint(20, 30));  // p becomes the hover child
    log.clear();
    drv.MouseMove(root, CPoint(21, 30));
    EXPECT_EQ(log, (Log{"p:cursor 11,20", "p:move 11,20"}));
}

TEST_F(Routing, ControlsThatGoAwayAreForgottenAsFocusCaptureAndHover) {
    Probe keep("keep", log, CRect(200, 0, 250, 50));
    root.AddControl(&keep);
    {
        Group g("g", log, CRect(0, 0, 150, 150));
        Probe p("p", log, CRect(10, 10, 60, 60));
        p.focusable = true;
        root.AddControl(&g);
        g.AddControl(&p);
        drv.MouseMove(root, CPoint(20, 20));
        p.SetFocus();
        p.CaptureMouse();
        ASSERT_EQ(root.GetHoverChild(), &g);
        ASSERT_EQ(g.GetHoverChild(), &p);
    }  // p, then g destroyed
    EXPECT_EQ(root.GetFocusControl(), nullptr);
    EXPECT_EQ(root.GetCaptureControl(), nullptr);
    EXPECT_EQ(root.GetHoverChild(), nullptr);
    EXPECT_EQ(plat::Wnd::GetCapture(), nullptr);
    log.clear();
    drv.MouseMove(root, CPoint(210, 10));
    drv.PressKey('C');
    EXPECT_EQ(log, (Log{"keep:enter 10,10", "keep:move 10,10", "platform:key 67"}));

    // Destroying a container whose child holds the focus clears it as well.
    auto outer = std::make_unique<Group>("o", log, CRect(0, 0, 100, 100));
    Probe inner("i", log, CRect(0, 0, 10, 10));
    inner.focusable = true;
    root.AddControl(outer.get());
    outer->AddControl(&inner);
    inner.SetFocus();
    outer.reset();
    EXPECT_EQ(root.GetFocusControl(), nullptr);
    EXPECT_EQ(inner.GetParent(), nullptr);
}

TEST_F(Routing, LosingThePlatformFocusOrCaptureReachesTheControls) {
    Probe p("p", log, CRect(0, 0, 50, 50));
    p.focusable = true;
    root.AddControl(&p);
    p.SetFocus();
    p.CaptureMouse();
    plat::Wnd other;
    ASSERT_TRUE(other.Create(&root, CRect(100, 100, 150, 150), plat::WS_CHILD | plat::WS_VISIBLE));
    log.clear();
    other.SetFocus();
    EXPECT_EQ(log, Log{"p:unfocus"});
    EXPECT_FALSE(p.HasFocus());
    other.SetCapture();
    EXPECT_EQ(root.GetCaptureControl(), nullptr);
    EXPECT_FALSE(p.HasCapture());
}

}  // namespace
}  // namespace kortest
