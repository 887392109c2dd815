// The basic controls: button click rules, the in-place editor, glyphs and
// their colours, check boxes, the tool bar and its command states.
#include "tests/framework/probes.h"

#include "framework/controls/check_box.h"
#include "framework/controls/glyph_button.h"
#include "framework/controls/pixel_art.h"
#include "framework/controls/text_control.h"
#include "framework/controls/tool_bar.h"

#include <stdexcept>

namespace kortest {
namespace {

class CountingButton : public Button {
public:
    int clicks = 0;
    void HandleClick() override { ++clicks; }
};

class ButtonTest : public ToolkitTest {
protected:
    void SetUp() override {
        b.SetBounds(CRect(10, 10, 60, 40));
        w.AddControl(&b);
        Show(w);
    }
    CustomWindow<plat::Wnd> w;
    CountingButton b;
};

TEST_F(ButtonTest, AButtonClicksOnlyWhenReleasedOverIt) {
    drv.MouseDown(w, CPoint(20, 20));
    EXPECT_TRUE(b.IsPressed());
    drv.MouseMove(w, CPoint(100, 100));
    drv.MouseUp(w, CPoint(100, 100));
    EXPECT_EQ(b.clicks, 0);
    EXPECT_FALSE(b.IsPressed());

    // Out and back in before the release: a click.
    drv.AdvanceClock(1000);  // a press of its own, not the second of a double click
    drv.MouseDown(w, CPoint(20, 20));
    drv.MouseMove(w, CPoint(100, 100));
    drv.MouseMove(w, CPoint(30, 30));
    drv.MouseUp(w, CPoint(30, 30));
    EXPECT_EQ(b.clicks, 1);

    b.SetEnabled(false);
    drv.Click(w, CPoint(20, 20));
    EXPECT_EQ(b.clicks, 1);
}

TEST_F(ButtonTest, ADoubleClickShowsTheSecondPressForAMomentThenClicks) {
    drv.DoubleClick(w, CPoint(20, 20));
    // The second press is shown for a moment of the application clock,
    // whenever the button itself is released.
    EXPECT_EQ(b.clicks, 1);
    EXPECT_TRUE(b.IsPressed());
    drv.AdvanceClock(Button::kDoubleClickPressMs - 1);
    EXPECT_TRUE(b.IsPressed());
    drv.MouseMove(w, CPoint(200, 150));  // moving off does not take the click back
    drv.AdvanceClock(1);
    EXPECT_EQ(b.clicks, 2);
    EXPECT_FALSE(b.IsPressed());
    EXPECT_FALSE(b.HasCapture());
    drv.AdvanceClock(1000);
    EXPECT_EQ(b.clicks, 2);
}

TEST_F(ButtonTest, APressDuringTheMomentEndsItFirst) {
    drv.DoubleClick(w, CPoint(20, 20));
    drv.MouseDown(w, CPoint(20, 20));
    EXPECT_EQ(b.clicks, 2);
    EXPECT_TRUE(b.IsPressed());  // the new press
    drv.AdvanceClock(Button::kDoubleClickPressMs);
    EXPECT_EQ(b.clicks, 2);  // the due release did not come again
    drv.MouseUp(w, CPoint(20, 20));
    EXPECT_EQ(b.clicks, 3);
}

TEST_F(ButtonTest, ADoubleClickedButtonMayBeDisabledOrDestroyedByItsClick) {
    drv.DoubleClick(w, CPoint(20, 20));
    b.SetEnabled(false);
    drv.AdvanceClock(Button::kDoubleClickPressMs);
    EXPECT_EQ(b.clicks, 1);
    EXPECT_FALSE(b.HasCapture());
    b.SetEnabled(true);

    // A button whose click closes what holds it: nothing of it is touched
    // after the click (the sanitizer build checks).
    auto* closing = new Button;
    closing->SetBounds(CRect(100, 10, 150, 40));
    w.AddControl(closing);
    int clicks = 0;
    closing->SetOnClick([&] {
        if (++clicks == 2) delete closing;
    });
    drv.DoubleClick(w, CPoint(110, 20));
    drv.AdvanceClock(Button::kDoubleClickPressMs);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(w.Controls().size() == 1u);
}

// A text control over an int, as typed controls make them.
class NumberText : public TextControl {
public:
    int value = 7;
    bool GetText(std::string& t) override {
        t = std::to_string(value);
        return true;
    }
    void SetText(const std::string& t) override { value = std::stoi(t); }  // throws for "abc"
};

class InplaceTest : public ToolkitTest {
protected:
    void SetUp() override {
        text.SetBounds(CRect(10, 10, 110, 32));
        other.SetBounds(CRect(10, 50, 110, 70));
        w.AddControl(&text);
        w.AddControl(&other);
        Show(w);
    }
    void Open() {
        drv.Click(w, CPoint(20, 20));
        ASSERT_TRUE(text.IsEditing());
        ASSERT_EQ(plat::Wnd::GetFocus(), text.GetEdit());
    }
    CustomWindow<plat::Wnd> w;
    NumberText text;
    Probe other{"other", log, CRect()};
};

TEST_F(InplaceTest, EnterAppliesAndEscapeCancels) {
    Open();
    EXPECT_EQ(text.GetEdit()->GetText(), "7");
    EXPECT_EQ(text.GetEdit()->GetRect(), CRect(10, 10, 110, 32));
    drv.TypeText("42");  // replaces the selected text
    drv.PressKey(plat::VK_RETURN);
    EXPECT_FALSE(text.IsEditing());
    EXPECT_EQ(text.value, 42);

    Open();
    drv.TypeText("5");
    drv.PressKey(plat::VK_ESCAPE);
    EXPECT_FALSE(text.IsEditing());
    EXPECT_EQ(text.value, 42);
    EXPECT_TRUE(text.Controls().empty());
}

TEST_F(InplaceTest, AFailedApplyClosesTheEditAndKeepsTheValue) {
    Open();
    drv.TypeText("abc");
    drv.PressKey(plat::VK_RETURN);
    EXPECT_FALSE(text.IsEditing());
    EXPECT_EQ(text.value, 7);
}

TEST_F(InplaceTest, LosingTheFocusApplies) {
    Open();
    drv.TypeText("13");
    w.SetFocus();  // the focus goes elsewhere
    EXPECT_FALSE(text.IsEditing());
    EXPECT_EQ(text.value, 13);
    // The next edit opens fine after the one that closed itself.
    Open();
    drv.PressKey(plat::VK_ESCAPE);
}

TEST_F(InplaceTest, TheTextAreaShowsTheTextCursor) {
    // The pointer shape is asked before the move reaches the controls.
    drv.MouseMove(w, CPoint(20, 20));
    drv.MouseMove(w, CPoint(21, 20));
    EXPECT_EQ(drv.ShownCursor(w).Shape(), plat::StdCursor::IBeam);
    text.SetEnabled(false);
    drv.MouseMove(w, CPoint(22, 20));
    EXPECT_EQ(drv.ShownCursor(w).Shape(), plat::StdCursor::Arrow);
    drv.Click(w, CPoint(20, 20));
    EXPECT_FALSE(text.IsEditing());
}

// --- Glyphs ---

plat::Bitmap Pixels(std::initializer_list<plat::Color> colours) {
    plat::Bitmap b(int(colours.size()), 1);
    int x = 0;
    for (plat::Color c : colours) b.SetPixel(x++, 0, c);
    return b;
}

TEST(GlyphTest, SysColorGlyphMapsGraysToButtonColours) {
    SysColorGlyph g;
    ASSERT_TRUE(g.Assign(Pixels({{128, 128, 128}, {192, 192, 192}, {255, 0, 0}, {0, 0, 0}, {255, 255, 255}, {160, 160, 160}})));
    const plat::Bitmap& b = g.GetBitmap();
    EXPECT_EQ(b.GetPixel(0, 0), plat::GetSysColor(plat::COLOR_BTNSHADOW));
    EXPECT_EQ(b.GetPixel(1, 0), plat::GetSysColor(plat::COLOR_BTNFACE));
    EXPECT_EQ(b.GetPixel(2, 0), plat::Color(255, 0, 0));
    EXPECT_EQ(b.GetPixel(3, 0), plat::Color(0, 0, 0));
    EXPECT_EQ(b.GetPixel(4, 0), plat::GetSysColor(plat::COLOR_BTNHIGHLIGHT));
    // Half way from shadow (128, 128, 128) to face (212, 208, 200).
    EXPECT_EQ(b.GetPixel(5, 0), plat::Color(170, 168, 164));
}

TEST(GlyphTest, DrawingPlacesTheGlyphAndKeepsWhatLiesUnderItsMask) {
    Glyph g;
    // Two pixels: a red one in the mask, a black one outside it.
    g.Assign(Pixels({{255, 0, 0}, {0, 0, 0}}), Pixels({{255, 255, 255}, {0, 0, 0}}));
    plat::Bitmap target(10, 10, plat::Color(0, 0, 200));
    plat::DC dc(target);
    g.Draw(dc, CRect(0, 0, 10, 10), GLYPH_RIGHT | GLYPH_VCENTER);
    EXPECT_EQ(target.GetPixel(8, 4), plat::Color(255, 0, 0));
    EXPECT_EQ(target.GetPixel(9, 4), plat::Color(0, 0, 200));  // black outside the mask: unchanged
    g.Draw(dc, CRect(2, 2, 10, 10), 0);
    EXPECT_EQ(target.GetPixel(2, 2), plat::Color(255, 0, 0));
    g.Draw(dc, CRect(0, 0, 7, 7), GLYPH_CENTER);  // (7 - 2) / 2 = 2, (7 - 1) / 2 = 3
    EXPECT_EQ(target.GetPixel(2, 3), plat::Color(255, 0, 0));
}

TEST(GlyphTest, GrayedGlyphKeepsOnlyTheDarkShape) {
    GrayedGlyph g;
    g.Assign(Pixels({{0, 0, 0}, {255, 255, 255}, {0, 0, 0}}), Pixels({{255, 255, 255}, {255, 255, 255}, {0, 0, 0}}));
    EXPECT_EQ(g.GetBitmap().GetPixel(0, 0), plat::GetSysColor(plat::COLOR_BTNSHADOW));
    ASSERT_NE(g.GetMask(), nullptr);
    EXPECT_EQ(g.GetMask()->GetPixel(1, 0), plat::Color(0, 0, 0));  // light: gone
    EXPECT_EQ(g.GetMask()->GetPixel(2, 0), plat::Color(0, 0, 0));  // outside the mask: gone
}

TEST(GlyphTest, PixelArtAndItsMask) {
    PixelArt art;
    std::string error;
    ASSERT_TRUE(ParsePixelArt("# a dot\n. transparent\nr ff0000\n--\n.r\nr.\n", art, &error)) << error;
    EXPECT_EQ(art.image.GetSize(), CSize(2, 2));
    EXPECT_EQ(art.image.GetPixel(1, 0), plat::Color(255, 0, 0));
    EXPECT_EQ(art.image.GetPixel(0, 0), plat::Color(0, 0, 0));
    EXPECT_EQ(art.mask.GetPixel(0, 0), plat::Color(0, 0, 0));
    EXPECT_EQ(art.mask.GetPixel(0, 1), plat::Color(255, 255, 255));
    EXPECT_FALSE(ParsePixelArt("r ff0000\n--\nrr\nr\n", art, &error));
    EXPECT_FALSE(ParsePixelArt("r ff0000\n--\nrx\n", art, &error));
    EXPECT_FALSE(ParsePixelArt("r red\n--\nr\n", art, &error));

    // The library's check-box tick, and its mask taken from the same art.
    EXPECT_EQ(LoadGlyphBitmap("KORW_CHECKBOX").GetSize(), CSize(9, 9));
    EXPECT_EQ(LoadGlyphBitmap("KORW_CHECKBOX_MASK").GetPixel(0, 0), plat::Color(255, 255, 255));
    EXPECT_TRUE(LoadGlyphBitmap("NO_SUCH_GLYPH").IsNull());
}

TEST_F(ToolkitTest, ACheckBoxTicksAndShowsItsState) {
    CustomWindow<plat::Wnd> w;
    CheckBox box;
    box.SetBounds(CRect(10, 10, 40, 30));
    w.AddControl(&box);
    Show(w);
    CRect r = box.BoxRect().Offsetted(CPoint(10, 10));
    EXPECT_EQ(r, CRect(14, 14, 25, 25));  // 9 by 9 and its edge, left and centred
    CPoint tick(r.left + 3, r.top + 5);
    EXPECT_EQ(w.Snapshot().GetPixel(tick.x, tick.y), plat::GetSysColor(plat::COLOR_BTNFACE));
    drv.Click(w, CPoint(20, 20));
    EXPECT_EQ(box.GetState(), CheckBox::Ticked);
    EXPECT_EQ(w.Snapshot().GetPixel(tick.x, tick.y), plat::Color(0, 0, 0));
    box.SetState(CheckBox::Indeterminate);
    EXPECT_EQ(w.Snapshot().GetPixel(tick.x, tick.y), plat::GetSysColor(plat::COLOR_BTNSHADOW));
    drv.AdvanceClock(1000);  // a click of its own, not the second of a double click
    drv.Click(w, CPoint(20, 20));
    EXPECT_EQ(box.GetState(), CheckBox::Ticked);
    // Too small for the box: nothing is drawn.
    box.SetBounds(CRect(10, 10, 20, 20));
    EXPECT_TRUE(box.BoxRect().IsEmpty());
}

// --- Tool bar ---

class ToolWindow : public CustomWindow<plat::Wnd> {
public:
    int opened = 0;
    bool canSave = false;

protected:
    const plat::CommandTable* GetCommandTable() const override {
        using T = plat::CommandTable;
        static const T table(nullptr, {T::Command(101, &ToolWindow::OnOpen), T::Command(102, &ToolWindow::OnSave),
                                       T::Update(102, &ToolWindow::OnUpdateSave)});
        return &table;
    }
    void OnOpen() { ++opened; }
    void OnSave() {}
    void OnUpdateSave(plat::CmdUI* ui) {
        ui->Enable(canSave);
        ui->SetCheck(1);
        ui->SetText("Save now");
    }
};

TEST_F(ToolkitTest, ToolButtonsFollowTheirCommandsStatesAndSendThem) {
    ToolWindow w;
    ToolBar bar;
    bar.AddButton(101, "TOOL_HAND", "TOOL_HAND_MASK");
    bar.AddSeparator();
    bar.AddButton(102, "TOOL_ZOOM", "TOOL_ZOOM_MASK");
    bar.AddButton(103, "TOOL_ZOOM");
    EXPECT_EQ(bar.PreferredSize(), CSize(3 * 23 + ToolBar::kSeparatorWidth, 22));
    bar.SetMaxRowWidth(50);
    EXPECT_EQ(bar.PreferredSize(), CSize(46, 44));
    bar.SetBounds(CRect(0, 0, 200, 22));
    EXPECT_EQ(bar.FindButton(102)->Bounds(), CRect(29, 0, 52, 22));
    w.AddControl(&bar);
    Show(w);

    ToolButton* open = bar.FindButton(101);
    ToolButton* save = bar.FindButton(102);
    ToolButton* unknown = bar.FindButton(103);
    EXPECT_TRUE(open->Enabled());
    EXPECT_FALSE(save->Enabled());
    EXPECT_TRUE(save->IsTicked());
    EXPECT_EQ(save->HintText(), "Save now");
    EXPECT_FALSE(unknown->Enabled());  // nobody handles it

    drv.Click(w, open->Bounds().Center());
    EXPECT_EQ(w.opened, 1);
    w.canSave = true;
    app.RunIdle();
    EXPECT_TRUE(save->Enabled());

    // The tool tip shows while the pointer is over a button.
    drv.MouseMove(w, save->Bounds().Center());
    ASSERT_NE(w.GetHintWindow(), nullptr);
    EXPECT_TRUE(w.GetHintWindow()->IsVisible());
    EXPECT_EQ(w.GetHintWindow()->TipText(), "Save now");
    drv.MouseMove(w, CPoint(150, 150));
    EXPECT_FALSE(w.GetHintWindow()->IsVisible());
}

}  // namespace
}  // namespace kortest
