// The magnitude of the determinant by Givens rotations of columns, and the trace.
#include "numerics/determinant.h"

#include "numerics/matrix_structure.h"
#include "numerics/plane_rotations.h"

#include <cmath>

namespace zelvora {

long double Determinant(const trealmatrix& a)
{
    if (a.IsAbsent() || a.Rows() != a.Cols())
        return 0;
    const int32_t n = a.Rows();
    // ColumnTriangularize(W, n) takes the rows in order 1, 2, ..., n and reads row i only at step
    // i. Every rotation acts on each row separately, so rows already taken, which are never read
    // again, need not be rotated any further, nor the transformation kept: the diagonal comes out
    // bit for bit as in the full run. Column i of `lines` is row i of its transpose.
    trealmatrix lines = Transpose(a);
    if (n >= 2) {
        for (int32_t i = 1; i <= n; ++i) {
            long double* colI = lines.Row(i);
            for (int32_t j = n; j >= i + 1; --j) {
                long double* colJ = lines.Row(j);
                const long double x = colI[i];
                const long double y = colJ[i];
                const long double r = std::sqrt(x * x + y * y);
                if (r < rotationEps)
                    continue;
                RotateLines(colI + i - 1, colJ + i - 1, n - i + 1, x / r, y / r);
            }
        }
    }
    long double product = 1;
    for (int32_t i = 1; i <= n; ++i) {
        const long double factor = std::fabs(lines(i, i));
        const long double next = product * factor;
        if (std::isinf(next) && std::isfinite(product) && std::isfinite(factor))
            throw tFloatOverflowError();
        product = next;
    }
    return product;
}

long double Trace(const trealmatrix& a)
{
    long double sum = 0;
    for (int32_t i = 1; i <= std::min(a.Rows(), a.Cols()); ++i)
        sum += a(i, i);
    return sum;
}

} // namespace zelvora
