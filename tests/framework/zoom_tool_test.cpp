// The zoom tool: clicks, the rubber band and what may happen in the middle
// of it (keys, the right button, a lent tool, Escape, a lost capture,
// scrolling), thin bands, and its keys.
#include "tests/framework/view_fixture.h"

#include "platform/keys.h"

namespace kortest {
namespace {

using Kor::CPoint;
using Kor::CRect;
using plat::headless::Button;

class ZoomToolTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        // At an odd place: the band's dots fall by their place on the window.
        view.MoveWindow(CRect(1, 0, 301, 200));
        view.SetWorkbenchSize(1000, 1000);  // both bars: the client area is 284 by 184
        view.SetTool(&view.GetZoomTool());
        drv.MouseMove(view, CPoint(20, 20));
        view.SetFocus();
    }
    Kor::ZoomTool& tool() { return view.GetZoomTool(); }
    // Presses at `from` and drags to `to`, leaving the button down.
    void Drag(CPoint from, CPoint to) {
        drv.MouseMove(view, from);
        drv.MouseDown(view, from);
        drv.MouseMove(view, to);
    }
    void ExpectIdleAndClean() {
        EXPECT_FALSE(tool().IsDragging());
        EXPECT_EQ(tool().GetMode(), Kor::ZoomTool::Idle);
        EXPECT_EQ(plat::Wnd::GetCapture(), nullptr);
        plat::Bitmap shown = Screen();
        EXPECT_EQ(Differences(shown, Repainted()), 0);  // no band left behind
    }
};

TEST_F(ZoomToolTest, ClicksZoomAboutThePoint) {
    CPoint p(100, 60);
    types::point<float> d = view.ToDocument(p);
    drv.Click(view, p);
    EXPECT_EQ(view.GetZoom(), 2.0f);
    drv.AdvanceClock(1000);
    drv.Click(view, p, Button::Right);
    EXPECT_EQ(view.GetZoom(), 1.0f);
    EXPECT_EQ(view.ToWindow(d), p);
    // A quick second click zooms again.
    drv.Click(view, p);
    drv.Click(view, p);
    EXPECT_EQ(view.GetZoom(), 4.0f);
    ExpectIdleAndClean();
}

TEST_F(ZoomToolTest, ABandOfFourPixelsIsAClickAndOfFiveZoomsToIt) {
    Drag(CPoint(20, 20), CPoint(24, 24));
    drv.MouseUp(view, CPoint(24, 24));
    EXPECT_EQ(view.GetZoom(), 2.0f);
    view.SetZoom(1);
    view.ScrollTo(0, 0, false);
    Drag(CPoint(20, 20), CPoint(70, 45));
    types::point<float> centre = view.ToDocument(CPoint(45, 32));
    drv.MouseUp(view, CPoint(70, 45));
    EXPECT_FLOAT_EQ(view.GetZoom(), std::min(282.0f / 50, 182.0f / 25));
    // The band's centre is now in the middle of the client area.
    CPoint at = view.ToWindow(centre);
    EXPECT_NEAR(at.x, 142, 1);
    EXPECT_NEAR(at.y, 92, 1);
    ExpectIdleAndClean();
}

TEST_F(ZoomToolTest, ABandOnePixelThinZoomsByItsOtherSide) {
    Drag(CPoint(20, 20), CPoint(20, 60));
    drv.MouseUp(view, CPoint(20, 60));
    EXPECT_FLOAT_EQ(view.GetZoom(), 182.0f / 40);
    ExpectIdleAndClean();
}

TEST_F(ZoomToolTest, KeysAndTheRightButtonInTheMiddleDoNotLoseTheBand) {
    Drag(CPoint(20, 20), CPoint(70, 45));
    EXPECT_FALSE(tool().GetBandRect().IsEmpty());
    drv.PressKey(plat::VK_SHIFT);  // a key comes up
    drv.PressKey('Q');
    drv.Click(view, CPoint(70, 45), Button::Right);
    EXPECT_TRUE(tool().IsDragging());
    EXPECT_EQ(view.GetZoom(), 1.0f);
    drv.MouseUp(view, CPoint(70, 45));
    EXPECT_FLOAT_EQ(view.GetZoom(), std::min(282.0f / 50, 182.0f / 25));
    ExpectIdleAndClean();
}

TEST_F(ZoomToolTest, EscapeALentToolOrALostCaptureDropTheBand) {
    plat::Bitmap clean = Screen();
    Drag(CPoint(20, 20), CPoint(70, 45));
    EXPECT_GT(Differences(Screen(), clean), 50);  // the band shows
    drv.PressKey(plat::VK_ESCAPE);
    drv.MouseUp(view, CPoint(70, 45));
    EXPECT_EQ(view.GetZoom(), 1.0f);
    ExpectIdleAndClean();
    EXPECT_EQ(Differences(Screen(), clean), 0);

    // Space lends the hand: the band goes with the capture, and the release
    // (the hand's now) zooms nothing.
    Drag(CPoint(20, 20), CPoint(70, 45));
    drv.KeyDown(plat::VK_SPACE);
    EXPECT_EQ(plat::Wnd::GetCapture(), nullptr);
    drv.MouseUp(view, CPoint(70, 45));
    drv.KeyUp(plat::VK_SPACE);
    EXPECT_EQ(view.GetZoom(), 1.0f);
    ExpectIdleAndClean();

    // The window loses the pointer (another program came to the front).
    Drag(CPoint(20, 20), CPoint(70, 45));
    drv.Activate(top, false);
    drv.Activate(top, true);
    drv.MouseUp(view, CPoint(70, 45));
    EXPECT_EQ(view.GetZoom(), 1.0f);
    ExpectIdleAndClean();

    // The release went unheard: the next move shows it.
    Drag(CPoint(20, 20), CPoint(70, 45));
    drv.LoseButton(Button::Left);
    drv.MouseMove(view, CPoint(80, 50));
    EXPECT_EQ(view.GetZoom(), 1.0f);
    ExpectIdleAndClean();
}

TEST_F(ZoomToolTest, TheBandSurvivesScrolling) {
    Drag(CPoint(20, 20), CPoint(70, 45));
    CRect band = tool().GetBandRect();
    drv.Wheel(view, CPoint(70, 45), -15);  // 5 pixels down: the dots' phase flips
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 5));
    EXPECT_EQ(tool().GetBandRect(), CRect(band).Offset(0, -5));
    // What is on the screen is what a repaint (band included) gives.
    plat::Bitmap shown = Screen();
    EXPECT_EQ(Differences(shown, Repainted()), 0);
    drv.MouseUp(view, CPoint(70, 45));
    ExpectIdleAndClean();
}

TEST_F(ZoomToolTest, KeysZoomAboutTheCentreAndShowTheirCursor) {
    drv.KeyDown(plat::VK_ADD);
    EXPECT_EQ(view.GetZoom(), 2.0f);
    EXPECT_EQ(drv.ShownCursor(top).Name(), "ZoomTool_CursorZoomIn");
    drv.KeyUp(plat::VK_ADD);
    EXPECT_EQ(drv.ShownCursor(top).Name(), "ZoomTool_CursorZoom");
    drv.KeyDown(plat::VK_SUBTRACT);
    EXPECT_EQ(drv.ShownCursor(top).Name(), "ZoomTool_CursorZoomOut");
    drv.KeyUp(plat::VK_SUBTRACT);
    EXPECT_EQ(view.GetZoom(), 1.0f);
    // The main row's keys, for keyboards without a keypad.
    drv.PressKey(plat::VK_OEM_PLUS);
    drv.PressKey(plat::VK_OEM_PLUS);
    EXPECT_EQ(view.GetZoom(), 4.0f);
    drv.PressKey(plat::VK_OEM_MINUS);
    EXPECT_EQ(view.GetZoom(), 2.0f);
    drv.PressKey(plat::VK_MULTIPLY);
    EXPECT_FLOAT_EQ(view.GetZoom(), 0.198f);  // 198 / 1000: no bars any more
    EXPECT_FALSE(view.IsScrollBarShown(plat::SB_VERT));
}

}  // namespace
}  // namespace kortest
