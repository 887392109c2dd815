#include "framework/properties/extent_as_string.h"

#include <locale>
#include <sstream>

namespace Kor {

bool ExtentAsString::GetValue(const EditableObject& object, std::string& value) const {
    plat::Size s;
    if (!extent_ || !extent_->GetValue(object, s)) return false;
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << s.cx << " x " << s.cy;
    value = out.str();
    return true;
}

}  // namespace Kor
