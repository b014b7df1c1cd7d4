// Eigenvalues and eigenvectors of a symmetric matrix, sorted, for the factor-analysis routines that
// need the leading ones of correlation matrices many times over.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

struct tSymmetricEigen {
    trealmatrix values; // 1 x n, in decreasing order
    trealmatrix vectors; // n x n, column j the unit eigenvector of values(1, j)
};

// The eigen system of the symmetric part of square A by cyclic Jacobi sweeps (each pair cleared by
// the rotation that zeroes it), until the off-diagonal sum of squares is below 1e-36 of the total
// or 100 sweeps. Only the upper triangle is read. A non-square or empty A fails (code 1, no message
// of its own).
tResult<tSymmetricEigen> SymmetricEigen(const trealmatrix& a);

} // namespace zelvora
