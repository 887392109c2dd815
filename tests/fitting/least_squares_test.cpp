// The least-squares workspace over GSL.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <sstream>

#include "fitting/least_squares_workspace.h"

using outline::least_squares_workspace;

namespace {

// Captures what std::clog receives while it lives.
class clog_capture {
public:
    clog_capture() : old_(std::clog.rdbuf(text_.rdbuf())) {}
    ~clog_capture() { std::clog.rdbuf(old_); }
    std::string str() const { return text_.str(); }

private:
    std::ostringstream text_;
    std::streambuf* old_;
};

// A fixed, well-conditioned design of n rows by p columns.
void fill_design(least_squares_workspace& ws)
{
    for (unsigned i = 0; i < ws.observation_count; ++i)
        for (unsigned j = 0; j < ws.parameter_count; ++j)
            gsl_matrix_set(ws.design, i, j, std::sin(1.0 + i * 0.7 + j * 1.3) + (i % (j + 2) == 0 ? 0.5 : 0.0));
}

void set_rhs_from(least_squares_workspace& ws, const std::vector<double>& c)
{
    for (unsigned i = 0; i < ws.observation_count; ++i) {
        double y = 0;
        for (unsigned j = 0; j < ws.parameter_count; ++j)
            y += gsl_matrix_get(ws.design, i, j) * c[j];
        gsl_vector_set(ws.rhs, i, y);
    }
}

}  // namespace

TEST(LeastSquares, ConstructionWritesOneLogLine)
{
    clog_capture capture;
    least_squares_workspace ws(9, 120);
    EXPECT_EQ("Least-Squares workspace allocated for 120 observations and 9 parameters.\n", capture.str());
    EXPECT_TRUE(ws.ok());
}

TEST(LeastSquares, ConsistentSystemIsSolvedExactlyAndRepeatably)
{
    clog_capture quiet;
    least_squares_workspace ws(4, 20);
    fill_design(ws);
    ASSERT_TRUE(ws.decompose());
    const std::vector<double> c0 = {1.5, -2.0, 0.25, 8.0};
    set_rhs_from(ws, c0);
    double sum = ws.solve();
    EXPECT_LT(sum, 1e-20);
    for (unsigned j = 0; j < 4; ++j)
        EXPECT_NEAR(c0[j], gsl_vector_get(ws.solution, j), 1e-12);

    std::vector<double> first(4);
    for (unsigned j = 0; j < 4; ++j)
        first[j] = gsl_vector_get(ws.solution, j);
    EXPECT_EQ(sum, ws.solve());
    for (unsigned j = 0; j < 4; ++j)
        EXPECT_EQ(first[j], gsl_vector_get(ws.solution, j));
}

TEST(LeastSquares, ZeroColumnGivesZeroUnknownAndSolvesTheRest)
{
    clog_capture quiet;
    least_squares_workspace ws(3, 12), reduced(2, 12);
    fill_design(ws);
    for (unsigned i = 0; i < 12; ++i) {
        gsl_matrix_set(ws.design, i, 1, 0.0);
        gsl_matrix_set(reduced.design, i, 0, gsl_matrix_get(ws.design, i, 0));
        gsl_matrix_set(reduced.design, i, 1, gsl_matrix_get(ws.design, i, 2));
        double y = std::cos(i * 0.9) * 3;
        gsl_vector_set(ws.rhs, i, y);
        gsl_vector_set(reduced.rhs, i, y);
    }
    ASSERT_TRUE(ws.decompose());
    ASSERT_TRUE(reduced.decompose());
    double sum = ws.solve(), reduced_sum = reduced.solve();
    EXPECT_EQ(0.0, gsl_vector_get(ws.solution, 1));
    EXPECT_NEAR(gsl_vector_get(reduced.solution, 0), gsl_vector_get(ws.solution, 0), 1e-12);
    EXPECT_NEAR(gsl_vector_get(reduced.solution, 1), gsl_vector_get(ws.solution, 2), 1e-12);
    EXPECT_NEAR(reduced_sum, sum, 1e-12);
    EXPECT_GT(sum, 0.1);
}

TEST(LeastSquares, ColumnsScaledByPowersOfTwoGiveTheSameSolution)
{
    clog_capture quiet;
    least_squares_workspace plain(3, 10), scaled(3, 10);
    fill_design(plain);
    const double factor[3] = {1024.0, 1.0 / 4096, 65536.0};
    for (unsigned i = 0; i < 10; ++i) {
        for (unsigned j = 0; j < 3; ++j)
            gsl_matrix_set(scaled.design, i, j, gsl_matrix_get(plain.design, i, j) * factor[j]);
        gsl_vector_set(plain.rhs, i, i * 0.5 - 1);
        gsl_vector_set(scaled.rhs, i, i * 0.5 - 1);
    }
    ASSERT_TRUE(plain.decompose());
    ASSERT_TRUE(scaled.decompose());
    EXPECT_EQ(plain.solve(), scaled.solve());
    for (unsigned j = 0; j < 3; ++j)
        EXPECT_EQ(gsl_vector_get(plain.solution, j), gsl_vector_get(scaled.solution, j) * factor[j]);
}

TEST(LeastSquares, SingleParameter)
{
    clog_capture quiet;
    least_squares_workspace ws(1, 5);
    for (unsigned i = 0; i < 5; ++i) {
        gsl_matrix_set(ws.design, i, 0, i + 1.0);
        gsl_vector_set(ws.rhs, i, 3 * (i + 1.0));
    }
    ASSERT_TRUE(ws.decompose());
    EXPECT_NEAR(0.0, ws.solve(), 1e-20);
    EXPECT_NEAR(3.0, gsl_vector_get(ws.solution, 0), 1e-14);

    // An all-zero single column: the unknown is 0, not NaN.
    least_squares_workspace zero(1, 4);
    for (unsigned i = 0; i < 4; ++i) {
        gsl_matrix_set(zero.design, i, 0, 0.0);
        gsl_vector_set(zero.rhs, i, 2.0);
    }
    ASSERT_TRUE(zero.decompose());
    EXPECT_EQ(16.0, zero.solve());
    EXPECT_EQ(0.0, gsl_vector_get(zero.solution, 0));
}

TEST(LeastSquares, FewerObservationsThanParametersIsRefused)
{
    clog_capture quiet;
    least_squares_workspace ws(5, 3);
    fill_design(ws);
    EXPECT_FALSE(ws.decompose());
}
