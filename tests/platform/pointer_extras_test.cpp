// What views need of the pointer beyond plain clicks: the middle button,
// partial and sideways wheel turns, captures that end when the window loses
// the pointer, releases the program never saw, cursors made from pixel art,
// and the focus coming back after a message box.
#include "tests/platform/test_windows.h"

#include "platform/message_box.h"

namespace plattest {
namespace {

using PointerExtras = HeadlessTest;

class WheelWnd : public RecordingWnd {
protected:
    void OnMButtonDown(unsigned flags, Point p) override {
        log.push_back("mdown " + Pt(p) + " " + std::to_string(flags));
    }
    void OnMButtonUp(unsigned flags, Point p) override { log.push_back("mup " + Pt(p) + " " + std::to_string(flags)); }
    void OnHScroll(unsigned code, unsigned pos, Wnd*) override {
        log.push_back("hscroll " + std::to_string(code) + " " + std::to_string(pos));
    }
};

TEST_F(PointerExtras, TheMiddleButtonReachesTheWindowWithItsFlag) {
    WheelWnd top;
    MakeTop(top);
    top.Clear();
    drv.MouseDown(top, Point(10, 20), headless::Button::Middle);
    drv.MouseMove(top, Point(12, 20));
    drv.MouseUp(top, Point(12, 22), headless::Button::Middle);
    EXPECT_EQ(top.log, (std::vector<std::string>{"mdown 10,20 16", "move 12,20", "mup 12,22 0"}));
}

TEST_F(PointerExtras, PartialTurnsAddUpAndSidewaysTurnsScrollTheHorizontalBar) {
    WheelWnd top, view;
    MakeTop(top);
    MakeChild(view, top, Rect(0, 0, 150, 150));
    ScrollInfo si;
    si.max = 500;
    si.page = 100;
    view.SetScrollInfo(SB_VERT, si);
    view.SetScrollInfo(SB_HORZ, si);
    view.Clear();
    // A touchpad's small turns: a line for each third of a notch.
    for (int i = 0; i < 8; ++i) drv.Wheel(view, Point(5, 5), -10);
    EXPECT_EQ(view.log, std::vector<std::string>(2, "vscroll 1 0"));
    // Turning back drops what was left over.
    view.Clear();
    drv.Wheel(view, Point(5, 5), 30);
    EXPECT_TRUE(view.log.empty());
    drv.Wheel(view, Point(5, 5), 10);
    EXPECT_EQ(view.log, std::vector<std::string>{"vscroll 0 0"});
    view.Clear();
    drv.Wheel(view, Point(5, 5), 120, true);
    EXPECT_EQ(view.log, std::vector<std::string>(3, "hscroll 1 0"));
    // Shift turns the wheel sideways: towards the user is to the right.
    view.Clear();
    drv.KeyDown(VK_SHIFT);
    drv.Wheel(view, Point(5, 5), -40);
    drv.KeyUp(VK_SHIFT);
    EXPECT_EQ(view.log, std::vector<std::string>{"hscroll 1 0"});
}

TEST_F(PointerExtras, PointerAndKeyboardGoWithTheActivationOrWhenTheGrabBreaks) {
    RecordingWnd top, view;
    MakeTop(top);
    MakeChild(view, top, Rect(0, 0, 100, 100));
    view.SetFocus();
    view.SetCapture();
    view.Clear();
    drv.Activate(top, false);  // Alt+Tab to another program
    EXPECT_EQ(Wnd::GetCapture(), nullptr);
    EXPECT_EQ(Wnd::GetFocus(), nullptr);
    EXPECT_EQ(view.log, (std::vector<std::string>{"capturechanged", "killfocus"}));
    view.Clear();
    drv.Activate(top, true);  // the keyboard comes back where it was
    EXPECT_EQ(Wnd::GetFocus(), &view);
    EXPECT_EQ(view.log, std::vector<std::string>{"setfocus"});
    view.SetCapture();
    view.Clear();
    drv.BreakGrab(top);
    EXPECT_EQ(Wnd::GetCapture(), nullptr);
    EXPECT_EQ(view.log, std::vector<std::string>{"capturechanged"});
}

class FlagsWnd : public RecordingWnd {
public:
    std::vector<unsigned> moveFlags;

protected:
    void OnMouseMove(unsigned flags, Point) override { moveFlags.push_back(flags); }
};

TEST_F(PointerExtras, AReleaseTheProgramNeverSawShowsInTheNextMove) {
    FlagsWnd top;
    MakeTop(top);
    drv.MouseDown(top, Point(10, 10));
    drv.MouseMove(top, Point(11, 10));
    drv.LoseButton(headless::Button::Left);
    drv.MouseMove(top, Point(12, 10));
    EXPECT_EQ(top.moveFlags, (std::vector<unsigned>{MK_LBUTTON, 0}));
}

TEST_F(PointerExtras, ACursorFromAnImageAndAMaskShowsOnlyTheMaskedPixels) {
    Bitmap image(2, 1, Color(10, 20, 30)), mask(2, 1, Color(0, 0, 0));
    mask.SetPixel(1, 0, Color(255, 255, 255));
    Cursor c = Cursor::FromImageAndMask("ARROWISH", image, mask, Point(1, 0));
    ASSERT_FALSE(c.IsNull());
    EXPECT_EQ(c.Name(), "ARROWISH");
    EXPECT_EQ(c.HotSpot(), Point(1, 0));
    ASSERT_TRUE(c.Image()->HasAlpha());
    EXPECT_EQ(c.Image()->Row(0)[0], 0u);           // transparent
    EXPECT_EQ(c.Image()->Row(0)[1], 0xFF0A141Eu);  // opaque colour
    EXPECT_TRUE(Cursor::FromImageAndMask("BAD", image, Bitmap(1, 1), Point()).IsNull());
    EXPECT_EQ(Cursor::ResourceHotSpot("NO_SUCH_CURSOR"), Point());
}

TEST_F(PointerExtras, TheFocusComesBackAfterAMessageBox) {
    RecordingWnd top, view;
    MakeTop(top);
    MakeChild(view, top, Rect(0, 0, 100, 100));
    view.SetFocus();
    view.SetCapture();
    view.Clear();
    MessageBox(&top, "Refused", "", MB_OK);
    EXPECT_EQ(Wnd::GetFocus(), &view);
    EXPECT_EQ(Wnd::GetCapture(), nullptr);  // a modal box takes the pointer
    EXPECT_EQ(view.log, (std::vector<std::string>{"capturechanged", "killfocus", "setfocus"}));
}

}  // namespace
}  // namespace plattest
