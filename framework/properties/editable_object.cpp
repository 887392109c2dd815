#include "framework/properties/editable_object.h"

#include "framework/events/event_listener.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace Kor {

EditableObject::~EditableObject() {
    if (!listeners_.empty()) {
        ObjectGone e(this);
        DispatchPropertyEvent(e);
    }
    if (destroyed_) *destroyed_ = true;
}

void EditableObject::AddPropertyListener(EventListener* l) {
    if (l) listeners_.push_back(l);
}

void EditableObject::RemovePropertyListener(EventListener* l) { listeners_.remove(l); }

void EditableObject::DispatchPropertyEvent(Event& e) {
    bool destroyed = false;
    bool* outer = std::exchange(destroyed_, &destroyed);
    std::vector<EventListener*> copy(listeners_.begin(), listeners_.end());
    for (EventListener* l : copy) {
        if (std::find(listeners_.begin(), listeners_.end(), l) == listeners_.end()) continue;
        l->ProcessEvent(e);
        if (destroyed) {
            if (outer) *outer = true;
            return;
        }
    }
    destroyed_ = outer;
}

void EditableObject::PropertiesChanged() {
    PropertyChange e(this);
    DispatchPropertyEvent(e);
}

}  // namespace Kor
