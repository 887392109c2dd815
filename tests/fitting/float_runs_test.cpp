// The search's vectorised sweeps against plain scans written out here: the
// choice among candidates and the least bend must be exactly those of a
// candidate-by-candidate loop, ties and run tails included.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "fitting/bend_penalty.h"
#include "fitting/float_runs.h"

using namespace outline;

namespace {

bool same_bits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct candidates {
    std::vector<float> partial, ax, ay, bx, by;
};

// Values on a coarse grid, so that equal partial sums and equal full costs
// are common; tangents in every direction, some of them zero.
candidates random_candidates(std::mt19937& random, unsigned count)
{
    std::uniform_int_distribution<int> grid(0, 6), coordinate(-3, 3);
    candidates c;
    for (unsigned i = 0; i < count; ++i) {
        c.partial.push_back(float(grid(random)) * 0.5f);
        c.ax.push_back(float(coordinate(random)));
        c.ay.push_back(float(coordinate(random)));
        c.bx.push_back(float(coordinate(random)));
        c.by.push_back(float(coordinate(random)));
    }
    return c;
}

}  // namespace

TEST(FloatRuns, TheCheapestBentCandidateIsTheFirstOneAPlainScanKeeps)
{
    std::mt19937 random(7);
    for (float penalty : {10.0f, 0.75f}) {
        for (unsigned count = 0; count <= 41; ++count) {
            for (int round = 0; round < 20; ++round) {
                const candidates c = random_candidates(random, count);
                const float bound = float(round % 7) * 0.5f;
                unsigned expected = count;
                float expected_cost = 0;
                for (unsigned i = 0; i < count; ++i) {
                    if (!(c.partial[i] <= bound)) continue;
                    const float cost = c.partial[i] + bend_penalty(penalty, real_vector{c.ax[i], c.ay[i]},
                                                                   real_vector{c.bx[i], c.by[i]});
                    if (expected == count || cost < expected_cost) {
                        expected = i;
                        expected_cost = cost;
                    }
                }
                float cost = -1;
                const unsigned chosen = first_cheapest_bent(c.partial.data(), bound, penalty, c.ax.data(), c.ay.data(),
                                                            c.bx.data(), c.by.data(), count, &cost);
                ASSERT_EQ(expected, chosen) << "count " << count << " round " << round;
                if (chosen < count) {
                    EXPECT_TRUE(same_bits(expected_cost, cost));
                }
            }
        }
    }
}

TEST(FloatRuns, InfiniteCostsKeepTheFirstCandidateInPlay)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (unsigned count : {3u, 11u}) {
        std::vector<float> partial(count, inf), zero(count, 0.0f);
        partial[0] = 5;
        float cost = 0;
        // Within an infinite bound every candidate is in play, and only the
        // first is finite; within 4 none is in play.
        EXPECT_EQ(0u, first_cheapest_bent(partial.data(), inf, 10, zero.data(), zero.data(), zero.data(), zero.data(),
                                          count, &cost));
        EXPECT_EQ(15.0f, cost);
        partial[0] = inf;
        EXPECT_EQ(0u, first_cheapest_bent(partial.data(), inf, 10, zero.data(), zero.data(), zero.data(), zero.data(),
                                          count, &cost));
        EXPECT_EQ(inf, cost);
        EXPECT_EQ(count, first_cheapest_bent(partial.data(), 4, 10, zero.data(), zero.data(), zero.data(), zero.data(),
                                             count, &cost));
    }
}

TEST(FloatRuns, TheLeastBendIsTheLeastOfThePlainBends)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> coordinate(-2, 2);
    for (unsigned count = 0; count <= 27; ++count) {
        std::vector<float> bx, by;
        for (unsigned i = 0; i < count; ++i) {
            bx.push_back(coordinate(random));
            by.push_back(coordinate(random));
        }
        const float ax = coordinate(random), ay = coordinate(random);
        float expected = std::numeric_limits<float>::infinity();
        for (unsigned i = 0; i < count; ++i)
            expected = std::min(expected, bend_penalty(10.0f, real_vector{ax, ay}, real_vector{bx[i], by[i]}));
        EXPECT_TRUE(same_bits(expected, least_bend(10.0f, ax, ay, bx.data(), by.data(), count))) << count;
    }
}
