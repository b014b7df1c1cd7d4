// The rotations of one similarity sweep, applied in the order that suits a row-major matrix.
#include "numerics/sweep_rotations.h"

#include "numerics/matrix_alloc.h"
#include "numerics/matrix_structure.h"
#include "numerics/plane_rotations.h"

#include <cmath>

namespace zelvora {
namespace {

std::size_t Slot(int32_t index)
{
    return static_cast<std::size_t>(index);
}

bool Distinct(const tIntvector& list, int32_t limit)
{
    std::vector<bool> seen(Slot(limit) + 1, false);
    for (int32_t v : list.Elements()) {
        if (v < 1 || v > limit || seen[Slot(v)])
            return false;
        seen[Slot(v)] = true;
    }
    return true;
}

} // namespace

// ---- Column rotations of W

tSweepColumnTurns::tSweepColumnTurns(trealmatrix& w, const tIntvector& rows, const tIntvector& cols)
    : m_w(w)
    , m_cols(cols)
    , m_defer(Distinct(rows, w.Rows()) && Distinct(cols, w.Cols()))
    , m_columns(Slot(cols.Count()) + 1)
    , m_cosines(Slot(cols.Count()) + 1)
    , m_sines(Slot(cols.Count()) + 1)
    , m_next(Slot(w.Rows()) + 1)
    , m_rows(rows)
{
}

void tSweepColumnTurns::Begin(int32_t p)
{
    m_a = m_cols[p];
    m_i = m_rows[p];
    m_last = p;
    std::fill(m_next.begin(), m_next.end(), p + 1);
}

void tSweepColumnTurns::CatchUp(int32_t j)
{
    if (!m_defer)
        return;
    TurnRow(j, m_next[Slot(j)], m_last);
    m_next[Slot(j)] = m_last + 1;
}

void tSweepColumnTurns::Turn(int32_t q, int32_t j, long double c, long double s)
{
    const int32_t b = m_cols[q];
    if (!m_defer) {
        RotateColumns(m_w, m_a, b, c, s);
        return;
    }
    m_columns[Slot(q)] = b;
    m_cosines[Slot(q)] = c;
    m_sines[Slot(q)] = s;
    m_last = q;
    TurnRow(m_i, q, q);
    TurnRow(j, q, q);
    m_next[Slot(j)] = q + 1;
}

void tSweepColumnTurns::Finish()
{
    if (!m_defer)
        return;
    int32_t waiting = 0;
    for (int32_t r = 1; r <= m_w.Rows(); ++r) {
        if (r == m_i || m_next[Slot(r)] > m_last)
            continue;
        if (waiting == 0) {
            waiting = r;
            continue;
        }
        TurnRowPair(waiting, r);
        waiting = 0;
    }
    if (waiting != 0)
        TurnRow(waiting, m_next[Slot(waiting)], m_last);
}

void tSweepColumnTurns::TurnRow(int32_t r, int32_t from, int32_t to)
{
    if (from > to)
        return;
    long double* row = m_w.Row(r);
    long double x = row[m_a];
    for (int32_t t = from; t <= to; ++t) {
        const long double c = m_cosines[Slot(t)];
        const long double s = m_sines[Slot(t)];
        long double& yRef = row[m_columns[Slot(t)]];
        const long double y = yRef;
        yRef = c * y - s * x;
        x = c * x + s * y;
    }
    row[m_a] = x;
}

void tSweepColumnTurns::TurnRowPair(int32_t r1, int32_t r2)
{
    // The row that waits for more steps runs alone until the other one joins it.
    const int32_t from = std::max(m_next[Slot(r1)], m_next[Slot(r2)]);
    TurnRow(r1, m_next[Slot(r1)], from - 1);
    TurnRow(r2, m_next[Slot(r2)], from - 1);
    long double* row1 = m_w.Row(r1);
    long double* row2 = m_w.Row(r2);
    long double x1 = row1[m_a];
    long double x2 = row2[m_a];
    for (int32_t t = from; t <= m_last; ++t) {
        const long double c = m_cosines[Slot(t)];
        const long double s = m_sines[Slot(t)];
        const int32_t b = m_columns[Slot(t)];
        const long double y1 = row1[b];
        const long double y2 = row2[b];
        row1[b] = c * y1 - s * x1;
        row2[b] = c * y2 - s * x2;
        x1 = c * x1 + s * y1;
        x2 = c * x2 + s * y2;
    }
    row1[m_a] = x1;
    row2[m_a] = x2;
}

// ---- The transformation

tSweepTransform::tSweepTransform(int32_t n)
    : m_t(MakeIdentity(n, n))
    , m_reach(Slot(n) + 1)
    , m_cosines(Slot(n) + 1)
    , m_sines(Slot(n) + 1)
    , m_rows(Slot(n) + 1)
    , m_covered(Slot(n) + 1)
{
    for (int32_t r = 0; r <= n; ++r)
        m_reach[Slot(r)] = r;
}

void tSweepTransform::Begin(int32_t a)
{
    m_a = a;
    m_count = 0;
    m_keepsZeros = true;
}

void tSweepTransform::Add(int32_t b, long double c, long double s)
{
    const std::size_t t = Slot(m_count++);
    m_rows[t] = b;
    m_cosines[t] = c;
    m_sines[t] = s;
    m_keepsZeros = m_keepsZeros && std::isfinite(c) && std::isfinite(s) && !std::signbit(c);
}

void tSweepTransform::Apply()
{
    if (m_count == 0)
        return;
    const int32_t n = m_t.Cols();
    std::vector<long double*> lines(Slot(m_count));
    // covered[t]: slots 1..covered[t] may hold a value in row a or in row rows[t] at step t.
    int32_t reach = m_reach[Slot(m_a)];
    for (int32_t t = 0; t < m_count; ++t) {
        int32_t& partner = m_reach[Slot(m_rows[Slot(t)])];
        reach = m_keepsZeros ? std::max(reach, partner) : n;
        partner = reach;
        m_covered[Slot(t)] = reach;
        lines[Slot(t)] = m_t.Row(m_rows[Slot(t)]);
    }
    m_reach[Slot(m_a)] = reach;
    long double* x = m_t.Row(m_a);
    int32_t first = 0;
    for (int32_t k = 1; k <= n; k += 2) {
        while (first < m_count && m_covered[Slot(first)] < k)
            ++first;
        if (k < n)
            TurnTwoSlots(x, lines.data(), k, first);
        else
            TurnOneSlot(x, lines.data(), k, first);
    }
}

trealmatrix tSweepTransform::Transform() const
{
    return Transpose(m_t);
}

void tSweepTransform::TurnTwoSlots(
    long double* x, long double* const* lines, int32_t k, int32_t first)
{
    long double x0 = x[k];
    long double x1 = x[k + 1];
    for (int32_t t = first; t < m_count; ++t) {
        const long double c = m_cosines[Slot(t)];
        const long double s = m_sines[Slot(t)];
        long double* y = lines[Slot(t)] + k;
        const long double y0 = y[0];
        const long double y1 = y[1];
        y[0] = c * y0 - s * x0;
        y[1] = c * y1 - s * x1;
        x0 = c * x0 + s * y0;
        x1 = c * x1 + s * y1;
    }
    x[k] = x0;
    x[k + 1] = x1;
}

void tSweepTransform::TurnOneSlot(
    long double* x, long double* const* lines, int32_t k, int32_t first)
{
    long double x0 = x[k];
    for (int32_t t = first; t < m_count; ++t) {
        const long double c = m_cosines[Slot(t)];
        const long double s = m_sines[Slot(t)];
        long double& y = lines[Slot(t)][k];
        const long double y0 = y;
        y = c * y0 - s * x0;
        x0 = c * x0 + s * y0;
    }
    x[k] = x0;
}

} // namespace zelvora
