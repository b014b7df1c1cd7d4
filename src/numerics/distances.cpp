// Minkowski distances, their unrooted sums and the share of differing coordinates.
#include "numerics/distances.h"

#include "numerics/matrix_structure.h"
#include "numerics/scalar_math.h"

#include <cmath>
#include <utility>

namespace zelvora {
namespace {

// S of two coordinate rows of length n (slots 1..n).
long double PowerSum(const long double* a, const long double* b, int32_t n, int32_t p)
{
    long double sum = 0;
    switch (p) {
    case 0:
        for (int32_t k = 1; k <= n; ++k)
            sum += std::fabs(a[k] - b[k]) > 0 ? 1 : 0;
        return sum;
    case 1:
        for (int32_t k = 1; k <= n; ++k)
            sum += std::fabs(a[k] - b[k]);
        return sum;
    case 2:
        for (int32_t k = 1; k <= n; ++k) {
            const long double d = a[k] - b[k];
            sum += d * d;
        }
        return sum;
    default:
        for (int32_t k = 1; k <= n; ++k)
            sum += PowerRule(std::fabs(a[k] - b[k]), p);
        return sum;
    }
}

// The p = 2 sums of row a with rows b and c, each added in k order as PowerSum does.
std::pair<long double, long double> SquareSums(
    const long double* a, const long double* b, const long double* c, int32_t n)
{
    long double first = 0;
    long double second = 0;
    for (int32_t k = 1; k <= n; ++k) {
        const long double d = a[k] - b[k];
        const long double e = a[k] - c[k];
        first += d * d;
        second += e * e;
    }
    return { first, second };
}

// The stored value of a sum S over n coordinates.
long double Finished(long double sum, int32_t n, int32_t p, bool rooted)
{
    if (!rooted || p == 1)
        return sum;
    if (p == 0)
        return n > 0 ? sum / n : 0;
    if (p == 2)
        return std::sqrt(sum);
    return PowerRule(sum, 1.0L / p);
}

const tFailure negativeNorm = Failure("Die Norm einer Distanz muss 0 oder positiv sein");

// Distances between the rows of `a` and the rows of `b` (both with n coordinates); with
// `symmetric` (a and b the same) each pair once, mirrored.
trealmatrix PairDistances(
    const trealmatrix& a, const trealmatrix& b, int32_t p, bool rooted, bool symmetric)
{
    const int32_t n = a.Cols();
    trealmatrix result(a.Rows(), b.Rows());
    tMathErrorWatch watch;
    for (int32_t i = 1; i <= a.Rows(); ++i) {
        const long double* rowA = a.Row(i);
        int32_t j = symmetric ? i + 1 : 1;
        // Two columns at a time for the default norm: two independent sums, each in k order.
        for (; p == 2 && j + 1 <= b.Rows(); j += 2) {
            const auto [first, second] = SquareSums(rowA, b.Row(j), b.Row(j + 1), n);
            result(i, j) = Finished(first, n, p, rooted);
            result(i, j + 1) = Finished(second, n, p, rooted);
        }
        for (; j <= b.Rows(); ++j)
            result(i, j) = Finished(PowerSum(rowA, b.Row(j), n, p), n, p, rooted);
    }
    watch.RaiseIfFaulted();
    if (symmetric) {
        for (int32_t i = 2; i <= a.Rows(); ++i) {
            for (int32_t j = 1; j < i; ++j)
                result(i, j) = result(j, i);
        }
    }
    return result;
}

} // namespace

tResult<trealmatrix> RowDistances(
    const trealmatrix& m1, const trealmatrix& m2, int32_t p, bool rooted)
{
    if (m1.Cols() != m2.Rows())
        return Failure(1, "");
    if (p < 0)
        return negativeNorm;
    return PairDistances(m1, Transpose(m2), p, rooted, false);
}

tResult<trealmatrix> RowDistances(const trealmatrix& m1, int32_t p, bool rooted)
{
    if (p < 0)
        return negativeNorm;
    return PairDistances(m1, m1, p, rooted, true);
}

} // namespace zelvora
