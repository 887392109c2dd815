#include "tests/framework/editable_samples.h"

namespace kortest {

using namespace Kor;

namespace {
template <class T>
boost::shared_ptr<ReadWriteAccess<T>> Member(T Sample::*m) {
    return boost::shared_ptr<ReadWriteAccess<T>>(new ObjectValue<Sample, T>(m));
}
boost::shared_ptr<ReadAccess<bool>> Condition(bool Sample::*m) {
    return boost::shared_ptr<ReadAccess<bool>>(new ObjectValue<Sample, bool>(m));
}
GroupProperty<bool> inner;
Property<bool> flagCopy;
}  // namespace

Property<bool> Sample::flagProperty;
Property<unsigned> Sample::countProperty;
Property<int> Sample::offsetProperty;
Property<float> Sample::scaleProperty;
Property<std::string> Sample::nameProperty;
Property<Percent<1>> Sample::shareProperty;
Property<Shape> Sample::shapeProperty;
Property<ColorValue> Sample::colourProperty;
Property<Span> Sample::rangeProperty;
Property<Params> Sample::paramsProperty(true);
PropertyGroup Sample::groupProperty("A group of one", false);
Property<std::string> Other::nameProperty;

void Sample::DeclareProperties(PropertyMapClassBase& map) {
    flagProperty.Hint("A flag").ReadWrite(Member(&Sample::flag));
    countProperty.Hint("A count").ReadWrite(Member(&Sample::count)).ReadOnlyWhen(Condition(&Sample::locked));
    offsetProperty.ReadWrite(Member(&Sample::offset))
        .VisibleWhen(boost::shared_ptr<ReadAccess<bool>>(new NotReadBool(Condition(&Sample::hidden))));
    scaleProperty.ReadWrite(Member(&Sample::scale));
    nameProperty.ReadWrite(Member(&Sample::name));
    shareProperty.ReadWrite(Member(&Sample::share));
    shapeProperty.ReadWrite(Member(&Sample::shape));
    colourProperty.ReadWrite(Member(&Sample::colour));
    rangeProperty.ReadWrite(Member(&Sample::range));
    paramsProperty.Hint("The parameters")
        .Read(boost::shared_ptr<ReadAccess<Params>>(new GetObjectRefFunction<Sample, Params>(&Sample::GetParams)))
        .Write(boost::shared_ptr<WriteAccess<Params>>(new SetObjectRefFunction<Sample, Params>(&Sample::SetParams)))
        .ReadOnlyWhen(Condition(&Sample::locked));
    inner.Hint("The inner group").ReadWrite(Member(&Sample::flag));
    flagCopy.ReadWrite(Member(&Sample::flag));
    inner.Add("Flag Copy", flagCopy);
    groupProperty.Add("Inner", inner);

    map.Add("Flag", flagProperty);
    map.Add("Count", countProperty);
    map.Add("Offset", offsetProperty);
    map.Add("Scale", scaleProperty);
    map.Add("Name", nameProperty);
    map.Add("Share", shareProperty);
    map.Add("Shape", shapeProperty);
    map.Add("Colour", colourProperty);
    map.Add("Range", rangeProperty);
    map.Add("Params", paramsProperty);
    map.Add("Group", groupProperty);
}

void Other::DeclareProperties(PropertyMapClassBase& map) {
    nameProperty.ReadWrite(
        boost::shared_ptr<ReadWriteAccess<std::string>>(new ObjectValue<Other, std::string>(&Other::name)));
    map.Add("Scale", Sample::scaleProperty);
    map.Add("Name", nameProperty);
    map.Add("Group", Sample::groupProperty);
}

}  // namespace kortest

void Kor::Property<kortest::Params>::Init() {
    AddField("Count", &kortest::Params::count).Hint("How many");
    AddField("Weight", &kortest::Params::weight);
    AddField("Strict", &kortest::Params::strict);
}
