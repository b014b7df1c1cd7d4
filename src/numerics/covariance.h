// Covariance and correlation matrices of data whose rows are variables and whose columns are
// cases, their conversion, the removal of one variable's factor, decorrelated rows and the
// CR coefficients.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Kind 1: M*M' / cols(M) (rows are variables, rows x rows); kind 2: M'*M / rows(M) (columns are
// variables). No mean is subtracted: M holds deviation data. The product is GramProduct (each pair
// once, terms as MatMul). Another kind, or no cases to divide by, fails.
tResult<trealmatrix> CovarianceOf(const trealmatrix& m, int32_t kind);

// Each row as z-values (x - mean) / s with s the standard deviation of divisor n, both in two
// passes: the mean, corrected by the mean of the deviations, then the sum of squared deviations.
// A row without spread (constant, or a single case) becomes all zero.
trealmatrix StandardiseRows(const trealmatrix& m);

// The covariance (CovarianceOf) of the z-values of the rows (kind 1) or of the columns (kind 2),
// with the diagonal set to 1, also for a variable without spread, whose other correlations are 0.
// Another kind fails.
tResult<trealmatrix> CorrelationOf(const trealmatrix& m, int32_t kind);

// R_ij = C_ij * d_i * d_j with d_i = 1 / sqrt(C_ii) for C_ii > 0, else 0; the diagonal of R is 1.
// A C that is not square fails.
tResult<trealmatrix> CovToCorrelation(const trealmatrix& c);

// C - l*l' with l = column v of C divided by sqrt(C_vv): the factor of variable v removed; row and
// column v become exactly 0. C_vv <= 0 leaves C as it is (no factor to remove). A C that is not
// square fails; v outside 1..rows raises tRangeError.
tResult<trealmatrix> RemoveVariable(const trealmatrix& c, int32_t v);

// The rows of deviation data made uncorrelated while keeping their variances: with C the
// covariance of the rows, D = diag(sqrt(C_ii)) and R = D^-1 C D^-1 their correlation, the result
// is D * R^-1/2 * D^-1 * M, R^1/2 by MatrixSqrt and its inverse by GaussJordanInverse, so that its
// covariance is D^2. Rows without variance stay as they are. Rows that are linearly dependent (a
// Cholesky pivot of R below 1e-12) have no such transformation and fail saying so.
tResult<trealmatrix> DecorrelateRows(const trealmatrix& m);

// CR coefficients of the rows (a matrix with fewer columns than rows is transposed first), metric
// 1 (g(x) = |x|) or 2 (g(x) = x^2); another metric counts as 1. Z are the z-values of the rows and
// Z2 those of g(Z); for i < j, r is the mean of Z_i*Z_j, E the rows Z_j - r*Z_i and Z_i - r*Z_j
// standardised, g applied, standardised again; R(i, j) is the mean of Z2_i*E_1 and R(j, i) that of
// Z2_j*E_2. The diagonal is 0. z-values as StandardiseRows.
trealmatrix CRCoefficients(const trealmatrix& m, int32_t metric);

} // namespace zelvora
