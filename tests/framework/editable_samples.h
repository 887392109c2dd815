// Editable objects for the tests of the property system and its editor:
// a Sample with a value of every kind the system edits, and an Other class
// that shares some of Sample's properties.
#pragma once

#include "framework/properties/bool_access.h"
#include "framework/properties/editable.h"
#include "framework/properties/group_property.h"
#include "framework/properties/object_access.h"
#include "framework/properties/percent.h"
#include "framework/properties/property.h"
#include "framework/properties/property_group.h"
#include "framework/properties/span_property.h"
#include "framework/properties/struct_property.h"

#include <string>

namespace kortest {

enum class Shape { Round, Square, Star };

struct Params {
    unsigned count = 3;
    float weight = 0.5f;
    bool strict = false;
};

}  // namespace kortest

template <>
struct Kor::EnumChoices<kortest::Shape> {
    static std::vector<Kor::EnumChoice<kortest::Shape>> Get() {
        return {{kortest::Shape::Round, "Round"}, {kortest::Shape::Square, "Square"}, {kortest::Shape::Star, "Star"}};
    }
};

// The fields of Params, edited through the whole structure.
template <>
class Kor::Property<kortest::Params> : public Kor::StructProperty<kortest::Params> {
public:
    using StructProperty::StructProperty;

protected:
    void Init() override;
};

namespace kortest {

class Sample : public Kor::Editable<Sample> {
public:
    // The properties are declared with the first Sample.
    Sample() { ClassProperties(); }
    Sample(const Sample& o) = default;

    bool flag = false;
    unsigned count = 1;
    int offset = 0;
    float scale = 1;
    std::string name;
    Kor::Percent<1> share = 0.25f;
    Shape shape = Shape::Round;
    Kor::ColorValue colour{0x30, 0x20, 0x10, 200};
    Kor::Span range{2, 5};
    bool locked = false;  // makes "Count" and the parameters read-only
    bool hidden = false;  // hides "Offset"

    const Params& GetParams() const { return params_; }
    void SetParams(const Params& p) {
        params_ = p;
        ++paramWrites;
    }
    int paramWrites = 0;

    static void DeclareProperties(Kor::PropertyMapClassBase& map);

    // The properties, for the tests to look at.
    static Kor::Property<bool> flagProperty;
    static Kor::Property<unsigned> countProperty;
    static Kor::Property<int> offsetProperty;
    static Kor::Property<float> scaleProperty;
    static Kor::Property<std::string> nameProperty;
    static Kor::Property<Kor::Percent<1>> shareProperty;
    static Kor::Property<Shape> shapeProperty;
    static Kor::Property<Kor::ColorValue> colourProperty;
    static Kor::Property<Kor::Span> rangeProperty;
    static Kor::Property<Params> paramsProperty;
    static Kor::PropertyGroup groupProperty;  // "Group": "Inner", a GroupProperty<bool> over "Flag Copy"

private:
    Params params_;
};

// Another class: it has "Scale" (the same property object as Sample's, which
// cannot read an Other), "Name" (its own) and "Group".
class Other : public Kor::Editable<Other> {
public:
    Other() { ClassProperties(); }
    std::string name = "other";
    static void DeclareProperties(Kor::PropertyMapClassBase& map);
    static Kor::Property<std::string> nameProperty;
};

}  // namespace kortest
