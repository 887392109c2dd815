#include "framework/property_editor/row_control.h"

#include "framework/property_editor/list_control.h"

#include <algorithm>

namespace Kor {

void RowControl::SetRowHeight(int height) {
    height = std::max(height, 1);
    if (height == height_) return;
    height_ = height;
    if (index_ >= 0) owner_.RowHeightChanged(index_);
}

}  // namespace Kor
