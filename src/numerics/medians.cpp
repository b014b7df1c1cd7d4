// Medians of groups and frequency tables.
#include "numerics/medians.h"

#include "numerics/missing_values.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"
#include "numerics/statistics_groups.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zelvora {
namespace {

// Ascending order that stays a strict weak order should a NaN turn up (it goes last).
bool Ascending(long double a, long double b)
{
    return a < b || (std::isnan(b) && !std::isnan(a));
}

// The median of a bag of values (sorted in place); missing when the bag holds a missing cell.
long double MedianOfBag(std::vector<long double>& bag, tMedianKind kind)
{
    if (std::ranges::find(bag, MissingNumber) != bag.end())
        return MissingNumber;
    std::sort(bag.begin(), bag.end(), Ascending);
    std::vector<long double> values;
    std::vector<long double> counts;
    for (std::size_t i = 0; i < bag.size(); ++i) {
        if (i == 0 || bag[i] != bag[i - 1]) {
            values.push_back(bag[i]);
            counts.push_back(0);
        }
        counts.back() += 1;
    }
    return MedianOfDistinct(values, counts, kind);
}

// The median of (category, count) pairs: counts <= 0 left out, equal categories pooled.
long double MedianOfTable(std::vector<std::pair<long double, long double>>& table, tMedianKind kind)
{
    std::sort(table.begin(), table.end(),
        [](const auto& a, const auto& b) { return Ascending(a.first, b.first); });
    std::vector<long double> values;
    std::vector<long double> counts;
    for (const auto& [category, count] : table) {
        if (!(count > 0))
            continue;
        if (values.empty() || values.back() != category) {
            values.push_back(category);
            counts.push_back(0);
        }
        counts.back() += count;
    }
    return MedianOfDistinct(values, counts, kind);
}

// The category values for `count` positions: row 1 (direction 1) or column 1 (direction 2) of
// the categories matrix, or 1, 2, ... without one.
std::vector<long double> CategoryValues(
    const trealmatrix& categories, int32_t direction, int32_t count)
{
    std::vector<long double> values(static_cast<std::size_t>(count));
    if (categories.IsAbsent()) {
        for (int32_t k = 1; k <= count; ++k)
            values[static_cast<std::size_t>(k - 1)] = k;
        return values;
    }
    const bool byRow = direction != 2;
    const int32_t available = byRow ? (categories.Rows() > 0 ? categories.Cols() : 0)
                                    : (categories.Cols() > 0 ? categories.Rows() : 0);
    if (available < count)
        throw tRangeError();
    for (int32_t k = 1; k <= count; ++k)
        values[static_cast<std::size_t>(k - 1)] = byRow ? categories(1, k) : categories(k, 1);
    return values;
}

} // namespace

long double MedianOfDistinct(const std::vector<long double>& values,
    const std::vector<long double>& counts, tMedianKind kind)
{
    const std::size_t m = values.size();
    if (m == 0)
        return 0;
    long double n = 0;
    for (long double count : counts)
        n += count;
    std::size_t start = 0;
    if (values[0] == MissingCode) {
        if (m == 1)
            return MissingCode;
        if (m == 2)
            return values[1];
        n -= counts[0];
        start = 1;
    } else if (m == 1) {
        return values[0];
    }
    const long double p = kind == tMedianKind::Plain ? (n - 1) / 2 : n / 2;
    long double running = 0;
    for (std::size_t j = start; j < m; ++j) {
        const long double before = running;
        running += counts[j];
        if (running > p) {
            const long double next = j + 1 < m ? values[j + 1] : values[j];
            return values[j] + (p - before) * (next - values[j]) / counts[j];
        }
    }
    return values[m - 1];
}

tResult<trealmatrix> MedianOf(
    const trealmatrix& m, int32_t direction, const trealmatrix& groups, tMedianKind kind)
{
    const auto [rows, cols] = m.Dims();
    tMathErrorWatch watch;
    trealmatrix result;
    std::vector<std::vector<long double>> bags;
    if (direction == 1 || direction == 2) {
        const bool alongRows = direction == 1;
        const tIntvector codes = GroupCodes(groups, direction, alongRows ? cols : rows);
        const int32_t k = codes[0];
        const int32_t lines = alongRows ? rows : cols;
        const int32_t length = alongRows ? cols : rows;
        result = alongRows ? trealmatrix(rows, k) : trealmatrix(k, cols);
        for (int32_t line = 1; line <= lines; ++line) {
            bags.assign(static_cast<std::size_t>(k), {});
            for (int32_t i = 1; i <= length; ++i)
                bags[static_cast<std::size_t>(codes[i] - 1)].push_back(
                    alongRows ? m(line, i) : m(i, line));
            for (int32_t g = 1; g <= k; ++g) {
                const long double median = MedianOfBag(bags[static_cast<std::size_t>(g - 1)], kind);
                (alongRows ? result(line, g) : result(g, line)) = median;
            }
        }
    } else if (direction == 3) {
        std::vector<long double> bag;
        bag.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
        for (int32_t r = 1; r <= rows; ++r)
            bag.insert(bag.end(), m.Row(r) + 1, m.Row(r) + 1 + cols);
        result = trealmatrix(1, 1);
        result(1, 1) = MedianOfBag(bag, kind);
    } else {
        return Failure(1, "");
    }
    watch.RaiseIfFaulted();
    return result;
}

tResult<trealmatrix> TabMedian(
    const trealmatrix& m, int32_t direction, const trealmatrix& categories, tMedianKind kind)
{
    const auto [rows, cols] = m.Dims();
    if (direction < 1 || direction > 3)
        return Failure(1, "");
    const bool perColumn = direction == 2;
    const std::vector<long double> values
        = CategoryValues(categories, direction, perColumn ? rows : cols);
    tMathErrorWatch watch;
    std::vector<std::pair<long double, long double>> table;
    trealmatrix result;
    if (direction == 3) {
        for (int32_t c = 1; c <= cols; ++c) {
            long double pooled = 0;
            for (int32_t r = 1; r <= rows; ++r)
                pooled += m(r, c);
            table.emplace_back(values[static_cast<std::size_t>(c - 1)], pooled);
        }
        result = trealmatrix(1, 1);
        result(1, 1) = MedianOfTable(table, kind);
    } else {
        const int32_t lines = perColumn ? cols : rows;
        const int32_t length = perColumn ? rows : cols;
        result = perColumn ? trealmatrix(1, cols) : trealmatrix(rows, 1);
        for (int32_t line = 1; line <= lines; ++line) {
            table.clear();
            for (int32_t i = 1; i <= length; ++i)
                table.emplace_back(
                    values[static_cast<std::size_t>(i - 1)], perColumn ? m(i, line) : m(line, i));
            (perColumn ? result(1, line) : result(line, 1)) = MedianOfTable(table, kind);
        }
    }
    watch.RaiseIfFaulted();
    return result;
}

} // namespace zelvora
