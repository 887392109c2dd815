// An object the property editor can show: it gives its class's property
// map and keeps the listeners (editors) that show it. When its values change
// other than through an editor, it tells them with PropertiesChanged().
#pragma once

#include "framework/events/event.h"
#include "framework/properties/property_map.h"

#include <list>

namespace Kor {

class EventListener;

class EditableObject {
public:
    // Sent to the listeners when the object's values changed.
    class PropertyChange : public Event {
    public:
        explicit PropertyChange(EditableObject* o) : object(o) {}
        EditableObject* object;
    };
    // Sent to the listeners when the object goes away (from its destructor:
    // only the EditableObject part of it is left), so that nobody keeps it.
    class ObjectGone : public Event {
    public:
        explicit ObjectGone(EditableObject* o) : object(o) {}
        EditableObject* object;
    };

    EditableObject() = default;
    // A copy is another object: nobody listens to it yet.
    EditableObject(const EditableObject&) {}
    EditableObject& operator=(const EditableObject&) { return *this; }

    virtual const PropertyMap& GetProperties() const = 0;
    virtual ~EditableObject();

    // The same listener may be added twice; removing takes every occurrence.
    void AddPropertyListener(EventListener* l);
    void RemovePropertyListener(EventListener* l);
    const std::list<EventListener*>& PropertyListeners() const { return listeners_; }
    // Gives `e` to the listeners in the order they were added. The walk is
    // over a copy, so a listener may add or remove listeners; one removed
    // meanwhile is skipped, and the walk ends if the object goes away.
    void DispatchPropertyEvent(Event& e);
    // Sends PropertyChange.
    void PropertiesChanged();

private:
    std::list<EventListener*> listeners_;
    bool* destroyed_ = nullptr;  // set while a dispatch runs
};

}  // namespace Kor
