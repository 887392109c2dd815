// The wire tools: the wire's pixels against a clean repaint, strokes and the
// Select and Synchronize they make (whole and interrupted), the size keys and
// size mode, the circle bitmap, and a picture of a zoomed view with its wire.
#include "tests/framework/view_fixture.h"

#include "platform/keys.h"
#include "platform/message_box.h"

namespace kortest {
namespace {

using Kor::CPoint;
using Kor::CRect;
using plat::headless::Button;

class WireTest : public ViewTest {
protected:
    Log log;
    std::unique_ptr<StrokeTool> circle;

    void SetUp() override {
        ViewTest::SetUp();
        view.SetWorkbenchSize(200, 200);
        view.SetZoom(4);
        circle = std::make_unique<StrokeTool>(view, 3, log);
        view.SetTool(circle.get());
        view.SetFocus();
    }
    void TearDown() override { view.SetTool(nullptr); }

    // The screen shows the same as a clean repaint once the pointer left.
    void ExpectNoGhostsAfterLeaving() {
        drv.PointerLeaves(top);
        EXPECT_FALSE(circle->IsWireVisible());
        plat::Bitmap shown = Screen();
        EXPECT_EQ(Differences(shown, Repainted()), 0);
    }
};

TEST_F(WireTest, TheWireFollowsThePointerAndLeavesNoTrace) {
    plat::Bitmap clean = Screen();
    drv.MouseMove(view, CPoint(50, 50));
    EXPECT_TRUE(circle->IsWireVisible());
    plat::Bitmap shown = Screen();
    int wire = Differences(shown, clean);
    EXPECT_GT(wire, 40);  // a circle of radius 12 pixels
    // Inside the circle's square and nowhere else.
    CRect box = circle->GetWireRect(CPoint(50, 50));
    EXPECT_EQ(box, CRect(38, 38, 63, 63));
    for (int y = 0; y < clean.Height(); ++y)
        for (int x = 0; x < clean.Width(); ++x)
            if (!box.Contains(CPoint(x, y))) {
                ASSERT_EQ(shown.GetPixel(x, y), clean.GetPixel(x, y)) << x << "," << y;
            }
    // A repaint keeps it; drawing it twice takes it off.
    EXPECT_EQ(Differences(Repainted(), shown), 0);
    drv.MouseMove(view, CPoint(90, 60));
    drv.MouseMove(view, CPoint(95, 62));
    EXPECT_EQ(Differences(Screen(), clean), wire);
    // Scrolling moves the image, not the wire.
    view.SetWorkbenchSize(1000, 1000);
    drv.Flush();
    drv.Wheel(view, CPoint(95, 62), -120);
    EXPECT_EQ(circle->GetWirePosition(), CPoint(95, 62));
    plat::Bitmap scrolled = Screen();
    EXPECT_EQ(Differences(scrolled, Repainted()), 0);
    ExpectNoGhostsAfterLeaving();
    EXPECT_EQ(Differences(Screen(), Repainted()), 0);
}

TEST_F(WireTest, SizeModeStrokesLeaveNoGhosts) {
    drv.MouseMove(view, CPoint(50, 50));
    drv.KeyDown(plat::VK_MENU);  // the wire is drawn two pixels wide
    EXPECT_TRUE(circle->IsSizeMode());
    drv.MouseDown(view, CPoint(50, 50), Button::Right);  // shrinks
    drv.MouseUp(view, CPoint(50, 50), Button::Right);
    EXPECT_EQ(circle->GetSize(), 2);
    drv.KeyUp(plat::VK_MENU);
    drv.KeyDown(plat::VK_MENU);
    // A stroke in size mode: Alt held from the start, then a press after Alt
    // is up, while the ring is still two pixels wide... strokes start
    // outside size mode only, so leave it and stroke.
    drv.KeyUp(plat::VK_MENU);
    drv.MouseDown(view, CPoint(50, 50));
    for (int x = 52; x < 120; x += 3) drv.MouseMove(view, CPoint(x, 50 + x / 4));
    drv.KeyDown(plat::VK_MENU);  // Alt in the middle of the stroke: a wide ring
    for (int x = 120; x > 60; x -= 4) drv.MouseMove(view, CPoint(x, 80 - x / 5));
    drv.MouseUp(view, CPoint(60, 68));
    drv.KeyUp(plat::VK_MENU);
    EXPECT_EQ(circle->syncs, 1);
    ExpectNoGhostsAfterLeaving();
}

TEST_F(WireTest, AStrokeSelectsAtEveryPressAndMoveAndSynchronizesOnce) {
    drv.MouseMove(view, CPoint(10, 10));
    log.clear();
    drv.MouseDown(view, CPoint(10, 10));
    EXPECT_EQ(plat::Wnd::GetCapture(), &view);
    drv.MouseMove(view, CPoint(12, 11));
    drv.MouseDown(view, CPoint(12, 11), Button::Right);
    drv.MouseUp(view, CPoint(13, 11), Button::Right);  // another still held: select
    drv.MouseMove(top, CPoint(450, 350));              // far outside the view
    drv.MouseUp(top, CPoint(450, 350));                // released out there
    EXPECT_EQ(
        log, (Log{"select 10,10 1", "select 12,11 1", "select 12,11 3", "select 13,11 1", "select 450,350 1", "sync"}));
    EXPECT_EQ(plat::Wnd::GetCapture(), nullptr);
    // A double click is two presses.
    log.clear();
    drv.MouseMove(view, CPoint(20, 20));
    drv.DoubleClick(view, CPoint(20, 20));
    EXPECT_EQ(log, (Log{"select 20,20 1", "sync", "select 20,20 1", "sync"}));
}

TEST_F(WireTest, InterruptedStrokesSynchronizeOnceAndTheNextClickWorks) {
    drv.MouseMove(view, CPoint(30, 30));
    auto nextClickWorks = [&](const char* what) {
        int before = circle->syncs;
        log.clear();
        drv.AdvanceClock(1000);  // no double click
        drv.Click(view, CPoint(31, 30));
        EXPECT_EQ(log, (Log{"select 31,30 1", "sync"})) << what;
        EXPECT_EQ(circle->syncs, before + 1) << what;
        EXPECT_EQ(plat::Wnd::GetCapture(), nullptr) << what;
    };

    // Select opens a message box (a refused pin): it takes the pointer.
    circle->onSelect = [&] { plat::MessageBox(&top, "Refused", "", plat::MB_OK); };
    drv.MouseDown(view, CPoint(30, 30));
    EXPECT_EQ(circle->syncs, 1);
    drv.MouseUp(view, CPoint(30, 30));  // the release comes after all
    EXPECT_EQ(circle->syncs, 1);
    circle->onSelect = nullptr;
    nextClickWorks("message box");

    // The release goes unheard; the next move shows the button up.
    drv.AdvanceClock(1000);
    drv.MouseDown(view, CPoint(30, 30));
    drv.LoseButton(Button::Left);
    drv.MouseMove(view, CPoint(35, 30));
    EXPECT_EQ(circle->syncs, 3);
    nextClickWorks("lost release");

    // A lent tool takes over (Hide), then gives back.
    drv.AdvanceClock(1000);
    drv.MouseDown(view, CPoint(30, 30));
    drv.KeyDown(plat::VK_SPACE);
    EXPECT_EQ(circle->syncs, 5);
    drv.MouseUp(view, CPoint(30, 30));
    drv.KeyUp(plat::VK_SPACE);
    EXPECT_EQ(circle->syncs, 5);
    nextClickWorks("lent tool");

    // Another tool is chosen (Deactivate), then this one again.
    drv.AdvanceClock(1000);
    drv.MouseDown(view, CPoint(30, 30));
    view.SetTool(&view.GetPanTool());
    EXPECT_EQ(circle->syncs, 7);
    drv.MouseUp(view, CPoint(30, 30));
    view.SetTool(circle.get());
    drv.MouseMove(view, CPoint(30, 30));
    nextClickWorks("other tool");

    // The window is deactivated (Alt+Tab), or the window system breaks the
    // grab.
    drv.AdvanceClock(1000);
    drv.MouseDown(view, CPoint(30, 30));
    drv.Activate(top, false);
    EXPECT_EQ(circle->syncs, 9);
    drv.Activate(top, true);
    drv.MouseUp(view, CPoint(30, 30));
    nextClickWorks("deactivated");
    drv.AdvanceClock(1000);
    drv.MouseDown(view, CPoint(30, 30));
    drv.BreakGrab(top);
    EXPECT_EQ(circle->syncs, 11);
    drv.MouseUp(view, CPoint(30, 30));
    nextClickWorks("broken grab");
    ExpectNoGhostsAfterLeaving();
}

TEST_F(WireTest, SizeKeysStepFasterWhileTheyRepeatAndStayWithinTheLimits) {
    drv.MouseMove(view, CPoint(60, 60));
    std::vector<int> sizes;
    for (int i = 0; i < 7; ++i) {
        drv.KeyDown(plat::VK_OEM_6);  // ] held: the key repeats
        sizes.push_back(circle->GetSize());
    }
    drv.KeyUp(plat::VK_OEM_6);
    EXPECT_EQ(sizes, (std::vector<int>{4, 6, 8, 13, 18, 28, 38}));
    drv.PressKey(plat::VK_OEM_4);  // [ after a release: a step of one again
    EXPECT_EQ(circle->GetSize(), 37);
    // Keypad + and - only in size mode; Alt with a click grows by one.
    drv.PressKey(plat::VK_ADD);
    EXPECT_EQ(circle->GetSize(), 37);
    drv.KeyDown(plat::VK_MENU);
    drv.PressKey(plat::VK_ADD);
    EXPECT_EQ(circle->GetSize(), 38);
    drv.PressKey(plat::VK_SUBTRACT);
    EXPECT_EQ(circle->GetSize(), 37);
    log.clear();
    drv.Click(view, CPoint(60, 60));
    EXPECT_EQ(circle->GetSize(), 38);
    EXPECT_TRUE(log.empty());  // no stroke in size mode
    drv.KeyUp(plat::VK_MENU);
    // The limits: at a limit a key changes nothing and draws nothing.
    for (int i = 0; i < 30; ++i) drv.KeyDown(plat::VK_OEM_6);
    drv.KeyUp(plat::VK_OEM_6);
    EXPECT_EQ(circle->GetSize(), 150);
    plat::Bitmap before = Screen();
    drv.PressKey(plat::VK_OEM_6);
    EXPECT_EQ(Differences(Screen(), before), 0);
    for (int i = 0; i < 30; ++i) drv.KeyDown(plat::VK_OEM_4);
    drv.KeyUp(plat::VK_OEM_4);
    EXPECT_EQ(circle->GetSize(), 1);
    // Sizes given to the constructor are kept within the limits as well.
    EXPECT_EQ(StrokeTool(view, 0, log).GetSize(), 1);
    EXPECT_EQ(StrokeTool(view, -7, log).GetSize(), 1);
    EXPECT_EQ(StrokeTool(view, 151, log).GetDoubleSize(), 300);
    ExpectNoGhostsAfterLeaving();
}

TEST_F(WireTest, LosingTheKeyboardLeavesSizeMode) {
    drv.MouseMove(view, CPoint(60, 60));
    drv.KeyDown(plat::VK_MENU);
    ASSERT_TRUE(circle->IsSizeMode());
    drv.Activate(top, false);  // Alt+Tab: Alt comes up elsewhere
    EXPECT_FALSE(circle->IsSizeMode());
    drv.Activate(top, true);
    log.clear();
    drv.Click(view, CPoint(60, 60));
    EXPECT_EQ(log, (Log{"select 60,60 1", "sync"}));
    ExpectNoGhostsAfterLeaving();
}

std::vector<std::string> Rows(const img::bitmap& b) {
    std::vector<std::string> rows;
    for (std::uint32_t y = 0; y < b.height(); ++y) {
        std::string row;
        for (std::uint32_t x = 0; x < b.width(); ++x) row += b.get(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(CircleBitmap, SizesOneToFive) {
    img::bitmap b(12, 12);
    b.fill(true);  // a reused bitmap: every pixel outside the disc is cleared
    Kor::CircleTool::CircleBitmap(b, 1);
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"##", "##"}));
    Kor::CircleTool::CircleBitmap(b, 2);
    EXPECT_EQ(Rows(b), (std::vector<std::string>{".##.", "####", "####", ".##."}));
    Kor::CircleTool::CircleBitmap(b, 3);
    EXPECT_EQ(Rows(b), (std::vector<std::string>{".####.", "######", "######", "######", "######", ".####."}));
    Kor::CircleTool::CircleBitmap(b, 4);
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"..####..", ".######.", "########", "########", "########", "########",
                                                 ".######.", "..####.."}));
    b.fill(true);
    Kor::CircleTool::CircleBitmap(b, 5);
    EXPECT_EQ(Rows(b),
              (std::vector<std::string>{"...####...", ".########.", ".########.", "##########", "##########",
                                        "##########", "##########", ".########.", ".########.", "...####..."}));
    // Nonsense sizes make the smallest circle, not a huge allocation.
    Kor::CircleTool::CircleBitmap(b, -3);
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"##", "##"}));
}

TEST_F(WireTest, TheCircleInImagePixels) {
    // Window (x, y) is image ((x - 1) / 4, (y - 1) / 4) here.
    EXPECT_EQ(circle->GetWireBenchTopLeft(CPoint(41, 21)), (types::point<int>(10 - 3, 5 - 3)));
    EXPECT_EQ(circle->GetWireBenchTopLeft(CPoint(43, 23)), (types::point<int>(11 - 3, 6 - 3)));  // halves up
    // Left of and above the image: down, not toward zero (-0.75 is -1).
    EXPECT_EQ(circle->GetWireBenchTopLeft(CPoint(-2, -2)), (types::point<int>(-1 - 3, -1 - 3)));
    EXPECT_EQ(circle->GetWireBenchRect(CPoint(41, 21)), (types::rect<int>(7, 2, 13, 8)));
    // The wire's square: r = trunc(size * zoom).
    view.SetZoom(2.5f);
    EXPECT_EQ(circle->GetWireRect(CPoint(100, 50)), CRect(100 - 7, 50 - 7, 100 + 8, 50 + 8));
}

TEST_F(WireTest, PictureOfAZoomedViewWithTheWire) {
    top.MoveWindow(CRect(100, 100, 520, 400));
    view.MoveWindow(CRect(10, 10, 410, 290));
    view.SetWorkbenchSize(100, 80);
    view.SetZoom(8);
    view.ScrollTo(500, 380, false);  // near the sheet's lower right corner
    circle->IncreaseSize(2);
    drv.MouseMove(view, CPoint(180, 130));
    drv.KeyDown(plat::VK_MENU);
    const std::string path = std::string(KORVANE_TEST_OUTPUT) + "/views-zoomed-wire.png";
    EXPECT_TRUE(drv.SavePng(top, path));
    drv.KeyUp(plat::VK_MENU);
    // The wire (two pixels wide in size mode) is on the saved picture.
    plat::Bitmap pic = plat::Bitmap::LoadPng(path);
    ASSERT_FALSE(pic.IsNull());
    plat::Bitmap shown = Screen();
    EXPECT_EQ(Differences(shown, Repainted()), 0);
}

}  // namespace
}  // namespace kortest
