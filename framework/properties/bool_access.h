// Conditions made of other conditions: the negation of one, the "or" of
// two. A condition that cannot be read stays unread (false), whatever the
// other one says.
#pragma once

#include "framework/properties/access.h"

namespace Kor {

class NotReadBool : public ReadAccess<bool> {
public:
    explicit NotReadBool(boost::shared_ptr<ReadAccess<bool>> inner) : inner_(std::move(inner)) {}
    bool Accept(const EditableObject& object) const override { return inner_ && inner_->Accept(object); }
    bool GetValue(const EditableObject& object, bool& value) const override {
        bool v = false;
        if (!inner_ || !inner_->GetValue(object, v)) return false;
        value = !v;
        return true;
    }

private:
    boost::shared_ptr<ReadAccess<bool>> inner_;
};

class OrReadBool : public ReadAccess<bool> {
public:
    OrReadBool(boost::shared_ptr<ReadAccess<bool>> a, boost::shared_ptr<ReadAccess<bool>> b)
        : a_(std::move(a)), b_(std::move(b)) {}
    bool Accept(const EditableObject& object) const override {
        return a_ && b_ && a_->Accept(object) && b_->Accept(object);
    }
    bool GetValue(const EditableObject& object, bool& value) const override {
        bool v = false;
        if (!a_ || !a_->GetValue(object, v)) return false;
        if (v) {
            value = true;
            return true;
        }
        return b_ && b_->GetValue(object, value);
    }

private:
    boost::shared_ptr<ReadAccess<bool>> a_, b_;
};

}  // namespace Kor
