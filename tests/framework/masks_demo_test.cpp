// korvane-masks driven on the headless backend as a user would: a new
// sequence, brush strokes undone and redone with the keys, play and pause
// closing and reopening the editor, numbered BMP files opened (as a BMP is
// read, bottom-up) and saved, and the tool bar's commands.
#include "tests/framework/app_fixture.h"
#include "tests/framework/mask_fixture.h"
#include "tests/framework/view_fixture.h"

#include "contour/read_bmp.h"
#include "contour/write_bmp.h"
#include "demos/korvane-masks/masks_app.h"
#include "framework/app/command_ids.h"
#include "framework/mask_editor/mask_command_ids.h"
#include "framework/playback/playback_command_ids.h"
#include "platform/keys.h"

namespace kortest {
namespace {

using namespace Kor;
using masks::MaskDoc;
using masks::MasksApp;

class MasksDemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitInstance());
        drv.Resize(frame(), plat::Size(640, 420));
        drv.Flush();
    }
    masks::MasksFrame& frame() { return app.GetFrame(); }
    masks::MasksView& view() { return app.GetFrame().view; }
    ToolButton& Tool(unsigned id) { return *frame().toolBar.FindButton(id); }
    void ClickTool(unsigned id) { drv.Click(frame(), Tool(id).GetWindowRect().Center()); }
    CPoint At(float x, float y) { return view().ToWindow({x + 0.5f, y + 0.5f}); }
    void Drag(CPoint from, CPoint to) {
        drv.MouseMove(view(), from);
        drv.MouseDown(view(), from);
        for (int i = 1; i <= 20; ++i)
            drv.MouseMove(view(), CPoint(from.x + (to.x - from.x) * i / 20, from.y + (to.y - from.y) * i / 20));
        drv.MouseUp(view(), to);
    }
    void Ctrl(unsigned key, bool shift = false) {
        drv.KeyDown(plat::VK_CONTROL);
        if (shift) drv.KeyDown(plat::VK_SHIFT);
        drv.PressKey(key);
        if (shift) drv.KeyUp(plat::VK_SHIFT);
        drv.KeyUp(plat::VK_CONTROL);
    }

    ConfigHome config;
    MasksApp app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    MaskDoc& doc = app.GetDoc();
};

TEST_F(MasksDemoTest, PaintUndoAndRedoWithTheKeys) {
    EXPECT_FALSE(Tool(ID_TOOL_BRUSH).Enabled());
    EXPECT_FALSE(Tool(ID_TIME_PLAY_FORWARD).Enabled());
    drv.ChooseMenuCommand(frame(), ID_FILE_NEW);
    drv.Flush();
    EXPECT_EQ(doc.GetFrameCount(), MaskDoc::kNewFrames);
    EXPECT_TRUE(Tool(ID_TIME_PLAY_FORWARD).Enabled());
    ASSERT_TRUE(view().GetEditor().IsOpen());
    EXPECT_EQ(view().GetTool(), view().GetEditor().Brush());
    EXPECT_TRUE(Tool(ID_TOOL_BRUSH).Enabled());
    EXPECT_TRUE(Tool(ID_TOOL_BRUSH).IsTicked());
    img::bitmap before = *doc.GetFrameMask(0);
    Drag(At(10, 50), At(80, 50));
    EXPECT_TRUE(doc.GetFrameMask(0)->get(40, 50));
    EXPECT_EQ(doc.GetActions().Size(), 1u);
    drv.Flush();
    EXPECT_EQ(doc.GetActions().Undoable()->GetName(), "Brush");
    EXPECT_EQ(view().Snapshot().GetPixel(At(40, 50).x, At(40, 50).y), plat::Color(0, 0, 0));
    // Ctrl+Z restores the frame and the editor's buffer, and the picture.
    view().SetFocus();
    Ctrl('Z');
    EXPECT_TRUE(SamePixels(*doc.GetFrameMask(0), before));
    EXPECT_TRUE(SamePixels(view().GetEditor().GetBuffer(), before));
    drv.Flush();
    EXPECT_EQ(view().Snapshot().GetPixel(At(40, 50).x, At(40, 50).y), plat::Color(255, 255, 255));
    Ctrl('Z', true);
    EXPECT_TRUE(view().GetEditor().GetBuffer().get(40, 50));
    // A fill through its tool button and key: "Fill".
    ClickTool(ID_TOOL_FILL);
    EXPECT_EQ(view().GetTool(), view().GetEditor().Fill());
    drv.Click(view(), At(40, 10));
    EXPECT_TRUE(doc.GetFrameMask(0)->get(40, 10));
    drv.Flush();
    EXPECT_EQ(doc.GetActions().Undoable()->GetName(), "Fill");
    view().SetFocus();
    drv.PressKey('B');
    EXPECT_EQ(view().GetTool(), view().GetEditor().Brush());
}

TEST_F(MasksDemoTest, PlayClosesTheEditorAndPauseReopensIt) {
    drv.ChooseMenuCommand(frame(), ID_FILE_NEW);
    view().SetFocus();
    drv.PressKey(plat::VK_RIGHT);
    drv.PressKey(plat::VK_RIGHT);
    EXPECT_EQ(doc.GetCurrentFrame(), 2);
    EXPECT_EQ(view().GetEditor().GetMaskOwner(), doc.GetFrame(2));
    drv.Flush();
    plat::Bitmap paused = view().Snapshot();
    ClickTool(ID_TIME_PLAY_FORWARD);
    EXPECT_FALSE(view().GetEditor().IsOpen());
    EXPECT_EQ(view().GetTool(), nullptr);
    drv.AdvanceClock(view().GetTickPeriod() * 3);
    EXPECT_EQ(doc.GetPlayFrame(), 5);
    drv.Flush();
    EXPECT_GT(Differences(view().Snapshot(), paused), 100);
    ClickTool(ID_TIME_PAUSE);
    EXPECT_EQ(view().GetEditor().GetMaskOwner(), doc.GetFrame(2));
    EXPECT_EQ(view().GetTool(), view().GetEditor().Brush());
    drv.AdvanceClock(view().GetTickPeriod() * 3);
    drv.Flush();
    EXPECT_EQ(Differences(view().Snapshot(), paused), 0);
    // The ends: Home and End, and nothing past them.
    drv.PressKey(plat::VK_END);
    drv.PressKey(plat::VK_RIGHT);
    EXPECT_EQ(doc.GetCurrentFrame(), MaskDoc::kNewFrames - 1);
    drv.PressKey(plat::VK_HOME);
    drv.PressKey(plat::VK_LEFT);
    EXPECT_EQ(doc.GetCurrentFrame(), 0);
    // Closing the file closes the editor.
    drv.ChooseMenuCommand(frame(), ID_FILE_CLOSE);
    EXPECT_FALSE(view().GetEditor().IsOpen());
    EXPECT_EQ(doc.GetFrameCount(), 0);
}

TEST_F(MasksDemoTest, OpensAndSavesNumberedSiblings) {
    // Frames 3 to 6 of a sequence, with a stray file that is not its own.
    for (int n = 3; n <= 6; ++n) {
        img::bitmap m = ClearMask(20, 10);
        m.set(unsigned(n), 2, true);
        img::write_bmp(config.File("shot000" + std::to_string(n) + ".bmp"), m);
    }
    img::write_bmp(config.File("shot0008.bmp"), ClearMask(4, 4));
    drv.AnswerFileDialog(config.File("shot0005.bmp"));
    drv.ChooseMenuCommand(frame(), ID_FILE_OPEN);
    ASSERT_EQ(doc.GetFrameCount(), 4);
    EXPECT_EQ(doc.GetFrameBase(), 3);
    EXPECT_FALSE(doc.GetFrameMask(0)->top_down());  // read as a BMP is stored
    EXPECT_TRUE(doc.GetFrameMask(1)->get(4, 2));
    // A stroke on the bottom-up mask lands where it was drawn.
    view().GetEditor().Brush()->IncreaseSize(1 - view().GetEditor().Brush()->GetSize());
    Drag(At(10, 7), At(10, 7));
    EXPECT_TRUE(doc.GetFrameMask(0)->get(10, 7));
    EXPECT_FALSE(doc.GetFrameMask(0)->get(10, 2));
    drv.ChooseMenuCommand(frame(), ID_FILE_SAVE);
    img::bitmap back;
    img::read_bmp(config.File("shot0003.bmp"), back);
    EXPECT_TRUE(SamePixels(back, *doc.GetFrameMask(0)));
    EXPECT_EQ(doc.FrameFileName(config.File("copy.bmp"), 1), config.File("copy0004.bmp"));
    EXPECT_EQ(doc.FrameFileName(config.File("copy12.bmp"), 1), config.File("copy04.bmp"));
    // An unnumbered file is a sequence of one.
    img::write_bmp(config.File("single.bmp"), ClearMask(5, 5));
    drv.ChooseMenuCommand(frame(), ID_FILE_CLOSE);
    drv.AnswerFileDialog(config.File("single.bmp"));
    drv.ChooseMenuCommand(frame(), ID_FILE_OPEN);
    EXPECT_EQ(doc.GetFrameCount(), 1);
    EXPECT_EQ(doc.FrameFileName(config.File("single.bmp"), 0), config.File("single.bmp"));
}

}  // namespace
}  // namespace kortest
