#include "framework/localization/resource_string.h"

#include "platform/resources.h"

namespace Kor {

ResourceString::ResourceString(unsigned id) : text_(plat::LoadString(id)), id_(id) {
    if (text_.empty()) text_ = "#" + std::to_string(id);
}

}  // namespace Kor
