// Polynomials of matrices, linear interpolation between rows and the monotone smoothing of rows.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Polynom with a scalar: c_n + c_(n-1) x + ... + c_1 x^(n-1) for row 1 of C = (c_1 .. c_n), the
// powers accumulated from the constant term on (no Horner scheme); 0 when C has no columns.
long double PolynomialValue(const trealmatrix& c, long double x);

// Polynom with a matrix: every element of M replaced by the polynomial of its coefficient row (row
// i of C, or row 1 when C has one row; data row 1 when M has one row), max(rows) x cols(M). Row
// counts that differ with neither being 1 fail.
tResult<trealmatrix> PolynomialMatrix(const trealmatrix& m, const trealmatrix& c);

// Interpolate: ((rows - 1) * n + 1) x cols, n - 1 evenly spaced rows between consecutive rows of M
// (M(k) + t (M(k+1) - M(k)) / n, t = 0 .. n-1), then the last row. One row gives that row; n = 0
// raises tFloatDivisionByZeroError; a negative n fails.
tResult<trealmatrix> InterpolateRows(const trealmatrix& m, int32_t n);

// TableSmooth: every row made non-decreasing by averaging neighbouring pairs that are out of order
// with the column weights of row 1 of W (all equal without W), forward and backward, round after
// round until a round changes nothing (at most 1001 rounds).
trealmatrix MonotoneSmooth(const trealmatrix& m, const trealmatrix& w = trealmatrix());

} // namespace zelvora
