// The document's rows in the property editor: names, order, levels, hints,
// what shows when, what is read-only when, and a picture of the panel.
#include "tests/app/doc_fixture.h"

#include "app/doc_strings.h"
#include "framework/controls/text_control.h"
#include "framework/properties/property_base.h"
#include "framework/windows/widget.h"

#include <filesystem>
#include <locale>

namespace apptest {
namespace {

// A locale whose numbers use a decimal comma, as a German desktop's do.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class DocProperties : public DocTest {
protected:
    Kor::PEditor& editor() { return app.GetFrame().properties; }
    void SetUp() override {
        DocTest::SetUp();
        Open(Example("rounded.bmp"));
        ExpandAll();
    }
    void ExpandAll() {
        for (unsigned i = 0; i < editor().GetList().GetRowCount(); ++i) {
            Kor::PropertyRow* r = editor().GetList().GetPropertyRow(i);
            if (r->IsExpandable() && !r->IsExpanded()) r->Expand();
        }
    }
    std::vector<std::string> Rows() {
        std::vector<std::string> out;
        for (unsigned i = 0; i < editor().GetList().GetRowCount(); ++i) {
            Kor::PropertyRow* r = editor().GetList().GetPropertyRow(i);
            out.push_back(std::string(2 * r->GetLevel(), ' ') + r->GetName());
        }
        return out;
    }
    // Under "Estimation" (level 2) or "Rendering" (level 2).
    Kor::Widget* Control(const std::string& name, int level = -1) {
        Kor::PropertyRow* r = Row(name, level);
        return r ? r->GetControl() : nullptr;
    }
    bool Shown(const std::string& name, int level = -1) { return Control(name, level)->Visible(); }
    bool Editable(const std::string& name, int level = -1) { return Control(name, level)->Enabled(); }
    std::string Text(const std::string& name) {
        std::string t;
        auto* c = dynamic_cast<Kor::TextControl*>(Control(name));
        if (c) c->GetText(t);
        return t;
    }
    void Set(void (*change)(Doc::Params&)) {
        Doc::Params p = doc.GetParams();
        change(p);
        doc.SetParams(p);
        editor().Update();
    }
};

TEST_F(DocProperties, TheRowsComeInTheOrderOfTheirNames) {
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "Parameters",
                          "  Estimation",
                          "    Max Iterations",
                          "    Oversample Factor",
                          "    Stop Mean Discrepancy",
                          "  Max Junctions",
                          "  Penalty for a Junction",
                          "  Penalty for a Sharp Bend",
                          "  Rendering",
                          "    Fit Whole PolyBezier",
                          "    Max Iterations",
                          "    Oversample Factor",
                          "    Same as Estimation",
                          "    Stop Mean Discrepancy",
                          "PolyBezier",
                          "  Estimated Discrepancy",
                          "  Junction Count",
                          "Polyline",
                          "  Estimated Length",
                          "  Total Length",
                      }));
    EXPECT_EQ(doc.GetEditableName(), docstr::kPolyBezierName);
    // The hints, byte for byte (the typographic apostrophe too).
    Kor::ObjectList objects{&doc};
    EXPECT_NE(Row("Same as Estimation")->GetProperty().GetHint(objects).find("But it\xE2\x80\x99s not recommended"),
              std::string::npos);
    EXPECT_EQ(Row("Parameters")->GetProperty().GetHint(objects), "Parameters of optimal PolyBezier building");
    EXPECT_EQ(Row("Total Length")->GetProperty().GetHint(objects),
              "This number is the length of the polyline in sizes of bitmap's pixels.");
}

TEST_F(DocProperties, VisibilityFollowsTheParametersThePinsAndTheCurve) {
    // Defaults: the whole curve is fitted, so "Same as Estimation" hides and
    // the rendering's own settings show.
    EXPECT_FALSE(Shown(docstr::kSameAsEstimation));
    EXPECT_TRUE(Shown(docstr::kMaxIterations, 2));
    EXPECT_TRUE(Shown(docstr::kSharpBendPenalty));
    EXPECT_FALSE(Shown(docstr::kEstimatedDiscrepancy));
    EXPECT_FALSE(Shown(docstr::kJunctionCount));
    EXPECT_EQ(Text(docstr::kTotalLength), "137");  // N + 1
    EXPECT_EQ(Text(docstr::kEstimatedLength), "3");

    Set([](Doc::Params& p) {
        p.fit_whole_poly_bezier = false;
        p.rendering_same_as_estimation = true;
    });
    EXPECT_TRUE(Shown(docstr::kSameAsEstimation));
    Kor::PropertyRow* rendering = Row(docstr::kRendering);
    for (Kor::PropertyRow* r : rendering->GetChildRows())
        if (r->GetName() != docstr::kFitWhole && r->GetName() != docstr::kSameAsEstimation) {
            EXPECT_FALSE(r->GetControl()->Visible()) << r->GetName();
        }
    // Estimation off: the rendering's settings are in use again, and the
    // estimation's own hide.
    Set([](Doc::Params& p) { p.estimation = false; });
    for (Kor::PropertyRow* r : rendering->GetChildRows())
        if (r->GetName() != docstr::kSameAsEstimation) {
            EXPECT_TRUE(r->GetControl()->Visible()) << r->GetName();
        }
    for (Kor::PropertyRow* r : Row(docstr::kEstimation)->GetChildRows())
        EXPECT_FALSE(r->GetControl()->Visible()) << r->GetName();
    Set([](Doc::Params& p) { p.estimation = true; });

    // With a curve: its information shows.
    doc.Build();
    editor().Update();
    EXPECT_TRUE(Shown(docstr::kJunctionCount));
    EXPECT_EQ(Text(docstr::kJunctionCount), std::to_string(doc.GetJunctionCount()));
    EXPECT_EQ(Text(docstr::kEstimatedLength), "137");

    // With pins: the free search's rows hide; the bend penalty stays (it
    // weighs the bends at smooth pins).
    ASSERT_TRUE(doc.AddArea({float(doc.GetPolyline()[0].x), float(doc.GetPolyline()[0].y)}, 1, true));
    editor().Update();
    EXPECT_FALSE(Shown(docstr::kMaxJunctions));
    EXPECT_FALSE(Shown(docstr::kJunctionPenalty));
    EXPECT_FALSE(Shown(docstr::kEstimatedLength));
    EXPECT_TRUE(Shown(docstr::kSharpBendPenalty));
}

TEST_F(DocProperties, TheEstimationSettingsAreReadOnlyOnceItHasStarted) {
    EXPECT_TRUE(Editable(docstr::kEstimation));
    EXPECT_TRUE(Editable(docstr::kMaxIterations, 2));
    EXPECT_FALSE(Editable(docstr::kTotalLength));  // information: no write
    doc.Build();
    editor().Update();
    EXPECT_FALSE(Editable(docstr::kEstimation));
    for (Kor::PropertyRow* r : Row(docstr::kEstimation)->GetChildRows())
        EXPECT_FALSE(r->GetControl()->Enabled()) << r->GetName();
    EXPECT_TRUE(Editable(docstr::kMaxJunctions));
    EXPECT_FALSE(Editable(docstr::kJunctionCount));
    doc.ClearCurve();
    editor().Update();
    EXPECT_TRUE(Editable(docstr::kEstimation));
}

TEST_F(DocProperties, TypedValuesGoThroughTheParameterRules) {
    auto Type = [&](const std::string& name, const std::string& text) {
        auto* c = dynamic_cast<Kor::TextControl*>(Control(name));
        ASSERT_NE(c, nullptr) << name;
        c->OpenEdit();
        drv.TypeText(text);
        drv.PressKey(plat::VK_RETURN);
    };
    Type(docstr::kJunctionPenalty, "-3");  // refused
    EXPECT_EQ(doc.GetParams().junction_penalty, 10);
    Type(docstr::kMaxJunctions, "4294967296");  // above UINT_MAX: ignored
    EXPECT_EQ(doc.GetParams().max_junctions, 50u);
    Type(docstr::kMaxJunctions, "7");
    EXPECT_EQ(doc.GetParams().max_junctions, 7u);
    // Numbers keep their point on a desktop whose locale writes a comma.
    std::locale old = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    Type(docstr::kJunctionPenalty, "2.5");
    editor().Update();
    const std::string shown = Text(docstr::kJunctionPenalty), stop = Text(docstr::kStopMeanDiscrepancy);
    std::locale::global(old);
    EXPECT_EQ(doc.GetParams().junction_penalty, 2.5f);
    EXPECT_EQ(shown, "2.5");
    EXPECT_EQ(stop, "0.01");  // the estimation's, the first of that name
}

TEST_F(DocProperties, APictureOfThePanel) {
    doc.Build();
    editor().Update();
    drv.Flush();
    std::filesystem::create_directories(KORVANE_TEST_OUTPUT);
    const std::string path = std::string(KORVANE_TEST_OUTPUT) + "/vexilo-properties.png";
    EXPECT_TRUE(drv.SavePng(app.GetFrame(), path));
}

}  // namespace
}  // namespace apptest
