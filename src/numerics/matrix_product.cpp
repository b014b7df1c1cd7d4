// Matrix products: packed panels and a 2 x 2 register tile, with an exact per-element fallback.
#include "numerics/matrix_product.h"

#include "numerics/library_state.h"
#include "numerics/scalar_math.h"
#include "numerics/worker_pool.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zelvora {
namespace {
// Block sizes: a kBlock x 2 panel of the right operand stays in L1 while the rows of a
// rowBlock x kBlock block of the left operand stream from L2.
constexpr int32_t kBlock = 256;
constexpr int32_t rowBlock = 64;
constexpr int32_t colBlock = 512;
// Products of fewer multiplications than this stay on the run thread: handing out costs more.
constexpr int64_t parallelWork = 1 << 18;
// Rows per task on the run thread alone when a check point waits: a stop is heard after at most
// this many rows, and packing the right operand once per task costs little beside them.
constexpr int32_t checkedRowsAlone = 2 * rowBlock;

// An operand of a product as (rows x inner) or (inner x cols), read directly or transposed.
struct tOperand {
    const trealmatrix* m;
    bool transposed;
    long double operator()(int32_t r, int32_t c) const
    {
        return transposed ? (*m)(c, r) : (*m)(r, c);
    }
};

// Panels hold their values either as 80-bit reals or, when every value of both operands allows it,
// as exact pairs of doubles (hi + lo): two 64-bit loads and one exact addition rebuild the value in
// a register faster than one 80-bit load does, and it is the same value.
struct tWidePacking {
    using tSlot = long double;
    static constexpr std::size_t slotsPerValue = 1;
    static void Put(long double value, tSlot* out) { out[0] = value; }
};

struct tSplitPacking {
    using tSlot = double;
    static constexpr std::size_t slotsPerValue = 2;
    static void Put(long double value, tSlot* out)
    {
        const auto hi = static_cast<double>(value);
        out[0] = hi;
        out[1] = static_cast<double>(value - hi);
    }
};

// True when hi + lo rebuilds the value exactly: finite, within the double range, its last bit not
// below the smallest double. The sign of a zero may be lost, which no sum can notice: every sum
// starts from +0, and adding a zero of either sign to it, or to anything else, changes nothing.
bool SplitsExactly(long double value)
{
    const auto hi = static_cast<double>(value);
    if (!std::isfinite(hi))
        return false;
    const auto lo = static_cast<double>(value - hi);
    return static_cast<long double>(hi) + lo == value;
}

bool SplitsExactly(const trealmatrix& m)
{
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        const long double* row = m.Row(r);
        for (int32_t c = 1; c <= m.Cols(); ++c) {
            if (!SplitsExactly(row[c]))
                return false;
        }
    }
    return true;
}

// Packs rows r, r+1 of the left operand over k = k0 .. k0+kc-1, the two values of one k side by
// side; a missing second row (r+1 > rows) is packed as zeros.
template <typename tPacking>
void PackLeftPanel(const tOperand& left, int32_t rows, int32_t r, int32_t k0, int32_t kc,
    typename tPacking::tSlot* out)
{
    constexpr std::size_t step = tPacking::slotsPerValue;
    const bool pair = r + 1 <= rows;
    for (int32_t k = 0; k < kc; ++k) {
        tPacking::Put(left(r, k0 + k), out + 2 * step * k);
        tPacking::Put(pair ? left(r + 1, k0 + k) : 0, out + 2 * step * k + step);
    }
}

// Packs columns c, c+1 of the right operand over k = k0 .. k0+kc-1 likewise.
template <typename tPacking>
void PackRightPanel(const tOperand& right, int32_t cols, int32_t c, int32_t k0, int32_t kc,
    typename tPacking::tSlot* out)
{
    constexpr std::size_t step = tPacking::slotsPerValue;
    const bool pair = c + 1 <= cols;
    for (int32_t k = 0; k < kc; ++k) {
        tPacking::Put(right(k0 + k, c), out + 2 * step * k);
        tPacking::Put(pair ? right(k0 + k, c + 1) : 0, out + 2 * step * k + step);
    }
}

// acc[0..3] (the 2 x 2 tile, row by row) += the kc terms of two packed panels, in k order. The four
// sums and the four values of one k fill the eight x87 registers.
void Tile2x2(int32_t kc, const long double* a, const long double* b, long double* acc)
{
    long double c00 = acc[0];
    long double c01 = acc[1];
    long double c10 = acc[2];
    long double c11 = acc[3];
    for (int32_t k = 0; k < kc; ++k) {
        const long double a0 = a[2 * k];
        const long double b0 = b[2 * k];
        const long double b1 = b[2 * k + 1];
        c00 += a0 * b0;
        c01 += a0 * b1;
        const long double a1 = a[2 * k + 1];
        c10 += a1 * b0;
        c11 += a1 * b1;
    }
    acc[0] = c00;
    acc[1] = c01;
    acc[2] = c10;
    acc[3] = c11;
}

void Tile2x2(int32_t kc, const double* a, const double* b, long double* acc)
{
    long double c00 = acc[0];
    long double c01 = acc[1];
    long double c10 = acc[2];
    long double c11 = acc[3];
    for (int32_t k = 0; k < kc; ++k) {
        const long double a0 = static_cast<long double>(a[4 * k]) + a[4 * k + 1];
        const long double b0 = static_cast<long double>(b[4 * k]) + b[4 * k + 1];
        const long double b1 = static_cast<long double>(b[4 * k + 2]) + b[4 * k + 3];
        c00 += a0 * b0;
        c01 += a0 * b1;
        const long double a1 = static_cast<long double>(a[4 * k + 2]) + a[4 * k + 3];
        c10 += a1 * b0;
        c11 += a1 * b1;
    }
    acc[0] = c00;
    acc[1] = c01;
    acc[2] = c10;
    acc[3] = c11;
}

// Adds a term to a sum; NaN from non-NaN operands is an invalid operation, an infinity from finite
// ones an overflow.
void CheckedAdd(long double& sum, long double term)
{
    const long double next = sum + term;
    if (std::isnan(next) && !std::isnan(sum) && !std::isnan(term))
        throw tFloatInvalidError();
    if (std::isinf(next) && std::isfinite(sum) && std::isfinite(term))
        throw tFloatOverflowError();
    sum = next;
}

// One element the plain way: the SafeMul terms summed from 0 in k order.
long double ExactElement(
    const tOperand& left, const tOperand& right, int32_t inner, int32_t i, int32_t j)
{
    long double sum = 0;
    for (int32_t k = 1; k <= inner; ++k)
        CheckedAdd(sum, SafeMul(left(i, k), right(k, j), 0));
    return sum;
}

// The packing buffers of one thread.
template <typename tPacking> struct tPackBuffers {
    std::vector<typename tPacking::tSlot> left;
    std::vector<typename tPacking::tSlot> right;
};

// result rows first..last (zero-filled; first odd, last even or the last row) += left * right over
// `inner` terms, tile by tile. Partial sums rest in the result between blocks of k as 80-bit
// values, so each element still adds its terms one by one in k order, whichever rows a call
// takes. With upperOnly, only tiles touching the upper triangle are computed.
template <typename tPacking>
void MultiplyBlocked(const tOperand& left, const tOperand& right, int32_t inner,
    trealmatrix& result, bool upperOnly, int32_t first, int32_t last, tPackBuffers<tPacking>& pack)
{
    using tSlot = typename tPacking::tSlot;
    constexpr std::size_t step = tPacking::slotsPerValue;
    const int32_t rows = result.Rows();
    const int32_t cols = result.Cols();
    pack.left.resize(static_cast<std::size_t>(rowBlock + 1) * kBlock * step);
    pack.right.resize(static_cast<std::size_t>(colBlock + 1) * kBlock * step);
    std::vector<tSlot>& leftPack = pack.left;
    std::vector<tSlot>& rightPack = pack.right;
    long double tile[4];
    for (int32_t c0 = 1; c0 <= cols; c0 += colBlock) {
        const int32_t cEnd = std::min(cols, c0 + colBlock - 1);
        // Above the diagonal, column pairs left of the first row are never read.
        if (upperOnly && cEnd + 1 < first)
            continue;
        for (int32_t k0 = 1; k0 <= inner; k0 += kBlock) {
            const int32_t kc = std::min(kBlock, inner - k0 + 1);
            const std::size_t panelSlots = static_cast<std::size_t>(kc) * step;
            for (int32_t c = c0; c <= cEnd; c += 2) {
                if (!upperOnly || c + 1 >= first)
                    PackRightPanel<tPacking>(
                        right, cols, c, k0, kc, rightPack.data() + (c - c0) * panelSlots);
            }
            const int32_t rLimit = upperOnly ? std::min(last, cEnd) : last;
            for (int32_t r0 = first; r0 <= rLimit; r0 += rowBlock) {
                const int32_t rEnd = std::min(rLimit, r0 + rowBlock - 1);
                for (int32_t r = r0; r <= rEnd; r += 2)
                    PackLeftPanel<tPacking>(
                        left, rows, r, k0, kc, leftPack.data() + (r - r0) * panelSlots);
                for (int32_t c = c0; c <= cEnd; c += 2) {
                    if (upperOnly && c + 1 < r0)
                        continue;
                    const tSlot* b = rightPack.data() + (c - c0) * panelSlots;
                    const bool colPair = c + 1 <= cols;
                    const int32_t rTop = upperOnly ? std::min(rEnd, c + 1) : rEnd;
                    for (int32_t r = r0; r <= rTop; r += 2) {
                        const bool rowPair = r + 1 <= rows;
                        long double* row0 = result.Row(r);
                        long double* row1 = rowPair ? result.Row(r + 1) : nullptr;
                        tile[0] = row0[c];
                        tile[1] = colPair ? row0[c + 1] : 0;
                        tile[2] = rowPair ? row1[c] : 0;
                        tile[3] = rowPair && colPair ? row1[c + 1] : 0;
                        Tile2x2(kc, leftPack.data() + (r - r0) * panelSlots, b, tile);
                        row0[c] = tile[0];
                        if (colPair)
                            row0[c + 1] = tile[1];
                        if (rowPair) {
                            row1[c] = tile[2];
                            if (colPair)
                                row1[c + 1] = tile[3];
                        }
                    }
                }
            }
        }
    }
}

// Rows per task of the pool: one task on the run thread alone (a few when a check point waits
// between them); otherwise about eight tasks per
// thread, so a thread that another program holds up leaves little for the others to wait for,
// between 16 rows (every task packs the right operand's panels once) and the row block.
int32_t RowsPerTask(int32_t rows, int32_t threads, bool checked)
{
    if (threads == 1)
        return checked ? std::min(rows, checkedRowsAlone) : rows;
    const int32_t pieces = threads * 8;
    return std::clamp<int32_t>((rows + pieces - 1) / pieces, 16, rowBlock);
}

template <typename tPacking>
void MultiplyRows(const tOperand& left, const tOperand& right, int32_t inner, trealmatrix& result,
    bool upperOnly, tWorkerPool* pool)
{
    const auto work = static_cast<int64_t>(result.Rows()) * result.Cols() * inner;
    if (work < parallelWork)
        pool = nullptr;
    const int32_t threads = pool ? pool->Threads() : 1;
    std::vector<tPackBuffers<tPacking>> buffers(static_cast<std::size_t>(threads));
    const tCheckpoint* checkpoint = work < parallelWork ? nullptr : NumericsContext().checkpoint;
    ForEachRowRange(
        pool, result.Rows(), RowsPerTask(result.Rows(), threads, checkpoint),
        [&](int32_t first, int32_t last, int32_t thread) {
            MultiplyBlocked<tPacking>(left, right, inner, result, upperOnly, first, last,
                buffers[static_cast<std::size_t>(thread)]);
        },
        checkpoint);
}

// result (rows x cols, zero-filled) = left * right over `inner` terms, each element bit-identical
// to the plain triple loop. With upperOnly the product is symmetric and the lower triangle is
// mirrored from the upper one. The pool's threads take disjoint row ranges of the result.
void Multiply(const tOperand& left, const tOperand& right, int32_t inner, trealmatrix& result,
    bool upperOnly, tWorkerPool* pool)
{
    const int32_t rows = result.Rows();
    const int32_t cols = result.Cols();
    if (SplitsExactly(*left.m) && (right.m == left.m || SplitsExactly(*right.m)))
        MultiplyRows<tSplitPacking>(left, right, inner, result, upperOnly, pool);
    else
        MultiplyRows<tWidePacking>(left, right, inner, result, upperOnly, pool);
    if (upperOnly) {
        for (int32_t r = 2; r <= rows; ++r) {
            for (int32_t c = 1; c < r; ++c)
                result(r, c) = result(c, r);
        }
    }
    // A finite element met no overflowing term and no overflowing partial sum (non-finite values
    // absorb), so it equals the plain sum. Any other element is redone term by term.
    for (int32_t r = 1; r <= rows; ++r) {
        long double* row = result.Row(r);
        for (int32_t c = 1; c <= cols; ++c) {
            if (!std::isfinite(row[c]))
                row[c] = upperOnly && c < r ? result(c, r) : ExactElement(left, right, inner, r, c);
        }
    }
}
} // namespace

tResult<trealmatrix> MatMul(const trealmatrix& a, const trealmatrix& b, int32_t selector)
{
    if (selector != 1 && selector != 2)
        return Failure(1, "");
    const trealmatrix& left = selector == 1 ? a : b;
    const trealmatrix& right = selector == 1 ? b : a;
    if (left.Cols() != right.Rows())
        return Failure(1, "");
    trealmatrix result(left.Rows(), right.Cols());
    Multiply(
        { &left, false }, { &right, false }, left.Cols(), result, false, NumericsContext().workers);
    return result;
}

tResult<trealmatrix> GramProduct(const trealmatrix& a, int32_t selector)
{
    if (selector != 1 && selector != 2)
        return Failure(1, "");
    const bool rowsGram = selector == 1;
    const int32_t size = rowsGram ? a.Rows() : a.Cols();
    trealmatrix result(size, size);
    Multiply({ &a, !rowsGram }, { &a, rowsGram }, rowsGram ? a.Cols() : a.Rows(), result, true,
        NumericsContext().workers);
    return result;
}

} // namespace zelvora
