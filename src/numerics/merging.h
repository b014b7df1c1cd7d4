// Merging and inserting matrices, column merges by index and by keys, and the elementwise choice.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// MergeInto, MergeDiagonal and InsertInto fail (code 1, no message of their own) when sizes or
// positions do not fit.

// Copy of M1 with M2 written at the top-left position (r, c). M2 must fit inside M1 there.
tResult<trealmatrix> MergeInto(const trealmatrix& m1, const trealmatrix& m2, int32_t r, int32_t c);

// Copy of M1 whose diagonal is that of M2; both square and of one size.
tResult<trealmatrix> MergeDiagonal(const trealmatrix& m1, const trealmatrix& m2);

// How InsertInto places M2: beside (columns), below (rows) or as a block.
enum class tInsertMode {
    Columns = 1,
    Rows = 2,
    Block = 3,
};

// M1 with M2 inserted before row r and column c: 0 counts as 1, -1 and anything past the end as
// after the end; then 1 <= r <= rows(M1) + 1 and 1 <= c <= cols(M1) + 1 must hold. Columns:
// R1 x (C1 + C2), M2's rows beyond R1 dropped, missing ones 0. Rows: the same transposed. Block:
// (R1 + R2) x (C1 + C2), M1's four blocks moved apart, M2 in the gap, the rest 0.
tResult<trealmatrix> InsertInto(
    const trealmatrix& m1, const trealmatrix& m2, int32_t r, int32_t c, tInsertMode mode);

// Copy of M1 in which column v_i receives column min(i, cols(M2)) of M2 (its row 1 in every row
// when M2 has one row); later entries overwrite earlier ones, targets outside M1 are skipped. When
// M2 has another row count than M1 and not exactly one row, or no columns, M1 is returned.
trealmatrix MergeIndexedColumns(const trealmatrix& m1, const trealmatrix& m2, const tIntvector& v);

// Copy of M1 in which each column k matched by MatchKeys(K1, K2) to column l receives column l of
// M2 in the rows 1..rows(M1). A match outside M1 or M2, or M2 with fewer rows than M1 when
// anything is matched, raises tRangeError.
trealmatrix MergeMatchingColumns(
    const trealmatrix& m1, const trealmatrix& m2, const trealmatrix& k1, const trealmatrix& k2);

// Element by element A's element where C's is exactly 1, else B's. The result has the largest
// row and column counts of the three; each operand must have, per direction, that size or 1 (its
// single row or column then serves all). A misfit fails with code 11 and "Dimensionen
// inkompatibel".
tResult<trealmatrix> ElementwiseSelect(
    const trealmatrix& c, const trealmatrix& a, const trealmatrix& b);

} // namespace zelvora
