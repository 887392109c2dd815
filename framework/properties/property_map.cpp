#include "framework/properties/property_map.h"

#include "platform/debug_output.h"

namespace Kor {

bool AddProperty(PropertyMap& map, const ResourceString& name, PropertyBase& property) {
    if (map.insert(PropertyMap::value_type(name, &property)).second) return true;
    plat::OutputDebugString("Korvane: a second property named \"" + name.str() + "\" is left out");
    return false;
}

}  // namespace Kor
