// A list of listeners (not owned) that receive every dispatched event, in
// the order they were added. The same listener may be added twice and then
// receives each event twice. A listener must not add or remove listeners of
// the same dispatcher from inside ProcessEvent; it may destroy the
// dispatcher (a timer owned by the button its event clicks, which closes a
// window): the dispatch then ends after that listener.
#pragma once

#include "framework/events/event_listener.h"

#include <list>

namespace Kor {

class EventDispatcher {
public:
    EventDispatcher() = default;
    // A copy has the same listeners (and is not being dispatched).
    EventDispatcher(const EventDispatcher& o) : listeners_(o.listeners_) {}
    EventDispatcher& operator=(const EventDispatcher& o);
    virtual ~EventDispatcher();

    void AddListener(EventListener* l);
    void RemoveListener(EventListener* l);  // every occurrence
    void Dispatch(Event& e);
    const std::list<EventListener*>& Listeners() const { return listeners_; }

private:
    std::list<EventListener*> listeners_;
    // While a dispatch runs: set when the dispatcher is destroyed.
    bool* destroyed_ = nullptr;
};

}  // namespace Kor
