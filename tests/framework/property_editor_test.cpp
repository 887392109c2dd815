// The property editor on the headless backend: which rows it makes for one
// or several objects, expansion and the active row across Close and Open,
// the keys, edits in the rows, and its sizes.
#include "tests/framework/editable_samples.h"
#include "tests/framework/probes.h"

#include "framework/property_editor/p_editor.h"
#include "framework/property_editor/property_row.h"
#include "tests/platform/temp_folder.h"

#include <algorithm>
#include <filesystem>

namespace kortest {
namespace {

using namespace Kor;

class EditorTest : public ::testing::Test {
protected:
    plattest::ConfigHome config;
    plat::App app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    // The edited objects outlive the editor.
    Sample s, a, b;
    Other o;
    CustomWindow<plat::Wnd> host;
    plat::Font font{"DejaVu Sans", 11};
    std::unique_ptr<PEditor> editor;

    void SetUp() override {
        app.SetRegistryKey("KorvaneTests");
        app.SetAppName("editor");
        editor = std::make_unique<PEditor>();
        host.SetFont(&font, false);
        host.AddControl(editor.get());
        editor->SetBounds(CRect(0, 0, 300, 400));
        ASSERT_TRUE(host.Create(nullptr, CRect(0, 0, 300, 400), plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE));
        drv.Flush();
    }
    void TearDown() override {
        editor.reset();
        host.Destroy();
    }
    PropertyList& list() { return editor->GetList(); }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (unsigned i = 0; i < list().GetRowCount(); ++i)
            names.push_back(std::string(Row(i).GetLevel(), '>') + Row(i).GetName());
        return names;
    }
    PropertyRow& Row(unsigned i) { return *editor->GetList().GetPropertyRow(i); }
    PropertyRow* Find(const std::string& name) {
        for (unsigned i = 0; i < list().GetRowCount(); ++i)
            if (Row(i).GetName() == name) return &Row(i);
        return nullptr;
    }
    // A point in the list's window over row `r`: in its name column, or in
    // its control.
    CPoint NamePoint(PropertyRow& r) { return r.GetWindowRect().TopLeft() + CPoint(r.NameIndent() + 4, 4); }
    CPoint ControlPoint(PropertyRow& r) { return r.GetControl()->GetWindowRect().TopLeft() + CPoint(6, 5); }
    void Click(CPoint p) { drv.Click(list(), p); }
};

const std::vector<std::string> kClosedRows = {"Colour", "Count",   "Flag",    "Group", "Name",  "Offset", "Params",
                                              ">Count", ">Strict", ">Weight", "Range", "Scale", "Shape",  "Share"};

TEST_F(EditorTest, RowsFollowTheByteOrderOfTheNamesAndDefaultExpansion) {
    editor->Open(&s);
    EXPECT_FALSE(editor->IsEmpty());
    EXPECT_EQ(Names(), kClosedRows);  // Params starts expanded, its fields in their own order
    EXPECT_EQ(editor->GetTopRows().size(), 11u);
    EXPECT_EQ(Row(0).GetRowHeight(), editor->RowHeight());
    EXPECT_GT(editor->RowHeight(), 4);
    EXPECT_EQ(Row(1).GetRowOffset(), editor->RowHeight());
    // Capitals before small letters.
    struct Cased : Editable<Cased> {
        Cased() { ClassProperties(); }
        static void DeclareProperties(PropertyMapClassBase& map) {
            static Property<int> a, b;
            map.Add("alpha", a);
            map.Add("Beta", b);
        }
    } cased;
    editor->Open(&cased);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Beta", "alpha"}));
    editor->Open(static_cast<EditableObject*>(nullptr));
    EXPECT_TRUE(editor->IsEmpty());
    EXPECT_EQ(list().GetRowCount(), 0u);
}

TEST_F(EditorTest, SeveralObjectsShowWhatTheyShareAndAcceptOnly) {
    editor->Open(ObjectList{&a, nullptr, &b});
    EXPECT_EQ(editor->GetObjects().size(), 2u);
    EXPECT_EQ(Names(), kClosedRows);
    // Other has Sample's Scale (which cannot read an Other) and Group, and
    // a Name of its own: only Group is left.
    editor->Open(ObjectList{&a, &o});
    EXPECT_EQ(Names(), std::vector<std::string>{"Group"});
    EXPECT_EQ(a.PropertyListeners().size(), 1u);
    // Nothing in common: nothing opens, nobody is listened to.
    struct Lonely : Editable<Lonely> {
        Lonely() { ClassProperties(); }
        static void DeclareProperties(PropertyMapClassBase& map) {
            static Property<int> x;
            map.Add("Group", x);
        }
    } lonely;
    editor->Open(ObjectList{&a, &lonely});
    EXPECT_TRUE(editor->IsEmpty());
    EXPECT_TRUE(a.PropertyListeners().empty());
    editor->Open(ObjectList{nullptr});
    EXPECT_TRUE(editor->IsEmpty());
}

TEST_F(EditorTest, ExpansionAndTheActiveRowComeBackAfterCloseAndOpen) {
    editor->Open(&s);
    Click(NamePoint(*Find("Group")));  // a press on the name makes it active
    EXPECT_EQ(editor->GetActivePropertyRow(), Find("Group"));
    EXPECT_EQ(editor->GetActiveHint(), "A group of one");
    Click(Find("Group")->ExpanderRect().Center() + Find("Group")->GetWindowRect().TopLeft());
    Click(Find("Inner")->ExpanderRect().Center() + Find("Inner")->GetWindowRect().TopLeft());
    Click(NamePoint(*Find("Flag Copy")));
    editor->Close();
    EXPECT_TRUE(editor->IsEmpty());
    EXPECT_TRUE(s.PropertyListeners().empty());
    editor->Open(&s);
    ASSERT_NE(Find("Flag Copy"), nullptr);
    EXPECT_EQ(Find("Flag Copy")->GetLevel(), 2);
    EXPECT_EQ(editor->GetActivePropertyRow(), Find("Flag Copy"));

    // Collapsing the outer row keeps the inner one expanded for later.
    Find("Group")->Toggle();
    EXPECT_EQ(Find("Inner"), nullptr);
    editor->Close();
    editor->Open(&s);
    EXPECT_EQ(Find("Inner"), nullptr);
    Find("Group")->Toggle();
    ASSERT_NE(Find("Flag Copy"), nullptr);

    // Params follows its default until the user toggles it.
    Find("Params")->Toggle();
    editor->Close();
    editor->Open(&s);
    EXPECT_EQ(Find("Weight"), nullptr);
    // Expanding a row without children does nothing.
    Find("Flag")->Toggle();
    EXPECT_FALSE(Find("Flag")->IsExpanded());
}

TEST_F(EditorTest, TheKeysMoveTheActiveRowAndReachItsControl) {
    editor->Open(&s);
    int rows = int(list().GetRowCount());
    list().SetFocus();
    drv.PressKey(plat::VK_DOWN);  // no active row: nothing
    EXPECT_EQ(list().GetActiveRow(), -1);
    Click(NamePoint(Row(0)));
    ASSERT_EQ(plat::Wnd::GetFocus(), &list());
    drv.PressKey(plat::VK_UP);
    EXPECT_EQ(list().GetActiveRow(), 0);
    drv.PressKey(plat::VK_DOWN);
    drv.PressKey(plat::VK_DOWN);
    EXPECT_EQ(list().GetActiveRow(), 2);
    drv.PressKey(plat::VK_END);
    EXPECT_EQ(list().GetActiveRow(), rows - 1);
    drv.PressKey(plat::VK_DOWN);
    EXPECT_EQ(list().GetActiveRow(), rows - 1);
    drv.PressKey(plat::VK_HOME);
    EXPECT_EQ(list().GetActiveRow(), 0);

    // A page is the visible height, measured from the active row's top.
    editor->SetBounds(CRect(0, 0, 300, 5 * editor->RowHeight() + editor->GetStoredInfoHeight()));
    int page = list().GetPage();
    drv.PressKey(plat::VK_NEXT);
    EXPECT_EQ(list().GetActiveRow(), list().RowFromOffset(page));
    EXPECT_GE(list().GetOffset(), list().GetActivePropertyRow()->GetRowOffset() + editor->RowHeight() - page);
    drv.PressKey(plat::VK_PRIOR);
    EXPECT_EQ(list().GetActiveRow(), 0);
    EXPECT_EQ(list().GetOffset(), 0);

    // Left collapses, Right expands, Space ticks a check box.
    list().SetActiveRow(list().GetRowCount() - 1);
    list().SetActiveRow(int(Find("Params")->GetRowIndex()));
    drv.PressKey(plat::VK_LEFT);
    EXPECT_FALSE(Find("Params")->IsExpanded());
    drv.PressKey(plat::VK_RIGHT);
    EXPECT_TRUE(Find("Params")->IsExpanded());
    list().SetActiveRow(int(Find("Strict")->GetRowIndex()));
    drv.PressKey(plat::VK_LEFT);  // a row without children: its parent becomes active
    EXPECT_EQ(editor->GetActivePropertyRow(), Find("Params"));
    list().SetActiveRow(int(Find("Flag")->GetRowIndex()));
    drv.PressKey(plat::VK_SPACE);
    EXPECT_TRUE(s.flag);
}

TEST_F(EditorTest, EnterAppliesAndEscapeDropsAnEditInARow) {
    editor->Open(&s);
    PropertyRow& count = *Find("Count");
    list().SetFocus();
    list().SetActiveRow(count.GetRowIndex());
    drv.PressKey(plat::VK_RETURN);  // opens the row's edit
    auto* text = dynamic_cast<TextControl*>(count.GetControl());
    ASSERT_TRUE(text && text->IsEditing());
    EXPECT_EQ(text->GetEdit()->GetText(), "1");
    drv.TypeText("42");
    drv.PressKey(plat::VK_RETURN);
    EXPECT_EQ(s.count, 42u);
    EXPECT_FALSE(text->IsEditing());
    EXPECT_EQ(plat::Wnd::GetFocus(), &list());  // the keys are the list's again
    drv.PressKey(plat::VK_DOWN);
    EXPECT_EQ(editor->GetActivePropertyRow(), Find("Flag"));

    Click(ControlPoint(*Find("Scale")));  // a press on a control also activates its row
    EXPECT_EQ(editor->GetActivePropertyRow(), Find("Scale"));
    text = dynamic_cast<TextControl*>(Find("Scale")->GetControl());
    ASSERT_TRUE(text && text->IsEditing());
    drv.TypeText("7");
    drv.PressKey(plat::VK_ESCAPE);
    EXPECT_EQ(s.scale, 1.f);
    EXPECT_FALSE(text->IsEditing());
}

TEST_F(EditorTest, OpeningAndLeavingAnEditWritesNothing) {
    a.scale = 1234567.8f;
    b.scale = a.scale;
    a.name = "left";
    b.name = "right";
    editor->Open(ObjectList{&a, &b});
    Click(ControlPoint(*Find("Scale")));
    auto* scale = dynamic_cast<TextControl*>(Find("Scale")->GetControl());
    ASSERT_TRUE(scale->IsEditing());
    EXPECT_EQ(scale->GetEdit()->GetText(), "1.23457e+06");
    Click(ControlPoint(*Find("Name")));  // away, into the names that differ
    EXPECT_EQ(a.scale, 1234567.8f);
    auto* name = dynamic_cast<TextControl*>(Find("Name")->GetControl());
    ASSERT_TRUE(name->IsEditing());
    EXPECT_EQ(name->GetEdit()->GetText(), "");
    list().SetFocus();
    EXPECT_EQ(a.name, "left");
    EXPECT_EQ(b.name, "right");
}

TEST_F(EditorTest, ACheckBoxRowWritesTheNegationOfTheFirstObject) {
    b.flag = true;
    editor->Open(ObjectList{&a, &b});
    auto* box = dynamic_cast<CheckBox*>(Find("Flag")->GetControl());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetState(), CheckBox::Indeterminate);
    Click(box->GetWindowRect().TopLeft() + box->BoxRect().Center());
    EXPECT_TRUE(a.flag);
    EXPECT_TRUE(b.flag);
    EXPECT_EQ(box->GetState(), CheckBox::Ticked);
    EXPECT_EQ(editor->GetActivePropertyRow(), Find("Flag"));
}

TEST_F(EditorTest, ControlsFollowVisibilityAndReadOnlyAtOnceAndWhenTheyApply) {
    s.hidden = true;
    editor->Open(&s);
    EXPECT_FALSE(Find("Offset")->GetControl()->Visible());  // from its creation on
    s.hidden = false;
    s.PropertiesChanged();  // the editor updates its rows
    EXPECT_TRUE(Find("Offset")->GetControl()->Visible());

    // An edit opened before the count turned read-only does not write.
    Click(ControlPoint(*Find("Count")));
    auto* count = dynamic_cast<TextControl*>(Find("Count")->GetControl());
    ASSERT_TRUE(count->IsEditing());
    drv.TypeText("5");
    s.locked = true;  // no update told the control
    drv.PressKey(plat::VK_RETURN);
    EXPECT_EQ(s.count, 1u);
    // A click that comes before the update does not write either.
    auto* flag = dynamic_cast<CheckBox*>(Find("Flag")->GetControl());
    ASSERT_NE(flag, nullptr);
    Sample::flagProperty.ReadOnlyWhen(
        boost::shared_ptr<ReadAccess<bool>>(new ObjectValue<Sample, bool>(&Sample::locked)));
    flag->HandleClick();
    Sample::flagProperty.ReadOnlyWhen(nullptr);
    EXPECT_FALSE(s.flag);
    s.PropertiesChanged();
    EXPECT_FALSE(count->Enabled());
}

// An object whose setter reopens the editor, as a document that changes
// what is shown when a value changes.
class Reopening : public Editable<Reopening> {
public:
    Reopening() { ClassProperties(); }
    PEditor* editor = nullptr;
    int value = 0;
    bool flag = false;
    void SetValue(const int& v) {
        value = v;
        editor->Open(this);
    }
    void SetFlag(const bool& f) {
        flag = f;
        editor->Open(this);
    }
    int GetValue() const { return value; }
    bool GetFlag() const { return flag; }
    static void DeclareProperties(PropertyMapClassBase& map) {
        static Property<int> value;
        static Property<bool> flag;
        value.Read(
            boost::shared_ptr<ReadAccess<int>>(new GetObjectValueFunction<Reopening, int>(&Reopening::GetValue)));
        value.Write(
            boost::shared_ptr<WriteAccess<int>>(new SetObjectRefFunction<Reopening, int>(&Reopening::SetValue)));
        flag.Read(
            boost::shared_ptr<ReadAccess<bool>>(new GetObjectValueFunction<Reopening, bool>(&Reopening::GetFlag)));
        flag.Write(
            boost::shared_ptr<WriteAccess<bool>>(new SetObjectRefFunction<Reopening, bool>(&Reopening::SetFlag)));
        map.Add("Value", value);
        map.Add("Flag", flag);
    }
};

TEST_F(EditorTest, ASetterMayCloseAndReopenTheEditorFromItsOwnControl) {
    Reopening r;
    r.editor = editor.get();
    editor->Open(&r);
    Click(ControlPoint(*Find("Value")));
    drv.TypeText("12");
    drv.PressKey(plat::VK_RETURN);  // the commit's setter frees the row and its control
    EXPECT_EQ(r.value, 12);
    drv.Flush();
    ASSERT_NE(Find("Value"), nullptr);
    // The same from a click, and from an edit left for another row's.
    auto* flag = Find("Flag")->GetControl();
    Click(flag->GetWindowRect().TopLeft() + dynamic_cast<CheckBox*>(flag)->BoxRect().Center());
    EXPECT_TRUE(r.flag);
    drv.Flush();
    Click(ControlPoint(*Find("Value")));
    drv.TypeText("3");
    Click(NamePoint(*Find("Flag")));  // the edit loses the focus and commits
    EXPECT_EQ(r.value, 3);
    drv.Flush();
    EXPECT_EQ(list().GetRowCount(), 2u);
    editor->Close();
}

TEST_F(EditorTest, EveryKindOfValueIsEditedInItsRow) {
    a.colour = ColorValue(0x30, 0x20, 0x10, 200);
    b.colour = ColorValue(0x30, 0x20, 0x10, 100);
    editor->Open(&a);
    // A percentage is shown and read as one.
    Click(ControlPoint(*Find("Share")));
    auto* share = dynamic_cast<TextControl*>(Find("Share")->GetControl());
    ASSERT_TRUE(share->IsEditing());
    EXPECT_EQ(share->GetEdit()->GetText(), "25.0%");
    drv.TypeText("50 %");
    drv.PressKey(plat::VK_RETURN);
    EXPECT_FLOAT_EQ(float(a.share), 0.5f);

    // A colour comes from a palette, keeping its alpha.
    auto* colour = dynamic_cast<TypedControl<ColorValue>*>(Find("Colour")->GetControl());
    ASSERT_NE(colour, nullptr);
    unsigned long rgb = 0;
    ASSERT_TRUE(colour->GetColor(rgb));
    EXPECT_EQ(rgb, 0x102030u);
    Click(ControlPoint(*Find("Colour")));
    ASSERT_TRUE(colour->IsPaletteOpen());
    plat::PopupList& palette = colour->GetPalette();
    EXPECT_EQ(palette.GetCurrent(), -1);  // not a palette colour
    int red = int(std::find(PaletteColors().begin(), PaletteColors().end(), 0xFF0000ul) - PaletteColors().begin());
    drv.Click(palette, CPoint(10, 1 + red * palette.ItemHeight() + 3));
    EXPECT_FALSE(colour->IsPaletteOpen());
    EXPECT_EQ(a.colour, ColorValue(0, 0, 0xFF, 200));

    // A span has its halves below it.
    Find("Range")->Toggle();
    ASSERT_NE(Find("Last"), nullptr);
    EXPECT_EQ(Find("Last")->GetLevel(), 1);
    Click(ControlPoint(*Find("Last")));
    drv.TypeText("-9");
    drv.PressKey(plat::VK_RETURN);
    EXPECT_EQ(a.range, Span(2, -9));

    // Objects that disagree show no colour, and a choice goes to both.
    editor->Open(ObjectList{&a, &b});
    colour = dynamic_cast<TypedControl<ColorValue>*>(Find("Colour")->GetControl());
    EXPECT_FALSE(colour->GetColor(rgb));
    colour->SetColor(0x00FF00ul);
    EXPECT_EQ(a.colour, ColorValue(0, 0xFF, 0, 200));  // the first object's alpha
    EXPECT_EQ(b.colour, ColorValue(0, 0xFF, 0, 200));
}

TEST_F(EditorTest, ADestroyedEditorStopsListeningAndADestroyedObjectClosesIt) {
    editor->Open(&s);
    ASSERT_EQ(s.PropertyListeners().size(), 1u);
    editor.reset();
    EXPECT_TRUE(s.PropertyListeners().empty());
    s.PropertiesChanged();

    editor = std::make_unique<PEditor>();
    host.AddControl(editor.get());
    editor->SetBounds(CRect(0, 0, 300, 400));
    auto gone = std::make_unique<Sample>();
    editor->Open(ObjectList{&a, gone.get()});
    Click(ControlPoint(*Find("Name")));
    gone.reset();
    EXPECT_TRUE(editor->IsEmpty());
    EXPECT_TRUE(a.PropertyListeners().empty());
}

TEST_F(EditorTest, SizesStayWithinTheEditorAndComeFromTheProfile) {
    editor->Open(&s);
    editor->SetCaptionWidth(-40);
    EXPECT_EQ(editor->GetStoredCaptionWidth(), 8);
    editor->SetCaptionWidth(10000);
    EXPECT_EQ(editor->GetCaptionWidth(), list().ClientWidth() - 8);
    editor->SetBounds(CRect(0, 0, 12, 10));  // narrower than 16, lower than 19
    EXPECT_EQ(editor->GetCaptionWidth(), 0);
    EXPECT_EQ(editor->GetInfoHeight(), 0);
    EXPECT_GE(list().Bounds().Height(), 0);
    EXPECT_GE(Row(0).GetControl()->Bounds().Width(), 0);
    editor->ShowInfo(false);
    EXPECT_EQ(editor->GetInfoHeight(), 0);
    editor->ShowInfo(true);
    editor->SetCaptionWidth(140);
    editor->SetInfoHeight(60);
    editor.reset();  // writes the sizes

    EXPECT_EQ(app.GetProfileInt(PEditor::kProfileSection, "Caption", 0), 140);
    EXPECT_EQ(app.GetProfileInt(PEditor::kProfileSection, "Info", 0), 60);
    app.WriteProfileInt(PEditor::kProfileSection, "Info", -500);
    app.WriteProfileInt(PEditor::kProfileSection, "Caption", -3);
    PEditor again;
    EXPECT_EQ(again.GetStoredInfoHeight(), InfoPanel::kOneLineHeight);
    EXPECT_EQ(again.GetStoredCaptionWidth(), 8);
}

TEST_F(EditorTest, TheSplittersResizeTheColumnAndTheInformation) {
    editor->Open(&s);
    editor->SetCaptionWidth(100);
    VSplitter& names = editor->GetList().GetNameSplitter();
    CPoint at = names.GetWindowRect().Center();
    drv.MouseDown(list(), at);
    drv.MouseMove(list(), at + CPoint(30, 0));
    drv.MouseUp(list(), at + CPoint(30, 0));
    EXPECT_EQ(editor->GetCaptionWidth(), 130);
    EXPECT_EQ(Row(0).GetControl()->Bounds().left, 131);
    int info = editor->GetInfoHeight();
    CPoint bar = editor->GetInfoSplitter().GetWindowRect().Center();
    drv.MouseDown(host, bar);
    drv.MouseMove(host, bar - CPoint(0, 20));
    drv.MouseUp(host, bar - CPoint(0, 20));
    EXPECT_EQ(editor->GetInfoHeight(), info + 20);
    EXPECT_EQ(editor->GetInfoPanel().Bounds().Height(), info + 20);
}

TEST_F(EditorTest, AnEditOfARowThatGoesAwayIsDropped) {
    editor->Open(&s);
    Click(ControlPoint(*Find("Weight")));
    auto* weight = dynamic_cast<TextControl*>(Find("Weight")->GetControl());
    ASSERT_TRUE(weight->IsEditing());
    Find("Params")->Toggle();
    EXPECT_FALSE(weight->IsEditing());
    EXPECT_EQ(s.paramWrites, 0);
    // A list opened from a row goes with the row too.
    Click(ControlPoint(*Find("Shape")));
    auto* shape = dynamic_cast<DropDown*>(Find("Shape")->GetControl());
    ASSERT_TRUE(shape->IsListOpen());
    drv.PressKey(plat::VK_DOWN);
    drv.PressKey(plat::VK_RETURN);
    EXPECT_EQ(s.shape, Shape::Square);
    std::size_t windows = app.TopLevels().size();
    Click(ControlPoint(*Find("Shape")));
    ASSERT_TRUE(shape->IsListOpen());
    EXPECT_EQ(app.TopLevels().size(), windows + 1);
    editor->Close();  // frees the drop-down; its list is gone first
    EXPECT_EQ(app.TopLevels().size(), windows);
}

TEST_F(EditorTest, HidingThePanelAboveHidesTheListWindow) {
    CustomWindow<plat::Wnd> frame;
    Log log;
    Group panel("panel", log, CRect(20, 10, 320, 410));
    PEditor inner;
    panel.AddControl(&inner);
    frame.AddControl(&panel);
    inner.SetBounds(CRect(0, 0, 300, 400));
    ASSERT_TRUE(frame.Create(nullptr, CRect(0, 0, 400, 450), plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE));
    inner.Open(&s);
    ASSERT_TRUE(inner.GetList().IsVisible());
    EXPECT_EQ(inner.GetList().GetRect().TopLeft(), CPoint(20, 10));
    panel.SetBounds(CRect(60, 10, 360, 410));
    EXPECT_EQ(inner.GetList().GetRect().TopLeft(), CPoint(60, 10));
    panel.SetVisible(false);
    EXPECT_FALSE(inner.GetList().IsVisible());
    panel.SetVisible(true);
    EXPECT_TRUE(inner.GetList().IsVisible());
    inner.Close();
    frame.Destroy();
}

TEST_F(EditorTest, APictureOfTheEditor) {
    s.name = "Example";
    editor->Open(&s);
    Click(NamePoint(*Find("Count")));
    list().SetFocus();
    drv.Flush();
    std::filesystem::create_directories(KORVANE_TEST_OUTPUT);
    std::string path = std::string(KORVANE_TEST_OUTPUT) + "/property-editor.png";
    ASSERT_TRUE(drv.SavePng(host, path));
    plat::Bitmap pic = host.Snapshot();
    // The active row's background, left of its name.
    CPoint active = Find("Count")->GetWindowRect().TopLeft() + list().GetRect().TopLeft() + CPoint(3, 3);
    EXPECT_EQ(pic.GetPixel(active.x, active.y), plat::Color(0xE0, 0xE0, 0xFF));
    // The information panel's face below the list.
    CRect info = editor->GetInfoPanel().GetWindowRect();
    EXPECT_EQ(pic.GetPixel(info.right - 2, info.bottom - 2), plat::GetSysColor(plat::COLOR_BTNFACE));
}

}  // namespace
}  // namespace kortest
