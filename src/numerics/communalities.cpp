// Communality estimates by unique variances, principal components and principal-axis factoring.
#include "numerics/communalities.h"

#include "numerics/cholesky.h"
#include "numerics/gauss_jordan.h"
#include "numerics/matrix_alloc.h"
#include "numerics/plane_rotations.h"

#include <cmath>

namespace zelvora {
namespace {

bool IsSquare(const trealmatrix& a)
{
    return !a.IsAbsent() && a.Rows() == a.Cols();
}

long double DiagonalSquareSum(const trealmatrix& u)
{
    long double sum = 0;
    for (int32_t i = 1; i <= u.Rows(); ++i)
        sum += u(i, i) * u(i, i);
    return sum;
}

trealmatrix PrincipalAxes(const trealmatrix& l)
{
    return RotationSweeps(l, AllIndexes(l.Rows()), AllIndexes(l.Cols()), PrincipalAxisCriterion)
        .rotated;
}

// ComVar and ComVarFix: the diagonal of C reduced by U / n until U is small; `fixedPattern` scales
// U back to its first pattern after each step.
tResult<trealmatrix> ReduceByUniqueVariances(
    const trealmatrix& a, int32_t maxSteps, long double threshold, bool fixedPattern)
{
    if (!IsSquare(a))
        return Failure(1, "");
    const int32_t n = a.Cols();
    trealmatrix c = CopyMatrix(a);
    trealmatrix u = UniqueVariances(c).Value(); // c stays square
    const trealmatrix u0 = u;
    for (int32_t step = 1; step <= maxSteps && DiagonalSquareSum(u) > threshold; ++step) {
        for (int32_t j = 1; j <= n; ++j)
            c(j, j) -= u(j, j) / n;
        u = UniqueVariances(c).Value();
        if (!fixedPattern)
            continue;
        long double t = 1;
        for (int32_t k = 1; k <= n; ++k)
            t = std::min(t, u(k, k) / u0(k, k));
        for (int32_t l = 1; l <= n; ++l)
            u(l, l) = u0(l, l) * t;
    }
    return c;
}

} // namespace

tResult<trealmatrix> UniqueVariances(const trealmatrix& a)
{
    if (!IsSquare(a))
        return Failure(1, "");
    const trealmatrix inverse = GaussJordanInverse(a).Value();
    trealmatrix u(a.Rows(), a.Cols());
    for (int32_t i = 1; i <= a.Rows(); ++i) {
        if (inverse(i, i) == 0)
            throw tFloatDivisionByZeroError();
        u(i, i) = 1 / inverse(i, i);
    }
    return u;
}

tResult<trealmatrix> ComVar(const trealmatrix& a)
{
    return ReduceByUniqueVariances(a, 100, 1e-12L, false);
}

tResult<trealmatrix> ComVarFix(const trealmatrix& a)
{
    return ReduceByUniqueVariances(a, 500, 1e-20L, true);
}

tResult<trealmatrix> ComVarPCA(const trealmatrix& a)
{
    if (!IsSquare(a) || a.Rows() == 0)
        return Failure(1, "");
    const trealmatrix l = PrincipalAxes(CholeskyFactor(a).Value());
    long double s = 0;
    for (int32_t i = 1; i <= l.Rows(); ++i)
        s += l(i, l.Cols()) * l(i, l.Cols());
    trealmatrix result = CopyMatrix(a);
    for (int32_t i = 1; i <= result.Rows(); ++i)
        result(i, i) -= s;
    return result;
}

tResult<trealmatrix> ComVarPaf(const trealmatrix& a, int32_t factors, int32_t iterations)
{
    if (!IsSquare(a) || a.Rows() == 0 || factors < 1)
        return Failure(1, "");
    const int32_t n = a.Rows();
    const int32_t k = std::min(factors, n);
    std::vector<long double> u(static_cast<std::size_t>(n) + 1, 0);
    trealmatrix l = CholeskyFactor(a).Value();
    for (int32_t step = 1; step <= iterations; ++step) {
        const std::vector<long double> previous = u;
        long double lo = 0;
        long double hi = 3;
        for (int32_t halving = 1; halving <= 60 && !(hi - lo < 1e-12L); ++halving) {
            const long double mid = (lo + hi) / 2;
            trealmatrix c = CopyMatrix(a);
            for (int32_t i = 1; i <= n; ++i)
                c(i, i) -= mid * u[static_cast<std::size_t>(i)];
            l = CholeskyFactor(c).Value();
            bool negative = false;
            for (int32_t i = 1; i <= n; ++i)
                negative = negative || l(i, i) < 0;
            (negative ? hi : lo) = mid;
        }
        l = PrincipalAxes(l);
        long double change = 0;
        for (int32_t i = 1; i <= n; ++i) {
            long double common = 0;
            for (int32_t j = 1; j <= k; ++j)
                common += l(i, j) * l(i, j);
            u[static_cast<std::size_t>(i)] = 1 - common;
            change += std::fabs(
                u[static_cast<std::size_t>(i)] - previous[static_cast<std::size_t>(i)]);
        }
        if (change < 1e-12L)
            break;
    }
    trealmatrix result(n, k);
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = 1; j <= k; ++j)
            result(i, j) = l(i, j);
    return result;
}

} // namespace zelvora
