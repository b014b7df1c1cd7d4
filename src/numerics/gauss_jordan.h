// Gauss-Jordan elimination with row pivoting: the right division B*A^-1, the plain inverse, and
// the single elimination step of Gauss elimination by hand.
#pragma once

#include "numerics/checkpoint.h"
#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// One elimination step on a work matrix: f = SafeDiv(W[k][c], W[p][c], 0), then
// W[k][t] := W[k][t] - f*W[p][t] for every column t. The update is plain arithmetic: an overflow
// or invalid result raises its run-time error.
void EliminateRow(trealmatrix& w, int32_t p, int32_t k, int32_t c);

// B*A^-1 for B (m x n) and A (n x n), by elimination on [A' | B'] with a permuted row index: the
// pivot is the largest magnitude in its column (the earliest of equals), back elimination skips
// pivots of magnitude <= 1e-128. A singular A raises nothing: a column without pivot is skipped
// and dividing by a zero pivot gives 0. Misfitting shapes fail. The threads of the context's
// worker pool update disjoint rows of each step: the same bits for any number.
tResult<trealmatrix> SolveRight(const trealmatrix& b, const trealmatrix& a);

// A^-1 as SolveRight(I, A); a non-square A fails. The checkpoint is reached before each
// elimination step, on the calling thread.
tResult<trealmatrix> GaussJordanInverse(
    const trealmatrix& a, const tCheckpoint* checkpoint = nullptr);

// One elimination step on a copy of M with pivot P = M[zl][sp] (pivot = {zl, sp} or {zl}, sp = zl):
// every listed row r != zl gets, in the listed columns c, M[r][c] - M[zl][c]*M[r][sp]/P (mode 1,
// 0 when P = 0) or M[r][c]*P - M[zl][c]*M[r][sp] (mode 0, free of division). Everything else is
// copied. An index outside M raises tRangeError; the plain arithmetic raises its math errors.
trealmatrix GaussElimStep(const trealmatrix& m, const trealmatrix& pivot, const tIntvector& rows,
    const tIntvector& cols, int32_t mode);

} // namespace zelvora
