// A list of listeners (not owned) that receive every dispatched event, in
// the order they were added. The same listener may be added twice and then
// receives each event twice. A listener must not add or remove listeners of
// the same dispatcher from inside ProcessEvent.
#pragma once

#include "framework/events/event_listener.h"

#include <list>

namespace Kor {

class EventDispatcher {
public:
    virtual ~EventDispatcher() = default;
    void AddListener(EventListener* l);
    void RemoveListener(EventListener* l);  // every occurrence
    void Dispatch(Event& e);
    const std::list<EventListener*>& Listeners() const { return listeners_; }

private:
    std::list<EventListener*> listeners_;
};

}  // namespace Kor
