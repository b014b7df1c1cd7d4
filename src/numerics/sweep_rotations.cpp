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

// ---- Rotations of W

tSweepTurns::tSweepTurns(trealmatrix& w, const tIntvector& rows, const tIntvector& cols)
    : m_w(w)
    , m_rows(rows)
    , m_cols(cols)
    , m_defer(Distinct(rows, w.Rows()) && Distinct(cols, w.Cols()))
    , m_cosines(Slot(cols.Count()) + 1)
    , m_sines(Slot(cols.Count()) + 1)
    , m_lines(Slot(cols.Count()) + 1)
    , m_nextInRow(Slot(w.Rows()) + 1)
    , m_nextInColumn(Slot(w.Cols()) + 1)
{
}

void tSweepTurns::Begin(int32_t p)
{
    m_a = m_cols[p];
    m_i = m_rows[p];
    m_last = p;
    std::fill(m_nextInRow.begin(), m_nextInRow.end(), p + 1);
    std::fill(m_nextInColumn.begin(), m_nextInColumn.end(), p + 1);
}

void tSweepTurns::Prepare(int32_t q)
{
    if (!m_defer)
        return;
    const int32_t j = m_rows[q];
    const int32_t b = m_cols[q];
    const int32_t fromRow = m_nextInRow[Slot(j)];
    const int32_t fromColumn = m_nextInColumn[Slot(b)];
    if (fromRow == fromColumn) {
        TurnRowAndColumn(j, b, fromRow);
    } else {
        TurnRow(j, fromRow, m_last);
        TurnColumn(b, fromColumn, m_last);
    }
    m_nextInRow[Slot(j)] = m_last + 1;
    m_nextInColumn[Slot(b)] = m_last + 1;
}

void tSweepTurns::Turn(int32_t q, long double c, long double s)
{
    const int32_t j = m_rows[q];
    const int32_t b = m_cols[q];
    if (!m_defer) {
        RotateColumns(m_w, m_a, b, c, s);
        RotateRows(m_w, m_i, j, c, s);
        return;
    }
    m_cosines[Slot(q)] = c;
    m_sines[Slot(q)] = s;
    m_lines[Slot(q)] = m_w.Row(j);
    m_last = q;
    TurnRow(m_i, q, q);
    TurnRow(j, q, q);
    TurnColumn(m_a, q, q);
    TurnColumn(b, q, q);
    m_nextInRow[Slot(j)] = q + 1;
    m_nextInColumn[Slot(b)] = q + 1;
}

void tSweepTurns::Finish()
{
    if (!m_defer)
        return;
    int32_t waiting = 0;
    for (int32_t r = 1; r <= m_w.Rows(); ++r) {
        if (r == m_i || m_nextInRow[Slot(r)] > m_last)
            continue;
        if (waiting == 0) {
            waiting = r;
        } else {
            TurnRowPair(waiting, r);
            waiting = 0;
        }
    }
    if (waiting != 0)
        TurnRow(waiting, m_nextInRow[Slot(waiting)], m_last);
    waiting = 0;
    for (int32_t k = 1; k <= m_w.Cols(); ++k) {
        if (k == m_a || m_nextInColumn[Slot(k)] > m_last)
            continue;
        if (waiting == 0) {
            waiting = k;
        } else {
            TurnColumnPair(waiting, k);
            waiting = 0;
        }
    }
    if (waiting != 0)
        TurnColumn(waiting, m_nextInColumn[Slot(waiting)], m_last);
}

void tSweepTurns::TurnRow(int32_t r, int32_t from, int32_t to)
{
    if (from > to)
        return;
    long double* row = m_w.Row(r);
    long double x = row[m_a];
    for (int32_t t = from; t <= to; ++t) {
        const long double c = m_cosines[Slot(t)];
        const long double s = m_sines[Slot(t)];
        long double& yRef = row[m_cols[t]];
        const long double y = yRef;
        yRef = c * y - s * x;
        x = c * x + s * y;
    }
    row[m_a] = x;
}

void tSweepTurns::TurnRowPair(int32_t r1, int32_t r2)
{
    // The row that waits for more steps runs alone until the other one joins it.
    const int32_t from = std::max(m_nextInRow[Slot(r1)], m_nextInRow[Slot(r2)]);
    TurnRow(r1, m_nextInRow[Slot(r1)], from - 1);
    TurnRow(r2, m_nextInRow[Slot(r2)], from - 1);
    long double* row1 = m_w.Row(r1);
    long double* row2 = m_w.Row(r2);
    long double x1 = row1[m_a];
    long double x2 = row2[m_a];
    for (int32_t t = from; t <= m_last; ++t) {
        const long double c = m_cosines[Slot(t)];
        const long double s = m_sines[Slot(t)];
        const int32_t b = m_cols[t];
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

void tSweepTurns::TurnRowAndColumn(int32_t r, int32_t k, int32_t from)
{
    // Row r and column k share no element here (r is no row j and k no column b of the steps
    // before), so the two chains run side by side.
    long double* row = m_w.Row(r);
    long double* top = m_w.Row(m_i);
    long double xRow = row[m_a];
    long double xColumn = top[k];
    for (int32_t t = from; t <= m_last; ++t) {
        const long double c = m_cosines[Slot(t)];
        const long double s = m_sines[Slot(t)];
        long double& inRow = row[m_cols[t]];
        long double& inColumn = m_lines[Slot(t)][k];
        const long double yRow = inRow;
        const long double yColumn = inColumn;
        inRow = c * yRow - s * xRow;
        inColumn = c * yColumn - s * xColumn;
        xRow = c * xRow + s * yRow;
        xColumn = c * xColumn + s * yColumn;
    }
    row[m_a] = xRow;
    top[k] = xColumn;
}

void tSweepTurns::TurnColumn(int32_t k, int32_t from, int32_t to)
{
    if (from > to)
        return;
    long double* top = m_w.Row(m_i);
    long double x = top[k];
    for (int32_t t = from; t <= to; ++t) {
        const long double c = m_cosines[Slot(t)];
        const long double s = m_sines[Slot(t)];
        long double& yRef = m_lines[Slot(t)][k];
        const long double y = yRef;
        yRef = c * y - s * x;
        x = c * x + s * y;
    }
    top[k] = x;
}

void tSweepTurns::TurnColumnPair(int32_t k1, int32_t k2)
{
    const int32_t from = std::max(m_nextInColumn[Slot(k1)], m_nextInColumn[Slot(k2)]);
    TurnColumn(k1, m_nextInColumn[Slot(k1)], from - 1);
    TurnColumn(k2, m_nextInColumn[Slot(k2)], from - 1);
    long double* top = m_w.Row(m_i);
    long double x1 = top[k1];
    long double x2 = top[k2];
    for (int32_t t = from; t <= m_last; ++t) {
        const long double c = m_cosines[Slot(t)];
        const long double s = m_sines[Slot(t)];
        long double* line = m_lines[Slot(t)];
        const long double y1 = line[k1];
        const long double y2 = line[k2];
        line[k1] = c * y1 - s * x1;
        line[k2] = c * y2 - s * x2;
        x1 = c * x1 + s * y1;
        x2 = c * x2 + s * y2;
    }
    top[k1] = x1;
    top[k2] = x2;
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
