// Range marks, positions in range and missing values replaced by means.
#include "numerics/range_marks.h"

#include "numerics/library_state.h"
#include "numerics/matrix_structure.h"
#include "numerics/missing_values.h"
#include "numerics/reordering.h"
#include "numerics/scalar_math.h"
#include "numerics/statistics_groups.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

namespace zelvora {
namespace {

// x rounded to double precision; beyond the double range it becomes an infinity of its sign
// without raising an overflow, so that a huge value is merely out of every finite range.
double ToDouble(long double x)
{
    if (std::fabs(x) > DBL_MAX)
        return std::signbit(x) ? -HUGE_VAL : HUGE_VAL;
    return static_cast<double>(x);
}

struct tPartialMean {
    int64_t n = 0;
    long double sum = 0;
};

// The row algorithm of MissingToMean on `work`, whose columns carry the given group codes. A
// missing cell without any present value in its group stays missing; a value in a range becomes 0.
void ReplaceMissingInRows(trealmatrix& work, const trealrangelist& ranges, const tIntvector& codes)
{
    const auto groups = static_cast<std::size_t>(codes[0]);
    std::vector<tPartialMean> means;
    std::vector<bool> missing(static_cast<std::size_t>(work.Cols()) + 1);
    for (int32_t r = 1; r <= work.Rows(); ++r) {
        long double* row = work.Row(r);
        means.assign(groups, tPartialMean {});
        for (int32_t c = 1; c <= work.Cols(); ++c) {
            missing[static_cast<std::size_t>(c)]
                = row[c] == MissingNumber || InAnyRange(row[c], ranges);
            if (!missing[static_cast<std::size_t>(c)]) {
                tPartialMean& g = means[static_cast<std::size_t>(codes[c] - 1)];
                ++g.n;
                g.sum += row[c];
            }
        }
        for (int32_t c = 1; c <= work.Cols(); ++c) {
            if (!missing[static_cast<std::size_t>(c)])
                continue;
            const tPartialMean& g = means[static_cast<std::size_t>(codes[c] - 1)];
            if (g.n > 0)
                row[c] = g.sum / static_cast<long double>(g.n);
            else if (row[c] != MissingNumber)
                row[c] = 0;
        }
    }
}

} // namespace

bool InAnyRange(long double x, const trealrangelist& ranges)
{
    const double value = ToDouble(x);
    for (const tRealRange& range : ranges.Elements()) {
        if (ToDouble(range[1]) <= value && value <= ToDouble(range[2]))
            return true;
    }
    return false;
}

trealmatrix InRangeMarks(const trealmatrix& m, const trealrangelist& ranges)
{
    trealmatrix marks(m.Rows(), m.Cols());
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            marks(r, c) = InAnyRange(m(r, c), ranges) ? 1 : 0;
    }
    return marks;
}

tResult<trealmatrix> InRangeIndices(
    const trealmatrix& m, const trealrangelist& ranges, int32_t direction)
{
    if (direction != 1 && direction != 2)
        return Failure(1, "");
    const bool perColumn = direction == 2;
    const int32_t lines = perColumn ? m.Cols() : m.Rows();
    const int32_t length = perColumn ? m.Rows() : m.Cols();
    std::vector<std::vector<int32_t>> hits(static_cast<std::size_t>(lines));
    std::size_t longest = 0;
    for (int32_t line = 1; line <= lines; ++line) {
        std::vector<int32_t>& found = hits[static_cast<std::size_t>(line - 1)];
        for (int32_t k = 1; k <= length; ++k) {
            if (InAnyRange(perColumn ? m(k, line) : m(line, k), ranges))
                found.push_back(k);
        }
        longest = std::max(longest, found.size());
    }
    const auto depth = static_cast<int32_t>(longest);
    trealmatrix result = perColumn ? trealmatrix(depth, lines) : trealmatrix(lines, depth);
    for (int32_t line = 1; line <= lines; ++line) {
        const std::vector<int32_t>& found = hits[static_cast<std::size_t>(line - 1)];
        for (std::size_t i = 0; i < found.size(); ++i) {
            const auto slot = static_cast<int32_t>(i) + 1;
            (perColumn ? result(slot, line) : result(line, slot)) = found[i];
        }
    }
    return result;
}

tResult<trealmatrix> MissingToMean(const trealmatrix& m, const trealrangelist& ranges,
    int32_t direction, const trealmatrix& groups)
{
    tMathErrorWatch watch;
    tResult<trealmatrix> result = TransformAlong(
        m, direction, groups, trealmatrix(), [&](trealmatrix& work, const tIntvector& codes) {
            ReplaceMissingInRows(work, ranges, codes);
        });
    watch.RaiseIfFaulted();
    return result;
}

} // namespace zelvora
