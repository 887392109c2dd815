// Property<T>: a property of a scalar type T (bool, unsigned int, int,
// float, std::string, Percent<N>, an enumeration, img::BGRA<unsigned char>)
// edited by the control TypedControl<T>, which the property makes for the
// editor's rows and frees again. A structure type gets its own
// specialisation, a StructProperty (struct_property.h); Span has one
// (span_property.h).
#pragma once

#include "framework/properties/bool_control.h"
#include "framework/properties/color_control.h"
#include "framework/properties/enum_control.h"
#include "framework/properties/property_impl.h"
#include "framework/properties/typed_control.h"

namespace Kor {

template <class T>
class Property : public PropertyImpl<T> {
public:
    Widget* CreateControl(ObjectList& objects) override { return new TypedControl<T>(*this, objects); }
    void FreeControl(Widget* control) override { delete control; }
};

}  // namespace Kor
