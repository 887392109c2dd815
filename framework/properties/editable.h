// Editable<Derived>: the base of a class whose instances the property
// editor shows. It gives each Derived class one property map, filled on the
// first request by the class's static routine
//
//     static void DeclareProperties(Kor::PropertyMapClassBase& map);
//
// which adds the class's top-level properties (static objects of the class).
// The map is marked filled before the routine runs, so a property that asks
// for the map while it is being filled does not start the filling again.
#pragma once

#include "framework/properties/editable_object.h"
#include "framework/properties/property_map_class_base.h"

namespace Kor {

template <class Derived, class Base = EditableObject>
class Editable : public Base {
public:
    using Base::Base;

    const PropertyMap& GetProperties() const override { return ClassProperties(); }

    static PropertyMapClassBase& ClassProperties() {
        static PropertyMapClassBase map;
        if (!map.Initialized()) Derived::DeclareProperties(map.Init());
        return map;
    }
};

}  // namespace Kor
