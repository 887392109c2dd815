// The window tree: paint dispatch and clipping, invalidation, scrolling the
// contents, built-in scroll bars, timers on the virtual clock.
#include "tests/platform/test_windows.h"

#include "platform/scroll_bar_layout.h"

namespace plattest {
namespace {

using Painting = HeadlessTest;

TEST_F(Painting, ChildrenAreNeverPaintedOverByTheirParentOrEarlierSiblings) {
    for (unsigned clip : {0u, unsigned(WS_CLIPCHILDREN)}) {
        RecordingWnd top, a, b;
        MakeTop(top, clip);
        top.fill = Color(255, 0, 0);
        MakeChild(a, top, Rect(10, 10, 110, 110));
        a.fill = Color(0, 0, 255);
        MakeChild(b, top, Rect(60, 60, 160, 160));  // above a
        b.fill = Color(0, 255, 0);
        drv.Flush();
        top.Clear(), a.Clear(), b.Clear();

        // Repainting the parent and the lower child leaves what lies above.
        top.InvalidateAll();
        a.InvalidateAll();
        drv.Flush();
        Bitmap pic = top.Snapshot();
        EXPECT_EQ(pic.GetPixel(5, 5), Color(255, 0, 0));
        EXPECT_EQ(pic.GetPixel(20, 20), Color(0, 0, 255));
        EXPECT_EQ(pic.GetPixel(80, 80), Color(0, 255, 0)) << "clip children " << clip;
        EXPECT_EQ(pic.GetPixel(150, 150), Color(0, 255, 0));
        top.Destroy();
    }
}

TEST_F(Painting, InvalidAreasAccumulateAndOnlyThoseArePainted) {
    RecordingWnd top;
    MakeTop(top);
    drv.Flush();
    top.fill = Color(0, 0, 0);
    top.Clear();
    top.InvalidateRect(Rect(10, 10, 20, 20), false);
    top.InvalidateRect(Rect(50, 40, 60, 45), false);
    Rect box;
    EXPECT_TRUE(top.GetUpdateRect(box));
    EXPECT_EQ(box, Rect(10, 10, 60, 45));
    drv.Flush();
    ASSERT_EQ(top.paints.size(), 1u);
    EXPECT_EQ(top.paints[0], Rect(10, 10, 60, 45));
    Bitmap pic = top.Snapshot();
    EXPECT_EQ(pic.GetPixel(15, 15), Color(0, 0, 0));
    EXPECT_EQ(pic.GetPixel(55, 42), Color(0, 0, 0));
    EXPECT_EQ(pic.GetPixel(30, 30), Color(255, 0, 0));  // between the two: untouched
    EXPECT_FALSE(top.GetUpdateRect(box));
}

TEST_F(Painting, HiddenWindowsAreNotPaintedAndShowingRepaintsThem) {
    RecordingWnd top, child;
    MakeTop(top);
    ASSERT_TRUE(child.Create(&top, Rect(10, 10, 50, 50), WS_CHILD));
    child.fill = Color(0, 0, 255);
    drv.Flush();
    EXPECT_TRUE(child.paints.empty());
    child.ShowWindow(SW_SHOW);
    drv.Flush();
    EXPECT_EQ(child.paints.size(), 1u);
    child.ShowWindow(SW_HIDE);
    drv.Flush();
    EXPECT_EQ(top.Snapshot().GetPixel(20, 20), Color(255, 0, 0));
}

// Draws a horizontal gradient so that moved pixels can be recognised.
class GradientWnd : public RecordingWnd {
protected:
    void OnPaint(DC& dc, const Rect& box) override {
        paints.push_back(box);
        for (int y = box.top; y < box.bottom; ++y)
            dc.FillSolidRect(Rect(box.left, y, box.right, y + 1), Color(std::uint8_t(y), 0, 0));
    }
};

TEST_F(Painting, ScrollingMovesPixelsAndInvalidatesOnlyTheUncoveredStrip) {
    RecordingWnd top;
    GradientWnd view;
    MakeTop(top);
    MakeChild(view, top, Rect(0, 0, 100, 100));
    drv.Flush();
    view.Clear();
    view.InvalidateRect(Rect(0, 50, 10, 60), false);  // pending when the scroll happens
    view.ScrollWindow(0, -10);
    Rect box;
    ASSERT_TRUE(view.GetUpdateRect(box));
    Region expected(Rect(0, 90, 100, 100));
    expected.Union(Rect(0, 40, 10, 50));  // the pending part moved along
    EXPECT_EQ(view.GetUpdateRegion(), expected);
    Bitmap moved = view.Snapshot();
    EXPECT_EQ(moved.GetPixel(50, 20), Color(30, 0, 0));  // row 30 is now at 20
    drv.Flush();
    EXPECT_EQ(view.Snapshot().GetPixel(50, 95), Color(95, 0, 0));
}

TEST_F(Painting, ChildWindowsMoveWithScrolledContents) {
    RecordingWnd top, view, child;
    MakeTop(top);
    MakeChild(view, top, Rect(0, 0, 200, 150));
    MakeChild(child, view, Rect(20, 30, 60, 50));
    view.ScrollWindow(-5, -10);
    EXPECT_EQ(child.GetRect(), Rect(15, 20, 55, 40));
}

using ScrollBars = HeadlessTest;

TEST_F(ScrollBars, ABarIsShownOnlyWhileThePageDoesNotExceedTheRange) {
    RecordingWnd top, view;
    MakeTop(top);
    MakeChild(view, top, Rect(0, 0, 200, 100), WS_VSCROLL);
    view.Clear();
    ScrollInfo si;
    si.min = 0;
    si.max = 99;
    si.page = 100;  // exceeds the range 99
    view.SetScrollInfo(SB_VERT, si);
    EXPECT_FALSE(view.IsScrollBarShown(SB_VERT));
    EXPECT_EQ(view.GetClientRect().Width(), 200);
    si.page = 99;
    view.SetScrollInfo(SB_VERT, si);
    EXPECT_TRUE(view.IsScrollBarShown(SB_VERT));
    EXPECT_EQ(view.GetClientRect().Width(), 200 - kScrollBarSize);
    ASSERT_FALSE(view.log.empty());
    EXPECT_EQ(view.log.back(), "size 184,100");
    si.page = 200;
    view.SetScrollInfo(SB_VERT, si);
    EXPECT_FALSE(view.IsScrollBarShown(SB_VERT));
    EXPECT_EQ(view.log.back(), "size 200,100");
}

TEST_F(ScrollBars, PositionIsKeptInsideTheRange) {
    RecordingWnd top;
    MakeTop(top);
    ScrollInfo si;
    si.max = 100;
    si.page = 20;
    si.pos = 500;
    top.SetScrollInfo(SB_VERT, si);
    EXPECT_EQ(top.GetScrollPos(SB_VERT), 81);  // max - page + 1
    top.SetScrollPos(SB_VERT, -4);
    EXPECT_EQ(top.GetScrollPos(SB_VERT), 0);
}

TEST_F(ScrollBars, ArrowsPagesAndTheThumbSendTheirCodes) {
    RecordingWnd top, view;
    MakeTop(top);
    MakeChild(view, top, Rect(0, 0, 200, 150), WS_VSCROLL);
    ScrollInfo si;
    si.max = 299;
    si.page = 150;
    view.SetScrollInfo(SB_VERT, si);
    view.Clear();
    // The bar lies right of the client area; points in client coordinates.
    int barX = view.GetClientRect().Width() + kScrollBarSize / 2;
    Point arrowDown(barX, 150 - 4), pageDown(barX, 110);
    drv.Click(view, arrowDown);
    drv.Click(view, pageDown);
    ScrollBarLayout l;
    l.box = Rect(0, 0, kScrollBarSize, 150);
    l.info = view.GetScrollInfo(SB_VERT);
    Rect thumb = l.Thumb();
    Point grab(barX, thumb.top + 2);
    drv.MouseDown(view, grab);
    drv.MouseMove(view, Point(grab.x, grab.y + 40));
    drv.MouseUp(view, Point(grab.x, grab.y + 40));
    std::vector<std::string> expect = {"vscroll 1 0", "vscroll 8 0", "vscroll 3 0", "vscroll 8 0"};
    ASSERT_GE(view.log.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(view.log.begin(), view.log.begin() + 4), expect);
    EXPECT_EQ(view.log[4].substr(0, 10), "vscroll 5 ");  // thumb track
    EXPECT_EQ(view.log[5].substr(0, 10), "vscroll 4 ");  // thumb position
    EXPECT_EQ(view.log[6], "vscroll 8 0");
    EXPECT_EQ(view.log[4].substr(10), view.log[5].substr(10));
    EXPECT_GT(std::stoi(view.log[5].substr(10)), 0);
}

using Timers = HeadlessTest;

TEST_F(Timers, FireAtTheirPeriodsOnTheVirtualClock) {
    RecordingWnd top;
    MakeTop(top);
    top.Clear();
    top.SetTimer(1, 100);
    top.SetTimer(2, 250);
    drv.AdvanceClock(99);
    EXPECT_TRUE(top.log.empty());
    drv.AdvanceClock(451);  // now 550
    // 100, 200, 250, 300, 400, 500 and 500 (both; the earlier set first).
    std::vector<std::string> expect = {"timer 1", "timer 1", "timer 2", "timer 1", "timer 1",
                                       "timer 1", "timer 2"};
    EXPECT_EQ(top.log, expect);
    top.Clear();
    top.KillTimer(1);
    drv.AdvanceClock(1000);
    EXPECT_EQ(top.log, std::vector<std::string>(4, "timer 2"));
    top.Destroy();
    drv.AdvanceClock(1000);  // a destroyed window's timers are gone
}

}  // namespace
}  // namespace plattest
