// Placing pins on the polyline: which nodes a pin takes, refusals, order.
#include <gtest/gtest.h>

#include "fitting/pin_rules.h"

using namespace outline;

namespace {

// The outline of a 4 x 4 pixel square at (1, 1), as the tracer gives it:
// node i is at index i, 16 distinct nodes, the last repeating the first.
std::vector<node> square()
{
    return {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5},
            {5, 4}, {5, 3}, {5, 2}, {5, 1}, {4, 1}, {3, 1}, {2, 1}, {1, 1}};
}

std::vector<unsigned> first_nodes(const std::vector<area>& areas)
{
    std::vector<unsigned> f;
    for (const area& a : areas) f.push_back(a.nodes.front());
    return f;
}

}  // namespace

TEST(PinRules, ACircleTakesTheNodesOnItsBoundary)
{
    // Centred on node 2 (1, 3): radius 1 reaches nodes 1 and 3 exactly.
    EXPECT_EQ(nodes_in_circle(square(), {1, 3}, 1.0f), (std::vector<unsigned>{1, 2, 3}));
    EXPECT_EQ(nodes_in_circle(square(), {1, 3}, 0.99f), (std::vector<unsigned>{2}));
    // (1.5, 5.5) is sqrt(0.5) from (1, 5) and from (2, 5).
    EXPECT_EQ(nodes_in_circle(square(), {1.5f, 5.5f}, 0.7072f), (std::vector<unsigned>{4, 5}));
    EXPECT_TRUE(nodes_in_circle(square(), {3, 3}, 1.9f).empty());
    EXPECT_TRUE(nodes_in_circle({}, {0, 0}, 100.0f).empty());
}

TEST(PinRules, TheRepeatedLastNodeCountsAsNodeZero)
{
    std::vector<area> areas;
    EXPECT_EQ(add_area(areas, square(), {1, 1}, 0.5f, true), add_area_result::added);
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0].nodes, (std::vector<unsigned>{0}));
    // Around the first node the circle also reaches its neighbours on both sides.
    EXPECT_EQ(nodes_in_circle(square(), {1, 1}, 1.0f), (std::vector<unsigned>{0, 1, 15}));
}

TEST(PinRules, RefusedPinsLeaveTheListAsItWas)
{
    std::vector<area> areas;
    ASSERT_EQ(add_area(areas, square(), {5, 5}, 1.0f, false), add_area_result::added);

    EXPECT_EQ(add_area(areas, square(), {3, 3}, 1.0f, true), add_area_result::no_nodes);
    EXPECT_STREQ(add_area_message(add_area_result::no_nodes), "The area contains no nodes of the polyline.");
    EXPECT_EQ(add_area(areas, square(), {5, 3}, 1.0f, true), add_area_result::shares_nodes);  // node 9
    EXPECT_STREQ(add_area_message(add_area_result::shares_nodes),
                 "The area shares some nodes of polyline with another area.");

    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0].nodes, (std::vector<unsigned>{7, 8, 9}));
    EXPECT_FALSE(areas[0].smooth);
    EXPECT_EQ(areas[0].x, 5.0f);
    EXPECT_EQ(areas[0].radius, 1.0f);
}

TEST(PinRules, PinsStaySortedByTheirFirstNode)
{
    std::vector<area> areas;
    for (real_point centre : {real_point{5, 1}, real_point{1, 3}, real_point{5, 5}, real_point{1, 1}})
        ASSERT_EQ(add_area(areas, square(), centre, 0.5f, true), add_area_result::added);
    EXPECT_EQ(first_nodes(areas), (std::vector<unsigned>{0, 2, 8, 12}));
}
