// A property with a value of type T. Each concrete property reads, writes
// and judges one object at a time; the list forms here combine them for the
// objects edited together:
//   - read-only when any object says so (an empty list: not),
//   - visible only when every object says so (an empty list: visible),
//   - a value only when every object gives one and all agree with the first
//     (ValuesEqual); `value` then holds it, and otherwise still holds the
//     first object's value when that one could be read,
//   - a write goes to each object in list order.
// Null entries of a list are skipped.
#pragma once

#include "framework/properties/property_base.h"
#include "framework/properties/values_equal.h"

namespace Kor {

template <class T>
class BasicProperty : public PropertyBase {
public:
    typedef T ValueType;

    virtual bool ReadOnly(const EditableObject& object) const = 0;
    virtual bool Visible(const EditableObject& object) const = 0;
    virtual bool GetValue(const EditableObject& object, T& value) const = 0;
    virtual void SetValue(EditableObject& object, const T& value) const = 0;

    bool ReadOnly(const ObjectList& objects) const override {
        for (const EditableObject* o : objects)
            if (o && ReadOnly(*o)) return true;
        return false;
    }
    bool Visible(const ObjectList& objects) const override {
        for (const EditableObject* o : objects)
            if (o && !Visible(*o)) return false;
        return true;
    }
    bool GetValue(const ObjectList& objects, T& value) const {
        bool first = true;
        for (const EditableObject* o : objects) {
            if (!o) continue;
            if (first) {
                if (!GetValue(*o, value)) return false;
                first = false;
                continue;
            }
            T other = value;
            if (!GetValue(*o, other) || !ValuesEqual(other, value)) return false;
        }
        return !first;
    }
    void SetValue(ObjectList& objects, const T& value) const {
        for (EditableObject* o : objects)
            if (o) SetValue(*o, value);
    }
};

}  // namespace Kor
