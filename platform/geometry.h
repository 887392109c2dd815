// Integer geometry of the platform layer: points, sizes and rectangles in
// pixels. A rectangle includes its left and top edges and excludes its right
// and bottom edges, so its width is right - left; it is empty when the width
// or the height is not positive.
#pragma once

#include <algorithm>

namespace plat {

struct Size {
    int cx = 0, cy = 0;
    constexpr Size() = default;
    constexpr Size(int w, int h) : cx(w), cy(h) {}
    bool operator==(const Size& o) const { return cx == o.cx && cy == o.cy; }
    bool operator!=(const Size& o) const { return !(*this == o); }
};

struct Point {
    int x = 0, y = 0;
    constexpr Point() = default;
    constexpr Point(int px, int py) : x(px), y(py) {}
    Point& Offset(int dx, int dy) { x += dx; y += dy; return *this; }
    Point operator+(const Point& o) const { return {x + o.x, y + o.y}; }
    Point operator-(const Point& o) const { return {x - o.x, y - o.y}; }
    Point operator-() const { return {-x, -y}; }
    Point& operator+=(const Point& o) { x += o.x; y += o.y; return *this; }
    Point& operator-=(const Point& o) { x -= o.x; y -= o.y; return *this; }
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Point& o) const { return !(*this == o); }
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr Rect() = default;
    constexpr Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr Rect(Point topLeft, Size size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Size GetSize() const { return {Width(), Height()}; }
    Point TopLeft() const { return {left, top}; }
    Point BottomRight() const { return {right, bottom}; }
    Point Center() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool Contains(const Rect& r) const {
        return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
    }

    // Swaps the edges so that left <= right and top <= bottom.
    Rect& Normalize() {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
        return *this;
    }
    Rect& Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; return *this; }
    Rect& Offset(Point d) { return Offset(d.x, d.y); }
    Rect& Inflate(int dx, int dy) { left -= dx; right += dx; top -= dy; bottom += dy; return *this; }
    Rect& Deflate(int dx, int dy) { return Inflate(-dx, -dy); }
    Rect Offsetted(Point d) const { Rect r = *this; return r.Offset(d); }

    // The common part, or an all-zero rectangle when there is none.
    Rect Intersection(const Rect& o) const {
        Rect r(std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom));
        return r.IsEmpty() ? Rect() : r;
    }
    bool Intersects(const Rect& o) const { return !Intersection(o).IsEmpty(); }
    // The smallest rectangle holding both; an empty side does not count.
    Rect Union(const Rect& o) const {
        if (IsEmpty()) return o.IsEmpty() ? Rect() : o;
        if (o.IsEmpty()) return *this;
        return Rect(std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                    std::max(bottom, o.bottom));
    }

    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const Rect& o) const { return !(*this == o); }
};

}  // namespace plat
