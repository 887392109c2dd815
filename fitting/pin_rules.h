// Placing pins on a polyline: which nodes a pin takes and when it is
// refused. The document and the batch command both follow these rules.
#pragma once

#include <vector>

#include "fitting/typedefs.h"

namespace outline {

enum class add_area_result {
    added,
    no_nodes,      // the circle holds no node of the polyline
    shares_nodes,  // it holds a node that an earlier pin holds
};

// The text shown for a refusal; empty for `added`.
const char* add_area_message(add_area_result result);

// The indices of the nodes of the closed polyline inside the circle,
// ascending, boundary included. The last node repeats the first and is never
// counted: a pin on it holds node 0. The test takes the float differences
// of node and centre and compares their squares in double.
std::vector<unsigned> nodes_in_circle(const std::vector<node>& closed, real_point centre, float radius);

// Adds the pin to `areas` (kept ascending by first node, no node in two
// pins) unless it holds no node or shares one with an existing pin; then
// `areas` stays as it was and the result says why.
add_area_result add_area(std::vector<area>& areas, const std::vector<node>& closed, real_point centre,
                         float radius, bool smooth);

}  // namespace outline
