#include "platform/cursor.h"

#include "platform/app.h"
#include "platform/bitmap_surface.h"
#include "platform/resources.h"

#include <sstream>

namespace plat {

Cursor Cursor::Standard(StdCursor shape) {
    Cursor c;
    c.shape_ = shape;
    return c;
}

Cursor Cursor::FromImage(const std::string& name, Bitmap image, Point hotSpot) {
    Cursor c;
    c.name_ = name;
    c.image_ = std::make_shared<const Bitmap>(std::move(image));
    c.hotSpot_ = hotSpot;
    return c;
}

Point Cursor::ResourceHotSpot(const std::string& name) {
    Point hot;
    std::string text;
    if (FindResource(name + ".hotspot", text)) {
        std::istringstream in(text);
        if (!(in >> hot.x >> hot.y)) hot = Point();
    }
    return hot;
}

Cursor Cursor::FromResource(const std::string& name) {
    Bitmap image = Bitmap::FromResource(name);
    if (image.IsNull()) return FromImageAndMask(name, image, image, Point());  // a null cursor
    return FromImage(name, std::move(image), ResourceHotSpot(name));
}

Cursor Cursor::FromImageAndMask(const std::string& name, const Bitmap& image, const Bitmap& mask, Point hotSpot) {
    if (image.IsNull() || mask.GetSize() != image.GetSize()) {
        Cursor c;
        c.null_ = true;
        c.name_ = name;
        return c;
    }
    // Premultiplied alpha: a shown pixel is opaque, a hidden one all zero.
    int w = image.Width(), h = image.Height();
    Bitmap argb = BitmapSurface::Adopt(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    for (int y = 0; y < h; ++y) {
        std::uint32_t* out = argb.Row(y);
        const std::uint32_t* in = image.Row(y);
        const std::uint32_t* m = mask.Row(y);
        for (int x = 0; x < w; ++x) out[x] = (m[x] & 0xFFFFFFu) ? 0xFF000000u | (in[x] & 0xFFFFFFu) : 0u;
    }
    argb.MarkDirty();
    return FromImage(name, std::move(argb), hotSpot);
}

void SetCursor(const Cursor& c) {
    if (App* app = App::Instance()) app->SetCursor(c);
}

}  // namespace plat
