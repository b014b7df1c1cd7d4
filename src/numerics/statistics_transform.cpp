// Deviations, z-values, unit square sums and running sums.
#include "numerics/statistics_transform.h"

#include "numerics/matrix_structure.h"
#include "numerics/missing_values.h"
#include "numerics/reordering.h"
#include "numerics/scalar_math.h"
#include "numerics/statistics_groups.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zelvora {
namespace {

struct tMoments {
    int64_t n = 0;
    long double sum = 0;
    long double squares = 0;
    bool missing = false; // a missing cell makes the group's mean, and so every deviation, missing
};

// Replaces every element of every row of `work` by its deviation from its group's mean in that
// row, and with `standardise` divides by the group's standard deviation (divisor n). A group with
// a missing cell becomes missing throughout.
void CentreRows(trealmatrix& work, const tIntvector& codes, bool standardise)
{
    const auto groups = static_cast<std::size_t>(codes[0]);
    std::vector<tMoments> moments;
    std::vector<long double> mean(groups);
    std::vector<long double> spread(groups);
    for (int32_t r = 1; r <= work.Rows(); ++r) {
        long double* row = work.Row(r);
        moments.assign(groups, tMoments {});
        for (int32_t c = 1; c <= work.Cols(); ++c) {
            tMoments& g = moments[static_cast<std::size_t>(codes[c] - 1)];
            ++g.n;
            g.missing = g.missing || row[c] == MissingNumber;
            g.sum += row[c];
            if (standardise)
                g.squares += row[c] * row[c];
        }
        for (std::size_t g = 0; g < groups; ++g) {
            if (moments[g].n == 0)
                continue;
            const auto n = static_cast<long double>(moments[g].n);
            mean[g] = moments[g].sum / n;
            if (standardise) {
                const long double radicand
                    = n * moments[g].squares - moments[g].sum * moments[g].sum;
                spread[g] = std::sqrt(std::max(radicand, 0.0L)) / n;
            }
        }
        for (int32_t c = 1; c <= work.Cols(); ++c) {
            const auto g = static_cast<std::size_t>(codes[c] - 1);
            if (moments[g].missing)
                row[c] = MissingNumber;
            else if (!standardise)
                row[c] -= mean[g];
            else if (spread[g] != 0)
                row[c] = (row[c] - mean[g]) / spread[g];
        }
    }
}

// Runs the row algorithm in the given direction: columns work on the transpose, the whole matrix
// on its elements as one row.
tResult<trealmatrix> CentreAlong(
    const trealmatrix& m, int32_t direction, const trealmatrix& groups, bool standardise)
{
    tMathErrorWatch watch;
    tResult<trealmatrix> result = TransformAlong(m, direction, groups, groups,
        [&](trealmatrix& work, const tIntvector& codes) { CentreRows(work, codes, standardise); });
    watch.RaiseIfFaulted();
    return result;
}

// Multiplies the elements of `part` (pointers to the elements of a row, a column or the matrix) by
// sqrt(1 / their square sum) unless that sum is 0. A missing cell leaves the square sum unknown, so
// the whole part becomes missing.
void ScaleToUnitSquares(std::vector<long double*>& part)
{
    if (std::ranges::any_of(part, [](const long double* x) { return *x == MissingNumber; })) {
        for (long double* x : part)
            *x = MissingNumber;
        return;
    }
    long double squares = 0;
    for (const long double* x : part)
        squares += *x * *x;
    if (squares == 0)
        return;
    const long double factor = std::sqrt(1 / squares);
    for (long double* x : part)
        *x *= factor;
}

} // namespace

tResult<trealmatrix> Deviations(const trealmatrix& m, int32_t direction, const trealmatrix& groups)
{
    return CentreAlong(m, direction, groups, false);
}

tResult<trealmatrix> ZValues(const trealmatrix& m, int32_t direction, const trealmatrix& groups)
{
    return CentreAlong(m, direction, groups, true);
}

tResult<trealmatrix> NormaliseSquares(const trealmatrix& m, int32_t direction)
{
    if (direction < 1 || direction > 3)
        return Failure(1, "");
    tMathErrorWatch watch;
    trealmatrix result = m;
    const auto [rows, cols] = m.Dims();
    std::vector<long double*> part;
    if (direction == 1) {
        for (int32_t r = 1; r <= rows; ++r) {
            part.clear();
            for (int32_t c = 1; c <= cols; ++c)
                part.push_back(&result(r, c));
            ScaleToUnitSquares(part);
        }
    } else if (direction == 2) {
        for (int32_t c = 1; c <= cols; ++c) {
            part.clear();
            for (int32_t r = 1; r <= rows; ++r)
                part.push_back(&result(r, c));
            ScaleToUnitSquares(part);
        }
    } else {
        for (int32_t r = 1; r <= rows; ++r) {
            for (int32_t c = 1; c <= cols; ++c)
                part.push_back(&result(r, c));
        }
        ScaleToUnitSquares(part);
    }
    watch.RaiseIfFaulted();
    return result;
}

tResult<trealmatrix> Cumulate(const trealmatrix& m, int32_t direction)
{
    if (direction != 1 && direction != 2)
        return Failure(1, "");
    tMathErrorWatch watch;
    trealmatrix result = m;
    // A running sum that has passed a missing cell is missing from there on.
    const auto add = [](long double& sum, long double before) {
        sum = sum == MissingNumber || before == MissingNumber ? MissingNumber : sum + before;
    };
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        long double* row = result.Row(r);
        if (direction == 1) {
            for (int32_t c = 2; c <= m.Cols(); ++c)
                add(row[c], row[c - 1]);
        } else if (r > 1) {
            const long double* above = result.Row(r - 1);
            for (int32_t c = 1; c <= m.Cols(); ++c)
                add(row[c], above[c]);
        }
    }
    watch.RaiseIfFaulted();
    return result;
}

} // namespace zelvora
