// What every typed control (the control a property makes to edit its value)
// shares: the property, its own copy of the objects it edits, and the rules
// that make read-only and visibility binding:
//   - the control shows while the property is visible and is enabled while
//     it is not read-only, from its creation on and at every idle update;
//   - a write checks read-only again when it applies (the state may have
//     changed since the last update) and then goes to every object.
// A write may free the control (a setter that closes the editor it lies
// in): it uses nothing of the control once the write has begun.
#pragma once

#include "framework/properties/basic_property.h"
#include "framework/windows/widget.h"

namespace Kor {

template <class T>
class TypedControlBase {
public:
    TypedControlBase(BasicProperty<T>& property, const ObjectList& objects) : property_(property), objects_(objects) {}
    virtual ~TypedControlBase() = default;

    BasicProperty<T>& GetProperty() const { return property_; }
    const ObjectList& GetObjects() const { return objects_; }

protected:
    bool ReadValue(T& value) const { return property_.GetValue(objects_, value); }
    bool IsReadOnly() const { return property_.ReadOnly(objects_); }
    void WriteValue(const T& value) {
        if (IsReadOnly()) return;
        ObjectList objects = objects_;
        const BasicProperty<T>& property = property_;
        property.SetValue(objects, value);
    }
    void FollowProperty(Widget& control) const {
        control.SetVisible(property_.Visible(objects_));
        control.SetEnabled(!IsReadOnly());
    }

private:
    BasicProperty<T>& property_;
    ObjectList objects_;
};

}  // namespace Kor
