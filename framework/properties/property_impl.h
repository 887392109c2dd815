// The common body of a property with a value: its hint and four accesses,
// each optional: how to read the value, how to write it (none: the property
// is read-only), a condition that makes it read-only and a condition that
// shows its control. Configured with chainable setters:
//
//     prop.Hint(IDS_HINT).ReadWrite(access).VisibleWhen(condition);
//
// It accepts an object only when every access it has accepts it.
#pragma once

#include "framework/properties/access.h"
#include "framework/properties/basic_property.h"

#include <string>

namespace Kor {

template <class T>
class PropertyImpl : public virtual BasicProperty<T> {
public:
    using BasicProperty<T>::ReadOnly;
    using BasicProperty<T>::Visible;
    using BasicProperty<T>::GetValue;
    using BasicProperty<T>::SetValue;

    PropertyImpl& Hint(const ResourceString& hint) {
        hint_ = hint.str();
        return *this;
    }
    PropertyImpl& Read(boost::shared_ptr<ReadAccess<T>> access) {
        read_ = std::move(access);
        return *this;
    }
    PropertyImpl& Write(boost::shared_ptr<WriteAccess<T>> access) {
        write_ = std::move(access);
        return *this;
    }
    // One access for both.
    PropertyImpl& ReadWrite(const boost::shared_ptr<ReadWriteAccess<T>>& access) {
        read_ = access;
        write_ = access;
        return *this;
    }
    PropertyImpl& ReadOnlyWhen(boost::shared_ptr<ReadAccess<bool>> condition) {
        readOnly_ = std::move(condition);
        return *this;
    }
    PropertyImpl& VisibleWhen(boost::shared_ptr<ReadAccess<bool>> condition) {
        visible_ = std::move(condition);
        return *this;
    }

    std::string GetHint(const ObjectList&) const override { return hint_; }
    bool Accept(const EditableObject& object) const override {
        return (!read_ || read_->Accept(object)) && (!write_ || write_->Accept(object)) &&
               (!readOnly_ || readOnly_->Accept(object)) && (!visible_ || visible_->Accept(object));
    }
    bool GetValue(const EditableObject& object, T& value) const override {
        return read_ && read_->GetValue(object, value);
    }
    void SetValue(EditableObject& object, const T& value) const override {
        if (write_) write_->SetValue(object, value);
    }
    // Read-only while the condition reads true, and always without a write.
    bool ReadOnly(const EditableObject& object) const override {
        bool v = false;
        if (readOnly_ && readOnly_->GetValue(object, v) && v) return true;
        return !write_;
    }
    // Shown unless the condition reads false.
    bool Visible(const EditableObject& object) const override {
        bool v = true;
        return !visible_ || !visible_->GetValue(object, v) || v;
    }

private:
    std::string hint_;
    boost::shared_ptr<ReadAccess<T>> read_;
    boost::shared_ptr<WriteAccess<T>> write_;
    boost::shared_ptr<ReadAccess<bool>> readOnly_;
    boost::shared_ptr<ReadAccess<bool>> visible_;
};

}  // namespace Kor
