// The rotations of one similarity sweep, applied in the order that suits a row-major matrix.
#include "numerics/sweep_rotations.h"

#include "numerics/matrix_alloc.h"
#include "numerics/matrix_structure.h"
#include "numerics/plane_rotations.h"
#include "numerics/worker_pool.h"

#include <cmath>
#include <functional>

namespace zelvora {
namespace {

// Below this many turned elements the postponed turns stay on the run thread: handing them out
// costs more than it saves.
constexpr int64_t parallelTurns = 20000;
// Blocks per thread, so a thread that another program holds up leaves little for the others.
constexpr int32_t blocksPerThread = 4;

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

// Turns x against the slot yAt(t) for t = from..to by (cosines[t], sines[t]), x staying in a
// register: x := c*x + s*y and y := c*y - s*x, both from the values before, as a plane rotation of
// two lines does.
template <typename tSlotAt>
void TurnChain(long double& xSlot, const long double* cosines, const long double* sines,
    int32_t from, int32_t to, tSlotAt yAt)
{
    long double x = xSlot;
    for (int32_t t = from; t <= to; ++t) {
        const long double c = cosines[t];
        const long double s = sines[t];
        long double& ySlot = yAt(t);
        const long double y = ySlot;
        ySlot = c * y - s * x;
        x = c * x + s * y;
    }
    xSlot = x;
}

// Two independent chains over the same steps side by side, so that one's latency hides the
// other's.
template <typename tSlotAt1, typename tSlotAt2>
void TurnTwoChains(long double& xSlot1, long double& xSlot2, const long double* cosines,
    const long double* sines, int32_t from, int32_t to, tSlotAt1 yAt1, tSlotAt2 yAt2)
{
    long double x1 = xSlot1;
    long double x2 = xSlot2;
    for (int32_t t = from; t <= to; ++t) {
        const long double c = cosines[t];
        const long double s = sines[t];
        long double& ySlot1 = yAt1(t);
        long double& ySlot2 = yAt2(t);
        const long double y1 = ySlot1;
        const long double y2 = ySlot2;
        ySlot1 = c * y1 - s * x1;
        ySlot2 = c * y2 - s * x2;
        x1 = c * x1 + s * y1;
        x2 = c * x2 + s * y2;
    }
    xSlot1 = x1;
    xSlot2 = x2;
}

// Calls pair(l1, l2) for the lines first..to other than `skip` that wait for a step
// (next <= last), two at a time, and single(l) for one left over.
template <typename tPair, typename tSingle>
void TurnWaitingLines(int32_t first, int32_t to, int32_t skip, const std::vector<int32_t>& next,
    int32_t last, tPair pair, tSingle single)
{
    int32_t waiting = 0;
    for (int32_t line = first; line <= to; ++line) {
        if (line == skip || next[Slot(line)] > last)
            continue;
        if (waiting == 0) {
            waiting = line;
        } else {
            pair(waiting, line);
            waiting = 0;
        }
    }
    if (waiting != 0)
        single(waiting);
}

// Calls turn(first, last) for blocks of the lines 1..count that together turn about `turns`
// elements: on the pool's threads when that is worth it, else once for all lines on this thread.
// Each line's turns do not depend on the block it falls in.
void ForLineBlocks(tWorkerPool* pool, int32_t count, int64_t turns,
    const std::function<void(int32_t first, int32_t last)>& turn)
{
    if (!pool || pool->Threads() == 1 || turns < parallelTurns) {
        turn(1, count);
        return;
    }
    const int32_t blocks = blocksPerThread * pool->Threads();
    ForEachRowRange(pool, count, (count + blocks - 1) / blocks,
        [&](int32_t first, int32_t last, int32_t) { turn(first, last); });
}

} // namespace

// ---- Rotations of W

tSweepTurns::tSweepTurns(
    trealmatrix& w, const tIntvector& rows, const tIntvector& cols, tWorkerPool* pool)
    : m_w(w)
    , m_rows(rows)
    , m_cols(cols)
    , m_pool(pool)
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
    m_p = p;
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
    // Every row first, then every column: no element waits for turns of both kinds, so the two
    // passes could even overlap, but keeping them apart costs little.
    const int64_t steps = m_last - m_p;
    ForLineBlocks(m_pool, m_w.Rows(), steps * m_w.Rows(),
        [this](int32_t first, int32_t last) { FinishRows(first, last); });
    ForLineBlocks(m_pool, m_w.Cols(), steps * m_w.Cols(),
        [this](int32_t first, int32_t last) { FinishColumns(first, last); });
}

void tSweepTurns::FinishRows(int32_t first, int32_t last)
{
    TurnWaitingLines(
        first, last, m_i, m_nextInRow, m_last,
        [this](int32_t r1, int32_t r2) { TurnRowPair(r1, r2); },
        [this](int32_t r) { TurnRow(r, m_nextInRow[Slot(r)], m_last); });
}

void tSweepTurns::FinishColumns(int32_t first, int32_t last)
{
    TurnWaitingLines(
        first, last, m_a, m_nextInColumn, m_last,
        [this](int32_t k1, int32_t k2) { TurnColumnPair(k1, k2); },
        [this](int32_t k) { TurnColumn(k, m_nextInColumn[Slot(k)], m_last); });
}

void tSweepTurns::TurnRow(int32_t r, int32_t from, int32_t to)
{
    long double* row = m_w.Row(r);
    TurnChain(row[m_a], m_cosines.data(), m_sines.data(), from, to,
        [&](int32_t t) -> long double& { return row[m_cols[t]]; });
}

void tSweepTurns::TurnRowPair(int32_t r1, int32_t r2)
{
    // The row that waits for more steps runs alone until the other one joins it.
    const int32_t from = std::max(m_nextInRow[Slot(r1)], m_nextInRow[Slot(r2)]);
    TurnRow(r1, m_nextInRow[Slot(r1)], from - 1);
    TurnRow(r2, m_nextInRow[Slot(r2)], from - 1);
    long double* row1 = m_w.Row(r1);
    long double* row2 = m_w.Row(r2);
    TurnTwoChains(
        row1[m_a], row2[m_a], m_cosines.data(), m_sines.data(), from, m_last,
        [&](int32_t t) -> long double& { return row1[m_cols[t]]; },
        [&](int32_t t) -> long double& { return row2[m_cols[t]]; });
}

void tSweepTurns::TurnRowAndColumn(int32_t r, int32_t k, int32_t from)
{
    // Row r and column k share no element here (r is no row j and k no column b of the steps
    // before), so the two chains run side by side.
    long double* row = m_w.Row(r);
    TurnTwoChains(
        row[m_a], m_w.Row(m_i)[k], m_cosines.data(), m_sines.data(), from, m_last,
        [&](int32_t t) -> long double& { return row[m_cols[t]]; },
        [&](int32_t t) -> long double& { return m_lines[Slot(t)][k]; });
}

void tSweepTurns::TurnColumn(int32_t k, int32_t from, int32_t to)
{
    TurnChain(m_w.Row(m_i)[k], m_cosines.data(), m_sines.data(), from, to,
        [&](int32_t t) -> long double& { return m_lines[Slot(t)][k]; });
}

void tSweepTurns::TurnColumnPair(int32_t k1, int32_t k2)
{
    const int32_t from = std::max(m_nextInColumn[Slot(k1)], m_nextInColumn[Slot(k2)]);
    TurnColumn(k1, m_nextInColumn[Slot(k1)], from - 1);
    TurnColumn(k2, m_nextInColumn[Slot(k2)], from - 1);
    long double* top = m_w.Row(m_i);
    TurnTwoChains(
        top[k1], top[k2], m_cosines.data(), m_sines.data(), from, m_last,
        [&](int32_t t) -> long double& { return m_lines[Slot(t)][k1]; },
        [&](int32_t t) -> long double& { return m_lines[Slot(t)][k2]; });
}

// ---- The transformation

tSweepTransform::tSweepTransform(int32_t n, tWorkerPool* pool)
    : m_t(IdentityMatrix(n))
    , m_pool(pool)
    , m_reach(Slot(n) + 1)
    , m_cosines(Slot(n) + 1)
    , m_sines(Slot(n) + 1)
    , m_rows(Slot(n) + 1)
    , m_covered(Slot(n) + 1)
    , m_lines(Slot(n) + 1)
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
    // covered[t]: slots 1..covered[t] may hold a value in row a or in row rows[t] at step t.
    int32_t reach = m_reach[Slot(m_a)];
    for (int32_t t = 0; t < m_count; ++t) {
        int32_t& partner = m_reach[Slot(m_rows[Slot(t)])];
        reach = m_keepsZeros ? std::max(reach, partner) : n;
        partner = reach;
        m_covered[Slot(t)] = reach;
        m_lines[Slot(t)] = m_t.Row(m_rows[Slot(t)]);
    }
    m_reach[Slot(m_a)] = reach;
    // Only slots 1..reach can hold a value in any of the rows; beyond it every turn is skipped.
    ForLineBlocks(m_pool, reach, static_cast<int64_t>(reach) * m_count,
        [this](int32_t first, int32_t last) { ApplySlots(first, last); });
}

void tSweepTransform::ApplySlots(int32_t from, int32_t to)
{
    long double* x = m_t.Row(m_a);
    // The steps from `first` on reach slot k; covered[] grows with t, so `first` only moves on.
    int32_t first = 0;
    for (int32_t k = from; k <= to; k += 2) {
        while (first < m_count && m_covered[Slot(first)] < k)
            ++first;
        const auto yAt = [&](int32_t slot) {
            return [this, slot](int32_t t) -> long double& { return m_lines[Slot(t)][slot]; };
        };
        if (k < to)
            TurnTwoChains(x[k], x[k + 1], m_cosines.data(), m_sines.data(), first, m_count - 1,
                yAt(k), yAt(k + 1));
        else
            TurnChain(x[k], m_cosines.data(), m_sines.data(), first, m_count - 1, yAt(k));
    }
}

trealmatrix tSweepTransform::Transform() const
{
    return Transpose(m_t);
}

} // namespace zelvora
