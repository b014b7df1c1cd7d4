// Contingency-table statistics.
#include "numerics/contingency.h"

#include "numerics/missing_values.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace zelvora {
namespace {

// The failure for the first missing cell of the table, row by row.
std::optional<tFailure> MissingCount(const trealmatrix& table)
{
    for (int32_t r = 1; r <= table.Rows(); ++r) {
        for (int32_t c = 1; c <= table.Cols(); ++c) {
            if (table(r, c) == MissingNumber)
                return Failure("die Kreuztabelle hat einen fehlenden Wert in Zeile "
                    + std::to_string(r) + ", Spalte " + std::to_string(c));
        }
    }
    return std::nullopt;
}

// Expected counts with the table's total; plain arithmetic whose faults the caller watches.
trealmatrix ExpectedWithTotal(const trealmatrix& table, long double* total)
{
    const auto [rows, cols] = table.Dims();
    std::vector<long double> rowSums(static_cast<std::size_t>(rows) + 1, 0);
    std::vector<long double> colSums(static_cast<std::size_t>(cols) + 1, 0);
    *total = 0;
    for (int32_t r = 1; r <= rows; ++r) {
        const long double* row = table.Row(r);
        for (int32_t c = 1; c <= cols; ++c) {
            rowSums[static_cast<std::size_t>(r)] += row[c];
            colSums[static_cast<std::size_t>(c)] += row[c];
            *total += row[c];
        }
    }
    trealmatrix expected(rows, cols);
    if (*total == 0)
        return expected;
    for (int32_t r = 1; r <= rows; ++r) {
        for (int32_t c = 1; c <= cols; ++c)
            expected(r, c) = rowSums[static_cast<std::size_t>(r)]
                * colSums[static_cast<std::size_t>(c)] / *total;
    }
    return expected;
}

// The chi-square parts; a plain step that overflows raises its run-time error, the quotients
// fall back to 0 through SafeDiv.
trealmatrix PartsOf(const trealmatrix& table, long double* total)
{
    trealmatrix parts;
    {
        tMathErrorWatch watch;
        parts = ExpectedWithTotal(table, total);
        watch.RaiseIfFaulted();
    }
    for (int32_t r = 1; r <= table.Rows(); ++r) {
        for (int32_t c = 1; c <= table.Cols(); ++c) {
            const long double e = parts(r, c);
            const long double d = table(r, c) - e;
            const long double square = d * d;
            if (!std::isfinite(square))
                throw tFloatOverflowError();
            parts(r, c) = SafeDiv(square, e, 0);
        }
    }
    return parts;
}

// The chi-square statistic and the table's total; a sum that overflows raises.
long double StatisticOf(const trealmatrix& table, long double* total)
{
    const trealmatrix parts = PartsOf(table, total);
    long double sum = 0;
    for (int32_t r = 1; r <= parts.Rows(); ++r) {
        for (int32_t c = 1; c <= parts.Cols(); ++c)
            sum += parts(r, c);
    }
    if (!std::isfinite(sum))
        throw tFloatOverflowError();
    return sum;
}

} // namespace

tResult<trealmatrix> ExpectedCounts(const trealmatrix& table)
{
    if (auto missing = MissingCount(table))
        return *missing;
    tMathErrorWatch watch;
    long double total = 0;
    trealmatrix expected = ExpectedWithTotal(table, &total);
    watch.RaiseIfFaulted();
    return expected;
}

tResult<trealmatrix> ErwAbw(const trealmatrix& table)
{
    if (auto missing = MissingCount(table))
        return *missing;
    tMathErrorWatch watch;
    long double total = 0;
    trealmatrix result = ExpectedWithTotal(table, &total);
    for (int32_t r = 1; r <= table.Rows(); ++r) {
        for (int32_t c = 1; c <= table.Cols(); ++c)
            result(r, c) = table(r, c) - result(r, c);
    }
    watch.RaiseIfFaulted();
    return result;
}

tResult<trealmatrix> ChiSquareParts(const trealmatrix& table)
{
    if (auto missing = MissingCount(table))
        return *missing;
    long double total = 0;
    return PartsOf(table, &total);
}

tResult<long double> ChiSquareStatistic(const trealmatrix& table)
{
    if (auto missing = MissingCount(table))
        return *missing;
    long double total = 0;
    try {
        return StatisticOf(table, &total);
    } catch (const tRunTimeError&) {
        return 0.0L;
    }
}

tResult<long double> CramersV(const trealmatrix& table)
{
    if (auto missing = MissingCount(table))
        return *missing;
    if (table.Rows() < 2 || table.Cols() < 2)
        return 0.0L;
    long double total = 0;
    long double chi = 0;
    try {
        chi = StatisticOf(table, &total);
    } catch (const tRunTimeError&) {
        return 0.0L;
    }
    const int32_t smaller = std::min(table.Rows(), table.Cols());
    const long double denominator = total * (smaller - 1);
    const long double ratio = SafeDiv(chi, denominator, 0);
    return ratio > 0 ? std::sqrt(ratio) : 0.0L;
}

} // namespace zelvora
