// Distance matrices between the rows of one matrix and the columns of another.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Element (i, j) compares row i of M1 with column j of M2 over k = 1 .. cols(M1): S is, for p = 0,
// the number of k with |a_k - b_k| > 0; for p = 1 the sum of |a_k - b_k|; for any other p the sum
// of |a_k - b_k|^p (the library's power rule, integer exponent). Unrooted (UDist) stores S; rooted
// (Dist) stores S / cols(M1) for p = 0 and S^(1/p) otherwise (the Minkowski distance; sqrt for
// p = 2). cols(M1) != rows(M2) fails (no message of its own); a negative p has no distance and
// fails saying so. Overflowing powers raise their run-time error.
tResult<trealmatrix> RowDistances(
    const trealmatrix& m1, const trealmatrix& m2, int32_t p, bool rooted);

// The same with M2 the transpose of M1: the symmetric matrix of the distances between the rows of
// M1, each pair computed once.
tResult<trealmatrix> RowDistances(const trealmatrix& m1, int32_t p, bool rooted);

} // namespace zelvora
