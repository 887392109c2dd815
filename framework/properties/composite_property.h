// A property whose value has named parts, shown as sub-properties (rows
// below its own). The sub-properties come into being on the first
// GetSubProperties(), which runs Init() once; a composite may also be
// filled by the declaring code with Add. Init() runs after the composite is
// marked filled, so a sub-property that asks for its parent's parts while
// being made does not start Init() again.
#pragma once

#include "framework/properties/property_impl.h"

namespace Kor {

template <class T>
class CompositeProperty : public virtual PropertyImpl<T>, public PropertyMap {
public:
    explicit CompositeProperty(bool defaultExpanded = false) : defaultExpanded_(defaultExpanded) {}

    const PropertyMap* GetSubProperties() const override {
        if (!initialized_) {
            initialized_ = true;
            const_cast<CompositeProperty*>(this)->Init();
        }
        return this;
    }
    bool DefaultExpanded() const override { return defaultExpanded_; }
    CompositeProperty& DefaultExpanded(bool expanded) {
        defaultExpanded_ = expanded;
        return *this;
    }
    // Adds a sub-property (see AddProperty: a name already used is refused).
    bool Add(const ResourceString& name, PropertyBase& property) { return AddProperty(*this, name, property); }

protected:
    // Makes the sub-properties; runs at most once.
    virtual void Init() {}

private:
    mutable bool initialized_ = false;
    bool defaultExpanded_;
};

}  // namespace Kor
