// Value frequencies, frequency tables and cross tables.
#include "numerics/frequency_tables.h"

#include "numerics/matrix_size.h"
#include "numerics/statistics_groups.h"

#include <algorithm>
#include <optional>
#include <string>

namespace zelvora {
namespace {

tRealVector RowValues(const trealmatrix& m, int32_t r)
{
    tRealVector v(m.Cols());
    std::copy_n(m.Row(r) + 1, m.Cols(), v.Data() + 1);
    return v;
}

// The position (1-based) of x among the increasing distinct values.
int32_t CategoryOf(const tRealVector& values, long double x)
{
    const auto elements = values.Elements();
    return static_cast<int32_t>(
               std::lower_bound(elements.begin(), elements.end(), x) - elements.begin())
        + 1;
}

// Tables beyond this many cells (half a gigabyte) are refused rather than allocated: a matrix of
// a million distinct measurements would otherwise ask for a table of terabytes.
constexpr int64_t maxTableCells = int64_t { 1 } << 25;

// Empty when a table of rows x cols cells may be made; else why not.
std::optional<tFailure> TableRefused(int64_t rows, int64_t cols)
{
    if (rows * cols <= maxTableCells)
        return std::nullopt;
    return Failure("Die H\xE4ufigkeitstabelle h\xE4tte " + std::to_string(rows) + " x "
        + std::to_string(cols) + " Zellen, zu viele verschiedene Werte");
}

} // namespace

tRealFreq ValueFrequencies(const tRealVector& v)
{
    const tIntvector codes = CategoryCodes(v);
    const int32_t categories = codes.IsAbsent() ? 0 : codes[0];
    tRealFreq freq { tRealVector(categories), tIntvector(categories) };
    for (int32_t i = 1; i <= v.Count(); ++i) {
        const auto code = static_cast<std::size_t>(codes[static_cast<std::size_t>(i)]);
        freq.values[code] = v[static_cast<std::size_t>(i)];
        ++freq.counts[code];
    }
    return freq;
}

tResult<trealmatrix> FrequencyTable(const trealmatrix& m)
{
    tRealVector all(DimensionProduct(m.Rows(), m.Cols()));
    for (int32_t r = 1, next = 0; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            all[static_cast<std::size_t>(++next)] = m(r, c);
    }
    const tRealVector values = ValueFrequencies(all).values;
    if (auto refused = TableRefused(m.Rows() + int64_t { 1 }, values.Count()))
        return *refused;
    trealmatrix table(m.Rows() + 1, values.Count());
    for (int32_t j = 1; j <= values.Count(); ++j)
        table(1, j) = values[static_cast<std::size_t>(j)];
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            table(r + 1, CategoryOf(values, m(r, c))) += 1;
    }
    return table;
}

tResult<trealmatrixarr> CrossTable(const trealmatrix& m)
{
    if (m.Rows() < 2)
        return Failure(1, "");
    const tRealVector rowValues = ValueFrequencies(RowValues(m, 1)).values;
    const tRealVector colValues = ValueFrequencies(RowValues(m, 2)).values;
    if (auto refused = TableRefused(rowValues.Count(), colValues.Count()))
        return *refused;
    trealmatrix cells(rowValues.Count(), colValues.Count());
    for (int32_t c = 1; c <= m.Cols(); ++c)
        cells(CategoryOf(rowValues, m(1, c)), CategoryOf(colValues, m(2, c))) += 1;
    trealmatrix valr(rowValues.Count(), 1);
    for (int32_t i = 1; i <= rowValues.Count(); ++i)
        valr(i, 1) = rowValues[static_cast<std::size_t>(i)];
    trealmatrix valc(1, colValues.Count());
    for (int32_t j = 1; j <= colValues.Count(); ++j)
        valc(1, j) = colValues[static_cast<std::size_t>(j)];
    return trealmatrixarr { std::move(cells), std::move(valr), std::move(valc) };
}

} // namespace zelvora
