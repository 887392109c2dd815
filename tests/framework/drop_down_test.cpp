// The drop-down list and the pop-up list it opens: choosing with the mouse
// and the keys, closing without a choice, scrolling a long list.
#include "tests/framework/probes.h"

#include "framework/controls/drop_down.h"

namespace kortest {
namespace {

class DropDownTest : public ToolkitTest {
protected:
    void SetUp() override {
        w.AddControl(&drop);
        drop.SetBounds(CRect(10, 10, 110, 30));
        drop.SetOnSelect([this](int i) { chosen.push_back(i); });
        Show(w);
    }
    plat::PopupList& list() { return drop.GetList(); }
    // The middle of item `i` of the open list, in its client coordinates.
    CPoint ItemPoint(int i) {
        return CPoint(20, 1 + (i - list().GetTopIndex()) * list().ItemHeight() + list().ItemHeight() / 2);
    }

    CustomWindow<plat::Wnd> w;
    DropDown drop{{"alpha", "beta", "gamma"}, 0};
    std::vector<int> chosen;
};

TEST_F(DropDownTest, AClickOpensTheListBelowAndAClickOnAnItemChoosesIt) {
    drv.Click(w, CPoint(50, 20));
    ASSERT_TRUE(drop.IsListOpen());
    EXPECT_TRUE(drv.IsShown(list()));
    CRect anchor = w.ClientToScreen(drop.GetWindowRect());
    EXPECT_EQ(list().GetRect().top, anchor.bottom);
    EXPECT_GE(list().GetRect().Width(), anchor.Width());
    EXPECT_EQ(list().GetCurrent(), 0);
    drv.Click(list(), ItemPoint(2));
    EXPECT_FALSE(drop.IsListOpen());
    EXPECT_EQ(chosen, std::vector<int>{2});
    EXPECT_EQ(drop.GetCurSel(), 2);
}

TEST_F(DropDownTest, APressElsewhereOrEscapeClosesWithoutAChoice) {
    drv.Click(w, CPoint(50, 20));
    ASSERT_TRUE(drop.IsListOpen());
    drv.Click(w, CPoint(200, 150));  // in the window, outside the list
    EXPECT_FALSE(drop.IsListOpen());
    drv.Click(w, CPoint(50, 20));
    ASSERT_TRUE(drop.IsListOpen());
    drv.PressKey(plat::VK_DOWN);
    drv.PressKey(plat::VK_ESCAPE);
    EXPECT_FALSE(drop.IsListOpen());
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(drop.GetCurSel(), 0);
    // The keys are the window's again.
    EXPECT_EQ(w.GetFocusControl(), &w);
}

TEST_F(DropDownTest, TheKeysMoveTheHighlightAndEnterChooses) {
    w.SetFocusControl(&w);
    drop.HandleKeyDown(plat::VK_F1 + 3, 1, 0);  // F4
    ASSERT_TRUE(drop.IsListOpen());
    drv.PressKey(plat::VK_END);
    drv.PressKey(plat::VK_UP);
    drv.PressKey(plat::VK_RETURN);
    EXPECT_EQ(chosen, std::vector<int>{1});
}

TEST_F(DropDownTest, DraggingFromThePressOntoAnItemChoosesItOnRelease) {
    drv.MouseDown(w, CPoint(50, 20));
    ASSERT_TRUE(drop.IsListOpen());
    CPoint onList = list().ClientToScreen(ItemPoint(1)) - w.ClientToScreen(CPoint());
    drv.MouseMove(w, onList);
    drv.MouseUp(w, onList);
    EXPECT_EQ(chosen, std::vector<int>{1});
}

TEST_F(DropDownTest, HidingTheDropDownClosesItsList) {
    drv.Click(w, CPoint(50, 20));
    drop.SetVisible(false);
    EXPECT_FALSE(drop.IsListOpen());
    drop.SetVisible(true);
    drv.Click(w, CPoint(50, 20));
    drop.SetEnabled(false);
    EXPECT_FALSE(drop.IsListOpen());
}

TEST_F(DropDownTest, ALongListScrollsToKeepTheHighlightInView) {
    std::vector<std::string> many;
    for (int i = 0; i < 30; ++i) many.push_back("item " + std::to_string(i));
    drop.SetItems(many);
    drop.SetCurSel(20);
    drv.Click(w, CPoint(50, 20));
    ASSERT_TRUE(drop.IsListOpen());
    EXPECT_TRUE(list().IsScrollBarShown(plat::SB_VERT));
    EXPECT_EQ(list().GetRect().Height(), plat::PopupList::kMaxVisible * list().ItemHeight() + 2);
    EXPECT_LE(list().GetTopIndex(), 20);
    EXPECT_GT(list().GetTopIndex() + plat::PopupList::kMaxVisible, 20);
    drv.PressKey(plat::VK_HOME);
    EXPECT_EQ(list().GetTopIndex(), 0);
    drv.Wheel(list(), ItemPoint(0), -120);
    EXPECT_EQ(list().GetTopIndex(), 3);
    drv.Click(list(), ItemPoint(5));
    EXPECT_EQ(chosen, std::vector<int>{5});
}

}  // namespace
}  // namespace kortest
