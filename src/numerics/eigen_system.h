// Eigen systems by two-sided plane rotations, eigenvectors of a triangular matrix, and eigenvectors
// for given eigenvalues by Sylvester interpolation.
#pragma once

#include "numerics/checkpoint.h"
#include "numerics/matrix_types.h"
#include "numerics/plane_rotations.h"
#include "numerics/result.h"

namespace zelvora {

// Rotates square M toward upper triangular form (diagonal when M is symmetric) by sweeps over the
// pairs p < q of the index lists R and C (equal length L): each sweep recomputes W = S'*M*S from
// the unchanged M, then rotates columns C[p], C[q] and rows R[p], R[q] of W by the angle that
// clears W[R[q]][C[p]] (the Jacobi angle for a symmetric block; a block with complex eigenvalues
// stays). Stops after 6 sweeps in a row without an angle of 1e-128, after a sweep that leaves S
// unchanged (all later sweeps would repeat it), or after 500. Gives W as the rotated matrix and S
// as the transformation, n x n (when L < n, S is the identity outside the rotated indexes). Lists
// of different lengths give M unchanged and the identity of size L; entries outside M and a
// non-square M raise tRangeError. The checkpoint is reached before each row of pairs of a sweep.
tRotationResult SimilaritySweeps(const trealmatrix& m, const tIntvector& rows,
    const tIntvector& cols, const tCheckpoint* checkpoint = nullptr);

// For upper triangular D (n x n): E with row a the eigenvector of D for D[a][a], unit in its a-th
// element and 0 after it, by back substitution; an element whose eigenvalue gap is below 1e-16
// stays 0. A D that is not square fails.
tResult<trealmatrix> TriangularEigenvectors(const trealmatrix& d);

// EigenSys: D = T'*M*T by SimilaritySweeps (eigenvalues on the diagonal, unsorted), E its
// TriangularEigenvectors and X = T*E' (columns the eigenvectors of M, M = X*D*X^-1 when D became
// triangular); upper elements of D below 1e-128 are cleared with their mirror images. Returns
// {X, D, T}. A non-square M fails (code 1, no message of its own).
tResult<trealmatrixarr> EigenSystem(const trealmatrix& m, const tCheckpoint* checkpoint = nullptr);

// EigenVek with one argument: M after SimilaritySweeps, with each pair (i, j), j < i, cleared
// when |R[j][i]| < 1e-16. A non-square M fails as in EigenSystem.
tResult<trealmatrix> EigenRotated(const trealmatrix& m, const tCheckpoint* checkpoint = nullptr);

// EigenVek(M, Q): column i = the projection of e_i onto the eigenspace of lambda_i (Sylvester),
// sum_k M^(k-1) e_i * Vinv[k][i] with Vinv = RankInverse of the Vandermonde matrix of lambda.
// lambda is the diagonal of a square Q, Q' when n = 1, else the first column of Q; M not square or
// empty, or lambda not of n rows, fails.
tResult<trealmatrix> EigenvectorsForValues(const trealmatrix& m, const trealmatrix& q);

// Copies column j of src into column k of dest; nothing happens when the row counts differ or a
// column number is out of range.
void CopyColumn(trealmatrix& dest, int32_t k, const trealmatrix& src, int32_t j);

} // namespace zelvora
