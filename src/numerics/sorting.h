// Sort indexes of columns, rows, reals and texts, and the matching of key rows.
#pragma once

#include "numerics/matrix_types.h"

namespace zelvora {

// The sort indexes share one quicksort over the positions 1..n: the pivot is the entry at the
// middle position, the scans stop at entries not smaller (from the left) and not larger (from the
// right) than it. The sort is not stable; equal keys keep the order the partitioning leaves.

// The column numbers 1..cols in ascending order of the columns: two columns compare by the first
// row in which they differ (smaller first); columns equal in every row compare equal.
tIntvector SortIndexColumns(const trealmatrix& m);
// The row numbers 1..rows in ascending order of the rows (SortIndexColumns of the transpose).
tIntvector SortIndexRows(const trealmatrix& m);
// The positions 1..len(v) in ascending order of their values.
tIntvector IndexSortReal(const tRealVector& v);
// The positions 1..len(t) in ascending order of the texts, compared byte by byte.
tIntvector IndexSortText(const tStringVector& t);

// Matches the key rows (row 1) of A and B, walking both in the order of SortIndexColumns: each
// column of A is paired with the first column of B in that order whose key equals its own (keys
// compared in double precision). Result: 2 rows, one column per match in increasing column of A;
// row 1 the column of A, row 2 that of B. A key matrix with columns but no row raises tRangeError.
tintmatrix MatchKeys(const trealmatrix& a, const trealmatrix& b);

} // namespace zelvora
