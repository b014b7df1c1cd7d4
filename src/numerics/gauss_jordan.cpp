// Gauss-Jordan elimination with row pivoting.
#include "numerics/gauss_jordan.h"

#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/scalar_math.h"

#include <cmath>
#include <initializer_list>
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

// W[k][t] := W[k][t] - f*W[p][t] for t = from..to; a result that turns non-finite from finite
// operands raises its math error.
void SubtractScaled(trealmatrix& w, int32_t p, int32_t k, long double f, int32_t from, int32_t to)
{
    long double* target = w.Row(k);
    const long double* pivotRow = w.Row(p);
    for (int32_t t = from; t <= to; ++t) {
        const long double before = target[t];
        const long double product = f * pivotRow[t];
        const long double after = before - product;
        if (!std::isfinite(after) && std::isfinite(before) && std::isfinite(pivotRow[t]))
            RaiseMathFault(std::isnan(after) ? tMathFault::Invalid : tMathFault::Overflow);
        target[t] = after;
    }
}
// The same for two target rows at once, each pivot value loaded once, without the per-element
// check: the caller watches the floating-point flags instead (valid while all values are finite).
void SubtractScaledPair(trealmatrix& w, int32_t p, int32_t k1, long double f1, int32_t k2,
    long double f2, int32_t from, int32_t to)
{
    long double* target1 = w.Row(k1);
    long double* target2 = w.Row(k2);
    const long double* pivotRow = w.Row(p);
    for (int32_t t = from; t <= to; ++t) {
        const long double pivot = pivotRow[t];
        target1[t] = target1[t] - f1 * pivot;
        target2[t] = target2[t] - f2 * pivot;
    }
}

void SubtractScaledFast(
    trealmatrix& w, int32_t p, int32_t k, long double f, int32_t from, int32_t to)
{
    long double* target = w.Row(k);
    const long double* pivotRow = w.Row(p);
    for (int32_t t = from; t <= to; ++t)
        target[t] = target[t] - f * pivotRow[t];
}

bool AllFinite(const trealmatrix& w)
{
    for (int32_t r = 1; r <= w.Rows(); ++r) {
        const long double* row = w.Row(r);
        for (int32_t c = 1; c <= w.Cols(); ++c) {
            if (!std::isfinite(row[c]))
                return false;
        }
    }
    return true;
}

} // namespace

void EliminateRow(trealmatrix& w, int32_t p, int32_t k, int32_t c)
{
    const long double f = SafeDiv(w(k, c), w(p, c), 0);
    if (f != 0)
        SubtractScaled(w, p, k, f, 1, w.Cols());
}

namespace {

// The elimination of SolveRight on W = [A' | B'] (n rows, n + m columns). Each step's row
// update is restricted to the columns whose results can still matter, which leaves every
// element that is used bit for bit as in updating whole rows:
// - in back elimination at pivot i, left columns i and beyond are dead: column t feeds only
//   the factors of back step t and the diagonal element, which is final before that step;
// - with unitRight (B = I), the pivot row of forward step i holds zeros in the right part
//   outside the unit columns of the rows pivoted so far. Those columns are moved to positions
//   1..i as the pivots are chosen, and the rest is skipped: subtracting f*(+0) leaves every
//   value unchanged, as no element of the right part can become -0.
// Returns the right part's column positions: the unit column of row h sits at n + at[h].
std::vector<int32_t> Eliminate(
    trealmatrix& w, std::vector<int32_t>& perm, int32_t n, bool unitRight)
{
    const int32_t cols = w.Cols();
    // Rows of different targets are independent, so two are updated in one pass; the order
    // of the steps applied to each element stays that of the one-row-at-a-time elimination.
    // While every value is finite, a math error of an update is an overflow, which the
    // floating-point flags report; otherwise each element is checked as it is written.
    const bool finite = AllFinite(w);
    std::vector<long double> factors(static_cast<std::size_t>(n) + 1);
    int32_t pivotRow = 0;
    auto updateRows = [&](int32_t first, int32_t last,
                          std::initializer_list<std::pair<int32_t, int32_t>> ranges) {
        if (!finite) {
            for (int32_t j = first; j <= last; ++j) {
                if (factors[j] == 0)
                    continue;
                for (const auto& [from, to] : ranges)
                    SubtractScaled(w, pivotRow, perm[j], factors[j], from, to);
            }
            return;
        }
        tMathErrorWatch watch;
        int32_t pending = 0;
        for (int32_t j = first; j <= last; ++j) {
            if (factors[j] == 0)
                continue;
            if (pending == 0) {
                pending = j;
                continue;
            }
            for (const auto& [from, to] : ranges)
                SubtractScaledPair(
                    w, pivotRow, perm[pending], factors[pending], perm[j], factors[j], from, to);
            pending = 0;
        }
        if (pending != 0) {
            for (const auto& [from, to] : ranges)
                SubtractScaledFast(w, pivotRow, perm[pending], factors[pending], from, to);
        }
        if (watch.Fault() != tMathFault::None)
            RaiseMathFault(tMathFault::Overflow);
    };
    std::vector<int32_t> at(static_cast<std::size_t>(cols - n) + 1);
    std::vector<int32_t> holder(at.size());
    std::iota(at.begin(), at.end(), 0);
    std::iota(holder.begin(), holder.end(), 0);
    for (int32_t i = 1; i <= n; ++i) {
        long double best = 0;
        int32_t found = 0;
        for (int32_t k = i; k <= n; ++k) {
            const long double size = std::fabs(w(perm[k], i));
            if (size > best) {
                best = size;
                found = k;
            }
        }
        if (found != 0)
            std::swap(perm[i], perm[found]);
        int32_t rightEnd = cols;
        if (unitRight) {
            const int32_t row = perm[i];
            const int32_t from = at[row];
            if (from != i) {
                for (int32_t r = 1; r <= n; ++r)
                    std::swap(w(r, n + i), w(r, n + from));
                const int32_t displaced = holder[i];
                holder[i] = row;
                holder[from] = displaced;
                at[row] = i;
                at[displaced] = from;
            }
            rightEnd = n + i;
        }
        if (found == 0)
            continue;
        const int32_t p = perm[i];
        for (int32_t j = i + 1; j <= n; ++j) {
            const int32_t k = perm[j];
            factors[j] = SafeDiv(w(k, i), w(p, i), 0);
        }
        pivotRow = p;
        updateRows(i + 1, n, { { 1, n }, { n + 1, rightEnd } });
    }
    for (int32_t i = n; i >= 2; --i) {
        const int32_t p = perm[i];
        if (!(std::fabs(w(p, i)) > pivotEps))
            continue;
        for (int32_t j = 1; j <= i - 1; ++j)
            factors[j] = SafeDiv(w(perm[j], i), w(p, i), 0);
        pivotRow = p;
        updateRows(1, i - 1, { { 1, i - 1 }, { n + 1, cols } });
    }
    return at;
}

trealmatrix Solve(const trealmatrix& b, const trealmatrix& a, bool unitRight)
{
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
    const std::vector<int32_t> at = Eliminate(w, perm, n, unitRight);

    // X (n x m) solves A'X = B'; the result is X' = B*A^-1.
    trealmatrix result(m, n);
    for (int32_t j = 1; j <= n; ++j) {
        const long double* row = w.Row(perm[j]);
        const long double pivot = row[j];
        for (int32_t h = 1; h <= m; ++h)
            result(h, j) = SafeDiv(row[n + at[h]], pivot, 0);
    }
    return result;
}

} // namespace

trealmatrix SolveRight(const trealmatrix& b, const trealmatrix& a)
{
    if (!IsSquare(a) || b.IsAbsent() || b.Cols() != a.Rows())
        return FailureMatrix();
    return Solve(b, a, false);
}

trealmatrix GaussJordanInverse(const trealmatrix& a)
{
    if (!IsSquare(a))
        return FailureMatrix();
    if (a.Rows() == 0)
        return trealmatrix(0, 0);
    return Solve(MakeIdentity(a.Rows(), a.Rows()), a, true);
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
