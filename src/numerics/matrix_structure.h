// Structure of matrices: transposition, mirroring, diagonals, concatenation, sums and gcds.
#pragma once

#include "numerics/matrix_types.h"

namespace zelvora {

// cols x rows.
trealmatrix Transpose(const trealmatrix& m);
tStringmatrix Transpose(const tStringmatrix& m);

// kind 1: columns reversed within each row; kind 2: rows reversed; kind 3: both; another kind
// gives the 1 x 1 zero (or empty-text) matrix.
trealmatrix Mirror(const trealmatrix& m, int32_t kind);
tStringmatrix Mirror(const tStringmatrix& m, int32_t kind);

// k x k with k = min(rows, cols), holding the diagonal; everything else 0 (or empty).
trealmatrix DiagonalCopy(const trealmatrix& m);
tStringmatrix DiagonalCopy(const tStringmatrix& m);

// Column of n = min(rows, cols) - |offset| elements: (|offset| + i, i) for offset <= 0, (i, offset
// + i) for offset > 0. n <= 0 gives a matrix with 0 rows (and one column).
trealmatrix DiagonalVector(const trealmatrix& m, int32_t offset = 0);

// (r*c) x (r*c) diagonal matrix of the elements taken row by row.
trealmatrix DiagonalOfAll(const trealmatrix& m);

// rows(A) x (cols(A) + cols(B)): A on the left, the first rows(A) rows of B on the right. B with
// fewer than rows(A) rows raises tRangeError.
trealmatrix ConcatColumns(const trealmatrix& a, const trealmatrix& b);
tStringmatrix ConcatColumns(const tStringmatrix& a, const tStringmatrix& b);
// (rows(A) + rows(B)) x cols(A): A above, B's rows below cut to cols(A) columns. B with fewer than
// cols(A) columns raises tRangeError.
trealmatrix ConcatRows(const trealmatrix& a, const trealmatrix& b);
tStringmatrix ConcatRows(const tStringmatrix& a, const tStringmatrix& b);

// Sum of all elements and sum of their squares, row by row; an overflow raises its run-time error.
long double MatSum(const trealmatrix& m);
long double MatSquareSum(const trealmatrix& m);

// Gcds of elements rounded to 64 bits (RoundToInt64). A running value starts from the first element
// visited and is folded with Gcd64(g, next) until |g| = 1.
// kind 0: A and B of one shape, element by element; kind 1: rows(A) = rows(B), rows x 1, row i
// folds A's row i then B's; kind 2: cols(A) = cols(B), 1 x cols, column j folds A's column j then
// B's; kind 3: 1 x 1, all of A row by row, then all of B. A misfit or another kind gives 1 x 1
// zero.
trealmatrix GcdMatrix(const trealmatrix& a, const trealmatrix& b, int32_t kind);

} // namespace zelvora
