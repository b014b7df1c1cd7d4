// Matrix products: packed panels and a 2 x 2 register tile, with an exact per-element fallback.
#include "numerics/matrix_product.h"

#include "numerics/library_state.h"
#include "numerics/scalar_math.h"

#include <cmath>
#include <vector>

namespace zelvora {
namespace {
// Block sizes: a kBlock x 2 panel of the right operand stays in L1 while the rows of a
// rowBlock x kBlock block of the left operand stream from L2.
constexpr int32_t kBlock = 256;
constexpr int32_t rowBlock = 64;
constexpr int32_t colBlock = 512;

// An operand of a product as (rows x inner) or (inner x cols), read directly or transposed.
struct tOperand {
    const trealmatrix* m;
    bool transposed;
    long double operator()(int32_t r, int32_t c) const
    {
        return transposed ? (*m)(c, r) : (*m)(r, c);
    }
};

// Packs rows r, r+1 of the left operand over k = k0 .. k0+kc-1 as pairs; a missing second row
// (r+1 > rows) is packed as zeros.
void PackLeftPanel(
    const tOperand& left, int32_t rows, int32_t r, int32_t k0, int32_t kc, long double* out)
{
    const bool pair = r + 1 <= rows;
    if (!left.transposed) {
        const long double* row0 = left.m->Row(r) + k0;
        const long double* row1 = pair ? left.m->Row(r + 1) + k0 : nullptr;
        for (int32_t k = 0; k < kc; ++k) {
            out[2 * k] = row0[k];
            out[2 * k + 1] = pair ? row1[k] : 0;
        }
    } else {
        for (int32_t k = 0; k < kc; ++k) {
            const long double* row = left.m->Row(k0 + k);
            out[2 * k] = row[r];
            out[2 * k + 1] = pair ? row[r + 1] : 0;
        }
    }
}

// Packs columns c, c+1 of the right operand over k = k0 .. k0+kc-1 as pairs.
void PackRightPanel(
    const tOperand& right, int32_t cols, int32_t c, int32_t k0, int32_t kc, long double* out)
{
    const bool pair = c + 1 <= cols;
    if (!right.transposed) {
        for (int32_t k = 0; k < kc; ++k) {
            const long double* row = right.m->Row(k0 + k);
            out[2 * k] = row[c];
            out[2 * k + 1] = pair ? row[c + 1] : 0;
        }
    } else {
        const long double* row0 = right.m->Row(c) + k0;
        const long double* row1 = pair ? right.m->Row(c + 1) + k0 : nullptr;
        for (int32_t k = 0; k < kc; ++k) {
            out[2 * k] = row0[k];
            out[2 * k + 1] = pair ? row1[k] : 0;
        }
    }
}

// acc[0..3] (the 2 x 2 tile, row-major) += the kc terms of the packed panels, in k order.
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

// Sum of terms faulted: NaN from non-NaN operands or infinity from finite ones.
void CheckedAdd(long double& sum, long double term)
{
    const long double next = sum + term;
    if (std::isnan(next) && !std::isnan(sum) && !std::isnan(term))
        throw tFloatInvalidError();
    if (std::isinf(next) && std::isfinite(sum) && std::isfinite(term))
        throw tFloatOverflowError();
    sum = next;
}

// One element exactly as specified: sum of SafeMul terms from 0 in k order.
long double ExactElement(
    const tOperand& left, const tOperand& right, int32_t inner, int32_t i, int32_t j)
{
    long double sum = 0;
    for (int32_t k = 1; k <= inner; ++k)
        CheckedAdd(sum, SafeMul(left(i, k), right(k, j), 0));
    return sum;
}

// result (rows x cols, zero-filled) = left * right over `inner` terms. With upperOnly, only tiles
// touching the upper triangle are computed and the lower triangle is mirrored from it.
void Multiply(
    const tOperand& left, const tOperand& right, int32_t inner, trealmatrix& result, bool upperOnly)
{
    const int32_t rows = result.Rows();
    const int32_t cols = result.Cols();
    std::vector<long double> leftPack(static_cast<std::size_t>(rowBlock + 1) * kBlock * 2);
    std::vector<long double> rightPack(static_cast<std::size_t>(colBlock + 1) * kBlock * 2);
    long double tile[4];
    for (int32_t c0 = 1; c0 <= cols; c0 += colBlock) {
        const int32_t cEnd = std::min(cols, c0 + colBlock - 1);
        for (int32_t k0 = 1; k0 <= inner; k0 += kBlock) {
            const int32_t kc = std::min(kBlock, inner - k0 + 1);
            for (int32_t c = c0; c <= cEnd; c += 2)
                PackRightPanel(right, cols, c, k0, kc,
                    rightPack.data() + static_cast<std::size_t>(c - c0) * kc);
            const int32_t rLimit = upperOnly ? std::min(rows, cEnd) : rows;
            for (int32_t r0 = 1; r0 <= rLimit; r0 += rowBlock) {
                const int32_t rEnd = std::min(rLimit, r0 + rowBlock - 1);
                for (int32_t r = r0; r <= rEnd; r += 2)
                    PackLeftPanel(left, rows, r, k0, kc,
                        leftPack.data() + static_cast<std::size_t>(r - r0) * kc);
                for (int32_t c = c0; c <= cEnd; c += 2) {
                    const long double* b = rightPack.data() + static_cast<std::size_t>(c - c0) * kc;
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
                        Tile2x2(
                            kc, leftPack.data() + static_cast<std::size_t>(r - r0) * kc, b, tile);
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
    if (upperOnly) {
        for (int32_t r = 2; r <= rows; ++r) {
            for (int32_t c = 1; c < r; ++c)
                result(r, c) = result(c, r);
        }
    }
    // A finite element met no overflowing term and no overflowing partial sum (non-finite values
    // absorb), so it equals the specified sum. Any other element is redone term by term.
    for (int32_t r = 1; r <= rows; ++r) {
        long double* row = result.Row(r);
        for (int32_t c = 1; c <= cols; ++c) {
            if (!std::isfinite(row[c]))
                row[c] = upperOnly && c < r ? result(c, r) : ExactElement(left, right, inner, r, c);
        }
    }
}
} // namespace

trealmatrix MatMul(const trealmatrix& a, const trealmatrix& b, int32_t selector)
{
    if (selector != 1 && selector != 2)
        return FailureMatrix();
    const trealmatrix& left = selector == 1 ? a : b;
    const trealmatrix& right = selector == 1 ? b : a;
    if (left.Cols() != right.Rows())
        return FailureMatrix();
    trealmatrix result(left.Rows(), right.Cols());
    Multiply({ &left, false }, { &right, false }, left.Cols(), result, false);
    return result;
}

trealmatrix GramProduct(const trealmatrix& a, int32_t selector)
{
    if (selector != 1 && selector != 2)
        return FailureMatrix();
    const bool rowsGram = selector == 1;
    const int32_t size = rowsGram ? a.Rows() : a.Cols();
    trealmatrix result(size, size);
    Multiply({ &a, !rowsGram }, { &a, rowsGram }, rowsGram ? a.Cols() : a.Rows(), result, true);
    return result;
}

} // namespace zelvora
