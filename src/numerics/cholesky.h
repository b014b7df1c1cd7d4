// Cholesky factorizations: the plain factor and the pivot-scaled variant.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Cholesky/GS: L (n x m) lower triangular from the lower triangle of A (n x m, n >= m); sums of
// SafeMul products. A pivot below 1e-128 in magnitude counts as 0 and gives a zero column below
// it; a negative pivot d gives the diagonal element -sqrt(-d) instead of failing. Columns beyond
// the n-th (a wide A) stay 0.
tResult<trealmatrix> CholeskyFactor(const trealmatrix& a);

// CholUD/GSUD: for square A, R with the pivots d_t on the diagonal and d_t * l_wt below it (A =
// L*D*L' with L unit lower triangular); the residual's entries above the diagonal, zero up to
// rounding. Each step subtracts v*v' (v = column k / sqrt(pivot)) and sets residual diagonal
// elements that fell below 0 to 0. A zero or negative pivot raises its math error. A non-square A
// gives its n x m zero matrix.
tResult<trealmatrix> CholeskyUD(const trealmatrix& a);

} // namespace zelvora
