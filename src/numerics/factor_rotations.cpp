// Row-wise Givens sweeps, column exchanges, pair similarity sweeps and column-pair rotations.
#include "numerics/factor_rotations.h"

#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"

#include <cmath>
#include <numbers>

namespace zelvora {
namespace {

// A block target at or below this share of the block's magnitudes is rounding noise.
constexpr long double roundingShare = 0x1p-60L;

void RequireIndexes(const tIntvector& list, int32_t limit)
{
    for (int32_t v : list.Elements()) {
        if (v < 1 || v > limit)
            throw tRangeError();
    }
}

void RotateWithTransform(
    trealmatrix& m, trealmatrix& transform, int32_t a, int32_t b, long double c, long double s)
{
    RotateColumns(m, a, b, c, s);
    RotateColumns(transform, a, b, c, s);
}

} // namespace

tRotationResult RowGivensSweep(const trealmatrix& m, const tIntvector& rows, const tIntvector& cols)
{
    RequireIndexes(cols, m.Cols());
    trealmatrix work = CopyMatrix(m);
    trealmatrix transform = IdentityMatrix(m.Cols());
    const int32_t n = cols.Count();
    for (int32_t p = 1; p <= rows.Count() && p <= n; ++p) {
        const int32_t i = rows[p];
        const int32_t a = cols[p];
        for (int32_t q = n; q >= p + 1; --q) {
            const tRotation rotation = GivensZero(work, i, a, cols[q]);
            if (rotation.rotate)
                RotateWithTransform(work, transform, a, cols[q], rotation.c, rotation.s);
        }
    }
    return { std::move(work), std::move(transform), 1 };
}

tRotationResult RowExchangeSweep(
    const trealmatrix& m, const tIntvector& rows, const tIntvector& cols)
{
    RequireIndexes(rows, m.Rows());
    RequireIndexes(cols, m.Cols());
    trealmatrix work = CopyMatrix(m);
    trealmatrix transform = IdentityMatrix(m.Cols());
    const int32_t n = cols.Count();
    for (int32_t p = 1; p <= rows.Count(); ++p) {
        const int32_t u = rows[p];
        for (int32_t k = p + 1; k <= n - 1; ++k) {
            const int32_t a = cols[k];
            for (int32_t j = n; j >= k + 1; --j) {
                const int32_t b = cols[j];
                if (std::fabs(work(u, b)) > std::fabs(work(u, a)))
                    RotateWithTransform(work, transform, a, b, 0, 1);
            }
        }
    }
    return { std::move(work), std::move(transform), 1 };
}

tRotationResult TargetRotation(const trealmatrix& m, const trealmatrix& target,
    const tIntvector& rows, const tIntvector& cols, bool reversed)
{
    RequireIndexes(rows, m.Rows());
    RequireIndexes(cols, m.Cols());
    if (target.Rows() < m.Rows())
        throw tRangeError();
    for (int32_t c : cols.Elements()) {
        if (c > target.Cols())
            throw tRangeError();
    }
    return RotationSweeps(
        m, rows, cols, TargetCriterion(target, m.Rows()), reversed, tSweepStop::Settled);
}

tRotationResult PairSimilaritySweeps(
    const trealmatrix& m, const tIntvector& rows, const tIntvector& cols, tPairSimilarity kind)
{
    trealmatrix work = CopyMatrix(m);
    trealmatrix transform = IdentityMatrix(m.Cols());
    if (rows.Count() != cols.Count())
        return { std::move(work), std::move(transform), 0 };
    RequireIndexes(rows, m.Rows());
    RequireIndexes(cols, m.Cols());
    const int32_t n = cols.Count();
    int32_t sweeps = 0;
    while (sweeps < maxRotationSweeps) {
        ++sweeps;
        const trealmatrix before = work;
        long double maxS = 0;
        long double minC = 1;
        bool onlyRounding = true;
        for (int32_t p = 1; p < n; ++p) {
            ReachCheckpoint(NumericsContext().checkpoint);
            for (int32_t q = p + 1; q <= n; ++q) {
                const int32_t a = cols[p];
                const int32_t b = cols[q];
                const int32_t u = rows[p];
                const int32_t v = rows[q];
                const long double a11 = work(u, a);
                const long double a12 = work(u, b);
                const long double a21 = work(v, a);
                const long double a22 = work(v, b);
                const long double delta = a11 - a22;
                const long double sigma = a12 + a21;
                if (std::sqrt(delta * delta + sigma * sigma) < rotationEps)
                    continue;
                const bool sym = kind == tPairSimilarity::Sym;
                const long double theta
                    = sym ? -std::atan2(delta, sigma) / 2 : -std::atan2(-sigma, delta) / 2;
                const long double goal = sym ? std::fabs(delta) : std::fabs(sigma);
                const long double scale
                    = sym ? std::fabs(a11) + std::fabs(a22) : std::fabs(a12) + std::fabs(a21);
                if (!(goal <= roundingShare * scale))
                    onlyRounding = false;
                const long double c = std::cos(theta);
                const long double s = std::sin(theta);
                RotateColumns(work, a, b, c, s);
                RotateRows(work, u, v, c, s);
                RotateColumns(transform, a, b, c, s);
                maxS = std::isnan(s) ? s : std::max(maxS, std::fabs(s));
                minC = std::min(minC, std::fabs(c));
            }
        }
        // A sweep that changed no bit repeats itself forever; one whose every target was already
        // met up to rounding only stirs that rounding.
        if ((maxS < rotationEps && std::fabs(minC - 1) < rotationEps) || onlyRounding
            || SameBits(before, work) || !std::isfinite(maxS))
            break;
    }
    return { std::move(work), std::move(transform), sweeps };
}

trealmatrix RotateColumnPair(
    const trealmatrix& m, int32_t a, int32_t b, long double c, long double s)
{
    trealmatrix result = CopyMatrix(m);
    if (!result.Contains(1, a) || !result.Contains(1, b))
        throw tRangeError();
    const long double r = std::sqrt(c * c + s * s);
    if (r == 0)
        return result;
    RotateColumns(result, a, b, c / r, s / r);
    return result;
}

trealmatrix MultiplyAngles(const trealmatrix& m, int32_t a, int32_t b, long double k)
{
    trealmatrix result = CopyMatrix(m);
    if (!result.Contains(1, a) || !result.Contains(1, b))
        throw tRangeError();
    for (int32_t i = 1; i <= result.Rows(); ++i) {
        const long double x = m(i, a);
        const long double y = m(i, b);
        if (k == 2) {
            result(i, a) = x * x - y * y;
            result(i, b) = 2 * x * y;
            continue;
        }
        const long double r = std::sqrt(x * x + y * y);
        if (r == 0)
            throw tFloatDivisionByZeroError();
        long double phi;
        if (x != 0)
            phi = std::atan2(y, x);
        else
            phi = y >= 0 ? std::numbers::pi_v<long double> / 2
                         : 3 * std::numbers::pi_v<long double> / 2;
        if (phi < 0)
            phi += 2 * std::numbers::pi_v<long double>;
        const long double length = std::exp(k * std::log(r));
        result(i, a) = length * std::cos(k * phi);
        result(i, b) = length * std::sin(k * phi);
    }
    return result;
}

} // namespace zelvora
