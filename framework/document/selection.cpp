#include "framework/document/selection.h"

namespace Kor {

bool NullSelection::Equals(const Selection& other) const {
    return dynamic_cast<const NullSelection*>(&other) != nullptr;
}

}  // namespace Kor
