// Anything that receives events.
#pragma once

namespace Kor {

class Event;

class EventListener {
public:
    virtual ~EventListener() = default;
    virtual void ProcessEvent(Event& e) = 0;
};

}  // namespace Kor
