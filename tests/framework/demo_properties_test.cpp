// korvane-demo's "Properties" panel, driven on the headless backend: its
// rows edit the view's settings, which change what the view draws, and
// stay in step with the "Line" panel's check box and colour box.
#include "tests/framework/app_fixture.h"

#include "demos/korvane-demo/demo_app.h"
#include "demos/korvane-demo/demo_strings.h"

namespace kortest {
namespace {

using namespace Kor;

class DemoProperties : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitInstance());
        drv.Resize(frame(), plat::Size(760, 600));
        drv.Flush();
        doc.SetLines({"one", "two", "three"});
    }
    demo::DemoFrame& frame() { return app.GetFrame(); }
    PropertyList& list() { return frame().properties.GetList(); }
    PropertyRow& Row(unsigned nameId) {
        PropertyRow* r = frame().FindPropertyRow(nameId);
        EXPECT_NE(r, nullptr) << nameId;
        return *r;
    }
    // Clicks the middle of a row's control (the box of a check box).
    void ClickControl(PropertyRow& row) {
        Widget* c = row.GetControl();
        CPoint p = c->GetWindowRect().Center();
        if (auto* box = dynamic_cast<CheckBox*>(c)) p = box->GetWindowRect().TopLeft() + box->BoxRect().Center();
        drv.Click(list(), p);
    }
    void TypeInto(PropertyRow& row, const std::string& text) {
        ClickControl(row);
        drv.TypeText(text);
        drv.PressKey(plat::VK_RETURN);
    }
    // The first column of the view with a pixel that is not the background.
    int FirstInk() {
        plat::Bitmap shot = frame().GetView()->Snapshot();
        plat::Color bg = shot.GetPixel(shot.Width() - 3, shot.Height() - 3);
        for (int x = 0; x < shot.Width(); ++x)
            for (int y = 2; y < 40; ++y)
                if (shot.GetPixel(x, y) != bg && x > 1) return x;
        return -1;
    }

    ConfigHome config;
    demo::DemoApp app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    demo::TextDoc& doc = app.GetDoc();
};

TEST_F(DemoProperties, TheRowsEditTheSettingsTheViewDrawsBy) {
    EXPECT_EQ(list().GetPropertyRow(0)->GetName(), "Lines");
    std::string lines;
    ASSERT_TRUE(dynamic_cast<TextControl*>(Row(demo::IDS_LINE_COUNT).GetControl())->GetText(lines));
    EXPECT_EQ(lines, "3");
    EXPECT_FALSE(Row(demo::IDS_LINE_COUNT).GetControl()->Enabled());

    int before = FirstInk();
    TypeInto(Row(demo::IDS_INDENT), "60");
    EXPECT_EQ(doc.GetView().indent, 60);
    EXPECT_EQ(FirstInk(), before + 54);

    // The check box row numbers the lines; its group's row appears.
    EXPECT_FALSE(Row(demo::IDS_FIRST_NUMBER).GetControl()->Visible());
    ClickControl(Row(demo::IDS_NUMBERS));
    EXPECT_TRUE(doc.GetView().numbers);
    EXPECT_TRUE(Row(demo::IDS_FIRST_NUMBER).GetControl()->Visible());
    EXPECT_EQ(frame().line.numbers.GetState(), CheckBox::Ticked);  // the Line panel's box follows
    CPoint tick = frame().line.numbers.GetWindowRect().TopLeft() + frame().line.numbers.BoxRect().Center();
    plat::Bitmap shot = frame().Snapshot();
    EXPECT_EQ(shot.GetPixel(tick.x, tick.y), plat::Color(0, 0, 0));  // and shows it
    drv.Click(frame(), frame().line.numbers.GetWindowRect().Center());
    EXPECT_FALSE(doc.GetView().numbers);
    EXPECT_EQ(dynamic_cast<CheckBox*>(Row(demo::IDS_NUMBERS).GetControl())->GetState(), CheckBox::Clear);

    // Locked, the layout is read-only.
    ClickControl(Row(demo::IDS_LOCK_LAYOUT));
    EXPECT_TRUE(doc.GetView().locked);
    EXPECT_FALSE(Row(demo::IDS_INDENT).GetControl()->Enabled());
    ClickControl(Row(demo::IDS_INDENT));
    EXPECT_FALSE(dynamic_cast<TextControl*>(Row(demo::IDS_INDENT).GetControl())->IsEditing());
}

TEST_F(DemoProperties, TheColourBoxAndTheColourRowShowOneColour) {
    drv.Click(frame(), frame().line.colour.GetWindowRect().Center());  // the second of three colours
    unsigned long rgb = 0;
    auto* row = dynamic_cast<TypedControl<ColorValue>*>(Row(demo::IDS_TEXT_COLOUR).GetControl());
    ASSERT_TRUE(row && row->GetColor(rgb));
    EXPECT_EQ(rgb, (unsigned long)demo::ColourChoice::kColours[1].Packed());
    row->SetColor(0x0000FFul);
    ASSERT_TRUE(frame().line.colour.GetColor(rgb));
    EXPECT_EQ(rgb, 0x0000FFul);
}

TEST_F(DemoProperties, LettersAndLinesShownChangeTheText) {
    auto* letterCase = dynamic_cast<DropDown*>(Row(demo::IDS_LETTER_CASE).GetControl());
    ASSERT_NE(letterCase, nullptr);
    EXPECT_EQ(letterCase->GetItemText(letterCase->GetCurSel()), "As Typed");
    ClickControl(Row(demo::IDS_LETTER_CASE));
    ASSERT_TRUE(letterCase->IsListOpen());
    drv.PressKey(plat::VK_DOWN);
    drv.PressKey(plat::VK_RETURN);
    EXPECT_EQ(doc.GetView().letterCase, demo::LetterCase::Upper);
    Row(demo::IDS_SHOWN_LINES).Toggle();
    TypeInto(*frame().FindPropertyRow(IDS_SPAN_FIRST), "2");
    EXPECT_EQ(doc.GetView().lines, Span(2, 1000));
    EXPECT_EQ(doc.Lines().size(), 3u);  // the text itself is unchanged
}

}  // namespace
}  // namespace kortest
