// A set of pixels made of rectangles (update regions, clip regions), kept in
// a Cairo region. Value type.
#pragma once

#include "platform/geometry.h"

#include <vector>

struct _cairo_region;

namespace plat {

class Region {
public:
    Region();
    explicit Region(const Rect& r);
    Region(const Region& o);
    Region& operator=(const Region& o);
    ~Region();

    bool IsEmpty() const;
    Rect Bounds() const;
    bool Contains(Point p) const;
    bool Intersects(const Rect& r) const;
    std::vector<Rect> Rects() const;

    Region& Union(const Rect& r);
    Region& Union(const Region& o);
    Region& Subtract(const Rect& r);
    Region& Subtract(const Region& o);
    Region& Intersect(const Rect& r);
    Region& Intersect(const Region& o);
    Region& Offset(int dx, int dy);
    Region& Offset(Point d) { return Offset(d.x, d.y); }
    void Clear();

    bool operator==(const Region& o) const;
    bool operator!=(const Region& o) const { return !(*this == o); }

private:
    _cairo_region* region_;
};

}  // namespace plat
