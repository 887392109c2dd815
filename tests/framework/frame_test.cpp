// The main frame: panel bars and their panels, the split limits, the
// layout of bars, view and status bar, dragging the splitters and grips,
// and the layout remembered in the profile.
#include "tests/framework/app_fixture.h"

#include "framework/app/command_ids.h"
#include "framework/frame/widget_panel.h"

namespace kortest {
namespace {

using namespace Kor;

// A widget that asks for a fixed size.
class Block : public Widget {
public:
    explicit Block(CSize s) : size_(s) {}
    CSize PreferredSize() const override { return size_; }

private:
    CSize size_;
};

class FrameTest : public AppTest {
protected:
    void SetUp() override { MakeFrame(); }
    Frame& frame() { return app.GetFrame(); }
    int Header() {
        Panel probe(frame());
        return probe.GetHeaderHeight();
    }
};

TEST_F(FrameTest, PanelBarSizesAndLayoutFollowThePanels) {
    Block a({40, 30}), b({50, 20}), c({30, 60}), d({10, 10});
    WidgetPanel left(frame(), a, 0), top(frame(), b, 5), right(frame(), c, 0), fill(frame(), d, 0);
    left.SetAlignment(Panel::Left);
    top.SetAlignment(Panel::Top);
    right.SetAlignment(Panel::Right);
    fill.SetAlignment(Panel::Fill);
    int h = Header();
    EXPECT_GT(h, 8);
    EXPECT_EQ(top.GetMinWindowSize(), CSize(60, 30 + h));

    PanelBar& bar = frame().GetBottomBar();
    for (Panel* p : {&left, &top, &right, &fill}) bar.AddPanel(*p);
    bar.AddPanel(left);  // a second time: nothing changes
    EXPECT_EQ(bar.Panels().size(), 4u);
    // Left: 40 wide; top: its height added, the width at least its 60;
    // right: 30 more width; fill: its size on top of all that.
    EXPECT_EQ(bar.GetMinWindowSize(), CSize(60 + 30 + 10, (30 + h) + (30 + h) + (10 + h)));

    bar.SetBounds(CRect(0, 0, 300, 200));
    EXPECT_EQ(left.Bounds(), CRect(0, 0, 40, 200));
    EXPECT_EQ(top.Bounds(), CRect(40, 0, 300, 30 + h));
    EXPECT_EQ(right.Bounds(), CRect(270, 30 + h, 300, 200));
    EXPECT_EQ(fill.Bounds(), CRect(40, 30 + h, 270, 200));
    // The widget sits inside its panel's margin, below the header.
    EXPECT_EQ(b.Bounds(), CRect(5, h + 5, 255, 30 + h - 5));

    // A hidden panel takes no place; once the space is used up, later
    // panels get nothing.
    top.SetVisible(false);
    bar.LayoutControls();
    EXPECT_EQ(fill.Bounds(), CRect(40, 0, 270, 200));
    bar.SetBounds(CRect(0, 0, 60, 100));
    EXPECT_EQ(left.Bounds(), CRect(0, 0, 40, 100));
    EXPECT_EQ(right.Bounds(), CRect(40, 0, 60, 100));
    EXPECT_TRUE(fill.Bounds().IsEmpty());

    bar.RemovePanel(top);
    EXPECT_EQ(bar.Panels().size(), 3u);
    EXPECT_EQ(top.GetBar(), nullptr);
}

TEST_F(FrameTest, LayoutPlacesBarsViewSplittersAndStatusBar) {
    Block tools({60, 100});
    WidgetPanel toolPanel(frame(), tools, 0);
    frame().GetToolBar().AddPanel(toolPanel);
    frame().SetSplit(150, 120, true, true);
    CRect client = frame().GetClientRect();
    EXPECT_EQ(frame().GetStatusBar().Bounds(), CRect(0, client.bottom - 16, client.right, client.bottom));
    EXPECT_EQ(frame().GetToolBar().Bounds(), CRect(0, 0, 60, client.bottom - 16));
    EXPECT_EQ(frame().GetRightBar().Bounds(), CRect(client.right - 150, 0, client.right, client.bottom - 16));
    EXPECT_EQ(frame().GetBottomBar().Bounds(), CRect(60, client.bottom - 16 - 120, client.right - 150, client.bottom - 16));
    EXPECT_EQ(frame().GetViewRect(), CRect(60, 0, client.right - 155, client.bottom - 16 - 125));

    plat::Wnd view;
    ASSERT_TRUE(view.Create(&frame(), CRect(), plat::WS_CHILD | plat::WS_VISIBLE, AFX_IDW_PANE_FIRST));
    frame().RecalcLayout();
    EXPECT_EQ(view.GetRect(), frame().GetViewRect());

    frame().ToggleRightVisible();
    EXPECT_FALSE(frame().GetRightBar().Visible());
    EXPECT_EQ(frame().GetViewRect().right, client.right - 5);
    frame().SetStatusBarVisible(false);
    EXPECT_EQ(frame().GetToolBar().Bounds().bottom, client.bottom);
}

TEST_F(FrameTest, SplitsAreLimitedByTheWindowAndTheBarsMinimumSizes) {
    CRect client = frame().GetClientRect();
    frame().SetSplit(5000, 5000, true, true);
    EXPECT_EQ(frame().GetRightWidth(), client.Width() - 20);
    EXPECT_EQ(frame().GetBottomHeight(), client.Height() - 16 - 20);
    frame().SetSplit(-3, 2, true, true);
    EXPECT_EQ(frame().GetRightWidth(), 10);
    EXPECT_EQ(frame().GetBottomHeight(), 10);

    Block wide({120, 10});
    WidgetPanel p(frame(), wide, 0);
    frame().GetRightBar().AddPanel(p);
    frame().SetSplit(50, 50, true, true);
    EXPECT_EQ(frame().GetRightWidth(), 120);
}

TEST_F(FrameTest, DraggingTheSplittersResizesTheBars) {
    frame().SetSplit(200, 150, true, true);
    CRect view = frame().GetViewRect();
    CPoint onRight(view.right + 2, view.top + 20);
    drv.MouseMove(frame(), onRight);
    drv.MouseMove(frame(), onRight);  // the shape is asked before the move reaches the controls
    EXPECT_EQ(drv.ShownCursor(frame()).Shape(), plat::StdCursor::SizeWE);
    drv.MouseDown(frame(), onRight);
    drv.MouseMove(frame(), CPoint(onRight.x - 30, onRight.y + 40));
    drv.MouseUp(frame(), CPoint(onRight.x - 30, onRight.y + 40));
    EXPECT_EQ(frame().GetRightWidth(), 230);
    EXPECT_EQ(frame().GetBottomHeight(), 150);

    view = frame().GetViewRect();
    CPoint corner(view.right + 2, view.bottom + 2);
    drv.MouseDown(frame(), corner);
    drv.MouseMove(frame(), CPoint(corner.x + 10, corner.y + 20));
    drv.MouseUp(frame(), CPoint(corner.x + 10, corner.y + 20));
    EXPECT_EQ(frame().GetRightWidth(), 220);
    EXPECT_EQ(frame().GetBottomHeight(), 130);
}

TEST_F(FrameTest, AClickOnAGripShowsOrHidesItsBar) {
    frame().SetSplit(200, 150, true, true);
    CRect view = frame().GetViewRect();
    CPoint grip(view.right + 2, (view.top + view.bottom) / 2);
    drv.Click(frame(), grip);
    EXPECT_FALSE(frame().IsRightVisible());
    view = frame().GetViewRect();
    drv.Click(frame(), CPoint(view.right + 2, (view.top + view.bottom) / 2));
    EXPECT_TRUE(frame().IsRightVisible());
    EXPECT_EQ(frame().GetRightWidth(), 200);
    view = frame().GetViewRect();
    drv.Click(frame(), CPoint((view.left + view.right) / 2, view.bottom + 2));
    EXPECT_FALSE(frame().IsBottomVisible());
}

TEST_F(FrameTest, TheLayoutIsRememberedInTheProfile) {
    frame().SetSplit(180, 90, true, false);
    frame().SetStatusBarVisible(false);
    frame().Destroy();
    EXPECT_EQ(app.GetProfileInt("Layout", "RightBarSize", 0), 180);
    EXPECT_EQ(app.GetProfileInt("Layout", "BottomBarSize", 0), 90);
    EXPECT_EQ(app.GetProfileInt("Layout", "RightBarVisible", -1), 1);
    EXPECT_EQ(app.GetProfileInt("Layout", "BottomBarVisible", -1), 0);
    EXPECT_EQ(app.GetProfileInt("Layout", "StatusBar", -1), 0);

    Frame again(doc);
    EXPECT_EQ(again.GetRightWidth(), 180);
    EXPECT_FALSE(again.IsBottomVisible());
    ASSERT_TRUE(again.Create(nullptr, CRect(0, 0, 640, 480), plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE));
    EXPECT_FALSE(again.IsStatusBarVisible());
    EXPECT_EQ(again.GetStatusBar().GetText(), "Ready");
}

TEST_F(FrameTest, MenuPromptsShowInTheStatusBar) {
    drv.HighlightMenuItem(frame(), ID_FILE_OPEN);
    EXPECT_EQ(frame().GetStatusBar().GetText(), "Open an existing document");
    drv.HighlightMenuItem(frame(), 0);
    EXPECT_EQ(frame().GetStatusBar().GetText(), "Ready");
}

}  // namespace
}  // namespace kortest
