// Decompositions of a loading matrix into new columns: common and unique parts (ZTCU), the
// combinatorial subset decomposition (DECOMP) and the block split (BLKCU).
#pragma once

#include "numerics/plane_rotations.h"
#include "numerics/result.h"

namespace zelvora {

// ZTCU: G = LAD*LAD', C = ComVarFix(G), L = Cholesky(C) rotated to principal axes; the result is
// columns 1..n-1 of L followed by the n x n diagonal of sqrt|G_ii - C_ii| (n = rows). The
// transformation is that of the principal-axis rotation (n x n).
tRotationResult CommonUniqueSplit(const trealmatrix& lad);

// DECOMP: for the levels b = n, ..., 2 (n = rows), every (b-1)-subset of the rows in
// lexicographic order: a TRI rotation that puts the subset's rows first, column b of each set
// aside as the level's part, the other columns triangularized together and scaled by
// sqrt(1/C(n, b-1)); repeated until the parts set aside are below 1e-24 in sum of squares (at most
// 101 passes). Result: the remaining two columns, then the parts of levels 2, 3, ..., n. A LAD
// with fewer than n columns is widened by zero columns first. When a level would need more than
// 4,000,000 elements, it fails saying so.
tResult<tRotationResult> SubsetDecomposition(const trealmatrix& lad);

// BLKCU: the row list is cut into blocks of `blockLength` consecutive entries. For each block the
// selected columns get the TRI rotation with the block's rows as row list (RowGivensSweep): its
// first column is the block's common column (over all rows), its further columns restricted to the
// block's rows are the block's unique columns. Result: the common columns of all blocks, then the
// unique columns block by block (zero outside their block). The transformation is that of the
// last block. blockLength below 1 gives the selected columns unrotated.
tRotationResult BlockDecomposition(
    const trealmatrix& lad, int32_t blockLength, const tIntvector& rows, const tIntvector& cols);

} // namespace zelvora
