// Structure of matrices: transposition, mirroring, diagonals, concatenation, sums and gcds.
#include "numerics/matrix_structure.h"

#include "numerics/matrix_kernels.h"
#include "numerics/scalar_math.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

namespace zelvora {
namespace {
using kernels::NewResult;

// Square blocks keep both the rows read and the rows written in L1.
constexpr int32_t transposeBlock = 16;

template <typename T> tMatrix<T> TransposeOf(const tMatrix<T>& m)
{
    const int32_t rows = m.Rows();
    const int32_t cols = m.Cols();
    tMatrix<T> result = NewResult<T>(cols, rows);
    for (int32_t r0 = 1; r0 <= rows; r0 += transposeBlock) {
        const int32_t rEnd = std::min(rows, r0 + transposeBlock - 1);
        for (int32_t c0 = 1; c0 <= cols; c0 += transposeBlock) {
            const int32_t cEnd = std::min(cols, c0 + transposeBlock - 1);
            for (int32_t c = c0; c <= cEnd; ++c) {
                T* out = result.Row(c);
                for (int32_t r = r0; r <= rEnd; ++r) {
                    // Whole slots move as plain bytes: an 80-bit load and store through the
                    // x87 unit cost several times more than one 16-byte move.
                    if constexpr (std::is_trivially_copyable_v<T>)
                        std::memcpy(out + r, m.Row(r) + c, sizeof(T));
                    else
                        out[r] = m(r, c);
                }
            }
        }
    }
    return result;
}

template <typename T> tMatrix<T> MirrorOf(const tMatrix<T>& m, int32_t kind)
{
    if (kind < 1 || kind > 3)
        return tMatrix<T>(1, 1);
    const bool columns = kind != 2;
    const bool rows = kind != 1;
    tMatrix<T> result = NewResult<T>(m.Rows(), m.Cols());
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        const T* in = m.Row(rows ? m.Rows() + 1 - r : r);
        T* out = result.Row(r);
        for (int32_t c = 1; c <= m.Cols(); ++c)
            out[c] = in[columns ? m.Cols() + 1 - c : c];
    }
    return result;
}

template <typename T> tMatrix<T> DiagonalCopyOf(const tMatrix<T>& m)
{
    const int32_t size = std::min(m.Rows(), m.Cols());
    tMatrix<T> result(size, size);
    for (int32_t i = 1; i <= size; ++i)
        result(i, i) = m(i, i);
    return result;
}

template <typename T> tMatrix<T> ConcatColumnsOf(const tMatrix<T>& a, const tMatrix<T>& b)
{
    if (b.Rows() < a.Rows())
        throw tRangeError();
    const int64_t cols = static_cast<int64_t>(a.Cols()) + b.Cols();
    if (cols > std::numeric_limits<int32_t>::max())
        throw tRangeError();
    tMatrix<T> result = NewResult<T>(a.Rows(), static_cast<int32_t>(cols));
    for (int32_t r = 1; r <= a.Rows(); ++r) {
        T* out = std::copy_n(a.Row(r) + 1, a.Cols(), result.Row(r) + 1);
        std::copy_n(b.Row(r) + 1, b.Cols(), out);
    }
    return result;
}

template <typename T> tMatrix<T> ConcatRowsOf(const tMatrix<T>& a, const tMatrix<T>& b)
{
    if (b.Cols() < a.Cols())
        throw tRangeError();
    const int64_t rows = static_cast<int64_t>(a.Rows()) + b.Rows();
    if (rows > std::numeric_limits<int32_t>::max())
        throw tRangeError();
    tMatrix<T> result = NewResult<T>(static_cast<int32_t>(rows), a.Cols());
    for (int32_t r = 1; r <= a.Rows(); ++r)
        std::copy_n(a.Row(r) + 1, a.Cols(), result.Row(r) + 1);
    for (int32_t r = 1; r <= b.Rows(); ++r)
        std::copy_n(b.Row(r) + 1, a.Cols(), result.Row(a.Rows() + r) + 1);
    return result;
}

// Folds Gcd64 over a sequence of elements until the running value reaches magnitude 1.
class tGcdFold {
public:
    // Takes the next element; false once the fold has stopped.
    bool Take(long double element)
    {
        if (m_done)
            return false;
        const int64_t value = RoundToInt64(element);
        m_value = m_started ? Gcd64(m_value, value) : value;
        m_started = true;
        m_done = m_value == 1 || m_value == -1;
        return !m_done;
    }
    long double Value() const { return static_cast<long double>(m_value); }

private:
    int64_t m_value = 0;
    bool m_started = false;
    bool m_done = false;
};
} // namespace

trealmatrix Transpose(const trealmatrix& m)
{
    return TransposeOf(m);
}
tStringmatrix Transpose(const tStringmatrix& m)
{
    return TransposeOf(m);
}

trealmatrix Mirror(const trealmatrix& m, int32_t kind)
{
    return MirrorOf(m, kind);
}
tStringmatrix Mirror(const tStringmatrix& m, int32_t kind)
{
    return MirrorOf(m, kind);
}

trealmatrix DiagonalCopy(const trealmatrix& m)
{
    return DiagonalCopyOf(m);
}
tStringmatrix DiagonalCopy(const tStringmatrix& m)
{
    return DiagonalCopyOf(m);
}

trealmatrix DiagonalVector(const trealmatrix& m, int32_t offset)
{
    const int64_t distance = std::abs(static_cast<int64_t>(offset));
    const int64_t n = std::max<int64_t>(0, std::min(m.Rows(), m.Cols()) - distance);
    trealmatrix result(static_cast<int32_t>(n), 1);
    for (int32_t i = 1; i <= n; ++i)
        result(i, 1) = offset <= 0 ? m(static_cast<int32_t>(distance) + i, i) : m(i, offset + i);
    return result;
}

trealmatrix DiagonalOfAll(const trealmatrix& m)
{
    const int64_t size = static_cast<int64_t>(m.Rows()) * m.Cols();
    if (size > std::numeric_limits<int32_t>::max())
        throw tRangeError();
    trealmatrix result(static_cast<int32_t>(size), static_cast<int32_t>(size));
    int32_t i = 0;
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c) {
            ++i;
            result(i, i) = m(r, c);
        }
    }
    return result;
}

trealmatrix ConcatColumns(const trealmatrix& a, const trealmatrix& b)
{
    return ConcatColumnsOf(a, b);
}
tStringmatrix ConcatColumns(const tStringmatrix& a, const tStringmatrix& b)
{
    return ConcatColumnsOf(a, b);
}
trealmatrix ConcatRows(const trealmatrix& a, const trealmatrix& b)
{
    return ConcatRowsOf(a, b);
}
tStringmatrix ConcatRows(const tStringmatrix& a, const tStringmatrix& b)
{
    return ConcatRowsOf(a, b);
}

long double MatSum(const trealmatrix& m)
{
    tMathErrorWatch watch;
    long double sum = 0;
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        const long double* row = m.Row(r);
        for (int32_t c = 1; c <= m.Cols(); ++c)
            sum += row[c];
    }
    watch.RaiseIfFaulted();
    return sum;
}

long double MatSquareSum(const trealmatrix& m)
{
    tMathErrorWatch watch;
    long double sum = 0;
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        const long double* row = m.Row(r);
        for (int32_t c = 1; c <= m.Cols(); ++c)
            sum += row[c] * row[c];
    }
    watch.RaiseIfFaulted();
    return sum;
}

trealmatrix GcdMatrix(const trealmatrix& a, const trealmatrix& b, int32_t kind)
{
    switch (kind) {
    case 0: {
        if (a.Dims() != b.Dims())
            break;
        trealmatrix result(a.Rows(), a.Cols());
        for (int32_t r = 1; r <= a.Rows(); ++r) {
            for (int32_t c = 1; c <= a.Cols(); ++c)
                result(r, c)
                    = static_cast<long double>(Gcd64(RoundToInt64(a(r, c)), RoundToInt64(b(r, c))));
        }
        return result;
    }
    case 1: {
        if (a.Rows() != b.Rows())
            break;
        trealmatrix result(a.Rows(), 1);
        for (int32_t r = 1; r <= a.Rows(); ++r) {
            tGcdFold fold;
            for (int32_t c = 1; c <= a.Cols() && fold.Take(a(r, c)); ++c) { }
            for (int32_t c = 1; c <= b.Cols() && fold.Take(b(r, c)); ++c) { }
            result(r, 1) = fold.Value();
        }
        return result;
    }
    case 2: {
        if (a.Cols() != b.Cols())
            break;
        trealmatrix result(1, a.Cols());
        for (int32_t c = 1; c <= a.Cols(); ++c) {
            tGcdFold fold;
            for (int32_t r = 1; r <= a.Rows() && fold.Take(a(r, c)); ++r) { }
            for (int32_t r = 1; r <= b.Rows() && fold.Take(b(r, c)); ++r) { }
            result(1, c) = fold.Value();
        }
        return result;
    }
    case 3: {
        tGcdFold fold;
        bool going = true;
        for (const trealmatrix* m : { &a, &b }) {
            for (int32_t r = 1; r <= m->Rows() && going; ++r) {
                for (int32_t c = 1; c <= m->Cols() && going; ++c)
                    going = fold.Take((*m)(r, c));
            }
        }
        trealmatrix result(1, 1);
        result(1, 1) = fold.Value();
        return result;
    }
    default:
        break;
    }
    trealmatrix failure(1, 1);
    return failure;
}

} // namespace zelvora
