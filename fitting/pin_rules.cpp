#include "fitting/pin_rules.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace outline {

const char* add_area_message(add_area_result result)
{
    switch (result) {
    case add_area_result::no_nodes:
        return "The area contains no nodes of the polyline.";
    case add_area_result::shares_nodes:
        return "The area shares some nodes of polyline with another area.";
    case add_area_result::added:
        break;
    }
    return "";
}

std::vector<unsigned> nodes_in_circle(const std::vector<node>& closed, real_point centre, float radius)
{
    std::vector<unsigned> inside;
    const double r2 = double(radius) * double(radius);
    for (size_t i = 0; i + 1 < closed.size(); ++i) {
        const real_vector d = to_real(closed[i]) - centre;
        if (double(d.x) * double(d.x) + double(d.y) * double(d.y) <= r2)
            inside.push_back(unsigned(i));
    }
    return inside;
}

namespace {

bool share_a_node(const std::vector<unsigned>& a, const std::vector<unsigned>& b)
{
    auto i = a.begin();
    auto j = b.begin();
    while (i != a.end() && j != b.end()) {
        if (*i < *j)
            ++i;
        else if (*j < *i)
            ++j;
        else
            return true;
    }
    return false;
}

}  // namespace

add_area_result add_area(std::vector<area>& areas, const std::vector<node>& closed, real_point centre,
                         float radius, bool smooth)
{
    std::vector<unsigned> inside = nodes_in_circle(closed, centre, radius);
    if (inside.empty())
        return add_area_result::no_nodes;
    for (const area& other : areas)
        if (share_a_node(other.nodes, inside))
            return add_area_result::shares_nodes;

    area pin;
    pin.x = centre.x;
    pin.y = centre.y;
    pin.radius = radius;
    pin.nodes = std::move(inside);
    pin.smooth = smooth;
    areas.push_back(std::move(pin));
    std::inplace_merge(areas.begin(), std::prev(areas.end()), areas.end(),
                       [](const area& a, const area& b) { return a.nodes.front() < b.nodes.front(); });
    return add_area_result::added;
}

}  // namespace outline
