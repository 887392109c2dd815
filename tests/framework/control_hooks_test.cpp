// What the basic controls offer the typed controls of the property system:
// a check box and a colour box that show a value kept elsewhere, a text
// control that writes only what the user changed, and platform windows
// inside light controls that follow their ancestors.
#include "tests/framework/probes.h"

#include "framework/controls/check_box.h"
#include "framework/controls/color_box.h"
#include "framework/controls/sys_color_glyph.h"
#include "framework/controls/text_control.h"
#include "platform/cursor.h"
#include "platform/utf8.h"

namespace kortest {
namespace {

TEST_F(ToolkitTest, TheLibraryCarriesTheEditorsGlyphs) {
    for (const char* name : {"BUTTONUP", "BUTTONDOWN"}) {
        SysColorGlyph g(name, std::string(name) + "MASK");  // the masks' names without "_"
        EXPECT_TRUE(g.IsLoaded()) << name;
        ASSERT_NE(g.GetMask(), nullptr) << name;
        EXPECT_EQ(g.GetMask()->GetSize(), g.GetBitmap().GetSize());
    }
    EXPECT_TRUE(Glyph("INFO").IsLoaded());
}

// A check box whose state lives in a counter of clicks.
class StateFromOutside : public CheckBox {
public:
    int state = Indeterminate;
    int GetState() const override { return state; }
    void HandleClick() override { state = state == Ticked ? Clear : Ticked; }
};

TEST_F(ToolkitTest, ACheckBoxPaintsAndAnswersThroughItsStateHook) {
    CustomWindow<plat::Wnd> w;
    StateFromOutside box;
    box.SetBounds(CRect(0, 0, 40, 20));
    w.AddControl(&box);
    Show(w);
    auto picture = [&] {
        box.Invalidate();
        return w.Snapshot();
    };
    plat::Bitmap grayed = picture();
    drv.Click(w, CPoint(6, 10));
    EXPECT_EQ(box.state, CheckBox::Ticked);
    plat::Bitmap ticked = picture();
    w.SetFocusControl(&box);
    drv.PressKey(plat::VK_SPACE);
    EXPECT_EQ(box.state, CheckBox::Clear);
    plat::Bitmap clear = picture();
    CPoint tick = box.BoxRect().Center();
    EXPECT_NE(ticked.GetPixel(tick.x, tick.y), clear.GetPixel(tick.x, tick.y));
    EXPECT_NE(grayed.GetPixel(tick.x, tick.y), clear.GetPixel(tick.x, tick.y));
    EXPECT_NE(grayed.GetPixel(tick.x, tick.y), ticked.GetPixel(tick.x, tick.y));
}

// A colour box that shows a colour only while it has one.
class ColourFromOutside : public ColorBox {
public:
    bool has = false;
    unsigned long rgb = 0;
    unsigned long chosen = 0;
    bool GetColor(unsigned long& c) const override {
        c = rgb;
        return has;
    }
    void SetColor(unsigned long c) override { chosen = c; }
    using ColorBox::SetColor;
};

TEST_F(ToolkitTest, AColourBoxShowsTheColourItsHookGives) {
    CustomWindow<plat::Wnd> w;
    ColourFromOutside box;
    box.SetBounds(CRect(0, 0, 30, 20));
    w.AddControl(&box);
    Show(w);
    CPoint mid = box.SwatchRect().Center();
    EXPECT_EQ(w.Snapshot().GetPixel(mid.x, mid.y), plat::GetSysColor(plat::COLOR_BTNFACE));
    box.has = true;
    box.rgb = 0x3366CC;
    box.Invalidate();
    EXPECT_EQ(w.Snapshot().GetPixel(mid.x, mid.y), plat::Color(0x33, 0x66, 0xCC));
    box.ColorBox::SetColor(plat::Color(1, 2, 3));  // the stored colour is not what shows
    EXPECT_EQ(w.Snapshot().GetPixel(mid.x, mid.y), plat::Color(0x33, 0x66, 0xCC));
}

// A text control over a string that counts its writes.
class CountedText : public TextControl {
public:
    std::string value = "1234567.8";
    int writes = 0;
    bool GetText(std::string& t) override {
        t = value;
        return true;
    }
    void SetText(const std::string& t) override {
        value = t;
        ++writes;
    }
};

class TextEditTest : public ToolkitTest {
protected:
    void SetUp() override {
        text.SetBounds(CRect(10, 10, 110, 32));
        w.AddControl(&text);
        Show(w);
    }
    void Open() {
        drv.Click(w, CPoint(20, 20));
        ASSERT_TRUE(text.IsEditing());
    }
    CustomWindow<plat::Wnd> w;
    CountedText text;
};

TEST_F(TextEditTest, OnlyAChangedTextIsWritten) {
    Open();
    drv.PressKey(plat::VK_RETURN);
    w.SetFocus();
    EXPECT_EQ(text.writes, 0);
    Open();
    w.SetFocus();  // leaving without a change
    EXPECT_EQ(text.writes, 0);
    Open();
    drv.TypeText("9");
    drv.PressKey(plat::VK_RETURN);
    EXPECT_EQ(text.writes, 1);
    EXPECT_EQ(text.value, "9");
    // The keys come back to the window after Enter.
    EXPECT_EQ(plat::Wnd::GetFocus(), &w);
}

TEST_F(TextEditTest, EnterOrF2OpensTheEditAndHidingOrDisablingDropsIt) {
    text.HandleKeyDown(plat::VK_F1 + 1, 1, 0);
    ASSERT_TRUE(text.IsEditing());
    drv.TypeText("x");
    text.SetEnabled(false);
    EXPECT_FALSE(text.IsEditing());
    text.SetEnabled(true);
    text.HandleKeyDown(plat::VK_RETURN, 1, 0);
    ASSERT_TRUE(text.IsEditing());
    text.SetVisible(false);
    EXPECT_FALSE(text.IsEditing());
    EXPECT_EQ(text.writes, 0);
    text.HandleKeyDown(plat::VK_RETURN, 1, 0);  // a hidden control opens nothing
    EXPECT_FALSE(text.IsEditing());
}

TEST_F(TextEditTest, TextThatIsNotUtf8IsShownAndEditedAsValidText) {
    text.value = std::string("caf\xC3\xA9 \xFF!");
    Open();
    EXPECT_EQ(text.GetEdit()->GetText(), "caf\xC3\xA9 \xEF\xBF\xBD!");
    w.SetFocus();
    EXPECT_EQ(text.writes, 0);
    EXPECT_EQ(plat::ValidUtf8(std::string("a\0b", 3)), "a");
}

// A text control whose writes free it, as a setter that closes the editor
// holding it would.
class SelfFreeingText : public TextControl {
public:
    explicit SelfFreeingText(bool& freed) : freed_(freed) {}
    ~SelfFreeingText() override { freed_ = true; }
    bool GetText(std::string& t) override {
        t = "a";
        return true;
    }
    void SetText(const std::string&) override { delete this; }

private:
    bool& freed_;
};

TEST_F(ToolkitTest, AWriteMayFreeTheTextControlThatMadeIt) {
    CustomWindow<plat::Wnd> w;
    bool freed = false;
    auto* text = new SelfFreeingText(freed);
    text->SetBounds(CRect(10, 10, 110, 32));
    w.AddControl(text);
    Show(w);
    drv.Click(w, CPoint(20, 20));
    drv.TypeText("b");
    drv.PressKey(plat::VK_RETURN);
    EXPECT_TRUE(freed);
    EXPECT_TRUE(w.Controls().empty());
}

TEST_F(ToolkitTest, AChildWindowHidesAndMovesWithTheControlsAboveIt) {
    CustomWindow<plat::Wnd> host;
    Group outer("outer", log, CRect(10, 10, 200, 150));
    Group inner("inner", log, CRect(5, 5, 150, 100));
    Window<plat::Wnd> child;
    host.AddControl(&outer);
    outer.AddControl(&inner);
    inner.AddControl(&child);
    child.SetBounds(CRect(2, 3, 52, 23));
    outer.SetVisible(false);
    Show(host);
    ASSERT_TRUE(child.Exists());
    EXPECT_FALSE(child.IsVisible());  // made hidden under a hidden ancestor
    outer.SetVisible(true);
    EXPECT_TRUE(child.IsVisible());
    EXPECT_EQ(child.GetRect(), CRect(17, 18, 67, 38));
    outer.SetBounds(CRect(40, 20, 230, 160));  // moved, same size
    EXPECT_EQ(child.GetRect(), CRect(47, 28, 97, 48));
    inner.SetVisible(false);
    EXPECT_FALSE(child.IsVisible());
    // A window that hid itself stays hidden when its ancestors show again.
    WindowVisibleEvent hide(false);
    child.ProcessEvent(hide);
    inner.SetVisible(true);
    EXPECT_FALSE(child.IsVisible());
    WindowVisibleEvent show(true);
    child.ProcessEvent(show);
    EXPECT_TRUE(child.IsVisible());
}

// A child window that paints itself in one colour.
class Painted : public plat::Wnd {
public:
    explicit Painted(plat::Color c) : colour_(c) {}

protected:
    void OnPaint(plat::DC& dc, const plat::Rect&) override { dc.FillSolidRect(GetClientRect(), colour_); }

private:
    plat::Color colour_;
};

TEST_F(ToolkitTest, AWindowThatMovesAwayUncoversTheSiblingBeneath) {
    CustomWindow<plat::Wnd> host;
    Show(host);
    host.ModifyStyle(0, plat::WS_CLIPCHILDREN);
    Painted beneath(plat::Color(10, 200, 10)), above(plat::Color(200, 10, 10));
    ASSERT_TRUE(beneath.Create(&host, CRect(10, 10, 110, 60), plat::WS_CHILD | plat::WS_VISIBLE, 0, "",
                               plat::WS_EX_CLIENTEDGE));
    ASSERT_TRUE(above.Create(&host, CRect(0, 0, 60, 30), plat::WS_CHILD | plat::WS_VISIBLE));
    host.UpdateWindow();  // the edge beneath drawn where it shows
    above.MoveWindow(CRect(200, 100, 260, 130));
    plat::Bitmap pic = host.Snapshot();
    EXPECT_EQ(pic.GetPixel(30, 10), plat::GetSysColor(plat::COLOR_BTNSHADOW));  // its edge
    EXPECT_EQ(pic.GetPixel(30, 20), plat::Color(10, 200, 10));
    above.ShowWindow(plat::SW_HIDE);
    above.MoveWindow(CRect(0, 0, 60, 30));
    above.ShowWindow(plat::SW_SHOW);
    above.Destroy();
    EXPECT_EQ(host.Snapshot().GetPixel(30, 10), plat::GetSysColor(plat::COLOR_BTNSHADOW));
}

}  // namespace
}  // namespace kortest
