// The progress dialog and the clipboard helpers.
#include "tests/framework/app_fixture.h"

#include "framework/clipboard/clipboard.h"
#include "framework/progress/progress_dlg.h"
#include "platform/controls.h"
#include "platform/message_box.h"

namespace kortest {
namespace {

using namespace Kor;

TEST_F(AppTest, ClipboardCopyEndsLinesWithCarriageReturns) {
    ClipboardCopy("1\t2\n3\t4\n5\t6");
    EXPECT_EQ(drv.ClipboardText(), "1\t2\r\n3\t4\r\n5\t6");
    ClipboardCopy("a\r\nb");  // a carriage return already there stays
    EXPECT_EQ(drv.ClipboardText(), "a\r\r\nb");
    ClipboardCopy("no line feed");
    EXPECT_EQ(drv.ClipboardText(), "no line feed");
    ClipboardCopyAsIs("x\ny");
    EXPECT_EQ(drv.ClipboardText(), "x\ny");
    EXPECT_TRUE(app.GetActivities().empty());

    std::string pasted = "old";
    ClipboardPaste(pasted);
    EXPECT_EQ(pasted, "x\ny");
    EXPECT_TRUE(IsClipboardPasteReady());
}

TEST_F(AppTest, PastingAnEmptyClipboardGivesNothing) {
    EXPECT_FALSE(IsClipboardPasteReady());
    std::string pasted = "old";
    ClipboardPaste(pasted);
    EXPECT_EQ(pasted, "");
}

class ProgressTest : public AppTest {
protected:
    void SetUp() override { MakeFrame(); }
    std::string Text(ProgressDlg& d) { return d.GetItemText(ProgressDlg::IDC_TEXT); }
    plat::ProgressBar* Bar(ProgressDlg& d) { return dynamic_cast<plat::ProgressBar*>(d.GetDlgItem(ProgressDlg::IDC_PROGRESS)); }
};

TEST_F(ProgressTest, ResetShowsTheRangeAndIncrementAdvances) {
    ProgressDlg dlg(&app.GetFrame(), true);
    EXPECT_FALSE(app.GetFrame().IsEnabled());
    dlg.Reset(10, 0);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(Text(dlg), "0 / 10");
    ASSERT_NE(Bar(dlg), nullptr);
    EXPECT_EQ(Bar(dlg)->GetPos(), 0);
    EXPECT_EQ(Bar(dlg)->GetHigh(), 10);
    EXPECT_TRUE(dlg.Increment());
    EXPECT_TRUE(dlg.Increment());
    EXPECT_EQ(Text(dlg), "2 / 10");
    EXPECT_EQ(Bar(dlg)->GetPos(), 2);
    EXPECT_EQ(dlg.Current(), 2u);
}

TEST_F(ProgressTest, CancelStopsTheWorkAndTheParentComesBack) {
    {
        ProgressDlg dlg(&app.GetFrame(), true);
        dlg.Reset(5, 0);
        auto* cancel = dynamic_cast<plat::PushButton*>(dlg.GetDlgItem(plat::IDCANCEL));
        ASSERT_NE(cancel, nullptr);
        cancel->Click();
        EXPECT_FALSE(dlg.Increment());
        EXPECT_TRUE(dlg.Exists());
    }
    EXPECT_TRUE(app.GetFrame().IsEnabled());

    // A dialog whose window went early still gives the parent back.
    {
        ProgressDlg dlg(&app.GetFrame(), true);
        dlg.Destroy();
    }
    EXPECT_TRUE(app.GetFrame().IsEnabled());

    // Without disabling, the parent is left as it was.
    ProgressDlg free(&app.GetFrame(), false);
    EXPECT_TRUE(app.GetFrame().IsEnabled());
}

}  // namespace
}  // namespace kortest
