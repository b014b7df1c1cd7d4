// Factor rotations: criteria properties, stop rules and sweep counts, decompositions, communality
// estimates and factor consistency.
#include "matrix_test_util.h"
#include "numerics/communalities.h"
#include "numerics/factor_consistency.h"
#include "numerics/factor_decompositions.h"
#include "numerics/factor_rotations.h"
#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "support/result_support.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;
using testing::RandomMatrix;

bool IsOrthogonal(const trealmatrix& t)
{
    return MaxDifference(MatMul(Transpose(t), t).Value(), IdentityMatrix(t.Cols())) < 1e-17L;
}

TEST(FactorRotations, PairwiseCriteriaKeepTheTransformOrthogonal)
{
    std::mt19937 gen(31);
    const trealmatrix l = RandomMatrix(gen, 30, 5);
    for (tRotationKeyword keyword : { tRotationKeyword::Pca, tRotationKeyword::Quartimax,
             tRotationKeyword::Medimax, tRotationKeyword::Varimax, tRotationKeyword::Gleich,
             tRotationKeyword::Varieq, tRotationKeyword::Minres, tRotationKeyword::Power }) {
        for (bool reversed : { false, true }) {
            const tRotationResult run = RotationSweeps(
                l, AllIndexes(30), AllIndexes(5), PairwiseCriterionOf(keyword), reversed);
            EXPECT_TRUE(IsOrthogonal(run.transform)) << static_cast<int>(keyword);
            EXPECT_LT(MaxDifference(MatMul(l, run.transform).Value(), run.rotated), 1e-16L);
            EXPECT_GE(run.sweeps, 1);
        }
    }
    EXPECT_EQ(PairwiseCriterionOf(tRotationKeyword::Ziel), nullptr);
}

// A converged rotation ends within a few sweeps of convergence, not at the 500-sweep bound, and
// the sweeps it leaves out would not change the result.
TEST(FactorRotations, ConvergedRunsStopEarly)
{
    std::mt19937 gen(5);
    const trealmatrix l = RandomMatrix(gen, 200, 10);
    const tIntvector rows = AllIndexes(200);
    const tIntvector cols = AllIndexes(10);
    for (const tRotationCriterion& criterion :
        { tRotationCriterion(VarimaxCriterion), tRotationCriterion(QuartimaxCriterion) }) {
        const tRotationResult run = RotationSweeps(l, rows, cols, criterion);
        EXPECT_LT(run.sweeps, 60);
        const tRotationResult again = RotationSweeps(run.rotated, rows, cols, criterion);
        EXPECT_LT(MaxDifference(again.rotated, run.rotated), 1e-8L);
        EXPECT_LE(again.sweeps, 3);
    }
    // ZIEL computes its sine directly: it runs until a sweep is rounding noise or changes no bit.
    const trealmatrix target
        = MatMul(l, RotationSweeps(l, rows, cols, VarimaxCriterion).transform).Value();
    const tRotationResult aimed = TargetRotation(l, target, rows, cols, false);
    EXPECT_LT(aimed.sweeps, 60);
    EXPECT_LT(MaxDifference(aimed.rotated, target), 1e-15L);
}

TEST(FactorRotations, NonFiniteInputEndsTheRunAtOnce)
{
    const trealmatrix m = Mat({ { NAN, 1 }, { 2, 3 } });
    EXPECT_EQ(
        TargetRotation(m, Mat({ { 1, 0 }, { 0, 1 } }), AllIndexes(2), AllIndexes(2), false).sweeps,
        1);
    EXPECT_EQ(
        PairSimilaritySweeps(m, AllIndexes(2), AllIndexes(2), tPairSimilarity::Sym).sweeps, 1);
    EXPECT_EQ(RotationSweeps(Mat({ { INFINITY, 1 }, { 2, 3 } }), AllIndexes(2), AllIndexes(2),
                  QuartimaxCriterion)
                  .sweeps,
        1);
}

TEST(FactorRotations, TargetMaskAndReversal)
{
    // The lower half masks rows: only row 2 counts, and it is turned onto its target.
    const trealmatrix l = Mat({ { 1, 0 }, { 0, 1 } });
    const trealmatrix target = Mat({ { 0, 1 }, { 1, 0 }, { 0, 0 }, { 1, 1 } });
    const tRotationResult masked = TargetRotation(l, target, AllIndexes(2), AllIndexes(2), false);
    EXPECT_NEAR(static_cast<double>(masked.rotated(2, 1)), 1, 1e-18);
    EXPECT_NEAR(static_cast<double>(masked.rotated(2, 2)), 0, 1e-18);
    // Reversed, the pair is turned away from the target.
    const tRotationResult away
        = TargetRotation(Mat({ { 1, 0 } }), Mat({ { 0, 1 } }), AllIndexes(1), AllIndexes(2), true);
    EXPECT_NEAR(static_cast<double>(away.rotated(1, 2)), -1, 1e-18);
}

TEST(FactorRotations, RowSweepsAndExchanges)
{
    std::mt19937 gen(8);
    const trealmatrix m = RandomMatrix(gen, 4, 4);
    const tRotationResult tri = RowGivensSweep(m, tIntvector(1, 3), AllIndexes(4));
    for (int32_t c = 2; c <= 4; ++c)
        EXPECT_LT(std::fabs(tri.rotated(3, c)), 1e-18L);
    EXPECT_LT(MaxDifference(MatMul(m, tri.transform).Value(), tri.rotated), 1e-17L);
    EXPECT_THROW(RowGivensSweep(m, tIntvector(1, 5), AllIndexes(4)), tRangeError);

    // Row 1 exchanges column 2 with 4, then with 3 (each receiving the other negated); column 1
    // never takes part.
    const tRotationResult exchanged
        = RowExchangeSweep(Mat({ { 9, 1, 3, 2 } }), AllIndexes(1), AllIndexes(4));
    EXPECT_EQ(exchanged.rotated, Mat({ { 9, 3, -2, -1 } }));
    EXPECT_LT(MaxDifference(
                  MatMul(Mat({ { 9, 1, 3, 2 } }), exchanged.transform).Value(), exchanged.rotated),
        1e-18L);
}

TEST(FactorRotations, PairSimilarityKeepsTheSpectrum)
{
    std::mt19937 gen(3);
    trealmatrix m = RandomMatrix(gen, 4, 4);
    for (int32_t r = 1; r <= 4; ++r)
        for (int32_t c = 1; c < r; ++c)
            m(c, r) = m(r, c);
    for (tPairSimilarity kind : { tPairSimilarity::Sym, tPairSimilarity::Antisymmetric }) {
        const tRotationResult run = PairSimilaritySweeps(m, AllIndexes(4), AllIndexes(4), kind);
        EXPECT_TRUE(IsOrthogonal(run.transform));
        EXPECT_LT(MaxDifference(
                      MatMul(MatMul(Transpose(run.transform), m).Value(), run.transform).Value(),
                      run.rotated),
            1e-16L);
        EXPECT_LT(run.sweeps, maxRotationSweeps);
    }
    const tRotationResult misfit
        = PairSimilaritySweeps(m, AllIndexes(3), AllIndexes(4), tPairSimilarity::Sym);
    EXPECT_EQ(misfit.rotated, m);
}

TEST(FactorRotations, CommonUniqueSplit)
{
    const trealmatrix lad = Mat({ { 0.8, 0.1 }, { 0.7, 0.2 }, { 0.6, -0.3 }, { 0.5, 0.4 } });
    const tRotationResult split = CommonUniqueSplit(lad);
    ASSERT_EQ(split.rotated.Dims(), (tMatDims { 4, 3 + 4 }));
    // Common and unique parts together give back the variances of LAD*LAD'.
    const trealmatrix g = GramProduct(lad, 1).Value();
    const trealmatrix back = GramProduct(split.rotated, 1).Value();
    for (int32_t i = 1; i <= 4; ++i)
        EXPECT_NEAR(static_cast<double>(back(i, i)), static_cast<double>(g(i, i)), 1e-6);
    for (int32_t i = 1; i <= 4; ++i) {
        for (int32_t j = 1; j <= 4; ++j) {
            if (i != j) {
                EXPECT_EQ(split.rotated(i, 3 + j), 0);
            }
        }
    }
}

TEST(FactorRotations, SubsetDecompositionShapesAndGuard)
{
    const trealmatrix lad = Mat({ { 0.9, 0.1, 0 }, { 0.5, 0.6, 0.1 }, { 0.3, 0.2, 0.8 } });
    const tRotationResult decomposition = SubsetDecomposition(lad).Value();
    // Two columns, then levels 2 and 3 with C(3,1) = 3 and C(3,2) = 3 columns.
    EXPECT_EQ(decomposition.rotated.Dims(), (tMatDims { 3, 2 + 3 + 3 }));
    EXPECT_EQ(SubsetDecomposition(Mat({ { 2, 3 } })).Value().rotated, Mat({ { 2, 3 } }));
    EXPECT_NE(
        FailureMessage(SubsetDecomposition(trealmatrix(24, 2))).find("DECOMP"), std::string::npos);
}

TEST(FactorRotations, BlockDecompositionSplitsCommonAndUnique)
{
    const trealmatrix lad
        = Mat({ { 0.8, 0.2, 0.1 }, { 0.7, 0.3, 0.2 }, { 0.2, 0.9, 0.1 }, { 0.1, 0.8, 0.4 } });
    const tRotationResult blocks = BlockDecomposition(lad, 2, AllIndexes(4), AllIndexes(3));
    // Two common columns, then the unique columns of the blocks (length 2: one each).
    ASSERT_EQ(blocks.rotated.Dims(), (tMatDims { 4, 4 }));
    EXPECT_EQ(blocks.rotated(3, 3), 0);
    EXPECT_EQ(blocks.rotated(1, 4), 0);
    EXPECT_NEAR(static_cast<double>(std::fabs(blocks.rotated(1, 1))),
        std::sqrt(0.8 * 0.8 + 0.2 * 0.2 + 0.1 * 0.1), 1e-15);
    EXPECT_EQ(BlockDecomposition(lad, 0, AllIndexes(4), AllIndexes(2)).rotated.Dims(),
        (tMatDims { 4, 2 }));
}

TEST(FactorRotations, CommunalityEstimates)
{
    const trealmatrix r = Mat({ { 1, 0.6, 0.5 }, { 0.6, 1, 0.4 }, { 0.5, 0.4, 1 } });
    const trealmatrix unique = UniqueVariances(r).Value();
    for (int32_t i = 1; i <= 3; ++i)
        EXPECT_GT(unique(i, i), 0);
    // ComVar and ComVarFix lower the diagonal only.
    for (const trealmatrix& reduced :
        { ComVar(r).Value(), ComVarFix(r).Value(), ComVarPCA(r).Value() }) {
        for (int32_t i = 1; i <= 3; ++i) {
            EXPECT_LT(reduced(i, i), 1);
            for (int32_t j = 1; j <= 3; ++j) {
                if (i != j) {
                    EXPECT_EQ(reduced(i, j), r(i, j));
                }
            }
        }
    }
    const trealmatrix paf = ComVarPaf(r, 1).Value();
    ASSERT_EQ(paf.Dims(), (tMatDims { 3, 1 }));
    EXPECT_GT(std::fabs(paf(1, 1)), 0.5L);
    EXPECT_EQ(FailureCode(ComVarPaf(r, 0)), 1);
    EXPECT_EQ(ComVarPaf(r, 9).Value().Dims(), (tMatDims { 3, 3 }));
    EXPECT_EQ(FailureCode(UniqueVariances(trealmatrix(2, 3))), 1);
    EXPECT_THROW(UniqueVariances(Mat({ { 0, 0 }, { 0, 0 } })).Value(), tFloatDivisionByZeroError);
}

TEST(FactorRotations, FactorConsistencyOfSubsamples)
{
    std::mt19937 gen(17);
    const trealmatrix data = RandomMatrix(gen, 3, 40);
    tRandomGenerator random(1);
    const trealmatrix samples
        = FactorConsistency(data, tRotationKeyword::Varimax, 30, 5, random).Value();
    ASSERT_EQ(samples.Dims(), (tMatDims { 9, 5 }));
    // The full sample drawn in any order gives the reference itself.
    tRandomGenerator again(1);
    const trealmatrix whole = FactorConsistency(data, tRotationKeyword::Pca, 0, 2, again).Value();
    EXPECT_LT(
        MaxDifference(Mat({ { whole(1, 1), whole(2, 1) } }), Mat({ { whole(1, 2), whole(2, 2) } })),
        1e-15L);
    // A sample larger than the data is capped at all cases.
    tRandomGenerator capped(1);
    EXPECT_EQ(FactorConsistency(data, tRotationKeyword::Drei, 99, 1, capped).Value().Dims(),
        (tMatDims { 9, 1 }));
    EXPECT_EQ(
        FailureCode(FactorConsistency(trealmatrix(0, 0), tRotationKeyword::Pca, 0, 1, capped)), 1);
}

} // namespace
} // namespace zelvora
