#include "fitting/curve_area.h"

namespace outline {

namespace {

double cross(real_point a, real_point b)
{
    return double(a.x) * double(b.y) - double(a.y) * double(b.x);
}

}  // namespace

// Half the integral of x dy - y dx over the cubic with control points
// p0..p3 is (6 p0xp1 + 3 p0xp2 + p0xp3 + 3 p1xp2 + 3 p1xp3 + 6 p2xp3) / 20,
// where axb is the cross product; for a straight piece it is p0xp3 / 2, the
// polygon's term.
double curve_area(const std::vector<real_point>& p)
{
    double sum = 0;
    for (std::size_t i = 0; i + 3 < p.size(); i += 3)
        sum += 6 * cross(p[i], p[i + 1]) + 3 * cross(p[i], p[i + 2]) + cross(p[i], p[i + 3]) +
               3 * cross(p[i + 1], p[i + 2]) + 3 * cross(p[i + 1], p[i + 3]) + 6 * cross(p[i + 2], p[i + 3]);
    return sum / 20;
}

double polygon_area(const std::vector<node>& closed)
{
    double sum = 0;
    for (std::size_t i = 0; i + 1 < closed.size(); ++i)
        sum += double(closed[i].x) * closed[i + 1].y - double(closed[i + 1].x) * closed[i].y;
    return sum / 2;
}

}  // namespace outline
