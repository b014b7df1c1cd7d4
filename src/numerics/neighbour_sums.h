// Weighted sums of neighbouring elements along the rows of a matrix.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// R(i, f) = sum over k = cols(W) down to 1 with 1 <= f - k + h <= cols(M) of
// SafeMul(W(o, k), M(i, f - k + h), 0), where o = 1 when W has one row, else o = i, and h = 1
// (SeqMult: W(1) weighs the element itself, W(k) the element k - 1 places to its left) or, centred,
// h = (cols(W) + 1) div 2 (SeqMultCenter: the middle weight on the element, the others on both
// sides). With a mask V (M's shape, or one row for every row of M) only the elements with V != 0
// take part, and each sum is divided by the sum of the weights that took part (0 when that is 0):
// a weighted mean over the marked neighbours. A W with more than one row but fewer rows than M, or
// a mask of another shape, fails saying so.
tResult<trealmatrix> WeightedNeighbours(const trealmatrix& m, const trealmatrix& w, bool centred,
    const trealmatrix& mask = trealmatrix());

} // namespace zelvora
