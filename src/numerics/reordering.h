// Rearranging matrices: rolling rows, reshaping, indexing columns and reordering by order lists.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Row i of the result is row ((i - 1 + n) mod rows) + 1 of M (modulo taken non-negative): the rows
// move up by n; n = 0 counts as rows. A matrix without rows is returned as it is.
trealmatrix RollRows(const trealmatrix& m, int32_t n);
tStringmatrix RollRows(const tStringmatrix& m, int32_t n);

// The 1 x (rows * cols) row of the elements taken row by row.
trealmatrix FlattenRows(const trealmatrix& m);

// r x c filled row by row from the flattened elements; r = 0 means 1 row, c = 0 the number of
// elements. Cells beyond the elements stay 0 (empty); elements beyond r * c are dropped. A negative
// size fails.
tResult<trealmatrix> ReshapeRows(const trealmatrix& m, int32_t rows, int32_t cols);
tResult<tStringmatrix> ReshapeRows(const tStringmatrix& m, int32_t rows, int32_t cols);

// rows(M) x len(v): element (j, k) is M(j, v_k), or 0 (empty) when v_k lies outside 1..cols.
trealmatrix IndexColumns(const trealmatrix& m, const tIntvector& v);
tStringmatrix IndexColumns(const tStringmatrix& m, const tIntvector& v);

// rows(M) x cols(IM): element (i, k) is M(i, round(IM(p, k))) with p = i when IM has as many rows
// as M, else p = 1; 0 (empty) where the index lies outside 1..cols(M). An index matrix without
// rows for a matrix with rows raises tRangeError.
trealmatrix IndexColumnsByMatrix(const trealmatrix& m, const trealmatrix& im);
tStringmatrix IndexColumnsByMatrix(const tStringmatrix& m, const trealmatrix& im);

// A permutation of 1..n: the first min(len(list), n) entries of the order list that lie in 1..n,
// repetitions passed over, in list order, then every other number in increasing order.
tIntvector CompleteOrder(int32_t n, const tIntvector& list);

// Element (i, j) is M(i, order_j) with order = CompleteOrder(cols, list).
trealmatrix ReorderColumns(const trealmatrix& m, const tIntvector& list);
tStringmatrix ReorderColumns(const tStringmatrix& m, const tIntvector& list);
// Row i is row order_i of M with order = CompleteOrder(rows, list).
trealmatrix ReorderRows(const trealmatrix& m, const tIntvector& list);
tStringmatrix ReorderRows(const tStringmatrix& m, const tIntvector& list);

} // namespace zelvora
