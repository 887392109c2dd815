#include "platform/region.h"

#include <cairo.h>

namespace plat {

namespace {
cairo_rectangle_int_t ToCairo(const Rect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}
}  // namespace

Region::Region() : region_(cairo_region_create()) {}

Region::Region(const Rect& r) {
    if (r.IsEmpty()) {
        region_ = cairo_region_create();
    } else {
        cairo_rectangle_int_t c = ToCairo(r);
        region_ = cairo_region_create_rectangle(&c);
    }
}

Region::Region(const Region& o) : region_(cairo_region_copy(o.region_)) {}

Region& Region::operator=(const Region& o) {
    if (this != &o) {
        cairo_region_t* copy = cairo_region_copy(o.region_);
        cairo_region_destroy(region_);
        region_ = copy;
    }
    return *this;
}

Region::~Region() { cairo_region_destroy(region_); }

bool Region::IsEmpty() const { return cairo_region_is_empty(region_); }

Rect Region::Bounds() const {
    cairo_rectangle_int_t c;
    cairo_region_get_extents(region_, &c);
    return Rect(c.x, c.y, c.x + c.width, c.y + c.height);
}

bool Region::Contains(Point p) const { return cairo_region_contains_point(region_, p.x, p.y); }

bool Region::Intersects(const Rect& r) const {
    if (r.IsEmpty()) return false;
    cairo_rectangle_int_t c = ToCairo(r);
    return cairo_region_contains_rectangle(region_, &c) != CAIRO_REGION_OVERLAP_OUT;
}

std::vector<Rect> Region::Rects() const {
    std::vector<Rect> out;
    int n = cairo_region_num_rectangles(region_);
    out.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t c;
        cairo_region_get_rectangle(region_, i, &c);
        out.emplace_back(c.x, c.y, c.x + c.width, c.y + c.height);
    }
    return out;
}

Region& Region::Union(const Rect& r) {
    if (!r.IsEmpty()) {
        cairo_rectangle_int_t c = ToCairo(r);
        cairo_region_union_rectangle(region_, &c);
    }
    return *this;
}

Region& Region::Union(const Region& o) {
    cairo_region_union(region_, o.region_);
    return *this;
}

Region& Region::Subtract(const Rect& r) {
    if (!r.IsEmpty()) {
        cairo_rectangle_int_t c = ToCairo(r);
        cairo_region_subtract_rectangle(region_, &c);
    }
    return *this;
}

Region& Region::Subtract(const Region& o) {
    cairo_region_subtract(region_, o.region_);
    return *this;
}

Region& Region::Intersect(const Rect& r) {
    if (r.IsEmpty()) {
        Clear();
    } else {
        cairo_rectangle_int_t c = ToCairo(r);
        cairo_region_intersect_rectangle(region_, &c);
    }
    return *this;
}

Region& Region::Intersect(const Region& o) {
    cairo_region_intersect(region_, o.region_);
    return *this;
}

Region& Region::Offset(int dx, int dy) {
    cairo_region_translate(region_, dx, dy);
    return *this;
}

void Region::Clear() {
    cairo_region_destroy(region_);
    region_ = cairo_region_create();
}

bool Region::operator==(const Region& o) const { return cairo_region_equal(region_, o.region_); }

}  // namespace plat
