// The document's rows in the property editor: the fitting parameters as one
// structure whose fields are edited through it (each edit reads the whole
// structure, changes one field and writes it back with SetParams), and the
// read-only information about the curve and the polyline.
//
//   Parameters                       grand_params<float>
//     Estimation                     check box heading its three fields;
//       Max Iterations               shown while on, read-only once the
//       Oversample Factor            estimation has started
//       Stop Mean Discrepancy
//     Max Junctions                  shown without pins
//     Penalty for a Junction         shown without pins
//     Penalty for a Sharp Bend       always shown: with pins it weighs the
//                                    bends at the smooth ones
//     Rendering                      a group
//       Fit Whole PolyBezier
//       Max Iterations               shown while the rendering fits on its
//       Oversample Factor            own: the whole curve, estimation off,
//       Stop Mean Discrepancy        or not the same as the estimation
//       Same as Estimation           shown unless the whole curve is fitted
//   PolyBezier
//     Estimated Discrepancy          shown with a curve
//     Junction Count                 shown with a curve
//   Polyline
//     Estimated Length               shown without pins
//     Total Length                   nodes, the closing one counted
#include "app/doc.h"
#include "app/doc_strings.h"
#include "framework/properties/bool_access.h"
#include "framework/properties/group_property.h"
#include "framework/properties/object_access.h"
#include "framework/properties/property.h"
#include "framework/properties/property_group.h"
#include "framework/properties/struct_property.h"

template <>
class Kor::Property<outline::grand_params<float>> : public Kor::StructProperty<outline::grand_params<float>> {
public:
    using StructProperty::StructProperty;

protected:
    void Init() override;
};

namespace {

typedef Doc::Params Params;
typedef boost::shared_ptr<Kor::ReadAccess<bool>> Condition;

Kor::Property<Params>& ParametersProperty() {
    static Kor::Property<Params> parameters(true);
    return parameters;
}

Condition Field(bool Params::*member) {
    return Condition(new Kor::PropertyValue<Params, bool>(ParametersProperty(), member));
}
Condition Getter(bool (Doc::*getter)() const) { return Condition(new Kor::GetObjectValueFunction<Doc, bool>(getter)); }
Condition Not(Condition c) { return Condition(new Kor::NotReadBool(std::move(c))); }
Condition Or(Condition a, Condition b) { return Condition(new Kor::OrReadBool(std::move(a), std::move(b))); }

Condition NoPins() { return Not(Getter(&Doc::HasAreas)); }
Condition EstimationStarted() { return Not(Getter(&Doc::IsPristine)); }
Condition EstimationOn() { return Field(&Params::estimation); }
// The rendering's own fit settings are in use unless it takes over the
// estimated pieces, which it does only with estimation on, the pieces
// fitted one by one and "Same as Estimation".
Condition OwnRendering() {
    return Or(Not(Field(&Params::estimation)),
              Or(Field(&Params::fit_whole_poly_bezier), Not(Field(&Params::rendering_same_as_estimation))));
}

template <class T>
boost::shared_ptr<Kor::ReadAccess<T>> Value(T (Doc::*getter)() const) {
    return boost::shared_ptr<Kor::ReadAccess<T>>(new Kor::GetObjectValueFunction<Doc, T>(getter));
}

}  // namespace

std::string Doc::GetEditableName() const { return docstr::kPolyBezierName; }

void Doc::DeclareProperties(Kor::PropertyMapClassBase& map) {
    using namespace docstr;
    Kor::Property<Params>& parameters = ParametersProperty();
    parameters.Hint(kParametersHint)
        .Read(boost::shared_ptr<Kor::ReadAccess<Params>>(new Kor::GetObjectRefFunction<Doc, Params>(&Doc::GetParams)))
        .Write(
            boost::shared_ptr<Kor::WriteAccess<Params>>(new Kor::SetObjectRefFunction<Doc, Params>(&Doc::SetParams)));

    static Kor::PropertyGroup polyBezier(kPolyBezierHint, true);
    static Kor::Property<float> discrepancy;
    discrepancy.Hint(kEstimatedDiscrepancyHint)
        .Read(boost::shared_ptr<Kor::ReadAccess<float>>(new Kor::ObjectValue<Doc, float>(&Doc::estimatedDiscrepancy_)))
        .VisibleWhen(Getter(&Doc::HasCurve));
    static Kor::Property<unsigned> junctionCount;
    junctionCount.Hint(kJunctionCountHint).Read(Value(&Doc::GetJunctionCount)).VisibleWhen(Getter(&Doc::HasCurve));
    polyBezier.Add(kEstimatedDiscrepancy, discrepancy);
    polyBezier.Add(kJunctionCount, junctionCount);

    static Kor::PropertyGroup polyline(kPolylineHint, true);
    static Kor::Property<unsigned> estimatedLength;
    estimatedLength.Hint(kEstimatedLengthHint).Read(Value(&Doc::GetEstimatedLength)).VisibleWhen(NoPins());
    static Kor::Property<unsigned> totalLength;
    totalLength.Hint(kTotalLengthHint).Read(Value(&Doc::GetTotalLength));
    polyline.Add(kEstimatedLength, estimatedLength);
    polyline.Add(kTotalLength, totalLength);

    map.Add(kParameters, parameters);
    map.Add(kPolyBezier, polyBezier);
    map.Add(kPolyline, polyline);
}

void Kor::Property<outline::grand_params<float>>::Init() {
    using namespace docstr;
    typedef outline::grand_params<float> Params;
    auto& estimation = AddField<bool, Kor::GroupProperty<bool>>(kEstimation, &Params::estimation);
    estimation.Hint(kEstimationHint).ReadOnlyWhen(EstimationStarted());
    estimation.Add(kMaxIterations, MakeField(&Params::estimation_max_iterations)
                                       .Hint(kMaxIterationsHint)
                                       .VisibleWhen(EstimationOn())
                                       .ReadOnlyWhen(EstimationStarted()));
    estimation.Add(kOversampleFactor, MakeField(&Params::estimation_oversample_factor)
                                          .Hint(kOversampleFactorHint)
                                          .VisibleWhen(EstimationOn())
                                          .ReadOnlyWhen(EstimationStarted()));
    estimation.Add(kStopMeanDiscrepancy, MakeField(&Params::estimation_stop_mean_discrepancy)
                                             .Hint(kStopMeanDiscrepancyHint)
                                             .VisibleWhen(EstimationOn())
                                             .ReadOnlyWhen(EstimationStarted()));
    AddField(kMaxJunctions, &Params::max_junctions).Hint(kMaxJunctionsHint).VisibleWhen(NoPins());
    AddField(kJunctionPenalty, &Params::junction_penalty).Hint(kJunctionPenaltyHint).VisibleWhen(NoPins());
    AddField(kSharpBendPenalty, &Params::sharp_bend_penalty).Hint(kSharpBendPenaltyHint);

    static Kor::PropertyGroup rendering(kRenderingHint, false);
    rendering.Add(kFitWhole, MakeField(&Params::fit_whole_poly_bezier).Hint(kFitWholeHint));
    rendering.Add(kMaxIterations,
                  MakeField(&Params::rendering_max_iterations).Hint(kMaxIterationsHint).VisibleWhen(OwnRendering()));
    rendering.Add(
        kOversampleFactor,
        MakeField(&Params::rendering_oversample_factor).Hint(kOversampleFactorHint).VisibleWhen(OwnRendering()));
    rendering.Add(kSameAsEstimation, MakeField(&Params::rendering_same_as_estimation)
                                         .Hint(kSameAsEstimationHint)
                                         .VisibleWhen(Not(Field(&Params::fit_whole_poly_bezier))));
    rendering.Add(
        kStopMeanDiscrepancy,
        MakeField(&Params::rendering_stop_mean_discrepancy).Hint(kStopMeanDiscrepancyHint).VisibleWhen(OwnRendering()));
    Add(kRendering, rendering);
}
