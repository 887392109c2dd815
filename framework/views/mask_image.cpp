#include "framework/views/mask_image.h"

#include <algorithm>
#include <cstdint>

namespace Kor {

plat::Bitmap MaskRegionBitmap(const img::bitmap& mask, const plat::Rect& region, plat::Color set, plat::Color clear) {
    const long long width = mask.width(), height = mask.height();
    const int left = int(std::clamp<long long>(region.left, 0, width));
    const int right = int(std::clamp<long long>(region.right, left, width));
    const int top = int(std::clamp<long long>(region.top, 0, height));
    const int bottom = int(std::clamp<long long>(region.bottom, top, height));
    if (left >= right || top >= bottom || mask.size() == 0) return plat::Bitmap();
    plat::Bitmap picture(right - left, bottom - top, clear);
    const std::uint32_t on = set.Packed(), off = clear.Packed();
    for (int y = top; y < bottom; ++y) {
        const img::bitmap::byte* row = mask.row(std::uint32_t(y));
        std::uint32_t* out = picture.Row(y - top);
        for (int x = left; x < right; ++x) out[x - left] = (row[x >> 3] & (0x80u >> (x & 7))) ? on : off;
    }
    picture.MarkDirty();
    return picture;
}

}  // namespace Kor
