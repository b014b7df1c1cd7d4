// Eigenvalues and eigenvectors of a symmetric matrix, sorted, for the factor-analysis routines that
// need the leading ones of correlation matrices many times over.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

#include <cstdint>
#include <limits>

namespace zelvora {

struct tSymmetricEigen {
    trealmatrix values; // 1 x n, in decreasing order
    trealmatrix vectors; // n x m, column j the unit eigenvector of values(1, j)
};

// The eigenvalues of the symmetric part of square A with the eigenvectors of the m = min(leading,
// n) largest: Householder reduction to tridiagonal form, then implicit QL steps with Wilkinson's
// shift until each off-diagonal element vanishes beside its diagonal neighbours in 80-bit
// arithmetic. All vectors come from the QL rotations; fewer come from inverse iteration on the
// tridiagonal form (orthogonalised within clusters of eigenvalues 1e-3 max |A_ij| apart), which
// costs far less when m is small. Only the upper triangle is read. A non-square or empty A, or a
// negative count, fails (code 1, no message of its own); so does a tridiagonal form that does not
// settle within 60 steps per eigenvalue (not met in practice).
tResult<tSymmetricEigen> SymmetricEigen(
    const trealmatrix& a, int32_t leading = std::numeric_limits<int32_t>::max());

} // namespace zelvora
