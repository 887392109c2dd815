// Accesses: small shared objects that read or write one value of one kind
// of object. Properties hold them by boost::shared_ptr, so one access (a
// condition, say) can serve several properties. An access never throws:
// a read it cannot make gives false, a write it cannot make does nothing.
#pragma once

#include "framework/properties/editable_object.h"

#include <boost/shared_ptr.hpp>

namespace Kor {

class Access {
public:
    virtual ~Access() = default;
    // Whether this access can reach values of `object`.
    virtual bool Accept(const EditableObject& object) const = 0;
};

template <class T>
class ReadAccess : public virtual Access {
public:
    // True when a value was read into `value`.
    virtual bool GetValue(const EditableObject& object, T& value) const = 0;
};

template <class T>
class WriteAccess : public virtual Access {
public:
    virtual void SetValue(EditableObject& object, const T& value) const = 0;
};

template <class T>
class ReadWriteAccess : public virtual ReadAccess<T>, public virtual WriteAccess<T> {};

// A read access and a write access made one; either may be missing.
template <class T>
class ReadWriteImpl : public ReadWriteAccess<T> {
public:
    ReadWriteImpl(boost::shared_ptr<ReadAccess<T>> read, boost::shared_ptr<WriteAccess<T>> write)
        : read_(std::move(read)), write_(std::move(write)) {}

    bool Accept(const EditableObject& object) const override {
        return (!read_ || read_->Accept(object)) && (!write_ || write_->Accept(object));
    }
    bool GetValue(const EditableObject& object, T& value) const override {
        return read_ && read_->GetValue(object, value);
    }
    void SetValue(EditableObject& object, const T& value) const override {
        if (write_) write_->SetValue(object, value);
    }

private:
    boost::shared_ptr<ReadAccess<T>> read_;
    boost::shared_ptr<WriteAccess<T>> write_;
};

}  // namespace Kor
