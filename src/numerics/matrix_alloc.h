// Allocation and shape of the library's matrices and vectors.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

namespace zelvora {

// Rows and columns of a matrix (0 x 0 for an absent one).
template <typename T> tMatDims MatDims(const tMatrix<T>& m)
{
    return m.Dims();
}

// Zero-filled containers; negative sizes count as 0. Every slot, the spare ones included, is 0
// (or the empty string).
trealmatrix NewMatrix(int32_t rows, int32_t cols);
trealmatrix NewMatrixLike(const trealmatrix& m);
tintmatrix NewIntMatrix(int32_t rows, int32_t cols);
tStringmatrix NewStringMatrix(int32_t rows, int32_t cols);
tRealVector NewRealVector(int32_t n);
// n elements equal to value; slot 0 is 0.
tIntvector NewIntVector(int32_t n, int32_t value = 0);

// The size x size identity; a size <= 0 gives the 0 x 0 matrix.
trealmatrix IdentityMatrix(int32_t size);
// Identity of size k: k = max(n, m) when m > 0, k = n when m <= 0; both <= 0 fail.
tResult<trealmatrix> MakeIdentity(int32_t n, int32_t m);
// Identity of size max(rows, cols) of m; a matrix without rows and columns fails.
tResult<trealmatrix> MakeIdentity(const trealmatrix& m);

// Deep copies, spare slots included.
trealmatrix CopyMatrix(const trealmatrix& m);
tStringmatrix CopyStringMatrix(const tStringmatrix& m);

} // namespace zelvora
