#include "fitting/least_squares_workspace.h"

#include <cmath>
#include <iostream>
#include <mutex>

#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>

namespace outline {

void disable_gsl_abort()
{
    static std::once_flag once;
    std::call_once(once, [] { gsl_set_error_handler_off(); });
}

least_squares_workspace::least_squares_workspace(unsigned p, unsigned n)
    : parameter_count(p), observation_count(n)
{
    disable_gsl_abort();
    design = gsl_matrix_alloc(n, p);
    rhs = gsl_vector_alloc(n);
    solution = gsl_vector_alloc(p);
    u_factor = gsl_matrix_alloc(n, p);
    v_factor = gsl_matrix_alloc(p, p);
    scaled_v = gsl_matrix_alloc(p, p);
    singular_values = gsl_vector_alloc(p);
    work = gsl_vector_alloc(p);
    column_scale = gsl_vector_alloc(p);
    std::clog << "Least-Squares workspace allocated for " << n << " observations and " << p << " parameters.\n";
}

least_squares_workspace::~least_squares_workspace()
{
    // The GSL free functions ignore null (a failed allocation).
    gsl_vector_free(column_scale);
    gsl_vector_free(work);
    gsl_vector_free(singular_values);
    gsl_matrix_free(scaled_v);
    gsl_matrix_free(v_factor);
    gsl_matrix_free(u_factor);
    gsl_vector_free(solution);
    gsl_vector_free(rhs);
    gsl_matrix_free(design);
}

bool least_squares_workspace::ok() const
{
    return design && rhs && solution && u_factor && v_factor && scaled_v && singular_values && work &&
           column_scale;
}

bool least_squares_workspace::decompose()
{
    if (!ok() || observation_count < parameter_count || parameter_count == 0)
        return false;
    if (gsl_matrix_memcpy(u_factor, design) != GSL_SUCCESS)
        return false;
    if (gsl_linalg_balance_columns(u_factor, column_scale) != GSL_SUCCESS)
        return false;
    if (parameter_count == 1) {
        double sum = 0;
        for (unsigned i = 0; i < observation_count; ++i) {
            double x = gsl_matrix_get(u_factor, i, 0);
            sum += x * x;
        }
        double norm = std::sqrt(sum);
        // An all-zero column has norm 0: leave it as it is, so that its
        // singular value 0 makes the unknown 0 instead of NaN.
        if (norm != 0)
            gsl_matrix_scale(u_factor, 1.0 / norm);
        gsl_matrix_set(v_factor, 0, 0, 1.0);
        gsl_vector_set(singular_values, 0, norm);
    } else if (gsl_linalg_SV_decomp_mod(u_factor, scaled_v, v_factor, singular_values, work) != GSL_SUCCESS) {
        return false;
    }
    gsl_matrix_memcpy(scaled_v, v_factor);
    for (unsigned j = 0; j < parameter_count; ++j) {
        gsl_vector_view column = gsl_matrix_column(scaled_v, j);
        double s = gsl_vector_get(singular_values, j);
        gsl_vector_scale(&column.vector, s == 0.0 ? 0.0 : 1.0 / s);
    }
    return true;
}

double least_squares_workspace::solve()
{
    gsl_blas_dgemv(CblasTrans, 1.0, u_factor, rhs, 0.0, work);
    gsl_blas_dgemv(CblasNoTrans, 1.0, scaled_v, work, 0.0, solution);
    gsl_vector_div(solution, column_scale);
    double sum = 0;
    for (unsigned i = 0; i < observation_count; ++i) {
        gsl_vector_const_view row = gsl_matrix_const_row(design, i);
        double estimate;
        gsl_blas_ddot(&row.vector, solution, &estimate);
        double d = gsl_vector_get(rhs, i) - estimate;
        sum += d * d;
    }
    return sum;
}

}  // namespace outline
