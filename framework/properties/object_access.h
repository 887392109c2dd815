// Accesses to the values of an object of class O: a data member, a getter
// returning a value or a const reference, a setter taking a const
// reference. Each first checks that the object is an O: another object
// gives no value and takes no write. A null member or function pointer does
// the same. A setter is what makes a change take effect (and tells the
// object's listeners).
#pragma once

#include "framework/properties/access.h"

namespace Kor {

template <class O>
class ObjectAccess : public virtual Access {
public:
    bool Accept(const EditableObject& object) const override { return Cast(object) != nullptr; }

protected:
    static const O* Cast(const EditableObject& object) { return dynamic_cast<const O*>(&object); }
    static O* Cast(EditableObject& object) { return dynamic_cast<O*>(&object); }
};

template <class O, class T>
class ObjectValue : public ReadWriteAccess<T>, public ObjectAccess<O> {
public:
    explicit ObjectValue(T O::*member) : member_(member) {}
    bool GetValue(const EditableObject& object, T& value) const override {
        const O* o = this->Cast(object);
        if (!o || !member_) return false;
        value = o->*member_;
        return true;
    }
    void SetValue(EditableObject& object, const T& value) const override {
        if (O* o = this->Cast(object))
            if (member_) o->*member_ = value;
    }

private:
    T O::*member_;
};

// A read through a const member function of O (`Getter`) whose result is
// copied out.
template <class O, class T, class Getter>
class ObjectGetter : public ReadAccess<T>, public ObjectAccess<O> {
public:
    explicit ObjectGetter(Getter getter) : getter_(getter) {}
    bool GetValue(const EditableObject& object, T& value) const override {
        const O* o = this->Cast(object);
        if (!o || !getter_) return false;
        value = (o->*getter_)();
        return true;
    }

private:
    Getter getter_;
};

// A getter returning T by value.
template <class O, class T>
class GetObjectValueFunction : public ObjectGetter<O, T, T (O::*)() const> {
public:
    using ObjectGetter<O, T, T (O::*)() const>::ObjectGetter;
};

// A getter returning a const reference to T.
template <class O, class T>
class GetObjectRefFunction : public ObjectGetter<O, T, const T& (O::*)() const> {
public:
    using ObjectGetter<O, T, const T& (O::*)() const>::ObjectGetter;
};

template <class O, class T>
class SetObjectRefFunction : public WriteAccess<T>, public ObjectAccess<O> {
public:
    typedef void (O::*Setter)(const T&);
    explicit SetObjectRefFunction(Setter setter) : setter_(setter) {}
    void SetValue(EditableObject& object, const T& value) const override {
        if (O* o = this->Cast(object))
            if (setter_) (o->*setter_)(value);
    }

private:
    Setter setter_;
};

}  // namespace Kor
