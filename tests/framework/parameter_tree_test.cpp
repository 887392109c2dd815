// The property system as the program's parameter panel will use it: the
// curve parameters (outline::grand_params<float>) shown as a structure
// whose fields are properties, a check box heading a group of fields,
// conditions made of getters and fields, and read-only information.
#include "tests/framework/probes.h"

#include "fitting/params.h"
#include "framework/properties/bool_access.h"
#include "framework/properties/editable.h"
#include "framework/properties/group_property.h"
#include "framework/properties/object_access.h"
#include "framework/properties/property.h"
#include "framework/properties/property_group.h"
#include "framework/properties/struct_property.h"
#include "framework/property_editor/p_editor.h"
#include "framework/property_editor/property_row.h"
#include "tests/platform/temp_folder.h"

namespace kortest {
namespace {

using namespace Kor;
typedef outline::grand_params<float> Params;

// A document with parameters and a curve, as the program's.
class CurveDoc : public Editable<CurveDoc> {
public:
    CurveDoc() { ClassProperties(); }
    const Params& GetParams() const { return params_; }
    void SetParams(const Params& p) {
        params_ = p;
        ++writes;
    }
    bool HasCurve() const { return junctions > 0; }
    unsigned GetJunctionCount() const { return junctions; }
    unsigned junctions = 0;
    float estimatedDiscrepancy = 0.5f;
    int writes = 0;
    static void DeclareProperties(PropertyMapClassBase& map);

private:
    Params params_;
};

}  // namespace
}  // namespace kortest

template <>
class Kor::Property<kortest::Params> : public Kor::StructProperty<kortest::Params> {
public:
    using StructProperty::StructProperty;

protected:
    void Init() override;
};

namespace kortest {
namespace {

typedef boost::shared_ptr<ReadAccess<bool>> Condition;

Property<Params> parameters(true);
PropertyGroup polyBezier("Bezier polynomial properties", true);
Property<float> discrepancy;
Property<unsigned> junctionCount;

Condition Field(bool Params::*member) { return Condition(new PropertyValue<Params, bool>(parameters, member)); }

void CurveDoc::DeclareProperties(PropertyMapClassBase& map) {
    parameters.Hint("Parameters of optimal PolyBezier building")
        .Read(boost::shared_ptr<ReadAccess<Params>>(new GetObjectRefFunction<CurveDoc, Params>(&CurveDoc::GetParams)))
        .Write(
            boost::shared_ptr<WriteAccess<Params>>(new SetObjectRefFunction<CurveDoc, Params>(&CurveDoc::SetParams)));
    Condition hasCurve(new GetObjectValueFunction<CurveDoc, bool>(&CurveDoc::HasCurve));
    discrepancy
        .Read(boost::shared_ptr<ReadAccess<float>>(new ObjectValue<CurveDoc, float>(&CurveDoc::estimatedDiscrepancy)))
        .VisibleWhen(hasCurve);
    junctionCount
        .Read(boost::shared_ptr<ReadAccess<unsigned>>(
            new GetObjectValueFunction<CurveDoc, unsigned>(&CurveDoc::GetJunctionCount)))
        .VisibleWhen(hasCurve);
    polyBezier.Add("Estimated Discrepancy", discrepancy);
    polyBezier.Add("Junction Count", junctionCount);
    map.Add("Parameters", parameters);
    map.Add("PolyBezier", polyBezier);
}

}  // namespace
}  // namespace kortest

void Kor::Property<kortest::Params>::Init() {
    using kortest::Field;
    using kortest::Params;
    auto& estimation = AddField<bool, GroupProperty<bool>>("Estimation", &Params::estimation);
    estimation.Hint("Estimation of various possible bezier locations");
    auto& iterations = MakeField(&Params::estimation_max_iterations);
    iterations.VisibleWhen(Field(&Params::estimation));
    estimation.Add("Max Iterations", iterations);
    AddField("Max Junctions", &Params::max_junctions);
    AddField("Fit Whole PolyBezier", &Params::fit_whole_poly_bezier);
    AddField("Rendering Oversample Factor", &Params::rendering_oversample_factor)
        .VisibleWhen(kortest::Condition(
            new OrReadBool(Field(&Params::fit_whole_poly_bezier),
                           kortest::Condition(new NotReadBool(Field(&Params::rendering_same_as_estimation))))));
    AddField("Same as Estimation", &Params::rendering_same_as_estimation)
        .VisibleWhen(kortest::Condition(new NotReadBool(Field(&Params::fit_whole_poly_bezier))));
}

namespace kortest {
namespace {

class ParameterTree : public ToolkitTest {
protected:
    plattest::ConfigHome config;
    CurveDoc doc;
    CustomWindow<plat::Wnd> host;
    PEditor editor;

    void SetUp() override {
        host.AddControl(&editor);
        editor.SetBounds(CRect(0, 0, 320, 500));
        Show(host, CRect(0, 0, 320, 500));
        editor.Open(&doc);
    }
    void TearDown() override { editor.Close(); }
    PropertyRow* Find(const std::string& name) {
        for (unsigned i = 0; i < editor.GetList().GetRowCount(); ++i)
            if (editor.GetList().GetPropertyRow(i)->GetName() == name) return editor.GetList().GetPropertyRow(i);
        return nullptr;
    }
    Widget* Control(const std::string& name) { return Find(name) ? Find(name)->GetControl() : nullptr; }
};

TEST_F(ParameterTree, FieldsEditTheWholeStructureThroughTheDocument) {
    ASSERT_NE(Find("Max Junctions"), nullptr);
    EXPECT_EQ(Find("Estimation")->GetLevel(), 1);
    EXPECT_FALSE(Find("Estimation")->IsExpanded());  // a group that starts collapsed
    auto* junctions = dynamic_cast<TextControl*>(Control("Max Junctions"));
    std::string text;
    ASSERT_TRUE(junctions->GetText(text));
    EXPECT_EQ(text, "50");
    junctions->OpenEdit();
    drv.TypeText("12");
    drv.PressKey(plat::VK_RETURN);
    EXPECT_EQ(doc.GetParams().max_junctions, 12u);
    EXPECT_EQ(doc.GetParams().estimation_max_iterations, 10u);  // the rest as it was
    EXPECT_EQ(doc.writes, 1);

    // The group's check box heads its fields and hides them when cleared.
    Find("Estimation")->Toggle();
    ASSERT_NE(Find("Max Iterations"), nullptr);
    EXPECT_TRUE(Control("Max Iterations")->Visible());
    auto* estimation = dynamic_cast<CheckBox*>(Control("Estimation"));
    ASSERT_NE(estimation, nullptr);
    EXPECT_EQ(estimation->GetState(), CheckBox::Ticked);
    estimation->HandleClick();
    EXPECT_FALSE(doc.GetParams().estimation);
    editor.Update();
    EXPECT_FALSE(Control("Max Iterations")->Visible());
}

TEST_F(ParameterTree, ConditionsMadeOfFieldsShowAndHideRows) {
    // Fit whole: "Same as Estimation" hidden, the rendering factor shown.
    EXPECT_FALSE(Control("Same as Estimation")->Visible());
    EXPECT_TRUE(Control("Rendering Oversample Factor")->Visible());
    Params p = doc.GetParams();
    p.fit_whole_poly_bezier = false;
    p.rendering_same_as_estimation = true;
    doc.SetParams(p);
    doc.PropertiesChanged();
    EXPECT_TRUE(Control("Same as Estimation")->Visible());
    EXPECT_FALSE(Control("Rendering Oversample Factor")->Visible());
}

TEST_F(ParameterTree, InformationRowsAreReadOnlyAndShowWithTheCurve) {
    ASSERT_NE(Find("Junction Count"), nullptr);
    EXPECT_FALSE(Control("Junction Count")->Visible());
    doc.junctions = 7;
    editor.Update();
    EXPECT_TRUE(Control("Junction Count")->Visible());
    EXPECT_FALSE(Control("Junction Count")->Enabled());
    std::string text;
    dynamic_cast<TextControl*>(Control("Estimated Discrepancy"))->GetText(text);
    EXPECT_EQ(text, "0.5");
}

}  // namespace
}  // namespace kortest
