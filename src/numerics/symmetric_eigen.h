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

// The eigen system of the symmetric part of square A: Householder reduction to tridiagonal form,
// then implicit QL steps with Wilkinson's shift until each off-diagonal element vanishes beside
// its diagonal neighbours in 80-bit arithmetic. Only the upper triangle is read. A non-square or
// empty A fails (code 1, no message of its own); so does a tridiagonal form that does not settle
// within 60 steps per eigenvalue (not met in practice).
tResult<tSymmetricEigen> SymmetricEigen(const trealmatrix& a);

} // namespace zelvora
