// The Cairo image surface behind a Bitmap, for the platform's drawing code
// only: no public header includes this one, so that users of the platform
// never see a Cairo type.
#pragma once

#include "platform/bitmap.h"

#include <cairo.h>

namespace plat {

struct BitmapSurface {
    // A Bitmap keeps its surface as an opaque handle; these are the only
    // places that convert between the two.
    static cairo_surface_t* Of(const Bitmap& b) { return reinterpret_cast<cairo_surface_t*>(b.surface_); }
    // A bitmap that owns `surface` (takes the reference).
    static Bitmap Adopt(cairo_surface_t* surface) {
        Bitmap b;
        b.surface_ = reinterpret_cast<SurfaceHandle*>(surface);
        return b;
    }
};

}  // namespace plat
