// A property whose value is a structure; its fields are sub-properties
// that edit the structure through it (PropertyValue: each field edit reads
// the whole structure, changes the field and writes the whole structure
// back). A program declares Property<S> for its structure S as a
// StructProperty<S> whose Init() adds the fields:
//
//     template <> class Kor::Property<Params> : public Kor::StructProperty<Params> {
//     protected:
//         void Init() override { AddField<unsigned>(IDS_COUNT, &Params::count).Hint(IDS_COUNT_HINT); }
//     };
//
// A field property made by AddField belongs to the structure's property
// (also when its name was refused as a duplicate).
#pragma once

#include "framework/properties/composite_property.h"
#include "framework/properties/property.h"
#include "framework/properties/property_access.h"

#include <memory>
#include <type_traits>
#include <vector>

namespace Kor {

template <class S>
class StructProperty : public CompositeProperty<S> {
public:
    using CompositeProperty<S>::CompositeProperty;

    // A sub-property `name` for the field `member` (of S or of a base of
    // S), read and written through this property; configure it further
    // with its setters.
    template <class F, class P = Property<F>, class B>
    P& AddField(const ResourceString& name, F B::*member) {
        P& field = MakeField<F, P>(member);
        this->Add(name, field);
        return field;
    }
    // The same, not added here: for a field shown under another row (a
    // group of fields headed by one of them).
    template <class F, class P = Property<F>, class B>
    P& MakeField(F B::*member) {
        static_assert(std::is_base_of<B, S>::value, "a field of the structure");
        F S::*field = member;
        auto property = std::make_unique<P>();
        property->ReadWrite(boost::shared_ptr<ReadWriteAccess<F>>(new PropertyValue<S, F>(*this, field)));
        P& ref = *property;
        fields_.push_back(std::move(property));
        return ref;
    }

private:
    std::vector<std::unique_ptr<PropertyBase>> fields_;
};

}  // namespace Kor
