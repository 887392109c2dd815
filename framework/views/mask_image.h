// Pictures of 1-bit masks for drawing: a region of an img::bitmap becomes a
// platform bitmap of the region's size, set pixels in one colour and clear
// ones in another, which DC::BitBlt or DC::StretchBlt then puts on a view.
#pragma once

#include "contour/bitmap.h"
#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/geometry.h"

namespace Kor {

// The pixels of `region` (mask pixels; the region is clipped to the mask)
// as a bitmap of the clipped region's size; a null bitmap when nothing of
// the region lies in the mask. Rows are read through the mask's row table,
// so bottom-up masks come out the right way up.
plat::Bitmap MaskRegionBitmap(const img::bitmap& mask, const plat::Rect& region, plat::Color set, plat::Color clear);

}  // namespace Kor
