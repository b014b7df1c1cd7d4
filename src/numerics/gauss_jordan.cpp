// Gauss-Jordan elimination with row pivoting.
#include "numerics/gauss_jordan.h"

#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/scalar_math.h"
#include "numerics/worker_pool.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numeric>
#include <utility>
#include <vector>

namespace zelvora {
namespace {
constexpr long double pivotEps = 1e-128L;
// Row updates of fewer slots than this stay on the run thread: handing them out costs more.
constexpr int64_t parallelWork = 16384;

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
// The same without the per-element check: the caller watches the floating-point flags instead
// (valid while all values are finite).
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
// x := (x - f1*p1) - f2*p2 over t = from..to for one or two target rows; a zero factor leaves
// its step out, as the one-step elimination does. No per-element check (see tElimination).
void SubtractTwoSteps(trealmatrix& w, const long double* p1, const long double* p2, int32_t k,
    long double f1, long double f2, int32_t from, int32_t to)
{
    if (f1 == 0 || f2 == 0) {
        if (f1 != 0 || f2 != 0) {
            long double* target = w.Row(k);
            const long double* pivot = f1 != 0 ? p1 : p2;
            const long double f = f1 != 0 ? f1 : f2;
            for (int32_t t = from; t <= to; ++t)
                target[t] = target[t] - f * pivot[t];
        }
        return;
    }
    long double* target = w.Row(k);
    for (int32_t t = from; t <= to; ++t) {
        const long double x = target[t] - f1 * p1[t];
        target[t] = x - f2 * p2[t];
    }
}

void SubtractTwoStepsPair(trealmatrix& w, const long double* p1, const long double* p2, int32_t k,
    int32_t l, const long double* f, const long double* g, int32_t from, int32_t to)
{
    long double* x = w.Row(k);
    long double* y = w.Row(l);
    const long double fk = f[0];
    const long double gk = g[0];
    const long double fl = f[1];
    const long double gl = g[1];
    for (int32_t t = from; t <= to; ++t) {
        const long double a = p1[t];
        const long double b = p2[t];
        x[t] = (x[t] - fk * a) - gk * b;
        y[t] = (y[t] - fl * a) - gl * b;
    }
}

// The elimination of SolveRight on W = [A' | B'] (n rows, n + m columns). The work is arranged
// for speed while every element that is used sees exactly the operations, in the same order, of
// updating whole rows step by step:
// - in back elimination at pivot i, left columns i and beyond are dead: column t feeds only the
//   factors of back step t and the diagonal element, which is final before that step;
// - with unitRight (B = I), the pivot row of forward step i holds zeros in the right part outside
//   the unit columns of the rows pivoted so far. Those columns are moved to positions 1..i as the
//   pivots are chosen, and the rest is skipped: subtracting f*(+0) changes no value, as no element
//   of the right part can become -0;
// - while every value is finite, two consecutive steps are applied in one pass over two target
//   rows at a time (their pivot rows and the column the second step needs brought up to date
//   first), and a math error of an update can only be an overflow, which the floating-point flags
//   report. With a non-finite value, steps go one at a time and each element is checked.
class tElimination {
public:
    tElimination(trealmatrix& w, std::vector<int32_t>& perm, int32_t n, bool unitRight,
        tWorkerPool* pool, const tCheckpoint* checkpoint)
        : m_w(w)
        , m_perm(perm)
        , m_n(n)
        , m_cols(w.Cols())
        , m_unitRight(unitRight)
        , m_at(static_cast<std::size_t>(w.Cols() - n) + 1)
        , m_holder(m_at.size())
        , m_f(static_cast<std::size_t>(n) + 2)
        , m_g(static_cast<std::size_t>(n) + 2)
        , m_pool(pool)
        , m_checkpoint(checkpoint)
    {
        std::iota(m_at.begin(), m_at.end(), 0);
        std::iota(m_holder.begin(), m_holder.end(), 0);
    }

    // Returns the right part's column positions: the unit column of row h sits at n + at[h].
    std::vector<int32_t> Run()
    {
        const bool finite = AllFinite(m_w);
        int32_t i = 1;
        if (finite) {
            for (; i + 1 <= m_n; i += 2) {
                ReachCheckpoint(m_checkpoint);
                ForwardPair(i);
            }
        }
        for (; i <= m_n; ++i) {
            ReachCheckpoint(m_checkpoint);
            ForwardSingle(i, finite);
        }
        i = m_n;
        if (finite) {
            for (; i >= 3; i -= 2) {
                ReachCheckpoint(m_checkpoint);
                BackPair(i);
            }
        }
        for (; i >= 2; --i) {
            ReachCheckpoint(m_checkpoint);
            BackSingle(i, finite);
        }
        return m_at;
    }

private:
    long double* Row(int32_t position) { return m_w.Row(m_perm[position]); }

    // Pivot search in column i and the row exchange; with unitRight the unit column of the new
    // pivot row moves to position i. Returns the position the pivot came from (0: none).
    int32_t Pivot(int32_t i)
    {
        long double best = 0;
        int32_t found = 0;
        for (int32_t k = i; k <= m_n; ++k) {
            const long double size = std::fabs(m_w(m_perm[k], i));
            if (size > best) {
                best = size;
                found = k;
            }
        }
        if (found != 0)
            std::swap(m_perm[i], m_perm[found]);
        if (m_unitRight) {
            const int32_t row = m_perm[i];
            const int32_t from = m_at[row];
            if (from != i) {
                for (int32_t r = 1; r <= m_n; ++r)
                    std::swap(m_w(r, m_n + i), m_w(r, m_n + from));
                const int32_t displaced = m_holder[i];
                m_holder[i] = row;
                m_holder[from] = displaced;
                m_at[row] = i;
                m_at[displaced] = from;
            }
        }
        return found;
    }

    int32_t RightEnd(int32_t i) const { return m_unitRight ? m_n + i : m_cols; }

    // One step: rows first..last (positions) lose f[j] times the pivot row over the ranges.
    void UpdateSingle(int32_t pivot, int32_t first, int32_t last,
        std::initializer_list<std::pair<int32_t, int32_t>> ranges, bool finite)
    {
        tMathErrorWatch watch;
        for (int32_t j = first; j <= last; ++j) {
            if (m_f[j] == 0)
                continue;
            for (const auto& [from, to] : ranges) {
                if (finite)
                    SubtractScaledFast(m_w, m_perm[pivot], m_perm[j], m_f[j], from, to);
                else
                    SubtractScaled(m_w, m_perm[pivot], m_perm[j], m_f[j], from, to);
            }
        }
        if (finite)
            RaiseIfOverflowed(watch);
    }

    static void RaiseIfOverflowed(const tMathErrorWatch& watch)
    {
        if (watch.Fault() != tMathFault::None)
            RaiseMathFault(tMathFault::Overflow);
    }

    void ForwardSingle(int32_t i, bool finite)
    {
        if (Pivot(i) == 0)
            return;
        const long double pivot = m_w(m_perm[i], i);
        for (int32_t j = i + 1; j <= m_n; ++j)
            m_f[j] = SafeDiv(Row(j)[i], pivot, 0);
        UpdateSingle(i, i + 1, m_n, { { 1, m_n }, { m_n + 1, RightEnd(i) } }, finite);
    }

    void BackSingle(int32_t i, bool finite)
    {
        const long double pivot = m_w(m_perm[i], i);
        if (!(std::fabs(pivot) > pivotEps))
            return;
        for (int32_t j = 1; j <= i - 1; ++j)
            m_f[j] = SafeDiv(Row(j)[i], pivot, 0);
        UpdateSingle(i, 1, i - 1, { { 1, i - 1 }, { m_n + 1, m_cols } }, finite);
    }

    // Rows first..last get both steps (factors f, then g) over the ranges, two rows per pass.
    // The pool's threads take disjoint pieces of the rows, each watching its own floating-point
    // flags; every row sees the same operations for any number of threads.
    void UpdateTwoSteps(const long double* p1, const long double* p2, int32_t first, int32_t last,
        std::initializer_list<std::pair<int32_t, int32_t>> ranges)
    {
        const int32_t count = last - first + 1;
        if (count <= 0)
            return;
        int32_t width = 0;
        for (const auto& [from, to] : ranges)
            width += std::max(0, to - from + 1);
        tWorkerPool* pool = static_cast<int64_t>(count) * width >= parallelWork ? m_pool : nullptr;
        const int32_t threads = pool ? pool->Threads() : 1;
        // About eight pieces per thread, so a thread held up by another program leaves little.
        const int32_t piece = threads == 1
            ? count
            : std::max<int32_t>(16, (count + 8 * threads - 1) / (8 * threads));
        ForEachRowRange(pool, count, piece, [&](int32_t from, int32_t to, int32_t) {
            tMathErrorWatch watch;
            UpdateTwoStepsOfRows(p1, p2, first + from - 1, first + to - 1, ranges);
            RaiseIfOverflowed(watch);
        });
    }

    void UpdateTwoStepsOfRows(const long double* p1, const long double* p2, int32_t first,
        int32_t last, std::initializer_list<std::pair<int32_t, int32_t>> ranges)
    {
        int32_t j = first;
        for (; j + 1 <= last; j += 2) {
            const bool plain = m_f[j] != 0 && m_g[j] != 0 && m_f[j + 1] != 0 && m_g[j + 1] != 0;
            for (const auto& [from, to] : ranges) {
                if (plain) {
                    SubtractTwoStepsPair(
                        m_w, p1, p2, m_perm[j], m_perm[j + 1], &m_f[j], &m_g[j], from, to);
                } else {
                    SubtractTwoSteps(m_w, p1, p2, m_perm[j], m_f[j], m_g[j], from, to);
                    SubtractTwoSteps(m_w, p1, p2, m_perm[j + 1], m_f[j + 1], m_g[j + 1], from, to);
                }
            }
        }
        if (j == last) {
            for (const auto& [from, to] : ranges)
                SubtractTwoSteps(m_w, p1, p2, m_perm[j], m_f[j], m_g[j], from, to);
        }
    }

    // Forward steps i and i+1 together (all values finite).
    void ForwardPair(int32_t i)
    {
        const int32_t n = m_n;
        const bool first = Pivot(i) != 0;
        const long double* p1 = Row(i);
        for (int32_t j = i + 1; j <= n; ++j)
            m_f[j] = first ? SafeDiv(Row(j)[i], p1[i], 0) : 0;
        {
            // Step i on column i + 1, which the second pivot search reads.
            tMathErrorWatch watch;
            for (int32_t j = i + 1; j <= n; ++j) {
                if (m_f[j] != 0)
                    Row(j)[i + 1] = Row(j)[i + 1] - m_f[j] * p1[i + 1];
            }
            RaiseIfOverflowed(watch);
        }
        const int32_t from = Pivot(i + 1);
        if (from != 0)
            std::swap(m_f[i + 1], m_f[from]);
        // The second pivot row gets the rest of step i before it serves.
        {
            tMathErrorWatch watch;
            if (m_f[i + 1] != 0) {
                const int32_t k = m_perm[i + 1];
                const int32_t p = m_perm[i];
                SubtractScaledFast(m_w, p, k, m_f[i + 1], 1, i);
                SubtractScaledFast(m_w, p, k, m_f[i + 1], i + 2, n);
                SubtractScaledFast(m_w, p, k, m_f[i + 1], n + 1, RightEnd(i + 1));
            }
            RaiseIfOverflowed(watch);
        }
        const long double* p2 = Row(i + 1);
        for (int32_t j = i + 2; j <= n; ++j)
            m_g[j] = from != 0 ? SafeDiv(Row(j)[i + 1], p2[i + 1], 0) : 0;
        tMathErrorWatch watch;
        // Column i + 1 already has step i; the right part of the first pivot row is +0 at
        // position i + 1, so both steps may run to RightEnd(i + 1).
        for (int32_t j = i + 2; j <= n; ++j) {
            if (m_g[j] != 0)
                Row(j)[i + 1] = Row(j)[i + 1] - m_g[j] * p2[i + 1];
        }
        RaiseIfOverflowed(watch);
        UpdateTwoSteps(p1, p2, i + 2, n, { { 1, i }, { i + 2, n }, { n + 1, RightEnd(i + 1) } });
    }

    // Back steps i and i-1 together (all values finite).
    void BackPair(int32_t i)
    {
        const long double* p1 = Row(i);
        const bool first = std::fabs(p1[i]) > pivotEps;
        for (int32_t j = 1; j <= i - 1; ++j)
            m_f[j] = first ? SafeDiv(Row(j)[i], p1[i], 0) : 0;
        {
            tMathErrorWatch watch;
            // The second pivot row gets step i; then column i - 1 of the other targets, which the
            // second step's factors read.
            if (m_f[i - 1] != 0) {
                SubtractScaledFast(m_w, m_perm[i], m_perm[i - 1], m_f[i - 1], 1, i - 1);
                SubtractScaledFast(m_w, m_perm[i], m_perm[i - 1], m_f[i - 1], m_n + 1, m_cols);
            }
            for (int32_t j = 1; j <= i - 2; ++j) {
                if (m_f[j] != 0)
                    Row(j)[i - 1] = Row(j)[i - 1] - m_f[j] * p1[i - 1];
            }
            RaiseIfOverflowed(watch);
        }
        const long double* p2 = Row(i - 1);
        const bool second = std::fabs(p2[i - 1]) > pivotEps;
        for (int32_t j = 1; j <= i - 2; ++j)
            m_g[j] = second ? SafeDiv(Row(j)[i - 1], p2[i - 1], 0) : 0;
        UpdateTwoSteps(p1, p2, 1, i - 2, { { 1, i - 2 }, { m_n + 1, m_cols } });
    }

    trealmatrix& m_w;
    std::vector<int32_t>& m_perm;
    const int32_t m_n;
    const int32_t m_cols;
    const bool m_unitRight;
    std::vector<int32_t> m_at;
    std::vector<int32_t> m_holder;
    std::vector<long double> m_f;
    std::vector<long double> m_g;
    tWorkerPool* m_pool;
    const tCheckpoint* m_checkpoint;
};

trealmatrix Solve(const trealmatrix& b, const trealmatrix& a, bool unitRight, tWorkerPool* pool,
    const tCheckpoint* checkpoint = nullptr)
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
    const std::vector<int32_t> at = tElimination(w, perm, n, unitRight, pool, checkpoint).Run();

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

tResult<trealmatrix> SolveRight(const trealmatrix& b, const trealmatrix& a)
{
    if (!IsSquare(a) || b.IsAbsent() || b.Cols() != a.Rows())
        return Failure(1, "");
    return Solve(b, a, false, NumericsContext().workers);
}

tResult<trealmatrix> GaussJordanInverse(const trealmatrix& a, const tCheckpoint* checkpoint)
{
    if (!IsSquare(a))
        return Failure(1, "");
    if (a.Rows() == 0)
        return trealmatrix(0, 0);
    return Solve(IdentityMatrix(a.Rows()), a, true, NumericsContext().workers, checkpoint);
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
