// Window<T> and CustomWindow<T>: the off-screen buffer, painting exactly the
// update rectangle, child windows made with their host, detached controls,
// the client DC and the generic layout.
#include "tests/framework/probes.h"

#include "framework/windows/box_layout.h"
#include "framework/windows/client_dc.h"
#include "framework/windows/window_tip_ctrl.h"

namespace kortest {
namespace {

using Windows = ToolkitTest;

TEST_F(Windows, TheOffscreenBufferOnlyGrows) {
    CustomWindow<plat::Wnd> win;
    Show(win, CRect(0, 0, 300, 200));
    EXPECT_EQ(win.OffscreenSize(), CSize(300, 200));
    drv.Resize(win, plat::Size(200, 100));
    EXPECT_EQ(win.OffscreenSize(), CSize(300, 200));
    drv.Resize(win, plat::Size(320, 150));  // grows in width only
    EXPECT_EQ(win.OffscreenSize(), CSize(320, 200));
    win.UpdateOffscreenDC(10, 260);
    EXPECT_EQ(win.OffscreenSize(), CSize(320, 260));
}

TEST_F(Windows, OnlyTheUpdateRectangleReachesTheScreen) {
    CustomWindow<plat::Wnd> win;
    Probe p("p", log, CRect(20, 20, 120, 120));
    win.AddControl(&p);
    Show(win);
    EXPECT_EQ(win.Snapshot().GetPixel(50, 50), plat::Color(0, 0, 255));
    p.color = plat::Color(255, 255, 0);
    p.paints.clear();
    p.Invalidate(CRect(10, 10, 30, 20));
    drv.Flush();
    ASSERT_EQ(p.paints.size(), 1u);
    EXPECT_EQ(p.paints[0], CRect(10, 10, 30, 20));
    plat::Bitmap pic = win.Snapshot();
    EXPECT_EQ(pic.GetPixel(35, 35), plat::Color(255, 255, 0));   // inside (window 30..50, 30..40)
    EXPECT_EQ(pic.GetPixel(55, 35), plat::Color(0, 0, 255));     // right of it
    EXPECT_EQ(pic.GetPixel(35, 45), plat::Color(0, 0, 255));     // below it
    EXPECT_EQ(pic.GetPixel(5, 5), win.GetBackground());          // the window's own area
}

TEST_F(Windows, AChildWindowIsMadeWithItsHostWithTheHostsFontAndHiddenState) {
    CustomWindow<plat::Wnd> host;
    Group panel("panel", log, CRect(10, 10, 200, 150));
    Window<plat::Wnd> child, shown;
    host.AddControl(&panel);
    panel.AddControl(&child);
    panel.AddControl(&shown);
    child.SetBounds(CRect(5, 5, 55, 25));
    shown.SetBounds(CRect(5, 40, 55, 60));
    WindowVisibleEvent hide(false);
    child.ProcessEvent(hide);  // before creation: only the style remembers it
    EXPECT_FALSE(child.Exists());
    plat::Font font("DejaVu Sans", 17, plat::FW_BOLD);
    host.SetFont(&font, false);
    Show(host);
    ASSERT_TRUE(child.Exists());
    ASSERT_NE(child.GetFont(), nullptr);
    EXPECT_EQ(*child.GetFont(), font);
    EXPECT_FALSE(child.IsVisible());
    EXPECT_TRUE(shown.IsVisible());
    EXPECT_EQ(child.GetParentWnd(), &host);
    EXPECT_EQ(child.GetRect(), CRect(15, 15, 65, 35));  // moved by the panel's offset
    EXPECT_EQ(child.Bounds(), CRect(5, 5, 55, 25));     // in the panel's coordinates
    EXPECT_EQ(panel.ChildFromPoint(CPoint(10, 10)), nullptr);  // hidden
    host.Destroy();
    EXPECT_FALSE(child.Exists());
}

TEST_F(Windows, ADetachedControlAnswersWithEmptyValues) {
    Probe p("p", log, CRect(5, 5, 50, 50));
    p.focusable = true;
    EXPECT_TRUE(p.GetWindowRect().IsEmpty());
    EXPECT_EQ(p.GetWindow(), nullptr);
    EXPECT_EQ(p.Font(), nullptr);
    EXPECT_EQ(p.GetHintWindow(), nullptr);
    EXPECT_EQ(p.HintText(), "");
    p.SetFocus();
    p.CaptureMouse();
    p.Invalidate(true);
    EXPECT_FALSE(p.HasFocus());
    EXPECT_FALSE(p.HasCapture());
    EXPECT_TRUE(log.empty());
    Window<plat::Wnd> never;
    EXPECT_TRUE(never.Bounds().IsEmpty());
    EXPECT_TRUE(never.GetWindowRect().IsEmpty());
}

TEST_F(Windows, TheClientDCDrawsAtTheControlClippedToIt) {
    CustomWindow<plat::Wnd> win;
    Group g("g", log, CRect(30, 40, 130, 140));
    Probe p("p", log, CRect(10, 10, 30, 30));
    win.AddControl(&g);
    g.AddControl(&p);
    Show(win);
    {
        ClientDC dc(p);
        dc.FillSolidRect(CRect(-5, -5, 100, 100), plat::Color(0, 255, 0));
    }
    plat::Bitmap pic = win.Snapshot();
    EXPECT_EQ(pic.GetPixel(40, 50), plat::Color(0, 255, 0));
    EXPECT_EQ(pic.GetPixel(59, 59), plat::Color(0, 255, 0));
    EXPECT_NE(pic.GetPixel(60, 60), plat::Color(0, 255, 0));
    EXPECT_NE(pic.GetPixel(39, 50), plat::Color(0, 255, 0));
}

TEST_F(Windows, TheHintWindowIsAPopUpOfTheRootWindow) {
    CustomWindow<plat::Wnd> win;
    Group g("g", log, CRect(0, 0, 100, 100));
    Probe p("p", log, CRect(10, 10, 20, 20));
    win.AddControl(&g);
    g.AddControl(&p);
    Show(win);
    WindowTipCtrl* tip = p.GetHintWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip, win.GetHintWindow());
    tip->ShowTip("Hand (H)", win.ClientToScreen(CPoint(15, 30)));
    EXPECT_TRUE(tip->IsVisible());
    EXPECT_EQ(tip->GetOwner(), &win);
    EXPECT_EQ(tip->TipText(), "Hand (H)");
    EXPECT_FALSE(tip->IsActive());  // showing a tip takes no activation
    tip->ShowTip("", CPoint());
    EXPECT_FALSE(tip->IsVisible());
}

TEST_F(Windows, ACursorRequestTheCaptureControlLeavesUnhandledGetsTheDefault) {
    CustomWindow<plat::Wnd> win;
    Probe p("p", log, CRect(10, 10, 50, 50)), q("q", log, CRect(60, 10, 100, 50));
    q.takesCursor = true;
    win.AddControl(&p);
    win.AddControl(&q);
    Show(win);
    drv.MouseMove(win, CPoint(70, 20));
    drv.MouseMove(win, CPoint(71, 20));  // q sets its cursor
    ASSERT_EQ(drv.ShownCursor(win).Shape(), plat::StdCursor::Cross);
    p.CaptureMouse();
    log.clear();
    win.RefreshCursor();  // asked again while p holds the capture
    EXPECT_EQ(log, (Log{"p:cursor 61,10"}));
    EXPECT_EQ(drv.ShownCursor(win).Shape(), plat::StdCursor::Arrow);
}

class Sized : public Probe {
public:
    Sized(Log& log, int len) : Probe("s", log, CRect()), len_(len) {}
    CSize PreferredSize() const override { return CSize(len_, len_); }

private:
    int len_;
};

TEST_F(Windows, TheBoxLayoutStacksChildrenAndStretchesTheMarkedOnes) {
    Group g("g", log, CRect(0, 0, 100, 200));
    Sized a(log, 30), b(log, 999), c(log, 20), hidden(log, 50);
    for (Control* k : std::initializer_list<Control*>{&a, &hidden, &b, &c}) g.AddControl(k);
    hidden.SetVisible(false);
    auto layout = std::make_shared<BoxLayout>(BoxLayout::Vertical, 5, 2);
    layout->SetStretch(&b);
    g.SetLayout(layout);
    g.LayoutControls();
    EXPECT_EQ(a.Bounds(), CRect(5, 5, 95, 35));
    EXPECT_EQ(b.Bounds(), CRect(5, 37, 95, 173));
    EXPECT_EQ(c.Bounds(), CRect(5, 175, 95, 195));
    g.SetBounds(CRect(0, 0, 100, 100));  // resizing lays out again
    EXPECT_EQ(c.Bounds(), CRect(5, 75, 95, 95));
}

}  // namespace
}  // namespace kortest
