// The mask editor on a headless view: open, close, reopen and destroy;
// brush strokes (one write-back each, however they end; both buttons; near
// and beyond every edge at zoom 0.01 and 100); fills (left, right, double
// click, outside the image); the commands' states; owners that change the
// mask inside SetMask, throw, or go away.
#include "tests/framework/mask_fixture.h"

#include "framework/mask_editor/mask_command_ids.h"
#include "platform/keys.h"

#include <memory>

namespace kortest {
namespace {

using Kor::CPoint;
using plat::headless::Button;

class MaskEditorTest : public MaskTest {
protected:
    RecordingOwner owner{ClearMask(40, 30, true)};
    std::unique_ptr<Kor::MaskEditor> editor;
    EditorLog log;

    void SetUp() override {
        MaskTest::SetUp();
        view.SetWorkbenchSize(40, 30);
        view.SetZoom(4);
        editor = std::make_unique<Kor::MaskEditor>(view);
        editor->AddListener(&log);
        view.shown = &editor->GetBuffer();
        view.SetFocus();
    }
    void TearDown() override {
        if (editor) editor->RemoveListener(&log);
        editor.reset();
    }
    // The view point over the centre of image pixel (x, y).
    CPoint At(float x, float y) { return view.ToWindow({x + 0.5f, y + 0.5f}); }
    void Stroke(CPoint from, CPoint to, Button b = Button::Left) {
        drv.MouseMove(view, from);
        drv.MouseDown(view, from, b);
        drv.MouseMove(view, to);
    }
};

TEST_F(MaskEditorTest, OpenCopiesAndAStrokeGoesBackOnce) {
    owner.mask.set(3, 4, true);
    editor->Open(owner);
    EXPECT_TRUE(editor->IsOpen());
    EXPECT_EQ(view.GetTool(), editor->Brush());
    EXPECT_EQ(editor->Brush()->GetSize(), 20);
    EXPECT_TRUE(SamePixels(editor->GetBuffer(), owner.mask));
    EXPECT_EQ(log.events, (std::vector<std::string>{"state"}));
    editor->Brush()->IncreaseSize(2 - 20);
    Stroke(At(10, 10), At(20, 10));
    // The buffer is ahead of the owner until the stroke ends.
    EXPECT_TRUE(editor->GetBuffer().get(10, 10));
    EXPECT_TRUE(editor->GetBuffer().get(20, 10));
    EXPECT_FALSE(owner.mask.get(20, 10));
    EXPECT_TRUE(owner.names.empty());
    drv.MouseUp(view, At(20, 10));
    EXPECT_EQ(owner.names, (std::vector<std::string>{"Brush"}));
    EXPECT_EQ(log.Count("mask"), 1);
    EXPECT_TRUE(SamePixels(editor->GetBuffer(), owner.mask));
    EXPECT_TRUE(owner.mask.get(3, 4));
    // A right-button stroke erases.
    Stroke(At(20, 10), At(20, 10), Button::Right);
    drv.MouseUp(view, At(20, 10), Button::Right);
    EXPECT_FALSE(owner.mask.get(20, 10));
    EXPECT_TRUE(owner.mask.get(10, 10));
    EXPECT_EQ(owner.names.size(), 2u);
}

TEST_F(MaskEditorTest, BothButtonsPaintNothing) {
    editor->Open(owner);
    drv.MouseMove(view, At(10, 10));
    drv.MouseDown(view, At(10, 10), Button::Left);
    long afterLeft = CountSet(editor->GetBuffer());
    drv.MouseDown(view, At(10, 10), Button::Right);
    drv.MouseMove(view, At(25, 20));
    EXPECT_EQ(CountSet(editor->GetBuffer()), afterLeft);
    drv.MouseUp(view, At(25, 20), Button::Right);
    drv.MouseUp(view, At(25, 20), Button::Left);
    EXPECT_EQ(owner.names.size(), 1u);
}

TEST_F(MaskEditorTest, StrokesNearAndBeyondEveryEdgeAtTheZoomLimits) {
    owner.mask = ClearMask(37, 23, true);
    view.SetWorkbenchSize(37, 23);
    editor->Open(owner);
    for (float zoom : {0.01f, 1.0f, 100.0f}) {
        view.SetZoom(zoom);
        for (int size : {1, 7, 150}) {
            editor->Brush()->IncreaseSize(size - editor->Brush()->GetSize());
            img::bitmap expected = editor->GetBuffer();
            const float places[][2] = {{-0.6f, 5}, {36.4f, 5},  {5, -0.6f}, {5, 22.6f}, {-1e6f, 11},
                                       {1e6f, 11}, {18, -1e6f}, {18, 1e6f}, {0, 0},     {36.9f, 22.9f}};
            for (auto& p : places) {
                view.ScrollDocumentPointTo({p[0], p[1]}, CPoint(150, 100));
                CPoint w = view.ToWindow({p[0], p[1]});
                // Where the view put the point, back in the image.
                types::point<float> d = view.ToDocument(w);
                long cx = long(std::floor(double(d.x) + 0.5)), cy = long(std::floor(double(d.y) + 0.5));
                if (view.GetClientRect().Contains(w)) {
                    drv.MouseMove(view, w);
                    drv.MouseDown(view, w);
                    drv.MouseUp(view, w);
                } else {
                    // Beyond where the view scrolls: the brush alone.
                    editor->Brush()->Select(w, Kor::WireTool::LeftButton);
                }
                if (std::abs(cx) < 100000 && std::abs(cy) < 100000)
                    ReferenceDisc(expected, cx - size, cy - size, size, true);
                ASSERT_TRUE(SamePixels(editor->GetBuffer(), expected))
                    << zoom << " " << size << " " << p[0] << "," << p[1];
            }
            editor->GetBuffer().fill(false);
        }
    }
}

TEST_F(MaskEditorTest, EveryInterruptedStrokeGoesBackOnce) {
    editor->Open(owner);
    editor->Brush()->IncreaseSize(3 - 20);
    auto interrupted = [&](const std::function<void()>& interrupt, const char* what) {
        owner.names.clear();
        if (editor->GetMaskOwner() != &owner) editor->Open(owner);
        if (view.GetTool() != editor->Brush()) view.SetTool(editor->Brush());
        int x = 5 + int(owner.mask.width() > 0 ? CountSet(owner.mask) % 20 : 0);
        Stroke(At(float(x), 12), At(float(x + 4), 14));
        interrupt();
        EXPECT_EQ(owner.names, (std::vector<std::string>{"Brush"})) << what;
        EXPECT_TRUE(owner.mask.get(unsigned(x + 4), 14)) << what;
        // Nothing more comes when the buttons go up afterwards.
        drv.MouseUp(view, At(float(x + 4), 14));
        drv.KeyUp(plat::VK_SPACE);
        drv.KeyUp(plat::VK_CONTROL);
        EXPECT_EQ(owner.names.size(), 1u) << what;
    };
    interrupted([&] { drv.KeyDown(plat::VK_SPACE); }, "Space");
    interrupted([&] { drv.KeyDown(plat::VK_CONTROL); }, "Ctrl");
    interrupted([&] { editor->OnToolFill(); }, "tool change");
    interrupted([&] { editor->Close(); }, "Close");
    RecordingOwner other(ClearMask(10, 10));
    interrupted([&] { editor->Open(other); }, "Open");
    interrupted([&] { drv.BreakGrab(top); }, "capture lost");
    interrupted(
        [&] {
            // Released outside the view, where it is not heard: the next move
            // comes without the button.
            drv.LoseButton(Button::Left);
            drv.MouseMove(view, At(1, 1));
        },
        "release outside");
}

TEST_F(MaskEditorTest, FillsLeftRightAndDoubleClickButNotOutside) {
    // A wall splits the mask: columns 0..9 and 11..39.
    for (unsigned y = 0; y < 30; ++y) owner.mask.set(10, y, true);
    editor->Open(owner);
    editor->OnToolFill();
    EXPECT_EQ(view.GetTool(), editor->Fill());
    drv.Click(view, At(3, 3));
    EXPECT_EQ(owner.names, (std::vector<std::string>{"Fill"}));
    EXPECT_EQ(CountSet(owner.mask), 11 * 30);
    EXPECT_FALSE(plat::App::Instance()->IsWaitCursorShown());
    // A fill on a set pixel changes nothing but still goes back.
    drv.Click(view, At(3, 3));
    EXPECT_EQ(owner.names.size(), 2u);
    // The right button clears, and repaints the view too.
    drv.Flush();
    EXPECT_EQ(view.Snapshot().GetPixel(At(5, 5).x, At(5, 5).y), plat::Color(0, 0, 0));
    drv.Click(view, At(5, 5), Button::Right);
    drv.Flush();
    EXPECT_EQ(view.Snapshot().GetPixel(At(5, 5).x, At(5, 5).y), plat::Color(255, 255, 255));
    EXPECT_EQ(CountSet(owner.mask), 0);
    EXPECT_EQ(owner.names.size(), 3u);
    // Just left of and above the image is outside it (no rounding towards 0).
    drv.Click(view, view.ToWindow({-0.4f, 3}));
    drv.Click(view, view.ToWindow({3, -0.4f}));
    drv.Click(view, view.ToWindow({40.2f, 3}));
    EXPECT_EQ(owner.names.size(), 3u);
    // The second click of a double click fills too.
    drv.DoubleClick(view, At(20, 20));
    EXPECT_EQ(owner.names.size(), 5u);
    EXPECT_EQ(CountSet(owner.mask), 40 * 30);
    drv.DoubleClick(view, At(20, 20), Button::Right);
    EXPECT_EQ(CountSet(owner.mask), 0);
}

TEST_F(MaskEditorTest, CloseRemembersItsOwnToolsOnly) {
    editor->Open(owner);
    editor->OnToolFill();
    editor->Close();
    EXPECT_FALSE(editor->IsOpen());
    EXPECT_EQ(view.GetTool(), nullptr);
    EXPECT_EQ(editor->GetDim(), (types::extent<unsigned>(0, 0)));
    EXPECT_EQ(log.events, (std::vector<std::string>{"state", "state"}));
    editor->Open(owner);
    EXPECT_EQ(view.GetTool(), editor->Fill());
    // The hand current when closing stays on the bench and is not
    // remembered.
    view.SetTool(&view.GetZoomTool());
    editor->Close();
    EXPECT_EQ(view.GetTool(), &view.GetZoomTool());
    EXPECT_EQ(editor->GetRememberedTool(), editor->Fill());
    editor->Open(owner);
    EXPECT_EQ(view.GetTool(), editor->Fill());
}

TEST_F(MaskEditorTest, CommandsAreCheckedThenEnabled) {
    struct OrderUI : plat::CmdUI {
        using plat::CmdUI::CmdUI;
        std::vector<std::string> calls;
        void Enable(bool on) override { calls.push_back(on ? "enable" : "disable"), plat::CmdUI::Enable(on); }
        void SetCheck(int c) override { calls.push_back("check " + std::to_string(c)), plat::CmdUI::SetCheck(c); }
    };
    OrderUI closed(Kor::ID_TOOL_BRUSH);
    EXPECT_TRUE(editor->OnCmdMsg(Kor::ID_TOOL_BRUSH, plat::CN_UPDATE_COMMAND_UI, &closed));
    EXPECT_EQ(closed.calls, (std::vector<std::string>{"check 0", "disable"}));
    editor->OnCmdMsg(Kor::ID_TOOL_FILL, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(view.GetTool(), nullptr);
    editor->Open(owner);
    OrderUI brush(Kor::ID_TOOL_BRUSH), fill(Kor::ID_TOOL_FILL);
    editor->OnCmdMsg(Kor::ID_TOOL_BRUSH, plat::CN_UPDATE_COMMAND_UI, &brush);
    editor->OnCmdMsg(Kor::ID_TOOL_FILL, plat::CN_UPDATE_COMMAND_UI, &fill);
    EXPECT_EQ(brush.calls, (std::vector<std::string>{"check 1", "enable"}));
    EXPECT_EQ(fill.calls, (std::vector<std::string>{"check 0", "enable"}));
    editor->OnCmdMsg(Kor::ID_TOOL_FILL, plat::CN_COMMAND, nullptr);
    EXPECT_EQ(view.GetTool(), editor->Fill());
}

TEST_F(MaskEditorTest, AChangeInsideSetMaskArrivesAfterIt) {
    // An owner that keeps the stroke, adds a pixel of its own and says so
    // from inside SetMask.
    struct AddingOwner : RecordingOwner {
        using RecordingOwner::RecordingOwner;
        Kor::MaskEditor* editor = nullptr;
        void SetMask(const img::bitmap& m, const std::string& name) override {
            RecordingOwner::SetMask(m, name);
            mask.set(0, 0, true);
            editor->UpdateBuffer();
            EXPECT_FALSE(editor->GetBuffer().get(0, 0));  // not while writing back
        }
    } adding(ClearMask(40, 30));
    adding.editor = editor.get();
    editor->Open(adding);
    log.events.clear();
    Stroke(At(20, 20), At(21, 20));
    drv.MouseUp(view, At(21, 20));
    EXPECT_EQ(log.Count("mask"), 1);
    EXPECT_TRUE(editor->GetBuffer().get(0, 0));
    EXPECT_TRUE(SamePixels(editor->GetBuffer(), adding.mask));
    editor->Close();
}

TEST_F(MaskEditorTest, AThrowingOwnerLeavesTheEditorWhole) {
    owner.mask.set(1, 1, true);
    editor->Open(owner);
    owner.failWrite = true;
    // A fill the owner refuses: the error goes on, the wait cursor goes,
    // the buffer shows the owner's mask again.
    EXPECT_THROW(editor->Fill()->OnLButtonDown(0, At(5, 5)), std::runtime_error);
    EXPECT_FALSE(plat::App::Instance()->IsWaitCursorShown());
    EXPECT_TRUE(SamePixels(editor->GetBuffer(), owner.mask));
    EXPECT_EQ(CountSet(editor->GetBuffer()), 1);
    // The editor still reads the owner's changes.
    owner.failWrite = false;
    owner.mask.set(2, 2, true);
    editor->UpdateBuffer();
    EXPECT_TRUE(editor->GetBuffer().get(2, 2));
    // An owner whose mask cannot be read: Open throws and nothing opens.
    editor->Close();
    owner.failRead = true;
    EXPECT_THROW(editor->Open(owner), std::runtime_error);
    EXPECT_FALSE(editor->IsOpen());
    EXPECT_EQ(view.GetTool(), nullptr);
}

TEST_F(MaskEditorTest, DestroyedWhileOpenOrLeftByItsOwner) {
    editor->Open(owner);
    editor->Brush()->IncreaseSize(2 - 20);
    // Destroyed in the middle of a stroke: the stroke goes back, the view
    // keeps no tool of the editor.
    Stroke(At(10, 10), At(12, 10));
    editor->RemoveListener(&log);
    view.shown = nullptr;
    editor.reset();
    EXPECT_EQ(view.GetTool(), nullptr);
    EXPECT_EQ(owner.names, (std::vector<std::string>{"Brush"}));
    EXPECT_TRUE(owner.mask.get(11, 10));
    drv.MouseUp(view, At(12, 10));
    // An owner that goes away closes the editor, mid-stroke too.
    editor = std::make_unique<Kor::MaskEditor>(view);
    editor->AddListener(&log);
    view.shown = &editor->GetBuffer();
    auto gone = std::make_unique<RecordingOwner>(ClearMask(8, 8));
    editor->Open(*gone);
    editor->OnToolFill();
    log.events.clear();
    gone.reset();
    EXPECT_FALSE(editor->IsOpen());
    EXPECT_EQ(editor->GetMaskOwner(), nullptr);
    EXPECT_EQ(view.GetTool(), nullptr);
    EXPECT_EQ(log.events, (std::vector<std::string>{"state"}));
    // The tool it had comes back with the next owner.
    editor->Open(owner);
    EXPECT_EQ(view.GetTool(), editor->Fill());
    // CloseEditors writes a stroke in progress back first.
    editor->OnToolBrush();
    Stroke(At(30, 20), At(31, 20));
    owner.names.clear();
    owner.CloseEditors();
    EXPECT_FALSE(editor->IsOpen());
    EXPECT_EQ(owner.names, (std::vector<std::string>{"Brush"}));
    drv.MouseUp(view, At(31, 20));
}

}  // namespace
}  // namespace kortest
