#include "platform/bitmap.h"

#include "platform/bitmap_surface.h"
#include "platform/draw_objects.h"
#include "platform/resources.h"

#include <cstring>
#include <utility>

namespace plat {

const Font& DefaultGuiFont() {
    static const Font font("DejaVu Sans", 12);
    return font;
}

namespace {
cairo_surface_t* SurfaceOf(const Bitmap& b) { return BitmapSurface::Of(b); }
}  // namespace

Bitmap::Bitmap(int width, int height, Color fill)
    : Bitmap(BitmapSurface::Adopt(
          cairo_image_surface_create(CAIRO_FORMAT_RGB24, width > 0 ? width : 1, height > 0 ? height : 1))) {
    cairo_t* cr = cairo_create(SurfaceOf(*this));
    cairo_set_source_rgb(cr, fill.r / 255.0, fill.g / 255.0, fill.b / 255.0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
}

Bitmap::Bitmap(const Bitmap& o) {
    cairo_surface_t* from = SurfaceOf(o);
    if (!from) return;
    cairo_surface_flush(from);
    cairo_surface_t* to = cairo_image_surface_create(cairo_image_surface_get_format(from), o.Width(), o.Height());
    *this = BitmapSurface::Adopt(to);
    cairo_t* cr = cairo_create(to);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, from, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
}

Bitmap::Bitmap(Bitmap&& o) noexcept : surface_(std::exchange(o.surface_, nullptr)) {}

Bitmap& Bitmap::operator=(Bitmap o) noexcept {
    std::swap(surface_, o.surface_);
    return *this;
}

Bitmap::~Bitmap() {
    if (surface_) cairo_surface_destroy(SurfaceOf(*this));
}

int Bitmap::Width() const { return surface_ ? cairo_image_surface_get_width(SurfaceOf(*this)) : 0; }
int Bitmap::Height() const { return surface_ ? cairo_image_surface_get_height(SurfaceOf(*this)) : 0; }
bool Bitmap::HasAlpha() const {
    return surface_ && cairo_image_surface_get_format(SurfaceOf(*this)) == CAIRO_FORMAT_ARGB32;
}

std::uint32_t* Bitmap::Row(int y) {
    cairo_surface_t* s = SurfaceOf(*this);
    cairo_surface_flush(s);
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) +
                                            std::ptrdiff_t(y) * cairo_image_surface_get_stride(s));
}

const std::uint32_t* Bitmap::Row(int y) const { return const_cast<Bitmap*>(this)->Row(y); }

void Bitmap::MarkDirty() {
    if (surface_) cairo_surface_mark_dirty(SurfaceOf(*this));
}

Color Bitmap::GetPixel(int x, int y) const {
    if (!surface_ || x < 0 || y < 0 || x >= Width() || y >= Height()) return Color();
    return Color::FromPacked(Row(y)[x]);
}

void Bitmap::SetPixel(int x, int y, Color c) {
    if (!surface_ || x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    Row(y)[x] = c.Packed() | (HasAlpha() ? 0xFF000000u : 0u);
    MarkDirty();
}

bool Bitmap::SavePng(const std::string& path) const {
    return surface_ && cairo_surface_write_to_png(SurfaceOf(*this), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

namespace {

// Cairo reads PNG images always as ARGB32; opaque ones become RGB24 so that
// pixel values compare as colours.
Bitmap FromLoadedSurface(cairo_surface_t* s) {
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return Bitmap();
    }
    bool opaque = true;
    if (cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32) {
        cairo_surface_flush(s);
        int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        for (int y = 0; y < h && opaque; ++y) {
            auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(s) +
                                                               y * cairo_image_surface_get_stride(s));
            for (int x = 0; x < w; ++x)
                if ((row[x] >> 24) != 0xFF) { opaque = false; break; }
        }
    }
    if (opaque && cairo_image_surface_get_format(s) != CAIRO_FORMAT_RGB24) {
        cairo_surface_t* rgb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cairo_image_surface_get_width(s),
                                                          cairo_image_surface_get_height(s));
        cairo_t* cr = cairo_create(rgb);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        s = rgb;
    }
    return BitmapSurface::Adopt(s);
}

struct PngReader {
    const unsigned char* data;
    std::size_t size, pos;
};

cairo_status_t ReadPng(void* closure, unsigned char* out, unsigned int length) {
    auto* r = static_cast<PngReader*>(closure);
    if (r->size - r->pos < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data + r->pos, length);
    r->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

Bitmap Bitmap::LoadPng(const std::string& path) {
    return FromLoadedSurface(cairo_image_surface_create_from_png(path.c_str()));
}

Bitmap Bitmap::FromPngData(const void* data, std::size_t size) {
    PngReader reader{static_cast<const unsigned char*>(data), size, 0};
    return FromLoadedSurface(cairo_image_surface_create_from_png_stream(ReadPng, &reader));
}

Bitmap Bitmap::FromResource(const std::string& name) {
    std::string bytes;
    if (!FindResource(name + ".png", bytes)) return Bitmap();
    return FromPngData(bytes.data(), bytes.size());
}

}  // namespace plat
