// The rotation routines of the factor-analysis workbench that are not a single pairwise criterion:
// row-wise Givens sweeps, column exchanges, similarity sweeps of pairs, the target rotation and the
// rotations of one column pair. Every run returns its result and transformation.
#pragma once

#include "numerics/plane_rotations.h"
#include "numerics/rotation_criteria.h"

namespace zelvora {

// TRI with a row list and DREI: for p = 1, 2, ... while both lists last, row rows[p] is reduced to
// its element in column cols[p] by Givens rotations with cols[n], cols[n-1], ..., cols[p+1].
// Entries outside M raise tRangeError. Transformation cols(M) x cols(M).
tRotationResult RowGivensSweep(
    const trealmatrix& m, const tIntvector& rows, const tIntvector& cols);

// Permut with DREI, one pass: for p along the row list (row u = rows[p]), k = p+1 .. n-1 and
// j = n down to k+1 of the column list, columns cols[k] and cols[j] are exchanged (the second
// receiving the first negated) when |M[u][cols[j]]| > |M[u][cols[k]]|.
tRotationResult RowExchangeSweep(
    const trealmatrix& m, const tIntvector& rows, const tIntvector& cols);

// The target rotation ZIEL: the pairwise driver with TargetCriterion. Row entries must be valid
// row numbers of M, the target at least as large as M (rows and the listed columns); otherwise
// tRangeError. Stops when a sweep settles (see tSweepStop::Settled).
tRotationResult TargetRotation(const trealmatrix& m, const trealmatrix& target,
    const tIntvector& rows, const tIntvector& cols, bool reversed);

// Similar with SYM or ANTISYMMETRISCH: the same two-sided rotation of columns (a, b) and rows
// (u, v) at equal positions of the lists, by theta = -atan2(delta, sigma) / 2 (SYM: equal diagonal
// elements of the 2 x 2 block) or -atan2(-sigma, delta) / 2 (ANTISYMMETRISCH: A12 = -A21), delta =
// A11 - A22, sigma = A12 + A21; a block with sqrt(delta^2 + sigma^2) < 1e-128 is skipped. At most
// 500 sweeps; a sweep whose angles are all below 1e-128, that changes no bit, or whose targets
// were all rounding noise already ends the run. Lists of different lengths give M unchanged.
enum class tPairSimilarity { Sym = 1, Antisymmetric = 2 };
tRotationResult PairSimilaritySweeps(
    const trealmatrix& m, const tIntvector& rows, const tIntvector& cols, tPairSimilarity kind);

// RotSp: a copy of M with columns a, b rotated by (c, s) / sqrt(c^2 + s^2); c = s = 0 leaves the
// copy as it is. Columns outside M raise tRangeError.
trealmatrix RotateColumnPair(
    const trealmatrix& m, int32_t a, int32_t b, long double c, long double s);

// RotMult: every row's point (M[i][a], M[i][b]) has its angle multiplied by k: k = 2 as (x^2 - y^2,
// 2xy), otherwise r^k (cos k phi, sin k phi) with phi in [0, 2 pi) and r^k = exp(k ln r) (a point
// at the origin raises tFloatDivisionByZeroError). Columns outside M raise tRangeError.
trealmatrix MultiplyAngles(const trealmatrix& m, int32_t a, int32_t b, long double k);

} // namespace zelvora
