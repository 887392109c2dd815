// A view in the main frame: commands reach its layers and tools first (the
// tool bar's hand and zoom buttons, their keys), the view has the keyboard
// when the frame gets it and after every press, and Alt+Tab takes the
// modifiers away.
#include "tests/framework/app_fixture.h"
#include "tests/framework/view_fixture.h"

#include "framework/app/command_ids.h"
#include "framework/controls/tool_bar.h"
#include "framework/frame/widget_panel.h"
#include "framework/views/view_command_ids.h"
#include "platform/accel.h"
#include "platform/keys.h"

namespace kortest {
namespace {

using Kor::CPoint;
using Kor::CRect;

class ViewFrame : public Kor::Frame {
public:
    explicit ViewFrame(MemoryDoc& doc) : Kor::Frame(doc), toolsPanel(*this, toolBar, 4) {
        toolBar.AddButton(Kor::ID_TOOL_HAND, "TOOL_HAND", "TOOL_HAND_MASK");
        toolBar.AddButton(Kor::ID_TOOL_ZOOM, "TOOL_ZOOM", "TOOL_ZOOM_MASK");
        toolsPanel.SetCaption("Tools");
        GetToolBar().AddPanel(toolsPanel);
    }
    ~ViewFrame() override {
        if (Exists()) Destroy();
    }
    plat::Wnd* GetView() const override { return const_cast<CheckerView*>(&view); }

    CheckerView view;
    Kor::ToolBar toolBar;
    Kor::WidgetPanel toolsPanel;

protected:
    bool OnCreate() override {
        if (!Kor::Frame::OnCreate()) return false;
        if (!view.Create(this, CRect(), plat::WS_CHILD | plat::WS_VISIBLE | plat::WS_BORDER, Kor::AFX_IDW_PANE_FIRST))
            return false;
        RecalcLayout();
        return true;
    }
};

class FrameViewTest : public ::testing::Test {
protected:
    ConfigHome config;
    Kor::App<MemoryDoc, ViewFrame> app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    std::unique_ptr<plat::AccelTable> keys = plat::AccelTable::Parse("H 60001\nZ 60002\n");

    void SetUp() override {
        ASSERT_TRUE(app.InitApplication());
        drv.Resize(frame(), plat::Size(800, 600));
        frame().SetAccelerators(keys.get());
        drv.Flush();
    }
    ViewFrame& frame() { return app.GetFrame(); }
    // Idle time: the tool bar asks for its buttons' states.
    void Idle() {
        app.GetBackend().RequestIdle();
        drv.Flush();
    }
    CheckerView& view() { return frame().view; }
};

TEST_F(FrameViewTest, ToolCommandsReachTheViewWhenItHasASheet) {
    Kor::ToolButton* hand = frame().toolBar.FindButton(Kor::ID_TOOL_HAND);
    Kor::ToolButton* zoom = frame().toolBar.FindButton(Kor::ID_TOOL_ZOOM);
    ASSERT_TRUE(hand && zoom);
    EXPECT_FALSE(hand->Enabled());  // no sheet yet
    EXPECT_EQ(plat::Wnd::GetFocus(), &view());
    drv.PressKey('Z');  // disabled: the key does nothing
    EXPECT_EQ(view().GetTool(), nullptr);

    view().SetWorkbenchSize(640, 480);
    Idle();
    EXPECT_TRUE(hand->Enabled());
    EXPECT_FALSE(hand->IsTicked());
    drv.PressKey('Z');
    EXPECT_EQ(view().GetTool(), &view().GetZoomTool());
    Idle();
    EXPECT_TRUE(zoom->IsTicked());
    drv.Click(frame(), hand->GetWindowRect().Center());
    EXPECT_EQ(view().GetTool(), &view().GetPanTool());
    Idle();
    EXPECT_TRUE(hand->IsTicked());
    EXPECT_FALSE(zoom->IsTicked());
    // The hint of the framework's own strings.
    EXPECT_EQ(hand->HintText(), "Hand (H)");
    // The tool's keys reach it: the hand scrolls with the arrows.
    drv.PressKey(plat::VK_DOWN);
    EXPECT_EQ(view().GetScrollPosition().y, 5);
}

TEST_F(FrameViewTest, TheViewHasTheKeyboardWhenTheFrameGetsIt) {
    view().SetWorkbenchSize(640, 480);
    Idle();
    // A button of the frame takes the focus to the frame; it comes back.
    Kor::ToolButton* zoom = frame().toolBar.FindButton(Kor::ID_TOOL_ZOOM);
    frame().SetFocus();
    EXPECT_EQ(plat::Wnd::GetFocus(), &frame());
    drv.Flush();
    EXPECT_EQ(plat::Wnd::GetFocus(), &view());
    drv.Click(frame(), zoom->GetWindowRect().Center());
    EXPECT_EQ(plat::Wnd::GetFocus(), &view());
    // Space gives the hand while held; Alt+Tab in the middle lets it go.
    drv.MouseMove(view(), CPoint(100, 100));
    drv.KeyDown(plat::VK_SPACE);
    EXPECT_EQ(view().GetTemporaryTool(), &view().GetPanTool());
    EXPECT_EQ(drv.ShownCursor(frame()).Name(), "PanTool_CursorHand");
    drv.Activate(frame(), false);
    EXPECT_EQ(view().GetTemporaryTool(), nullptr);
    drv.Activate(frame(), true);
    EXPECT_EQ(plat::Wnd::GetFocus(), &view());
    EXPECT_EQ(view().GetTool(), &view().GetZoomTool());
}

}  // namespace
}  // namespace kortest
