// Communality estimates: the unique variances of a covariance or correlation matrix and the
// matrix with its diagonal reduced to the common variances, ready for factoring.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// GetIndiv: the diagonal matrix of 1 / (A^-1)_ii (GaussJordanInverse); for a correlation matrix
// 1 - R^2 of each variable on the others. A zero diagonal element of the inverse raises
// tFloatDivisionByZeroError. A non-square A fails.
tResult<trealmatrix> UniqueVariances(const trealmatrix& a);

// ComVar: C := A; while the sum of squares of U = UniqueVariances(C) exceeds 1e-12, at most 100
// times: C_jj -= U_jj / n. Returns C.
tResult<trealmatrix> ComVar(const trealmatrix& a);
// ComVarFix: as ComVar with at most 500 steps and the threshold 1e-20; after each step U is
// scaled back to the pattern of the first U: U_ll := U0_ll * min(1, min_k U_kk / U0_kk).
tResult<trealmatrix> ComVarFix(const trealmatrix& a);
// ComVarPCA: A with the sum of squares of the smallest principal component of its Cholesky factor
// (the last column after the principal-axis rotation) subtracted from every diagonal element.
tResult<trealmatrix> ComVarPCA(const trealmatrix& a);
// ComVarPaf: principal-axis factoring with `factors` factors and at most `iterations` outer steps.
// Each step bisects h in [0, 3] (at most 60 halvings, down to 1e-12) for the largest h whose
// C = A - h * diag(u) still has a Cholesky factor without negative diagonal elements, rotates that
// factor to principal axes and sets u_i := 1 - (sum of its first `factors` squared loadings in row
// i); it ends when u changes by less than 1e-12 in sum. Returns the first `factors` columns.
// factors below 1 fails; more factors than variables are cut to n.
tResult<trealmatrix> ComVarPaf(const trealmatrix& a, int32_t factors, int32_t iterations = 50);

} // namespace zelvora
