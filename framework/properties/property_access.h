// Accesses through a parent property: a field of a structure-valued
// parent, and a getter or setter of the object a shared-pointer-valued
// parent points to. A field edit is a read-modify-write of the parent's
// value: the parent's own access receives the whole structure. A parent
// that gives no value (or an empty pointer) gives no value here and takes
// no write.
#pragma once

#include "framework/properties/access.h"
#include "framework/properties/basic_property.h"

#include <boost/shared_ptr.hpp>

namespace Kor {

template <class S>
class PropertyAccess : public virtual Access {
public:
    explicit PropertyAccess(const BasicProperty<S>& parent) : parent_(parent) {}
    bool Accept(const EditableObject& object) const override { return parent_.Accept(object); }

protected:
    const BasicProperty<S>& parent_;
};

template <class S, class T>
class PropertyValue : public ReadWriteAccess<T>, public PropertyAccess<S> {
public:
    PropertyValue(const BasicProperty<S>& parent, T S::*member) : PropertyAccess<S>(parent), member_(member) {}
    bool GetValue(const EditableObject& object, T& value) const override {
        S s;
        if (!member_ || !this->parent_.GetValue(object, s)) return false;
        value = s.*member_;
        return true;
    }
    void SetValue(EditableObject& object, const T& value) const override {
        S s;
        if (!member_ || !this->parent_.GetValue(object, s)) return;
        s.*member_ = value;
        this->parent_.SetValue(object, s);
    }

private:
    T S::*member_;
};

template <class O, class T>
class GetPropertySPtrValueFunction : public ReadAccess<T>, public PropertyAccess<boost::shared_ptr<O>> {
public:
    typedef T (O::*Getter)() const;
    GetPropertySPtrValueFunction(const BasicProperty<boost::shared_ptr<O>>& parent, Getter getter)
        : PropertyAccess<boost::shared_ptr<O>>(parent), getter_(getter) {}
    bool GetValue(const EditableObject& object, T& value) const override {
        boost::shared_ptr<O> p;
        if (!getter_ || !this->parent_.GetValue(object, p) || !p) return false;
        value = ((*p).*getter_)();
        return true;
    }

private:
    Getter getter_;
};

template <class O, class T>
class SetPropertySPtrValueFunction : public WriteAccess<T>, public PropertyAccess<boost::shared_ptr<O>> {
public:
    typedef void (O::*Setter)(const T&);
    SetPropertySPtrValueFunction(const BasicProperty<boost::shared_ptr<O>>& parent, Setter setter)
        : PropertyAccess<boost::shared_ptr<O>>(parent), setter_(setter) {}
    void SetValue(EditableObject& object, const T& value) const override {
        boost::shared_ptr<O> p;
        if (!setter_ || !this->parent_.GetValue(object, p) || !p) return;
        ((*p).*setter_)(value);
    }

private:
    Setter setter_;
};

}  // namespace Kor
