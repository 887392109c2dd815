// Broadcasts (idle updates, activation, font changes), the widget setters,
// scroll reflection, window bounds events and immediate repaints.
#include "tests/framework/probes.h"

#include "platform/controls.h"

namespace kortest {
namespace {

class Listener : public Widget {
public:
    Listener(std::string n, Log& l) : name(std::move(n)), log(l) {}
    std::string name;
    Log& log;
    void HandleUpdateUI() override { log.push_back(name + ":updateui"); }
    void HandleActivate() override { log.push_back(name + ":activate"); }
    void HandleFont() override { log.push_back(name + ":font"); }
    void HandleVisible(bool v) override { log.push_back(name + (v ? ":shown" : ":hidden")); }
    void HandleEnable(bool e) override { log.push_back(name + (e ? ":enabled" : ":disabled")); }
};

class Panel : public Widget, public Container {
public:
    Panel(Log& l) : log(l) {}
    Log& log;
    void HandleUpdateUI() override { log.push_back("panel:updateui"); }
    void HandleFont() override { log.push_back("panel:font"); }
};

using Broadcasts = ToolkitTest;

TEST_F(Broadcasts, IdleUpdatesAndActivationReachEveryControlParentFirst) {
    CustomWindow<plat::Wnd> win;
    Panel panel(log);
    Listener a("a", log), b("b", log);
    win.AddControl(&panel);
    panel.AddControl(&a);
    win.AddControl(&b);
    Show(win);
    log.clear();
    app.RunIdle();
    EXPECT_EQ(log, (Log{"panel:updateui", "a:updateui", "b:updateui"}));
    CustomWindow<plat::Wnd> other;
    log.clear();
    Show(other);  // takes the activation: the controls hear of it too
    // A window that appears has the command states refreshed: another idle round.
    EXPECT_EQ(log, (Log{"a:activate", "b:activate", "panel:updateui", "a:updateui", "b:updateui"}));
    log.clear();
    win.Activate();
    EXPECT_EQ(log, (Log{"a:activate", "b:activate"}));
    log.clear();
    panel.FontChanged();
    EXPECT_EQ(log, (Log{"panel:font", "a:font"}));
}

TEST_F(Broadcasts, WidgetSettersActOnlyOnChangeAndRepaint) {
    CustomWindow<plat::Wnd> win;
    Listener a("a", log);
    a.SetBounds(CRect(10, 10, 50, 50));
    win.AddControl(&a);
    Show(win);
    log.clear();
    a.SetVisible(true);
    a.SetEnabled(true);
    EXPECT_TRUE(log.empty());
    a.SetVisible(false);
    a.SetVisible(false);
    a.SetEnabled(false);
    EXPECT_EQ(log, (Log{"a:hidden", "a:disabled"}));
    CRect box;
    EXPECT_TRUE(win.GetUpdateRect(box));
    EXPECT_EQ(box, CRect(0, 0, 300, 200));  // hiding repaints the parent's area
}

class ReflectedBar : public Window<plat::ScrollBarCtrl> {
public:
    explicit ReflectedBar(Log& l) : log(l) { SetWindowStyle(plat::WS_CHILD | plat::WS_VISIBLE | plat::SBS_VERT); }
    Log& log;
    void ProcessEvent(Event& e) override {
        if (auto* s = dynamic_cast<VertScrollEvent*>(&e)) {
            log.push_back("bar:vscroll " + std::to_string(s->code));
            return;
        }
        Window<plat::ScrollBarCtrl>::ProcessEvent(e);
    }
};

TEST_F(Broadcasts, ScrollMessagesAreReflectedToTheScrollBarsWindow) {
    CustomWindow<plat::Wnd> win;
    ReflectedBar bar(log);
    win.AddControl(&bar);
    bar.SetBounds(CRect(280, 0, 296, 200));
    Show(win);
    ASSERT_TRUE(bar.Exists());
    plat::ScrollInfo si;
    si.max = 100;
    si.page = 10;
    bar.plat::ScrollBarCtrl::SetScrollInfo(si);
    drv.Click(bar, CPoint(8, 3));
    EXPECT_EQ(log, (Log{"bar:vscroll 0", "bar:vscroll 8"}));
}

TEST_F(Broadcasts, BoundsEventsMoveChildWindowsNowOrLater) {
    CustomWindow<plat::Wnd> win;
    Window<plat::Wnd> child;
    win.AddControl(&child);
    child.SetBounds(CRect(0, 0, 20, 20));
    Show(win);
    ASSERT_EQ(child.GetRect(), CRect(0, 0, 20, 20));
    child.SetBounds(CRect(0, 0, 20, 20));
    WindowBoundsEvent later(false);
    child.ProcessEvent(later);
    EXPECT_TRUE(child.BoundsOutOfDate());
    WindowBoundsEvent now(true);
    child.ProcessEvent(now);
    EXPECT_FALSE(child.BoundsOutOfDate());
}

TEST_F(Broadcasts, AnImmediateInvalidateRepaintsAtOnce) {
    CustomWindow<plat::Wnd> win;
    Probe p("p", log, CRect(0, 0, 40, 40));
    win.AddControl(&p);
    Show(win);
    p.paints.clear();
    p.color = plat::Color(9, 9, 9);
    p.Invalidate(true);
    EXPECT_EQ(p.paints.size(), 1u);
    EXPECT_EQ(win.Snapshot().GetPixel(20, 20), plat::Color(9, 9, 9));
}

TEST_F(Broadcasts, ControlsPaintWithTheirWindowsFont) {
    class FontProbe : public Widget {
    public:
        CFont seen;
        void HandlePaint(CDC* dc, const CRect&) override { seen = dc->GetFont(); }
    } p;
    CustomWindow<plat::Wnd> win;
    CFont font("DejaVu Sans Mono", 15);
    win.SetFont(&font, false);
    p.SetBounds(CRect(0, 0, 30, 30));
    win.AddControl(&p);
    Show(win);
    EXPECT_EQ(p.Font(), win.GetFont());
    EXPECT_EQ(p.seen, font);
}

}  // namespace
}  // namespace kortest
