// Gauss-Jordan elimination with row pivoting.
#include "numerics/gauss_jordan.h"

#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/scalar_math.h"

#include <cmath>
#include <numeric>
#include <utility>
#include <vector>

namespace zelvora {
namespace {
constexpr long double pivotEps = 1e-128L;

bool IsSquare(const trealmatrix& m)
{
    return !m.IsAbsent() && m.Rows() == m.Cols();
}
} // namespace

void EliminateRow(trealmatrix& w, int32_t p, int32_t k, int32_t c)
{
    const long double f = SafeDiv(w(k, c), w(p, c), 0);
    if (f == 0)
        return;
    long double* target = w.Row(k);
    const long double* pivotRow = w.Row(p);
    for (int32_t t = 1; t <= w.Cols(); ++t) {
        const long double before = target[t];
        const long double product = f * pivotRow[t];
        const long double after = before - product;
        if (!std::isfinite(after) && std::isfinite(before) && std::isfinite(pivotRow[t]))
            RaiseMathFault(std::isnan(after) ? tMathFault::Invalid : tMathFault::Overflow);
        target[t] = after;
    }
}

trealmatrix SolveRight(const trealmatrix& b, const trealmatrix& a)
{
    if (!IsSquare(a) || b.IsAbsent() || b.Cols() != a.Rows())
        return FailureMatrix();
    const int32_t n = a.Rows();
    const int32_t m = b.Rows();

    // W = [A' | B'], n rows and n + m columns.
    trealmatrix w(n, n + m);
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = 1; j <= n; ++j)
            w(i, j) = a(j, i);
        for (int32_t h = 1; h <= m; ++h)
            w(i, n + h) = b(h, i);
    }

    std::vector<int32_t> perm(static_cast<std::size_t>(n) + 1);
    std::iota(perm.begin(), perm.end(), 0);
    for (int32_t i = 1; i <= n; ++i) {
        long double best = 0;
        int32_t at = 0;
        for (int32_t k = i; k <= n; ++k) {
            const long double size = std::fabs(w(perm[k], i));
            if (size > best) {
                best = size;
                at = k;
            }
        }
        if (at == 0)
            continue;
        std::swap(perm[i], perm[at]);
        for (int32_t j = i + 1; j <= n; ++j)
            EliminateRow(w, perm[i], perm[j], i);
    }
    for (int32_t i = n; i >= 2; --i) {
        if (!(std::fabs(w(perm[i], i)) > pivotEps))
            continue;
        for (int32_t j = i - 1; j >= 1; --j)
            EliminateRow(w, perm[i], perm[j], i);
    }

    // X (n x m) solves A'X = B'; the result is X' = B*A^-1.
    trealmatrix result(m, n);
    for (int32_t j = 1; j <= n; ++j) {
        const long double pivot = w(perm[j], j);
        for (int32_t h = 1; h <= m; ++h)
            result(h, j) = SafeDiv(w(perm[j], n + h), pivot, 0);
    }
    return result;
}

trealmatrix GaussJordanInverse(const trealmatrix& a)
{
    if (!IsSquare(a))
        return FailureMatrix();
    if (a.Rows() == 0)
        return trealmatrix(0, 0);
    return SolveRight(MakeIdentity(a.Rows(), a.Rows()), a);
}

trealmatrix GaussElimStep(const trealmatrix& m, const trealmatrix& pivot, const tIntvector& rows,
    const tIntvector& cols, int32_t mode)
{
    const int32_t zl = RoundToInt32(pivot.At(1, 1));
    const int32_t sp = pivot.Cols() >= 2 ? RoundToInt32(pivot.At(1, 2)) : zl;
    const long double p = m.At(zl, sp);
    for (int32_t c : cols.Elements())
        (void)m.At(zl, c);
    tMathErrorWatch watch;
    trealmatrix result = CopyMatrix(m);
    for (int32_t r : rows.Elements()) {
        if (r == zl) {
            (void)m.At(r, sp);
            continue;
        }
        long double y = m.At(r, sp);
        if (mode == 1)
            y = p == 0 ? 0 : y / p;
        for (int32_t c : cols.Elements()) {
            if (mode == 1)
                result(r, c) = m(r, c) - m(zl, c) * y;
            else
                result(r, c) = m(r, c) * p - m(zl, c) * y;
        }
    }
    watch.RaiseIfFaulted();
    return result;
}

} // namespace zelvora
