#include "framework/events/event_dispatcher.h"

namespace Kor {

void EventDispatcher::AddListener(EventListener* l) { listeners_.push_back(l); }

void EventDispatcher::RemoveListener(EventListener* l) { listeners_.remove(l); }

void EventDispatcher::Dispatch(Event& e) {
    for (EventListener* l : listeners_) l->ProcessEvent(e);
}

}  // namespace Kor
