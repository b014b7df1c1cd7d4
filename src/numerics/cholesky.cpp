// Cholesky factorizations.
#include "numerics/cholesky.h"

#include "numerics/matrix_alloc.h"
#include "numerics/plane_rotations.h"
#include "numerics/scalar_math.h"

#include <cmath>
#include <vector>

namespace zelvora {

tResult<trealmatrix> CholeskyFactor(const trealmatrix& a)
{
    if (a.IsAbsent())
        return Failure(1, "");
    const int32_t n = a.Rows();
    const int32_t m = a.Cols();
    trealmatrix l(n, m);
    for (int32_t u = 1; u <= std::min(n, m); ++u) {
        const long double* lu = l.Row(u);
        long double squares = 0;
        for (int32_t w = 1; w < u; ++w)
            squares += SafeMul(lu[w], lu[w], 0);
        long double d = a(u, u) - squares;
        if (std::fabs(d) < rotationEps)
            d = 0;
        const long double diagonal = d < -rotationEps ? -std::sqrt(-d) : std::sqrt(d);
        l(u, u) = diagonal;
        for (int32_t k = u + 1; k <= n; ++k) {
            const long double* lk = l.Row(k);
            long double products = 0;
            for (int32_t w = 1; w < u; ++w)
                products += SafeMul(lk[w], lu[w], 0);
            l(k, u) = SafeDiv(a(k, u) - products, diagonal, 0);
        }
    }
    return l;
}

tResult<trealmatrix> CholeskyUD(const trealmatrix& a)
{
    if (a.IsAbsent())
        return Failure(1, "");
    const int32_t n = a.Rows();
    if (n != a.Cols())
        return NewMatrix(n, a.Cols());
    trealmatrix w = CopyMatrix(a);
    trealmatrix result(n, n);
    std::vector<long double> v(static_cast<std::size_t>(n) + 1);
    tMathErrorWatch watch;
    for (int32_t k = 1; k <= n; ++k) {
        const long double pivot = w(k, k);
        if (!(pivot > 0))
            RaiseMathFault(pivot == 0 ? tMathFault::DivisionByZero : tMathFault::Invalid);
        const long double f = 1 / std::sqrt(pivot);
        for (int32_t i = 1; i <= n; ++i)
            v[i] = w(i, k) * f;
        for (int32_t i = 1; i <= n; ++i) {
            long double* row = w.Row(i);
            for (int32_t t = 1; t <= n; ++t) {
                const long double product = v[i] * v[t];
                if (t == k)
                    result(i, k) = product;
                row[t] -= product;
            }
            // A residual variance below 0 is rounding (or a matrix that is not positive
            // semidefinite): it is cut to 0 so that the next pivot stays real.
            if (row[i] < 0)
                row[i] = 0;
        }
        watch.RaiseIfFaulted();
    }
    return result;
}

} // namespace zelvora
