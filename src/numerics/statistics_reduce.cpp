// Reductions along rows, columns or the whole matrix, per group.
#include "numerics/statistics_reduce.h"

#include "numerics/matrix_size.h"
#include "numerics/missing_values.h"
#include "numerics/scalar_math.h"
#include "numerics/statistics_groups.h"

#include <cmath>
#include <vector>

namespace zelvora {
namespace {

// What a reduction accumulates; only that is computed, so that a mean cannot fail on the
// overflow of a product nobody asked for.
enum class tTarget {
    Minimum,
    Maximum,
    Count,
    Product,
    Sum,
};

struct tAccumulator {
    long double value = 0; // running sum, product or extreme
    int64_t count = 0;
    int32_t position = 0; // of the extreme
};

template <tTarget T, bool Square>
inline void Accumulate(tAccumulator& a, long double x, int32_t position)
{
    if constexpr (Square)
        x = x == MissingNumber ? 0 : x * x; // its result becomes missing; no underflow on the way
    if constexpr (T == tTarget::Sum) {
        a.value += x;
    } else if constexpr (T == tTarget::Product) {
        a.value *= x;
    } else if constexpr (T == tTarget::Minimum) {
        if (x == MissingNumber)
            return; // the extremes and their positions are those of the present values
        if (a.count == 0 || x < a.value) {
            a.value = x;
            a.position = position;
        }
    } else if constexpr (T == tTarget::Maximum) {
        if (x == MissingNumber)
            return;
        if (a.count == 0 || x > a.value) {
            a.value = x;
            a.position = position;
        }
    }
    ++a.count;
}

long double Finish(const tAccumulator& a, tTarget target, const tReduceFlags& flags)
{
    switch (target) {
    case tTarget::Minimum:
    case tTarget::Maximum:
        if (a.count == 0)
            return 0;
        return flags.index ? a.position : a.value;
    case tTarget::Count:
        return static_cast<long double>(a.count);
    case tTarget::Product:
        return a.value;
    case tTarget::Sum:
        break;
    }
    long double sum = a.value;
    if (flags.divide)
        sum = a.count > 0 ? sum / static_cast<long double>(a.count) : 0;
    if (flags.root)
        sum = std::sqrt(sum);
    return sum;
}

tTarget TargetOf(const tReduceFlags& flags)
{
    if (flags.minimum)
        return tTarget::Minimum;
    if (flags.maximum)
        return tTarget::Maximum;
    if (flags.count)
        return tTarget::Count;
    if (flags.product)
        return tTarget::Product;
    return tTarget::Sum;
}

std::vector<tAccumulator> FreshAccumulators(std::size_t n, tTarget target)
{
    return std::vector<tAccumulator>(n, tAccumulator { target == tTarget::Product ? 1.0L : 0.0L });
}

template <tTarget T, bool Square> inline long double Combine(long double running, long double x)
{
    if constexpr (Square)
        x = x == MissingNumber ? 0 : x * x;
    if constexpr (T == tTarget::Product)
        return running * x;
    else
        return running + x;
}

// Sums (products) of all rows per column, down each column from the top as the row sweep would
// add them, but four columns at a time so that the running values stay in registers.
template <tTarget T, bool Square> void SweepColumnBlocks(const trealmatrix& m, long double* out)
{
    constexpr int32_t block = 4;
    const long double start = T == tTarget::Product ? 1.0L : 0.0L;
    int32_t c = 1;
    for (; c + block - 1 <= m.Cols(); c += block) {
        long double a0 = start, a1 = start, a2 = start, a3 = start;
        for (int32_t r = 1; r <= m.Rows(); ++r) {
            const long double* x = m.Row(r) + c;
            a0 = Combine<T, Square>(a0, x[0]);
            a1 = Combine<T, Square>(a1, x[1]);
            a2 = Combine<T, Square>(a2, x[2]);
            a3 = Combine<T, Square>(a3, x[3]);
        }
        out[c - 1] = a0;
        out[c] = a1;
        out[c + 1] = a2;
        out[c + 2] = a3;
    }
    for (; c <= m.Cols(); ++c) {
        long double a = start;
        for (int32_t r = 1; r <= m.Rows(); ++r)
            a = Combine<T, Square>(a, m(r, c));
        out[c - 1] = a;
    }
}

template <tTarget T, bool Square>
trealmatrix ReduceAlong(
    const trealmatrix& m, int32_t direction, const tReduceFlags& flags, const tIntvector& codes)
{
    const auto [rows, cols] = m.Dims();
    const int32_t k = codes[0];
    const auto groups = static_cast<std::size_t>(k);
    if (direction == 1) {
        trealmatrix result(rows, k);
        std::vector<tAccumulator> acc;
        for (int32_t r = 1; r <= rows; ++r) {
            acc = FreshAccumulators(groups, T);
            const long double* row = m.Row(r);
            for (int32_t c = 1; c <= cols; ++c)
                Accumulate<T, Square>(acc[static_cast<std::size_t>(codes[c] - 1)], row[c], c);
            for (int32_t g = 1; g <= k; ++g)
                result(r, g) = Finish(acc[static_cast<std::size_t>(g - 1)], T, flags);
        }
        return result;
    }
    if (direction == 2 && (T == tTarget::Sum || T == tTarget::Product || T == tTarget::Count)) {
        // Every column of a group sees the same count, so the running values can sit in one
        // plain row per group that each row of M updates in a contiguous sweep; a single group
        // is summed in column blocks instead.
        const auto width = static_cast<std::size_t>(cols);
        std::vector<long double> values(groups * width, T == tTarget::Product ? 1.0L : 0.0L);
        std::vector<int64_t> counts(groups, 0);
        const bool oneGroup = k == 1 && T != tTarget::Count;
        if (oneGroup) {
            counts[0] = rows;
            SweepColumnBlocks<T, Square>(m, values.data());
        }
        for (int32_t r = 1; r <= rows && !oneGroup; ++r) {
            const auto g = static_cast<std::size_t>(codes[r] - 1);
            ++counts[g];
            if constexpr (T == tTarget::Count)
                continue;
            const long double* row = m.Row(r) + 1;
            long double* line = values.data() + g * width;
            for (std::size_t c = 0; c < width; ++c)
                line[c] = Combine<T, Square>(line[c], row[c]);
        }
        trealmatrix result(k, cols);
        for (int32_t g = 1; g <= k; ++g) {
            tAccumulator a { 0, counts[static_cast<std::size_t>(g - 1)] };
            for (int32_t c = 1; c <= cols; ++c) {
                a.value = values[static_cast<std::size_t>(g - 1) * width
                    + static_cast<std::size_t>(c - 1)];
                result(g, c) = Finish(a, T, flags);
            }
        }
        return result;
    }
    if (direction == 2) {
        // One accumulator per group and column, filled row by row.
        const auto width = static_cast<std::size_t>(cols);
        std::vector<tAccumulator> acc = FreshAccumulators(groups * width, T);
        for (int32_t r = 1; r <= rows; ++r) {
            const long double* row = m.Row(r);
            const std::size_t base = static_cast<std::size_t>(codes[r] - 1) * width;
            for (int32_t c = 1; c <= cols; ++c)
                Accumulate<T, Square>(acc[base + static_cast<std::size_t>(c - 1)], row[c], r);
        }
        trealmatrix result(k, cols);
        for (int32_t g = 1; g <= k; ++g) {
            for (int32_t c = 1; c <= cols; ++c)
                result(g, c) = Finish(
                    acc[static_cast<std::size_t>(g - 1) * width + static_cast<std::size_t>(c - 1)],
                    T, flags);
        }
        return result;
    }
    std::vector<tAccumulator> acc = FreshAccumulators(groups, T);
    int32_t position = 0;
    for (int32_t r = 1; r <= rows; ++r) {
        const long double* row = m.Row(r);
        for (int32_t c = 1; c <= cols; ++c) {
            ++position;
            Accumulate<T, Square>(
                acc[static_cast<std::size_t>(codes[position] - 1)], row[c], position);
        }
    }
    const bool pairs = flags.index && (T == tTarget::Minimum || T == tTarget::Maximum);
    trealmatrix result(1, pairs ? 2 * k : k);
    for (int32_t g = 1; g <= k; ++g) {
        const tAccumulator& a = acc[static_cast<std::size_t>(g - 1)];
        if (!pairs) {
            result(1, g) = Finish(a, T, flags);
        } else if (a.count > 0) {
            result(1, 2 * g - 1) = (a.position - 1) / cols + 1;
            result(1, 2 * g) = (a.position - 1) % cols + 1;
        }
    }
    return result;
}

template <tTarget T>
trealmatrix ReduceSquaredOrNot(
    const trealmatrix& m, int32_t direction, const tReduceFlags& flags, const tIntvector& codes)
{
    return flags.square ? ReduceAlong<T, true>(m, direction, flags, codes)
                        : ReduceAlong<T, false>(m, direction, flags, codes);
}

// A result over a missing cell is missing: every result of a row, column or group that holds one
// becomes MissingNumber (counts and positions stay).
void MarkMissingResults(const trealmatrix& m, int32_t direction, const tReduceFlags& flags,
    const tIntvector& codes, trealmatrix& result)
{
    if (flags.count || flags.index)
        return;
    const auto [rows, cols] = m.Dims();
    int32_t position = 0;
    for (int32_t r = 1; r <= rows; ++r) {
        const long double* row = m.Row(r);
        for (int32_t c = 1; c <= cols; ++c) {
            ++position;
            if (row[c] != MissingNumber)
                continue;
            if (direction == 1)
                result(r, codes[c]) = MissingNumber;
            else if (direction == 2)
                result(codes[r], c) = MissingNumber;
            else
                result(1, codes[position]) = MissingNumber;
        }
    }
}

} // namespace

tReduceFlags ReductionFlags(tReduction reduction)
{
    switch (reduction) {
    case tReduction::Count:
        return { .count = true };
    case tReduction::Sum:
        return { .sum = true };
    case tReduction::Product:
        return { .product = true };
    case tReduction::Mean:
        return { .sum = true, .divide = true };
    case tReduction::SquareSum:
        return { .sum = true, .square = true };
    case tReduction::Hypotenuse:
        return { .sum = true, .square = true, .root = true };
    case tReduction::Stddev:
        return { .sum = true, .square = true, .divide = true, .root = true };
    case tReduction::Min:
        return { .minimum = true };
    case tReduction::Max:
        return { .maximum = true };
    case tReduction::IndexOfMin:
        return { .minimum = true, .index = true };
    case tReduction::IndexOfMax:
        return { .maximum = true, .index = true };
    }
    return {};
}

tResult<trealmatrix> Reduce(
    const trealmatrix& m, int32_t direction, tReduceFlags flags, const trealmatrix& groups)
{
    if (direction < 1 || direction > 3)
        return Failure(1, "");
    const int32_t count = direction == 1 ? m.Cols()
        : direction == 2                 ? m.Rows()
                                         : DimensionProduct(m.Rows(), m.Cols());
    const tIntvector codes = GroupCodes(groups, direction, count);
    tMathErrorWatch watch;
    trealmatrix result;
    switch (TargetOf(flags)) {
    case tTarget::Minimum:
        result = ReduceSquaredOrNot<tTarget::Minimum>(m, direction, flags, codes);
        break;
    case tTarget::Maximum:
        result = ReduceSquaredOrNot<tTarget::Maximum>(m, direction, flags, codes);
        break;
    case tTarget::Count:
        result = ReduceAlong<tTarget::Count, false>(m, direction, flags, codes);
        break;
    case tTarget::Product:
        result = ReduceSquaredOrNot<tTarget::Product>(m, direction, flags, codes);
        break;
    case tTarget::Sum:
        result = ReduceSquaredOrNot<tTarget::Sum>(m, direction, flags, codes);
        break;
    }
    watch.RaiseIfFaulted();
    MarkMissingResults(m, direction, flags, codes, result);
    return result;
}

tResult<trealmatrix> Reduce(
    const trealmatrix& m, int32_t direction, tReduction reduction, const trealmatrix& groups)
{
    return Reduce(m, direction, ReductionFlags(reduction), groups);
}

} // namespace zelvora
