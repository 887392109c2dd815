// Small geometric value types shared by the views, their tools and the
// programs built on them, in a scalar of the caller's choice: image
// coordinates in float, pixel positions in int, image sizes in unsigned.
//
//   point<T>   x, y
//   extent<T>  width, height
//   rect<T>    left, top, right, bottom; the right and bottom edges lie
//              outside it, so width() is right - left
//
// The int forms convert to and from the platform's geometry (plat::Point,
// plat::Size, plat::Rect) with to_plat and from_plat.
#pragma once

#include "platform/geometry.h"

namespace types {

template <class T>
struct point {
    T x{}, y{};

    constexpr point() = default;
    constexpr point(T px, T py) : x(px), y(py) {}
    template <class U>
    constexpr explicit point(const point<U>& o) : x(T(o.x)), y(T(o.y)) {}

    point operator+(const point& o) const { return point(x + o.x, y + o.y); }
    point operator-(const point& o) const { return point(x - o.x, y - o.y); }
    bool operator==(const point& o) const { return x == o.x && y == o.y; }
    bool operator!=(const point& o) const { return !(*this == o); }
};

template <class T>
struct extent {
    T width{}, height{};

    constexpr extent() = default;
    constexpr extent(T w, T h) : width(w), height(h) {}

    bool empty() const { return !(width > T(0)) || !(height > T(0)); }
    bool operator==(const extent& o) const { return width == o.width && height == o.height; }
    bool operator!=(const extent& o) const { return !(*this == o); }
};

template <class T>
struct rect {
    T left{}, top{}, right{}, bottom{};

    constexpr rect() = default;
    constexpr rect(T l, T t, T r, T b) : left(l), top(t), right(r), bottom(b) {}
    constexpr rect(point<T> top_left, extent<T> size)
        : left(top_left.x), top(top_left.y), right(top_left.x + size.width), bottom(top_left.y + size.height) {}

    T width() const { return right - left; }
    T height() const { return bottom - top; }
    point<T> top_left() const { return point<T>(left, top); }
    extent<T> size() const { return extent<T>(width(), height()); }
    bool empty() const { return !(left < right) || !(top < bottom); }
    bool contains(point<T> p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // Whether the two share an area (both non-empty).
    bool overlaps(const rect& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
    // The common part; empty (all zero) when they do not overlap.
    rect intersection(const rect& o) const {
        if (!overlaps(o)) return rect();
        return rect(left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
                    bottom < o.bottom ? bottom : o.bottom);
    }
    bool operator==(const rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const rect& o) const { return !(*this == o); }
};

inline plat::Point to_plat(point<int> p) { return plat::Point(p.x, p.y); }
inline plat::Size to_plat(extent<int> e) { return plat::Size(e.width, e.height); }
inline plat::Rect to_plat(const rect<int>& r) { return plat::Rect(r.left, r.top, r.right, r.bottom); }
inline point<int> from_plat(plat::Point p) { return point<int>(p.x, p.y); }
inline extent<int> from_plat(plat::Size s) { return extent<int>(s.cx, s.cy); }
inline rect<int> from_plat(const plat::Rect& r) { return rect<int>(r.left, r.top, r.right, r.bottom); }

}  // namespace types
