// Submatrices by deletion, index lists, ranges and blocks.
#include "numerics/submatrices.h"

#include "numerics/scalar_math.h"

#include <algorithm>
#include <vector>

namespace zelvora {
namespace {

// The entries of list inside 1..limit, in list order.
std::vector<int32_t> ValidEntries(const tIntvector& list, int32_t limit)
{
    std::vector<int32_t> valid;
    valid.reserve(static_cast<std::size_t>(list.Count()));
    for (int32_t k : list.Elements()) {
        if (k >= 1 && k <= limit)
            valid.push_back(k);
    }
    return valid;
}

// The numbers 1..limit that the list does not name (all of them for a missing list).
std::vector<int32_t> Remaining(const tIntvector& list, int32_t limit)
{
    std::vector<bool> keep(static_cast<std::size_t>(limit) + 1, true);
    for (int32_t k : list.Elements()) {
        if (k >= 1 && k <= limit)
            keep[static_cast<std::size_t>(k)] = false;
    }
    std::vector<int32_t> kept;
    for (int32_t k = 1; k <= limit; ++k) {
        if (keep[static_cast<std::size_t>(k)])
            kept.push_back(k);
    }
    return kept;
}

std::vector<int32_t> AllUpTo(int32_t limit)
{
    std::vector<int32_t> all(static_cast<std::size_t>(std::max(limit, 0)));
    for (int32_t k = 1; k <= limit; ++k)
        all[static_cast<std::size_t>(k - 1)] = k;
    return all;
}

// The rows and columns of M named by two lists of valid numbers, in their order.
template <typename T>
tMatrix<T> Gather(
    const tMatrix<T>& m, const std::vector<int32_t>& rows, const std::vector<int32_t>& cols)
{
    tMatrix<T> result(static_cast<int32_t>(rows.size()), static_cast<int32_t>(cols.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const T* in = m.Row(rows[i]);
        T* out = result.Row(static_cast<int32_t>(i) + 1);
        for (std::size_t j = 0; j < cols.size(); ++j)
            out[j + 1] = in[cols[j]];
    }
    return result;
}

template <typename T> tMatrix<T> SelectRowsOf(const tMatrix<T>& m, const tIntvector& list)
{
    if (list.IsAbsent())
        return m;
    return Gather(m, ValidEntries(list, m.Rows()), AllUpTo(m.Cols()));
}

template <typename T> tMatrix<T> SelectColumnsOf(const tMatrix<T>& m, const tIntvector& list)
{
    if (list.IsAbsent())
        return m;
    return Gather(m, AllUpTo(m.Rows()), ValidEntries(list, m.Cols()));
}

// first .. min(last, limit); a non-empty range must start at 1 or later.
std::vector<int32_t> RangeOf(int32_t first, int32_t last, int32_t limit)
{
    const int32_t end = std::min(last, limit);
    if (first > end)
        return {};
    if (first < 1)
        throw tRangeError();
    std::vector<int32_t> range(static_cast<std::size_t>(end - first) + 1);
    for (int32_t k = first; k <= end; ++k)
        range[static_cast<std::size_t>(k - first)] = k;
    return range;
}

int32_t BlockBound(const trealmatrix& block, int32_t r, int32_t c)
{
    return r <= block.Rows() && c <= block.Cols() ? RoundToInt32(block(r, c)) : 1;
}

} // namespace

trealmatrix MinorOf(const trealmatrix& m, const tIntvector& rows, const tIntvector& cols)
{
    return Gather(m, Remaining(rows, m.Rows()), Remaining(cols, m.Cols()));
}

trealmatrix SelectRows(const trealmatrix& m, const tIntvector& list)
{
    return SelectRowsOf(m, list);
}
tStringmatrix SelectRows(const tStringmatrix& m, const tIntvector& list)
{
    return SelectRowsOf(m, list);
}
trealmatrix SelectColumns(const trealmatrix& m, const tIntvector& list)
{
    return SelectColumnsOf(m, list);
}
tStringmatrix SelectColumns(const tStringmatrix& m, const tIntvector& list)
{
    return SelectColumnsOf(m, list);
}

trealmatrix SelectRowRange(const trealmatrix& m, int32_t first, int32_t last)
{
    return Gather(m, RangeOf(first, last, m.Rows()), AllUpTo(m.Cols()));
}

trealmatrix SelectColumnRange(const trealmatrix& m, int32_t first, int32_t last)
{
    return Gather(m, AllUpTo(m.Rows()), RangeOf(first, last, m.Cols()));
}

trealmatrix SelectBlock(const trealmatrix& m, const trealmatrix& block)
{
    const trealmatrix columns
        = SelectColumnRange(m, BlockBound(block, 2, 1), BlockBound(block, 2, 2));
    return SelectRowRange(columns, BlockBound(block, 1, 1), BlockBound(block, 1, 2));
}

} // namespace zelvora
