// The program `vexilo` on the headless backend: its window before and after
// a mask is opened, the menus and their enabling rules, the tools with their
// keys and cursors, the layers of the view, the clipboard texts compared
// with what the batch command prints, the export, a dropped file.
#include "tests/app/program_fixture.h"

#include "app/about.h"
#include "fitting/svg_text.h"
#include "framework/app/command_ids.h"
#include "framework/clipboard/clipboard.h"
#include "framework/property_editor/property_row.h"
#include "framework/views/view_command_ids.h"
#include "platform/accel.h"
#include "platform/dc.h"
#include "platform/dialog.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/resources.h"
#include "tests/cli/run_program.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <sstream>

namespace apptest {
namespace {

using Kor::CPoint;
using Kor::CRect;
using plat::headless::Button;

const std::string kRounded = VEXILO_EXAMPLES "/rounded.bmp";
const std::string kCorners = VEXILO_EXAMPLES "/corners.bmp";
const std::string kCornerPins = VEXILO_EXAMPLES "/corners-pins.txt";

// The view as it paints itself.
plat::Bitmap Paint(ChildView& view) {
    CRect client = view.GetClientRect();
    plat::Bitmap image(client.Width(), client.Height());
    plat::DC dc(image);
    view.PaintWorkbench(&dc, client);
    return image;
}

int CountPixels(const plat::Bitmap& image, plat::Color c) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) n += image.GetPixel(x, y) == c;
    return n;
}

const plat::Color kGreen(0, 255, 0), kBlue(0, 0, 255), kRed(255, 0, 0), kDarkRed(127, 0, 0), kWhite(255, 255, 255);

// --- Before any mask ---

TEST_F(ProgramTest, TheMenusAsTheUserSeesThem) {
    plat::Menu* bar = frame().GetMenu();
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> titles, texts;
    for (int i = 0; i < bar->ItemCount(); ++i) {
        titles.push_back(bar->ItemAt(i).text);
        plat::Menu* menu = bar->GetSubMenu(i);
        for (int j = 0; menu && j < menu->ItemCount(); ++j)
            if (!menu->ItemAt(j).IsSeparator() && menu->ItemAt(j).id != Kor::ID_FILE_MRU_FILE1)
                texts.push_back(std::to_string(menu->ItemAt(j).id) + " " + menu->ItemAt(j).text);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "PolyBezier", "Pins", "&View", "&Help"}));
    EXPECT_EQ(texts, (std::vector<std::string>{"57601 &Open...", "57602 &Close", "57665 E&xit", "32784 Copy",
                                               "32780 Clear", "32786 Build", "32790 Export SVG...", "32785 Clear",
                                               "32788 Copy", "32789 Paste", "32777 Polyline", "32782 Junction Knots",
                                               "32783 Bezier Tangents", "32787 Pins", "57664 &About Vexilo..."}));
    EXPECT_EQ(plat::CommandPrompt(ID_POLYBEZIER_BUILD),
              "Computes the best Bezier spline that approximates the current polyline, this may take long time");
    EXPECT_EQ(plat::CommandTip(ID_VIEW_PINS), "Show Pins");
    EXPECT_EQ(plat::CommandPrompt(Kor::ID_APP_EXIT), "Quit the application");

    // The Part's accelerators, then Open, Close and Exit.
    std::unique_ptr<plat::AccelTable> keys = plat::AccelTable::FromResource("128");
    ASSERT_TRUE(keys);
    const std::pair<const char*, unsigned> expected[] = {{"Ctrl+C", Kor::ID_EDIT_COPY},
                                                         {"Ctrl+Insert", Kor::ID_EDIT_COPY},
                                                         {"Shift+Delete", Kor::ID_EDIT_CUT},
                                                         {"Ctrl+X", Kor::ID_EDIT_CUT},
                                                         {"Ctrl+V", Kor::ID_EDIT_PASTE},
                                                         {"Shift+Insert", Kor::ID_EDIT_PASTE},
                                                         {"Alt+Backspace", Kor::ID_EDIT_UNDO},
                                                         {"Ctrl+Z", Kor::ID_EDIT_UNDO},
                                                         {"F6", Kor::ID_NEXT_PANE},
                                                         {"Shift+F6", Kor::ID_PREV_PANE},
                                                         {"H", Kor::ID_TOOL_HAND},
                                                         {"Z", Kor::ID_TOOL_ZOOM},
                                                         {"P", ID_TOOL_PIN},
                                                         {"Ctrl+O", Kor::ID_FILE_OPEN},
                                                         {"Ctrl+W", Kor::ID_FILE_CLOSE},
                                                         {"Ctrl+Q", Kor::ID_APP_EXIT}};
    ASSERT_EQ(keys->Entries().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        unsigned modifiers = 0, key = 0;
        ASSERT_TRUE(plat::AccelTable::ParseKey(expected[i].first, modifiers, key)) << expected[i].first;
        const plat::Accel& a = keys->Entries()[i];
        EXPECT_TRUE(a.key == key && a.modifiers == modifiers && a.command == expected[i].second) << expected[i].first;
    }
}

TEST_F(ProgramTest, WithoutAMaskOnlyTheFileAndHelpCommandsWork) {
    EXPECT_EQ(drv.Title(frame()), "Vexilo");
    Kor::ClipboardCopy("10 10 3 1\n");
    for (unsigned id : std::initializer_list<unsigned>{
             ID_POLYBEZIER_COPY, ID_POLYBEZIER_CLEAR, ID_POLYBEZIER_BUILD, ID_POLYBEZIER_EXPORT_SVG, ID_PINS_CLEAR,
             ID_PINS_COPY, ID_PINS_PASTE, ID_VIEW_POLYLINE, ID_VIEW_KNOTS, ID_VIEW_TANGENTS, ID_VIEW_PINS,
             unsigned(Kor::ID_TOOL_HAND), unsigned(Kor::ID_TOOL_ZOOM), ID_TOOL_PIN, unsigned(Kor::ID_FILE_CLOSE)})
        EXPECT_FALSE(State(id).enabled) << id;
    for (unsigned id : std::initializer_list<unsigned>{Kor::ID_FILE_OPEN, Kor::ID_APP_EXIT, Kor::ID_APP_ABOUT})
        EXPECT_TRUE(State(id).enabled) << id;
    // The layer switches start as the view does: polyline, knots and pins on.
    EXPECT_EQ(State(ID_VIEW_POLYLINE).check, 1);
    EXPECT_EQ(State(ID_VIEW_KNOTS).check, 1);
    EXPECT_EQ(State(ID_VIEW_TANGENTS).check, 0);
    EXPECT_EQ(State(ID_VIEW_PINS).check, 1);

    // The tool bar: hand, zoom, a gap, the pin with its own tip.
    Idle();
    std::vector<Kor::ToolButton*> buttons = frame().toolBar.Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[2]->GetCommand(), ID_TOOL_PIN);
    EXPECT_EQ(buttons[2]->HintText(), "Pin (P) Junctions");
    EXPECT_EQ(buttons[0]->HintText(), "Hand (H)");
    EXPECT_EQ(buttons[0]->GetWindowRect().Width(), 21);
    drv.PressKey('P');
    EXPECT_EQ(view().GetTool(), nullptr);
    EXPECT_TRUE(frame().propertyEditor.IsEmpty());
    EXPECT_FALSE(frame().IsBottomVisible());
}

// --- A mask opened, a curve built ---

TEST_F(ProgramTest, OpeningAMaskShowsItsNameSheetAndProperties) {
    Open(kRounded);
    ASSERT_EQ(drv.FileDialogs().size(), 1u);
    EXPECT_EQ(drv.FileDialogs()[0].title, "Select monochrome bitmap depicting a mask to import its contour");
    EXPECT_EQ(drv.FileDialogs()[0].filter, "Bitmap Files (*.bmp)|*.bmp||");
    EXPECT_EQ(drv.FileDialogs()[0].defaultExt, "bmp");
    EXPECT_EQ(drv.Title(frame()), "rounded.bmp - Vexilo");
    const Doc& doc = app.GetDoc();
    EXPECT_EQ(view().GetWorkbenchSize(),
              (types::extent<float>(float(doc.GetBitmapWidth()), float(doc.GetBitmapHeight()))));
    EXPECT_FALSE(frame().propertyEditor.IsEmpty());
    for (unsigned id : std::initializer_list<unsigned>{unsigned(Kor::ID_TOOL_HAND), unsigned(Kor::ID_TOOL_ZOOM),
                                                       ID_TOOL_PIN, ID_POLYBEZIER_BUILD, ID_VIEW_POLYLINE})
        EXPECT_TRUE(State(id).enabled) << id;

    // Cancelling another Open keeps the mask.
    drv.CancelFileDialog();
    drv.ChooseMenuCommand(frame(), Kor::ID_FILE_OPEN);
    EXPECT_EQ(drv.Title(frame()), "rounded.bmp - Vexilo");
    EXPECT_FALSE(doc.GetPolyline().empty());

    // Ctrl+W closes it.
    drv.KeyDown(plat::VK_CONTROL);
    drv.PressKey('W');
    drv.KeyUp(plat::VK_CONTROL);
    EXPECT_EQ(drv.Title(frame()), "Vexilo");
    EXPECT_TRUE(frame().propertyEditor.IsEmpty());
    EXPECT_TRUE(view().GetWorkbenchSize().empty());
}

TEST_F(ProgramTest, BuildAndCopyGiveTheBatchCommandsControlPoints) {
    Open(kRounded);
    // The estimation runs step by step on the build thread, behind the
    // progress dialog, which disables the frame meanwhile.
    std::atomic<int> steps{0};
    std::atomic<bool> frameDisabled{false};
    app.GetDoc().SetStepHook([&] {
        ++steps;
        if (!frame().IsWindowEnabled()) frameDisabled = true;
    });
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_POLYBEZIER_BUILD));
    app.GetDoc().SetStepHook(nullptr);
    EXPECT_GT(steps, 0);
    EXPECT_TRUE(frameDisabled);
    EXPECT_TRUE(frame().IsWindowEnabled());
    ASSERT_TRUE(app.GetDoc().HasCurve());
    EXPECT_FALSE(State(ID_POLYBEZIER_BUILD).enabled);
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_POLYBEZIER_COPY));
    run_result fit = run_vexilo_fit({kRounded});
    ASSERT_EQ(fit.status, 0) << fit.err;
    EXPECT_EQ(Clipboard(), fit.out);
    for (unsigned id : std::initializer_list<unsigned>{ID_VIEW_KNOTS, ID_VIEW_TANGENTS, ID_POLYBEZIER_CLEAR,
                                                       ID_POLYBEZIER_EXPORT_SVG})
        EXPECT_TRUE(State(id).enabled) << id;
}

TEST_F(ProgramTest, PinsFromTheToolAndFromThePasteBuildAsTheBatchCommandDoes) {
    Open(kCorners);
    std::vector<std::string> records;
    {
        std::ifstream in(kCornerPins);
        for (std::string line; std::getline(in, line);) records.push_back(line);
    }
    ASSERT_EQ(records.size(), 10u);
    drv.PressKey('P');
    ASSERT_EQ(view().GetTool(), &view().GetPinTool());
    // Half of them placed with the right button (corners), a circle of the
    // file's radius...
    view().GetPinTool().IncreaseSize(2 - view().GetPinTool().GetSize());
    for (std::size_t i = 0; i < 5; ++i) {
        std::istringstream in(records[i]);
        float x = 0, y = 0;
        in >> x >> y;
        CPoint p = view().ToWindow(types::point<float>(x, y));
        drv.MouseMove(view(), p);
        drv.Click(view(), p, Button::Right);
    }
    EXPECT_EQ(app.GetDoc().GetAreas().size(), 5u);
    EXPECT_TRUE(drv.MessageBoxes().empty());
    // ... and the other half pasted.
    std::string rest;
    for (std::size_t i = 5; i < 10; ++i) rest += records[i] + "\n";
    Kor::ClipboardCopy(rest);
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_PINS_PASTE));
    ASSERT_EQ(app.GetDoc().GetAreas().size(), 10u);

    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_POLYBEZIER_BUILD));
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_POLYBEZIER_COPY));
    run_result fit = run_vexilo_fit({"--pins", kCornerPins, kCorners});
    ASSERT_EQ(fit.status, 0) << fit.err;
    EXPECT_EQ(Clipboard(), fit.out);
    // Pins › Copy gives them back in the file's form, in the document's order.
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_PINS_COPY));
    EXPECT_EQ(Clipboard(), app.GetDoc().AreasText());
    EXPECT_NE(Clipboard().find("\t2\t0\n"), std::string::npos);
}

// --- Tools ---

TEST_F(ProgramTest, EachToolHasItsKeyButtonAndCursor) {
    Open(kRounded);
    CPoint inside = view().GetClientRect().Center();
    drv.MouseMove(view(), inside);
    const std::pair<unsigned, const char*> tools[] = {
        {'H', "PanTool_CursorHand"}, {'Z', "ZoomTool_CursorZoom"}, {'P', "CROSS"}};
    for (const auto& [key, cursor] : tools) {
        drv.PressKey(key);
        Idle();
        EXPECT_EQ(drv.ShownCursor(frame()).Name(), cursor) << char(key);
    }
    EXPECT_EQ(State(ID_TOOL_PIN).check, 1);
    EXPECT_EQ(State(Kor::ID_TOOL_HAND).check, 0);
    EXPECT_TRUE(frame().toolBar.FindButton(ID_TOOL_PIN)->IsTicked());
    // Space lends the hand while held.
    drv.KeyDown(plat::VK_SPACE);
    EXPECT_EQ(drv.ShownCursor(frame()).Name(), "PanTool_CursorHand");
    drv.KeyUp(plat::VK_SPACE);
    EXPECT_EQ(drv.ShownCursor(frame()).Name(), "CROSS");
    // The zoom tool's keypad keys, with the indicator following.
    drv.PressKey('Z');
    drv.PressKey(plat::VK_ADD);
    EXPECT_EQ(view().GetZoom(), 2.0f);
    EXPECT_EQ(frame().GetStatusBar().GetIndicator().rfind("200%", 0), 0u);
    // The circle's size: ] and [ change the pin tool's radius.
    drv.PressKey('P');
    int size = view().GetPinTool().GetSize();
    drv.PressKey(plat::VK_OEM_6);
    EXPECT_EQ(view().GetPinTool().GetSize(), size + 1);
}

TEST_F(ProgramTest, APinStrokePlacesOnePinWhereItBegan) {
    Open(kRounded);
    drv.PressKey('P');
    CPoint p = OverNode(0), q = OverNode(app.GetDoc().GetPolyline().size() / 2);
    drv.MouseMove(view(), p);
    drv.MouseDown(view(), p);
    drv.MouseMove(view(), q);  // across the polyline
    drv.MouseUp(view(), q);
    ASSERT_EQ(app.GetDoc().GetAreas().size(), 1u);
    EXPECT_TRUE(app.GetDoc().GetAreas()[0].smooth);
    EXPECT_EQ(app.GetDoc().GetAreas()[0].radius, float(PinTool::kInitialSize));
    // With both buttons held the stroke places nothing (nor counts as
    // having placed a pin).
    view().GetPinTool().Select(q, Kor::WireTool::LeftButton | Kor::WireTool::RightButton);
    EXPECT_EQ(app.GetDoc().GetAreas().size(), 1u);
    EXPECT_FALSE(view().GetPinTool().IsApplied());
}

TEST_F(ProgramTest, ARefusedPinDoesNotSwallowTheNextClick) {
    Open(kRounded);
    drv.PressKey('P');
    // Far from every node: refused, with the document's message.
    CPoint corner = view().GetSheetRect().TopLeft();
    drv.MouseMove(view(), corner);
    drv.Click(view(), corner);
    ASSERT_EQ(drv.MessageBoxes().size(), 1u);
    EXPECT_EQ(drv.MessageBoxes()[0].text, "The area contains no nodes of the polyline.");
    EXPECT_FALSE(view().GetPinTool().IsApplied());
    // The very next click places its pin.
    CPoint p = OverNode(0);
    drv.MouseMove(view(), p);
    drv.Click(view(), p, Button::Right);
    ASSERT_EQ(app.GetDoc().GetAreas().size(), 1u);
    EXPECT_FALSE(app.GetDoc().GetAreas()[0].smooth);
}

TEST_F(ProgramTest, AfterCloseThePinToolIgnoresClicks) {
    Open(kRounded);
    drv.PressKey('P');
    drv.ChooseMenuCommand(frame(), Kor::ID_FILE_CLOSE);
    CPoint p = view().GetClientRect().Center();
    drv.MouseMove(view(), p);
    drv.Click(view(), p);
    EXPECT_TRUE(drv.MessageBoxes().empty());
    EXPECT_TRUE(app.GetDoc().GetAreas().empty());
    EXPECT_FALSE(State(ID_TOOL_PIN).enabled);
}

// --- The view's layers ---

TEST_F(ProgramTest, EachViewSwitchShowsOrHidesItsLayer) {
    Open(kRounded);
    drv.PressKey('P');
    drv.MouseMove(view(), OverNode(0));
    drv.Click(view(), OverNode(0), Button::Right);  // a blue corner pin
    drv.PressKey('H');
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_POLYBEZIER_BUILD));
    view().ZoomToFit();

    plat::Bitmap before = Paint(view());
    EXPECT_GT(CountPixels(before, kGreen), 0);
    EXPECT_GT(CountPixels(before, kBlue), 0);
    EXPECT_EQ(CountPixels(before, kDarkRed), 0);
    int red = CountPixels(before, kRed);
    EXPECT_GT(red, 0);

    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_VIEW_TANGENTS));
    EXPECT_EQ(State(ID_VIEW_TANGENTS).check, 1);
    EXPECT_GT(CountPixels(Paint(view()), kDarkRed), 0);
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_VIEW_KNOTS));
    EXPECT_EQ(State(ID_VIEW_KNOTS).check, 0);
    EXPECT_LT(CountPixels(Paint(view()), kRed), red);
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_VIEW_POLYLINE));
    EXPECT_EQ(CountPixels(Paint(view()), kGreen), 0);
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_VIEW_PINS));
    EXPECT_EQ(State(ID_VIEW_PINS).check, 0);
    EXPECT_EQ(CountPixels(Paint(view()), kBlue), 0);

    // With their layer off, the pin tool still shows the pins; switching
    // the layer off while it is selected puts the tool away.
    drv.PressKey('P');
    EXPECT_GT(CountPixels(Paint(view()), kBlue), 0);
    drv.PressKey('H');
    EXPECT_EQ(CountPixels(Paint(view()), kBlue), 0);
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_VIEW_PINS));
    drv.PressKey('P');
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_VIEW_PINS));
    EXPECT_EQ(view().GetTool(), nullptr);
}

TEST_F(ProgramTest, TheSheetIsWhiteToItsEdgesAtAnyZoom) {
    Open(kRounded);
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_VIEW_POLYLINE));
    for (float zoom : {0.37f, 1.0f, 1.5f, 2.3f, 3.7f, 7.1f}) {
        view().SetZoom(zoom);
        plat::Bitmap image = Paint(view());
        CRect sheet = view().GetSheetRect().Intersection(view().GetClientRect());
        int gaps = 0;
        for (int y = sheet.top; y < sheet.bottom; ++y)
            for (int x = sheet.left; x < sheet.right; ++x) gaps += image.GetPixel(x, y) != kWhite;
        EXPECT_EQ(gaps, 0) << "zoom " << zoom;
        if (sheet.left > 0) {
            EXPECT_NE(image.GetPixel(sheet.left - 1, sheet.top), kWhite) << "zoom " << zoom;
        }
    }
}

TEST_F(ProgramTest, ThePropertyRowsFollowThePins) {
    Open(kRounded);
    auto rowShown = [&](const std::string& name) {
        Kor::PropertyList& list = frame().propertyEditor.GetList();
        for (unsigned i = 0; i < list.GetRowCount(); ++i) {
            Kor::PropertyRow* row = list.GetPropertyRow(i);
            if (row->GetName() == name) return row->GetControl() && row->GetControl()->Visible();
        }
        return false;
    };
    ASSERT_TRUE(rowShown("Max Junctions"));
    // A pin, and nothing else (no idle time either): the rows that pins
    // hide go at once.
    const outline::node n = app.GetDoc().GetPolyline().at(0);
    ASSERT_TRUE(app.GetDoc().AddArea(outline::real_point{float(n.x), float(n.y)}, 3.0f, true));
    EXPECT_FALSE(rowShown("Max Junctions"));
    app.GetDoc().ClearAreas();
    EXPECT_TRUE(rowShown("Max Junctions"));
}

// --- Export, drop, indicator, About ---

TEST_F(ProgramTest, ExportSvgWritesTheCurveAndAsksBeforeOverwriting) {
    Open(kRounded);
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_POLYBEZIER_BUILD));
    const std::string path = config.File("rounded.svg");
    drv.AnswerFileDialog(config.File("rounded"));  // the extension comes by default
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), ID_POLYBEZIER_EXPORT_SVG));
    ASSERT_EQ(drv.FileDialogs().size(), 2u);
    EXPECT_FALSE(drv.FileDialogs()[1].open);
    EXPECT_EQ(drv.FileDialogs()[1].title, "Export the curve as SVG");
    const Doc& doc = app.GetDoc();
    std::string svg = outline::svg_text(doc.GetControlPoints(), doc.GetBitmapWidth(), doc.GetBitmapHeight());
    EXPECT_EQ(file_text(path), svg);

    // The same name again: the user is asked, and No keeps the file.
    std::ofstream(path) << "kept";
    drv.AnswerFileDialog(path);
    drv.AnswerMessageBox(plat::IDNO);
    drv.ChooseMenuCommand(frame(), ID_POLYBEZIER_EXPORT_SVG);
    ASSERT_EQ(drv.MessageBoxes().size(), 1u);
    EXPECT_NE(drv.MessageBoxes()[0].text.find("rounded.svg"), std::string::npos);
    EXPECT_EQ(file_text(path), "kept");
    drv.AnswerFileDialog(path);
    drv.AnswerMessageBox(plat::IDYES);
    drv.ChooseMenuCommand(frame(), ID_POLYBEZIER_EXPORT_SVG);
    EXPECT_EQ(file_text(path), svg);

    // A folder that is not there: the error names the file.
    EXPECT_THROW(frame().ExportSvg(config.File("missing/rounded.svg")), std::runtime_error);
    app.ClearActivities();
}

TEST_F(ProgramTest, AMaskDroppedOnTheWindowOpens) {
    Open(kRounded);
    drv.DropFiles(frame(), {kCorners, kRounded});
    EXPECT_EQ(drv.Title(frame()), "corners.bmp - Vexilo");
    EXPECT_EQ(app.GetRecentFiles().Files().front(), plat::FullPath(kCorners));
}

TEST_F(ProgramTest, TheIndicatorShowsTheZoomAndThePointerInMaskPixels) {
    EXPECT_EQ(frame().GetStatusBar().GetIndicator(), "100%");
    Open(kRounded);
    const outline::node n = app.GetDoc().GetPolyline().at(0);
    drv.MouseMove(view(), OverNode(0));
    EXPECT_EQ(frame().GetStatusBar().GetIndicator(), "100%  " + std::to_string(n.x) + ", " + std::to_string(n.y));
    drv.PointerLeaves(frame());
    EXPECT_EQ(frame().GetStatusBar().GetIndicator(), "100%");
}

TEST_F(ProgramTest, TheAboutBoxNamesTheProgramAndItsVersion) {
    std::string caption;
    std::vector<std::string> texts;
    drv.OnModal([&](plat::Wnd& dialog) {
        caption = dialog.GetText();
        for (plat::Wnd* child : dialog.GetChildren()) texts.push_back(child->GetText());
        drv.SavePng(dialog, VEXILO_TEST_OUTPUT "/vexilo-about.png");
        static_cast<plat::Dialog&>(dialog).EndDialog(1);
    });
    ASSERT_TRUE(drv.ChooseMenuCommand(frame(), Kor::ID_APP_ABOUT));
    EXPECT_EQ(caption, "About Vexilo");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Vexilo Version 1.0"), texts.end());
    EXPECT_EQ(AboutDlg::Template().size, plat::Size(362, 96));  // 241 by 59 dialog units
}

// --- Strings ---

std::map<unsigned, std::string> Table(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    std::map<unsigned, std::string> table;
    plat::ResourceModule::ParseStrings(ss.str(), table);
    return table;
}

TEST(ProgramStrings, TheRussianCatalogueTranslatesEveryString) {
    std::map<unsigned, std::string> english = Table(VEXILO_STRINGS), russian = Table(VEXILO_RUSSIAN);
    ASSERT_FALSE(english.empty());
    for (const auto& [id, text] : english) {
        ASSERT_TRUE(russian.count(id)) << id << " " << text;
        // A prompt with a tool tip keeps both halves.
        EXPECT_EQ(text.find('\n') == std::string::npos, russian[id].find('\n') == std::string::npos) << id;
    }
    EXPECT_EQ(russian.size(), english.size());
}

}  // namespace
}  // namespace apptest
