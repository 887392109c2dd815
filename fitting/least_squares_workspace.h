// A linear least-squares solver for many right-hand sides over one design
// matrix: factorised once (column balancing, then a singular value
// decomposition), then each solve costs two matrix-vector products.
#pragma once

#include <gsl/gsl_matrix.h>
#include <gsl/gsl_vector.h>

namespace outline {

class least_squares_workspace {
public:
    // Allocates every member for p parameters and n observations and writes
    // one line about it to std::clog.
    least_squares_workspace(unsigned p, unsigned n);
    ~least_squares_workspace();
    least_squares_workspace(const least_squares_workspace&) = delete;
    least_squares_workspace& operator=(const least_squares_workspace&) = delete;

    // False when an allocation failed; the workspace must not be used then.
    bool ok() const;

    // Factorises `design`. Needs n >= p. False when the decomposition failed
    // (the workspace then must not be solved with).
    bool decompose();

    // Solves design * c ~= rhs into `solution`; returns the residual sum of
    // squares. Leaves the factors untouched.
    double solve();

    const unsigned parameter_count;    // p, matrix columns
    const unsigned observation_count;  // n, matrix rows
    gsl_matrix* design;                // n x p, filled by the caller; never modified here
    gsl_vector* rhs;                   // n, filled by the caller before each solve
    gsl_vector* solution;              // p, written by solve
    gsl_matrix* u_factor;              // n x p: balanced copy of design, then U
    gsl_matrix* v_factor;              // p x p: V
    gsl_matrix* scaled_v;              // p x p: scratch, then V * S^+
    gsl_vector* singular_values;       // p: S
    gsl_vector* work;                  // p: scratch, then U^T * rhs during solve
    gsl_vector* column_scale;          // p: balancing factor of each column (a power of two)
};

// Switches GSL's abort-on-error handler off, once per process: every GSL call
// of the engine checks its status instead.
void disable_gsl_abort();

}  // namespace outline
