// The checks every factor-analysis routine makes of its correlation matrix.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

#include <string>

namespace zelvora {

// A number in the messages of the factor-analysis routines: ten significant digits.
std::string FactorMessageNumber(long double x);

// The correlation matrix that square symmetric A (a covariance or correlation matrix, at least
// 2 x 2) stands for: A_ij / sqrt(A_ii A_jj). Fails with a message that says where when A is not
// square, too small, not symmetric (an element differs from its mirror by more than 1e-12 of the
// larger magnitude, or 1e-12 absolutely) or has a diagonal element that is not positive.
tResult<trealmatrix> CorrelationInput(const trealmatrix& a);

// The inverse of a correlation matrix by its Cholesky factor; fails with a message when the
// matrix is not positive definite (singular or nearly so: a pivot at most 1e-15).
tResult<trealmatrix> CorrelationInverse(const trealmatrix& r);

// ln det R by the Cholesky factor; fails as CorrelationInverse.
tResult<long double> CorrelationLogDeterminant(const trealmatrix& r);

// The squared multiple correlation of each variable with all others, 1 - 1/inverse(i, i), as an
// n x 1 column; fails as CorrelationInverse.
tResult<trealmatrix> SquaredMultipleCorrelations(const trealmatrix& r);

} // namespace zelvora
