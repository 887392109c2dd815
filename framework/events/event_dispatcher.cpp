#include "framework/events/event_dispatcher.h"

#include <utility>

namespace Kor {

EventDispatcher& EventDispatcher::operator=(const EventDispatcher& o) {
    listeners_ = o.listeners_;
    return *this;
}

EventDispatcher::~EventDispatcher() {
    if (destroyed_) *destroyed_ = true;
}

void EventDispatcher::AddListener(EventListener* l) { listeners_.push_back(l); }

void EventDispatcher::RemoveListener(EventListener* l) { listeners_.remove(l); }

void EventDispatcher::Dispatch(Event& e) {
    bool destroyed = false;
    bool* outer = std::exchange(destroyed_, &destroyed);
    for (EventListener* l : listeners_) {
        l->ProcessEvent(e);
        if (destroyed) {
            // Nothing of this dispatcher may be touched any more; a dispatch
            // further out (of the same dispatcher) ends too.
            if (outer) *outer = true;
            return;
        }
    }
    destroyed_ = outer;
}

}  // namespace Kor
