#include "tests/fitting/test_polylines.h"

#include <cmath>
#include <cstdlib>

namespace testing_polylines {

namespace {

void step_to(std::vector<node>& path, node to)
{
    node at = path.back();
    while (at.x != to.x) {
        at.x = at.x < to.x ? at.x + 1 : at.x - 1;
        path.push_back(at);
    }
    while (at.y != to.y) {
        at.y = at.y < to.y ? at.y + 1 : at.y - 1;
        path.push_back(at);
    }
}

}  // namespace

std::vector<node> outline_of_spans(unsigned top, const std::vector<std::pair<unsigned, unsigned>>& spans)
{
    std::vector<node> path;
    const unsigned rows = unsigned(spans.size());
    path.push_back({(unsigned short)spans[0].first, (unsigned short)top});
    // Down the left side.
    for (unsigned i = 0; i < rows; ++i) {
        const unsigned y = top + i;
        step_to(path, {(unsigned short)spans[i].first, (unsigned short)y});
        step_to(path, {(unsigned short)spans[i].first, (unsigned short)(y + 1)});
    }
    // Along the bottom, then up the right side.
    for (unsigned i = rows; i-- > 0;) {
        const unsigned y = top + i;
        step_to(path, {(unsigned short)spans[i].second, (unsigned short)(y + 1)});
        step_to(path, {(unsigned short)spans[i].second, (unsigned short)y});
    }
    step_to(path, path.front());
    return path;
}

std::vector<node> disc(unsigned radius)
{
    const double c = radius + 1.0, r2 = double(radius) * radius;
    std::vector<std::pair<unsigned, unsigned>> spans;
    unsigned top = 0;
    for (unsigned y = 0; y < 2 * radius + 2; ++y) {
        double dy = y + 0.5 - c;
        unsigned left = 0, right = 0;
        bool any = false;
        for (unsigned x = 0; x < 2 * radius + 2; ++x) {
            double dx = x + 0.5 - c;
            if (dx * dx + dy * dy <= r2) {
                if (!any)
                    left = x;
                right = x + 1;
                any = true;
            }
        }
        if (!any)
            continue;
        if (spans.empty())
            top = y;
        spans.push_back({left, right});
    }
    return outline_of_spans(top, spans);
}

std::vector<node> rectangle(unsigned x, unsigned y, unsigned w, unsigned h)
{
    return outline_of_spans(y, std::vector<std::pair<unsigned, unsigned>>(h, {x, x + w}));
}

std::vector<node> rectilinear(const std::vector<node>& corners)
{
    std::vector<node> path{corners.front()};
    for (size_t i = 1; i < corners.size(); ++i)
        step_to(path, corners[i]);
    step_to(path, corners.front());
    return path;
}

}  // namespace testing_polylines
