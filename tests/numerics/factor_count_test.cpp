// MAP and parallel analysis: the number they suggest for data with a clear structure, the
// reproducibility of the random sets from a seed, the stop at the checkpoint and unfit inputs.
#include "matrix_test_util.h"
#include "numerics/factor_count.h"
#include "numerics/factor_inputs.h"
#include "numerics/missing_values.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;

// Nine variables in three blocks of three: 0.6 within a block, 0.1 between blocks.
trealmatrix ThreeBlocks()
{
    trealmatrix r(9, 9);
    for (int32_t i = 1; i <= 9; ++i)
        for (int32_t j = 1; j <= 9; ++j)
            r(i, j) = i == j ? 1 : (i - 1) / 3 == (j - 1) / 3 ? 0.6L : 0.1L;
    return r;
}

TEST(MinimumAveragePartial, FindsTheThreeBlocks)
{
    const tMinimumAveragePartial map = MinimumAveragePartial(ThreeBlocks()).Value();
    EXPECT_EQ(map.suggested, 3);
    EXPECT_EQ(map.averages.Rows(), 8);
    // After the three block components only 0.4 times a projector is left: within a block the
    // partial correlations are -1/2, between blocks 0: 18 ordered pairs of 1/4 over 72.
    EXPECT_NEAR(map.averages(3, 1), 0.0625L, 1e-15L);
}

TEST(MinimumAveragePartial, WeakCorrelationsSuggestNone)
{
    const tMinimumAveragePartial map = MinimumAveragePartial(
        Mat({ { 1, 0.1, 0.05 }, { 0.1, 1, 0.1 },
            { 0.05, 0.1, 1 } })).Value();
    EXPECT_EQ(map.suggested, 0);
    EXPECT_NEAR(map.none, (2 * 0.01L + 0.0025L) / 3, 1e-18L);
}

TEST(MinimumAveragePartial, AveragesWithoutResidualVarianceAreMissing)
{
    // An uncorrelated variable is a component of its own (eigenvalue 1, between 1.5 and 0.5):
    // removing it leaves it nothing, and from there on the partial correlations are undefined.
    const tMinimumAveragePartial map
        = MinimumAveragePartial(Mat({ { 1, 0, 0 }, { 0, 1, 0.5 }, { 0, 0.5, 1 } })).Value();
    EXPECT_EQ(map.undefinedFrom, 2);
    EXPECT_EQ(map.emptyVariable, 1);
    EXPECT_EQ(map.averages(2, 1), MissingNumber);
    // After the first component (variables 2 and 3) their partial correlation is -1: a mean
    // square of 2/6, above the 2 * 0.25 / 6 before it, so no component is suggested.
    EXPECT_NEAR(map.averages(1, 1), 1 / 3.0L, 1e-15L);
    EXPECT_NEAR(map.none, 1 / 12.0L, 1e-18L);
    EXPECT_EQ(map.suggested, 0);
}

TEST(ParallelAnalysis, FindsTheThreeBlocksAndRepeatsWithTheSeed)
{
    tRandomGenerator first(5);
    const tParallelAnalysis a
        = ParallelAnalysis(ThreeBlocks(), 300, 40, tParallelKind::Components, first).Value();
    EXPECT_EQ(a.suggested, 3);
    tRandomGenerator again(5);
    const tParallelAnalysis b
        = ParallelAnalysis(ThreeBlocks(), 300, 40, tParallelKind::Components, again).Value();
    EXPECT_EQ(MaxDifference(a.percentile, b.percentile), 0);
    tRandomGenerator other(6);
    const tParallelAnalysis c
        = ParallelAnalysis(ThreeBlocks(), 300, 40, tParallelKind::Components, other).Value();
    EXPECT_GT(MaxDifference(a.percentile, c.percentile), 0);
    // The reduced matrix: its trace is the sum of the squared multiple correlations, and the
    // random sets' reduced matrices have eigenvalues around 0, not 1.
    tRandomGenerator factors(5);
    const tParallelAnalysis reduced
        = ParallelAnalysis(ThreeBlocks(), 300, 40, tParallelKind::Factors, factors).Value();
    EXPECT_EQ(reduced.suggested, 3);
    const trealmatrix smc = SquaredMultipleCorrelations(ThreeBlocks()).Value();
    long double trace = 0;
    long double eigenvalues = 0;
    for (int32_t j = 1; j <= 9; ++j) {
        trace += smc(j, 1);
        eigenvalues += reduced.observed(j, 1);
    }
    EXPECT_NEAR(eigenvalues, trace, 1e-15L);
    EXPECT_LT(reduced.percentile(9, 1), 0);
    EXPECT_GT(a.percentile(9, 1), 0.5L);
}

TEST(ParallelAnalysis, RandomEigenvaluesCentreOnOne)
{
    // With many cases the random correlations are near 0: every percentile eigenvalue is near 1,
    // the first above it and the last below, and the observed ones of R are its own.
    tRandomGenerator random(1);
    const tParallelAnalysis run
        = ParallelAnalysis(ThreeBlocks(), 5000, 10, tParallelKind::Components, random).Value();
    for (int32_t j = 1; j <= 9; ++j)
        EXPECT_NEAR(run.percentile(j, 1), 1, 0.1L) << j;
    EXPECT_GT(run.percentile(1, 1), 1);
    EXPECT_LT(run.percentile(9, 1), 1);
    EXPECT_NEAR(run.observed(1, 1), 1 + 2 * 0.6L + 6 * 0.1L, 1e-15L);
}

TEST(ParallelAnalysis, PercentileOfTwoVariablesFollowsTheCorrelationsSpread)
{
    // Two variables: eigenvalues 1 +- |r|, r about normal with sd 1 / sqrt(n), so the 95th
    // percentile of the first is 1 + 1.96 / sqrt(n) (the median would be 1 + 0.674 / sqrt(n)).
    tRandomGenerator random(3);
    const tParallelAnalysis run = ParallelAnalysis(
        Mat({ { 1, 0.5 }, { 0.5, 1 } }), 1000, 2000, tParallelKind::Components, random)
                                      .Value();
    EXPECT_NEAR(run.percentile(1, 1), 1 + 1.96L / std::sqrt(1000.0L), 0.004L);
    EXPECT_EQ(run.suggested, 1);
}

// A set of more than 2^20 deviates draws while it sums instead of drawing ahead: two variables of
// 600,000 cases correlate about 0 (sd 0.0013), so the eigenvalues lie near 1.
TEST(ParallelAnalysis, LargeSetsDrawWhileTheySum)
{
    tRandomGenerator random(2);
    const tParallelAnalysis run = ParallelAnalysis(
        Mat({ { 1, 0.5 }, { 0.5, 1 } }), 600000, 2, tParallelKind::Components, random)
                                      .Value();
    EXPECT_GT(run.percentile(1, 1), 1);
    EXPECT_LT(run.percentile(1, 1), 1.006L);
    EXPECT_LT(run.percentile(2, 1), 1);
    EXPECT_GT(run.percentile(2, 1), 0.994L);
}

TEST(ParallelAnalysis, StopsAtTheCheckpoint)
{
    int32_t reached = 0;
    const tCheckpoint checkpoint = [&] {
        if (++reached == 3)
            throw tInterrupted();
    };
    tRandomGenerator random(1);
    EXPECT_THROW(
        ParallelAnalysis(ThreeBlocks(), 50, 100, tParallelKind::Components, random, &checkpoint),
        tInterrupted);
    EXPECT_EQ(reached, 3);
}

TEST(ParallelAnalysis, UnfitInputsFailWithTheirReason)
{
    tRandomGenerator random(1);
    EXPECT_EQ(
        ParallelAnalysis(ThreeBlocks(), 2, 10, tParallelKind::Components, random).Error().Message,
        "die Zahl der F\xE4lle muss mindestens 3 sein");
    EXPECT_EQ(
        ParallelAnalysis(ThreeBlocks(), 9, 10, tParallelKind::Factors, random).Error().Message,
        "f\xFCr die reduzierte Matrix braucht es mehr F\xE4lle (9) als Variablen (9)");
    EXPECT_EQ(
        ParallelAnalysis(ThreeBlocks(), 50, 1, tParallelKind::Components, random).Error().Message,
        "es braucht mindestens 2 Zufallsdatens\xE4tze");
    EXPECT_FALSE(ParallelAnalysis(
        Mat({ { 1, 0.5 }, { 0.4, 1 } }), 50, 10, tParallelKind::Components, random));
}

} // namespace
} // namespace zelvora
