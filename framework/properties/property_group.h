// A heading without a value that groups sub-properties under one row (with
// a hint of its own). It applies to every object and makes no control; the
// declaring code adds the sub-properties with Add.
#pragma once

#include "framework/properties/property_base.h"

namespace Kor {

class PropertyGroup : public PropertyBase, public PropertyMap {
public:
    explicit PropertyGroup(const ResourceString& hint = ResourceString(), bool defaultExpanded = false)
        : hint_(hint.str()), defaultExpanded_(defaultExpanded) {}

    std::string GetHint(const ObjectList&) const override { return hint_; }
    const PropertyMap* GetSubProperties() const override { return this; }
    bool DefaultExpanded() const override { return defaultExpanded_; }
    bool Accept(const EditableObject&) const override { return true; }
    // Adds a sub-property (see AddProperty: a name already used is refused).
    bool Add(const ResourceString& name, PropertyBase& property) { return AddProperty(*this, name, property); }

private:
    std::string hint_;
    bool defaultExpanded_;
};

}  // namespace Kor
