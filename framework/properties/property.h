// Property<T>: a property of a scalar type T (bool, unsigned int, int,
// float, std::string, Percent<N>, an enumeration, img::BGRA<unsigned char>)
// edited by the control TypedControl<T>, which the property makes for the
// editor's rows and frees again. A value of a type no control edits (a
// shared pointer that other properties read through) shows no control. A
// structure type gets its own specialisation, a StructProperty
// (struct_property.h); Span has one (span_property.h).
#pragma once

#include "framework/properties/bool_control.h"
#include "framework/properties/color_control.h"
#include "framework/properties/enum_control.h"
#include "framework/properties/property_impl.h"
#include "framework/properties/typed_control.h"

#include <type_traits>

namespace Kor {

// Whether a control edits values of T.
template <class T, class = void>
struct HasTypedControl : std::integral_constant<bool, std::is_same<T, bool>::value || std::is_enum<T>::value ||
                                                          std::is_same<T, ColorValue>::value> {};
template <class T>
struct HasTypedControl<T, decltype(void(&ValueText<T>::Format))> : std::true_type {};

template <class T>
class Property : public PropertyImpl<T> {
public:
    Widget* CreateControl(ObjectList& objects) override {
        if constexpr (HasTypedControl<T>::value) {
            return new TypedControl<T>(*this, objects);
        } else {
            (void)objects;
            return nullptr;
        }
    }
    void FreeControl(Widget* control) override { delete control; }
};

}  // namespace Kor
