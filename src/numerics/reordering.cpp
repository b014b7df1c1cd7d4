// Rolling, reshaping, indexing and reordering.
#include "numerics/reordering.h"

#include "numerics/scalar_math.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zelvora {
namespace {

template <typename T> tMatrix<T> RollRowsOf(const tMatrix<T>& m, int32_t n)
{
    const int32_t rows = m.Rows();
    if (rows == 0)
        return m;
    const int64_t shift = n == 0 ? rows : n;
    tMatrix<T> result(rows, m.Cols());
    for (int32_t i = 1; i <= rows; ++i) {
        int64_t source = (i - 1 + shift) % rows;
        if (source < 0)
            source += rows;
        std::copy_n(m.Row(static_cast<int32_t>(source) + 1) + 1, m.Cols(), result.Row(i) + 1);
    }
    return result;
}

int32_t ElementCount(tMatDims dims)
{
    const int64_t count = static_cast<int64_t>(dims.rows) * dims.cols;
    if (count > std::numeric_limits<int32_t>::max())
        throw tRangeError();
    return static_cast<int32_t>(count);
}

template <typename T>
tResult<tMatrix<T>> ReshapeRowsOf(const tMatrix<T>& m, int32_t rows, int32_t cols)
{
    if (rows < 0 || cols < 0)
        return Failure(1, "");
    const int32_t count = ElementCount(m.Dims());
    if (rows == 0)
        rows = 1;
    if (cols == 0)
        cols = count;
    tMatrix<T> result(rows, cols);
    // Walks the source row by row and the target row by row in step.
    int32_t targetRow = 1;
    int32_t targetCol = 1;
    for (int32_t r = 1; r <= m.Rows() && targetRow <= rows; ++r) {
        for (int32_t c = 1; c <= m.Cols() && targetRow <= rows; ++c) {
            result(targetRow, targetCol) = m(r, c);
            if (++targetCol > cols) {
                targetCol = 1;
                ++targetRow;
            }
        }
    }
    return result;
}

template <typename T> tMatrix<T> IndexColumnsOf(const tMatrix<T>& m, const tIntvector& v)
{
    const int32_t n = v.Count();
    tMatrix<T> result(m.Rows(), n);
    for (int32_t j = 1; j <= m.Rows(); ++j) {
        const T* in = m.Row(j);
        T* out = result.Row(j);
        for (int32_t k = 1; k <= n; ++k) {
            const int32_t source = v[static_cast<std::size_t>(k)];
            if (source >= 1 && source <= m.Cols())
                out[k] = in[source];
        }
    }
    return result;
}

template <typename T> tMatrix<T> IndexColumnsByMatrixOf(const tMatrix<T>& m, const trealmatrix& im)
{
    const bool perRow = im.Rows() == m.Rows();
    tMatrix<T> result(m.Rows(), im.Cols());
    if (im.Cols() == 0 || m.Rows() == 0)
        return result;
    if (!perRow && im.Rows() == 0)
        throw tRangeError();
    for (int32_t i = 1; i <= m.Rows(); ++i) {
        const long double* indices = im.Row(perRow ? i : 1);
        for (int32_t k = 1; k <= im.Cols(); ++k) {
            int64_t source = 0;
            if (TryRoundToInt64(indices[k], &source) && source >= 1 && source <= m.Cols())
                result(i, k) = m(i, static_cast<int32_t>(source));
        }
    }
    return result;
}

template <typename T> tMatrix<T> ReorderColumnsOf(const tMatrix<T>& m, const tIntvector& list)
{
    const tIntvector order = CompleteOrder(m.Cols(), list);
    return IndexColumnsOf(m, order);
}

template <typename T> tMatrix<T> ReorderRowsOf(const tMatrix<T>& m, const tIntvector& list)
{
    const tIntvector order = CompleteOrder(m.Rows(), list);
    tMatrix<T> result(m.Rows(), m.Cols());
    for (int32_t i = 1; i <= m.Rows(); ++i)
        std::copy_n(m.Row(order[static_cast<std::size_t>(i)]) + 1, m.Cols(), result.Row(i) + 1);
    return result;
}

} // namespace

trealmatrix RollRows(const trealmatrix& m, int32_t n)
{
    return RollRowsOf(m, n);
}
tStringmatrix RollRows(const tStringmatrix& m, int32_t n)
{
    return RollRowsOf(m, n);
}

trealmatrix FlattenRows(const trealmatrix& m)
{
    return ReshapeRowsOf(m, 1, ElementCount(m.Dims())).Value();
}

tResult<trealmatrix> ReshapeRows(const trealmatrix& m, int32_t rows, int32_t cols)
{
    return ReshapeRowsOf(m, rows, cols);
}
tResult<tStringmatrix> ReshapeRows(const tStringmatrix& m, int32_t rows, int32_t cols)
{
    return ReshapeRowsOf(m, rows, cols);
}

trealmatrix IndexColumns(const trealmatrix& m, const tIntvector& v)
{
    return IndexColumnsOf(m, v);
}
tStringmatrix IndexColumns(const tStringmatrix& m, const tIntvector& v)
{
    return IndexColumnsOf(m, v);
}

trealmatrix IndexColumnsByMatrix(const trealmatrix& m, const trealmatrix& im)
{
    return IndexColumnsByMatrixOf(m, im);
}
tStringmatrix IndexColumnsByMatrix(const tStringmatrix& m, const trealmatrix& im)
{
    return IndexColumnsByMatrixOf(m, im);
}

tIntvector CompleteOrder(int32_t n, const tIntvector& list)
{
    n = std::max(n, 0);
    tIntvector place(n);
    int32_t counter = 0;
    const int32_t read = std::min(list.Count(), n);
    for (int32_t e = 1; e <= read; ++e) {
        const int32_t k = list[static_cast<std::size_t>(e)];
        if (k >= 1 && k <= n && place[static_cast<std::size_t>(k)] == 0)
            place[static_cast<std::size_t>(k)] = ++counter;
    }
    for (int32_t k = 1; k <= n; ++k) {
        if (place[static_cast<std::size_t>(k)] == 0)
            place[static_cast<std::size_t>(k)] = ++counter;
    }
    tIntvector order(n);
    for (int32_t k = 1; k <= n; ++k)
        order[static_cast<std::size_t>(place[static_cast<std::size_t>(k)])] = k;
    return order;
}

trealmatrix ReorderColumns(const trealmatrix& m, const tIntvector& list)
{
    return ReorderColumnsOf(m, list);
}
tStringmatrix ReorderColumns(const tStringmatrix& m, const tIntvector& list)
{
    return ReorderColumnsOf(m, list);
}
trealmatrix ReorderRows(const trealmatrix& m, const tIntvector& list)
{
    return ReorderRowsOf(m, list);
}
tStringmatrix ReorderRows(const tStringmatrix& m, const tIntvector& list)
{
    return ReorderRowsOf(m, list);
}

} // namespace zelvora
