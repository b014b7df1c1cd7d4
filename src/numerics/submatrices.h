// Submatrices: deleting rows and columns, selecting them by index lists, ranges and blocks.
#pragma once

#include "numerics/matrix_types.h"

namespace zelvora {

// Index lists are 1-based row or column numbers in any order, with repetitions; entries outside
// the matrix are skipped. An absent list (no slot at all) is missing, a list of length 0 is empty.

// M without the listed rows and columns, the rest in its order; a missing list deletes nothing.
// Deleting every row (column) leaves a matrix with 0 rows (columns).
trealmatrix MinorOf(const trealmatrix& m, const tIntvector& rows, const tIntvector& cols);

// The listed rows (columns) in list order, repetitions repeated; a missing list gives a copy of M.
// No valid entry gives 0 rows (columns).
trealmatrix SelectRows(const trealmatrix& m, const tIntvector& list);
tStringmatrix SelectRows(const tStringmatrix& m, const tIntvector& list);
trealmatrix SelectColumns(const trealmatrix& m, const tIntvector& list);
tStringmatrix SelectColumns(const tStringmatrix& m, const tIntvector& list);

// Rows (columns) first .. min(last, rows) (or cols); first > that end gives 0 rows (columns). A
// range that would start below 1 raises tRangeError.
trealmatrix SelectRowRange(const trealmatrix& m, int32_t first, int32_t last);
trealmatrix SelectColumnRange(const trealmatrix& m, int32_t first, int32_t last);

// The block [[first row, last row], [first column, last column]] of M, each bound rounded to 32
// bits; a bound the block matrix lacks counts as 1. Columns are cut first, then rows.
trealmatrix SelectBlock(const trealmatrix& m, const trealmatrix& block);

} // namespace zelvora
