// A node of the property tree. The editor asks it, for the list of objects
// it shows, for its hint, visibility and read-only state, its sub-properties
// and whether its row starts expanded, and has it make the control that
// edits it (and free that control again).
#pragma once

#include "framework/properties/property_map.h"

#include <string>

namespace Kor {

class Widget;

class PropertyBase {
public:
    PropertyBase() = default;
    PropertyBase(const PropertyBase&) = delete;
    PropertyBase& operator=(const PropertyBase&) = delete;
    virtual ~PropertyBase() = default;

    // The text the editor's information panel shows for the selected row.
    virtual std::string GetHint(const ObjectList& objects) const {
        (void)objects;
        return std::string();
    }
    virtual bool ReadOnly(const ObjectList& objects) const {
        (void)objects;
        return false;
    }
    virtual bool Visible(const ObjectList& objects) const {
        (void)objects;
        return true;
    }
    // The sub-properties (rows below this one), or null.
    virtual const PropertyMap* GetSubProperties() const { return nullptr; }
    virtual bool DefaultExpanded() const { return false; }
    // Whether the property applies to `object` (its accesses can reach it).
    virtual bool Accept(const EditableObject& object) const = 0;
    // The control that edits the property for `objects` (null: none); the
    // caller hands it back through FreeControl.
    virtual Widget* CreateControl(ObjectList& objects) {
        (void)objects;
        return nullptr;
    }
    virtual void FreeControl(Widget* control) { (void)control; }

    // Accept for every object of the list (null entries are skipped).
    bool AcceptAll(const ObjectList& objects) const;
};

}  // namespace Kor
