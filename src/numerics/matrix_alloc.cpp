// Allocation and shape of the library's matrices and vectors.
#include "numerics/matrix_alloc.h"

namespace zelvora {

trealmatrix NewMatrix(int32_t rows, int32_t cols)
{
    return trealmatrix(rows, cols);
}

trealmatrix NewMatrixLike(const trealmatrix& m)
{
    return trealmatrix(m.Rows(), m.Cols());
}

tintmatrix NewIntMatrix(int32_t rows, int32_t cols)
{
    return tintmatrix(rows, cols);
}

tStringmatrix NewStringMatrix(int32_t rows, int32_t cols)
{
    return tStringmatrix(rows, cols);
}

tRealVector NewRealVector(int32_t n)
{
    return tRealVector(n);
}

tIntvector NewIntVector(int32_t n, int32_t value)
{
    return tIntvector(n, value);
}

trealmatrix IdentityMatrix(int32_t size)
{
    size = std::max(size, 0);
    trealmatrix identity(size, size);
    for (int32_t i = 1; i <= size; ++i)
        identity(i, i) = 1;
    return identity;
}

tResult<trealmatrix> MakeIdentity(int32_t n, int32_t m)
{
    if (n <= 0 && m <= 0)
        return Failure(1, "");
    return IdentityMatrix(m > 0 ? std::max(n, m) : n);
}

tResult<trealmatrix> MakeIdentity(const trealmatrix& m)
{
    return MakeIdentity(std::max(m.Rows(), m.Cols()), 0);
}

trealmatrix CopyMatrix(const trealmatrix& m)
{
    return m;
}

tStringmatrix CopyStringMatrix(const tStringmatrix& m)
{
    return m;
}

} // namespace zelvora
