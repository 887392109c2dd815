// GroupProperty<bool>: a bool shown as a check box on the row that heads a
// group of sub-properties (an option and the settings that go with it).
// The declaring code adds the sub-properties with Add.
#pragma once

#include "framework/properties/bool_control.h"
#include "framework/properties/composite_property.h"

namespace Kor {

template <class T>
class GroupProperty;

template <>
class GroupProperty<bool> : public CompositeProperty<bool> {
public:
    explicit GroupProperty(bool defaultExpanded = false) : CompositeProperty<bool>(defaultExpanded) {}
    Widget* CreateControl(ObjectList& objects) override { return new TypedControl<bool>(*this, objects); }
    void FreeControl(Widget* control) override { delete control; }
};

}  // namespace Kor
