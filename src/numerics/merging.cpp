// Merging, inserting, column merges and the elementwise choice.
#include "numerics/merging.h"

#include "numerics/sorting.h"

#include <algorithm>
#include <initializer_list>

namespace zelvora {
namespace {

constexpr int32_t misfitCode = 1;
constexpr int32_t incompatibleCode = 11;
constexpr const char* incompatibleMessage = "Dimensionen inkompatibel";

tFailure Misfit()
{
    return Failure(misfitCode, "");
}

// Inserting positions: 0 counts as 1, -1 and anything past the end as just after it.
int32_t InsertPosition(int32_t position, int32_t size)
{
    if (position == 0)
        return 1;
    if (position == -1 || position > size + 1)
        return size + 1;
    return position;
}

// Copies rows [fromRow, fromRow + count) and columns [fromCol, fromCol + width) of source into
// target at (toRow, toCol).
void CopyBlock(const trealmatrix& source, int32_t fromRow, int32_t fromCol, int32_t count,
    int32_t width, trealmatrix& target, int32_t toRow, int32_t toCol)
{
    if (width <= 0)
        return;
    for (int32_t i = 0; i < count; ++i)
        std::copy_n(source.Row(fromRow + i) + fromCol, width, target.Row(toRow + i) + toCol);
}

} // namespace

tResult<trealmatrix> MergeInto(const trealmatrix& m1, const trealmatrix& m2, int32_t r, int32_t c)
{
    const auto [rows1, cols1] = m1.Dims();
    const auto [rows2, cols2] = m2.Dims();
    const bool fits = r >= 1 && r <= rows1 && c >= 1 && c <= cols1
        && static_cast<int64_t>(r) + rows2 - 1 <= rows1
        && static_cast<int64_t>(c) + cols2 - 1 <= cols1;
    if (!fits)
        return Misfit();
    trealmatrix result = m1;
    CopyBlock(m2, 1, 1, rows2, cols2, result, r, c);
    return result;
}

tResult<trealmatrix> MergeDiagonal(const trealmatrix& m1, const trealmatrix& m2)
{
    if (m1.Dims() != m2.Dims() || m1.Rows() != m1.Cols())
        return Misfit();
    trealmatrix result = m1;
    for (int32_t i = 1; i <= m1.Rows(); ++i)
        result(i, i) = m2(i, i);
    return result;
}

tResult<trealmatrix> InsertInto(
    const trealmatrix& m1, const trealmatrix& m2, int32_t r, int32_t c, tInsertMode mode)
{
    const auto [rows1, cols1] = m1.Dims();
    const auto [rows2, cols2] = m2.Dims();
    r = InsertPosition(r, rows1);
    c = InsertPosition(c, cols1);
    if (r < 1 || r > rows1 + 1 || c < 1 || c > cols1 + 1)
        return Misfit();
    switch (mode) {
    case tInsertMode::Columns: {
        trealmatrix result(rows1, cols1 + cols2);
        const int32_t shared = std::min(rows1, rows2);
        CopyBlock(m1, 1, 1, rows1, c - 1, result, 1, 1);
        CopyBlock(m2, 1, 1, shared, cols2, result, 1, c);
        CopyBlock(m1, 1, c, rows1, cols1 - c + 1, result, 1, c + cols2);
        return result;
    }
    case tInsertMode::Rows: {
        trealmatrix result(rows1 + rows2, cols1);
        const int32_t shared = std::min(cols1, cols2);
        CopyBlock(m1, 1, 1, r - 1, cols1, result, 1, 1);
        CopyBlock(m2, 1, 1, rows2, shared, result, r, 1);
        CopyBlock(m1, r, 1, rows1 - r + 1, cols1, result, r + rows2, 1);
        return result;
    }
    case tInsertMode::Block: {
        trealmatrix result(rows1 + rows2, cols1 + cols2);
        const int32_t upper = r - 1;
        const int32_t lower = rows1 - r + 1;
        const int32_t left = c - 1;
        const int32_t right = cols1 - c + 1;
        CopyBlock(m1, 1, 1, upper, left, result, 1, 1);
        CopyBlock(m1, 1, c, upper, right, result, 1, c + cols2);
        CopyBlock(m1, r, 1, lower, left, result, r + rows2, 1);
        CopyBlock(m1, r, c, lower, right, result, r + rows2, c + cols2);
        CopyBlock(m2, 1, 1, rows2, cols2, result, r, c);
        return result;
    }
    }
    return Misfit();
}

trealmatrix MergeIndexedColumns(const trealmatrix& m1, const trealmatrix& m2, const tIntvector& v)
{
    trealmatrix result = m1;
    const bool oneRow = m2.Rows() == 1;
    if ((m2.Rows() != m1.Rows() && !oneRow) || m2.Cols() == 0)
        return result;
    for (int32_t i = 1; i <= v.Count(); ++i) {
        const int32_t target = v[static_cast<std::size_t>(i)];
        const int32_t source = std::min(i, m2.Cols());
        if (target < 1 || target > m1.Cols())
            continue;
        for (int32_t j = 1; j <= m1.Rows(); ++j)
            result(j, target) = m2(oneRow ? 1 : j, source);
    }
    return result;
}

trealmatrix MergeMatchingColumns(
    const trealmatrix& m1, const trealmatrix& m2, const trealmatrix& k1, const trealmatrix& k2)
{
    trealmatrix result = m1;
    const tintmatrix matches = MatchKeys(k1, k2);
    if (matches.Cols() > 0 && m2.Rows() < m1.Rows())
        throw tRangeError();
    for (int32_t p = 1; p <= matches.Cols(); ++p) {
        const int32_t target = matches(1, p);
        const int32_t source = matches(2, p);
        if (target > m1.Cols() || source > m2.Cols())
            throw tRangeError();
        for (int32_t j = 1; j <= m1.Rows(); ++j)
            result(j, target) = m2(j, source);
    }
    return result;
}

tResult<trealmatrix> ElementwiseSelect(
    const trealmatrix& c, const trealmatrix& a, const trealmatrix& b)
{
    const int32_t rows = std::max({ c.Rows(), a.Rows(), b.Rows() });
    const int32_t cols = std::max({ c.Cols(), a.Cols(), b.Cols() });
    auto fits = [&](const trealmatrix& m) {
        return (m.Rows() == rows || m.Rows() == 1) && (m.Cols() == cols || m.Cols() == 1);
    };
    if (!fits(c) || !fits(a) || !fits(b))
        return Failure(incompatibleCode, incompatibleMessage);
    trealmatrix result(rows, cols);
    // Reads row 1 (column 1) of an operand that has only one.
    auto at = [](const trealmatrix& m, int32_t i, int32_t j) {
        return m(m.Rows() == 1 ? 1 : i, m.Cols() == 1 ? 1 : j);
    };
    for (int32_t i = 1; i <= rows; ++i) {
        for (int32_t j = 1; j <= cols; ++j)
            result(i, j) = at(c, i, j) == 1 ? at(a, i, j) : at(b, i, j);
    }
    return result;
}

} // namespace zelvora
