// Percentile classes and normal scores.
#include "numerics/percentiles.h"

#include "numerics/library_state.h"
#include "numerics/matrix_structure.h"
#include "numerics/missing_values.h"
#include "numerics/reordering.h"
#include "numerics/scalar_math.h"
#include "numerics/sorting.h"
#include "numerics/statistics_groups.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace zelvora {
namespace {

constexpr int32_t nodeCount = 1001;
constexpr int32_t centreNode = 501;
constexpr long double nodeStep = 0.005L;

long double NodeValue(int32_t i)
{
    return (i - centreNode) * nodeStep;
}

// The tabulated distribution T_1..T_1001, built on first use.
const std::array<long double, nodeCount + 1>& NormalTable()
{
    static const std::array<long double, nodeCount + 1> table = [] {
        std::array<long double, nodeCount + 1> t {};
        const long double norm = std::sqrt(2 * std::numbers::pi_v<long double>);
        long double running = 0;
        for (int32_t i = 1; i <= nodeCount; ++i) {
            const long double z = NodeValue(i);
            running += std::exp(-z * z / 2) / norm;
            t[static_cast<std::size_t>(i)] = running;
        }
        const long double total = t[nodeCount];
        for (int32_t i = 1; i <= nodeCount; ++i)
            t[static_cast<std::size_t>(i)] /= total;
        return t;
    }();
    return table;
}

// The row algorithm of PercentileClasses on `work`, whose columns carry the given group codes.
void ClassifyRows(trealmatrix& work, long double classes, const tIntvector& codes)
{
    const int32_t cols = work.Cols();
    const auto groups = static_cast<std::size_t>(codes[0]);
    std::vector<std::vector<int32_t>> members(groups);
    tRealVector row(cols);
    for (int32_t r = 1; r <= work.Rows(); ++r) {
        long double* values = work.Row(r);
        std::copy_n(values + 1, cols, row.Data() + 1);
        const tIntvector order = IndexSortReal(row);
        for (auto& list : members)
            list.clear();
        for (int32_t i = 1; i <= cols; ++i) {
            const int32_t position = order[static_cast<std::size_t>(i)];
            // A missing cell keeps its place and is not counted among its group's values.
            if (row[static_cast<std::size_t>(position)] != MissingNumber)
                members[static_cast<std::size_t>(codes[position] - 1)].push_back(position);
        }
        for (const std::vector<int32_t>& list : members) {
            const auto total = static_cast<long double>(list.size());
            std::size_t first = 0;
            while (first < list.size()) {
                const long double x = row[static_cast<std::size_t>(list[first])];
                std::size_t last = first + 1;
                while (last < list.size() && row[static_cast<std::size_t>(list[last])] == x)
                    ++last;
                const auto atMost = static_cast<long double>(last);
                const auto equal = static_cast<long double>(last - first);
                const long double cls = std::trunc((atMost - equal / 2) * classes / total) + 1;
                for (std::size_t k = first; k < last; ++k)
                    values[list[k]] = cls;
                first = last;
            }
        }
    }
}

// The row algorithm of NormalScores on `work`.
void ScoreRows(trealmatrix& work)
{
    std::vector<std::pair<long double, int32_t>> present;
    for (int32_t r = 1; r <= work.Rows(); ++r) {
        long double* values = work.Row(r);
        present.clear();
        for (int32_t c = 1; c <= work.Cols(); ++c) {
            if (values[c] != MissingCode && values[c] != MissingNumber)
                present.emplace_back(values[c], c);
        }
        std::sort(present.begin(), present.end(), [](const auto& a, const auto& b) {
            return a.first < b.first || (std::isnan(b.first) && !std::isnan(a.first));
        });
        const auto total = static_cast<long double>(present.size());
        std::size_t first = 0;
        while (first < present.size()) {
            std::size_t last = first + 1;
            while (last < present.size() && present[last].first == present[first].first)
                ++last;
            const long double score = NormalQuantile(static_cast<long double>(last) / total);
            for (std::size_t k = first; k < last; ++k)
                values[present[k].second] = score;
            first = last;
        }
    }
}

} // namespace

tResult<trealmatrix> PercentileClasses(
    const trealmatrix& m, int32_t classes, int32_t direction, const trealmatrix& groups)
{
    tMathErrorWatch watch;
    tResult<trealmatrix> result = TransformAlong(m, direction, groups, groups,
        [&](trealmatrix& work, const tIntvector& codes) { ClassifyRows(work, classes, codes); });
    watch.RaiseIfFaulted();
    return result;
}

long double NormalQuantile(long double share)
{
    const auto& t = NormalTable();
    int32_t a = nodeCount;
    int32_t b = centreNode;
    int32_t c = 1;
    while (c + 1 < a) {
        if (share >= t[static_cast<std::size_t>(b)]) {
            if (share == t[static_cast<std::size_t>(b)])
                break;
            c = b;
            b = (a + b) / 2;
        } else {
            a = b;
            b = (b + c) / 2;
        }
    }
    return NodeValue(b);
}

tResult<trealmatrix> NormalScores(const trealmatrix& m, std::string_view type, int32_t direction)
{
    if (direction < 1 || direction > 3)
        return Failure(1, "");
    if (type.empty() || (type[0] != 'Z' && type[0] != 'z'))
        return m;
    if (direction == 2) {
        trealmatrix work = Transpose(m);
        ScoreRows(work);
        return Transpose(work);
    }
    trealmatrix work = m;
    ScoreRows(work);
    return work;
}

} // namespace zelvora
