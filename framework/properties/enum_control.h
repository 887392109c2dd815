// The control of an enumeration property: a drop-down list of the
// enumeration's choices (EnumChoices<E>), showing the objects' common value
// (nothing while they disagree or hold a value that is not a choice);
// choosing writes that value to every object.
#pragma once

#include "framework/controls/drop_down.h"
#include "framework/properties/enum_choices.h"
#include "framework/properties/typed_control.h"

#include <type_traits>

namespace Kor {

template <class E>
class EnumControlBase : public TypedControlBase<E> {
public:
    EnumControlBase(BasicProperty<E>& property, const ObjectList& objects)
        : TypedControlBase<E>(property, objects), choices_(EnumChoices<E>::Get()) {}

    const std::vector<EnumChoice<E>>& Choices() const { return choices_; }
    // The choice the objects' common value is, or -1.
    int CurrentChoice() const {
        E value = E();
        if (!this->ReadValue(value)) return -1;
        for (std::size_t i = 0; i < choices_.size(); ++i)
            if (choices_[i].value == value) return int(i);
        return -1;
    }

private:
    std::vector<EnumChoice<E>> choices_;
};

template <class E>
class EnumTypeControl : public EnumControlBase<E>, public DropDown {
public:
    EnumTypeControl(BasicProperty<E>& property, const ObjectList& objects) : EnumControlBase<E>(property, objects) {}

    int GetItemCount() const override { return int(this->Choices().size()); }
    std::string GetItemText(int index) const override {
        return index >= 0 && index < GetItemCount() ? this->Choices()[std::size_t(index)].label.str() : std::string();
    }
    int GetCurSel() const override { return this->CurrentChoice(); }
    void HandleSelect(int index) override {
        if (index < 0 || index >= GetItemCount()) return;
        Invalidate();
        this->WriteValue(this->Choices()[std::size_t(index)].value);
    }
    void HandleUpdateUI() override { this->FollowProperty(*this); }
};

template <class E>
class TypedControl<E, typename std::enable_if<std::is_enum<E>::value>::type> : public EnumTypeControl<E> {
public:
    TypedControl(BasicProperty<E>& property, const ObjectList& objects) : EnumTypeControl<E>(property, objects) {
        this->HandleUpdateUI();
    }
};

}  // namespace Kor
