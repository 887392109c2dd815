// The control of a bool property: a check box, ticked or clear as the
// objects' value is, indeterminate while they disagree. A click writes the
// negation of the first object's value to every object.
#pragma once

#include "framework/controls/check_box.h"
#include "framework/properties/typed_control.h"

namespace Kor {

template <>
class TypedControl<bool> : public TypedControlBase<bool>, public CheckBox {
public:
    TypedControl(BasicProperty<bool>& property, const ObjectList& objects)
        : TypedControlBase<bool>(property, objects), CheckBox("KORW_CHECKBOX", "KORW_CHECKBOX_MASK") {
        HandleUpdateUI();
    }

    int GetState() const override {
        bool value = false;
        if (!ReadValue(value)) return Indeterminate;
        return value ? Ticked : Clear;
    }
    void HandleClick() override {
        bool value = false;
        ReadValue(value);  // the first object's value even when they disagree
        Invalidate();
        WriteValue(!value);
    }
    void HandleUpdateUI() override { FollowProperty(*this); }
};

}  // namespace Kor
