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
#include <vector>

namespace Kor {

template <class S>
class StructProperty : public CompositeProperty<S> {
public:
    using CompositeProperty<S>::CompositeProperty;

    // A sub-property `name` for the field `member`, read and written through
    // this property; configure it further with its setters.
    template <class F, class P = Property<F>>
    P& AddField(const ResourceString& name, F S::*member) {
        auto field = std::make_unique<P>();
        field->ReadWrite(boost::shared_ptr<ReadWriteAccess<F>>(new PropertyValue<S, F>(*this, member)));
        P& ref = *field;
        this->Add(name, ref);
        fields_.push_back(std::move(field));
        return ref;
    }

private:
    std::vector<std::unique_ptr<PropertyBase>> fields_;
};

}  // namespace Kor
