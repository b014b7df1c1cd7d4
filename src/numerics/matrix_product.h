// Matrix products of the library: the general product and the Gram products A*A' and A'*A.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// selector 1: A*B (cols(A) = rows(B)); selector 2: B*A (cols(B) = rows(A)); a misfit or another
// selector fails. Element (i, j) is the sum over k = 1, 2, ... of
// SafeMul(left(i, k), right(k, j), 0), accumulated in extended precision from 0 in that order, so a
// term that overflows adds 0; an overflow of the sum itself raises tFloatOverflowError. The work is
// blocked for caches and registers without changing any element's order of operations: results are
// bit-identical to the plain triple loop. The threads of the context's worker pool take disjoint
// row ranges of the result: the same bits for any number of threads.
tResult<trealmatrix> MatMul(const trealmatrix& a, const trealmatrix& b, int32_t selector = 1);

// selector 1: A*A' (rows x rows); selector 2: A'*A (cols x cols); any other selector fails. Terms
// and order as in MatMul; the result is symmetric, each pair computed once.
tResult<trealmatrix> GramProduct(const trealmatrix& a, int32_t selector);

} // namespace zelvora
