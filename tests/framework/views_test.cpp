// The view layers: coordinates, zoom and its limits, zoom to fit, the scroll
// bars and centring, scrolling by bars and wheel, tool changes and the
// temporary tools, the tools' cursors.
#include "tests/framework/view_fixture.h"

#include "framework/tools/tool_cursor.h"
#include "framework/views/view_command_ids.h"
#include "platform/keys.h"

#include <limits>

namespace kortest {
namespace {

using Kor::CPoint;
using Kor::CRect;
using Kor::CSize;
using P = types::point<float>;

using Coordinates = ViewTest;

TEST_F(Coordinates, WindowAndDocumentPointsFollowZoomMarginAndScroll) {
    view.SetWorkbenchSize(1000, 800);
    view.SetZoom(2);
    view.ScrollTo(10, 20, false);
    ASSERT_EQ(view.GetScrollPosition(), CPoint(10, 20));
    // content = floor(x * zoom + 0.5); window = content + margin - scroll
    EXPECT_EQ(view.ToWindow(P(3.2f, 4.7f)), CPoint(6 + 1 - 10, 9 + 1 - 20));
    EXPECT_EQ(view.ToWindow(P(3.3f, 4.8f)), CPoint(7 + 1 - 10, 10 + 1 - 20));
    // Back without a half-pixel correction.
    types::point<float> d = view.ToDocument(CPoint(5, 7));
    EXPECT_FLOAT_EQ(d.x, (5 - 1 + 10) / 2.0f);
    EXPECT_FLOAT_EQ(d.y, (7 - 1 + 20) / 2.0f);
    // Left of and above the sheet, halves round the same way as inside.
    view.ScrollTo(0, 0, false);
    EXPECT_EQ(view.ToWindow(P(-1.0f, -0.25f)), CPoint(-2 + 1, 0 + 1));
    EXPECT_EQ(view.ToWindow(P(-1.3f, 0.25f)), CPoint(-3 + 1, 1 + 1));
}

TEST_F(Coordinates, RoundTripsHoldAtEveryZoom) {
    view.SetWorkbenchSize(5000, 5000);
    for (float zoom : {1.0f, 2.0f, 3.0f, 7.3f, 100.0f}) {
        view.SetZoom(zoom);
        view.ScrollTo(37, 59, false);
        // Each window pixel is one document point and comes back to itself.
        for (int y = -3; y < 40; y += 7)
            for (int x = -3; x < 40; x += 5)
                EXPECT_EQ(view.ToWindow(view.ToDocument(CPoint(x, y))), CPoint(x, y)) << zoom << " " << x << "," << y;
    }
    for (float zoom : {0.25f, 0.01f}) {
        view.SetZoom(zoom);
        // A document point comes back within half a window pixel.
        for (float x : {0.0f, 13.7f, 401.2f, 3999.9f}) {
            types::point<float> back = view.ToDocument(view.ToWindow(P(x, x)));
            EXPECT_NEAR(back.x, x, 0.5f / zoom + 1e-3f) << zoom;
            EXPECT_NEAR(back.y, x, 0.5f / zoom + 1e-3f) << zoom;
        }
    }
}

TEST_F(Coordinates, FarPointsStayWithinWhatDrawingCanTake) {
    view.SetWorkbenchSize(60000, 60000);
    view.SetZoom(100);
    view.ScrollTo(3000000, 3000000, false);
    const int limit = 1 << 23;
    EXPECT_EQ(view.ToWindow(P(1e9f, -1e9f)), CPoint(limit, -limit));
    EXPECT_EQ(view.ToWindow(P(std::numeric_limits<float>::infinity(), 0)).x, limit);
    EXPECT_EQ(view.ToWindow(P(std::nanf(""), 0)).x, limit);
    // The content of a large zoomed sheet is computed without overflow.
    EXPECT_EQ(view.GetContentSize(), CSize(6000000, 6000000));
    EXPECT_EQ(view.ToWindow(P(59999.0f, 0)).x, 5999900 + 1 - view.GetScrollPosition().x);
}

using Zoom = ViewTest;

TEST_F(Zoom, ZoomStaysWithinItsLimitsAndIgnoresMeaninglessValues) {
    view.SetWorkbenchSize(100, 100);
    float expected = 1;
    for (int i = 0; i < 6; ++i) view.ZoomBy(2.0f), expected *= 2;
    EXPECT_EQ(view.GetZoom(), 64.0f);
    view.ZoomBy(2.0f);
    EXPECT_EQ(view.GetZoom(), 100.0f);
    view.SetZoom(1);
    for (int i = 0; i < 6; ++i) view.ZoomBy(0.5f);
    EXPECT_EQ(view.GetZoom(), 0.015625f);
    view.ZoomBy(0.5f);
    EXPECT_EQ(view.GetZoom(), 0.01f);
    view.SetZoom(3);
    view.events.clear();
    for (float bad : {0.0f, -2.0f, std::nanf(""), std::numeric_limits<float>::infinity()}) view.SetZoom(bad);
    view.ZoomBy(0.0f);
    EXPECT_EQ(view.GetZoom(), 3.0f);
    EXPECT_TRUE(view.events.empty());
    // The content size follows: ceil(width * zoom).
    view.SetWorkbenchSize(10.5f, 3);
    EXPECT_EQ(view.GetContentSize(), CSize(32, 9));
    EXPECT_EQ(view.events, (Log{"content"}));
}

TEST_F(Zoom, ZoomingAboutAPointKeepsTheDocumentPointUnderIt) {
    view.SetWorkbenchSize(400, 300);
    view.ScrollTo(50, 40, false);
    CPoint p(70, 90);
    types::point<float> before = view.ToDocument(p);
    view.ZoomAt(4, p);
    EXPECT_EQ(view.GetZoom(), 4.0f);
    types::point<float> after = view.ToDocument(p);
    EXPECT_NEAR(after.x, before.x, 0.25f);
    EXPECT_NEAR(after.y, before.y, 0.25f);
    // Without a point: the centre of the client area (between the bars).
    CPoint centre = view.GetClientRect().Center();
    EXPECT_EQ(centre, CPoint(142, 92));
    before = view.ToDocument(centre);
    view.ZoomBy(0.5f);
    after = view.ToDocument(centre);
    EXPECT_NEAR(after.x, before.x, 0.5f);
    EXPECT_NEAR(after.y, before.y, 0.5f);
    // A sheet smaller than the client area is centred whatever the point.
    view.ZoomAt(0.25f, CPoint(0, 0));
    CSize content = view.GetContentSize();
    EXPECT_EQ(view.GetScrollPosition(), CPoint((content.cx + 2 - 300) / 2, (content.cy + 2 - 200) / 2));
    // Order of the notifications: the content first, then the zoom.
    view.events.clear();
    view.SetZoom(2);
    EXPECT_EQ(view.events, (Log{"content", "zoom"}));
    // The drawing scales even when the sheet keeps its size in pixels.
    view.SetWorkbenchSize(1, 1);
    view.SetZoom(3.1f);
    drv.Flush();
    view.SetZoom(3.4f);
    EXPECT_EQ(view.GetContentSize(), CSize(4, 4));
    EXPECT_FALSE(view.GetUpdateRegion().IsEmpty());
}

TEST_F(Zoom, ZoomToFitEndsOnTinyHugeAndEmptySheetsAndMinimisedWindows) {
    view.SetWorkbenchSize(200, 100);
    view.ZoomToFit();
    EXPECT_FLOAT_EQ(view.GetZoom(), std::min(298.0f / 200, 198.0f / 100));
    EXPECT_FALSE(view.IsScrollBarShown(plat::SB_HORZ));
    EXPECT_FALSE(view.IsScrollBarShown(plat::SB_VERT));
    // Beyond the limits: clamped, and it stops.
    view.SetWorkbenchSize(1, 1);
    view.ZoomToFit();
    EXPECT_EQ(view.GetZoom(), 100.0f);
    view.SetWorkbenchSize(100000, 50000);
    view.ZoomToFit();
    EXPECT_EQ(view.GetZoom(), 0.01f);
    // Nothing to fit: 1.0.
    view.SetWorkbenchSize(0, 0);
    view.ZoomToFit();
    EXPECT_EQ(view.GetZoom(), 1.0f);
    // No room at all.
    view.SetWorkbenchSize(300, 200);
    view.MoveWindow(CRect(0, 0, 0, 0));
    view.ZoomToFit();
    EXPECT_EQ(view.GetZoom(), 0.01f);
    view.MoveWindow(CRect(0, 0, 1, 1));
    view.ZoomToFit();
    EXPECT_EQ(view.GetZoom(), 0.01f);
}

TEST_F(Zoom, CtrlWheelZoomsAboutThePointer) {
    view.SetWorkbenchSize(400, 300);
    view.ScrollTo(100, 100, false);
    CPoint p(60, 50);
    types::point<float> before = view.ToDocument(p);
    drv.KeyDown(plat::VK_CONTROL);
    for (int i = 0; i < 4; ++i) drv.Wheel(view, p, 30);  // a touchpad: a notch in four
    drv.KeyUp(plat::VK_CONTROL);
    EXPECT_EQ(view.GetZoom(), 2.0f);
    types::point<float> after = view.ToDocument(p);
    EXPECT_NEAR(after.x, before.x, 0.5f);
    EXPECT_NEAR(after.y, before.y, 0.5f);
}

using Scrolling = ViewTest;

TEST_F(Scrolling, BothBarsAreDecidedTogether) {
    // Extent 292 by 252 in 300 by 200: the vertical bar narrows the client to
    // 284, so the width needs a bar too.
    view.SetWorkbenchSize(290, 250);
    EXPECT_TRUE(view.IsScrollBarShown(plat::SB_VERT));
    EXPECT_TRUE(view.IsScrollBarShown(plat::SB_HORZ));
    EXPECT_EQ(view.GetClientRect(), CRect(0, 0, 284, 184));
    plat::ScrollInfo h = view.GetScrollInfo(plat::SB_HORZ), v = view.GetScrollInfo(plat::SB_VERT);
    EXPECT_EQ(h.max, 292);
    EXPECT_EQ(h.page, 284u);
    EXPECT_EQ(v.max, 252);
    EXPECT_EQ(v.page, 184u);
    // An extent exactly as large as the client area needs no bar.
    view.SetWorkbenchSize(298, 198);
    EXPECT_FALSE(view.IsScrollBarShown(plat::SB_VERT));
    EXPECT_FALSE(view.IsScrollBarShown(plat::SB_HORZ));
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 0));
    // Taller only: one bar, and the width still fits beside it.
    view.SetWorkbenchSize(200, 400);
    EXPECT_TRUE(view.IsScrollBarShown(plat::SB_VERT));
    EXPECT_FALSE(view.IsScrollBarShown(plat::SB_HORZ));
}

TEST_F(Scrolling, ResizingUpdatesTheBarsAndTheCentring) {
    view.SetWorkbenchSize(250, 150);  // extent 252 by 152: centred
    EXPECT_EQ(view.GetScrollPosition(), CPoint((252 - 300) / 2, (152 - 200) / 2));
    EXPECT_EQ(view.GetSheetRect(), CRect(25, 25, 275, 175));
    view.MoveWindow(CRect(0, 0, 200, 100));
    EXPECT_TRUE(view.IsScrollBarShown(plat::SB_VERT));
    EXPECT_TRUE(view.IsScrollBarShown(plat::SB_HORZ));
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 0));
    view.ScrollTo(1000, 1000, false);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(252 - 184, 152 - 84));
    // Grown again: the bars go and the sheet is centred.
    view.MoveWindow(CRect(0, 0, 400, 300));
    EXPECT_FALSE(view.IsScrollBarShown(plat::SB_VERT));
    EXPECT_FALSE(view.IsScrollBarShown(plat::SB_HORZ));
    EXPECT_EQ(view.GetScrollPosition(), CPoint((252 - 400) / 2, (152 - 300) / 2));
    // And the screen shows it there.
    plat::Bitmap pic = Screen();
    EXPECT_EQ(pic.GetPixel(74, 74), plat::GetSysColor(plat::COLOR_APPWORKSPACE));
    EXPECT_EQ(pic.GetPixel(75, 75), kLightCell);
    EXPECT_EQ(pic.GetPixel(76, 75), kDarkCell);
}

TEST_F(Scrolling, BarsWheelAndKeysScrollWithoutLosingPixels) {
    view.SetWorkbenchSize(1000, 1000);
    view.SetZoom(3);
    CRect client = view.GetClientRect();
    // The vertical bar's lower arrow: a line of 5 pixels.
    drv.Click(view, CPoint(client.right + 8, client.bottom - 4));
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 5));
    // The wheel: 40 pixels a notch, parts of notches add up, Shift turns
    // it sideways, and so does the sideways wheel.
    drv.Wheel(view, CPoint(10, 10), -120);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 45));
    for (int i = 0; i < 3; ++i) drv.Wheel(view, CPoint(10, 10), -20);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 65));
    drv.KeyDown(plat::VK_SHIFT);
    drv.Wheel(view, CPoint(10, 10), -120);
    drv.KeyUp(plat::VK_SHIFT);
    drv.Wheel(view, CPoint(10, 10), 60, true);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(60, 65));
    // Moved pixels and painted pixels agree.
    plat::Bitmap moved = Screen();
    EXPECT_EQ(Differences(moved, Repainted()), 0);
}

TEST_F(Scrolling, MiddleDragPansWhateverTheTool) {
    view.SetWorkbenchSize(1000, 1000);
    Log log;
    LogTool tool("t", log);
    view.SetTool(&tool);
    drv.MouseMove(view, CPoint(100, 100));
    drv.MouseDown(view, CPoint(100, 100), plat::headless::Button::Middle);
    EXPECT_EQ(drv.ShownCursor(top).Name(), "PanTool_CursorHandDrag");
    drv.MouseMove(view, CPoint(80, 70));
    EXPECT_EQ(view.GetScrollPosition(), CPoint(20, 30));
    drv.MouseMove(top, CPoint(-200, -250));  // outside: the view holds the pointer
    EXPECT_EQ(view.GetScrollPosition(), CPoint(300, 350));
    drv.MouseUp(top, CPoint(-200, -250), plat::headless::Button::Middle);
    EXPECT_EQ(plat::Wnd::GetCapture(), nullptr);
    // The tool saw none of it, until the pointer, free again, was found
    // outside.
    EXPECT_EQ(log, (Log{"t:activate", "t:enter", "t:move 100,100", "t:leave"}));
    view.SetTool(nullptr);
}

using Tools = ViewTest;

TEST_F(Tools, ChangesCallTheToolsAndNotifyInOrder) {
    Log log;
    LogTool a("a", log), b("b", log);
    view.SetTool(&a);
    view.SetTemporaryTool(&b);
    view.events.clear();
    view.SetTool(&b);
    EXPECT_EQ(log, (Log{"a:activate", "a:hide", "b:show", "b:hide", "a:show", "a:deactivate", "b:activate"}));
    EXPECT_EQ(view.events, (Log{"temporary", "tool"}));
    log.clear();
    view.SetTool(&b);  // already current: nothing
    view.SetTool(nullptr);
    view.SetTemporaryTool(&a);
    view.SetTemporaryTool(nullptr);
    EXPECT_EQ(log, (Log{"b:deactivate", "a:show", "a:hide"}));
    // Without a tool, input goes nowhere (and nothing is called).
    view.SetWorkbenchSize(50, 50);
    drv.MouseMove(view, CPoint(10, 10));
    drv.Click(view, CPoint(10, 10));
    drv.Click(view, CPoint(10, 10), plat::headless::Button::Right);
    drv.PressKey(plat::VK_OEM_6);
    drv.PressKey(plat::VK_SPACE);
    drv.PointerLeaves(top);
    EXPECT_EQ(drv.ShownCursor(top).Shape(), plat::StdCursor::Arrow);
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(Tools, SpaceOrCtrlLendTheHandAndWithAltTheZoomTool) {
    view.SetWorkbenchSize(500, 500);
    Log log;
    LogTool tool("t", log);
    view.SetTool(&tool);
    drv.MouseMove(view, CPoint(50, 50));
    drv.Click(view, CPoint(50, 50));  // the view takes the focus
    EXPECT_TRUE(view.HasFocus());
    log.clear();
    drv.KeyDown(plat::VK_SPACE);
    EXPECT_EQ(view.GetTemporaryTool(), &view.GetPanTool());
    EXPECT_EQ(drv.ShownCursor(top).Name(), "PanTool_CursorHand");
    drv.KeyDown(plat::VK_MENU);
    EXPECT_EQ(view.GetTemporaryTool(), &view.GetZoomTool());
    EXPECT_EQ(drv.ShownCursor(top).Name(), "ZoomTool_CursorZoom");
    drv.KeyUp(plat::VK_SPACE);
    drv.KeyUp(plat::VK_MENU);  // Alt alone lends nothing
    EXPECT_EQ(view.GetTemporaryTool(), nullptr);
    drv.KeyDown(plat::VK_CONTROL);
    EXPECT_EQ(view.GetTemporaryTool(), &view.GetPanTool());
    drv.KeyUp(plat::VK_CONTROL);
    // The current tool hides while another is lent and hears the key that
    // gives it back.
    EXPECT_EQ(log, (Log{"t:hide", "t:show", "t:keyup 32", "t:keyup 18", "t:hide", "t:show", "t:keyup 17"}));
    // The hand, while lent, drags the sheet.
    drv.KeyDown(plat::VK_SPACE);
    drv.MouseDown(view, CPoint(50, 50));
    drv.MouseMove(view, CPoint(30, 20));
    drv.MouseUp(view, CPoint(30, 20));
    drv.KeyUp(plat::VK_SPACE);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(20, 30));
    view.SetTool(nullptr);
}

TEST_F(Tools, AHandDragEndsWithItsCaptureWhenAnotherToolIsLent) {
    view.SetWorkbenchSize(500, 500);
    view.SetTool(&view.GetPanTool());
    drv.MouseMove(view, CPoint(50, 50));
    drv.MouseDown(view, CPoint(50, 50));
    ASSERT_TRUE(view.GetPanTool().IsDragging());
    drv.KeyDown(plat::VK_CONTROL);
    drv.KeyDown(plat::VK_MENU);  // the zoom tool is lent in the middle of the drag
    EXPECT_FALSE(view.GetPanTool().IsDragging());
    EXPECT_EQ(plat::Wnd::GetCapture(), nullptr);
    drv.MouseUp(view, CPoint(40, 40));  // the zoom tool's release: no zoom
    drv.KeyUp(plat::VK_MENU);
    drv.KeyUp(plat::VK_CONTROL);
    EXPECT_EQ(view.GetZoom(), 1.0f);
    drv.MouseMove(view, CPoint(10, 10));
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 0));
    EXPECT_EQ(drv.ShownCursor(top).Name(), "PanTool_CursorHand");
}

TEST_F(Tools, LosingTheKeyboardEndsTheTemporaryTool) {
    plat::Wnd other;
    ASSERT_TRUE(other.Create(&top, CRect(300, 0, 400, 100), plat::WS_CHILD | plat::WS_VISIBLE));
    Log log;
    LogTool tool("t", log);
    view.SetTool(&tool);
    drv.Click(view, CPoint(10, 10));
    drv.KeyDown(plat::VK_SPACE);
    log.clear();
    other.SetFocus();  // Space comes up over there
    EXPECT_EQ(view.GetTemporaryTool(), nullptr);
    EXPECT_EQ(log, (Log{"t:show", "t:keyboardlost"}));
    view.SetTool(nullptr);
}

TEST_F(Tools, EveryToolShowsItsCursorFromThePixelArt) {
    view.SetWorkbenchSize(100, 100);
    view.SetZoom(4);
    auto cursorAt = [&](CPoint p) {
        drv.MouseMove(view, p);
        return drv.ShownCursor(top);
    };
    view.SetTool(&view.GetPanTool());
    plat::Cursor hand = cursorAt(CPoint(20, 20));
    EXPECT_EQ(hand.Name(), "PanTool_CursorHand");
    EXPECT_FALSE(hand.IsStandard());
    EXPECT_EQ(hand.HotSpot(), CPoint(8, 8));
    drv.MouseDown(view, CPoint(20, 20));
    EXPECT_EQ(drv.ShownCursor(top).Name(), "PanTool_CursorHandDrag");
    drv.MouseUp(view, CPoint(20, 20));
    EXPECT_EQ(drv.ShownCursor(top).Name(), "PanTool_CursorHand");

    view.SetTool(&view.GetZoomTool());
    EXPECT_EQ(drv.ShownCursor(top).Name(), "ZoomTool_CursorZoom");
    drv.MouseDown(view, CPoint(20, 20), plat::headless::Button::Right);
    EXPECT_EQ(drv.ShownCursor(top).Name(), "ZoomTool_CursorZoomOut");
    drv.MouseUp(view, CPoint(20, 20), plat::headless::Button::Right);
    drv.MouseDown(view, CPoint(20, 20));
    EXPECT_EQ(drv.ShownCursor(top).Name(), "ZoomTool_CursorZoomIn");
    drv.MouseUp(view, CPoint(20, 20));
    view.SetZoom(100);  // a click at the limit: no zoom, and the cursor says so
    drv.MouseDown(view, CPoint(20, 20));
    EXPECT_EQ(drv.ShownCursor(top).Name(), "ZoomTool_CursorNoZoom");
    drv.MouseUp(view, CPoint(20, 20));
    EXPECT_EQ(view.GetZoom(), 100.0f);
    view.SetZoom(0.01f);
    drv.MouseDown(view, CPoint(20, 20), plat::headless::Button::Right);
    EXPECT_EQ(drv.ShownCursor(top).Name(), "ZoomTool_CursorNoZoom");
    drv.MouseUp(view, CPoint(20, 20), plat::headless::Button::Right);

    Log log;
    StrokeTool circle(view, 5, log);
    view.SetTool(&circle);
    plat::Cursor cross = cursorAt(CPoint(30, 30));
    EXPECT_EQ(cross.Name(), "CROSS");
    EXPECT_EQ(cross.HotSpot(), CPoint(7, 7));
    view.SetTool(nullptr);  // the platform's arrow
    EXPECT_TRUE(cursorAt(CPoint(31, 30)).IsStandard());
    EXPECT_EQ(drv.ShownCursor(top).Shape(), plat::StdCursor::Arrow);
    // The cursors, four times their size, for people to look at.
    const char* names[] = {"PanTool_CursorHand",
                           "PanTool_CursorHandDrag",
                           "ZoomTool_CursorZoom",
                           "ZoomTool_CursorZoomIn",
                           "ZoomTool_CursorZoomOut",
                           "ZoomTool_CursorNoZoom",
                           "CROSS"};
    plat::Bitmap strip(7 * 20, 20, plat::Color(160, 200, 160)), big(7 * 80, 80);
    plat::DC dc(strip);
    for (int i = 0; i < 7; ++i) {
        plat::Cursor c = Kor::LoadToolCursor(names[i], plat::StdCursor::Arrow);
        ASSERT_FALSE(c.IsStandard()) << names[i];
        dc.DrawImage(i * 20 + 2, 2, *c.Image());
        dc.SetPixel(CPoint(i * 20 + 2 + c.HotSpot().x, 19), plat::Color(255, 0, 0));  // under the hot spot
    }
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 7 * 80; ++x) big.SetPixel(x, y, strip.GetPixel(x / 4, y / 4));
    EXPECT_TRUE(big.SavePng(std::string(KORVANE_TEST_OUTPUT) + "/tool-cursors.png"));
    // A cursor missing from the resources falls back to a standard shape.
    plat::Cursor missing = Kor::LoadToolCursor("NoSuchCursor", plat::StdCursor::Cross);
    EXPECT_TRUE(missing.IsStandard());
    EXPECT_EQ(missing.Shape(), plat::StdCursor::Cross);
}

// A command target that takes command 901 and says so.
class Taker : public Kor::Tool {
public:
    Taker(std::string name, Log& log) : name_(std::move(name)), log_(log) {}

protected:
    const plat::CommandTable* GetCommandTable() const override {
        static const plat::CommandTable table(nullptr, {plat::CommandTable::Command(901, &Taker::OnTake)});
        return &table;
    }

private:
    void OnTake() { log_.push_back(name_); }
    std::string name_;
    Log& log_;
};

TEST_F(Tools, CommandsTheViewDoesNotTakeGoToItsToolsThenToItsTargets) {
    Log log;
    Taker current("current", log), lent("lent", log), editor("editor", log);
    view.AddCommandTarget(&editor);
    EXPECT_TRUE(view.SendCommand(901));
    view.SetTool(&current);
    EXPECT_TRUE(view.SendCommand(901));
    view.SetTemporaryTool(&lent);
    EXPECT_TRUE(view.SendCommand(901));
    view.SetTemporaryTool(nullptr);
    view.SetTool(nullptr);
    view.RemoveCommandTarget(&editor);
    EXPECT_FALSE(view.SendCommand(901));
    EXPECT_EQ(log, (Log{"editor", "current", "lent"}));
}

TEST_F(Tools, TheToolCommandsNeedASheet) {
    plat::CmdUI hand(Kor::ID_TOOL_HAND), zoom(Kor::ID_TOOL_ZOOM);
    ASSERT_TRUE(view.UpdateCommand(hand));
    EXPECT_FALSE(hand.IsEnabled());
    view.SetWorkbenchSize(0, 5);
    plat::CmdUI zoom2(Kor::ID_TOOL_ZOOM);
    ASSERT_TRUE(view.UpdateCommand(zoom2));
    EXPECT_TRUE(zoom2.IsEnabled());
    EXPECT_EQ(zoom2.GetCheck(), 0);
    EXPECT_TRUE(view.SendCommand(Kor::ID_TOOL_ZOOM));
    EXPECT_EQ(view.GetTool(), &view.GetZoomTool());
    ASSERT_TRUE(view.UpdateCommand(zoom));
    EXPECT_EQ(zoom.GetCheck(), 1);
    EXPECT_TRUE(view.SendCommand(Kor::ID_TOOL_HAND));
    EXPECT_EQ(view.GetTool(), &view.GetPanTool());
}

}  // namespace
}  // namespace kortest
