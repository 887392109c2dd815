// TypedControl<T>: the control Property<T> makes to edit a T. For numbers,
// strings and percentages it is a text control showing the value in the
// form ValueText<T> gives (no text while the objects disagree) and applying
// an edited text that form reads; other texts are dropped without a word
// and the value shows again. Check boxes (bool), drop-down lists
// (enumerations) and colour boxes (img::BGRA) are specialisations in their
// own headers; property.h brings them all.
#pragma once

#include "framework/controls/text_control.h"
#include "framework/properties/typed_control_base.h"
#include "framework/properties/value_text.h"

namespace Kor {

template <class T, class Enable = void>
class TypedControl : public TypedControlBase<T>, public TextControl {
public:
    TypedControl(BasicProperty<T>& property, const ObjectList& objects) : TypedControlBase<T>(property, objects) {
        HandleUpdateUI();
    }

    bool GetText(std::string& text) override {
        T value = T();
        if (!this->ReadValue(value)) return false;
        text = ValueText<T>::Format(value);
        return true;
    }
    void SetText(const std::string& text) override {
        T value = T();
        this->ReadValue(value);
        if (ValueText<T>::Parse(text, value)) this->WriteValue(value);
    }
    void HandleUpdateUI() override {
        this->FollowProperty(*this);
        TextControl::HandleUpdateUI();
    }
};

}  // namespace Kor
