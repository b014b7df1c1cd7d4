// Factor consistency across random subsamples.
#include "numerics/factor_consistency.h"

#include "numerics/cholesky.h"
#include "numerics/factor_decompositions.h"
#include "numerics/factor_rotations.h"
#include "numerics/matrix_product.h"
#include "numerics/statistics_transform.h"

#include <vector>

namespace zelvora {
namespace {

// Cholesky factor of the correlation matrix of the rows (z-values along rows, then Z*Z' / N).
trealmatrix CorrelationFactor(const trealmatrix& data)
{
    const trealmatrix z = ZValues(Deviations(data, 1).Value(), 1).Value();
    trealmatrix correlation = GramProduct(z, 1).Value();
    const long double cases = data.Cols();
    for (int32_t r = 1; r <= correlation.Rows(); ++r)
        for (int32_t c = 1; c <= correlation.Cols(); ++c)
            correlation(r, c) /= cases;
    return CholeskyFactor(correlation).Value();
}

trealmatrix Reference(const trealmatrix& l, tRotationKeyword keyword)
{
    const int32_t n = l.Rows();
    if (keyword == tRotationKeyword::Drei)
        return ColumnTriangularize(l, n).rotated;
    if (keyword == tRotationKeyword::Ztcu)
        return CommonUniqueSplit(l).rotated;
    if (keyword == tRotationKeyword::Minres || keyword == tRotationKeyword::Power)
        return l;
    const tRotationCriterion criterion = PairwiseCriterionOf(keyword);
    if (!criterion)
        return l;
    return RotationSweeps(l, AllIndexes(n), AllIndexes(l.Cols()), criterion).rotated;
}

} // namespace

tResult<trealmatrix> FactorConsistency(const trealmatrix& rawData, tRotationKeyword keyword,
    int32_t sampleSize, int32_t samples, tRandomGenerator& generator)
{
    const int32_t n = rawData.Rows();
    const int32_t cases = rawData.Cols();
    if (rawData.IsAbsent() || n < 1 || cases < 1)
        return Failure(1, "");
    if (sampleSize <= 0 || sampleSize > cases)
        sampleSize = cases;
    if (samples <= 0)
        samples = 9 * cases;
    const trealmatrix reference = Reference(CorrelationFactor(rawData), keyword);
    const int32_t c = reference.Cols();
    trealmatrix result(n * c, samples);
    for (int32_t s = 1; s <= samples; ++s) {
        std::vector<bool> drawn(static_cast<std::size_t>(cases) + 1, false);
        trealmatrix x(n, sampleSize);
        for (int32_t k = 1; k <= sampleSize; ++k) {
            int32_t pick;
            do
                pick = static_cast<int32_t>(generator.IntegerDeviate(static_cast<uint32_t>(cases)))
                    + 1;
            while (drawn[static_cast<std::size_t>(pick)]);
            drawn[static_cast<std::size_t>(pick)] = true;
            for (int32_t r = 1; r <= n; ++r)
                x(r, k) = rawData(r, pick);
        }
        const trealmatrix l = CorrelationFactor(x);
        const trealmatrix rotated
            = TargetRotation(l, reference, AllIndexes(n), AllIndexes(l.Cols()), false).rotated;
        for (int32_t i = 1; i <= std::min(c, rotated.Cols()); ++i)
            for (int32_t j = 1; j <= n; ++j)
                result((i - 1) * n + j, s) = rotated(j, i);
    }
    return result;
}

} // namespace zelvora
