// The pairwise rotation criteria of the factor rotations.
#include "numerics/rotation_criteria.h"

#include "numerics/matrix_structure.h"

#include <cmath>

namespace zelvora {
namespace {

// Im S at or below this share of the sum of the magnitudes of its terms is rounding noise.
constexpr long double roundingShare = 0x1p-56L;

struct tComplex {
    long double re = 0;
    long double im = 0;
};

tComplex Square(tComplex z)
{
    return { z.re * z.re - z.im * z.im, 2 * z.re * z.im };
}

// z of one row entry: M[r][a] + i*M[r][b], or for -r (when negative rows count) -M[r][b] +
// i*M[r][a]. False when the entry is skipped.
bool RowValue(const tCriterionInput& input, int32_t entry, bool negativeCounts, tComplex& z)
{
    const long double* colA = input.columns.Row(input.a);
    const long double* colB = input.columns.Row(input.b);
    if (entry > 0) {
        z = { colA[entry], colB[entry] };
        return true;
    }
    if (!negativeCounts)
        return false;
    z = { -colB[-entry], colA[-entry] };
    return true;
}

void RequirePositiveRows(const tCriterionInput& input)
{
    for (int32_t r : input.rows) {
        if (r < 1)
            throw tRangeError();
    }
}

// The rotation by arg S / 2 (halvings 1) or arg S / 4 (halvings 2) through HalfAngle, normalised;
// none when the normalising length is below 1e-128.
tRotation FractionOfAngle(long double re, long double im, int32_t halvings)
{
    auto [u, v] = HalfAngle(re, im);
    if (halvings == 2)
        std::tie(u, v) = HalfAngle(u, v);
    const long double rho = std::sqrt(u * u + v * v);
    if (rho < rotationEps)
        return {};
    return { true, u / rho, v / rho };
}

// sum z^4 and sum z^2 over the positive row entries, and how many there were.
struct tFourthPowers {
    tComplex fourth;
    tComplex second;
    int32_t count = 0;
};

tFourthPowers FourthPowers(const tCriterionInput& input)
{
    tFourthPowers sums;
    tComplex z;
    for (int32_t r : input.rows) {
        if (!RowValue(input, r, false, z))
            continue;
        const tComplex w = Square(z);
        sums.second.re += w.re;
        sums.second.im += w.im;
        const tComplex w2 = Square(w);
        sums.fourth.re += w2.re;
        sums.fourth.im += w2.im;
        ++sums.count;
    }
    return sums;
}

tComplex Negated(tComplex s, bool negate)
{
    return negate ? tComplex { -s.re, -s.im } : s;
}

} // namespace

tRotation MedimaxCriterion(const tCriterionInput& input)
{
    tComplex squares;
    tComplex sum;
    tComplex z;
    for (int32_t r : input.rows) {
        RowValue(input, r, true, z);
        const tComplex w = Square(z);
        squares.re += w.re;
        squares.im += w.im;
        sum.re += z.re;
        sum.im += z.im;
    }
    const long double n = static_cast<long double>(input.rows.size());
    const tComplex mean = Square(sum);
    tComplex s = { squares.re - mean.re / n, squares.im - mean.im / n };
    s = Negated(s, input.reversed);
    return FractionOfAngle(s.re, s.im, 1);
}

tRotation QuartimaxCriterion(const tCriterionInput& input)
{
    const tComplex s = Negated(FourthPowers(input).fourth, input.reversed);
    return FractionOfAngle(s.re, s.im, 2);
}

tRotation VarimaxCriterion(const tCriterionInput& input)
{
    const tFourthPowers sums = FourthPowers(input);
    const long double n = static_cast<long double>(input.rows.size());
    const tComplex mean = Square(sums.second);
    tComplex s = { sums.fourth.re - mean.re / n, sums.fourth.im - mean.im / n };
    s = Negated(s, input.reversed);
    const long double length = std::sqrt(s.re * s.re + s.im * s.im);
    if (length == 0)
        throw tFloatDivisionByZeroError();
    return FractionOfAngle(s.re / length, s.im / length, 2);
}

tRotation VarieqCriterion(const tCriterionInput& input)
{
    const tFourthPowers sums = FourthPowers(input);
    if (sums.count == 0)
        return {};
    const long double m = static_cast<long double>(sums.count);
    const tComplex mean = Square(sums.second);
    const tComplex s = { -(sums.fourth.re - mean.re / m), -(sums.fourth.im - mean.im / m) };
    return FractionOfAngle(s.re, s.im, 2);
}

tRotation GleichCriterion(const tCriterionInput& input)
{
    tComplex squares;
    tComplex z;
    for (int32_t r : input.rows) {
        RowValue(input, r, true, z);
        const tComplex w = Square(z);
        squares.re += w.re;
        squares.im += w.im;
    }
    squares = Negated(squares, input.reversed);
    return FractionOfAngle(-squares.im, squares.re, 1);
}

tRotation MinresCriterion(const tCriterionInput& input)
{
    long double lengths = 0;
    tComplex squares;
    tComplex weighted;
    tComplex z;
    for (int32_t r : input.rows) {
        RowValue(input, r, true, z);
        const long double length = z.re * z.re + z.im * z.im;
        const tComplex w = Square(z);
        lengths += length;
        squares.re += w.re;
        squares.im += w.im;
        weighted.re += length * w.re;
        weighted.im += length * w.im;
    }
    tComplex s
        = { (lengths * squares.re - weighted.re) / 2, (lengths * squares.im - weighted.im) / 2 };
    s = Negated(s, input.reversed);
    return FractionOfAngle(s.re, s.im, 1);
}

tRotation BlockCriterion(const tCriterionInput& input)
{
    if (input.q > static_cast<int32_t>(input.rows.size()))
        return {};
    const int32_t u = input.rows[static_cast<std::size_t>(input.p - 1)];
    const int32_t v = input.rows[static_cast<std::size_t>(input.q - 1)];
    if (u < 1 || v < 1)
        throw tRangeError();
    const long double* colA = input.columns.Row(input.a);
    const long double* colB = input.columns.Row(input.b);
    const long double d = colA[u] * colB[v] - colB[u] * colA[v];
    if (std::fabs(2 * d) < rotationEps || std::isnan(d))
        return {};
    return { true, d > 0 ? 1.0L : -1.0L, 0 };
}

tRotation PowerCriterion(const tCriterionInput& input)
{
    RequirePositiveRows(input);
    if (input.rows.empty())
        return {};
    const long double* colA = input.columns.Row(input.a);
    int32_t best = input.rows[0];
    for (int32_t r : input.rows) {
        if (std::fabs(colA[r]) > std::fabs(colA[best]))
            best = r;
    }
    tComplex z;
    RowValue(input, best, false, z);
    const tComplex w = Square(Square(z));
    return FractionOfAngle(w.re, w.im, 2);
}

tRotation AbsSumCriterion(const tCriterionInput& input)
{
    const long double* colA = input.columns.Row(input.a);
    const long double* colB = input.columns.Row(input.b);
    long double sumA = 0;
    long double sumB = 0;
    for (int32_t r : input.rows) {
        if (r < 1)
            continue;
        sumA += std::fabs(colA[r]);
        sumB += std::fabs(colB[r]);
    }
    if (input.reversed) {
        sumA = -sumA;
        sumB = -sumB;
    }
    if (sumB > sumA)
        return { true, 0, 1 };
    return {};
}

tRotationCriterion TargetCriterion(const trealmatrix& target, int32_t loadingRows)
{
    const bool masked = target.Rows() == 2 * loadingRows && loadingRows > 0;
    // Column j of the target is row j of `targetColumns`, as the criterion sees the loadings.
    return [targetColumns = Transpose(target), loadingRows, masked](const tCriterionInput& input) {
        RequirePositiveRows(input);
        if (input.a > targetColumns.Rows() || input.b > targetColumns.Rows())
            throw tRangeError();
        const long double* colA = input.columns.Row(input.a);
        const long double* colB = input.columns.Row(input.b);
        const long double* targetA = targetColumns.Row(input.a);
        const long double* targetB = targetColumns.Row(input.b);
        tComplex s;
        long double magnitude = 0;
        for (int32_t r : input.rows) {
            if (r > targetColumns.Cols())
                throw tRangeError();
            if (masked && targetA[loadingRows + r] * targetB[loadingRows + r] == 0)
                continue;
            s.re += colA[r] * targetA[r] + colB[r] * targetB[r];
            s.im += colA[r] * targetB[r] - colB[r] * targetA[r];
            magnitude += std::fabs(colA[r] * targetB[r]) + std::fabs(colB[r] * targetA[r]);
        }
        s = Negated(s, input.reversed);
        const long double length = std::sqrt(s.re * s.re + s.im * s.im);
        if (length < rotationEps)
            return tRotation {};
        return tRotation { true, s.re / length, -(s.im / length),
            std::fabs(s.im) <= roundingShare * magnitude };
    };
}

tRotationCriterion PairwiseCriterionOf(tRotationKeyword keyword)
{
    switch (keyword) {
    case tRotationKeyword::Pca:
        return PrincipalAxisCriterion;
    case tRotationKeyword::Quartimax:
        return QuartimaxCriterion;
    case tRotationKeyword::Medimax:
        return MedimaxCriterion;
    case tRotationKeyword::Varimax:
        return VarimaxCriterion;
    case tRotationKeyword::Antisymmetrisch:
        return BlockCriterion;
    case tRotationKeyword::Gleich:
        return GleichCriterion;
    case tRotationKeyword::Varieq:
        return VarieqCriterion;
    case tRotationKeyword::Minres:
        return MinresCriterion;
    case tRotationKeyword::Power:
        return PowerCriterion;
    default:
        return nullptr;
    }
}

} // namespace zelvora
