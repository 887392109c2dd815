#include "framework/properties/property_base.h"

namespace Kor {

bool PropertyBase::AcceptAll(const ObjectList& objects) const {
    for (const EditableObject* o : objects)
        if (o && !Accept(*o)) return false;
    return true;
}

}  // namespace Kor
