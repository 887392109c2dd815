// The property system's vocabulary:
//
//   editable object  an object whose values the editor shows (EditableObject)
//   property         a named, described value of a class of objects: how to
//                    read and write it, when it is read-only or hidden, the
//                    hint that explains it and the control that edits it
//                    (PropertyBase and its templates); one static object per
//                    class, never per instance
//   access           a small shared object that reads or writes one kind of
//                    value of one kind of object (ReadAccess, WriteAccess)
//   object list      the objects edited together: a value shows only where
//                    all of them agree, an edit goes to each of them
//   property map     display name -> property, in byte order of the names
//                    in the current language (the order of the editor's rows)
#pragma once

#include "framework/localization/resource_string.h"

#include <list>
#include <map>

namespace Kor {

class EditableObject;
class PropertyBase;

typedef std::map<ResourceString, PropertyBase*> PropertyMap;
typedef std::list<EditableObject*> ObjectList;

// Adds `name` -> `property` to `map`. A name the map already holds is
// refused (false, and a line on the debug output): two properties under one
// key would leave one of them without a row, or one row editing the wrong
// value.
bool AddProperty(PropertyMap& map, const ResourceString& name, PropertyBase& property);

}  // namespace Kor
