// The property map of one class of editable objects, filled once, on the
// first request (Editable<Derived>::GetProperties), and kept for the whole
// run. It points to the class's static property objects and frees none.
#pragma once

#include "framework/properties/property_map.h"

namespace Kor {

class PropertyMapClassBase : public PropertyMap {
public:
    // Marks the map filled and gives it for filling.
    PropertyMapClassBase& Init() {
        initialized_ = true;
        return *this;
    }
    bool Initialized() const { return initialized_; }
    // Adds a top-level property (see AddProperty).
    bool Add(const ResourceString& name, PropertyBase& property) { return AddProperty(*this, name, property); }

private:
    bool initialized_ = false;
};

}  // namespace Kor
